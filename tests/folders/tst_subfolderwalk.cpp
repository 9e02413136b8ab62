#include "folders/subfolderwalk.h"

#include "common/errortrap.h"
#include "common/failure.h"
#include "platform/filesystem.h"
#include "tests/support/disktree.h"
#include "tests/support/fakefilesystem.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tarnwick;
using tarnwick::test::FakeFileSystem;
using tarnwick::test::makeFolders;
using tarnwick::test::makeLink;
using tarnwick::test::sorted;

namespace {

// One line per entry of a fake tree:
//   "/r/a/"          a folder (parents are made as needed, in the order of the lines)
//   "/r/a/ =22"      a folder whose attribute value is exactly 22
//   "link:/r/a/"     a symbolic link to a folder
//   "file:/r/f"      a file
//   "deny:/r/a/"     listing the folder fails with 70 "Permission denied"
//   "fail75:/r/a/"   listing fails with 75; "fail76:" with 76
void Build(FakeFileSystem& fileSystem, const QStringList& lines) {
    for (const QString& line : lines) {
        const qsizetype colon = line.indexOf(u':');
        const QString kind = colon < 0 ? QString() : line.left(colon);
        QString path = line.mid(colon + 1);
        int value = 0;
        if (const qsizetype equals = path.indexOf(QStringLiteral(" =")); equals >= 0) {
            value = path.mid(equals + 2).toInt();
            path.truncate(equals);
        }
        if (kind.isEmpty())
            fileSystem.addFolder(path, value ? value & ~attribute::kDirectory : 0);
        else if (kind == u"link")
            fileSystem.addFolderLink(path);
        else if (kind == u"file")
            fileSystem.addFile(path);
        else if (kind == u"deny")
            fileSystem.denyAccess(path);
        else if (kind.startsWith(u"fail"))
            fileSystem.failListing(path, Failure(kind.mid(4).toInt(), QStringLiteral("Failed")));
        else
            QFAIL(qPrintable(QStringLiteral("unknown tree line: ") + line));
    }
}

struct Walk {
    QStringList folders;
    QStringList reports;
    int pumps = 0;
    // What the walk told of its progress: how many folders it had found, at each it found.
    QList<int> found;
    // How many parents' paths the rows below them hold: one string each when siblings share it.
    qsizetype parentStrings = 0;
};

// Walks through the form the program adds with, the rows in two parts, and reads them whole.
Walk RunWalk(FileSystem& fileSystem, QStringList folders, bool includeAllLevels = true,
             const std::function<void(int pump)>& atPump = {}) {
    Walk walk;
    std::vector<WalkedFolder> paths;
    for (const QString& folder : folders)
        paths.push_back({ListedPath(folder)});
    GetSubDirectories2016(
        paths, includeAllLevels, fileSystem,
        [&] {
            ++walk.pumps;
            if (atPump)
                atPump(walk.pumps);
        },
        [&](const QString& message) { walk.reports << message; },
        [&](int found) { walk.found << found; });
    QSet<const QChar*> parents;
    for (const auto& [path, identity] : paths) {
        walk.folders << path.toString();
        if (!path.head().isEmpty())
            parents.insert(path.head().constData());
    }
    walk.parentStrings = parents.size();
    return walk;
}

// The length bound of the fake, the host the program was made for.
constexpr qsizetype kFolderLengthBound = 260;

QString Repeat(char16_t unit, qsizetype count) {
    return QString(count, QChar(unit));
}

// ---- real disk ----

void MakeFolder(const QByteArray& path) {
    QVERIFY2(::mkdir(path.constData(), 0755) == 0, path.constData());
}

// QTemporaryDir cannot remove what a text cannot name; these go by their bytes.
class RemovedAtEnd {
public:
    ~RemovedAtEnd() {
        for (auto folder = m_folders.crbegin(); folder != m_folders.crend(); ++folder)
            ::rmdir(folder->constData());
    }
    void add(const QByteArray& folder) { m_folders << folder; }

private:
    QList<QByteArray> m_folders;
};

// The order the walk must give when it leaves out only folders of programs (names beginning
// with "."): breadth first, each folder's subfolders in the host's own listing order, grouped by
// parent in the order of the parents.
QStringList BreadthFirst(FileSystem& fileSystem, const QString& start) {
    QStringList order{start};
    for (qsizetype i = 0; i < order.size(); ++i) {
        const QString folder = order.at(i);
        for (const QString& name : fileSystem.subfolders(folder)) {
            if (!name.startsWith(u'.'))
                order << folder + name + u'/';
        }
    }
    return order;
}

QStringList Relative(const QStringList& paths, const QString& root) {
    QStringList result;
    for (const QString& path : paths)
        result << (path.startsWith(root) ? path.mid(root.size())
                                         : QStringLiteral("outside:") + path);
    return result;
}

} // namespace

