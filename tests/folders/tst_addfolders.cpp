#include "folders/addfolders.h"

#include "common/errortrap.h"
#include "common/failure.h"
#include "folders/folderlist.h"
#include "folders/listediting.h"
#include "folders/subfolderwalk.h"
#include "tests/support/fakewindow.h"

#include <QSet>
#include <QTest>
#include <algorithm>

using namespace tarnwick;
using tarnwick::test::FakeFileSystem;
using tarnwick::test::FakeWindow;

namespace {

const QString kNestedFolder = QStringLiteral("/n");

// A fake disk and the window over it, with the tree given as folder paths ("deny:" before a path
// makes its listing fail with access denied).
struct Desk {
    explicit Desk(const QStringList& tree = {}) : window(fileSystem) {
        for (const QString& line : tree) {
            if (line.startsWith(u"deny:"))
                fileSystem.denyAccess(line.mid(5));
            else
                fileSystem.addFolder(line);
        }
    }

    // One press of "Add Folder(s)" on which the browser returns chosen (cancels when empty).
    void press(const QString& chosen) {
        if (!chosen.isEmpty())
            window.fakeDialogs.chosenFolders << chosen;
        PushButton3_Click(window);
    }

    FakeFileSystem fileSystem;
    FakeWindow window;
};

// The order the rows of one addition must have, worked out from its definition: the keyed
// texts in ascending order of their 16-bit units, the key cut off again.
QStringList ReferenceOrder(const QStringList& paths) {
    const QString separator = QStringLiteral("|agksdfjmySEPERATZZZ|");
    QStringList keyed;
    for (const QString& path : paths)
        keyed << QString::number(100 - path.count(u'/')) + separator + path;
    // QString orders by its 16-bit units, case-sensitively.
    std::sort(keyed.begin(), keyed.end());
    QStringList rows;
    for (const QString& text : keyed)
        rows << text.mid(text.indexOf(separator) + separator.size());
    return rows;
}

// How often one undisturbed press pumps; its last pump falls in the sort.
int PumpsOfOnePress(const QStringList& tree, const QString& chosen) {
    Desk dryRun(tree);
    dryRun.press(chosen);
    return dryRun.window.pumpCount;
}

QStringList Chain(int levels) {
    QStringList paths;
    QString path = QStringLiteral("/");
    for (int i = 0; i < levels; ++i)
        paths << (path += QStringLiteral("a/"));
    return paths;
}

} // namespace

class TestAddFolders : public QObject {
    Q_OBJECT
private slots:
    void rowsOfOnePress_data();
    void rowsOfOnePress();
    void cancelChangesNothingAndPreviews();
    void rowsFollowThoseAlreadyThere();
    void sameFolderTwiceGivesDuplicates();
    void browserPromptAndStartFolder();
    void browseForFolder_data();
    void browseForFolder();
    void keyOrderBeyondNinetySeparators();
    void hourglassFromChoiceToLastRow_data();
    void hourglassFromChoiceToLastRow();
    void rowsArriveInOneInsertion();
    void failingBrowserIsReported();
    void walkFailureDoesNotStopTheAddition();
    void editingWhileAdding_data();
    void editingWhileAdding();
    void secondAdditionInsideTheFirst_data();
    void secondAdditionInsideTheFirst();
    void clearAfterNestedAdditionEnded();
    void hundredThousandFolders();
};

