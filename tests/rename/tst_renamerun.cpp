#include "folders/addfolders.h"
#include "folders/rowvector.h"
#include "platform/desktopfolders.h"
#include "rename/followrenames.h"
#include "rename/lastrun.h"
#include "rename/renameengine.h"
#include "rename/renamerun.h"
#include "rename/undo.h"
#include "tests/support/disktree.h"
#include "tests/support/fakewindow.h"
#include "tests/support/reports.h"
#include "tests/support/trialfolders.h"
#include "transform/preview.h"

#include <QDir>
#include <QRegularExpression>
#include <QTest>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

using namespace tarnwick;
using tarnwick::test::FakeTrialFolders;
using tarnwick::test::FakeUserDialogs;
using tarnwick::test::FakeWindow;
using tarnwick::test::sorted;
using tarnwick::test::Told;
using tarnwick::test::TrialFolders;

namespace {

using Host = tarnwick::test::TrialHost;

using tarnwick::test::kLower;
using tarnwick::test::kProper;
using tarnwick::test::kSentence;
using tarnwick::test::kUpper;

const QString kRunLabel = QString::fromUtf16(kPushButton2ClickLabel);
const QString kEngineLabel = QString::fromUtf16(kRenameFilesWildLabel);
const QString kUndoLabel = QString::fromUtf16(kUndoLastRunLabel);

// Folders to rename in and the window whose list names them.
struct Trial {
    explicit Trial(Host host)
        : folders(tarnwick::test::MakeTrialFolders(host)),
          window(std::make_unique<FakeWindow>(folders->fileSystem())) {}

    bool make(const QStringList& relative) {
        return std::all_of(relative.begin(), relative.end(),
                           [this](const QString& folder) { return folders->addFolder(folder); });
    }

    // One addition: the rows stand deepest folder first, as adding folders orders them.
    void add(QStringList relative) {
        std::stable_sort(relative.begin(), relative.end(), [](const QString& a, const QString& b) {
            return a.count(u'/') > b.count(u'/');
        });
        for (const QString& folder : relative)
            window->list.appendRow(Listed(folder));
    }

    QString Listed(const QString& relative) const {
        if (relative.isEmpty() || relative.startsWith(u'/'))
            return relative;
        return folders->path(relative);
    }

    void preview(const QString& operation) {
        window->operation = operation;
        window->previewRename();
    }

    void setNewPath(int row, const QString& relative) {
        window->list.setText(row, FolderListModel::kNewName, Listed(relative));
    }

    // A column with the trial's root taken off each path that has it.
    QStringList column(int which) const {
        QStringList texts = window->column(which);
        for (QString& text : texts) {
            const QString root = folders->root();
            // "//", the root row, is no path below the trial's root.
            if (text.startsWith(root) && text.size() > root.size() && text[root.size()] != u'/')
                text = text.mid(root.size());
        }
        return texts;
    }

    std::unique_ptr<TrialFolders> folders;
    std::unique_ptr<FakeWindow> window;
};

QTestData& NewRow(Host host, const QString& name) {
    return QTest::newRow(
        qPrintable(QStringLiteral("%1, %2").arg(name, tarnwick::test::TrialHostName(host))));
}

// Each message is an error box naming the handler and the line, in the order expected.
void CheckErrors(const QStringList& errors, const QString& label, const QList<int>& lines) {
    QCOMPARE(errors.size(), lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString place = QStringLiteral("\r\n%1at line %2\r\r").arg(label).arg(lines[i]);
        QVERIFY2(errors[i].contains(place), qPrintable(errors[i]));
    }
}

const QList<Host> kAllHosts = {Host::CaseSensitiveFake, Host::CaseInsensitiveFake, Host::Disk};

} // namespace

class TestRenameRun : public QObject {
    Q_OBJECT

private slots:
    void followedRenames_data();
    void followedRenames();
    void refusedRuns_data();
    void refusedRuns();
    void secondRunNeedsPreview();

    void pumpsBeforeEveryRowOfEveryPass_data();
    void pumpsBeforeEveryRowOfEveryPass();
    void rowsChangingWhileRunning_data();
    void rowsChangingWhileRunning();
    void windowClosedDuringRun();
    void stoppedRunContinues_data();
    void stoppedRunContinues();
    void rowsSayWhyTheyWereNotRenamed();
    void floodOfErrors_data();
    void floodOfErrors();

    void onlyRenamedRowsGetNewPaths_data();
    void onlyRenamedRowsGetNewPaths();
    void nestedTree_data();
    void nestedTree();
    void folderAndSubfolderInSeparateAdditions_data();
    void folderAndSubfolderInSeparateAdditions();
    void sameFolderInTwoRows_data();
    void sameFolderInTwoRows();
    void treeAddedTwice();

    void hostCharactersKept_data();
    void hostCharactersKept();
    void refusedCharactersReplaced_data();
    void refusedCharactersReplaced();

    void undoOfFolderChangedSinceTheRun_data();
    void undoOfFolderChangedSinceTheRun();
    void listChangeForgetsTheRun_data();
    void listChangeForgetsTheRun();

    void desktopFoldersLeftAlone_data();
    void desktopFoldersLeftAlone();
    void mountPointLeftAlone();
    void tallyInWords();
};

void TestRenameRun::refusedRuns_data() {
    QTest::addColumn<QStringList>("nows");
    QTest::addColumn<QStringList>("news");
    QTest::addColumn<QString>("message");

    QTest::newRow("empty list") << QStringList() << QStringList() << "No files added.";
    QTest::newRow("first row without new path")
        << QStringList{"t/a/", "t/b/"} << QStringList{QString(), "t/B/"}
        << "You need to click Set New Name (Preview) first.";
}

void TestRenameRun::refusedRuns() {
    QFETCH(QStringList, nows);
    QFETCH(QStringList, news);
    QFETCH(QString, message);

    Trial trial(Host::CaseSensitiveFake);
    QVERIFY(trial.make(nows));
    for (qsizetype row = 0; row < nows.size(); ++row) {
        trial.window->list.appendRow(trial.Listed(nows[row]));
        if (!news[row].isEmpty())
            trial.setNewPath(static_cast<int>(row), news[row]);
    }
    const QStringList tree = trial.folders->tree();
    const QStringList newColumn = trial.column(FolderListModel::kNewName);

    QCOMPARE(Told(PushButton2_Click(*trial.window)), QStringLiteral("nothing"));

    const FakeUserDialogs& dialogs = trial.window->fakeDialogs;
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.messages[0].text, message);
    QCOMPARE(dialogs.messages[0].title, trial.window->applicationTitle());
    QCOMPARE(dialogs.messages[0].buttons, MessageButtons::Ok);
    QCOMPARE(dialogs.messages[0].icon, MessageIcon::None);
    QCOMPARE(trial.column(FolderListModel::kNow), nows);
    QCOMPARE(trial.column(FolderListModel::kNewName), newColumn);
    QCOMPARE(trial.folders->tree(), tree);
    QCOMPARE(trial.window->pumpCount, 0);
}

