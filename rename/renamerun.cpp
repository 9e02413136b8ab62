#include "rename/renamerun.h"

#include "common/pathtext.h"
#include "common/sametext.h"
#include "folders/folderlist.h"
#include "folders/listrows.h"
#include "folders/rowcursor.h"
#include "folders/window.h"
#include "platform/filesystem.h"
#include "platform/userdialogs.h"
#include "rename/followrenames.h"
#include "rename/lastrun.h"
#include "rename/listedtwice.h"
#include "rename/parententries.h"
#include "rename/renameengine.h"
#include "rename/runerrors.h"
#include "rename/runrecorder.h"

#include <QCoreApplication>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>

namespace tarnwick {
namespace {

void ShowRunMessage(const RunSurroundings& run, const char* text) {
    run.dialogs.showMessage(QCoreApplication::translate("Tarnwick", text), run.title,
                            MessageButtons::Ok, MessageIcon::None);
}

// Rows added together list every folder from the chosen one down. A folder renamed is one whose
// parent is the folder listed above it: another folder put in its place since (a symbolic link
// leading out of the tree, a folder moved in) would make the run rename folders that were never
// listed. Known by the identity the parent's row was listed with where the host keeps identities;
// elsewhere by whether a listed folder above has become a link.
class ListedParents {
public:
    ListedParents(FileSystem& fileSystem, const ListRows& rows, QChar separator)
        : m_fileSystem(fileSystem) {
        // Only a listed folder that other rows lie below is asked about: no other is kept.
        // Looked up through views of the rows' own texts, as the list keeps them for now.
        QSet<QStringView> parents;
        QStringList cutOut;
        QString buffer;
        for (int row = 0; row < rows.count(); ++row) {
            const ListedPath& now = rows.path(row, ListRows::kNow);
            const QStringView path = now.joined(buffer);
            const qsizetype cut = LeafStart(path, separator);
            const QString& head = now.head();
            if (cut <= 0)
                continue;
            if (head.size() == cut)
                parents.insert(head);
            else if (head.isEmpty())
                parents.insert(QStringView(now.tail()).left(cut));
            else
                parents.insert(cutOut.emplace_back(path.left(cut).toString()));
        }
        for (int row = 0; row < rows.count(); ++row) {
            const QStringView path = rows.path(row, ListRows::kNow).joined(buffer);
            if (parents.contains(path))
                m_listed.insert(path.toString(), {std::nullopt, rows.identity(row)});
        }
    }

    // True when the folder above path is no longer the one listed. Each is asked once a run.
    bool changedAbove(const ListedPath& path, QChar separator, ParentEntries& parents) {
        // Rows of one parent come together, most of them sharing its string: what lies above
        // them is asked once for all of them.
        const bool atName = path.cutAtName(separator);
        const QString& head = path.head();
        if (atName && SameText(head, m_parent))
            return m_parentChanged;
        QString parent = head;
        if (!atName) {
            const QString whole = path.toString();
            const qsizetype cut = LeafStart(whole, separator);
            if (cut <= 0)
                return false;
            parent = whole.left(cut);
        }
        if (m_parent.isEmpty() || parent != m_parent)
            m_parentChanged = changed(parent, separator, parents);
        m_parent = std::move(parent);
        return m_parentChanged;
    }

private:
    struct Listed {
        // Whether it is a symbolic link now; asked when needed.
        std::optional<bool> isLink;
        // What it was when listed; zero where unknown.
        FileIdentity identity;
    };

    bool changed(const QString& parent, QChar separator, ParentEntries& parents) {
        const auto listed = m_listed.constFind(parent);
        if (listed != m_listed.constEnd() && listed->identity != FileIdentity{}) {
            // A parent not found is not told here: the run's own step tells it.
            if (const std::optional<FileIdentity> now = parents.listedIdentity(parent))
                return *now != listed->identity;
        }
        return !parents.reachedWithoutLinks(parent) && leadsOut(parent, separator);
    }

    // True when the folder or one listed above it is a link now.
    bool leadsOut(const QString& folder, QChar separator) {
        for (qsizetype at = folder.size() - 1; at > 0; at = folder.lastIndexOf(separator, at - 1)) {
            const auto listed = m_listed.find(folder.left(at + 1));
            if (listed == m_listed.end())
                continue;
            if (!listed->isLink) {
                const std::optional<int> bits = m_fileSystem.attributes(listed.key());
                listed->isLink = bits && (*bits & attribute::kReparsePoint);
            }
            if (*listed->isLink)
                return true;
        }
        return false;
    }