void TestAddFolders::rowsOfOnePress_data() {
    QTest::addColumn<QStringList>("tree");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<bool>("subfolders");
    QTest::addColumn<QStringList>("rows");

    const QStringList tree{"/r/b/c/", "/r/B/", "/r/a/z/", "/r/a/"};
    QTest::newRow("option cleared: one row, the chosen folder")
        << tree << "/r" << false << QStringList{"/r/"};
    QTest::newRow("deepest first, then binary path order")
        << tree << "/r" << true
        << QStringList{"/r/a/z/", "/r/b/c/", "/r/B/", "/r/a/", "/r/b/", "/r/"};
    QTest::newRow("every subfolder stands before its parent")
        << QStringList{"/r/z/y/x/", "/r/a/"} << "/r" << true
        << QStringList{"/r/z/y/x/", "/r/z/y/", "/r/a/", "/r/z/", "/r/"};
    QTest::newRow("root chosen: two separators")
        << QStringList{"/a/b/"} << "/" << true << QStringList{"//a/b/", "//a/", "//"};
    QTest::newRow("chosen folder unreadable: no row")
        << QStringList{"/r/a/", "deny:/r/"} << "/r" << true << QStringList{};
    QTest::newRow("chosen folder unreadable, option cleared: its row")
        << QStringList{"/r/a/", "deny:/r/"} << "/r" << false << QStringList{"/r/"};
    QTest::newRow("unreadable subfolder left out") << QStringList{"/r/a/x/", "/r/b/", "deny:/r/a/"}
                                                   << "/r" << true << QStringList{"/r/b/", "/r/"};
    QTest::newRow("hidden folders are added")
        << QStringList{"/r/.h/i/"} << "/r" << true << QStringList{"/r/.h/i/", "/r/.h/", "/r/"};
    QTest::newRow("a name holding the key separator keeps its whole path")
        << QStringList{"/r/a|agksdfjmySEPERATZZZ|b/"} << "/r" << true
        << QStringList{"/r/a|agksdfjmySEPERATZZZ|b/", "/r/"};
    QTest::newRow("digits sort as text")
        << QStringList{"/r/9/", "/r/10/"} << "/r" << true << QStringList{"/r/10/", "/r/9/", "/r/"};
}

void TestAddFolders::rowsOfOnePress() {
    QFETCH(QStringList, tree);
    QFETCH(QString, chosen);
    QFETCH(bool, subfolders);
    QFETCH(QStringList, rows);
    Desk desk(tree);
    desk.window.subfoldersChecked = subfolders;
    desk.press(chosen);
    QCOMPARE(desk.window.column(FolderListModel::kNow), rows);
    QCOMPARE(desk.window.fakeDialogs.errors(), QStringList{});
    QCOMPARE(desk.window.previewCount, 1);
    QCOMPARE(desk.window.pointerSetting, PointerSetting::Default);
}

void TestAddFolders::cancelChangesNothingAndPreviews() {
    Desk desk({"/r/a/"});
    desk.window.list.appendRows({"/old/"});
    desk.press(QString());
    QCOMPARE(desk.window.column(FolderListModel::kNow), QStringList{"/old/"});
    QCOMPARE(desk.window.previewCount, 1);
    // The preview pass has run over the unchanged list.
    QCOMPARE(desk.window.column(FolderListModel::kNewName), QStringList{"/OLD/"});
    QCOMPARE(desk.window.pointerHistory, QList<PointerSetting>{});
    QCOMPARE(desk.window.fakeDialogs.messages.size(), 0);
}

void TestAddFolders::rowsFollowThoseAlreadyThere() {
    Desk desk({"/r/a/"});
    desk.window.list.appendRows({"/z/", "/b/"});
    desk.press(QStringLiteral("/r"));
    QCOMPARE(desk.window.column(FolderListModel::kNow),
             (QStringList{"/z/", "/b/", "/r/a/", "/r/"}));
    QCOMPARE(desk.window.column(FolderListModel::kNewName),
             (QStringList{"/Z/", "/B/", "/r/A/", "/R/"}));
}

void TestAddFolders::sameFolderTwiceGivesDuplicates() {
    Desk desk({"/r/a/"});
    desk.press(QStringLiteral("/r"));
    desk.press(QStringLiteral("/r"));
    QCOMPARE(desk.window.column(FolderListModel::kNow),
             (QStringList{"/r/a/", "/r/", "/r/a/", "/r/"}));
    QCOMPARE(desk.window.previewCount, 2);
}

void TestAddFolders::browserPromptAndStartFolder() {
    Desk desk({"/r/"});
    desk.press(QStringLiteral("/r"));
    desk.press(QString());
    const auto& browses = desk.window.fakeDialogs.browses;
    QCOMPARE(browses.size(), 2);
    for (const auto& browse : browses) {
        QCOMPARE(browse.prompt, QStringLiteral("Please select folder:"));
        QCOMPARE(browse.owner, &desk.window.ownerObject);
        // Never the folder chosen the time before.
        QCOMPARE(browse.startFolder, QString());
    }
}

void TestAddFolders::browseForFolder_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("startShown");
    QTest::addColumn<QString>("result");

    QTest::newRow("empty start, a choice") << ""
                                           << "/home/a"
                                           << ""
                                           << "/home/a";
    QTest::newRow("a start folder is passed on") << "/srv"
                                                 << "/srv/x"
                                                 << "/srv"
                                                 << "/srv/x";
    QTest::newRow("answer ends at its first NUL")
        << "" << QStringLiteral("/a") + QChar(0) + QStringLiteral("junk") << ""
        << "/a";
    QTest::newRow("start ends at its first NUL")
        << QStringLiteral("/s") + QChar(0) + QStringLiteral("t") << "/x"
        << "/s"
        << "/x";
}

