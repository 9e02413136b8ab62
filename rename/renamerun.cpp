#include "rename/renamerun.h"

#include "common/pathtext.h"
#include "folders/folderlist.h"
#include "folders/window.h"
#include "platform/filesystem.h"
#include "platform/userdialogs.h"
#include "rename/followrenames.h"
#include "rename/lastrun.h"
#include "rename/parententries.h"
#include "rename/renameengine.h"
#include "rename/runerrors.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>

namespace tarnwick {
namespace {

void ShowRunMessage(WindowServices& window, const char16_t* text) {
    window.dialogs().showMessage(QString::fromUtf16(text), window.applicationTitle(),
                                 MessageButtons::Ok, MessageIcon::None);
}

// Rows added together list every folder from the chosen one down, and the walk never lists what
// lies behind a symbolic link. A listed folder that has become a link since leads out of the tree
// that was added: renaming below it would rename folders in the link's target.
class ListedLinks {
public:
    ListedLinks(FileSystem& fileSystem, const FolderListModel& list, QChar separator)
        : m_fileSystem(fileSystem) {
        // Only a listed folder that other rows lie below can lead them out: no other is kept.
        // Looked up through views of the rows' own texts, as the list keeps them for now.
        QSet<QStringView> parents;
        QStringList cutOut;
        QString buffer;
        for (const FolderEntry& entry : list.entries()) {
            const QStringView path = entry.now.joined(buffer);
            const qsizetype cut = LeafStart(path, separator);
            const QString& head = entry.now.head();
            if (cut <= 0)
                continue;
            if (head.size() == cut)
                parents.insert(head);
            else if (head.isEmpty())
                parents.insert(QStringView(entry.now.tail()).left(cut));
            else
                parents.insert(cutOut.emplace_back(path.left(cut).toString()));
        }
        for (const FolderEntry& entry : list.entries()) {
            const QStringView path = entry.now.joined(buffer);
            if (parents.contains(path))
                m_isLink.insert(path.toString(), std::nullopt);
        }
    }

    // True when a folder listed above path is a link now. Each is asked once a run, and none
    // when the parent was reached without a link on the way.
    bool above(const ListedPath& path, QChar separator, ParentEntries& parents) {
        // Rows of one parent come together, most of them sharing its string: what lies above
        // them is asked once for all of them.
        const bool atName = path.cutAtName(separator);
        const QString& head = path.head();
        if (atName && head.constData() == m_parent.constData() && head.size() == m_parent.size())
            return m_parentLeadsOut;
        QString parent = head;
        if (!atName) {
            const QString whole = path.toString();
            const qsizetype cut = LeafStart(whole, separator);
            if (cut <= 0)
                return false;
            parent = whole.left(cut);
        }
        if (m_parent.isEmpty() || parent != m_parent)
            m_parentLeadsOut = !parents.reachedWithoutLinks(parent) && leadsOut(parent, separator);
        m_parent = std::move(parent);
        return m_parentLeadsOut;
    }

private:
    // True when the folder or one listed above it is a link now.
    bool leadsOut(const QString& folder, QChar separator) {
        for (qsizetype at = folder.size() - 1; at > 0; at = folder.lastIndexOf(separator, at - 1)) {
            const auto listed = m_isLink.find(folder.left(at + 1));
            if (listed == m_isLink.end())
                continue;
            if (!listed->has_value()) {
                const std::optional<int> bits = m_fileSystem.attributes(listed.key());
                *listed = bits && (*bits & attribute::kReparsePoint);
            }
            if (**listed)
                return true;
        }
        return false;
    }