void TestRenameRun::secondRunNeedsPreview() {
    Trial trial(Host::CaseSensitiveFake);
    QVERIFY(trial.make({"t/docs/"}));
    trial.add({"t/docs/"});
    trial.preview(kUpper);
    PushButton2_Click(*trial.window);
    QCOMPARE(trial.folders->tree(), (QStringList{"t/", "t/DOCS/"}));
    QCOMPARE(trial.column(FolderListModel::kNewName), QStringList{QString()});

    PushButton2_Click(*trial.window);
    QCOMPARE(trial.window->fakeDialogs.messages.size(), 1);
    QCOMPARE(trial.window->fakeDialogs.messages[0].text,
             QStringLiteral("You need to click Set New Name (Preview) first."));
    QCOMPARE(trial.folders->tree(), (QStringList{"t/", "t/DOCS/"}));
    QCOMPARE(trial.column(FolderListModel::kNow), QStringList{"t/DOCS/"});
}

void TestRenameRun::pumpsBeforeEveryRowOfEveryPass_data() {
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<int>("pumps");
    QTest::newRow("one row") << QStringList{"t/a/"} << 3;
    QTest::newRow("three rows") << QStringList{"t/a/", "t/b/", "t/c/"} << 9;
}

// The first pump comes before the first row is read: a change made there is what gets renamed.
void TestRenameRun::pumpsBeforeEveryRowOfEveryPass() {
    QFETCH(QStringList, folders);
    QFETCH(int, pumps);

    Trial trial(Host::CaseSensitiveFake);
    QVERIFY(trial.make(folders));
    trial.add(folders);
    trial.preview(kUpper);
    trial.window->actAtPump = 1;
    trial.window->action = [&] { trial.setNewPath(0, "t/Changed/"); };

    PushButton2_Click(*trial.window);

    QCOMPARE(trial.window->pumpCount, pumps);
    QVERIFY(trial.folders->tree().contains("t/Changed/"));
    QCOMPARE(trial.column(FolderListModel::kNow).first(), QStringLiteral("t/Changed/"));
    QCOMPARE(trial.window->fakeDialogs.errors(), QStringList());
}

namespace {
enum class Change { RemoveFirst, RemoveLast, Clear, AppendRow, LowerCasePreview };
} // namespace

// The window stays live during a run: whatever the user does at a pump, no folder is renamed that
// no row named at that moment, and the list names the folders where they are.
void TestRenameRun::rowsChangingWhileRunning_data() {
    QTest::addColumn<int>("pump");
    QTest::addColumn<Change>("change");
    QTest::addColumn<QStringList>("tree");
    QTest::addColumn<QStringList>("nows");
    QTest::addColumn<QList<int>>("lines");

    // Three rows a, b, c previewed in UPPER CASE; pumps 1-3 rename, 4-6 update, 7-9 clear. A row
    // removed is simply not renamed: the pass goes on with the rows that remain, and clearing the
    // list stops the run after the folder in hand.
    QTest::newRow("last row removed before its rename")
        << 3 << Change::RemoveLast << QStringList{"t/", "t/A/", "t/B/", "t/c/", "t/d/"}
        << QStringList{"t/A/", "t/B/"} << QList<int>{};
    QTest::newRow("first row removed before the second rename")
        << 2 << Change::RemoveFirst << QStringList{"t/", "t/A/", "t/B/", "t/C/", "t/d/"}
        << QStringList{"t/B/", "t/C/"} << QList<int>{};
    QTest::newRow("list cleared before the first rename")
        << 1 << Change::Clear << QStringList{"t/", "t/a/", "t/b/", "t/c/", "t/d/"} << QStringList()
        << QList<int>{};
    QTest::newRow("list cleared after the first rename")
        << 2 << Change::Clear << QStringList{"t/", "t/A/", "t/b/", "t/c/", "t/d/"} << QStringList()
        << QList<int>{};
    QTest::newRow("first row removed during the update pass")
        << 4 << Change::RemoveFirst << QStringList{"t/", "t/A/", "t/B/", "t/C/", "t/d/"}
        << QStringList{"t/B/", "t/C/"} << QList<int>{};
    QTest::newRow("list cleared during the clearing pass")
        << 7 << Change::Clear << QStringList{"t/", "t/A/", "t/B/", "t/C/", "t/d/"} << QStringList()
        << QList<int>{};
    QTest::newRow("row appended during the rename pass")
        << 1 << Change::AppendRow << QStringList{"t/", "t/A/", "t/B/", "t/C/", "t/d/"}
        << QStringList{"t/A/", "t/B/", "t/C/", "t/d/"} << QList<int>{};
    QTest::newRow("operation changed during the rename pass")
        << 2 << Change::LowerCasePreview << QStringList{"t/", "t/A/", "t/b/", "t/c/", "t/d/"}
        << QStringList{"t/A/", "t/b/", "t/c/"} << QList<int>{};
}

void TestRenameRun::rowsChangingWhileRunning() {
    QFETCH(int, pump);
    QFETCH(Change, change);
    QFETCH(QStringList, tree);
    QFETCH(QStringList, nows);
    QFETCH(QList<int>, lines);

    // On the fake and on real folders alike.
    for (const Host host : {Host::CaseSensitiveFake, Host::Disk}) {
        Trial trial(host);
        QVERIFY(trial.make({"t/a/", "t/b/", "t/c/", "t/d/"}));
        trial.add({"t/a/", "t/b/", "t/c/"});
        trial.preview(kUpper);
        FolderListModel& list = trial.window->list;
        trial.window->actAtPump = pump;
        trial.window->action = [&] {
            switch (change) {
            case Change::RemoveFirst:
                list.removeEntry(0);
                break;
            case Change::RemoveLast:
                list.removeEntry(list.count() - 1);
                break;
            case Change::Clear:
                list.removeAll();
                break;
            case Change::AppendRow:
                list.appendRow(trial.Listed("t/d/"));
                break;
            case Change::LowerCasePreview:
                trial.preview(kLower);
                break;
            }
        };

        PushButton2_Click(*trial.window);

        QCOMPARE(trial.folders->tree(), sorted(tree));
        QCOMPARE(trial.column(FolderListModel::kNow), nows);
        QCOMPARE(trial.column(FolderListModel::kNewName), QStringList(nows.size(), QString()));
        CheckErrors(trial.window->fakeDialogs.errors(), kRunLabel, lines);
    }
}

