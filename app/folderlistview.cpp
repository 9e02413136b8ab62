#include "app/folderlistview.h"

#include <QAccessible>
#include <QAccessibleTableModelChangeEvent>
#include <algorithm>

namespace tarnwick {

void FolderListView::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                                 const QList<int>& roles) {
    if (!model() || !topLeft.isValid() || !bottomRight.isValid() || topLeft.parent().isValid()) {
        QTreeView::dataChanged(topLeft, bottomRight, roles);
        return;
    }
    // A screen reader is told of every row that changed, as the view would tell it; the view
    // itself, which would measure every row of the range, is told only of the rows in sight.
    if (QAccessible::isActive()) {
        QAccessibleTableModelChangeEvent event(this, QAccessibleTableModelChangeEvent::DataChanged);
        event.setFirstRow(topLeft.row());
        event.setFirstColumn(topLeft.column());
        event.setLastRow(bottomRight.row());
        event.setLastColumn(bottomRight.column());
        QAccessible::updateAccessibility(&event);
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