    FileSystem& m_fileSystem;
    QHash<QString, std::optional<bool>> m_isLink;
    QString m_parent;
    bool m_parentLeadsOut = false;
};

// Keeps the rename with the strings the row holds where they are its parent and names, so that
// a large run's record costs no more text than its list.
void Record(FollowedRenames& renamed, const RenameOutcome& outcome, const ListedPath& listed,
            const ListedPath& listedNext, QChar separator) {
    const QString& newName = outcome.newName;
    if (outcome.oldPath != listed || !listed.cutAtName(separator)) {
        renamed.renamed(outcome.oldPath.toString(), newName);
        return;
    }
    const QString& promised = listedNext.tail();
    renamed.renamed(
        {listed.head(), listed.tail(),
         IsNameWithSeparator(promised, newName, separator) ? promised : newName + separator});
}

} // namespace

void PushButton2_Click(WindowServices& window) {
    FolderListModel& list = window.folderList();
    const FailureReport report = ReportThrough(window.dialogs());
    ErrorTrap trap(QString::fromUtf16(kPushButton2ClickLabel), report);
    constexpr int kNow = FolderListModel::kNow;
    constexpr int kNewName = FolderListModel::kNewName;

    bool empty = false;
    trap.step(100, [&] { empty = list.count() == 0; });
    if (empty) {
        trap.reach(140);
        ShowRunMessage(window, kNoFilesAddedMessage);
        return;
    }
    bool previewed = true;
    trap.step(102, [&] { previewed = !list.text(0, kNewName).isEmpty(); });
    if (!previewed) {
        trap.reach(138);
        ShowRunMessage(window, kPreviewFirstMessage);
        return;
    }

    trap.reach(104);
    // Ended with the handler, so that an undo cannot slip in while the list still shows paths
    // from before the run.
    LastRun& lastRun = window.lastRun();
    lastRun.begin();
    struct RunEnds {
        LastRun& lastRun;
        ~RunEnds() { lastRun.end(); }
    } runEnds{lastRun};
    // What the preview promised gives way to what the run does.
    list.clearMarks();
    FileSystem& fileSystem = window.fileSystem();
    // Where each renamed folder went, under the current path it was listed with. Keyed by the
    // text, not the position: rows may move while the window is live, and every row listing a
    // renamed folder then shows where it is.
    FollowedRenames renamed(fileSystem.separator());
    renamed.reserve(static_cast<std::size_t>(list.count()));
    // Why each listed folder that was to be renamed was not.
    QHash<QString, QString> notDone;
    const QChar separator = fileSystem.separator();
    ListedLinks links(fileSystem, list, separator);
    ParentEntries parents(fileSystem);
    RunErrors errors(window.dialogs());
    const FailureReport engineReport = errors.report();
    // A row that is no longer there is not renamed and is no failure: the window is live, and
    // clearing or shortening the list during a run is the user's way to stop it.
    RowCursor cursor(list);
    while (const std::optional<int> row =
               cursor.takeAfter([&] { trap.step(106, [&] { window.pumpMessages(); }); })) {
        // Read together: a row is taken whole or not at all.
        trap.reach(108);
        const ListedPath listed = list.path(*row, kNow);
        trap.reach(110);
        const ListedPath listedNext = list.path(*row, kNewName);
        trap.reach(112);
        if (listedNext.isEmpty() || links.above(listed, separator, parents))
            continue;
        trap.reach(114);
        const RenameOutcome outcome =
            RenameFilesWild(fileSystem, parents, engineReport, listed, listedNext);
        if (!outcome.renamed) {
            const QString now = listed.toString();
            // A root has no name of its own to change, and nothing to tell.
            if (!outcome.reason.isEmpty())
                notDone.insert(now, outcome.reason);
            errors.folderDone(WithoutTrailingSeparator(now, separator), outcome.reason);
            continue;
        }
        if (!notDone.isEmpty())
            notDone.remove(listed.toString());
        // A folder left with the name it had is no rename.
        if (outcome.newPath != outcome.oldPath)
            Record(renamed, outcome, listed, listedNext, separator);
        // Its parent found in other letter case: the rows below it were renamed under the parent
        // as found, and their paths name it so.
        if (outcome.oldPath != listed)
            renamed.foundAs(listed.toString(), outcome.newPath.toString());
    }
    trap.reach(116);
    errors.finish();

    // The rows a pass writes are shown as the window paints, not one by one.
    const HeldChanges held(list);

    // Column 1 shows the path each folder bears now: a row whose rename failed keeps its folder's
    // path, and a row below a renamed folder follows it.
    trap.reach(118);
    cursor.restart();
    while (const std::optional<int> row =
               cursor.takeAfter([&] { trap.step(120, [&] { window.pumpMessages(); }); })) {
        trap.reach(122);
        const ListedPath now = list.path(*row, kNow);
        trap.reach(124);
        // A row whose folder was not renamed says why, in words and not by colour alone.
        if (!notDone.isEmpty()) {
            if (const auto reason = notDone.constFind(now.toString()); reason != notDone.constEnd())
                list.markNotDone(*row, *reason);
        }
        if (renamed.isEmpty())
            continue;
        bool changed = false;
        ListedPath bears = renamed.borne(now, changed);
        if (changed)
            trap.step(126, [&] { list.setPath(*row, kNow, std::move(bears)); });
    }
    trap.reach(128);

    trap.reach(130);
    cursor.restart();
    while (const std::optional<int> row =
               cursor.takeAfter([&] { trap.step(132, [&] { window.pumpMessages(); }); })) {
        trap.step(134, [&] { list.setText(*row, kNewName, QString()); });
    }
    trap.reach(136);
    lastRun.keep(renamed.takeFolders());
}

} // namespace tarnwick
