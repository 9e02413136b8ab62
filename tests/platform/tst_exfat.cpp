#include "platform/posixfilesystem.h"
#include "tests/support/reports.h"

#include "common/failure.h"
#include "folders/addfolders.h"
#include "folders/folderlist.h"
#include "rename/renamerun.h"
#include "rename/undo.h"
#include "tests/platform/disksupport.h"
#include "tests/platform/exfatmount.h"
#include "tests/support/fakewindow.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <memory>
#include <unistd.h>

using namespace tarnwick;
using namespace tarnwick::test;

class TestExfat : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();

    void mountIgnoresCase();
    void caseOnlyRenameOfNestedTree_data();
    void caseOnlyRenameOfNestedTree();
    void directCaseOnlyRenameIsRefused_data();
    void directCaseOnlyRenameIsRefused();
    void neverReplaces_data();
    void neverReplaces();
    void wholeRunOfNestedTree_data();
    void wholeRunOfNestedTree();
    void onlyTheListedFolder_data();
    void onlyTheListedFolder();

private:
    // A fresh folder on the mount for the running test and data row.
    QString freshFolder();

    std::unique_ptr<ExfatMount> m_mount;
    int m_folders = 0;
};

void TestExfat::initTestCase() {
    m_mount = std::make_unique<ExfatMount>();
    if (const QString reason = m_mount->mount(); !reason.isEmpty()) {
        m_mount.reset();
        QSKIP(qPrintable("cannot mount an exFAT image: " + reason));
    }
}

void TestExfat::cleanupTestCase() {
    m_mount.reset();
}

QString TestExfat::freshFolder() {
    const QString folder = m_mount->root() + QStringLiteral("t%1/").arg(++m_folders);
    makeFolder(folder);
    return folder;
}

void TestExfat::mountIgnoresCase() {
    const QString root = freshFolder();
    makeFolder(root + "Probe");
    PosixFileSystem fileSystem;
    QVERIFY(IsFolder(fileSystem, root + "PROBE/"));
    QCOMPARE(fileSystem.subfolders(root), QStringList{"Probe"});
    QCOMPARE(fileSystem.findIgnoringCase(root + "probe/"), root + "probe/");
}

void TestExfat::caseOnlyRenameOfNestedTree_data() {
    QTest::addColumn<Strategy>("strategy");
    QTest::addColumn<QStringList>("names"); // outermost first
    QTest::addColumn<QStringList>("newNames");
    const QStringList lower{"photos", "summer", "beach"};
    const QStringList upper{"PHOTOS", "SUMMER", "BEACH"};
    const QStringList proper{"Photos", "Summer", "Beach"};
    for (const auto& [strategy, label] : kStrategies) {
        QTest::addRow("%s: upper case", label) << strategy << lower << upper;
        QTest::addRow("%s: lower case", label) << strategy << proper << lower;
        QTest::addRow("%s: proper case", label) << strategy << upper << proper;
    }
}

// The way the program renames a listed tree: deepest folder first, each through the new name
// followed by "9999999", so that a change of letter case alone takes effect.
void TestExfat::caseOnlyRenameOfNestedTree() {
    QFETCH(Strategy, strategy);
    QFETCH(QStringList, names);
    QFETCH(QStringList, newNames);
    const QString root = freshFolder();
    makeFolder(root + names.join(u'/'));
    makeFile(root + names.join(u'/') + "/picture.jpg", "pixels");
    makeFolder(root + names[0] + "/" + names[1] + "/untouched");

    ScriptedFileSystem fileSystem;
    useStrategy(fileSystem, strategy);
    for (qsizetype depth = names.size() - 1; depth >= 0; --depth) {
        const QString parent =
            root + QStringList(names.mid(0, depth)).join(u'/') + (depth > 0 ? "/" : "");
        const QString intermediate = newNames[depth] + "9999999";
        QCOMPARE(renameFailure(fileSystem, parent, names[depth], intermediate), 0);
        QCOMPARE(renameFailure(fileSystem, parent, intermediate, newNames[depth]), 0);
    }

    QCOMPARE(entriesOnDisk(root), QStringList{newNames[0]});
    QCOMPARE(entriesOnDisk(root + newNames[0]), QStringList{newNames[1]});
    QCOMPARE(entriesOnDisk(root + newNames[0] + "/" + newNames[1]),
             (QStringList{newNames[2], "untouched"}));
    QCOMPARE(entriesOnDisk(root + newNames.join(u'/')), QStringList{"picture.jpg"});
    QCOMPARE(contentOf(root + newNames.join(u'/') + "/picture.jpg"), QByteArray("pixels"));
    QCOMPARE(fileSystem.subfolders(root), QStringList{newNames[0]});
}

