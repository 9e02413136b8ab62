#pragma once

#include "folders/rowmarks.h"
#include "folders/rowvector.h"
#include "transform/operations.h"

#include <QStringList>

namespace tarnwick {
class FileSystem;
class KnownFolders;
class UserDialogs;
} // namespace tarnwick

namespace tarnwick::cli {

class ProgressLine;

// Adds each chosen folder as "Add Folder(s)" adds it, with every folder below it when
// subfolders. Throws AdditionStopped when stopRequested answers true.
RowVector AddChosen(const QStringList& chosen, bool subfolders, FileSystem& fileSystem,
                    UserDialogs& dialogs, ProgressLine& progress,
                    const std::function<bool()>& stopRequested);

// The preview pass over rows: every new path is its current path with its own name converted,
// a folder the desktop knows kept as it is. Returns the marks the two columns tell (collisions).
RowMarks Preview(RowVector& rows, Operation operation, const KnownFolders& known, QChar separator);

} // namespace tarnwick::cli