// After a run each row whose folder was not renamed carries the reason, until the next preview.
void TestRenameRun::rowsSayWhyTheyWereNotRenamed() {
    Trial trial(Host::CaseSensitiveFake);
    QVERIFY(trial.make({"t/done/", "t/gone/", "t/taken/", "t/TAKEN/", "t/denied/"}));
    trial.add({"t/done/", "t/gone/", "t/taken/", "t/denied/"});
    trial.preview(kUpper);
    auto& fake = static_cast<FakeTrialFolders&>(*trial.folders).fake;
    fake.remove(QStringLiteral("/t/gone/"));
    fake.beforeRename = [](const QString&, const QString& from,
                           const QString&) -> std::optional<Failure> {
        if (from != u"denied")
            return std::nullopt;
        return Failure(70, QStringLiteral("Permission denied"));
    };
    PushButton2_Click(*trial.window);

    const FolderListModel& list = trial.window->list;
    const QStringList expected = {QString(), "Not found on disk",
                                  "Refused: another folder bears this name", "Permission denied"};
    for (int row = 0; row < list.count(); ++row) {
        QCOMPARE(list.mark(row), expected[row].isEmpty() ? RowMark::None : RowMark::NotDone);
        QCOMPARE(list.markWords(row), expected[row]);
    }
    trial.preview(kLower);
    for (int row = 0; row < list.count(); ++row)
        QVERIFY(list.mark(row) != RowMark::NotDone);
}

// Closing the window ends the run at the next pump: the folder in hand is renamed whole, the
// others are untouched, and nothing is left under the intermediate name.
void TestRenameRun::stoppedRunContinues_data() {
    QTest::addColumn<int>("stopAt");
    QTest::addColumn<QStringList>("treeAfterStop");
    QTest::addColumn<QStringList>("newNamesAfterStop");
    const QStringList folders{"t/", "t/a/", "t/b/", "t/c/"};
    QTest::newRow("before the first") << 0 << folders << QStringList{"t/A/", "t/B/", "t/C/"};
    QTest::newRow("after one") << 1 << QStringList{"t/", "t/A/", "t/b/", "t/c/"}
                               << QStringList{"", "t/B/", "t/C/"};
    QTest::newRow("after the last")
        << 3 << QStringList{"t/", "t/A/", "t/B/", "t/C/"} << QStringList{"", "", ""};
}

// Stopped by the user, the run keeps the new paths of the rows it did not reach: a second run
// renames just those.
void TestRenameRun::stoppedRunContinues() {
    QFETCH(int, stopAt);
    QFETCH(QStringList, treeAfterStop);
    QFETCH(QStringList, newNamesAfterStop);

    Trial trial(Host::CaseSensitiveFake);
    QVERIFY(trial.make({"t/a/", "t/b/", "t/c/"}));
    trial.add({"t/a/", "t/b/", "t/c/"});
    trial.preview(kUpper);
    RunSurroundings run = SurroundingsOf(*trial.window);
    int asked = 0;
    run.stopRequested = [&] { return asked++ == stopAt; };
    const std::optional<RunTally> tally = RunRenames(run);

    QVERIFY(tally);
    QCOMPARE(tally->stopped, stopAt < 3);
    QCOMPARE(tally->renamed, stopAt);
    QCOMPARE(trial.folders->tree(), treeAfterStop);
    QCOMPARE(trial.column(FolderListModel::kNewName), newNamesAfterStop);

    run.stopRequested = {};
    if (stopAt < 3)
        QVERIFY(RunRenames(run));
    QCOMPARE(trial.folders->tree(), (QStringList{"t/", "t/A/", "t/B/", "t/C/"}));
    QCOMPARE(trial.column(FolderListModel::kNow), (QStringList{"t/A/", "t/B/", "t/C/"}));
    QCOMPARE(trial.window->fakeDialogs.errors(), QStringList());
}

void TestRenameRun::windowClosedDuringRun() {
    for (const Host host : kAllHosts) {
        Trial trial(host);
        QVERIFY(trial.make({"t/a/", "t/b/", "t/c/"}));
        trial.add({"t/a/", "t/b/", "t/c/"});
        trial.preview(kUpper);
        trial.window->actAtPump = 2;
        trial.window->action = [&] { trial.window->closed = true; };
        QVERIFY_THROWS_EXCEPTION(WindowClosed, PushButton2_Click(*trial.window));
        QCOMPARE(trial.folders->tree(), (QStringList{"t/", "t/A/", "t/b/", "t/c/"}));
        QCOMPARE(trial.window->fakeDialogs.messages.size(), 0);
    }
}

void TestRenameRun::floodOfErrors_data() {
    QTest::addColumn<QList<bool>>("ticks");
    QTest::addColumn<int>("boxes");
    QTest::addColumn<QString>("summary");

    QTest::newRow("a box for each folder") << QList<bool>{} << 40 << QString();
    QTest::newRow("ticked in the first box")
        << QList<bool>{true} << 2 << "39 more folders could not be renamed:";
    QTest::newRow("ticked in the 38th box")
        << (QList<bool>(37, false) << true) << 39 << "2 more folders could not be renamed:";
    QTest::newRow("ticked in the 39th box")
        << (QList<bool>(38, false) << true) << 40 << "1 more folder could not be renamed:";
}

// A fault every folder meets: one box a folder, naming it, until the user ticks "Don't show
// further errors of this run"; then one box at the end tells the rest.
void TestRenameRun::floodOfErrors() {
    QFETCH(QList<bool>, ticks);
    QFETCH(int, boxes);
    QFETCH(QString, summary);

    Trial trial(Host::CaseSensitiveFake);
    QStringList folders;
    for (int i = 0; i < 40; ++i)
        folders << QStringLiteral("t/f%1/").arg(i, 2, 10, QChar(u'0'));
    QVERIFY(trial.make(folders));
    trial.add(folders);
    trial.preview(kUpper);
    auto& fake = static_cast<FakeTrialFolders&>(*trial.folders).fake;
    fake.beforeRename = [](const QString&, const QString&, const QString&) {
        return std::optional(Failure(70, QStringLiteral("Permission denied"),
                                     QStringLiteral("Read-only file system")));
    };
    FakeUserDialogs& dialogs = trial.window->fakeDialogs;
    dialogs.ticks = ticks;

    PushButton2_Click(*trial.window);

    const QStringList errors = dialogs.errors();
    QCOMPARE(errors.size(), boxes);
    const qsizetype boxed = summary.isEmpty() ? boxes : boxes - 1;
    QCOMPARE(dialogs.checkBoxes, QStringList(boxed, "Don't show further errors of this run"));
    for (qsizetype i = 0; i < boxed; ++i) {
        QCOMPARE(errors[i], ErrorTrap::message(QStringLiteral("Permission denied: /t/f%1 "
                                                              "(Read-only file system)")
                                                   .arg(i, 2, 10, QChar(u'0')),
                                               kEngineLabel, 150));
    }
    if (!summary.isEmpty()) {
        const QStringList lines = errors.last().split(u'\n');
        QCOMPARE(lines.first(), summary);
        const qsizetype gathered = 40 - boxed;
        QCOMPARE(lines.size(), 1 + std::min<qsizetype>(gathered, 20) + (gathered > 20 ? 1 : 0));
        QCOMPARE(lines[1], QStringLiteral("/t/f%1: Permission denied (Read-only file system)")
                               .arg(boxed, 2, 10, QChar(u'0')));
        if (gathered > 20)
            QCOMPARE(lines.last(), QStringLiteral("and %1 more.").arg(gathered - 20));
    }
    QCOMPARE(fake.tree().size(), 41);
}

