#pragma once

#include "common/labels.h"
#include "rename/runtally.h"

#include <QHash>
#include <QString>
#include <functional>
#include <optional>

namespace tarnwick {

struct RunSurroundings;
class WindowServices;

inline constexpr char kUndoLastRunText[] = QT_TRANSLATE_NOOP("Tarnwick", "Undo Last Run");

// What an undo did.
struct UndoResult {
    // None when there was nothing to undo.
    std::optional<RunTally> tally;
    // Why each folder that was not given its name back was not, keyed by the path its row shows.
    QHash<QString, QString> notDone;
};

// Gives every folder the last run renamed back the name it had, through the engine as the run
// uses it, and reports failures as the run does; a folder the desktop knows by its path now is
// left as it is. Afterwards each row names its folder where it is and no row has a new path; a
// row whose folder could not be given its name back is marked with the reason. Does nothing when
// there is nothing to undo.
UndoResult UndoRun(const RunSurroundings& surroundings);

// The same for the last run of this session while it can be undone, else for the last finished
// run recorded in surroundings.journalFolder, so that a run can be undone after the window was
// closed: each folder known by the identity recorded. A record that cannot be read is kept aside
// and told through tell. Nothing while a run goes on.
UndoResult UndoLastRecordedRun(const RunSurroundings& surroundings,
                               const std::function<void(const QString&)>& tell);

// Whether "Undo Last Run" has something to take back: this session's last run, or one recorded.
bool CanUndoLastRun(const RunSurroundings& surroundings);

// The same in the window; nothing while the window is busy.
UndoResult UndoLastRun(WindowServices& window);

} // namespace tarnwick
