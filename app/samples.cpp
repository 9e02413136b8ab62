#include "app/samples.h"

#include "common/pathtext.h"
#include "folders/folderlist.h"
#include "folders/subfolderwalk.h"
#include "folders/window.h"
#include "platform/filesystem.h"
#include "platform/userdialogs.h"

namespace tarnwick {

QString SampleRoot(const QString& programFolder, QChar separator) {
    return WithoutTrailingSeparator(programFolder, separator) + separator +
           QStringLiteral("Samples") + separator;
}

void PushButton6_Click(WindowServices& window, const QString& programFolder) {
    ErrorTrap trap(QStringLiteral("in Brisquel2021/08/31.Form1.PushButton6_Click "),
                   ReportThrough(window.dialogs()));
    const QChar separator = window.fileSystem().separator();
    QString root;
    QStringList collection;
    trap.step(100, [&] { root = SampleRoot(programFolder, separator); });
    trap.step(102, [&] { window.setPointer(PointerSetting::Hourglass); });
    trap.step(104, [&] { collection = QStringList{root + separator}; });
    trap.step(106, [&] {
        GetSubDirectories2016(
            collection, true, window.fileSystem(), [&] { window.pumpMessages(); },
            ReportThrough(window.dialogs()));
    });
    trap.step(108, [&] {
        // The first entry is the "Samples" folder itself, which is never listed.
        QStringList rows;
        rows.reserve(collection.size());
        for (qsizetype i = 1; i < collection.size(); ++i)
            rows << CollapseBackslashes(collection[i], separator);
        window.setPointer(PointerSetting::Hourglass);
        window.folderList().appendRows(rows);
    });
    trap.step(110, [&] { window.setPointer(PointerSetting::Default); });
    trap.step(112, [&] { window.previewRename(); });
    MessageAnswer answer = MessageAnswer::No;
    trap.step(114, [&] {
        answer = window.dialogs().showMessage(
            QStringLiteral("Would you like this software to open the folder where these sample "
                           "files are stored (so that you can view them before working with "
                           "them)?"),
            window.applicationTitle(), MessageButtons::YesNo, MessageIcon::None);
    });
    trap.step(116, [&] {
        if (answer == MessageAnswer::Yes)
            window.dialogs().openFolder(root);
    });
}

} // namespace tarnwick
