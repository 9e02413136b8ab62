#include "rename/undo.h"

#include "common/failure.h"
#include "common/pathtext.h"
#include "folders/listrows.h"
#include "folders/rowcursor.h"
#include "folders/window.h"
#include "platform/filesystem.h"
#include "platform/userdialogs.h"
#include "rename/followrenames.h"
#include "rename/journalreader.h"
#include "rename/lastrun.h"
#include "rename/parententries.h"
#include "rename/renameengine.h"
#include "rename/renamerun.h"
#include "rename/runerrors.h"
#include "rename/runrecorder.h"

#include <utility>
#include <vector>

namespace tarnwick {

namespace {

// Backwards through the run: before each folder is given its name back, the disk is as the run
// left it right after renaming that folder, so the path it got then is where it is. A parent,
// renamed after its subfolders, gets its name back before them, and their paths recorded under
// its old name are good again. Hands back the rows' paths, each with only its own name given back,
// and why each folder that was not given its name back was not, by the path its row shows; returns
// how many were given their names back. Asked to stop, it ends before the next folder; those not
// reached stay the last run, so that the next undo goes on from there.
int GiveNamesBack(const RunSurroundings& run, ErrorTrap& trap, RunErrors& errors,
                  RunRecorder& recorder, const std::vector<RenamedFolder>& folders,
                  FollowedRenames& restored, QHash<QString, QString>& failed, bool& stopped) {
    int givenBack = 0;
    const QChar separator = run.fileSystem.separator();
    const FailureReport report = errors.report();
    // Where the run left each folder, as the rows name it: its path then, below the names its
    // parents got later in the run.
    FollowedRenames ran(separator, folders);
    // The folders left with the names the run gave them, which their subfolders are found under.
    FollowedRenames kept(separator);
    ParentEntries parents(run.fileSystem);
    const int total = static_cast<int>(folders.size());
    for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder) {
        const auto index = static_cast<std::size_t>(folder - folders.rbegin());
        if (run.progress)
            run.progress(static_cast<int>(index), total);
        if (run.pump)
            trap.step(UndoStep::PumpBeforeRename, run.pump);
        if (run.stopRequested && run.stopRequested()) {
            run.lastRun.replace(
                {folders.begin(), folders.end() - static_cast<std::ptrdiff_t>(index)}, {});
            stopped = true;
            break;
        }
        const QString shown = ran.borne(folder->beforePath());
        trap.reach(UndoStep::Rename);
        const QString parent = kept.isEmpty() ? folder->parent : kept.borne(folder->parent);
        const ListedPath after(parent, folder->after);
        if (run.knownFolders.contains(after)) {
            recorder.left(index);
            kept.renamed(folder->beforePath(), folder->after);
            failed.insert(shown, QString::fromUtf16(kKnownFolderWords));
            continue;
        }
        const RenameOutcome outcome =
            RenameFilesWild(run.fileSystem, parents, report, after,
                            ListedPath(parent, folder->before), folder->identity);
        if (outcome.renamed()) {
            recorder.renamed(outcome, index);
            restored.renamed(shown, outcome.newName);
            ++givenBack;
            continue;
        }
        recorder.left(index);
        const QString now = WithoutTrailingSeparator(after.toString(), separator);
        // The run's own second rows of a folder find nothing quietly; here the folder was
        // there after the run, so finding nothing means someone moved it since.
        if (outcome.happened == RenameOutcome::Happened::NotFound)
            trap.step(UndoStep::Vanished, [&] { throw PathNotFound().about(now); });
        failed.insert(shown, outcome.reason);
        errors.folderDone(now, outcome.reason);
    }
    return givenBack;
}

// A renamed folder as the journal means it: renamed again (forwards), or given its name back.
journal::Intent IntentOf(const RenamedFolder& folder, QChar separator, bool forwards) {
    QString before = WithoutTrailingSeparator(folder.before, separator);
    QString after = WithoutTrailingSeparator(folder.after, separator);
    if (!forwards)
        std::swap(before, after);
    return {0, folder.parent, std::move(before), std::move(after), folder.identity, true};
}

// What the undo means to do, in the order it does it: each folder from the name the run gave it
// back to the one it had.
std::vector<journal::Intent> UndoIntents(const std::vector<RenamedFolder>& folders,
                                         QChar separator) {
    std::vector<journal::Intent> intents;
    intents.reserve(folders.size());
    for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder)
        intents.push_back(IntentOf(*folder, separator, false));
    return intents;
}