class TestSubfolderWalk : public QObject {
    Q_OBJECT
private slots:
    void order_data();
    void order();
    void attributeTest_data();
    void attributeTest();
    void names_data();
    void names();
    void lengthBound_data();
    void lengthBound();
    void unreadableFolders_data();
    void unreadableFolders();
    void failureRemovesFirstEqualEntry();
    void manyFailuresAtOneLevel();
    void vanishing_data();
    void vanishing();
    void vanishingDuringMergeIsReported();
    void pumpsAtEachPoint_data();
    void pumpsAtEachPoint();
    void walkFromWithinAPump();
    void emptyNameIsNotTaken();
    void folderReachedAgainIsLeftOut();

    void diskOrderIsLevelByLevel();
    void diskLinks_data();
    void diskLinks();
    void diskNames_data();
    void diskNames();
    void diskLengthBound();
};

void TestSubfolderWalk::order_data() {
    QTest::addColumn<QStringList>("tree");
    QTest::addColumn<QStringList>("start");
    QTest::addColumn<bool>("allLevels");
    QTest::addColumn<QStringList>("expected");
    // Siblings hold one string for their parent's path: one per folder walked that has any.
    QTest::addColumn<qsizetype>("parentStrings");

    const QStringList tree{"/r/b/y/z/", "/r/a/x/"};
    QTest::newRow("folder without subfolders")
        << QStringList{"/r/"} << QStringList{"/r/"} << true << QStringList{"/r/"} << qsizetype(0);
    QTest::newRow("children before grandchildren, listing order kept")
        << tree << QStringList{"/r/"} << true
        << QStringList{"/r/", "/r/b/", "/r/a/", "/r/b/y/", "/r/a/x/", "/r/b/y/z/"} << qsizetype(4);
    QTest::newRow("first level only") << tree << QStringList{"/r/"} << false
                                      << QStringList{"/r/", "/r/b/", "/r/a/"} << qsizetype(1);
    QTest::newRow("two starting folders, grouped by parent in their order")
        << tree << QStringList{"/r/b/", "/r/a/"} << true
        << QStringList{"/r/b/", "/r/a/", "/r/b/y/", "/r/a/x/", "/r/b/y/z/"} << qsizetype(3);
    QTest::newRow("the same starting folder twice is walked twice")
        << tree << QStringList{"/r/a/", "/r/a/"} << true
        << QStringList{"/r/a/", "/r/a/", "/r/a/x/", "/r/a/x/"} << qsizetype(2);
    QTest::newRow("starting entries that are not folders stay, unwalked")
        << QStringList{"/r/a/", "file:/r/f"} << QStringList{"/gone/", "/r/f/", "/r/"} << true
        << QStringList{"/gone/", "/r/f/", "/r/", "/r/a/"} << qsizetype(1);
    QTest::newRow("root of the file system, doubled separator carried on")
        << QStringList{"/a/b/", "/c/"} << QStringList{"//"} << true
        << QStringList{"//", "//a/", "//c/", "//a/b/"} << qsizetype(2);
}