void TestExfat::directCaseOnlyRenameIsRefused_data() {
    QTest::addColumn<Strategy>("strategy");
    QTest::newRow("as the disk answers") << Strategy::AsTheDiskAnswers;
    QTest::newRow("checked") << Strategy::Checked;
}

// Without the detour the disk sees the new name as taken by the folder itself: refused, and the
// folder keeps its name and its contents.
void TestExfat::directCaseOnlyRenameIsRefused() {
    QFETCH(Strategy, strategy);
    const QString root = freshFolder();
    makeFolder(root + "photos/summer");

    ScriptedFileSystem fileSystem;
    useStrategy(fileSystem, strategy);
    QCOMPARE(renameFailure(fileSystem, root, "photos", "PHOTOS"), failure_code::kFileAlreadyExists);
    QCOMPARE(entriesOnDisk(root), QStringList{"photos"});
    QCOMPARE(entriesOnDisk(root + "photos"), QStringList{"summer"});
}

void TestExfat::neverReplaces_data() {
    QTest::addColumn<Strategy>("strategy");
    QTest::addColumn<QString>("to");
    for (const auto& [strategy, label] : kStrategies) {
        QTest::addRow("%s: folder in other case", label) << strategy << "docs";
        QTest::addRow("%s: empty folder", label) << strategy << "Empty";
        QTest::addRow("%s: empty folder in other case", label) << strategy << "EMPTY";
        QTest::addRow("%s: file in other case", label) << strategy << "notes.TXT";
    }
}

void TestExfat::neverReplaces() {
    QFETCH(Strategy, strategy);
    QFETCH(QString, to);
    const QString root = freshFolder();
    makeFolder(root + "Docs/theirs");
    makeFolder(root + "Empty");
    makeFolder(root + "other/mine");
    makeFile(root + "notes.txt", "keep");
    const QStringList before = entriesOnDisk(root);

    ScriptedFileSystem fileSystem;
    useStrategy(fileSystem, strategy);
    QCOMPARE(renameFailure(fileSystem, root, "other", to), failure_code::kFileAlreadyExists);
    QCOMPARE(entriesOnDisk(root), before);
    QCOMPARE(entriesOnDisk(root + "Docs"), QStringList{"theirs"});
    QCOMPARE(entriesOnDisk(root + "Empty"), QStringList());
    QCOMPARE(entriesOnDisk(root + "other"), QStringList{"mine"});
    QCOMPARE(contentOf(root + "notes.txt"), QByteArray("keep"));
}

void TestExfat::wholeRunOfNestedTree_data() {
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("UPPER CASE") << test::kUpper
                                << QStringList{"MY PHOTOS/", "MY PHOTOS/OLD ONES/",
                                               "MY PHOTOS/OLD ONES/X-RAY/", "MY PHOTOS/b.txt"};
    QTest::newRow("lower case") << test::kLower
                                << QStringList{"my photos/", "my photos/old ones/",
                                               "my photos/old ones/x-ray/", "my photos/b.txt"};
    QTest::newRow("Proper Case") << test::kProper
                                 << QStringList{"My Photos/", "My Photos/Old Ones/",
                                                "My Photos/Old Ones/X-ray/", "My Photos/b.txt"};
    QTest::newRow("Sentence case") << test::kSentence
                                   << QStringList{"My photos/", "My photos/Old ones/",
                                                  "My photos/Old ones/X-ray/", "My photos/b.txt"};
}