void TestRenameRun::onlyRenamedRowsGetNewPaths_data() {
    QTest::addColumn<Host>("host");
    for (const Host host : kAllHosts)
        NewRow(host, "renamed, refused, deleted, not previewed and root rows") << host;
}

// A row whose folder was not renamed keeps the path its folder still has; every new path goes.
void TestRenameRun::onlyRenamedRowsGetNewPaths() {
    QFETCH(Host, host);
    Trial trial(host);
    QVERIFY(trial.make({"t/ok/", "t/docs/", "t/taken/", "t/skip/", "t/gone/"}));
    trial.add({"t/ok/", "t/docs/", "t/gone/", "t/skip/", "//"});
    trial.preview(kUpper);
    // Refused: another folder bears the new name.
    trial.setNewPath(1, "t/taken/");
    trial.setNewPath(3, QString());
    const QStringList before = trial.folders->tree();
    // Deleted after it was listed.
    if (auto* fake = dynamic_cast<FakeTrialFolders*>(trial.folders.get()))
        fake->fake.remove("/t/gone/");
    else
        QVERIFY(QDir(trial.folders->path("t/gone/")).removeRecursively());

    // The refused and the deleted folder count as not renamed; a row without a new path and the
    // root, which has no name to change, count for nothing.
    QCOMPARE(Told(PushButton2_Click(*trial.window)), Told(RunTally{1, 2}));

    QStringList tree = before;
    tree.removeAll("t/gone/");
    tree.replace(tree.indexOf("t/ok/"), "t/OK/");
    QCOMPARE(trial.folders->tree(), sorted(tree));
    QCOMPARE(trial.column(FolderListModel::kNow),
             (QStringList{"t/OK/", "t/docs/", "t/gone/", "t/skip/", "//"}));
    QCOMPARE(trial.column(FolderListModel::kNewName), QStringList(5, QString()));
    const QStringList errors = trial.window->fakeDialogs.errors();
    CheckErrors(errors, kEngineLabel, {152});
    QVERIFY2(errors[0].contains("File already exists"), qPrintable(errors[0]));

    // Only what was renamed goes back.
    const UndoResult undone = UndoLastRun(*trial.window);
    QCOMPARE(undone.notDone, (QHash<QString, QString>()));
    QCOMPARE(Told(undone.tally), Told(RunTally{1, 0}));
    tree.replace(tree.indexOf("t/OK/"), "t/ok/");
    QCOMPARE(trial.folders->tree(), sorted(tree));
    QCOMPARE(trial.column(FolderListModel::kNow),
             (QStringList{"t/ok/", "t/docs/", "t/gone/", "t/skip/", "//"}));
    QCOMPARE(trial.window->fakeDialogs.errors().size(), 1);
}

void TestRenameRun::nestedTree_data() {
    QTest::addColumn<Host>("host");
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QStringList>("tree");
    QTest::addColumn<bool>("windowless");

    const QStringList upper = {"T/",
                               "T/MY PHOTOS/",
                               "T/MY PHOTOS/OLD ONES/",
                               "T/MY PHOTOS/OLD ONES/X-RAY PICS/",
                               "T/MY PHOTOS/a File.txt",
                               "T/MUSIC/",
                               "T/MUSIC/JAZZ CLUB/",
                               "keep Me/"};
    const QStringList lower = {"t/",
                               "t/my photos/",
                               "t/my photos/old ones/",
                               "t/my photos/old ones/x-ray pics/",
                               "t/my photos/a File.txt",
                               "t/music/",
                               "t/music/jazz club/",
                               "keep Me/"};
    const QStringList proper = {"T/",
                                "T/My Photos/",
                                "T/My Photos/Old Ones/",
                                "T/My Photos/Old Ones/X-ray Pics/",
                                "T/My Photos/a File.txt",
                                "T/Music/",
                                "T/Music/Jazz Club/",
                                "keep Me/"};
    const QStringList sentence = {"T/",
                                  "T/My photos/",
                                  "T/My photos/Old ones/",
                                  "T/My photos/Old ones/X-ray pics/",
                                  "T/My photos/a File.txt",
                                  "T/Music/",
                                  "T/Music/Jazz club/",
                                  "keep Me/"};
    for (const Host host : kAllHosts) {
        NewRow(host, "UPPER CASE") << host << kUpper << upper << false;
        NewRow(host, "lower case") << host << kLower << lower << false;
        NewRow(host, "Proper Case") << host << kProper << proper << false;
        NewRow(host, "Sentence case") << host << kSentence << sentence << false;
        NewRow(host, "UPPER CASE, no window") << host << kUpper << upper << true;
        NewRow(host, "Sentence case, no window") << host << kSentence << sentence << true;
    }
}

// The same run with no window at all: the chosen folder added with its subfolders into rows of
// a plain vector, previewed row by row, renamed and undone.
void RunWithoutWindow(TrialFolders& folders, const QString& operation, const QStringList& tree) {
    FileSystem& fileSystem = folders.fileSystem();
    FakeUserDialogs dialogs;
    RowVector rows;
    AddFolders({rows, fileSystem, dialogs, [] { return true; }, {}, {}}, {folders.path("t")});
    QCOMPARE(rows.count(), 6);
    const QStringList before = folders.tree();
    QStringList listed;
    for (int row = 0; row < rows.count(); ++row) {
        listed << rows.path(row, ListRows::kNow).toString();
        rows.setText(row, ListRows::kNewName,
                     PreviewNewPath(listed.last(), *MatchOperation(operation), u'/'));
    }
    LastRun lastRun;
    const RunSurroundings run{rows, fileSystem, dialogs, QStringLiteral("Tarnwick"), {}, lastRun};

    RunRenames(run);
    QCOMPARE(folders.tree(), sorted(tree));
    QCOMPARE(dialogs.errors(), QStringList());
    QStringList expected;
    for (const QString& entry : tree) {
        if (entry.endsWith(u'/') && entry != QStringLiteral("keep Me/"))
            expected << folders.path(entry);
    }
    QStringList now;
    for (const RowVector::Row& row : rows.rows()) {
        now << row.now.toString();
        QVERIFY(row.newPath.isEmpty());
    }
    QCOMPARE(sorted(now), sorted(expected));

    QCOMPARE(UndoRun(run).notDone, (QHash<QString, QString>()));
    QCOMPARE(folders.tree(), before);
    now.clear();
    for (const RowVector::Row& row : rows.rows())
        now << row.now.toString();
    QCOMPARE(now, listed);
}

