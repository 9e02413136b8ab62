// The window during long work on a slow disk: every time here is the fake disk's, which takes
// 100 ms a rename, never the wall clock of a busy machine.
#include "app/form1.h"
#include "folders/folderlist.h"
#include "tests/support/fakedialogs.h"
#include "tests/support/fakefilesystem.h"

#include <QAccessible>
#include <QAction>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>
#include <optional>

using namespace tarnwick;
using tarnwick::test::FakeFileSystem;
using tarnwick::test::FakeUserDialogs;

namespace {

constexpr int kFolders = 30;
constexpr qint64 kRenameMs = 100;

// A tree of kFolders folders on a disk that takes kRenameMs a rename, listed and previewed in the
// window. At the rename numbered actAt (1-based) the user acts; the event reaches the window when
// it next works.
struct SlowDisk {
    QTemporaryDir program;
    FakeUserDialogs dialogs;
    FakeFileSystem disk{FakeFileSystem::Mode::CaseSensitive};
    qint64 now = 0;
    std::unique_ptr<Form1> window;
    int actAt = 0;
    std::function<void()> act;
    std::optional<qint64> actedAt;
    std::optional<qint64> answeredAt;
    // The caption and the progress value at each rename.
    QStringList captions;
    QList<int> values;

    SlowDisk() {
        // One rename a folder, as on a disk that tells letter case apart.
        disk.setTellsCaseApart(true);
        for (int i = 0; i < kFolders; ++i) {
            disk.addFolder(QStringLiteral("/tree/f%1").arg(i, 2, 10, QLatin1Char('0')));
            disk.addFolder(QStringLiteral("/big/f%1/g").arg(i, 2, 10, QLatin1Char('0')));
        }
        disk.beforeRename = [this](const QString&, const QString&, const QString&) {
            captions << window->windowTitle();
            values << (window->WorkProgress->isVisible() ? window->WorkProgress->value() : -1);
            if (disk.renameCount() + 1 == actAt) {
                actedAt = now;
                QMetaObject::invokeMethod(
                    window.get(),
                    [this] {
                        answeredAt = now;
                        act();
                    },
                    Qt::QueuedConnection);
            }
            now += kRenameMs;
            return std::optional<Failure>();
        };
        window = std::make_unique<Form1>(
            Form1Dependencies{dialogs, disk, program.path(), {}, {}, [this] { return now; }});
        window->Form_Load();
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        window->addFolders({QStringLiteral("/tree")});
        QCOMPARE(window->folderList().count(), kFolders + 1);
    }
};

} // namespace

class TestForm1Work : public QObject {
    Q_OBJECT
private slots:
    void answeredWithinAFolderOnASlowDisk_data();
    void answeredWithinAFolderOnASlowDisk();
    void progressAfterASecondThenTheTally();
    void escapeStopsAnAdditionKeepingWhatItFound();
    void escapeStopsAnUndoAndTheNextGoesOn();
};

enum class Action { ClearList, Close, Escape };
Q_DECLARE_METATYPE(Action)

void TestForm1Work::answeredWithinAFolderOnASlowDisk_data() {
    QTest::addColumn<Action>("action");
    QTest::newRow("Clear List") << Action::ClearList;
    QTest::newRow("closing the window") << Action::Close;
    QTest::newRow("Escape") << Action::Escape;
}

// Whatever the user does reaches the window after the folder in hand, not after many: with a
// rename taking 100 ms, within 100 ms.
void TestForm1Work::answeredWithinAFolderOnASlowDisk() {
    QFETCH(Action, action);
    SlowDisk slow;
    Form1& window = *slow.window;
    slow.actAt = 5;
    slow.act = [&] {
        if (action == Action::ClearList)
            window.PushButton1->click();
        else if (action == Action::Close)
            window.close();
        else
            QTest::keyClick(&window, Qt::Key_Escape);
    };
    window.PushButton2->click();
    QVERIFY(slow.answeredAt);
    QVERIFY2(
        *slow.answeredAt - *slow.actedAt <= kRenameMs,
        qPrintable(QStringLiteral("answered after %1 ms").arg(*slow.answeredAt - *slow.actedAt)));
    // The folder in hand was finished, and no other begun.
    QCOMPARE(slow.disk.renameCount(), slow.actAt);
    if (action == Action::ClearList)
        QCOMPARE(window.folderList().count(), 0);
    if (action != Action::Escape)
        return;
    // Stopped, the list kept: the rows not reached keep their new names, and the next run goes
    // on from there without a new preview.
    QCOMPARE(window.folderList().count(), kFolders + 1);
    QCOMPARE(window.windowTitle(),
             QStringLiteral("Tarnwick \u2013 stopped: 5 renamed, 0 not renamed"));
    QCOMPARE(window.folderList().text(kFolders, 1), QStringLiteral("/TREE/"));
    window.PushButton2->click();
    QCOMPARE(slow.disk.renameCount(), kFolders + 1);
    QVERIFY(slow.disk.existsExactly(QStringLiteral("/TREE/F29/")));
    QCOMPARE(window.windowTitle(), QStringLiteral("Tarnwick \u2013 26 renamed, 0 not renamed"));
    QCOMPARE(slow.dialogs.errors(), QStringList{});
}