void TestSubfolderWalk::order() {
    QFETCH(QStringList, tree);
    QFETCH(QStringList, start);
    QFETCH(bool, allLevels);
    QFETCH(QStringList, expected);
    QFETCH(qsizetype, parentStrings);
    FakeFileSystem fileSystem;
    Build(fileSystem, tree);
    const Walk walk = RunWalk(fileSystem, start, allLevels);
    QCOMPARE(walk.folders, expected);
    QCOMPARE(walk.reports, QStringList{});
    QCOMPARE(walk.parentStrings, parentStrings);
    // Told once per folder found, counting up.
    QCOMPARE(walk.found.size(), expected.size() - start.size());
    for (qsizetype i = 0; i < walk.found.size(); ++i)
        QCOMPARE(walk.found[i], i + 1);
}

void TestSubfolderWalk::attributeTest_data() {
    QTest::addColumn<QStringList>("tree");
    QTest::addColumn<QStringList>("start");
    QTest::addColumn<QStringList>("expected");

    const QStringList walked{"/r/", "/r/s/", "/r/s/t/"};
    const QStringList leftOut{"/r/"};
    auto row = [&](const char* name, int value, const QStringList& expected) {
        QTest::newRow(name) << QStringList{QStringLiteral("/r/s/ =%1").arg(value), "/r/s/t/"}
                            << QStringList{"/r/"} << expected;
    };
    row("plain folder (16)", 16, walked);
    row("hidden alone (18) is walked", 18, walked);
    row("system alone (20) is walked", 20, walked);
    row("hidden and system (22) left out with everything below", 22, leftOut);
    row("hidden system junction (1046) left out with everything below", 1046, leftOut);
    row("junction alone (1040) is walked", 1040, walked);
    row("hidden junction (1042) is walked", 1042, walked);

    QTest::newRow("a hidden system folder deeper down cuts only its own branch")
        << QStringList{"/r/a/b/ =22", "/r/a/b/c/", "/r/a/d/"} << QStringList{"/r/"}
        << QStringList{"/r/", "/r/a/", "/r/a/d/"};
    QTest::newRow("a starting folder of value 22 stays but is not walked")
        << QStringList{"/r/ =22", "/r/s/"} << QStringList{"/r/"} << QStringList{"/r/"};
    QTest::newRow("the root is walked even when hidden and system")
        << QStringList{"/ =22", "/a/"} << QStringList{"//"} << QStringList{"//", "//a/"};
    QTest::newRow("a folder link is listed but has nothing below it")
        << QStringList{"/r/a/", "link:/r/up/"} << QStringList{"/r/"}
        << QStringList{"/r/", "/r/a/", "/r/up/"};
}

void TestSubfolderWalk::attributeTest() {
    QFETCH(QStringList, tree);
    QFETCH(QStringList, start);
    QFETCH(QStringList, expected);
    FakeFileSystem fileSystem;
    Build(fileSystem, tree);
    QCOMPARE(RunWalk(fileSystem, start).folders, expected);
}

void TestSubfolderWalk::names_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("taken");

    QTest::newRow("plain letters and digits") << QStringLiteral("Folder 12") << true;
    QTest::newRow("accented letter (233)") << QStringLiteral("caf\u00e9") << true;
    QTest::newRow("no-break space (160)") << QStringLiteral("a\u00a0b") << true;
    QTest::newRow("begins with a full stop (hidden)") << QStringLiteral(".config") << true;
    QTest::newRow("tab") << QStringLiteral("a\tb") << false;
    QTest::newRow("code 1") << QStringLiteral("\u0001") << false;
    QTest::newRow("question mark") << QStringLiteral("what?") << false;
    QTest::newRow("DEL (127)") << QStringLiteral("a\u007fb") << false;
    QTest::newRow("Y with diaeresis (code 159)") << QStringLiteral("\u0178") << false;
    QTest::newRow("l with stroke, outside Windows-1252")
        << QStringLiteral("\u0142\u00f3d\u017a") << false;
    QTest::newRow("Greek") << QStringLiteral("\u03a9mega") << false;
    QTest::newRow("name of 259 characters") << Repeat(u'n', 259) << true;
    QTest::newRow("name of 260 characters") << Repeat(u'n', 260) << false;
    QTest::newRow("full stop") << QStringLiteral(".") << false;
    QTest::newRow("two full stops") << QStringLiteral("..") << false;
}