void TestAddFolders::browseForFolder() {
    QFETCH(QString, start);
    QFETCH(QString, answer);
    QFETCH(QString, startShown);
    QFETCH(QString, result);
    test::FakeUserDialogs dialogs;
    if (!answer.isEmpty())
        dialogs.chosenFolders << answer;
    QObject owner;
    QCOMPARE(BrowseForFolder(dialogs, &owner, QStringLiteral("Pick"), start), result);
    QCOMPARE(dialogs.browses.size(), 1);
    QCOMPARE(dialogs.browses[0].startFolder, startShown);
    QCOMPARE(dialogs.browses[0].prompt, QStringLiteral("Pick"));
    QCOMPARE(dialogs.browses[0].owner, &owner);
}

// Beyond 90 separators the key has one digit, is 0 or negative, and the text comparison places
// such paths where it will: negative keys first, "9" after "90" to "98", and so on.
void TestAddFolders::keyOrderBeyondNinetySeparators() {
    Desk desk;
    // 135 levels: the walk stops below the paths of 260 characters, which have 131 separators.
    const QStringList chain = Chain(135);
    desk.fileSystem.addFolder(chain.last());
    for (int level : {5, 45, 89, 90, 91, 99, 100, 110, 125})
        desk.fileSystem.addFolder(chain[level - 1] + QStringLiteral("b/"));
    desk.press(QStringLiteral("/a"));

    QStringList walked = chain.mid(0, 130);
    for (int level : {5, 45, 89, 90, 91, 99, 100, 110, 125})
        walked << chain[level - 1] + QStringLiteral("b/");
    const QStringList rows = desk.window.column(FolderListModel::kNow);
    QCOMPARE(rows.size(), walked.size());
    QCOMPARE(rows, ReferenceOrder(walked));
    // "-10" (110 separators) leads, before "-1"; the two of key "9" (91 separators) end, after
    // the chosen folder's "98".
    QCOMPARE(rows.first(), chain[108]);
    QCOMPARE(rows.indexOf(chain[99]), 11); // after "-10" to "-19": ten of the chain, one branch
    QCOMPARE(rows.last(), chain[88] + QStringLiteral("b/"));
    QCOMPARE(rows[rows.size() - 2], chain[89]);
    QCOMPARE(rows[rows.size() - 3], QStringLiteral("/a/"));
}

void TestAddFolders::hourglassFromChoiceToLastRow_data() {
    QTest::addColumn<bool>("atLastPump");
    QTest::newRow("first pump of the walk") << false;
    QTest::newRow("last pump of the sort") << true;
}

void TestAddFolders::hourglassFromChoiceToLastRow() {
    QFETCH(bool, atLastPump);
    const QStringList tree{"/r/a/x/", "/r/b/", "/r/c/"};
    const int lastPump = PumpsOfOnePress(tree, QStringLiteral("/r"));
    Desk desk(tree);
    FakeWindow& window = desk.window;
    // Custom never shows during an addition: it stands for "not seen".
    PointerSetting whileBrowsing = PointerSetting::Custom;
    PointerSetting atPump = PointerSetting::Custom;
    PointerSetting atInsert = PointerSetting::Custom;
    window.fakeDialogs.whileBrowsing = [&] { whileBrowsing = window.pointerSetting; };
    window.actAtPump = atLastPump ? lastPump : 1;
    window.action = [&] { atPump = window.pointerSetting; };
    connect(&window.list, &QAbstractItemModel::rowsInserted, this,
            [&] { atInsert = window.pointerSetting; });
    desk.press(QStringLiteral("/r"));

    QCOMPARE(whileBrowsing, PointerSetting::Default);
    QCOMPARE(atPump, PointerSetting::Hourglass);
    QCOMPARE(atInsert, PointerSetting::Hourglass);
    QCOMPARE(window.pointerHistory,
             (QList<PointerSetting>{PointerSetting::Hourglass, PointerSetting::Default}));
    QCOMPARE(window.pumpCount, lastPump);
}