// Nothing shows for the first second; then the caption and the progress value say how far the
// run is, and at its end the caption tells the tally.
void TestForm1Work::progressAfterASecondThenTheTally() {
    SlowDisk slow;
    Form1& window = *slow.window;
    window.PushButton2->click();
    QCOMPARE(slow.captions.size(), kFolders + 1);
    // The caption a rename sees was written by the pump before it, at 100 ms a folder.
    for (int rename = 0; rename < 10; ++rename)
        QCOMPARE(slow.captions[rename], QStringLiteral("Tarnwick"));
    QCOMPARE(slow.values[9], -1);
    QCOMPARE(slow.captions[10], QStringLiteral("Tarnwick \u2013 renaming 9 of 31"));
    QCOMPARE(slow.values[10], 9);
    // No faster than a reader can follow.
    QCOMPARE(slow.captions[11], slow.captions[10]);
    QVERIFY(slow.captions.last().startsWith(QStringLiteral("Tarnwick \u2013 renaming 2")));
    QCOMPARE(window.WorkProgress->maximum(), kFolders + 1);
    QCOMPARE(window.WorkProgress->accessibleName(), QStringLiteral("Renaming folders"));
    QVERIFY(window.WorkProgress->size().isEmpty());
    QCOMPARE(window.windowTitle(), QStringLiteral("Tarnwick \u2013 31 renamed, 0 not renamed"));
    QVERIFY(!window.WorkProgress->isVisible());
}

// An addition lists one folder each 100 ms; Escape at the 15th listing stops it before the next
// and keeps every folder found so far, previewed; the caption told how far it was meanwhile.
void TestForm1Work::escapeStopsAnAdditionKeepingWhatItFound() {
    SlowDisk slow;
    Form1& window = *slow.window;
    window.PushButton1->click();
    int listings = 0;
    QStringList captions;
    slow.disk.beforeListing = [&](const QString&) {
        captions << window.windowTitle();
        if (++listings == 15)
            QMetaObject::invokeMethod(
                &window, [&] { QTest::keyClick(&window, Qt::Key_Escape); }, Qt::QueuedConnection);
        slow.now += kRenameMs;
    };
    window.addFolders({QStringLiteral("/big")});
    QCOMPARE(listings, 15);
    // "/big", its 30 folders, and the folder below each of the 14 listed after it.
    QCOMPARE(window.folderList().count(), 1 + kFolders + 14);
    QCOMPARE(window.folderList().text(0, 0), QStringLiteral("/big/f00/g/"));
    QCOMPARE(window.folderList().text(0, 1), QStringLiteral("/big/f00/G/"));
    QCOMPARE(captions[10], QStringLiteral("Tarnwick"));
    QCOMPARE(captions[11], QStringLiteral("Tarnwick \u2013 adding: 39 folders found"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Tarnwick"));
    QVERIFY(!window.WorkProgress->isVisible());
    QCOMPARE(slow.dialogs.errors(), QStringList{});
    // The next addition is not stopped by the last one's Escape.
    slow.disk.beforeListing = {};
    window.addFolders({QStringLiteral("/big/f29")});
    QCOMPARE(window.folderList().count(), 1 + kFolders + 14 + 2);
}

// Escape during "Undo Last Run" stops it after the folder in hand; the next undo gives the rest
// their names back.
void TestForm1Work::escapeStopsAnUndoAndTheNextGoesOn() {
    SlowDisk slow;
    Form1& window = *slow.window;
    window.PushButton2->click();
    auto* undo = window.findChild<QAction*>(QStringLiteral("UndoAction"));
    QVERIFY(undo);
    slow.actAt = kFolders + 1 + 5;
    slow.act = [&] { QTest::keyClick(&window, Qt::Key_Escape); };
    undo->trigger();
    QCOMPARE(slow.disk.renameCount(), slow.actAt);
    QCOMPARE(window.windowTitle(),
             QStringLiteral("Tarnwick \u2013 stopped: 5 renamed, 0 not renamed"));
    // Backwards through the run: the tree first, then its last folders.
    QVERIFY(slow.disk.existsExactly(QStringLiteral("/tree/F25/")));
    QVERIFY(slow.disk.existsExactly(QStringLiteral("/tree/f26/")));
    undo->trigger();
    QCOMPARE(slow.disk.renameCount(), 2 * (kFolders + 1));
    QVERIFY(slow.disk.existsExactly(QStringLiteral("/tree/f00/")));
    QCOMPARE(window.windowTitle(), QStringLiteral("Tarnwick \u2013 26 renamed, 0 not renamed"));
    QCOMPARE(window.folderList().text(0, 0), QStringLiteral("/tree/f00/"));
    QCOMPARE(slow.dialogs.errors(), QStringList{});
}

QTEST_MAIN(TestForm1Work)
#include "tst_form1work.moc"
