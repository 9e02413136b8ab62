#include "folders/rowvector.h"

#include "common/failure.h"

#include <QCoreApplication>
#include <algorithm>

namespace tarnwick {

namespace {
void CheckPlace(int row, int count) {
    if (row < 0 || row >= count)
        throw Failure(failure_code::kIndexOutOfBounds,
                      QCoreApplication::translate("Tarnwick", "Index out of bounds"));
}
} // namespace

RowVector::Row& RowVector::at(int row) {
    CheckPlace(row, count());
    return m_rows[static_cast<std::size_t>(row)];
}

const ListedPath& RowVector::path(int row, int column) const {
    CheckPlace(row, count());
    const Row& kept = m_rows[static_cast<std::size_t>(row)];
    return column == kNow ? kept.now : kept.newPath;
}

void RowVector::setPath(int row, int column, ListedPath path) {
    Row& kept = at(row);
    (column == kNow ? kept.now : kept.newPath) = std::move(path);
    changed();
}

void RowVector::markNotDone(int row, const QString& reason) {
    at(row).notDone = reason;
}

void RowVector::clearMarks() {
    for (Row& row : m_rows)
        row.notDone.clear();
}

void RowVector::appendPaths(std::vector<ListedPath> paths, std::vector<FileIdentity> identities) {
    changed();
    // Grown by half again at least: rows appended a chosen folder at a time would otherwise move
    // every row before them each time.
    if (const std::size_t needed = m_rows.size() + paths.size(); needed > m_rows.capacity())
        m_rows.reserve(std::max(needed, m_rows.capacity() + m_rows.capacity() / 2));
    for (std::size_t i = 0; i < paths.size(); ++i)
        m_rows.push_back(
            {std::move(paths[i]), {}, {}, i < identities.size() ? identities[i] : FileIdentity{}});
}

FileIdentity RowVector::identity(int row) const {
    CheckPlace(row, count());
    return m_rows[static_cast<std::size_t>(row)].identity;
}

} // namespace tarnwick
