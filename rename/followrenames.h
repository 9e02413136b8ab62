#pragma once

#include "folders/folderlist.h"

#include <QHash>
#include <QMetaObject>
#include <QString>
#include <optional>

namespace tarnwick {

// The path a folder listed as now bears after a pass of renames: its own new path if it was
// renamed, then, from the deepest outwards, every folder above it that was renamed after it.
// renamed maps each renamed folder's path, as it was when it was renamed, to the path it got;
// the renames went deepest first, so a folder's subfolders were renamed under its old path.
QString PathBorne(const QString& now, const QHash<QString, QString>& renamed, QChar separator);

// The place of the row in hand while the window is live: rows removed above it move it up, and
// a cleared list ends the pass. Rows are only ever appended below it.
class RowCursor {
public:
    explicit RowCursor(FolderListModel& list);
    ~RowCursor();
    RowCursor(const RowCursor&) = delete;
    RowCursor& operator=(const RowCursor&) = delete;

    bool hasNext() const { return m_next < m_list.count(); }
    // The next row to take, or none at the end of the list as it is now.
    std::optional<int> take() {
        if (m_next >= m_list.count())
            return std::nullopt;
        return m_next++;
    }
    // The next row, after pump has let the window work (which may remove rows, or all of them);
    // none at the end of the list as it is then.
    template <class Pump> std::optional<int> takeAfter(Pump&& pump) {
        if (!hasNext())
            return std::nullopt;
        pump();
        return take();
    }
    void restart() { m_next = 0; }

private:
    FolderListModel& m_list;
    int m_next = 0;
    QMetaObject::Connection m_connections[2];
};

} // namespace tarnwick
