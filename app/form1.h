#pragma once

#include "app/commandline.h"
#include "app/skin.h"
#include "app/windowcommands.h"
#include "folders/folderlist.h"
#include "folders/window.h"
#include "platform/desktopfolders.h"
#include "platform/pump.h"
#include "rename/lastrun.h"
#include "rename/runtally.h"

#include <QCursor>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QProgressBar;
class QPushButton;
class QTreeView;

namespace tarnwick {

class FileSystem;
class UserDialogs;

// What the main window is given by main() or by a test.
struct Form1Dependencies {
    UserDialogs& dialogs;
    FileSystem& fileSystem;
    // The folder that holds the program and the files shipped beside it.
    QString programFolder;
    // A whole number from 1 to 100; 7 opens the maker's home page at start-up.
    std::function<int()> drawOneToHundred;
    // Where the desktop's own folders are read, which runs leave as they are; none by default.
    DesktopPlaces desktop{};
    // Milliseconds on a clock that only goes forward: when the window works next during long
    // work, and when it shows how far the work is.
    std::function<qint64()> clock = CoarseMilliseconds;
    // Where runs are recorded (JournalFolder()); none by default, so that tests write nothing.
    QString journalFolder{};
};

// A number from 1 to 100 for a seed. The seed is mixed first, so neighbouring seeds (the seconds
// of one minute) give unrelated numbers.
int DrawOneToHundred(std::uint32_t seed);
// DrawOneToHundred seeded with the seconds since midnight.
int DrawFromTimeOfDay();

// The key code the program's handlers know for a Qt key; 0 for keys they never tell apart.
int VirtualKeyCode(int qtKey);

// The main window: it owns the widgets and hands every event to its subsystem.
class Form1 : public QWidget, public WindowServices {
    Q_OBJECT
public:
    explicit Form1(Form1Dependencies dependencies, QWidget* parent = nullptr);
    ~Form1() override;

    // The start-up sequence; runs once, before the window is first shown.
    void Form_Load();

    // Adds each folder as if it had been chosen in "Add Folder(s)": dropped ones, and those named
    // on the command line.
    void addFolders(const QStringList& folders);
    // The folders the program was started with, added as above; then the paths that were not
    // taken, told in one box.
    void takeCommandLine(const CommandLine& line);

    // WindowServices
    FolderListModel& folderList() override { return m_list; }
    PointerSetting pointer() const override { return m_pointer; }
    void setPointer(PointerSetting setting) override;
    bool subfolderOptionChecked() const override;
    QString operationText() const override;
    void previewRename() override;
    void pumpMessages() override;
    QString applicationTitle() const override { return m_applicationTitle; }
    QObject* owner() override { return this; }
    UserDialogs& dialogs() override { return m_dependencies.dialogs; }
    FileSystem& fileSystem() override { return m_dependencies.fileSystem; }
    LastRun& lastRun() override { return m_lastRun; }
    QStringList knownFolderPaths() const override { return DesktopFolders(m_dependencies.desktop); }
    void workProgress(Work work, int done, int total) override;
    bool stopRequested() const override { return m_stopRequested; }
    QString journalFolder() const override { return m_dependencies.journalFolder; }

    // Shows the status after the window's caption ("Tarnwick – 4,210 renamed, 3 not renamed")
    // and tells assistive technology; an empty one gives the caption back alone.
    void showCaptionStatus(const QString& status);

    // Lengths of the window's design, in twips, to pixels at the screen's logical DPI.
    int twips(int length) const;

    // The pointer image of the custom setting: the hand, once start-up has loaded one.
    const std::optional<QCursor>& handPointer() const { return m_handPointer; }
    const SkinFramework1& skin() const { return m_skin; }

    QTreeView* ListView1 = nullptr;
    QPushButton* PushButton1 = nullptr;
    QPushButton* PushButton2 = nullptr;
    QPushButton* PushButton3 = nullptr;
    QPushButton* PushButton4 = nullptr;
    QPushButton* PushButton6 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QComboBox* Combo1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QCheckBox* Check1 = nullptr;
    // The list's context menu. "Undo Last Run" is Ctrl+Z anywhere in the window.
    QAction* RemoveAction = nullptr;
    QAction* OpenFolderAction = nullptr;
    QAction* CopyPathAction = nullptr;
    QAction* UndoAction = nullptr;
    // How far long work is, for assistive technology: no control of the design, and no room on
    // screen.
    QProgressBar* WorkProgress = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Runs one event's handler: the user's next action, so what the caption said of the last one
    // goes. A handler ended by the window's closing ends quietly.
    template <class Handler> void handle(Handler&& handler) {
        beginHandler();
        try {
            handler();
        } catch (const WindowClosed&) {
        }
        endHandler();
    }
    void beginHandler();
    void endHandler();
    void wireWork();
    // Shows how far the work in hand is, once it has lasted a while.
    void showWork(qint64 now);
    // The work is over: the caption and the progress value give way.
    void endWork();
    void buildControls();
    void placeControls();
    void wireEvents();
    void wireListMenu();
    void updateListMenu();
    // The runs a crash or a closed window left unfinished, offered once the window shows.
    void recoverUnfinishedRuns();
    void tellTally(const std::optional<RunTally>& tally);
    void removeSelectedRow();
    void pointerFeedback(PointerSetting target);
    void Combo1_Click();
    std::optional<int> selectedRow() const;
    bool takeFolderDrag(QDropEvent& event);

    Form1Dependencies m_dependencies;
    FolderListModel m_list;
    // After the list: it stops watching the list before the list goes.
    LastRun m_lastRun;
    SkinFramework1 m_skin;
    ListMenu m_listMenu;
    PointerSetting m_pointer = PointerSetting::Default;
    std::optional<QCursor> m_handPointer;
    QString m_applicationTitle;
    // The work in hand and how far it is, as last told.
    struct WorkDone {
        Work work = Work::Adding;
        int done = 0;
        int total = 0;
        qint64 startedAt = 0;
        // When the caption last showed it; none before it first did.
        std::optional<qint64> shownAt;
    };
    std::optional<WorkDone> m_work;
    std::optional<qint64> m_pumpedAt;
    // Handlers running, one inside another while the window works.
    int m_handlers = 0;
    bool m_stopRequested = false;
    bool m_shown = false;
    bool m_unloaded = false;
    // Whether the drag over the window carries a folder; asked once, when it enters.
    bool m_dragCarriesFolders = false;
};

} // namespace tarnwick