// The folders an undo stopped before stay the last run on disk too, recorded as a run that renamed
// them, so that an undo after a restart takes back the rest and nothing else.
void RecordRest(const RunSurroundings& run) {
    const std::vector<RenamedFolder>& rest = run.lastRun.folders();
    if (run.journalFolder.isEmpty() || rest.empty())
        return;
    const QChar separator = run.fileSystem.separator();
    std::vector<journal::Intent> intents;
    intents.reserve(rest.size());
    for (const RenamedFolder& folder : rest)
        intents.push_back(IntentOf(folder, separator, true));
    RunRecorder recorder(run, journal::Kind::Run);
    if (!recorder.beforeAll(intents))
        return;
    for (std::size_t index = 0; index < rest.size(); ++index)
        recorder.renamedAsMeant(index);
    recorder.finish();
}

} // namespace

UndoResult UndoRun(const RunSurroundings& run) {
    UndoResult result;
    if (!run.lastRun.canUndo())
        return result;
    // Recorded as a run of its own, so that a crash half way can be finished or taken back.
    RunRecorder recorder(run, journal::Kind::Undo, run.lastRun.record());
    if (!recorder.beforeAll(UndoIntents(run.lastRun.folders(), run.fileSystem.separator())))
        return result;
    const std::vector<RenamedFolder> folders = run.lastRun.take();
    ListRows& rows = run.rows;
    RunErrors errors(run.dialogs);
    ErrorTrap trap(QString::fromUtf16(kUndoLastRunLabel), errors.report());
    // What the run's marks said gives way to what the undo does.
    trap.step(UndoStep::ClearMarks, [&] { rows.clearMarks(); });

    FollowedRenames restored(run.fileSystem.separator());
    QHash<QString, QString> failed;
    bool stopped = false;
    const int givenBack =
        GiveNamesBack(run, trap, errors, recorder, folders, restored, failed, stopped);
    recorder.finish();
    if (stopped)
        RecordRest(run);
    result.tally = RunTally{givenBack, static_cast<int>(failed.size()), stopped};
    trap.reach(UndoStep::RenamesDone);
    errors.finish();

    // Every row names its folder where it is now, and waits for a preview before the next run.
    trap.reach(UndoStep::ShowRows);
    const HeldChanges held(rows);
    RowCursor cursor(rows);
    while (const std::optional<int> row = cursor.takeAfter([&] {
        if (run.pump)
            trap.step(UndoStep::PumpBeforeRow, run.pump);
    })) {
        trap.step(UndoStep::WriteRow, [&] {
            const QString shown = rows.path(*row, ListRows::kNow).toString();
            const QString bears = restored.isEmpty() ? shown : restored.borne(shown);
            if (bears != shown)
                rows.setText(*row, ListRows::kNow, bears);
            if (!rows.path(*row, ListRows::kNewName).isEmpty())
                rows.setPath(*row, ListRows::kNewName, ListedPath());
            const auto why = failed.constFind(shown);
            if (why != failed.constEnd()) {
                rows.markNotDone(*row, *why);
                result.notDone.insert(bears, *why);
            }
        });
    }
    trap.reach(UndoStep::Done);
    return result;
}

UndoResult UndoLastRecordedRun(const RunSurroundings& run,
                               const std::function<void(const QString&)>& tell) {
    if (run.lastRun.canUndo() || run.lastRun.running() || run.journalFolder.isEmpty())
        return UndoRun(run);
    QString record;
    std::vector<RenamedFolder> folders =
        LoadLastFinishedRun(run.journalFolder, run.fileSystem.separator(), tell, &record);
    if (folders.empty())
        return {};
    LastRun recorded;
    recorded.replace(std::move(folders), std::move(record));
    return UndoRun({run.rows, run.fileSystem, run.dialogs, run.title, run.pump, recorded,
                    run.knownFolders, run.stopRequested, run.progress, run.journalFolder});
}

bool CanUndoLastRun(const RunSurroundings& run) {
    return run.lastRun.canUndo() || (!run.lastRun.running() && !run.journalFolder.isEmpty() &&
                                     HasFinishedRun(run.journalFolder));
}

UndoResult UndoLastRun(WindowServices& window) {
    if (window.isBusy())
        return {};
    RunSurroundings run = SurroundingsOf(window);
    run.progress = [&window](int done, int total) {
        window.workProgress(Work::Undoing, done, total);
    };
    return UndoLastRecordedRun(run, [&](const QString& text) {
        window.dialogs().showMessage(text, window.applicationTitle(), MessageButtons::Ok,
                                     MessageIcon::Warning);
    });
}

} // namespace tarnwick