void TestAddFolders::rowsArriveInOneInsertion() {
    Desk desk({"/r/a/", "/r/b/", "/r/c/d/"});
    desk.window.list.appendRows({"/old/"});
    int insertions = 0;
    connect(&desk.window.list, &QAbstractItemModel::rowsInserted, this,
            [&](const QModelIndex&, int first, int last) {
                ++insertions;
                QCOMPARE(first, 1);
                QCOMPARE(last, 5);
            });
    desk.press(QStringLiteral("/r"));
    QCOMPARE(insertions, 1);
}

// The trap reports the failing step and the handler goes on: no folder, so the preview pass.
void TestAddFolders::failingBrowserIsReported() {
    Desk desk({"/r/"});
    desk.window.fakeDialogs.chosenFolders << QStringLiteral("/r");
    desk.window.fakeDialogs.whileBrowsing = [] {
        throw Failure(75, QStringLiteral("Path/File access error"));
    };
    PushButton3_Click(desk.window);
    QCOMPARE(desk.window.fakeDialogs.errors(),
             QStringList{ErrorTrap::message(QStringLiteral("Path/File access error"),
                                            QString::fromUtf16(kAddFoldersLabel), 102)});
    QCOMPARE(desk.window.fakeDialogs.messages[0].icon, MessageIcon::Warning);
    QCOMPARE(desk.window.list.count(), 0);
    QCOMPARE(desk.window.previewCount, 1);
    QCOMPARE(desk.window.pointerHistory, QList<PointerSetting>{});
}

// A folder removed while the walk pumps is reported by the walk's own trap; the addition goes
// on, the pointer comes back and the preview pass runs.
void TestAddFolders::walkFailureDoesNotStopTheAddition() {
    Desk desk({"/r/a/", "/r/b/"});
    // Pumps: 1 examine /r/, 2-3 its subfolders, 4-5 examine them, 6 merge /r/a/.
    desk.window.actAtPump = 6;
    desk.window.action = [&] { desk.fileSystem.remove(QStringLiteral("/r/a/")); };
    desk.press(QStringLiteral("/r"));
    QCOMPARE(desk.window.fakeDialogs.errors(),
             QStringList{ErrorTrap::message(QStringLiteral("Path not found"),
                                            QString::fromUtf16(kGetSubDirectoriesLabel), 120)});
    QCOMPARE(desk.window.column(FolderListModel::kNow), (QStringList{"/r/b/", "/r/"}));
    QCOMPARE(desk.window.pointerSetting, PointerSetting::Default);
    QCOMPARE(desk.window.previewCount, 1);
}

void TestAddFolders::editingWhileAdding_data() {
    QTest::addColumn<QString>("edit");
    QTest::addColumn<bool>("atLastPump");
    for (const char* edit : {"Clear List", "Delete key", "double click"}) {
        QTest::newRow(qPrintable(QStringLiteral("%1 during the walk").arg(edit)))
            << QString::fromLatin1(edit) << false;
        QTest::newRow(qPrintable(QStringLiteral("%1 during the sort").arg(edit)))
            << QString::fromLatin1(edit) << true;
    }
}

// The hourglass keeps the list's own editing away from it while an addition pumps.
void TestAddFolders::editingWhileAdding() {
    QFETCH(QString, edit);
    QFETCH(bool, atLastPump);
    const QStringList tree{"/r/a/x/", "/r/b/"};
    const int lastPump = PumpsOfOnePress(tree, QStringLiteral("/r"));
    Desk desk(tree);
    FakeWindow& window = desk.window;
    window.list.appendRows({"/old/1/", "/old/2/"});
    window.actAtPump = atLastPump ? lastPump : 1;
    window.action = [&] {
        if (edit == u"Clear List")
            PushButton1_Click(window);
        else if (edit == u"Delete key")
            ListView1_KeyDown(window, kDeleteKeyCode, 0);
        else
            RemoveSelectedEntry(window, 1);
    };
    desk.press(QStringLiteral("/r"));
    QVERIFY(!window.action);
    QCOMPARE(window.column(FolderListModel::kNow),
             (QStringList{"/old/1/", "/old/2/", "/r/a/x/", "/r/a/", "/r/b/", "/r/"}));
    QCOMPARE(window.previewCount, edit == u"Clear List" ? 2 : 1);
    QCOMPARE(window.fakeDialogs.errors(), QStringList{});
}

void TestAddFolders::secondAdditionInsideTheFirst_data() {
    QTest::addColumn<bool>("atLastPump");
    QTest::newRow("pressed during the walk") << false;
    QTest::newRow("pressed during the sort") << true;
}