// A tree added deepest first: every subfolder is renamed while its listed path is still valid.
void TestRenameRun::nestedTree() {
    QFETCH(Host, host);
    QFETCH(QString, operation);
    QFETCH(QStringList, tree);
    QFETCH(bool, windowless);

    Trial trial(host);
    const QStringList folders = {
        "t/",       "t/my photos/",       "t/my photos/old ONES/",
        "t/Music/", "t/Music/jazz CLUB/", "t/my photos/old ONES/x-ray pics/"};
    QVERIFY(trial.make(folders));
    QVERIFY(trial.make({"keep Me/"}));
    QVERIFY(trial.folders->addFile("t/my photos/a File.txt"));
    if (windowless) {
        RunWithoutWindow(*trial.folders, operation, tree);
        return;
    }
    trial.add(folders);
    const QStringList before = trial.folders->tree();
    const QStringList listed = trial.column(FolderListModel::kNow);
    trial.preview(operation);

    PushButton2_Click(*trial.window);

    QCOMPARE(trial.folders->tree(), sorted(tree));
    QCOMPARE(trial.window->fakeDialogs.errors(), QStringList());
    QCOMPARE(trial.column(FolderListModel::kNewName), QStringList(folders.size(), QString()));
    // The chosen folder stands last and is renamed last, so its row names it where it is.
    QCOMPARE(trial.column(FolderListModel::kNow).last(), tree.first());
    // Every other row too, below its renamed parents: the list shows what is on disk.
    QStringList expected;
    for (const QString& entry : tree) {
        if (entry.endsWith(u'/') && entry != QStringLiteral("keep Me/"))
            expected << entry;
    }
    QCOMPARE(sorted(trial.column(FolderListModel::kNow)), sorted(expected));

    // Undone, every folder has its name back, and a second undo, even after a preview, finds
    // nothing left to do.
    for (int undo = 0; undo < 2; ++undo) {
        QCOMPARE(UndoLastRun(*trial.window).notDone, (QHash<QString, QString>()));
        QCOMPARE(trial.folders->tree(), before);
        QCOMPARE(trial.column(FolderListModel::kNow), listed);
        QCOMPARE(trial.window->fakeDialogs.errors(), QStringList());
        QCOMPARE(trial.column(FolderListModel::kNewName).first().isEmpty(), undo == 0);
        trial.preview(operation);
    }
}

void TestRenameRun::folderAndSubfolderInSeparateAdditions_data() {
    QTest::addColumn<Host>("host");
    QTest::addColumn<QString>("folderNewPath");
    QTest::addColumn<QStringList>("tree");
    QTest::addColumn<QStringList>("nows");
    QTest::addColumn<QList<int>>("lines");

    for (const Host host : kAllHosts) {
        // Found through its parent's new letter case, and listed under the path it has.
        NewRow(host, "change of letter case alone")
            << host << QString() << QStringList{"t/", "t/DOCS/", "t/DOCS/SUB/"}
            << QStringList{"t/DOCS/", "t/DOCS/SUB/"} << QList<int>{};
        // Not renamed, its parent gone from under it; its row follows the folder to where it is.
        NewRow(host, "change beyond letter case")
            << host << "t/Papers/" << QStringList{"t/", "t/Papers/", "t/Papers/Sub/"}
            << QStringList{"t/Papers/", "t/Papers/Sub/"} << QList<int>{130};
    }
}

void TestRenameRun::folderAndSubfolderInSeparateAdditions() {
    QFETCH(Host, host);
    QFETCH(QString, folderNewPath);
    QFETCH(QStringList, tree);
    QFETCH(QStringList, nows);
    QFETCH(QList<int>, lines);

    Trial trial(host);
    QVERIFY(trial.make({"t/Docs/Sub/"}));
    trial.add({"t/Docs/"});
    trial.add({"t/Docs/Sub/"});
    trial.preview(kUpper);
    if (!folderNewPath.isEmpty())
        trial.setNewPath(0, folderNewPath);
    const QStringList before = trial.folders->tree();

    PushButton2_Click(*trial.window);

    QCOMPARE(trial.folders->tree(), sorted(tree));
    QCOMPARE(trial.column(FolderListModel::kNow), nows);
    CheckErrors(trial.window->fakeDialogs.errors(), kEngineLabel, lines);

    // The folder renamed first is given its name back last.
    QCOMPARE(UndoLastRun(*trial.window).notDone, (QHash<QString, QString>()));
    QCOMPARE(trial.folders->tree(), before);
    QCOMPARE(trial.column(FolderListModel::kNow), (QStringList{"t/Docs/", "t/Docs/Sub/"}));
    CheckErrors(trial.window->fakeDialogs.errors(), kEngineLabel, lines);
}

void TestRenameRun::sameFolderInTwoRows_data() {
    QTest::addColumn<Host>("host");
    QTest::addColumn<QString>("folder");
    for (const Host host : kAllHosts) {
        NewRow(host, "new name differs") << host << "t/docs/";
        NewRow(host, "new name equal to the current one") << host << "t/DOCS/";
    }
}

// Both rows name the folder, so both show where it went; nothing else is touched or reported.
void TestRenameRun::sameFolderInTwoRows() {
    QFETCH(Host, host);
    QFETCH(QString, folder);

    Trial trial(host);
    QVERIFY(trial.make({folder, "t/other/"}));
    trial.add({folder});
    trial.add({folder});
    trial.preview(kUpper);

    PushButton2_Click(*trial.window);

    QCOMPARE(trial.folders->tree(), (QStringList{"t/", "t/DOCS/", "t/other/"}));
    QCOMPARE(trial.column(FolderListModel::kNow), (QStringList{"t/DOCS/", "t/DOCS/"}));
    QCOMPARE(trial.window->fakeDialogs.errors(), QStringList());
    for (int row = 0; row < 2; ++row)
        QCOMPARE(trial.window->list.markWords(row), QString());
}

// A tree added, then one of its folders added again with its subfolders: every row says what
// became of its own folder, the second rows of a folder that the first renamed too.
void TestRenameRun::treeAddedTwice() {
    Trial trial(Host::Disk);
    QVERIFY(trial.make({"t/a/b/", "t/c/"}));
    AddChosenFolders(*trial.window, {trial.Listed("t")});
    AddChosenFolders(*trial.window, {trial.Listed("t/a")});
    QCOMPARE(trial.window->list.count(), 6);
    trial.preview(kUpper);

    PushButton2_Click(*trial.window);

    QCOMPARE(trial.folders->tree(), (QStringList{"T/", "T/A/", "T/A/B/", "T/C/"}));
    for (int row = 0; row < trial.window->list.count(); ++row)
        QCOMPARE(trial.window->list.markWords(row), QString());
    QCOMPARE(trial.column(FolderListModel::kNow),
             (QStringList{"T/A/B/", "T/A/", "T/C/", "T/", "T/A/B/", "T/A/"}));
    QCOMPARE(trial.window->fakeDialogs.errors(), QStringList());
}

