#include "folders/listediting.h"
#include "common/labels.h"

#include "folders/folderlist.h"
#include "folders/window.h"
#include "platform/filesystem.h"
#include "platform/userdialogs.h"

namespace tarnwick {

void PushButton1_Click(WindowServices& window) {
    ErrorTrap trap(QString::fromUtf16(kClearListLabel), ReportThrough(window.dialogs()));
    trap.step(ClearStep::RemoveAll, [&] {
        if (!window.isBusy())
            window.folderList().removeAll();
    });
    trap.step(ClearStep::Preview, [&] { window.previewRename(); });
}

void RemoveSelectedEntry(WindowServices& window, std::optional<int> selectedRow) {
    FolderListModel& list = window.folderList();
    if (window.isBusy() || list.count() == 0 || !selectedRow || *selectedRow < 0 ||
        *selectedRow >= list.count())
        return;
    list.removeEntry(*selectedRow);
}

void ListView1_KeyDown(WindowServices& window, int keyCode, std::optional<int> selectedRow) {
    if (keyCode == kDeleteKeyCode)
        RemoveSelectedEntry(window, selectedRow);
}

QString SelectedFolder(WindowServices& window, std::optional<int> selectedRow) {
    FolderListModel& list = window.folderList();
    if (window.isBusy() || !selectedRow || *selectedRow < 0 || *selectedRow >= list.count())
        return {};
    return WithoutTrailingSeparator(list.text(*selectedRow, FolderListModel::kNow),
                                    window.fileSystem().separator());
}

void OpenSelectedFolder(WindowServices& window, std::optional<int> selectedRow) {
    const QString folder = SelectedFolder(window, selectedRow);
    if (folder.isEmpty() || window.dialogs().openFolder(folder))
        return;
    window.dialogs().showMessage(QString::fromUtf16(kFolderNotOpenedMessage) + folder,
                                 window.applicationTitle(), MessageButtons::Ok, MessageIcon::None);
}

} // namespace tarnwick