    FileSystem& m_fileSystem;
    QHash<QString, Listed> m_listed;
    QString m_parent;
    bool m_parentChanged = false;
};

// Keeps the rename with the strings the row holds where they are its parent and names, so that
// a large run's record costs no more text than its list.
void Record(FollowedRenames& renamed, const RenameOutcome& outcome, const ListedPath& listed,
            const ListedPath& listedNext, QChar separator) {
    const QString& newName = outcome.newName;
    if (outcome.oldPath != listed || !listed.cutAtName(separator)) {
        renamed.renamed(outcome.oldPath.toString(), newName, outcome.identity);
        return;
    }
    const QString& promised = listedNext.tail();
    renamed.renamed(
        {listed.head(), listed.tail(),
         IsNameWithSeparator(promised, newName, separator) ? promised : newName + separator,
         outcome.identity});
}

// One run over the rows, in its three passes.
class Run {
public:
    explicit Run(const RunSurroundings& surroundings)
        : m_run(surroundings), m_rows(surroundings.rows), m_fileSystem(surroundings.fileSystem),
          m_separator(m_fileSystem.separator()),
          m_trap(QString::fromUtf16(kPushButton2ClickLabel), ReportThrough(surroundings.dialogs)),
          m_renamed(m_separator), m_cursor(m_rows) {}

    // "No files added." and "preview first" end the run before it starts.
    bool mayStart() {
        bool empty = false;
        m_trap.step(RunStep::CheckList, [&] { empty = m_rows.count() == 0; });
        if (empty) {
            m_trap.reach(RunStep::NoFilesAdded);
            ShowRunMessage(m_run, kNoFilesAddedMessage);
            return false;
        }
        bool previewed = true;
        m_trap.step(RunStep::CheckPreviewed, [&] {
            previewed = !m_rows.path(0, ListRows::kNewName).isEmpty() || continuesStoppedRun();
        });
        if (!previewed) {
            m_trap.reach(RunStep::PreviewFirst);
            ShowRunMessage(m_run, kPreviewFirstMessage);
        }
        return previewed;
    }

    // Renames every row's folder that has a new path. A row that is no longer there is not
    // renamed and is no failure: the window is live, and clearing or shortening the list during
    // a run is the user's way to stop it.
    void renameAll() {
        m_trap.reach(RunStep::Begin);
        // What the preview promised gives way to what the run does.
        m_rows.clearMarks();
        m_renamed.reserve(static_cast<std::size_t>(m_rows.count()));
        ListedParents above(m_fileSystem, m_rows, m_separator);
        ListedTwice twice(m_rows);
        ParentEntries parents(m_fileSystem);
        RunErrors errors(m_run.dialogs);
        const FailureReport report = errors.report();
        while (const std::optional<int> row = nextRow(RunStep::PumpBeforeRename)) {
            if (m_run.progress)
                m_run.progress(*row, m_rows.count());
            if (m_run.stopRequested && m_run.stopRequested()) {
                stopAt(*row);
                break;
            }
            // Read together: a row is taken whole or not at all.
            m_trap.reach(RunStep::ReadPath);
            const ListedPath listed = m_rows.path(*row, ListRows::kNow);
            m_trap.reach(RunStep::ReadNewPath);
            const ListedPath listedNext = m_rows.path(*row, ListRows::kNewName);
            m_trap.reach(RunStep::CheckRow);
            if (listedNext.isEmpty())
                continue;
            const FileIdentity listedAs = m_rows.identity(*row);
            if (twice.renamedBefore(listedAs, listed))
                continue;
            if (m_run.knownFolders.contains(listed)) {
                m_notDone.insert(listed.toString(), QString::fromUtf16(kKnownFolderWords));
                continue;
            }
            // Not without a record, unless the user agrees.
            if (!m_recorder.beforeRename(*row, listed, listedNext, listedAs)) {
                stopAt(*row);
                break;
            }
            // Renaming below a listed folder that is another folder now would rename folders
            // that were never listed: the row says so, without a box.
            if (above.changedAbove(listed, m_separator, parents)) {
                m_recorder.left();
                m_notDone.insert(listed.toString(),
                                 QCoreApplication::translate("Tarnwick", kLeadsElsewhereReason));
                continue;
            }
            m_trap.reach(RunStep::Rename);
            const RenameOutcome outcome =
                RenameFilesWild(m_fileSystem, parents, report, listed, listedNext, listedAs);
            if (outcome.renamed()) {
                keep(outcome, listed, listedNext);
                twice.renamed(listedAs, listed);
            } else
                notRenamed(outcome, listed, errors);
        }
        m_recorder.finish();
        m_trap.reach(RunStep::RenamesDone);
        errors.finish();
    }

    // Each row shows the path its folder bears now: a row whose rename failed keeps its folder's
    // path, and says why, in words and not by colour alone; a row below a renamed folder follows
    // it.
    void followPaths() {
        m_trap.reach(RunStep::FollowPaths);
        m_cursor.restart();
        while (const std::optional<int> row = nextRow(RunStep::PumpBeforeFollow)) {
            m_trap.reach(RunStep::ReadRow);
            const ListedPath now = m_rows.path(*row, ListRows::kNow);
            m_trap.reach(RunStep::MarkRow);
            if (!m_notDone.isEmpty()) {
                const auto reason = m_notDone.constFind(now.toString());
                if (reason != m_notDone.constEnd())
                    m_rows.markNotDone(*row, *reason);
            }
            if (m_renamed.isEmpty())
                continue;
            if (std::optional<ListedPath> bears = m_renamed.movedTo(now))
                m_trap.step(RunStep::WritePath,
                            [&] { m_rows.setPath(*row, ListRows::kNow, std::move(*bears)); });
        }
        m_trap.reach(RunStep::PathsFollowed);
    }