namespace {
// Folder names the walk would not offer but a host accepts, with blanks, a tab and a newline.
const QStringList kOddNames = {"what?ever", "a*b", " lead", "trail ", "tab\there", "new\nline"};
} // namespace

void TestRenameRun::hostCharactersKept_data() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<QStringList>("firstNames");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QStringList>("secondNames");

    const QStringList upper = {"WHAT?EVER", "A*B", " LEAD", "TRAIL ", "TAB\tHERE", "NEW\nLINE"};
    const QStringList proper = {"What?ever", "A*b", " Lead", "Trail ", "Tab\tHere", "New\nline"};
    const QStringList sentence = {"What?ever", "A*b", " lead", "Trail ", "Tab\there", "New\nline"};
    QTest::newRow("UPPER CASE, then lower case") << kUpper << upper << kLower << kOddNames;
    QTest::newRow("lower case, then Proper Case") << kLower << kOddNames << kProper << proper;
    QTest::newRow("Proper Case, then Sentence case") << kProper << proper << kSentence << sentence;
    QTest::newRow("Sentence case, then UPPER CASE") << kSentence << sentence << kUpper << upper;
}

// On this host "?" and "*" are ordinary characters: preview and disk agree, and the renamed rows
// lead a second run to the same folders.
void TestRenameRun::hostCharactersKept() {
    QFETCH(QString, first);
    QFETCH(QStringList, firstNames);
    QFETCH(QString, second);
    QFETCH(QStringList, secondNames);

    const auto paths = [](const QStringList& names) {
        QStringList relative;
        for (const QString& name : names)
            relative << "t/" + name + "/";
        return relative;
    };
    Trial trial(Host::Disk);
    QVERIFY(trial.make(paths(kOddNames)));
    trial.add(paths(kOddNames));

    const std::pair<QString, QStringList> runs[] = {{first, firstNames}, {second, secondNames}};
    for (const auto& [operation, names] : runs) {
        trial.preview(operation);
        QCOMPARE(trial.column(FolderListModel::kNewName), paths(names));
        PushButton2_Click(*trial.window);
        QCOMPARE(trial.folders->tree(), sorted(QStringList{"t/"} + paths(names)));
        QCOMPARE(trial.column(FolderListModel::kNow), paths(names));
    }
    QCOMPARE(trial.window->fakeDialogs.errors(), QStringList());
}

void TestRenameRun::refusedCharactersReplaced_data() {
    QTest::addColumn<Host>("host");
    for (const Host host : {Host::CaseSensitiveFake, Host::CaseInsensitiveFake})
        NewRow(host, "? and * refused") << host;
}

// Where the host refuses "?" and "*", the rows show the names the folders got, and a second run
// finds them there.
void TestRenameRun::refusedCharactersReplaced() {
    QFETCH(Host, host);
    Trial trial(host);
    static_cast<FakeTrialFolders&>(*trial.folders).fake.setRefusedNameCharacters("?*");
    QVERIFY(trial.make({"t/what?ever/", "t/a*b/"}));
    trial.add({"t/what?ever/", "t/a*b/"});

    trial.preview(kUpper);
    QCOMPARE(trial.column(FolderListModel::kNewName), (QStringList{"t/WHAT?EVER/", "t/A*B/"}));
    PushButton2_Click(*trial.window);
    QCOMPARE(trial.folders->tree(), (QStringList{"t/", "t/A_B/", "t/WHAT_EVER/"}));
    QCOMPARE(trial.column(FolderListModel::kNow), (QStringList{"t/WHAT_EVER/", "t/A_B/"}));

    trial.preview(kProper);
    PushButton2_Click(*trial.window);
    QCOMPARE(trial.folders->tree(), (QStringList{"t/", "t/A_b/", "t/What_ever/"}));
    QCOMPARE(trial.column(FolderListModel::kNow), (QStringList{"t/What_ever/", "t/A_b/"}));
    QCOMPARE(trial.window->fakeDialogs.errors(), QStringList());
}

namespace {
enum class Meddling { RenamedAway, OldNameTaken, ParentRenamedAway, ReplacedByImpostor };
} // namespace

void TestRenameRun::undoOfFolderChangedSinceTheRun_data() {
    QTest::addColumn<Host>("host");
    QTest::addColumn<Meddling>("meddling");
    QTest::addColumn<QStringList>("tree");
    QTest::addColumn<QStringList>("nows");
    QTest::addColumn<QString>("notDone");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("named");

    // t/a/ and t/b/ (with t/b/in/) were renamed t/x/ and t/y/ (t/y/IN/) by the run.
    for (const Host host : kAllHosts) {
        NewRow(host, "renamed away")
            << host << Meddling::RenamedAway << QStringList{"t/", "t/b/", "t/b/in/", "t/elsewhere/"}
            << QStringList{"t/x/", "t/b/in/", "t/b/"} << "t/x/"
            << QString::fromLatin1(kNotFoundReason) << kUndoLabel + "at line 106"
            << "t/x";
        NewRow(host, "its old name taken")
            << host << Meddling::OldNameTaken
            << QStringList{"t/", "t/a/", "t/a/theirs.txt", "t/b/", "t/b/in/", "t/x/"}
            << QStringList{"t/x/", "t/b/in/", "t/b/"} << "t/x/"
            << QString::fromLatin1(kRefusedReason) << kEngineLabel + "at line 152"
            << "t/x";
        // The row follows its parent's undo; where the parent went after that nobody told.
        NewRow(host, "its parent renamed away during the undo")
            << host << Meddling::ParentRenamedAway
            << QStringList{"t/", "t/a/", "t/away/", "t/away/IN/"}
            << QStringList{"t/a/", "t/b/IN/", "t/b/"} << "t/b/IN/"
            << "Path not found" << kEngineLabel + "at line 130"
            << "t/b/";
    }
    // Another folder put in its place under its very name is not the one the run renamed.
    NewRow(Host::Disk, "replaced by another of the same name")
        << Host::Disk << Meddling::ReplacedByImpostor
        << QStringList{"t/", "t/b/", "t/b/in/", "t/x/"} << QStringList{"t/x/", "t/b/in/", "t/b/"}
        << "t/x/" << QString::fromLatin1(kNotFoundReason) << kUndoLabel + "at line 106"
        << "t/x";
}