// A left-out name takes everything below it along; a taken one is walked (unless its path has
// reached the length bound, as the 259-character name's has).
void TestSubfolderWalk::names() {
    QFETCH(QString, name);
    QFETCH(bool, taken);
    // The fake holds any name, "." and ".." included, as the disk never would.
    FakeFileSystem fileSystem;
    fileSystem.addFolder(QStringLiteral("/r/keep/"));
    const QString folder = QStringLiteral("/r/") + name + u'/';
    fileSystem.addFolder(folder + QStringLiteral("below/"));
    const Walk walk = RunWalk(fileSystem, {"/r/"});

    QStringList expected{"/r/", "/r/keep/"};
    if (taken)
        expected << folder;
    if (taken && folder.size() < kFolderLengthBound)
        expected << folder + QStringLiteral("below/");
    QCOMPARE(walk.folders, expected);
}

void TestSubfolderWalk::lengthBound_data() {
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("levelsKept");

    // The folder's path has the length given; below it a child and a grandchild.
    QTest::newRow("257: child of 259 still walked") << 257 << 3;
    QTest::newRow("258: child reaches 260, kept but not walked") << 258 << 2;
    QTest::newRow("259: walked, child kept, not walked") << 259 << 2;
    QTest::newRow("260: kept, not walked") << 260 << 1;
}

void TestSubfolderWalk::lengthBound() {
    QFETCH(int, length);
    QFETCH(int, levelsKept);
    const QString folder = QStringLiteral("/r/") + Repeat(u'p', length - 4) + u'/';
    QCOMPARE(folder.size(), length);
    const QString child = folder + QStringLiteral("c/");
    const QString grandchild = child + QStringLiteral("g/");
    FakeFileSystem fileSystem;
    fileSystem.addFolder(grandchild);

    const QStringList all{"/r/", folder, child, grandchild};
    QCOMPARE(RunWalk(fileSystem, {"/r/"}).folders, all.mid(0, levelsKept + 1));
    // A starting entry past the bound stays in the collection; nothing below it is listed.
    if (length >= kFolderLengthBound)
        QCOMPARE(RunWalk(fileSystem, {folder}).folders, QStringList{folder});
}

void TestSubfolderWalk::unreadableFolders_data() {
    QTest::addColumn<QStringList>("tree");
    QTest::addColumn<QStringList>("start");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("starting folder denied is removed")
        << QStringList{"/r/a/", "deny:/r/"} << QStringList{"/r/"} << QStringList{};
    QTest::newRow("starting folder not found on listing is removed")
        << QStringList{"/r/a/", "fail76:/r/"} << QStringList{"/r/"} << QStringList{};
    QTest::newRow("another failure ends the walk and keeps the folder")
        << QStringList{"/r/a/", "fail75:/r/"} << QStringList{"/r/"} << QStringList{"/r/"};
    QTest::newRow("another failure below keeps the folder, unwalked")
        << QStringList{"/r/a/b/", "/r/c/", "fail35:/r/a/"} << QStringList{"/r/"}
        << QStringList{"/r/", "/r/a/", "/r/c/"};
    QTest::newRow("denied subfolder removed, its siblings walked")
        << QStringList{"/r/a/", "/r/b/x/", "deny:/r/a/"} << QStringList{"/r/"}
        << QStringList{"/r/", "/r/b/", "/r/b/x/"};
    QTest::newRow("two denied subfolders at one level")
        << QStringList{"/r/a/q/", "/r/b/q/", "/r/c/x/", "deny:/r/a/", "deny:/r/b/"}
        << QStringList{"/r/"} << QStringList{"/r/", "/r/c/", "/r/c/x/"};
    QTest::newRow("every subfolder of a level denied")
        << QStringList{"/r/a/", "/r/b/", "deny:/r/a/", "deny:/r/b/"} << QStringList{"/r/"}
        << QStringList{"/r/"};
    QTest::newRow("denied folder three levels down")
        << QStringList{"/r/a/b/c/", "/r/a/d/", "deny:/r/a/b/"} << QStringList{"/r/"}
        << QStringList{"/r/", "/r/a/", "/r/a/d/"};
    QTest::newRow("denied starting folder between readable ones")
        << QStringList{"/d/", "/r/x/", "deny:/d/"} << QStringList{"/d/", "/r/", "/d/"}
        << QStringList{"/r/", "/r/x/"};
}

