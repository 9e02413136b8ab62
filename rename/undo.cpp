#include "rename/undo.h"

#include "common/failure.h"
#include "common/pathtext.h"
#include "folders/folderlist.h"
#include "folders/window.h"
#include "platform/filesystem.h"
#include "rename/followrenames.h"
#include "rename/lastrun.h"
#include "rename/parententries.h"
#include "rename/renameengine.h"
#include "rename/runerrors.h"

#include <vector>

namespace tarnwick {

QHash<QString, QString> UndoLastRun(WindowServices& window) {
    QHash<QString, QString> notDone;
    if (window.isBusy() || !window.lastRun().canUndo())
        return notDone;
    const std::vector<RenamedFolder> folders = window.lastRun().take();
    FolderListModel& list = window.folderList();
    FileSystem& fileSystem = window.fileSystem();
    const QChar separator = fileSystem.separator();
    RunErrors errors(window.dialogs());
    const FailureReport report = errors.report();
    ErrorTrap trap(QString::fromUtf16(kUndoLastRunLabel), report);
    // What the run's marks said gives way to what the undo does.
    trap.step(100, [&] { list.clearMarks(); });

    // Where the run left each folder, as the rows name it: its path then, below the names its
    // parents got later in the run.
    FollowedRenames run(separator, folders);

    // Backwards through the run: before each folder is given its name back, the disk is as the
    // run left it right after renaming that folder, so the path it got then is where it is. A
    // parent, renamed after its subfolders, gets its name back before them, and their paths
    // recorded under its old name are good again.
    // The rows' paths, each with only its own name given back.
    FollowedRenames restored(separator);
    QHash<QString, QString> failed;
    ParentEntries parents(fileSystem);
    for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder) {
        trap.step(102, [&] { window.pumpMessages(); });
        const QString shown = run.borne(folder->beforePath());
        trap.reach(104);
        const ListedPath after(folder->parent, folder->after);
        const RenameOutcome outcome = RenameFilesWild(fileSystem, parents, report, after,
                                                      ListedPath(folder->parent, folder->before));
        if (outcome.renamed) {
            restored.renamed(shown, outcome.newName);
            continue;
        }
        const QString now = WithoutTrailingSeparator(after.toString(), separator);
        // The run's own second rows of a folder find nothing quietly; here the folder was
        // there after the run, so finding nothing means someone moved it since.
        if (outcome.result == RenameOutcome::Result::NotFound)
            trap.step(106, [&] { throw PathNotFound().about(now); });
        failed.insert(shown, outcome.reason);
        errors.folderDone(now, outcome.reason);
    }
    trap.reach(108);
    errors.finish();

    // Every row names its folder where it is now, and waits for a preview before the next run.
    trap.reach(110);
    const HeldChanges held(list);
    RowCursor cursor(list);
    while (const std::optional<int> row =
               cursor.takeAfter([&] { trap.step(112, [&] { window.pumpMessages(); }); })) {
        trap.step(114, [&] {
            const QString shown = list.text(*row, FolderListModel::kNow);
            const QString bears = restored.isEmpty() ? shown : restored.borne(shown);
            if (bears != shown)
                list.setText(*row, FolderListModel::kNow, bears);
            if (!list.text(*row, FolderListModel::kNewName).isEmpty())
                list.setText(*row, FolderListModel::kNewName, QString());
            const auto why = failed.constFind(shown);
            if (why != failed.constEnd()) {
                list.markNotDone(*row, *why);
                notDone.insert(bears, *why);
            }
        });
    }
    trap.reach(116);
    return notDone;
}

} // namespace tarnwick
