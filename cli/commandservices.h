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

// What the last finished run renamed, in run order, as recorded; none when no run is recorded.
using LastRunLoader = std::function<std::optional<std::vector<RenamedFolder>>()>;

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
    // Settles a run the journal says was not finished, before any new work; a status ends the
    // command with it. Empty: nothing is settled here (the window offers it at its start).
    std::function<std::optional<int>(Output&)> recoverAtStart;
    // Where an applied run is recorded, so that it survives a crash and `--undo` can take it
    // back; empty: not recorded.
    QString journalFolder{};
};

// Thrown from the walk's pump when the user stops an addition: nothing is renamed then. Not an
// exception of the standard library, so that the addition's trap lets it through.
struct AdditionStopped {};

} // namespace tarnwick::cli