    // Every new path is emptied: the next run waits for a preview. What was renamed is kept.
    void clearNewPaths() {
        m_trap.reach(RunStep::ClearNewNames);
        m_cursor.restart();
        while (const std::optional<int> row = nextRow(RunStep::PumpBeforeClear)) {
            if (m_stopped && *row >= m_unreached.position())
                break;
            m_trap.step(RunStep::ClearNewName,
                        [&] { m_rows.setPath(*row, ListRows::kNewName, ListedPath()); });
        }
        m_trap.reach(RunStep::Done);
        std::vector<RenamedFolder> renamed = m_renamed.takeFolders();
        m_renamedCount = static_cast<int>(renamed.size());
        m_run.lastRun.keep(std::move(renamed));
        if (m_stopped)
            m_run.lastRun.stoppedEarly();
    }

    // A run the user stopped is continued by the next: its first rows are done, the rest still
    // have the new paths the preview gave them.
    bool continuesStoppedRun() const {
        if (!m_run.lastRun.mayContinue())
            return false;
        for (int row = 1; row < m_rows.count(); ++row)
            if (!m_rows.path(row, ListRows::kNewName).isEmpty())
                return true;
        return false;
    }

    RunTally tally() const {
        return {m_renamedCount, static_cast<int>(m_notDone.size()), m_stopped};
    }

private:
    std::optional<int> nextRow(RunStep pumpStep) {
        return m_cursor.takeAfter([&] {
            if (m_run.pump)
                m_trap.step(pumpStep, m_run.pump);
        });
    }

    // The renaming ends before row; the rows from there on keep their new paths.
    void stopAt(int row) {
        m_unreached.moveTo(row);
        m_stopped = true;
    }

    void keep(const RenameOutcome& outcome, const ListedPath& listed,
              const ListedPath& listedNext) {
        m_recorder.renamed(outcome);
        if (!m_notDone.isEmpty())
            m_notDone.remove(listed.toString());
        // A folder left with the name it had is no rename.
        if (outcome.newPath != outcome.oldPath)
            Record(m_renamed, outcome, listed, listedNext, m_separator);
        // Its parent found in other letter case: the rows below it were renamed under the parent
        // as found, and their paths name it so.
        if (outcome.oldPath != listed)
            m_renamed.foundAs(listed.toString(), outcome.newPath.toString());
    }

    void notRenamed(const RenameOutcome& outcome, const ListedPath& listed, RunErrors& errors) {
        m_recorder.left();
        const QString now = listed.toString();
        // A root has no name of its own to change, and nothing to tell.
        if (!outcome.reason.isEmpty())
            m_notDone.insert(now, outcome.reason);
        errors.folderDone(WithoutTrailingSeparator(now, m_separator), outcome.reason);
    }

    const RunSurroundings& m_run;
    ListRows& m_rows;
    FileSystem& m_fileSystem;
    const QChar m_separator;
    ErrorTrap m_trap;
    // Where each renamed folder went, under the current path it was listed with. Keyed by the
    // text, not the position: rows may move while the window is live, and every row listing a
    // renamed folder then shows where it is.
    FollowedRenames m_renamed;
    // Why each listed folder that was to be renamed was not.
    QHash<QString, QString> m_notDone;
    int m_renamedCount = 0;
    RowCursor m_cursor;
    // Where the renaming stopped when asked to, following rows removed above it since.
    RowCursor m_unreached{m_rows};
    bool m_stopped = false;
    RunRecorder m_recorder{m_run, journal::Kind::Run};
};

} // namespace

std::optional<RunTally> RunRenames(const RunSurroundings& surroundings) {
    Run run(surroundings);
    if (!run.mayStart())
        return std::nullopt;
    // Ended with the run, so that an undo cannot slip in while the rows still show paths from
    // before the run.
    LastRun& lastRun = surroundings.lastRun;
    lastRun.begin();
    struct RunEnds {
        LastRun& lastRun;
        ~RunEnds() { lastRun.end(); }
    } runEnds{lastRun};
    run.renameAll();
    // The rows a pass writes are shown as the window paints, not one by one.
    const HeldChanges held(surroundings.rows);
    run.followPaths();
    run.clearNewPaths();
    return run.tally();
}

RunSurroundings SurroundingsOf(WindowServices& window) {
    return {window.folderList(),
            window.fileSystem(),
            window.dialogs(),
            window.applicationTitle(),
            [&window] { window.pumpMessages(); },
            window.lastRun(),
            KnownFolders(window.fileSystem(), window.knownFolderPaths()),
            [&window] { return window.stopRequested(); },
            [&window](int done, int total) { window.workProgress(Work::Renaming, done, total); },
            window.journalFolder()};
}

std::optional<RunTally> PushButton2_Click(WindowServices& window) {
    return RunRenames(SurroundingsOf(window));
}

} // namespace tarnwick
