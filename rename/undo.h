#pragma once

#include "common/labels.h"

#include <QHash>
#include <QString>

namespace tarnwick {

struct RunSurroundings;
class WindowServices;

inline constexpr char kUndoLastRunText[] = QT_TRANSLATE_NOOP("Tarnwick", "Undo Last Run");

// Gives every folder the last run renamed back the name it had, through the engine as the run
// uses it, and reports failures as the run does. Afterwards each row names its folder where it is
// and no row has a new path; a row whose folder could not be given its name back is marked with
// the reason, which is also returned, keyed by the row's path. Does nothing when there is nothing
// to undo.
QHash<QString, QString> UndoRun(const RunSurroundings& surroundings);

// The same in the window; nothing while the window is busy.
QHash<QString, QString> UndoLastRun(WindowServices& window);

} // namespace tarnwick
