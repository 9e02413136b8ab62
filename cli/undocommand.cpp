#include "cli/undocommand.h"

#include "cli/arguments.h"
#include "cli/casecommand.h"
#include "cli/commandservices.h"
#include "cli/output.h"
#include "cli/terminal.h"
#include "cli/terminaldialogs.h"
#include "folders/knownfolders.h"
#include "folders/rowvector.h"
#include "platform/filesystem.h"
#include "rename/followrenames.h"
#include "rename/renamerun.h"
#include "rename/undo.h"

#include <QCoreApplication>
#include <QLocale>

namespace tarnwick::cli {

namespace {

// Each folder where the run left it: its own new name, below the names its parents got after it.
QStringList WhereLeft(const std::vector<RenamedFolder>& folders, QChar separator) {
    FollowedRenames ran(separator, folders);
    QStringList paths;
    paths.reserve(static_cast<qsizetype>(folders.size()));
    for (const RenamedFolder& folder : folders)
        paths << ran.borne(folder.beforePath());
    return paths;
}

int SayWhatItWouldDo(const std::vector<RenamedFolder>& folders, QChar separator, Output& output) {
    const QStringList left = WhereLeft(folders, separator);
    // Backwards through the run, as the undo goes: a parent gets its name back before the
    // folders below it.
    for (qsizetype at = left.size() - 1; at >= 0; --at) {
        const RenamedFolder& folder = folders[static_cast<std::size_t>(at)];
        const QString now = ShownPath(left[at], separator);
        const qsizetype cut = now.size() - WithoutTrailingSeparator(folder.after, separator).size();
        const QString back = now.left(cut) + WithoutTrailingSeparator(folder.before, separator);
        output.folder({now, back, QStringLiteral("give-back"), {}},
                      now + QStringLiteral(" \u2192 ") + back);
    }
    const int count = static_cast<int>(folders.size());
    output.summary(QCoreApplication::translate("Tarnwick",
                                               "%1 folders to give their names back; nothing "
                                               "renamed (add --apply to undo)")
                       .arg(QLocale().toString(count)),
                   {{QStringLiteral("toGiveBack"), count}});
    return kAllDone;
}

int GiveBack(RecordedRun recorded, CommandServices& services, Output& output,
             ProgressLine& progress) {
    std::vector<RenamedFolder>& folders = recorded.folders;
    FileSystem& host = services.fileSystem;
    RowVector rows;
    std::vector<ListedPath> paths;
    for (const QString& path : WhereLeft(folders, host.separator()))
        paths.emplace_back(path);
    rows.appendPaths(std::move(paths));
    LastRun lastRun;
    lastRun.replace(std::move(folders), std::move(recorded.record));
    TerminalDialogs dialogs(output);
    progress.stage(QCoreApplication::translate("Tarnwick", "Folders given their names back"));
    const RunSurroundings run{rows,
                              host,
                              dialogs,
                              QStringLiteral("Tarnwick"),
                              {},
                              lastRun,
                              KnownFolders(host, services.knownFolderPaths),
                              // Ctrl+C stops it after the folder in hand; the folders not reached
                              // stay the last run, which the next --undo takes back.
                              services.stopRequested,
                              {},
                              // Recorded as the window's undo is: a crash half way can be
                              // settled, and the run taken back is retired.
                              services.journalFolder};
    const UndoResult result = UndoRun(run);
    progress.erase();
    // Not made: the undo could not be recorded, as the line before said, and a script is never
    // asked to go on without its record.
    if (!result.tally)
        return kSomeNotDone;
    const QChar separator = host.separator();
    for (auto why = result.notDone.constBegin(); why != result.notDone.constEnd(); ++why) {
        const QString path = ShownPath(why.key(), separator);
        output.folder({path, {}, QStringLiteral("not-given-back"), why.value()},
                      QCoreApplication::translate("Tarnwick", "%1: %2").arg(path, why.value()));
    }
    const RunTally tally = result.tally.value_or(RunTally{});
    const QLocale locale;
    output.summary(QCoreApplication::translate("Tarnwick", "%1 given their names back, %2 not")
                       .arg(locale.toString(tally.renamed), locale.toString(tally.notRenamed)),
                   {{QStringLiteral("givenBack"), tally.renamed},
                    {QStringLiteral("notGivenBack"), tally.notRenamed}});
    if (tally.stopped)
        return kStopped;
    return tally.notRenamed > 0 ? kSomeNotDone : kAllDone;
}

} // namespace

int RunUndo(const Request& request, CommandServices& services, Output& output,
            ProgressLine& progress) {
    std::optional<RecordedRun> recorded;
    if (services.loadLastRun)
        recorded = services.loadLastRun();
    if (!recorded || recorded->folders.empty()) {
        output.error(QCoreApplication::translate("Tarnwick", "no recorded run to undo"));
        return kSomeNotDone;
    }
    const int status = request.apply ? GiveBack(std::move(*recorded), services, output, progress)
                                     : SayWhatItWouldDo(recorded->folders,
                                                        services.fileSystem.separator(), output);
    return output.closed() ? kOutputClosed : status;
}

} // namespace tarnwick::cli
