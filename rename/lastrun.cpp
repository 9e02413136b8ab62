#include "rename/lastrun.h"

#include "folders/folderlist.h"

namespace tarnwick {

LastRun::~LastRun() {
    for (const QMetaObject::Connection& connection : m_connections)
        QObject::disconnect(connection);
}

void LastRun::watch(const FolderListModel& list) {
    const auto forget = [this] { clear(); };
    m_connections[0] = QObject::connect(&list, &QAbstractItemModel::rowsInserted, forget);
    m_connections[1] = QObject::connect(&list, &QAbstractItemModel::rowsRemoved, forget);
    m_connections[2] = QObject::connect(&list, &QAbstractItemModel::modelReset, forget);
}

void LastRun::begin() {
    m_folders = std::vector<RenamedFolder>();
    m_record.clear();
    m_running = true;
    m_forgotten = false;
    m_stoppedEarly = false;
    changed();
}

void LastRun::keep(std::vector<RenamedFolder> folders) {
    if (m_running && !m_forgotten)
        m_folders = std::move(folders);
}

void LastRun::end() {
    m_running = false;
    m_forgotten = false;
    changed();
}

void LastRun::replace(std::vector<RenamedFolder> folders, QString record) {
    begin();
    keep(std::move(folders));
    recordedIn(std::move(record));
    end();
}

void LastRun::clear() {
    m_forgotten = m_running;
    m_stoppedEarly = false;
    if (m_folders.empty())
        return;
    // Released, not only emptied: a large run's record is megabytes.
    m_folders = std::vector<RenamedFolder>();
    changed();
}

std::vector<RenamedFolder> LastRun::take() {
    std::vector<RenamedFolder> folders;
    if (!canUndo())
        return folders;
    folders.swap(m_folders);
    changed();
    return folders;
}

} // namespace tarnwick
