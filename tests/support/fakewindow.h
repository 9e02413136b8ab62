#pragma once

#include "folders/folderlist.h"
#include "folders/window.h"
#include "rename/lastrun.h"
#include "tests/support/fakedialogs.h"
#include "tests/support/fakefilesystem.h"
#include "transform/operations.h"

#include <QObject>
#include <functional>

namespace tarnwick::test {

// The main window as the subsystems see it, without widgets.
class FakeWindow : public WindowServices {
public:
    explicit FakeWindow(FileSystem& fileSystem) : m_fileSystem(fileSystem) { undo.watch(list); }

    FolderListModel& folderList() override { return list; }
    PointerSetting pointer() const override { return pointerSetting; }
    void setPointer(PointerSetting setting) override {
        pointerSetting = setting;
        pointerHistory << setting;
    }
    bool subfolderOptionChecked() const override { return subfoldersChecked; }
    QString operationText() const override { return operation; }
    void previewRename() override;
    void pumpMessages() override;
    QString applicationTitle() const override { return QStringLiteral("Tarnwick"); }
    QObject* owner() override { return &ownerObject; }
    UserDialogs& dialogs() override { return fakeDialogs; }
    FileSystem& fileSystem() override { return m_fileSystem; }
    LastRun& lastRun() override { return undo; }
    QStringList knownFolderPaths() const override { return knownFolders; }

    QStringList column(int column) const;

    FolderListModel list;
    LastRun undo;
    FakeUserDialogs fakeDialogs;
    QObject ownerObject;
    PointerSetting pointerSetting = PointerSetting::Default;
    QList<PointerSetting> pointerHistory;
    bool subfoldersChecked = true;
    QString operation = OperationTexts().first();
    // The folders the desktop knows by their paths.
    QStringList knownFolders;
    int previewCount = 0;
    int pumpCount = 0;
    // Runs at the given pump (1-based) once, as if the user acted while the window was pumping.
    int actAtPump = 0;
    // Set by the user closing the window: the next pump ends the handler.
    bool closed = false;
    std::function<void()> action;

private:
    FileSystem& m_fileSystem;
};

} // namespace tarnwick::test