// None of these is reported: the walk handles them itself.
void TestSubfolderWalk::unreadableFolders() {
    QFETCH(QStringList, tree);
    QFETCH(QStringList, start);
    QFETCH(QStringList, expected);
    FakeFileSystem fileSystem;
    Build(fileSystem, tree);
    const Walk walk = RunWalk(fileSystem, start);
    QCOMPARE(walk.folders, expected);
    QCOMPARE(walk.reports, QStringList{});
}

// A failing entry removes the first entry equal to it, which need not be itself.
void TestSubfolderWalk::failureRemovesFirstEqualEntry() {
    FakeFileSystem fileSystem;
    fileSystem.addFolder(QStringLiteral("/x/a/"));
    fileSystem.addFolder(QStringLiteral("/y/"));
    int listingsOfX = 0;
    fileSystem.beforeListing = [&](const QString& folder) {
        if (folder == u"/x/" && ++listingsOfX == 2)
            fileSystem.denyAccess(QStringLiteral("/x/"));
    };
    const Walk walk = RunWalk(fileSystem, {"/x/", "/y/", "/x/"});
    QCOMPARE(walk.folders, (QStringList{"/y/", "/x/", "/x/a/"}));
    QCOMPARE(walk.reports, QStringList{});
}

void TestSubfolderWalk::manyFailuresAtOneLevel() {
    FakeFileSystem fileSystem;
    QStringList expected{"/r/"};
    for (int i = 0; i < 2000; ++i) {
        const QString folder = QStringLiteral("/r/%1/").arg(i, 4, 10, QChar(u'0'));
        fileSystem.addFolder(folder + QStringLiteral("x/"));
        if (i % 3 == 0)
            expected << folder;
        else
            fileSystem.denyAccess(folder);
    }
    for (int i = 0; i < 2000; i += 3)
        expected << QStringLiteral("/r/%1/x/").arg(i, 4, 10, QChar(u'0'));
    QCOMPARE(RunWalk(fileSystem, {"/r/"}).folders, expected);
}

void TestSubfolderWalk::vanishing_data() {
    QTest::addColumn<QStringList>("tree");
    QTest::addColumn<QString>("whenListing");
    QTest::addColumn<QString>("removed");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("a found sibling vanishes before its own listing")
        << QStringList{"/r/a/", "/r/b/c/"} << "/r/a/"
        << "/r/b/" << QStringList{"/r/", "/r/a/"};
    QTest::newRow("a listed folder vanishes before the merge")
        << QStringList{"/r/a/x/", "/r/b/"} << "/r/b/"
        << "/r/a/" << QStringList{"/r/", "/r/b/"};
    QTest::newRow("a folder vanishes just before it is listed")
        << QStringList{"/r/a/x/", "/r/b/"} << "/r/a/"
        << "/r/a/" << QStringList{"/r/", "/r/b/"};
    QTest::newRow("the starting folder vanishes before it is listed")
        << QStringList{"/r/a/"} << "/r/"
        << "/r/" << QStringList{};
}

void TestSubfolderWalk::vanishing() {
    QFETCH(QStringList, tree);
    QFETCH(QString, whenListing);
    QFETCH(QString, removed);
    QFETCH(QStringList, expected);
    FakeFileSystem fileSystem;
    Build(fileSystem, tree);
    fileSystem.beforeListing = [&](const QString& folder) {
        if (folder == whenListing)
            fileSystem.remove(removed);
    };
    const Walk walk = RunWalk(fileSystem, {"/r/"});
    QCOMPARE(walk.folders, expected);
    QCOMPARE(walk.reports, QStringList{});
}

