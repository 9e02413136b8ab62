#include "cli/casecommand.h"

#include "cli/arguments.h"
#include "cli/caseplan.h"
#include "cli/commandservices.h"
#include "cli/dryrunfilesystem.h"
#include "cli/folderarguments.h"
#include "cli/output.h"
#include "cli/terminal.h"
#include "cli/terminaldialogs.h"
#include "folders/knownfolders.h"
#include "platform/filesystem.h"
#include "rename/lastrun.h"
#include "rename/renamerun.h"

#include <QCoreApplication>
#include <QLocale>

namespace tarnwick::cli {

namespace {

QString Arrow(const QString& from, const QString& to) {
    return from + QStringLiteral(" \u2192 ") + to;
}

// What became of one row in a run, real or dry.
enum class Fate { Renamed, Unchanged, NotRenamed, NotReached };

Fate FateOf(const RowVector::Row& before, const RowVector::Row& after) {
    if (!after.notDone.isEmpty())
        return Fate::NotRenamed;
    if (!after.newPath.isEmpty())
        return Fate::NotReached;
    return before.newPath == before.now ? Fate::Unchanged : Fate::Renamed;
}

struct Counts {
    int renamed = 0;
    int unchanged = 0;
    int notRenamed = 0;
    int notReached = 0;
};

// The folders named as a FOLDER or read from standard input, checked; refused ones are told.
std::optional<QStringList> ChosenFolders(const Request& request, CommandServices& services,
                                         Output& output) {
    QStringList refused;
    QList<QByteArray> given = request.folders;
    QString origin;
    if (given == QList<QByteArray>{"-"}) {
        given = NulSeparated(services.readStandardInput(), refused);
        //: Where a path came from: its record of standard input, numbered from 1.
        origin = QCoreApplication::translate("Tarnwick", "record %1 of standard input:");
    }
    const CheckedFolders checked =
        CheckFolders(given, services.fileSystem, services.workingFolder, origin);
    refused += checked.refused;
    for (const QString& line : refused)
        output.error(line);
    if (!refused.isEmpty())
        return std::nullopt;
    return checked.folders;
}

// The plan's lines, its marks and its summary, from a dry run through the engine itself.
int PrintPlan(const RowVector& rows, const RowVector& after, const RowMarks& marks, QChar separator,
              Output& output) {
    Counts counts;
    const auto& before = rows.rows();
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (FateOf(before[i], after.rows()[i]) != Fate::Renamed)
            continue;
        ++counts.renamed;
        const QString from = ShownPath(before[i].now.toString(), separator);
        const QString to = ShownPath(before[i].newPath.toString(), separator);
        output.folder({from, to, QStringLiteral("rename"), {}}, Arrow(from, to));
    }
    for (std::size_t i = 0; i < before.size(); ++i) {
        const int row = static_cast<int>(i);
        const QString path = ShownPath(before[i].now.toString(), separator);
        const QString to = ShownPath(before[i].newPath.toString(), separator);
        if (marks.at(row) == RowMark::Collision) {
            // The window's words, the other folder named as the lines name folders.
            const QString words =
                QCoreApplication::translate("Tarnwick", "Another listed folder gets this name: %1")
                    .arg(ShownPath(marks.note(row), separator));
            output.folder({path, to, QStringLiteral("collision"), words},
                          QCoreApplication::translate("Tarnwick", "%1: %2").arg(path, words));
        }
        const Fate fate = FateOf(before[i], after.rows()[i]);
        counts.unchanged += fate == Fate::Unchanged;
        if (fate != Fate::NotRenamed)
            continue;
        ++counts.notRenamed;
        const QString& why = after.rows()[i].notDone;
        output.folder({path, to, QStringLiteral("refused"), why},
                      QCoreApplication::translate("Tarnwick", "%1: %2").arg(path, why));
    }
    const QLocale locale;
    output.summary(QCoreApplication::translate("Tarnwick",
                                               "%1 to rename, %2 unchanged, %3 refused; nothing "
                                               "renamed (add --apply to rename)")
                       .arg(locale.toString(counts.renamed), locale.toString(counts.unchanged),
                            locale.toString(counts.notRenamed)),
                   {{QStringLiteral("toRename"), counts.renamed},
                    {QStringLiteral("unchanged"), counts.unchanged},
                    {QStringLiteral("refused"), counts.notRenamed}});
    return counts.notRenamed > 0 ? kSomeNotDone : kAllDone;
}

// What the run did: one line per folder not renamed (with --json, per folder renamed too).
int PrintRun(const RowVector& rows, const RowVector& after, bool stopped, QChar separator,
             Output& output) {
    Counts counts;
    const auto& before = rows.rows();
    for (std::size_t i = 0; i < before.size(); ++i) {
        const QString path = ShownPath(before[i].now.toString(), separator);
        const QString to = ShownPath(before[i].newPath.toString(), separator);
        switch (FateOf(before[i], after.rows()[i])) {
        case Fate::Renamed:
            ++counts.renamed;
            if (output.json())
                output.folder({path, to, QStringLiteral("renamed"), {}}, {});
            break;
        case Fate::Unchanged:
            ++counts.unchanged;
            break;
        case Fate::NotReached:
            ++counts.notReached;
            break;
        case Fate::NotRenamed: {
            ++counts.notRenamed;
            const QString& why = after.rows()[i].notDone;
            output.folder({path, to, QStringLiteral("not-renamed"), why},
                          QCoreApplication::translate("Tarnwick", "%1: %2").arg(path, why));
            break;
        }
        }
    }
    const QLocale locale;
    QString text =
        QCoreApplication::translate("Tarnwick", "%1 renamed, %2 unchanged, %3 not renamed")
            .arg(locale.toString(counts.renamed), locale.toString(counts.unchanged),
                 locale.toString(counts.notRenamed));
    if (stopped)
        text =
            QCoreApplication::translate("Tarnwick", "Stopped: %1; %2 not reached keep their names")
                .arg(text, locale.toString(counts.notReached));
    output.summary(text, {{QStringLiteral("renamed"), counts.renamed},
                          {QStringLiteral("unchanged"), counts.unchanged},
                          {QStringLiteral("notRenamed"), counts.notRenamed},
                          {QStringLiteral("notReached"), counts.notReached}});
    if (stopped)
        return kStopped;
    return counts.notRenamed > 0 ? kSomeNotDone : kAllDone;
}

} // namespace

