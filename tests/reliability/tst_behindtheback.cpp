#include "platform/posixfilesystem.h"
#include "tests/reliability/reliabilitysupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tarnwick;
using namespace tarnwick::test;

namespace {

// What another program does to the tree after the preview and before the run.
enum class Change {
    None,
    Deleted,
    Renamed,
    ReplacedBySameName,
    RenamedInCase,
    ReplacedByFile,
    ReplacedByLink,
    ParentReplacedByLink,
    ParentReplacedByFolder,
    ParentRenamedInCase,
    ParentRenamedBeyondCase,
};

const QStringList kTree = {"t/",       "t/docs/",    "t/a/",         "t/a/b/",    "t/a/b/c/",
                           "outside/", "outside/b/", "outside/b/c/", "outside/x/"};
const QStringList kOutside = {"outside/", "outside/b/", "outside/b/c/", "outside/x/"};

bool Apply(Change change, const QString& base) {
    const auto rename = [&](const char* from, const char* to) {
        return ::rename(QFile::encodeName(base + from).constData(),
                        QFile::encodeName(base + to).constData()) == 0;
    };
    // Made before the folder goes, so that the link cannot take the folder's freed identity.
    const auto link = [&](const char* at) {
        const QByteArray made = QFile::encodeName(base + "t/new-link");
        return ::symlink("../outside", made.constData()) == 0 &&
               QDir(base + at).removeRecursively() &&
               ::rename(made.constData(), QFile::encodeName(base + at).constData()) == 0;
    };
    switch (change) {
    case Change::None:
        return true;
    case Change::Deleted:
        return QDir().rmdir(base + "t/docs");
    case Change::Renamed:
        return rename("t/docs", "t/papers");
    case Change::ReplacedBySameName:
        // Made first, so that it cannot take the listed folder's freed identity.
        return QDir().mkdir(base + "t/impostor") && QDir().rmdir(base + "t/docs") &&
               rename("t/impostor", "t/docs");
    case Change::RenamedInCase:
        return rename("t/docs", "t/dOCS");
    case Change::ReplacedByFile: {
        QFile file(base + "t/docs");
        return QDir().rmdir(base + "t/docs") && file.open(QIODevice::WriteOnly);
    }
    case Change::ReplacedByLink:
        return link("t/docs");
    case Change::ParentReplacedByLink:
        return link("t/a");
    case Change::ParentReplacedByFolder:
        // The same names below it, none of them listed.
        return rename("t/a", "t/moved") && QDir().mkpath(base + "t/a/b/c");
    case Change::ParentRenamedInCase:
        return rename("t/a", "t/A");
    case Change::ParentRenamedBeyondCase:
        return rename("t/a", "t/z");
    }
    return false;
}

} // namespace

class TestBehindTheBack : public QObject {
    Q_OBJECT
private slots:
    void cleanupTestCase() { PrintTally("behind the back"); }

    void changedBetweenPreviewAndRun_data();
    void changedBetweenPreviewAndRun();
    void onlyTheListedFolder_data();
    void onlyTheListedFolder();
};

