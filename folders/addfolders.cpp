#include "folders/addfolders.h"

#include "common/errortrap.h"
#include "common/pathtext.h"
#include "folders/folderlist.h"
#include "folders/subfolderwalk.h"
#include "folders/window.h"
#include "platform/filesystem.h"
#include "platform/userdialogs.h"

#include <QStringList>

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

QString KeyedText(const QString& path, QChar separator) {
    return QString::number(100 - CountOccurrences(path, QString(separator))) +
           QString::fromUtf16(kKeySeparator) + path;
}

QString PathOfKeyedText(const QString& keyed) {
    const QString separator = QString::fromUtf16(kKeySeparator);
    const qsizetype at = keyed.indexOf(separator);
    return at < 0 ? keyed : keyed.mid(at + separator.size());
}

void PushButton3_Click(WindowServices& window) {
    ErrorTrap trap(QString::fromUtf16(kAddFoldersLabel), ReportThrough(window.dialogs()));
    const auto pump = [&window] { window.pumpMessages(); };

    // Everything lives here and the list is asked for afresh: a handler run from a pump (even
    // this one again) must find nothing of ours to invalidate.
    trap.reach(100);
    QStringList paths;
    QStringList keyedTexts;
    QString chosen;

    trap.step(102, [&] {
        chosen = BrowseForFolder(window.dialogs(), window.owner(),
                                 QString::fromUtf16(kSelectFolderPrompt), QString());
    });
    trap.reach(104);
    if (!chosen.isEmpty()) {
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
        trap.step(114, [&] {
            keyedTexts.reserve(paths.size());
            for (const QString& path : std::as_const(paths))
                keyedTexts.append(KeyedText(path, separator));
        });
        trap.step(116, [&] { SortTextArray(keyedTexts, pump); });
        trap.step(118, [&] {
            QStringList rows;
            rows.reserve(keyedTexts.size());
            for (const QString& keyed : std::as_const(keyedTexts))
                rows.append(PathOfKeyedText(keyed));
            window.folderList().appendRows(rows);
        });
        trap.step(120, [&] { window.setPointer(PointerSetting::Default); });
    }
    trap.step(122, [&] { window.previewRename(); });
}

} // namespace tarnwick
