#pragma once

#include "common/listedpath.h"
#include "platform/filesystem.h"

#include <QMetaObject>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace tarnwick {

// The rows an addition, a run or an undo reads and writes, whoever keeps them: the window's list,
// or a plain vector for a script. Each row is the folder's path now and its new path (or empty),
// both ending with a separator.
class ListRows {
public:
    enum Column { kNow = 0, kNewName = 1 };

    virtual ~ListRows() = default;

    virtual int count() const = 0;
    // Both throw Failure for a row that is not there.
    virtual const ListedPath& path(int row, int column) const = 0;
    virtual void setPath(int row, int column, ListedPath path) = 0;
    // setPath() with a whole path, kept as the rows keep such texts.
    virtual void setText(int row, int column, const QString& text) {
        setPath(row, column, ListedPath(text));
    }
    // A row whose folder the run (or the undo) left as it was, with the reason a person reads.
    // Throws Failure for a row that is not there.
    virtual void markNotDone(int row, const QString& reason) = 0;
    // What earlier marks said gives way to what comes now.
    virtual void clearMarks() = 0;
    // identities, when given, stand beside the paths: what the host said each folder is when it
    // was listed. Unknown identities are zero.
    virtual void appendPaths(std::vector<ListedPath> paths,
                             std::vector<FileIdentity> identities = {}) = 0;
    // The folder the row lists, as the host knew it when listing it; zero where unknown.
    virtual FileIdentity identity(int row) const = 0;

    // While held, rows written are shown together later, as one change: a pass over a hundred
    // thousand rows would otherwise have every view, and a screen reader, work on each row.
    virtual void holdChanges() {}
    virtual void releaseChanges() {}

    // Rows removed while a pass goes through them: removed(first, last) for a range, cleared()
    // for all of them, until the connections returned are ended. Rows that nothing but the pass
    // itself changes are never removed, and connect nothing.
    using Connections = std::array<QMetaObject::Connection, 2>;
    virtual Connections watchRemovals(std::function<void(int first, int last)> removed,
                                      std::function<void()> cleared) {
        (void)removed;
        (void)cleared;
        return {};
    }

    // Goes up whenever a row's path changes or rows come or go (marks do not count): whoever
    // read the rows before tells at a glance whether they may read otherwise now.
    std::uint64_t changes() const { return m_changes; }

protected:
    void changed() { ++m_changes; }

private:
    std::uint64_t m_changes = 0;
};

// Holds the rows' changes while it lives, and shows them when it ends.
class HeldChanges {
public:
    explicit HeldChanges(ListRows& rows) : m_rows(rows) { rows.holdChanges(); }
    ~HeldChanges() { m_rows.releaseChanges(); }
    HeldChanges(const HeldChanges&) = delete;
    HeldChanges& operator=(const HeldChanges&) = delete;

private:
    ListRows& m_rows;
};

} // namespace tarnwick