int RunCase(const Request& request, CommandServices& services, Output& output,
            ProgressLine& progress) {
    const std::optional<QStringList> chosen = ChosenFolders(request, services, output);
    if (!chosen)
        return kBadUsage;
    FileSystem& host = services.fileSystem;
    const QChar separator = host.separator();
    TerminalDialogs dialogs(output);
    RowVector rows;
    try {
        rows =
            AddChosen(*chosen, request.subfolders, host, dialogs, progress, services.stopRequested);
    } catch (const AdditionStopped&) {
        progress.erase();
        output.error(QCoreApplication::translate("Tarnwick", "Stopped while adding folders; "
                                                             "nothing was renamed"));
        return kStopped;
    }
    const KnownFolders known(host, services.knownFolderPaths);
    const RowMarks marks = Preview(rows, *request.operation, known, separator);

    // Without --apply the run goes through the engine against the disk as the renames would
    // leave it, and renames nothing.
    std::optional<DryRunFileSystem> dry;
    if (!request.apply) {
        dry.emplace(host);
        dialogs.setQuiet(true);
    }
    RowVector after = rows;
    // What --apply renamed; the journal records the applied run only, never the dry run, which
    // renames nothing.
    LastRun lastRun;
    progress.stage(request.apply ? QCoreApplication::translate("Tarnwick", "Folders renamed")
                                 : QCoreApplication::translate("Tarnwick", "Folders checked"));
    const RunSurroundings run{after,
                              dry ? static_cast<FileSystem&>(*dry) : host,
                              dialogs,
                              QStringLiteral("Tarnwick"),
                              {},
                              lastRun,
                              known,
                              services.stopRequested,
                              [&progress](int done, int total) { progress.tell(done, total); },
                              request.apply ? services.journalFolder : QString()};
    const std::optional<RunTally> tally = rows.count() ? RunRenames(run) : RunTally{};
    progress.erase();
    if (!request.apply && tally && tally->stopped) {
        output.error(QCoreApplication::translate("Tarnwick", "Stopped; nothing was renamed"));
        return kStopped;
    }
    int status = request.apply ? PrintRun(rows, after, tally && tally->stopped, separator, output)
                               : PrintPlan(rows, after, marks, separator, output);
    // Stopped without Ctrl+C: the run could not be recorded, and a script is never asked to go
    // on without its record. Some folders were not renamed, as the line before said.
    if (status == kStopped && !(services.stopRequested && services.stopRequested()))
        status = kSomeNotDone;
    return output.closed() ? kOutputClosed : status;
}

} // namespace tarnwick::cli
