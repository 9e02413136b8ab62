#include "folders/addfolders.h"

#include "common/errortrap.h"
#include "common/pathtext.h"
#include "folders/folderlist.h"
#include "folders/subfolderwalk.h"
#include "folders/window.h"
#include "platform/filesystem.h"
#include "platform/userdialogs.h"

#include <QDir>
#include <QHash>
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
    int keyRank = 0;
    QString path;
};

// The paths in the order of their keyed texts, without making them: the keyed texts differ first
// in their keys, and no key is the start of another (each ends in the key separator, which holds
// no digit), so a key's place among the keys decides, and the path after it.
QList<SortEntry> EntriesInKeyOrder(const QStringList& paths, QChar separator) {
    const QString separatorText(separator);
    QList<int> depths;
    depths.reserve(paths.size());
    QList<int> distinct;
    for (const QString& path : paths) {
        depths.append(CountOccurrences(path, separatorText));
        if (!distinct.contains(depths.last()))
            distinct.append(depths.last());
    }
    const auto keyOf = [](int depth) {
        return QString::number(100 - depth) + QString::fromUtf16(kKeySeparator);
    };
    std::sort(distinct.begin(), distinct.end(), [&](int a, int b) { return keyOf(a) < keyOf(b); });
    QHash<int, int> rank;
    for (qsizetype i = 0; i < distinct.size(); ++i)
        rank.insert(distinct[i], static_cast<int>(i));
    QList<SortEntry> entries;
    entries.reserve(paths.size());
    for (qsizetype i = 0; i < paths.size(); ++i)
        entries.append({rank.value(depths[i]), paths[i]});
    return entries;
}

// The one order of an addition's rows, whichever way the folders were chosen.
bool KeyedTextLess(const SortEntry& a, const SortEntry& b) {
    return a.keyRank != b.keyRank ? a.keyRank < b.keyRank : a.path < b.path;
}

// One chosen folder from the hourglass to its rows, numbered as in "Add Folder(s)". The caller
// sets the arrow back and runs the preview pass, once for everything it adds.
void AddChosenFolder(WindowServices& window, ErrorTrap& trap, const QString& chosen) {
    const auto pump = [&window] { window.pumpMessages(); };
    // Everything lives here and the list is asked for afresh: a handler run from a pump (even
    // this one again) must find nothing of ours to invalidate.
    QStringList paths;
    QList<SortEntry> keyed;
    const QChar separator = window.fileSystem().separator();
    trap.step(106, [&] { window.setPointer(PointerSetting::Hourglass); });
    QStringList folders;
    trap.step(108, [&] { folders.append(chosen + separator); });
    trap.step(110, [&] {
        if (window.subfolderOptionChecked())
            GetSubDirectories2016(folders, true, window.fileSystem(), pump,
                                  ReportThrough(window.dialogs()));
    });
    trap.step(112, [&] { paths.append(folders); });
    // Sorted as the keyed texts would be, with the paths themselves: the rows then share
    // their texts with the walk's instead of holding copies.
    trap.step(114, [&] {
        keyed = EntriesInKeyOrder(paths, separator);
        paths.clear();
        folders.clear();
    });
    trap.step(116, [&] { SortWithPump(keyed, KeyedTextLess, pump); });
    trap.step(118, [&] {
        QStringList rows;
        rows.reserve(keyed.size());
        for (const SortEntry& entry : std::as_const(keyed))
            rows.append(entry.path);
        keyed.clear();
        window.folderList().appendRows(rows);
    });
}

} // namespace

void PushButton3_Click(WindowServices& window) {
    ErrorTrap trap(QString::fromUtf16(kAddFoldersLabel), ReportThrough(window.dialogs()));
    trap.reach(100);
    QString chosen;
    trap.step(102, [&] {
        chosen = BrowseForFolder(window.dialogs(), window.owner(),
                                 QString::fromUtf16(kSelectFolderPrompt), QString());
    });
    trap.reach(104);
    if (!chosen.isEmpty()) {
        AddChosenFolder(window, trap, chosen);
        trap.step(120, [&] { window.setPointer(PointerSetting::Default); });
    }
    trap.step(122, [&] { window.previewRename(); });
}

void AddChosenFolders(WindowServices& window, const QStringList& chosenFolders) {
    if (chosenFolders.isEmpty())
        return;
    ErrorTrap trap(QString::fromUtf16(kAddFoldersLabel), ReportThrough(window.dialogs()));
    // The hourglass is set again for each folder: an addition run from a pump in between may
    // have set the arrow back.
    for (const QString& chosen : chosenFolders)
        AddChosenFolder(window, trap, chosen);
    trap.step(120, [&] { window.setPointer(PointerSetting::Default); });
    trap.step(122, [&] { window.previewRename(); });
}

QString ChosenFolderPath(const QString& absolutePath) {
    // As a folder browser answers: no "." or ".." and no trailing separator except the root's.
    return QDir::toNativeSeparators(QDir::cleanPath(absolutePath));
}

} // namespace tarnwick
