#pragma once

#include "platform/filesystem.h"

#include <QMetaObject>
#include <QString>
#include <functional>
#include <vector>

namespace tarnwick {

class FolderListModel;

// One folder a run renamed inside its parent: the parent's path as found on disk then, the name
// the folder bore before and the one it got, each name ending with a separator. The strings are
// those the list's rows hold, shared, so that the record of a large run costs no path twice.
struct RenamedFolder {
    QString parent;
    QString before;
    QString after;
    // What the host said the folder was when the run renamed it; zero where unknown. Undo gives
    // back its name only to that folder.
    FileIdentity identity{};

    QString beforePath() const { return parent + before; }
    QString afterPath() const { return parent + after; }

    friend bool operator==(const RenamedFolder&, const RenamedFolder&) = default;
};

// What the last run renamed, in run order, so that it can be undone. Held in memory only, and
// for one run only: a new run, a row added or removed, or the list cleared forgets it.
class LastRun {
public:
    LastRun() = default;
    ~LastRun();
    LastRun(const LastRun&) = delete;
    LastRun& operator=(const LastRun&) = delete;

    // Forgets what the list's rows no longer stand for once rows are added, removed or cleared.
    void watch(const FolderListModel& list);
    // Called whenever whether there is something to undo may have changed.
    void onChange(std::function<void()> changed) { m_changed = std::move(changed); }

    // A run starts: the one before can no longer be undone.
    void begin();
    // What the run renamed, in run order, kept unless the list changed while it ran.
    void keep(std::vector<RenamedFolder> folders);
    void end();
    // These folders, recorded in the journal file record, are the last run now, as if a run had
    // just renamed them: a run read back from its record, or the rest of one an undo stopped in.
    void replace(std::vector<RenamedFolder> folders, QString record);
    void clear();
    // The run was stopped by the user before its last folder: the rows it did not reach still
    // have their new paths, and the next run may continue without a new preview.
    void stoppedEarly() { m_stoppedEarly = m_running && !m_forgotten; }
    bool mayContinue() const { return m_stoppedEarly; }

    // Not while a run is still renaming: half a run is not the last run.
    bool canUndo() const { return !m_running && !m_folders.empty(); }
    bool running() const { return m_running; }
    const std::vector<RenamedFolder>& folders() const { return m_folders; }
    // Hands the renames over to be undone, once: a second undo finds nothing.
    std::vector<RenamedFolder> take();
    // The journal file that records the run, in the journal folder; empty where none does. An
    // undo retires that record and no other: another copy of the program may have its own.
    void recordedIn(QString name) { m_record = std::move(name); }
    const QString& record() const { return m_record; }

private:
    void changed() const {
        if (m_changed)
            m_changed();
    }

    std::vector<RenamedFolder> m_folders;
    QString m_record;
    bool m_running = false;
    // The list changed during the run: the rest of it is not kept either.
    bool m_forgotten = false;
    bool m_stoppedEarly = false;
    std::function<void()> m_changed;
    QMetaObject::Connection m_connections[3];
};

} // namespace tarnwick