// Between the merge's folder check and its attribute test the window pumps; a folder removed
// there cannot be opened any more, which is a failure of the merge and is reported.
void TestSubfolderWalk::vanishingDuringMergeIsReported() {
    FakeFileSystem fileSystem;
    Build(fileSystem, {"/r/a/", "/r/b/"});
    // Pumps: 1 examine /r/, 2-3 its two subfolders, 4-5 examine them, 6 merge /r/a/.
    const Walk walk = RunWalk(fileSystem, {"/r/"}, true, [&](int pump) {
        if (pump == 6)
            fileSystem.remove(QStringLiteral("/r/a/"));
    });
    QCOMPARE(walk.folders, (QStringList{"/r/", "/r/b/"}));
    QCOMPARE(walk.reports,
             QStringList{ErrorTrap::message(QStringLiteral("Path not found"),
                                            QString::fromUtf16(kGetSubDirectoriesLabel), 120)});
}

void TestSubfolderWalk::pumpsAtEachPoint_data() {
    QTest::addColumn<QStringList>("tree");
    QTest::addColumn<QStringList>("start");
    QTest::addColumn<bool>("allLevels");
    QTest::addColumn<int>("pumps");

    QTest::newRow("examine, two subfolders, examine each, merge each")
        << QStringList{"/r/a/", "/r/b/"} << QStringList{"/r/"} << true << 7;
    QTest::newRow("first level only: no examination of the subfolders")
        << QStringList{"/r/a/", "/r/b/"} << QStringList{"/r/"} << false << 5;
    QTest::newRow("a left-out name still costs its pump")
        << QStringList{"/r/a?/"} << QStringList{"/r/"} << true << 2;
    // Merged once: a caller's merge takes what the deeper merge examined without asking again.
    QTest::newRow("a deep entry is merged once")
        << QStringList{"/r/a/b/"} << QStringList{"/r/"} << true << 7;
}

// The window must stay alive during a long walk: one pump per examined entry, per subfolder
// walked and per merged entry.
void TestSubfolderWalk::pumpsAtEachPoint() {
    QFETCH(QStringList, tree);
    QFETCH(QStringList, start);
    QFETCH(bool, allLevels);
    QFETCH(int, pumps);
    FakeFileSystem fileSystem;
    Build(fileSystem, tree);
    QCOMPARE(RunWalk(fileSystem, start, allLevels).pumps, pumps);
}

// A handler run from a pump may walk the same disk: neither walk disturbs the other.
void TestSubfolderWalk::walkFromWithinAPump() {
    FakeFileSystem fileSystem;
    Build(fileSystem, {"/r/a/x/", "/r/b/", "/s/c/d/"});
    QStringList inner;
    const Walk outer = RunWalk(fileSystem, {"/r/"}, true, [&](int pump) {
        if (pump == 3 || pump == 9)
            inner << RunWalk(fileSystem, {"/s/"}).folders;
    });
    QCOMPARE(outer.folders, (QStringList{"/r/", "/r/a/", "/r/b/", "/r/a/x/"}));
    QCOMPARE(inner, (QStringList{"/s/", "/s/c/", "/s/c/d/", "/s/", "/s/c/", "/s/c/d/"}));
}

// A bind mount of a folder of the tree inside the tree reaches that folder a second time.
void TestSubfolderWalk::folderReachedAgainIsLeftOut() {
    FakeFileSystem fileSystem;
    Build(fileSystem, {"/r/a/x/", "/r/m/y/", "/r/z/"});
    fileSystem.shareIdentity(QStringLiteral("/r/m/"), QStringLiteral("/r/a/"));
    QCOMPARE(RunWalk(fileSystem, {"/r/"}).folders,
             (QStringList{"/r/", "/r/a/", "/r/z/", "/r/a/x/"}));
}

// No disk gives a folder an empty name, but a listing that did would lead the walk back into the
// same folder again and again, one separator longer each time.
void TestSubfolderWalk::emptyNameIsNotTaken() {
    class WithEmptyName : public FakeFileSystem {
    public:
        FolderListing list(const QString& folder, Through through) override {
            FolderListing listing = FakeFileSystem::list(folder, through);
            listing.entries.insert(listing.entries.begin(),
                                   DirectoryEntry{QString(), EntryKind::Folder,
                                                  attribute::kDirectory, FileIdentity{2, 0}});
            return listing;
        }
    } fileSystem;
    fileSystem.addFolder(QStringLiteral("/r/a/"));
    QCOMPARE(RunWalk(fileSystem, {"/r/"}).folders, (QStringList{"/r/", "/r/a/"}));
}

