#pragma once

#include "rename/lastrun.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace tarnwick {
class FileSystem;
}

namespace tarnwick::cli {

class Output;
class ProgressLine;

// What the last finished run renamed, in run order, and the journal file that records it (which
// an applied undo retires, so that a second undo does not take the same run back again).
struct RecordedRun {
    std::vector<RenamedFolder> folders;
    QString record;
};
// The last finished run as recorded; none when no run is recorded.
using LastRunLoader = std::function<std::optional<RecordedRun>()>;

// What the terminal front end needs of the world: the host, the user's places and the record of
// the last run. main.cpp gives the real ones, the tests their own.
struct CommandServices {
    FileSystem& fileSystem;
    QString workingFolder;
    // Everything on standard input, read when a FOLDER is "-".
    std::function<QByteArray()> readStandardInput;
    // The folders the desktop knows by their paths: never renamed.
    QStringList knownFolderPaths;
    // The last finished run, whichever front end made it. Empty: no run is recorded.
    LastRunLoader loadLastRun;
    // True once the user asked the work to stop; empty: Ctrl+C.
    std::function<bool()> stopRequested;
    // Asks the user at the terminal: shows the prompt on standard error and reads one line of
    // standard input; none at its end. Empty where no one is there to answer (standard input or
    // standard error is no terminal: a script), and no question is ever asked then.
    std::function<std::optional<QString>(const QString& prompt)> ask;
    // Where an applied run is recorded, so that it survives a crash and `--undo` can take it
    // back; empty: not recorded.
    QString journalFolder{};
};

// Thrown from the walk's pump when the user stops an addition: nothing is renamed then. Not an
// exception of the standard library, so that the addition's trap lets it through.
struct AdditionStopped {};

} // namespace tarnwick::cli
