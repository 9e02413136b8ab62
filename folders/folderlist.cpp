#include "folders/folderlist.h"

#include "common/failure.h"
#include "folders/knownfolders.h"
#include "platform/memory.h"

#include <QCoreApplication>
#include <algorithm>

namespace tarnwick {

FolderListModel::FolderListModel(QObject* parent) : QAbstractTableModel(parent) {}

int FolderListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count();
}

int FolderListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant FolderListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= count())
        return {};
    const FolderEntry& entry = m_rows[static_cast<std::size_t>(index.row())];
    const QString text = (index.column() == kNow ? entry.now : entry.newPath).toString();
    switch (role) {
    case Qt::DisplayRole:
        return text;
    case Qt::ToolTipRole: {
        // The column may cut the path; the tooltip has it whole, and the mark in words.
        const QString words = m_marks.words(index.row());
        if (words.isEmpty() || text.isEmpty())
            return text.isEmpty() ? words : text;
        return text + u'\n' + words;
    }
    case Qt::AccessibleDescriptionRole: {
        const QString words = m_marks.words(index.row());
        return words.isEmpty() ? QVariant() : QVariant(words);
    }
    case kMarkRole:
        return static_cast<int>(m_marks.at(index.row()));
    default:
        return {};
    }
}

QVariant FolderListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    if (section == kNow)
        return QCoreApplication::translate("Tarnwick", "Name of Folder(s) - Now");
    if (section == kNewName)
        return QCoreApplication::translate("Tarnwick", "Name of Folder(s) - New Name");
    return {};
}

FolderListModel::Connections
FolderListModel::watchRemovals(std::function<void(int first, int last)> removed,
                               std::function<void()> cleared) {
    return {connect(this, &QAbstractItemModel::rowsRemoved, this,
                    [removed = std::move(removed)](const QModelIndex&, int first, int last) {
                        removed(first, last);
                    }),
            connect(this, &QAbstractItemModel::modelReset, this, std::move(cleared))};
}

void FolderListModel::checkPlace(int row, int column) const {
    if (row < 0 || row >= count() || column < 0 || column > 1)
        throw Failure(failure_code::kIndexOutOfBounds,
                      QCoreApplication::translate("Tarnwick", "Index out of bounds"));
}

QString FolderListModel::text(int row, int column) const {
    return path(row, column).toString();
}

const ListedPath& FolderListModel::path(int row, int column) const {
    checkPlace(row, column);
    const FolderEntry& entry = m_rows[static_cast<std::size_t>(row)];
    return column == kNow ? entry.now : entry.newPath;
}

ListedPath FolderListModel::split(const QString& text, const ListedPath* like) {
    const qsizetype cut = LeafStart(text, m_markSeparator);
    if (cut <= 0)
        return ListedPath(text);
    const QStringView head = QStringView(text).left(cut);
    const QStringView tail = QStringView(text).sliced(cut);
    // The other column's tail too: a run's new path is the name its preview promised.
    const auto tailOf = [&](const ListedPath* other) {
        return other && other->tail() == tail ? other->tail() : tail.toString();
    };
    if (like && like->head() == head)
        return ListedPath(like->head(), tailOf(like));
    QString& recent = m_recentHeads[static_cast<std::size_t>(cut) % m_recentHeads.size()];
    if (recent != head)
        recent = head.toString();
    return ListedPath(recent, tailOf(like));
}

void FolderListModel::setText(int row, int column, const QString& text) {
    checkPlace(row, column);
    const FolderEntry& entry = m_rows[static_cast<std::size_t>(row)];
    setPath(row, column, split(text, column == kNow ? &entry.newPath : &entry.now));
}

void FolderListModel::setPath(int row, int column, ListedPath path) {
    checkPlace(row, column);
    FolderEntry& entry = m_rows[static_cast<std::size_t>(row)];
    (column == kNow ? entry.now : entry.newPath) = std::move(path);
    changed();
    const RowMark told = m_marks.at(row);
    // What the texts told goes with them; the desktop's folder, with the folder the row names.
    const bool markDropped = told == RowMark::NoChange || told == RowMark::Collision ||
                             (told == RowMark::KnownFolder && column == kNow);
    if (markDropped)
        m_marks.set(row, RowMark::None);
    if (m_holding) {
        m_heldFirst = m_heldFirst <= m_heldLast ? std::min(m_heldFirst, row) : row;
        m_heldLast = std::max(m_heldLast, row);
        return;
    }
    if (markDropped) {
        emit dataChanged(index(row, kNow), index(row, kNewName));
        return;
    }
    const QModelIndex changed = index(row, column);
    emit dataChanged(changed, changed, {Qt::DisplayRole});
}

