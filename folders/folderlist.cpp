#include "folders/folderlist.h"

#include "common/failure.h"

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
    if (!index.isValid() || index.row() >= count() ||
        (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    const FolderEntry& entry = m_rows[static_cast<std::size_t>(index.row())];
    return index.column() == kNow ? entry.now : entry.newPath;
}

QVariant FolderListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    if (section == kNow)
        return QStringLiteral("Name of Folder(s) - Now");
    if (section == kNewName)
        return QStringLiteral("Name of Folder(s) - New Name");
    return {};
}

void FolderListModel::checkPlace(int row, int column) const {
    if (row < 0 || row >= count() || column < 0 || column > 1)
        throw Failure(failure_code::kIndexOutOfBounds, QStringLiteral("Index out of bounds"));
}

const QString& FolderListModel::text(int row, int column) const {
    checkPlace(row, column);
    const FolderEntry& entry = m_rows[static_cast<std::size_t>(row)];
    return column == kNow ? entry.now : entry.newPath;
}

void FolderListModel::setText(int row, int column, const QString& text) {
    checkPlace(row, column);
    FolderEntry& entry = m_rows[static_cast<std::size_t>(row)];
    (column == kNow ? entry.now : entry.newPath) = text;
    const QModelIndex changed = index(row, column);
    emit dataChanged(changed, changed, {Qt::DisplayRole});
}

void FolderListModel::appendRow(const QString& now) {
    appendRows(QStringList{now});
}

void FolderListModel::appendRows(const QStringList& nows) {
    if (nows.isEmpty())
        return;
    beginInsertRows({}, count(), count() + static_cast<int>(nows.size()) - 1);
    // Growing to the exact size would copy the whole list on every single-row append.
    const std::size_t needed = m_rows.size() + static_cast<std::size_t>(nows.size());
    if (needed > m_rows.capacity())
        m_rows.reserve(std::max(needed, 2 * m_rows.capacity()));
    for (const QString& now : nows)
        m_rows.push_back({now, QString()});
    endInsertRows();
}

void FolderListModel::removeAll() {
    if (m_rows.empty())
        return;
    beginResetModel();
    m_rows.clear();
    m_rows.shrink_to_fit();
    endResetModel();
}

void FolderListModel::removeEntry(int row) {
    checkPlace(row, kNow);
    beginRemoveRows({}, row, row);
    m_rows.erase(m_rows.begin() + row);
    endRemoveRows();
}

void FolderListModel::announceChanged(int firstColumn, int lastColumn) {
    if (!m_rows.empty())
        emit dataChanged(index(0, firstColumn), index(count() - 1, lastColumn), {Qt::DisplayRole});
}

} // namespace tarnwick