void TestBehindTheBack::changedBetweenPreviewAndRun_data() {
    QTest::addColumn<Change>("change");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QStringList>("nows");
    QTest::addColumn<QList<int>>("lines");

    const QStringList renamedA = {"T/A/", "T/A/B/", "T/A/B/C/"};
    const QStringList nowsA = {"T/", "T/A/", "T/A/B/", "T/A/B/C/"};
    QTest::newRow("nothing changed")
        << Change::None << QStringList{"T/", "T/DOCS/"} + renamedA + kOutside
        << nowsA + QStringList{"T/DOCS/"} << QList<int>{};
    // Nothing bears the listed name any more: nothing renamed, nothing reported, and the row
    // keeps its path below its renamed parent.
    QTest::newRow("listed folder deleted")
        << Change::Deleted << QStringList{"T/"} + renamedA + kOutside
        << nowsA + QStringList{"T/docs/"} << QList<int>{};
    QTest::newRow("listed folder renamed")
        << Change::Renamed << QStringList{"T/", "T/papers/"} + renamedA + kOutside
        << nowsA + QStringList{"T/docs/"} << QList<int>{};
    // Another folder under the very name: what the host says it is tells it from the listed one.
    QTest::newRow("listed folder replaced by another of the same name")
        << Change::ReplacedBySameName << QStringList{"T/", "T/docs/"} + renamedA + kOutside
        << nowsA + QStringList{"T/docs/"} << QList<int>{};
    QTest::newRow("listed folder renamed in letter case")
        << Change::RenamedInCase << QStringList{"T/", "T/dOCS/"} + renamedA + kOutside
        << nowsA + QStringList{"T/docs/"} << QList<int>{};
    QTest::newRow("listed folder replaced by a file")
        << Change::ReplacedByFile << QStringList{"T/", "T/docs"} + renamedA + kOutside
        << nowsA + QStringList{"T/docs/"} << QList<int>{};
    // The link is not the folder that was listed: neither it nor what it leads to is renamed.
    QTest::newRow("listed folder replaced by a link to a folder elsewhere")
        << Change::ReplacedByLink << QStringList{"T/", "T/docs -> ../outside"} + renamedA + kOutside
        << nowsA + QStringList{"T/docs/"} << QList<int>{};
    // outside holds b/c as the listed folders did: renaming through the link would reach it.
    QTest::newRow("parent of listed folders replaced by a link to a folder elsewhere")
        << Change::ParentReplacedByLink
        << QStringList{"T/", "T/a -> ../outside", "T/DOCS/"} + kOutside
        << QStringList{"T/", "T/DOCS/", "T/a/", "T/a/b/", "T/a/b/c/"} << QList<int>{};
    // Other folders under the listed names: the listed ones are not there, and nothing below the
    // others is renamed, not even the folders that bear the listed names.
    QTest::newRow("parent of listed folders replaced by another folder")
        << Change::ParentReplacedByFolder
        << QStringList{"T/",       "T/DOCS/",  "T/a/",       "T/a/b/",
                       "T/a/b/c/", "T/moved/", "T/moved/b/", "T/moved/b/c/"} +
               kOutside
        << QStringList{"T/", "T/DOCS/", "T/a/", "T/a/b/", "T/a/b/c/"} << QList<int>{};
    // On a disk that tells letter case apart a folder in other case is another folder: the
    // listed parent is gone, and nothing below the other is renamed.
    QTest::newRow("parent renamed in letter case")
        << Change::ParentRenamedInCase
        << QStringList{"T/", "T/A/", "T/A/b/", "T/A/b/c/", "T/DOCS/"} + kOutside
        << QStringList{"T/", "T/DOCS/", "T/a/", "T/a/b/", "T/a/b/c/"} << QList<int>{130, 130};
    QTest::newRow("parent renamed beyond letter case")
        << Change::ParentRenamedBeyondCase
        << QStringList{"T/", "T/DOCS/", "T/z/", "T/z/b/", "T/z/b/c/"} + kOutside
        << QStringList{"T/", "T/DOCS/", "T/a/", "T/a/b/", "T/a/b/c/"} << QList<int>{130, 130};
}