void FolderListModel::tellChanges() {
    if (m_heldFirst > m_heldLast)
        return;
    const int first = m_heldFirst;
    const int last = std::min(m_heldLast, count() - 1);
    m_heldFirst = 0;
    m_heldLast = -1;
    if (first <= last)
        emit dataChanged(index(first, kNow), index(last, kNewName));
}

void FolderListModel::markNotDone(int row, const QString& reason) {
    checkPlace(row, kNow);
    m_marks.set(row, RowMark::NotDone, reason);
    emit dataChanged(index(row, kNow), index(row, kNewName));
}

void FolderListModel::clearMarks() {
    if (m_marks.isEmpty())
        return;
    m_marks.clear();
    announceChanged(kNow, kNewName);
}

bool FolderListModel::knows(const KnownFolders& known, const ListedPath& folder) {
    return known.contains(folder);
}

void FolderListModel::markFromColumns(bool keepDiskMarks) {
    m_marks = MarksFromColumns(m_rows, m_marks, m_markSeparator, keepDiskMarks);
}

void FolderListModel::appendRow(const QString& now) {
    appendRows(QStringList{now});
}

void FolderListModel::appendRows(const QStringList& nows) {
    if (nows.isEmpty())
        return;
    tellChanges();
    changed();
    beginInsertRows({}, count(), count() + static_cast<int>(nows.size()) - 1);
    reserveFor(static_cast<std::size_t>(nows.size()));
    for (const QString& now : nows)
        m_rows.push_back({split(now), ListedPath()});
    endInsertRows();
}

void FolderListModel::appendPaths(std::vector<ListedPath> nows,
                                  std::vector<FileIdentity> identities) {
    if (nows.empty())
        return;
    tellChanges();
    changed();
    beginInsertRows({}, count(), count() + static_cast<int>(nows.size()) - 1);
    reserveFor(nows.size());
    for (std::size_t i = 0; i < nows.size(); ++i)
        m_rows.push_back({std::move(nows[i]), ListedPath(),
                          i < identities.size() ? identities[i] : FileIdentity{}});
    endInsertRows();
}

FileIdentity FolderListModel::identity(int row) const {
    checkPlace(row, kNow);
    return m_rows[static_cast<std::size_t>(row)].identity;
}

void FolderListModel::reserveFor(std::size_t added) {
    // Growing to the exact size would copy the whole list on every single-row append.
    const std::size_t needed = m_rows.size() + added;
    if (needed > m_rows.capacity())
        m_rows.reserve(std::max(needed, 2 * m_rows.capacity()));
}

void FolderListModel::removeAll() {
    if (m_rows.empty())
        return;
    tellChanges();
    changed();
    beginResetModel();
    m_rows.clear();
    m_rows.shrink_to_fit();
    m_recentHeads.fill(QString());
    m_marks.clear();
    endResetModel();
    // Whoever kept the rows' texts (the last run's record) has let them go by now.
    ReturnFreedMemory();
}

void FolderListModel::removeEntry(int row) {
    checkPlace(row, kNow);
    tellChanges();
    changed();
    const bool collided = m_marks.at(row) == RowMark::Collision;
    beginRemoveRows({}, row, row);
    m_rows.erase(m_rows.begin() + row);
    m_marks.erase(row);
    endRemoveRows();
    // The rows it collided with may collide no more; what the run marked stays.
    if (collided) {
        markFromColumns(true);
        announceChanged(kNow, kNewName);
    }
}

void FolderListModel::announceChanged(int firstColumn, int lastColumn) {
    if (!m_rows.empty())
        emit dataChanged(index(0, firstColumn), index(count() - 1, lastColumn));
}

} // namespace tarnwick
