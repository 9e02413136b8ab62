#pragma once

#include <QHash>
#include <QString>

namespace tarnwick {

class WindowServices;

inline constexpr char16_t kUndoLastRunLabel[] = u"in Brisquel2021/08/31.Form1.UndoLastRun ";
inline constexpr char16_t kUndoLastRunText[] = u"Undo Last Run";

// Gives every folder the last run renamed back the name it had, through the engine as the run
// uses it, and reports failures as the run does. Afterwards each row names its folder where it is
// and no row has a new path. Returns why each folder that could not be given its name back was
// not, keyed by its row's path. Does nothing when there is nothing to undo, or while the window
// is busy.
QHash<QString, QString> UndoLastRun(WindowServices& window);

} // namespace tarnwick