void TestBehindTheBack::changedBetweenPreviewAndRun() {
    QFETCH(Change, change);
    QFETCH(QStringList, after);
    QFETCH(QStringList, nows);
    QFETCH(QList<int>, lines);

    QTemporaryDir temporary;
    QVERIFY(temporary.isValid());
    const QString base = temporary.path() + u'/';
    for (const QString& folder : kTree)
        QVERIFY(QDir().mkpath(base + folder));
    // There from the start: listed as an entry of t, never walked into.
    QVERIFY(::symlink("../outside", QFile::encodeName(base + "t/link").constData()) == 0);

    PosixFileSystem fileSystem;
    Session session(fileSystem, kUpper);
    session.add(base + "t");
    QCOMPARE(Relative(session.report().listed, base),
             (QStringList{"t/", "t/a/", "t/a/b/", "t/a/b/c/", "t/docs/", "t/link/"}));
    const QList<QByteArray> before = RawTree(base);
    QVERIFY(Apply(change, base));
    if (change != Change::None)
        ++Counted().faults;

    session.run();

    const SessionReport report = session.report();
    CheckTree(before, RawTree(base), Bytes(after + QStringList{"T/LINK -> ../outside"}));
    nows << "T/LINK/";
    nows.sort();
    QCOMPARE(Relative(report.nows, base), nows);
    CheckErrors(report.errors, lines, lines.isEmpty() ? QString() : "Path not found");
    QCOMPARE(report.messages, QStringList());
    // The rows below a listed folder that became a link say why they were left.
    QStringList leftBelowLink;
    const FolderListModel& list = session.window.list;
    for (int row = 0; row < list.count(); ++row) {
        if (list.markWords(row) == QString::fromLatin1(kLeadsElsewhereReason))
            leftBelowLink << Relative(QStringList{list.text(row, FolderListModel::kNow)}, base);
    }
    const QStringList expectedBelowLink =
        change == Change::ParentReplacedByLink || change == Change::ParentReplacedByFolder
            ? QStringList{"T/a/b/c/", "T/a/b/"}
            : QStringList();
    QCOMPARE(leftBelowLink, expectedBelowLink);
}

// The listed folder goes away; a sibling nobody listed shares its name but for a character the
// name key drops. It is left as it is, and the row says where its own folder was.
void TestBehindTheBack::onlyTheListedFolder_data() {
    QTest::addColumn<QStringList>("tree");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<bool>("subfolders");
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("moved"); // the listed folder, gone before the run
    QTest::addColumn<QStringList>("after");

    QTest::newRow("a sibling differs by a tab")
        << QStringList{"p/docs/", "p/docs\t/"} << "p" << true << kUpper << "p/docs"
        << QStringList{"P/", "P/docs\t/", "P/moved/"};
    QTest::newRow("a sibling shares the name key")
        << QStringList{"r/фото/", "r/мама/"} << "r/фото" << false << kUpper << "r/фото"
        << QStringList{"r/", "r/moved/", "r/мама/"};
    QTest::newRow("a sibling differs by a trailing blank")
        << QStringList{"q/docs /", "q/docs/"} << "q/docs " << false << kProper << "q/docs "
        << QStringList{"q/", "q/docs/", "q/moved/"};
}

void TestBehindTheBack::onlyTheListedFolder() {
    QFETCH(QStringList, tree);
    QFETCH(QString, chosen);
    QFETCH(bool, subfolders);
    QFETCH(QString, operation);
    QFETCH(QString, moved);
    QFETCH(QStringList, after);

    QTemporaryDir temporary;
    QVERIFY(temporary.isValid());
    const QString base = temporary.path() + u'/';
    for (const QString& folder : tree)
        QVERIFY(QDir().mkpath(base + folder));
    PosixFileSystem fileSystem;
    Session session(fileSystem, operation);
    session.window.subfoldersChecked = subfolders;
    session.add(base + chosen);
    const QList<QByteArray> before = RawTree(base);
    QVERIFY(::rename(QFile::encodeName(base + moved).constData(),
                     QFile::encodeName(base + GetParentPath(moved) + "moved").constData()) == 0);
    ++Counted().faults;

    session.run();

    CheckTree(before, RawTree(base), Bytes(after));
    for (const QString& now : session.report().nows) {
        if (!now.startsWith(base + moved, Qt::CaseInsensitive))
            QVERIFY2(QFileInfo(now).isDir(), qPrintable(now));
    }
    CheckErrors(session.report().errors, {});
}

QTEST_GUILESS_MAIN(TestBehindTheBack)
#include "tst_behindtheback.moc"