// What was changed since the run is reported, keeps its row mark, and nothing is replaced; the
// rest of the run is undone.
void TestRenameRun::undoOfFolderChangedSinceTheRun() {
    QFETCH(Host, host);
    QFETCH(Meddling, meddling);
    QFETCH(QStringList, tree);
    QFETCH(QStringList, nows);
    QFETCH(QString, notDone);
    QFETCH(QString, reason);
    QFETCH(QString, error);
    QFETCH(QString, named);

    Trial trial(host);
    QVERIFY(trial.make({"t/a/", "t/b/in/"}));
    trial.add({"t/a/"});
    trial.add({"t/b/in/", "t/b/"});
    trial.preview(kUpper);
    trial.setNewPath(0, "t/x/");
    trial.setNewPath(2, "t/y/");
    PushButton2_Click(*trial.window);
    QCOMPARE(trial.folders->tree(), (QStringList{"t/", "t/x/", "t/y/", "t/y/IN/"}));

    FileSystem& fileSystem = trial.folders->fileSystem();
    switch (meddling) {
    case Meddling::RenamedAway:
        fileSystem.renameFolder(trial.Listed("t/"), "x", "elsewhere");
        break;
    case Meddling::OldNameTaken:
        QVERIFY(trial.folders->addFile("t/a/theirs.txt"));
        break;
    case Meddling::ReplacedByImpostor:
        // Made first, so that it cannot take the renamed folder's freed identity.
        QVERIFY(trial.folders->addFolder("t/impostor/"));
        QVERIFY(QDir().rmdir(trial.Listed("t/x/")));
        fileSystem.renameFolder(trial.Listed("t/"), "impostor", "x");
        break;
    case Meddling::ParentRenamedAway:
        // Once the parent has its name back, and before its subfolder is given its own.
        trial.window->actAtPump = trial.window->pumpCount + 2;
        trial.window->action = [&] { fileSystem.renameFolder(trial.Listed("t/"), "b", "away"); };
        break;
    }

    const QHash<QString, QString> reasons = UndoLastRun(*trial.window).notDone;

    QCOMPARE(trial.folders->tree(), sorted(tree));
    QCOMPARE(trial.column(FolderListModel::kNow), nows);
    QCOMPARE(trial.column(FolderListModel::kNewName), QStringList(nows.size(), QString()));
    QCOMPARE(reasons.keys(), QStringList{trial.Listed(notDone)});
    QVERIFY2(reasons.value(trial.Listed(notDone)).contains(reason),
             qPrintable(reasons.value(trial.Listed(notDone))));
    // Its row alone is marked, saying why.
    for (int row = 0; row < nows.size(); ++row) {
        const bool marked = nows[row] == notDone;
        QCOMPARE(trial.window->list.mark(row) == RowMark::NotDone, marked);
        if (marked)
            QVERIFY(trial.window->list.markWords(row).contains(reason));
    }
    const QStringList errors = trial.window->fakeDialogs.errors();
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors[0].contains(error), qPrintable(errors[0]));
    QVERIFY2(errors[0].contains(trial.Listed(named)), qPrintable(errors[0]));
}

namespace {
enum class ListChange { Addition, AdditionDuringRun, Delete, Clear, AnotherRun };
} // namespace

void TestRenameRun::listChangeForgetsTheRun_data() {
    QTest::addColumn<ListChange>("change");
    QTest::newRow("a folder added") << ListChange::Addition;
    QTest::newRow("a folder added during the run") << ListChange::AdditionDuringRun;
    QTest::newRow("a row deleted") << ListChange::Delete;
    QTest::newRow("list cleared") << ListChange::Clear;
    // Only the later run is undone: lower case back to UPPER CASE.
    QTest::newRow("another run") << ListChange::AnotherRun;
}

void TestRenameRun::listChangeForgetsTheRun() {
    QFETCH(ListChange, change);

    Trial trial(Host::CaseSensitiveFake);
    QVERIFY(trial.make({"t/a/", "t/b/"}));
    trial.add({"t/a/", "t/b/"});
    trial.preview(kUpper);
    trial.window->actAtPump = change == ListChange::AdditionDuringRun ? 2 : 0;
    trial.window->action = [&] { trial.add({"t/"}); };
    PushButton2_Click(*trial.window);
    if (change == ListChange::Addition)
        trial.add({"t/"});
    else if (change == ListChange::Delete)
        trial.window->list.removeEntry(0);
    else if (change == ListChange::Clear)
        trial.window->list.removeAll();
    else if (change == ListChange::AnotherRun) {
        trial.preview(kLower);
        PushButton2_Click(*trial.window);
    }
    const QStringList rows = trial.column(FolderListModel::kNow);

    UndoLastRun(*trial.window);

    QCOMPARE(trial.folders->tree(), (QStringList{"t/", "t/A/", "t/B/"}));
    if (change != ListChange::AnotherRun)
        QCOMPARE(trial.column(FolderListModel::kNow), rows);
    QCOMPARE(trial.window->fakeDialogs.errors(), QStringList());
}

// Renames told deepest first, as a run makes them: "path>new" a rename to a whole path, "path=name"
// a new name, "path@new" a folder found under a parent in other letter case.
void TestRenameRun::followedRenames_data() {
    QTest::addColumn<QStringList>("told");
    QTest::addColumn<QString>("listed");
    QTest::addColumn<QString>("bears");
    const QStringList nested{"/t/a/b/=B", "/t/a/=A"};
    QTest::newRow("renamed itself") << nested << "/t/a/b/"
                                    << "/t/A/B/";
    QTest::newRow("below a renamed folder") << nested << "/t/a/b/c/"
                                            << "/t/A/B/c/";
    QTest::newRow("beside a renamed folder") << nested << "/t/a/x/"
                                             << "/t/A/x/";
    QTest::newRow("not below any") << nested << "/t/ab/"
                                   << "/t/ab/";
    QTest::newRow("no separator at its end") << nested << "/t/a/b"
                                             << "/t/A/b";
    QTest::newRow("names for undo") << QStringList{"/t/A/B/=b", "/t/A/=a"} << "/t/A/B/c/"
                                    << "/t/a/b/c/";
    QTest::newRow("found under its parent in other case")
        << QStringList{"/t/Docs/sub/@/t/DOCS/SUB/"} << "/t/Docs/sub/"
        << "/t/DOCS/SUB/";
    const QStringList siblings{"/t/a/b/=B", "/t/x/=X", "/t/a/d/=D", "/t/a/c/=C"};
    QTest::newRow("siblings told apart, first") << siblings << "/t/a/b/"
                                                << "/t/a/B/";
    QTest::newRow("siblings told apart, last") << siblings << "/t/a/c/y/"
                                               << "/t/a/C/y/";
    QTest::newRow("a name between renamed siblings") << siblings << "/t/a/bb/"
                                                     << "/t/a/bb/";
    QTest::newRow("the last rename of a path counts")
        << QStringList{"/t/a/=B", "/t/a/=C"} << "/t/a/x/"
        << "/t/C/x/";
}