// What a user does, on a disk that ignores letter case: add the tree, preview, run, undo.
void TestExfat::wholeRunOfNestedTree() {
    QFETCH(QString, operation);
    QFETCH(QStringList, expected);
    const QString root = freshFolder();
    makeFolder(root + "my Photos/old ONES/x-RAY");
    makeFile(root + "my Photos/b.txt", "kept");
    PosixFileSystem fileSystem;
    FakeWindow window(fileSystem);
    window.operation = operation;
    window.fakeDialogs.chosenFolders = {root + "my Photos"};
    PushButton3_Click(window);
    QCOMPARE(window.list.count(), 3);
    PushButton2_Click(window);

    QCOMPARE(window.fakeDialogs.errors(), QStringList());
    QStringList onDisk;
    for (const QString& top : entriesOnDisk(root)) {
        onDisk << top + "/" << QString(top + "/b.txt");
        for (const QString& middle : entriesOnDisk(root + top)) {
            if (middle == QStringLiteral("b.txt"))
                continue;
            onDisk << top + "/" + middle + "/";
            for (const QString& deep : entriesOnDisk(root + top + "/" + middle))
                onDisk << top + "/" + middle + "/" + deep + "/";
        }
    }
    QCOMPARE(sorted(onDisk), sorted(expected));
    QCOMPARE(contentOf(root + expected.last()), QByteArray("kept"));
    // The list names every folder as it is on the disk now.
    QStringList rows = window.column(FolderListModel::kNow);
    for (QString& row : rows)
        row.remove(0, root.size());
    QCOMPARE(sorted(rows), sorted(expected.mid(0, 3)));

    // Undone, every folder has its name back, letter case and all.
    QCOMPARE(UndoLastRun(window).notDone, (QHash<QString, QString>()));
    QCOMPARE(window.fakeDialogs.errors(), QStringList());
    QCOMPARE(entriesOnDisk(root), QStringList{"my Photos"});
    QCOMPARE(entriesOnDisk(root + "my Photos"), (QStringList{"b.txt", "old ONES"}));
    QCOMPARE(entriesOnDisk(root + "my Photos/old ONES"), QStringList{"x-RAY"});
    QCOMPARE(contentOf(root + "my Photos/b.txt"), QByteArray("kept"));
    QCOMPARE(window.column(FolderListModel::kNow),
             (QStringList{root + "my Photos/old ONES/x-RAY/", root + "my Photos/old ONES/",
                          root + "my Photos/"}));
}

void TestExfat::onlyTheListedFolder_data() {
    QTest::addColumn<QString>("listed");
    QTest::addColumn<QString>("sibling");
    QTest::addColumn<QString>("operation");
    // exFAT holds no control characters, so the sibling that differs by a tab cannot be made.
    QTest::newRow("a sibling shares the name key") << "фото"
                                                   << "мама" << kUpper;
    QTest::newRow("a sibling differs by a trailing blank") << "docs "
                                                           << "docs" << kProper;
}

// On a disk that ignores letter case the listed folder is still the only one renamed: gone before
// the run, it leaves an unlisted sibling that resembles it as it was.
void TestExfat::onlyTheListedFolder() {
    QFETCH(QString, listed);
    QFETCH(QString, sibling);
    QFETCH(QString, operation);
    const QString root = freshFolder();
    makeFolder(root + listed);
    makeFolder(root + sibling);
    if (entriesOnDisk(root) != sorted({listed, sibling}))
        QSKIP("this exFAT driver does not keep both names as written");
    PosixFileSystem fileSystem;
    FakeWindow window(fileSystem);
    window.operation = operation;
    window.subfoldersChecked = false;
    window.fakeDialogs.chosenFolders = {root + listed};
    PushButton3_Click(window);
    QCOMPARE(window.list.count(), 1);
    QVERIFY(QDir(root).rename(listed, QStringLiteral("moved")));

    PushButton2_Click(window);
    QCOMPARE(entriesOnDisk(root), sorted({QStringLiteral("moved"), sibling}));
    QCOMPARE(window.fakeDialogs.errors(), QStringList());
    QCOMPARE(window.list.markWords(0), QStringLiteral("Not found on disk"));
}

QTEST_APPLESS_MAIN(TestExfat)
#include "tst_exfat.moc"
