#pragma once

#include "common/labels.h"
#include "folders/knownfolders.h"
#include "rename/runtally.h"

#include <QString>
#include <functional>
#include <optional>

namespace tarnwick {

class FileSystem;
class LastRun;
class ListRows;
class UserDialogs;
class WindowServices;

inline constexpr char kNoFilesAddedMessage[] = QT_TRANSLATE_NOOP("Tarnwick", "No files added.");
inline constexpr char kPreviewFirstMessage[] =
    QT_TRANSLATE_NOOP("Tarnwick", "You need to click Set New Name (Preview) first.");

// What a run (and an undo) needs of its surroundings, and nothing more: the window gives its own,
// a script its own.
struct RunSurroundings {
    // Read and written as the run goes; the window's may change under it between folders.
    ListRows& rows;
    FileSystem& fileSystem;
    // Where failures and the run's messages are told.
    UserDialogs& dialogs;
    // The title of the run's message boxes.
    QString title;
    // Lets the surroundings work between folders; may end the run by throwing WindowClosed.
    // Empty where nothing else needs to work.
    std::function<void()> pump;
    // What the run renamed, kept so that it can be undone.
    LastRun& lastRun;
    // Folders never renamed, whatever their rows say: the desktop knows them by their paths.
    KnownFolders knownFolders{};
    // Asked after each folder: true ends the renaming there. Rows not reached keep their new
    // paths, so that the next run continues where this one stopped. Empty: never stopped.
    std::function<bool()> stopRequested{};
    // Told before each folder how far the renaming is: rows taken so far, rows in the list now.
    // Cheap to call; the surroundings decide when to show it. Empty: not told.
    std::function<void(int done, int total)> progress{};
    // Where the run is recorded as it goes, so that a crash can be finished or taken back and the
    // run undone after a restart (JournalFolder()). Empty: not recorded.
    QString journalFolder{};
};

// The run: renames every row's folder that has a new path, top to bottom, then shows the renamed
// folders under the paths they bear and empties every new path. Rows are re-checked before use:
// the rows may change under the run whenever it lets its surroundings work. Returns what it did,
// none when it refused to start.
std::optional<RunTally> RunRenames(const RunSurroundings& surroundings);

// The same surroundings, as the window has them.
RunSurroundings SurroundingsOf(WindowServices& window);

// "Start Renaming (Execute)": the run, in the window.
std::optional<RunTally> PushButton2_Click(WindowServices& window);

} // namespace tarnwick