void TestRenameRun::followedRenames() {
    QFETCH(QStringList, told);
    QFETCH(QString, listed);
    QFETCH(QString, bears);
    FollowedRenames renames(u'/');
    for (const QString& rename : told) {
        const qsizetype at = rename.indexOf(QRegularExpression(QStringLiteral("[=@]")));
        if (rename[at] == u'@')
            renames.foundAs(rename.left(at), rename.mid(at + 1));
        else
            renames.renamed(rename.left(at), rename.mid(at + 1));
    }
    QCOMPARE(renames.borne(listed), bears);
    // A second row of the same parent takes the parent's path worked out for the first.
    QCOMPARE(renames.borne(listed), bears);
    // The same for the row as the list keeps it, its parent's path apart.
    const qsizetype cut = LeafStart(listed, u'/');
    const ListedPath kept(listed.left(cut), listed.mid(cut));
    for (int row = 0; row < 2; ++row) {
        const std::optional<ListedPath> moved = renames.movedTo(kept);
        QCOMPARE(moved.value_or(kept).toString(), bears);
        QCOMPARE(moved.has_value(), bears != listed);
    }
}

void TestRenameRun::desktopFoldersLeftAlone_data() {
    QTest::addColumn<Host>("host");
    QTest::addColumn<QString>("pictures");
    // Whether the run renames the folder "Pictures" after all.
    QTest::addColumn<bool>("renamed");
    for (const Host host : kAllHosts) {
        NewRow(host, "named as on disk") << host << "t/home/me/Pictures" << false;
        // A host that ignores letter case finds the desktop's folder under it; elsewhere the
        // desktop names a folder that is not there until the run gives it that name, and then
        // the undo leaves it.
        NewRow(host, "named in other letter case")
            << host << "t/home/me/PICTURES" << (host != Host::CaseInsensitiveFake);
    }
}

// The home folder, the folders on the way to it and the user's folders are left as they are,
// whatever folders elsewhere bear their names; their subfolders are renamed. An undo leaves alone
// a folder the desktop has come to know since.
void TestRenameRun::desktopFoldersLeftAlone() {
    QFETCH(Host, host);
    QFETCH(QString, pictures);
    QFETCH(bool, renamed);
    Trial trial(host);
    const QStringList folders = {
        "t/home/",          "t/home/me/", "t/home/me/Pictures/", "t/home/me/Pictures/Holiday/",
        "t/home/me/music/", "t/other/me/"};
    QVERIFY(trial.make(folders));
    // The desktop may name a folder that is not there; a folder of that path is its own.
    trial.window->knownFolders = {trial.Listed("t/home/me"), trial.Listed(pictures),
                                  trial.Listed("t/gone")};
    trial.add(folders);
    trial.preview(kUpper);
    const FolderListModel& list = trial.window->list;
    QStringList marked;
    for (int row = 0; row < list.count(); ++row) {
        if (list.mark(row) != RowMark::KnownFolder)
            continue;
        // Its new path is the one it has: the run leaves it as it is.
        marked << trial.column(FolderListModel::kNow)[row];
        QCOMPARE(trial.column(FolderListModel::kNewName)[row], marked.last());
    }
    QVERIFY(trial.folders->fileSystem().identity(trial.Listed("t/gone")) == std::nullopt);
    QVERIFY(KnownFolders(trial.folders->fileSystem(), {trial.Listed("t/gone")})
                .contains(trial.Listed("t/gone/")));

    QCOMPARE(Told(PushButton2_Click(*trial.window)),
             Told(RunTally{3 + int(renamed), 3 - int(renamed)}));
    QStringList tree = {"t/",
                        "t/home/",
                        "t/home/me/",
                        "t/home/me/Pictures/",
                        "t/home/me/Pictures/HOLIDAY/",
                        "t/home/me/MUSIC/",
                        "t/other/",
                        "t/other/ME/"};
    if (renamed)
        tree.replaceInStrings("/Pictures/", "/PICTURES/");
    QCOMPARE(trial.folders->tree(), sorted(tree));
    QCOMPARE(trial.window->fakeDialogs.errors(), QStringList());
    const QString words = QString::fromUtf16(kKnownFolderWords);
    for (int row = 0; row < list.count(); ++row) {
        const QString now = trial.column(FolderListModel::kNow)[row];
        QCOMPARE(list.markWords(row), marked.contains(now) ? words : QString());
    }

    trial.window->knownFolders << trial.Listed("t/home/me/MUSIC");
    const UndoResult undone = UndoLastRun(*trial.window);
    QCOMPARE(Told(undone.tally), Told(RunTally{2, 1 + int(renamed)}));
    QCOMPARE(undone.notDone.value(trial.Listed("t/home/me/MUSIC/")), words);
    QVERIFY(trial.folders->tree().contains("t/home/me/MUSIC/"));
}

// A mount point cannot be renamed at all: it is left alone, the folders on it are renamed.
void TestRenameRun::mountPointLeftAlone() {
    if (geteuid() != 0)
        QSKIP("Mounting a file system needs root; run as root to test mount points.");
    if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr))
        QSKIP(qPrintable(QStringLiteral("No private mount namespace here: ") +
                         QString::fromLocal8Bit(std::strerror(errno))));
    Trial trial(Host::Disk);
    QVERIFY(trial.make({"t/media/usb/"}));
    const QByteArray stick = QFile::encodeName(trial.Listed("t/media/usb"));
    QVERIFY2(mount("tarnwick-test", stick.constData(), "tmpfs", 0, "size=1m") == 0,
             std::strerror(errno));
    const struct Unmount {
        QByteArray at;
        ~Unmount() { umount2(at.constData(), MNT_DETACH); }
    } unmount{stick};
    QVERIFY(trial.make({"t/media/usb/photos/"}));
    trial.window->knownFolders = DesktopFolders({{}, {}, QStringLiteral("/proc/self/mountinfo")});
    // Added as the user adds them, each row with the identity its parent's listing gives: the
    // mount's root is listed as the folder it covers.
    AddChosenFolders(*trial.window, {trial.Listed("t/media")});
    trial.preview(kUpper);
    QCOMPARE(trial.column(FolderListModel::kNow),
             (QStringList{"t/media/usb/photos/", "t/media/usb/", "t/media/"}));
    QCOMPARE(trial.window->list.mark(1), RowMark::KnownFolder);

    QCOMPARE(Told(PushButton2_Click(*trial.window)), Told(RunTally{1, 2}));
    QCOMPARE(trial.folders->tree(),
             (QStringList{"t/", "t/media/", "t/media/usb/", "t/media/usb/PHOTOS/"}));
    QCOMPARE(trial.window->fakeDialogs.errors(), QStringList());
}

void TestRenameRun::tallyInWords() {
    QCOMPARE(TallyWords({4210, 3}, QLocale(QLocale::English, QLocale::UnitedStates)),
             QStringLiteral("4,210 renamed, 3 not renamed"));
    QCOMPARE(TallyWords({1234567, 0}, QLocale(QLocale::German)),
             QStringLiteral("1.234.567 renamed, 0 not renamed"));
}

QTEST_GUILESS_MAIN(TestRenameRun)
#include "tst_renamerun.moc"