// ---- real disk ----

void TestSubfolderWalk::diskOrderIsLevelByLevel() {
    QTemporaryDir temporary;
    QVERIFY(temporary.isValid());
    const QString root = temporary.path() + u'/';
    makeFolders(root, {"b/y/z", "a/x", "c", "a/w/v", "d/e/f/g", ".hidden/inner", "a/.git/objects"});
    FileSystem& fileSystem = HostFileSystem();
    const Walk walk = RunWalk(fileSystem, {root});
    QCOMPARE(Relative(walk.folders, root), Relative(BreadthFirst(fileSystem, root), root));
    QCOMPARE(sorted(Relative(walk.folders, root)),
             sorted({"", "a/", "b/", "c/", "d/", "a/x/", "a/w/", "b/y/", "d/e/", "a/w/v/", "b/y/z/",
                     "d/e/f/", "d/e/f/g/"}));
    QCOMPARE(walk.reports, QStringList{});
    // A folder of a program chosen itself is walked, its own such folders left out.
    QCOMPARE(sorted(Relative(RunWalk(fileSystem, {root + ".hidden/"}).folders, root)),
             sorted({".hidden/", ".hidden/inner/"}));
}

void TestSubfolderWalk::diskLinks_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<QStringList>("expected");
    // Chosen itself, the link is walked as the folder it leads to; empty: not tried.
    QTest::addColumn<QStringList>("chosen");

    // The link is made at "a/link"; the tree holds a/, b/c/ and a file f.
    const QStringList none;
    QTest::newRow("link to an ancestor is listed, never entered")
        << ".." << QStringList{"", "a/", "b/", "a/link/", "b/c/"}
        << QStringList{"", "a/", "b/", "a/link/", "b/c/"};
    QTest::newRow("link to a sibling is listed, its target walked once")
        << "../b" << QStringList{"", "a/", "b/", "a/link/", "b/c/"} << QStringList{"", "c/"};
    QTest::newRow("link to itself is left out")
        << "link" << QStringList{"", "a/", "b/", "b/c/"} << none;
    QTest::newRow("dangling link is left out")
        << "../nothing" << QStringList{"", "a/", "b/", "b/c/"} << none;
    QTest::newRow("link to a file is left out")
        << "../f" << QStringList{"", "a/", "b/", "b/c/"} << none;
    QTest::newRow("link leading outside the tree is listed, never entered")
        << "/" << QStringList{"", "a/", "b/", "a/link/", "b/c/"} << none;
}

