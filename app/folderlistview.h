#pragma once

#include <QTreeView>

namespace tarnwick {

// The folder list's view. Its rows keep one height and have no editors, so a change of rows it
// does not show asks nothing of it: a run that rewrites a hundred thousand rows repaints the few
// in sight, not every row's place.
class FolderListView : public QTreeView {
    Q_OBJECT
public:
    using QTreeView::QTreeView;

    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles = QList<int>()) override;
};

} // namespace tarnwick
