#include "folders/addfolders.h"

#include "common/errortrap.h"
#include "common/pathtext.h"
#include "folders/folderlist.h"
#include "folders/listrows.h"
#include "folders/subfolderwalk.h"
#include "folders/window.h"
#include "platform/filesystem.h"
#include "platform/memory.h"
#include "platform/userdialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>
#include <algorithm>
#include <utility>

namespace tarnwick {

namespace {

QString UpToFirstNul(const QString& text) {
    const qsizetype end = text.indexOf(QChar(0));
    return end < 0 ? text : text.left(end);
}

// The browser's start folder, NUL-terminated as the host's browser reads it. Every call sets it,
// so the browser never opens on an earlier choice.
QString& BrowserStartFolder() {
    static QString text;
    return text;
}

} // namespace

QString BrowseForFolder(UserDialogs& dialogs, QObject* owner, const QString& prompt,
                        const QString& startFolder) {
    BrowserStartFolder() = startFolder + QChar(0);
    const QString start = UpToFirstNul(BrowserStartFolder());
    return UpToFirstNul(dialogs.browseForFolder(owner, prompt, start));
}

namespace {

// The one order of an addition's rows, whichever way the folders were chosen: deepest first, by
// the number of separators, then in binary order of the paths. Every folder then stands before
// the folder that holds it, however deep the tree. Positions are sorted, not the folders: four
// bytes move where a path and its identity would, and no second copy of the list is made.
class DeeperFirst {
public:
    DeeperFirst(const std::vector<WalkedFolder>& folders, QChar separator)
        : m_folders(folders), m_depths(folders.size()) {
        for (std::size_t i = 0; i < folders.size(); ++i)
            m_depths[i] = folders[i].path.count(separator);
    }
    bool operator()(quint32 a, quint32 b) const {
        if (m_depths[a] != m_depths[b])
            return m_depths[a] > m_depths[b];
        const ListedPath& x = m_folders[a].path;
        const ListedPath& y = m_folders[b].path;
        // Siblings share their parent's very string: only their names need comparing.
        if (x.head().constData() == y.head().constData() && x.head().size() == y.head().size())
            return x.tail() < y.tail();
        return x < y;
    }

private:
    const std::vector<WalkedFolder>& m_folders;
    std::vector<qsizetype> m_depths;
};

QList<quint32> Positions(std::size_t count) {
    QList<quint32> positions(static_cast<qsizetype>(count));
    for (qsizetype i = 0; i < positions.size(); ++i)
        positions[i] = static_cast<quint32>(i);
    return positions;
}

// One chosen folder from the hourglass to its rows, numbered as in "Add Folder(s)". The caller
// sets the arrow back and runs the preview pass, once for everything it adds.
void AddChosenFolder(const AddSurroundings& add, ErrorTrap& trap, const QString& chosen) {
    const std::function<void()> noPump = [] {};
    const std::function<void()>& pump = add.pump ? add.pump : noPump;
    // Everything lives here and the rows are asked for afresh: a handler run from a pump (even
    // this one again) must find nothing of ours to invalidate.
    std::vector<WalkedFolder> paths;
    QList<quint32> order;
    const QChar separator = add.fileSystem.separator();
    if (add.setPointer)
        trap.step(AddStep::Hourglass, [&] { add.setPointer(PointerSetting::Hourglass); });
    std::vector<WalkedFolder> folders;
    // The chosen folder as its parent lists it: the run finds it there.
    trap.step(AddStep::TakeChosen, [&] {
        folders.push_back({ListedPath(chosen + separator),
                           add.fileSystem.entryIdentity(chosen).value_or(FileIdentity{})});
    });
    trap.step(AddStep::WalkSubfolders, [&] {
        if (add.withSubfolders())
            GetSubDirectories2016(folders, true, add.fileSystem, pump, ReportThrough(add.dialogs),
                                  add.progress, add.stopRequested);
    });
    trap.step(AddStep::TakeFound, [&] { paths = std::move(folders); });
    trap.step(AddStep::KeyByDepth, [&] { order = Positions(paths.size()); });
    trap.step(AddStep::Sort, [&] { SortWithPump(order, DeeperFirst(paths, separator), pump); });
    trap.step(AddStep::AppendRows, [&] {
        // Moved in sorted order: the rows then share their texts with the walk's instead of
        // holding copies.
        std::vector<ListedPath> rows;
        std::vector<FileIdentity> identities;
        rows.reserve(static_cast<std::size_t>(order.size()));
        identities.reserve(static_cast<std::size_t>(order.size()));
        for (const quint32 at : std::as_const(order)) {
            rows.push_back(std::move(paths[at].path));
            identities.push_back(paths[at].identity);
        }
        order = QList<quint32>();
        paths = std::vector<WalkedFolder>();
        add.rows.appendPaths(std::move(rows), std::move(identities));
        // The walk's levels and the sort's copies are gone; only the rows remain.
        ReturnFreedMemory();
    });
}

AddSurroundings SurroundingsOf(WindowServices& window) {
    return {window.folderList(),
            window.fileSystem(),
            window.dialogs(),
            [&window] { return window.subfolderOptionChecked(); },
            [&window] { window.pumpMessages(); },
            [&window](PointerSetting setting) { window.setPointer(setting); },
            [&window](int found) { window.workProgress(Work::Adding, found, 0); },
            [&window] { return window.stopRequested(); }};
}

bool StopRequested(const AddSurroundings& add) {
    return add.stopRequested && add.stopRequested();
}

} // namespace

void AddFolders(const AddSurroundings& surroundings, const QStringList& chosenFolders) {
    ErrorTrap trap(QString::fromUtf16(kAddFoldersLabel), ReportThrough(surroundings.dialogs));
    for (const QString& chosen : chosenFolders) {
        if (StopRequested(surroundings))
            break;
        AddChosenFolder(surroundings, trap, chosen);
    }
}

void PushButton3_Click(WindowServices& window) {
    ErrorTrap trap(QString::fromUtf16(kAddFoldersLabel), ReportThrough(window.dialogs()));
    trap.reach(AddStep::Start);
    QString chosen;
    trap.step(AddStep::Browse, [&] {
        chosen = BrowseForFolder(window.dialogs(), window.owner(),
                                 QCoreApplication::translate("Tarnwick", kSelectFolderPrompt),
                                 QString());
    });
    trap.reach(AddStep::CheckChosen);
    if (!chosen.isEmpty()) {
        AddChosenFolder(SurroundingsOf(window), trap, chosen);
        trap.step(AddStep::Arrow, [&] { window.setPointer(PointerSetting::Default); });
    }
    trap.step(AddStep::Preview, [&] { window.previewRename(); });
}

void AddChosenFolders(WindowServices& window, const QStringList& chosenFolders) {
    if (chosenFolders.isEmpty())
        return;
    ErrorTrap trap(QString::fromUtf16(kAddFoldersLabel), ReportThrough(window.dialogs()));
    // The hourglass is set again for each folder: an addition run from a pump in between may
    // have set the arrow back.
    const AddSurroundings add = SurroundingsOf(window);
    for (const QString& chosen : chosenFolders) {
        if (StopRequested(add))
            break;
        AddChosenFolder(add, trap, chosen);
    }
    trap.step(AddStep::Arrow, [&] { window.setPointer(PointerSetting::Default); });
    trap.step(AddStep::Preview, [&] { window.previewRename(); });
}

QString ChosenFolderPath(const QString& absolutePath) {
    // As a folder browser answers: no "." or ".." and no trailing separator except the root's.
    return QDir::toNativeSeparators(QDir::cleanPath(absolutePath));
}

} // namespace tarnwick