void TestSubfolderWalk::diskLinks() {
    QFETCH(QString, target);
    QFETCH(QStringList, expected);
    QFETCH(QStringList, chosen);
    QTemporaryDir temporary;
    QVERIFY(temporary.isValid());
    const QString root = temporary.path() + u'/';
    makeFolders(root, {"a", "b/c"});
    QFile file(root + QStringLiteral("f"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    makeLink(target, root + QStringLiteral("a/link"));

    const Walk walk = RunWalk(HostFileSystem(), {root});
    // a/ and b/ may come in either order; the levels may not.
    QCOMPARE(sorted(Relative(walk.folders, root)), sorted(expected));
    QCOMPARE(walk.folders.first(), root);
    for (qsizetype i = 1; i < walk.folders.size(); ++i)
        QVERIFY(walk.folders[i - 1].count(u'/') <= walk.folders[i].count(u'/'));
    QCOMPARE(walk.reports, QStringList{});

    // A home folder's "Documents" may be a link to another disk: chosen, it is walked.
    if (!chosen.isEmpty()) {
        const QString link = root + QStringLiteral("a/link/");
        QCOMPARE(sorted(Relative(RunWalk(HostFileSystem(), {link}).folders, link)), sorted(chosen));
    }
}

void TestSubfolderWalk::diskNames_data() {
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<bool>("taken");

    QTest::newRow("accented letter") << QByteArray("caf\xc3\xa9") << true;
    QTest::newRow("a program's folder") << QByteArray(".cache") << false;
    QTest::newRow("vertical bar") << QByteArray("a|b") << true;
    QTest::newRow("tab") << QByteArray("a\tb") << false;
    QTest::newRow("control character") << QByteArray("a\x01") << false;
    QTest::newRow("C1 control character") << QByteArray("a\xc2\x85") << false;
    QTest::newRow("question mark") << QByteArray("what? now") << true;
    QTest::newRow("outside Windows-1252") << QByteArray("\xc5\x82\xc3\xb3"
                                                        "d\xc5\xba")
                                          << true;
    QTest::newRow("Cyrillic") << QByteArray("\xd0\xa4\xd0\xbe\xd1\x82\xd0\xbe") << true;
    QTest::newRow("Japanese") << QByteArray("\xe6\x97\xa5\xe6\x9c\xac") << true;
    QTest::newRow("curly apostrophe") << QByteArray("don\xe2\x80\x99t panic") << true;
    QTest::newRow("en dash") << QByteArray("2019\xe2\x80\x93"
                                           "2020 Reports")
                             << true;
    QTest::newRow("euro sign") << QByteArray("Price \xe2\x82\xac"
                                             "5")
                               << true;
    QTest::newRow("not valid UTF-8") << QByteArray("bad\xff\xfe") << false;
}

void TestSubfolderWalk::diskNames() {
    QFETCH(QByteArray, name);
    QFETCH(bool, taken);
    QTemporaryDir temporary;
    QVERIFY(temporary.isValid());
    const QString root = temporary.path() + u'/';
    const QByteArray folder = QFile::encodeName(root) + name;
    RemovedAtEnd removed;
    removed.add(folder);
    removed.add(folder + "/below");
    MakeFolder(folder);
    MakeFolder(folder + "/below");
    makeFolders(root, {"keep"});

    const Walk walk = RunWalk(HostFileSystem(), {root});
    QStringList expected{"", "keep/"};
    if (taken) {
        const QString text = QFile::decodeName(name);
        expected << text + u'/' << text + QStringLiteral("/below/");
    }
    QCOMPARE(sorted(Relative(walk.folders, root)), sorted(expected));
    QCOMPARE(walk.reports, QStringList{});
}

// The bound is the host's own: a path is listed as long as one call can address it.
void TestSubfolderWalk::diskLengthBound() {
    QTemporaryDir temporary;
    QVERIFY(temporary.isValid());
    const QString root = temporary.path() + u'/';
    QString long334 = root;
    while (long334.size() + 101 < 334)
        long334 += QString(99, u'w') + u'/';
    long334 += QString(334 - long334.size() - 1, u'w') + u'/';
    QCOMPARE(long334.size(), 334);
    QVERIFY(QDir().mkpath(long334 + QStringLiteral("c")));

    // A chain past PATH_MAX, made one folder at a time; each name is 250 bytes.
    const QByteArray name(250, 'x');
    std::vector<int> chain{::open(QFile::encodeName(root).constData(), O_RDONLY | O_DIRECTORY)};
    for (int i = 0; i < 20; ++i) {
        QVERIFY(::mkdirat(chain.back(), name.constData(), 0755) == 0);
        chain.push_back(::openat(chain.back(), name.constData(), O_RDONLY | O_DIRECTORY));
    }
    const QStringList result = RunWalk(HostFileSystem(), {root}).folders;
    for (std::size_t i = chain.size() - 1; i > 0; --i) {
        ::close(chain[i]);
        ::unlinkat(chain[i - 1], name.constData(), AT_REMOVEDIR);
    }
    ::close(chain.front());

    QVERIFY(result.contains(long334));
    QVERIFY(result.contains(long334 + QStringLiteral("c/")));
    qsizetype listed = 0;
    for (const QString& path : result)
        listed += path.contains(QString::fromLatin1(name)) ? 1 : 0;
    // Every folder whose path, its separator included, fits in PATH_MAX bytes, and none beyond.
    const qsizetype fitting = (PATH_MAX - QFile::encodeName(root).size()) / (name.size() + 1);
    QCOMPARE(listed, fitting);
}

QTEST_APPLESS_MAIN(TestSubfolderWalk)
#include "tst_subfolderwalk.moc"
