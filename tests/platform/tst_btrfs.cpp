#include "platform/posixfilesystem.h"
#include "tests/support/reports.h"

#include "folders/addfolders.h"
#include "folders/folderlist.h"
#include "rename/renamerun.h"
#include "rename/undo.h"
#include "tests/platform/disksupport.h"
#include "tests/platform/exfatmount.h"
#include "tests/support/fakewindow.h"

#include <QTest>
#include <memory>

using namespace tarnwick;
using namespace tarnwick::test;

// btrfs gives each subvolume a device of its own: a folder's parent lists it under the parent's
// device, the folder itself answers with its own.
class TestBtrfs : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase() { m_mount.reset(); }
    void rowsBelowSubvolumeRenamed_data();
    void rowsBelowSubvolumeRenamed();

private:
    std::unique_ptr<ExfatMount> m_mount;
    QString m_btrfs;
};

void TestBtrfs::initTestCase() {
    m_btrfs = FindTool("btrfs");
    if (m_btrfs.isEmpty())
        QSKIP("btrfs not found (Debian package btrfs-progs)");
    m_mount = std::make_unique<ExfatMount>(128 * 1024 * 1024, Disk::Btrfs);
    if (const QString reason = m_mount->mount(); !reason.isEmpty()) {
        m_mount.reset();
        QSKIP(qPrintable("cannot mount a btrfs image: " + reason));
    }
}

void TestBtrfs::rowsBelowSubvolumeRenamed_data() {
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("UPPER CASE") << kUpper
                                << QStringList{"TOP/",     "TOP/PLAIN/",     "TOP/PLAIN/X/",
                                               "TOP/SUB/", "TOP/SUB/INNER/", "TOP/SUB/INNER/DEEP/"};
}

// Every folder of a tree with a subvolume in it is renamed, and given its name back: none is
// taken for another folder put in the place of the one listed.
void TestBtrfs::rowsBelowSubvolumeRenamed() {
    QFETCH(QString, operation);
    QFETCH(QStringList, expected);
    const QString root = m_mount->root();
    makeFolder(root + "top");
    QCOMPARE(RunTool(m_btrfs, {"subvolume", "create", root + "top/sub"}), QString());
    makeFolder(root + "top/sub/inner/deep");
    makeFolder(root + "top/plain/x");
    PosixFileSystem fileSystem;
    FakeWindow window(fileSystem);
    window.operation = operation;
    window.fakeDialogs.chosenFolders = {root + "top"};
    PushButton3_Click(window);
    QCOMPARE(window.list.count(), expected.size());

    PushButton2_Click(window);
    QCOMPARE(window.fakeDialogs.errors(), QStringList());
    QStringList rows = window.column(FolderListModel::kNow);
    for (QString& row : rows)
        row.remove(0, root.size());
    QCOMPARE(sorted(rows), sorted(expected));
    for (int row = 0; row < window.list.count(); ++row)
        QCOMPARE(window.list.markWords(row), QString());

    QCOMPARE(UndoLastRun(window).notDone, (QHash<QString, QString>()));
    QCOMPARE(entriesOnDisk(root + "top"), (QStringList{"plain", "sub"}));
    QCOMPARE(entriesOnDisk(root + "top/sub"), QStringList{"inner"});
    QCOMPARE(entriesOnDisk(root + "top/sub/inner"), QStringList{"deep"});
}

QTEST_APPLESS_MAIN(TestBtrfs)
#include "tst_btrfs.moc"
