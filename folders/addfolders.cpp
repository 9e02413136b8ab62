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

struct SortEntry {
    qsizetype depth = 0;
    ListedPath path;
    FileIdentity identity{};
};

// The one order of an addition's rows, whichever way the folders were chosen: deepest first, by
// the number of separators, then in binary order of the paths. Every folder then stands before
// the folder that holds it, however deep the tree.
bool DeeperFirst(const SortEntry& a, const SortEntry& b) {
    return a.depth != b.depth ? a.depth > b.depth : a.path < b.path;
}

QList<SortEntry> EntriesWithDepth(std::vector<WalkedFolder>& folders, QChar separator) {
    QList<SortEntry> entries;
    entries.reserve(static_cast<qsizetype>(folders.size()));
    for (WalkedFolder& folder : folders) {
        const qsizetype depth = folder.path.count(separator);
        entries.append({depth, std::move(folder.path), folder.identity});
    }
    return entries;
}

// One chosen folder from the hourglass to its rows, numbered as in "Add Folder(s)". The caller
// sets the arrow back and runs the preview pass, once for everything it adds.
void AddChosenFolder(const AddSurroundings& add, ErrorTrap& trap, const QString& chosen) {
    const std::function<void()> noPump = [] {};
    const std::function<void()>& pump = add.pump ? add.pump : noPump;
    // Everything lives here and the rows are asked for afresh: a handler run from a pump (even
    // this one again) must find nothing of ours to invalidate.
    std::vector<WalkedFolder> paths;
    QList<SortEntry> keyed;
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
                                  add.progress);
    });
    trap.step(AddStep::TakeFound, [&] { paths = std::move(folders); });
    // Sorted with the paths themselves: the rows then share their texts with the walk's instead
    // of holding copies.
    trap.step(AddStep::KeyByDepth, [&] {
        keyed = EntriesWithDepth(paths, separator);
        paths.clear();
        folders.clear();
    });
    trap.step(AddStep::Sort, [&] { SortWithPump(keyed, DeeperFirst, pump); });
    trap.step(AddStep::AppendRows, [&] {
        std::vector<ListedPath> rows;
        std::vector<FileIdentity> identities;
        rows.reserve(static_cast<std::size_t>(keyed.size()));
        identities.reserve(static_cast<std::size_t>(keyed.size()));
        for (SortEntry& entry : keyed) {
            rows.push_back(std::move(entry.path));
            identities.push_back(entry.identity);
        }
        keyed.clear();
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
            [&window](int found) { window.workProgress(Work::Adding, found, 0); }};
}

} // namespace

void AddFolders(const AddSurroundings& surroundings, const QStringList& chosenFolders) {
    ErrorTrap trap(QString::fromUtf16(kAddFoldersLabel), ReportThrough(surroundings.dialogs));
    for (const QString& chosen : chosenFolders)
        AddChosenFolder(surroundings, trap, chosen);
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
    for (const QString& chosen : chosenFolders)
        AddChosenFolder(add, trap, chosen);
    trap.step(AddStep::Arrow, [&] { window.setPointer(PointerSetting::Default); });
    trap.step(AddStep::Preview, [&] { window.previewRename(); });
}

QString ChosenFolderPath(const QString& absolutePath) {
    // As a folder browser answers: no "." or ".." and no trailing separator except the root's.
    return QDir::toNativeSeparators(QDir::cleanPath(absolutePath));
}

} // namespace tarnwick
