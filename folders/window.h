#pragma once

#include <QString>
#include <QStringList>

class QObject;

namespace tarnwick {

class FileSystem;
class FolderListModel;
class LastRun;
class UserDialogs;

// The window's pointer setting; the hourglass doubles as the busy flag of the whole window.
enum class PointerSetting { Default = 0, Hourglass = 11, Custom = 99 };

// Thrown by WindowServices::pumpMessages() once the window has been closed meanwhile: the handler
// ends at that point, past every trap (it is no failure), and the window's event handler that
// started it lets it go. A pump never falls between the two renames of one folder, so nothing is
// left half done.
struct WindowClosed {};

// Long work the window tells the user about while it lasts.
enum class Work { Adding, Renaming, Undoing };

// What the handlers of the subsystems need of the main window. Form1 is one; the tests have a
// fake, so the adding, previewing and renaming logic runs without widgets.
class WindowServices {
public:
    virtual ~WindowServices() = default;

    virtual FolderListModel& folderList() = 0;
    virtual PointerSetting pointer() const = 0;
    virtual void setPointer(PointerSetting setting) = 0;
    virtual bool subfolderOptionChecked() const = 0;
    virtual QString operationText() const = 0;
    virtual void previewRename() = 0;
    // Lets the window process pending messages. Throws WindowClosed when it was closed meanwhile.
    virtual void pumpMessages() = 0;
    virtual QString applicationTitle() const = 0;
    virtual QObject* owner() = 0;
    virtual UserDialogs& dialogs() = 0;
    virtual FileSystem& fileSystem() = 0;
    // What the last run renamed, while it can still be undone.
    virtual LastRun& lastRun() = 0;
    // The folders the desktop knows by their paths (home, the user's folders, mount points),
    // read anew at each call.
    virtual QStringList knownFolderPaths() const = 0;
    // Told before each folder of long work how far it is: done of total, total 0 while not known
    // (an addition's walk counts what it found). Cheap to call; the window decides when to show
    // it. Nothing without a window.
    virtual void workProgress(Work work, int done, int total) {
        (void)work;
        (void)done;
        (void)total;
    }
    // True once the user asked the run in hand to stop after its folder (Escape).
    virtual bool stopRequested() const { return false; }
    // Where runs are recorded, so that they survive a crash and can be undone after a restart;
    // empty where they are not.
    virtual QString journalFolder() const { return {}; }

    bool isBusy() const { return pointer() == PointerSetting::Hourglass; }
};

} // namespace tarnwick
