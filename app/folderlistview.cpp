#include "app/folderlistview.h"

#include <QAccessible>
#include <algorithm>

namespace tarnwick {

void FolderListView::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                                 const QList<int>& roles) {
    // A screen reader is told of every row that changed, as the view tells it.
    if (QAccessible::isActive() || !model() || !topLeft.isValid() || !bottomRight.isValid() ||
        topLeft.parent().isValid()) {
        QTreeView::dataChanged(topLeft, bottomRight, roles);
        return;
    }
    const QModelIndex firstShown = indexAt(QPoint(0, 0));
    if (!firstShown.isValid())
        return;
    const QModelIndex lastShown = indexAt(QPoint(0, viewport()->height() - 1));
    const int last = lastShown.isValid() ? lastShown.row() : model()->rowCount() - 1;
    const int from = std::max(topLeft.row(), firstShown.row());
    const int to = std::min(bottomRight.row(), last);
    if (from > to)
        return;
    QTreeView::dataChanged(model()->index(from, topLeft.column()),
                           model()->index(to, bottomRight.column()), roles);
}

} // namespace tarnwick