// A second press while the first pumps opens the browser again and runs to its end, pointer
// reset included, before the first goes on; both additions arrive whole.
void TestAddFolders::secondAdditionInsideTheFirst() {
    QFETCH(bool, atLastPump);
    const QStringList tree{"/r/a/x/", "/r/b/", "/n/m/"};
    const int lastPump = PumpsOfOnePress(tree, QStringLiteral("/r"));
    Desk desk(tree);
    FakeWindow& window = desk.window;
    window.list.appendRows({"/old/"});
    window.actAtPump = atLastPump ? lastPump : 1;
    window.action = [&] {
        window.fakeDialogs.chosenFolders << kNestedFolder;
        PushButton3_Click(window);
    };
    desk.press(QStringLiteral("/r"));

    QCOMPARE(window.column(FolderListModel::kNow),
             (QStringList{"/old/", "/n/m/", "/n/", "/r/a/x/", "/r/a/", "/r/b/", "/r/"}));
    QCOMPARE(window.column(FolderListModel::kNewName),
             (QStringList{"/OLD/", "/n/M/", "/N/", "/r/a/X/", "/r/A/", "/r/B/", "/R/"}));
    QCOMPARE(window.pointerHistory,
             (QList<PointerSetting>{PointerSetting::Hourglass, PointerSetting::Hourglass,
                                    PointerSetting::Default, PointerSetting::Default}));
    QCOMPARE(window.previewCount, 2);
    QCOMPARE(window.fakeDialogs.browses.size(), 2);
    QCOMPARE(window.fakeDialogs.errors(), QStringList{});
}

// Once the inner addition has set the arrow back, the list may be cleared while the outer one
// still sorts; the outer rows then arrive in the emptied list, whole.
void TestAddFolders::clearAfterNestedAdditionEnded() {
    const QStringList tree{"/r/a/", "/r/b/", "/n/"};
    const int lastPump = PumpsOfOnePress(tree, QStringLiteral("/r"));
    Desk desk(tree);
    FakeWindow& window = desk.window;
    window.list.appendRows({"/old/"});
    window.actAtPump = 1;
    window.action = [&] {
        window.fakeDialogs.chosenFolders << kNestedFolder;
        PushButton3_Click(window);
        // The outer addition's last pump, counted on from the nested addition's pumps.
        window.actAtPump = window.pumpCount + lastPump - 1;
        window.action = [&] { PushButton1_Click(window); };
    };
    desk.press(QStringLiteral("/r"));
    QVERIFY(!window.action);
    QCOMPARE(window.column(FolderListModel::kNow), (QStringList{"/r/a/", "/r/b/", "/r/"}));
    QCOMPARE(window.pointerSetting, PointerSetting::Default);
}

void TestAddFolders::hundredThousandFolders() {
    Desk desk;
    // Five levels of ten below the chosen folder, each listed in descending order of its names:
    // 111,110 folders, 111,111 rows.
    QStringList expected{"/big/"};
    QStringList level = expected;
    for (int depth = 0; depth < 5; ++depth) {
        QStringList next;
        for (const QString& parent : std::as_const(level)) {
            for (int name = 9; name >= 0; --name)
                next << parent + QString::number(name) + u'/';
        }
        expected << next;
        level = next;
    }
    for (const QString& leaf : std::as_const(level))
        desk.fileSystem.addFolder(leaf);
    desk.press(QStringLiteral("/big"));
    const QStringList rows = desk.window.column(FolderListModel::kNow);
    QCOMPARE(rows.size(), 111111);
    QCOMPARE(QSet<QString>(rows.cbegin(), rows.cend()),
             QSet<QString>(expected.cbegin(), expected.cend()));
    // Up to 90 separators the order is: deeper first, then ascending path.
    for (qsizetype i = 1; i < rows.size(); ++i) {
        const qsizetype above = rows[i - 1].count(u'/'), below = rows[i].count(u'/');
        if (above < below || (above == below && !(rows[i - 1] < rows[i])))
            QFAIL(qPrintable(rows[i - 1] + QStringLiteral(" before ") + rows[i]));
    }
    QCOMPARE(rows.first(), QStringLiteral("/big/0/0/0/0/0/"));
    QCOMPARE(rows.last(), QStringLiteral("/big/"));
    QCOMPARE(desk.window.previewCount, 1);
    QCOMPARE(desk.window.pointerSetting, PointerSetting::Default);
    QCOMPARE(desk.window.fakeDialogs.errors(), QStringList{});
}

QTEST_MAIN(TestAddFolders)
#include "tst_addfolders.moc"
