#include "rename/renamerun.h"

#include "folders/folderlist.h"
#include "folders/window.h"
#include "platform/userdialogs.h"
#include "rename/renameengine.h"

#include <QHash>
#include <QString>

namespace tarnwick {
namespace {

void ShowRunMessage(WindowServices& window, const char16_t* text) {
    window.dialogs().showMessage(QString::fromUtf16(text), window.applicationTitle(),
                                 MessageButtons::Ok, MessageIcon::None);
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

    int count = 0;
    trap.step(104, [&] { count = list.count(); });
    // The path each renamed folder bears now, under the current path it was listed with. Keyed by
    // the text, not the position: rows may move while the window is live, and every row listing a
    // renamed folder then shows where it is.
    QHash<QString, QString> renamed;
    for (int row = 0; row < count; ++row) {
        trap.step(106, [&] { window.pumpMessages(); });
        // A row that cannot be read (removed meanwhile) is skipped whole: renaming with what an
        // earlier row left behind would rename the wrong folder.
        QString now, next;
        if (!trap.step(108, [&] { now = list.text(row, kNow); }) ||
            !trap.step(110, [&] { next = list.text(row, kNewName); }))
            continue;
        trap.reach(112);
        if (next.isEmpty())
            continue;
        trap.step(114, [&] {
            const RenameOutcome outcome = RenameFilesWild(window.fileSystem(), report, now, next);
            if (outcome.renamed)
                renamed.insert(now, outcome.newPath);
        });
    }
    trap.reach(116);

    // Only renamed folders get a new current path, and the one they bear: a row whose rename
    // failed keeps the path its folder still has.
    trap.step(118, [&] { count = list.count(); });
    for (int row = 0; row < count; ++row) {
        trap.step(120, [&] { window.pumpMessages(); });
        QString now;
        if (!trap.step(122, [&] { now = list.text(row, kNow); }))
            continue;
        trap.reach(124);
        const auto bears = renamed.constFind(now);
        if (bears == renamed.constEnd())
            continue;
        trap.step(126, [&] { list.setText(row, kNow, *bears); });
    }
    trap.reach(128);

    trap.step(130, [&] { count = list.count(); });
    for (int row = 0; row < count; ++row) {
        trap.step(132, [&] { window.pumpMessages(); });
        trap.step(134, [&] { list.setText(row, kNewName, QString()); });
    }
    trap.reach(136);
}

} // namespace tarnwick
