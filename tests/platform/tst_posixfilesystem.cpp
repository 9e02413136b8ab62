#include "platform/posixfilesystem.h"

#include "common/failure.h"
#include "folders/addfolders.h"
#include "folders/rowvector.h"
#include "platform/desktopfolders.h"
#include "rename/lastrun.h"
#include "rename/renamerun.h"
#include "tests/platform/disksupport.h"
#include "tests/support/fakedialogs.h"
#include "transform/preview.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tarnwick;
using namespace tarnwick::test;

namespace {

// The folders of a folder as the system's own listing yields them, decided by QFileInfo.
QStringList foldersInListingOrder(const QString& folder) {
    QStringList names;
    DIR* dir = opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return names;
    while (const dirent* entry = readdir(dir)) {
        const QString name = QFile::decodeName(entry->d_name);
        if (name != u"." && name != u".." && QFileInfo(folder + u'/' + name).isDir())
            names << name;
    }
    closedir(dir);
    return names;
}

} // namespace

class TestPosixFileSystem : public QObject {
    Q_OBJECT
private slots:
    void attributes_data();
    void attributes();
    void existsAndIsFolder();
    void findFolderIgnoringCase();
    void restoringANameAllowsOnlyACaseTwin_data();
    void restoringANameAllowsOnlyACaseTwin();
    void isRoot_data();
    void isRoot();

    void subfoldersInListingOrder();
    void subfoldersOfLinkAreNone();
    void subfoldersLeaveOutUnaddressableNames();
    void subfoldersOfRoot();
    void subfoldersFailures_data();
    void subfoldersFailures();

    void renameMovesFolderWithContents_data();
    void renameMovesFolderWithContents();
    void renameNeverReplaces_data();
    void renameNeverReplaces();
    void renameFailures_data();
    void renameFailures();
    void renameFolderLink_data();
    void renameFolderLink();
    void runRenamesOnceWhereCaseIsToldApart_data();
    void runRenamesOnceWhereCaseIsToldApart();
    void fallbackWhereFlagIsRefused_data();
    void fallbackWhereFlagIsRefused();
    void checkedRenameThatFailsLeavesNothing();
    void errnoBecomesFailure_data();
    void errnoBecomesFailure();

    void findIgnoringCase_data();
    void findIgnoringCase();
    void openFolder_data();
    void openFolder();

    void refusesNoCharacters();

    void desktopFolders_data();
    void desktopFolders();
};

void TestPosixFileSystem::attributes_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("expected"); // -1: none

    QTest::newRow("folder") << "folder" << 16;
    QTest::newRow("folder with trailing separator") << "folder/" << 16;
    QTest::newRow("folder with doubled separators") << "folder//inner//" << 16;
    QTest::newRow("parent reference") << "folder/inner/.." << 16;
    QTest::newRow("hidden folder") << ".hidden" << 18;
    QTest::newRow("file") << "file.txt" << 32;
    QTest::newRow("hidden file") << ".profile" << 34;
    QTest::newRow("file with trailing separator") << "file.txt/" << 32;
    QTest::newRow("link to folder") << "link" << 1040;
    QTest::newRow("link to folder with trailing separator") << "link/" << 1040;
    QTest::newRow("hidden link to folder") << ".link" << 1042;
    QTest::newRow("link to file") << "filelink" << 1024;
    QTest::newRow("dangling link") << "dangling" << 1024;
    QTest::newRow("missing") << "missing" << -1;
    QTest::newRow("below a missing folder") << "missing/folder/" << -1;
    QTest::newRow("NUL inside") << QStringLiteral("folder") + QChar(0) + "x" << -1;
    QTest::newRow("lone surrogate") << QStringLiteral("folder") + QChar(0xD800) << -1;
}

void TestPosixFileSystem::attributes() {
    QFETCH(QString, path);
    QFETCH(int, expected);
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    const QString root = temp.path() + u'/';
    makeFolder(root + "folder/inner");
    makeFolder(root + ".hidden");
    // What a lone surrogate would turn into on the way to the system.
    makeFolder(root + "folder" + QChar(0xFFFD));
    makeFile(root + "file.txt");
    makeFile(root + ".profile");
    makeLink(root + "folder", root + "link");
    makeLink(root + "folder", root + ".link");
    makeLink(root + "file.txt", root + "filelink");
    makeLink(root + "gone", root + "dangling");

    PosixFileSystem fileSystem;
    const std::optional<int> bits = fileSystem.attributes(root + path);
    QCOMPARE(bits.value_or(-1), expected);
}

void TestPosixFileSystem::existsAndIsFolder() {
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    const QString root = temp.path() + u'/';
    makeFolder(root + "folder");
    makeFile(root + "file");
    makeLink(root + "folder", root + "link");
    makeLink(root + "gone", root + "dangling");

    FileSystem& host = HostFileSystem();
    QVERIFY(IsFolder(host, root + "folder/"));
    QVERIFY(IsFolder(host, root + "link/"));
    QVERIFY(!IsFolder(host, root + "file"));
    QVERIFY(!IsFolder(host, root + "dangling"));
    QVERIFY(PathExists(host, root + "file"));
    QVERIFY(PathExists(host, root + "dangling"));
    QVERIFY(!PathExists(host, root + "missing"));
    QVERIFY(!PathExists(host, QString()));
}

void TestPosixFileSystem::isRoot_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("root");
    QTest::newRow("root") << "/" << true;
    QTest::newRow("root as listed") << "//" << true;
    QTest::newRow("three separators") << "///" << true;
    QTest::newRow("folder") << "/tmp" << false;
    QTest::newRow("folder with separator") << "/tmp/" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("relative") << "tmp/" << false;
}

void TestPosixFileSystem::isRoot() {
    QFETCH(QString, path);
    QFETCH(bool, root);
    PosixFileSystem fileSystem;
    QCOMPARE(fileSystem.isRoot(path), root);
}

void TestPosixFileSystem::subfoldersInListingOrder() {
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    const QString root = temp.path() + u'/';
    // Enough names that the system's order and the alphabet part ways on most file systems.
    for (int i = 0; i < 40; ++i)
        makeFolder(root + QStringLiteral("folder %1").arg(i * 7919 % 40));
    makeFolder(root + ".hidden");
    makeFolder(root + "café");
    makeFile(root + "file");
    makeLink(root + "folder 1", root + "link");
    makeLink(root + "file", root + "filelink");
    makeLink(root + "gone", root + "dangling");

    PosixFileSystem fileSystem;
    const QStringList listed = fileSystem.subfolders(root);
    QCOMPARE(listed, foldersInListingOrder(temp.path()));
    QCOMPARE(listed.size(), 43);
    QVERIFY(listed.contains("link"));
    QVERIFY(listed.contains(".hidden"));
    QVERIFY(listed.contains(QStringLiteral("café")));
    QVERIFY(!listed.contains("file"));
    QVERIFY(!listed.contains("filelink"));
    QVERIFY(!listed.contains("dangling"));
}

void TestPosixFileSystem::subfoldersOfLinkAreNone() {
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    const QString root = temp.path() + u'/';
    makeFolder(root + "target/child");
    makeLink(root + "target", root + "link");
    makeLink(root, root + "target/child/loop");
    makeLink(root + "gone", root + "dangling");

    PosixFileSystem fileSystem;
    QCOMPARE(fileSystem.subfolders(root + "target/"), QStringList{"child"});
    QCOMPARE(fileSystem.subfolders(root + "link/"), QStringList());
    QCOMPARE(fileSystem.subfolders(root + "link"), QStringList());
    QCOMPARE(fileSystem.subfolders(root + "target/child/loop/"), QStringList());
    QCOMPARE(fileSystem.subfolders(root + "dangling/"), QStringList());
}

void TestPosixFileSystem::subfoldersLeaveOutUnaddressableNames() {
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    const QByteArray root = QFile::encodeName(temp.path()) + '/';
    const char* const undecodable[] = {"\xff\xfe_bad", "half\xc3"};
    for (const char* name : undecodable)
        QCOMPARE(::mkdir((root + name).constData(), 0700), 0);
    makeFolder(temp.path() + "/good");

    PosixFileSystem fileSystem;
    const QStringList listed = fileSystem.subfolders(temp.path() + u'/');
    // Qt cannot address these names either, so QTemporaryDir could not remove them.
    for (const char* name : undecodable)
        ::rmdir((root + name).constData());
    QCOMPARE(listed, QStringList{"good"});
}

void TestPosixFileSystem::subfoldersOfRoot() {
    PosixFileSystem fileSystem;
    const QString firstComponent = QDir::tempPath().section(u'/', 1, 1);
    QVERIFY(fileSystem.subfolders("//").contains(firstComponent));
}

void TestPosixFileSystem::subfoldersFailures_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("number");
    QTest::newRow("missing folder") << "missing/" << failure_code::kPathNotFound;
    QTest::newRow("below a missing folder") << "missing/deeper/" << failure_code::kPathNotFound;
    QTest::newRow("file") << "file/" << failure_code::kPathNotFound;
}

void TestPosixFileSystem::subfoldersFailures() {
    QFETCH(QString, path);
    QFETCH(int, number);
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    const QString root = temp.path() + u'/';
    makeFile(root + "file");

    PosixFileSystem fileSystem;
    try {
        const QStringList names = fileSystem.subfolders(root + path);
        QFAIL(qPrintable("listed: " + names.join(u',')));
    } catch (const Failure& failure) {
        QCOMPARE(failure.number(), number);
        QVERIFY2(failure.description().startsWith("Path not found"),
                 qPrintable(failure.description()));
    }
}

void TestPosixFileSystem::renameMovesFolderWithContents_data() {
    QTest::addColumn<Strategy>("strategy");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    for (const auto& [strategy, label] : kStrategies) {
        QTest::addRow("%s: to intermediate name", label) << strategy << "photos"
                                                         << "Photos9999999";
        QTest::addRow("%s: case only on a case-sensitive disk", label) << strategy << "photos"
                                                                       << "Photos";
        QTest::addRow("%s: non-ASCII", label) << strategy << "фото"
                                              << "ФОТО";
        QTest::addRow("%s: blanks and a tab", label) << strategy << " a\tb "
                                                     << " A\tB ";
        QTest::addRow("%s: longest name", label) << strategy << "photos" << QString(255, u'a');
        QTest::addRow("%s: question mark and star kept", label) << strategy << "what*ever?"
                                                                << "WHAT*EVER?";
    }
}

void TestPosixFileSystem::renameMovesFolderWithContents() {
    QFETCH(Strategy, strategy);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    const QString root = temp.path() + u'/';
    makeFolder(root + from + "/inner");
    makeFile(root + from + "/inner/file", "content");
    makeFolder(root + "neighbour");

    ScriptedFileSystem fileSystem;
    useStrategy(fileSystem, strategy);
    fileSystem.renameFolder(root, from, to);

    QCOMPARE(entriesOnDisk(root), sorted({to, "neighbour"}));
    QCOMPARE(contentOf(root + to + "/inner/file"), QByteArray("content"));
    QCOMPARE(fileSystem.checkedRenames, strategy == Strategy::Checked ? 1 : 0);
}

void TestPosixFileSystem::renameNeverReplaces_data() {
    QTest::addColumn<Strategy>("strategy");
    QTest::addColumn<QString>("to");
    for (const auto& [strategy, label] : kStrategies) {
        QTest::addRow("%s: empty folder", label) << strategy << "Empty";
        QTest::addRow("%s: folder with contents", label) << strategy << "Full";
        QTest::addRow("%s: file", label) << strategy << "notes.txt";
        QTest::addRow("%s: dangling link", label) << strategy << "dangling";
        QTest::addRow("%s: its own name", label) << strategy << "source";
    }
}

void TestPosixFileSystem::renameNeverReplaces() {
    QFETCH(Strategy, strategy);
    QFETCH(QString, to);
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    const QString root = temp.path() + u'/';
    makeFolder(root + "source/mine");
    makeFolder(root + "Empty");
    makeFolder(root + "Full/theirs");
    makeFolder(root + "Docs/theirs");
    makeFolder(root + "ФОТО");
    makeFile(root + "notes.txt", "keep");
    makeLink(root + "gone", root + "dangling");
    const QStringList before = entriesOnDisk(root);

    ScriptedFileSystem fileSystem;
    useStrategy(fileSystem, strategy);
    try {
        fileSystem.renameFolder(root, "source", to);
        QFAIL("the rename replaced or went through");
    } catch (const Failure& failure) {
        QCOMPARE(failure.number(), failure_code::kFileAlreadyExists);
        QVERIFY2(failure.description().startsWith("File already exists"),
                 qPrintable(failure.description()));
    }
    QCOMPARE(entriesOnDisk(root), before);
    QCOMPARE(entriesOnDisk(root + "source"), QStringList{"mine"});
    QCOMPARE(entriesOnDisk(root + "Empty"), QStringList());
    QCOMPARE(entriesOnDisk(root + "Full"), QStringList{"theirs"});
    QCOMPARE(entriesOnDisk(root + "Docs"), QStringList{"theirs"});
    QCOMPARE(contentOf(root + "notes.txt"), QByteArray("keep"));
}

void TestPosixFileSystem::renameFailures_data() {
    QTest::addColumn<Strategy>("strategy");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<int>("number");
    const QString tooLong(256, u'a');
    const QString longest(255, u'a');
    const int notFound = failure_code::kPathNotFound;
    const int accessError = failure_code::kPathFileAccessError;
    for (const auto& [strategy, label] : kStrategies) {
        QTest::addRow("%s: name too long", label) << strategy << ""
                                                  << "source" << tooLong << accessError;
        QTest::addRow("%s: longest name plus intermediate suffix", label)
            << strategy << ""
            << "source" << longest + "9999999" << accessError;
        QTest::addRow("%s: parent missing", label) << strategy << "missing/"
                                                   << "source"
                                                   << "target" << notFound;
        QTest::addRow("%s: parent is a file", label) << strategy << "file/"
                                                     << "source"
                                                     << "target" << notFound;
        QTest::addRow("%s: folder missing", label) << strategy << ""
                                                   << "gone"
                                                   << "target" << notFound;
        QTest::addRow("%s: folder given in other case", label) << strategy << ""
                                                               << "SOURCE"
                                                               << "target" << notFound;
        QTest::addRow("%s: empty new name", label) << strategy << ""
                                                   << "source"
                                                   << "" << accessError;
        QTest::addRow("%s: separator in new name", label) << strategy << ""
                                                          << "source"
                                                          << "a/b" << accessError;
        QTest::addRow("%s: new name dot dot", label) << strategy << ""
                                                     << "source"
                                                     << ".." << accessError;
        QTest::addRow("%s: new name dot", label) << strategy << ""
                                                 << "source"
                                                 << "." << accessError;
        QTest::addRow("%s: NUL in new name", label)
            << strategy << ""
            << "source" << QStringLiteral("a") + QChar(0) + "b" << accessError;
        QTest::addRow("%s: separator in old name", label) << strategy << ""
                                                          << "source/inner"
                                                          << "target" << notFound;
        QTest::addRow("%s: empty old name", label) << strategy << ""
                                                   << ""
                                                   << "target" << notFound;
    }
}

void TestPosixFileSystem::renameFailures() {
    QFETCH(Strategy, strategy);
    QFETCH(QString, parent);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(int, number);
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    const QString root = temp.path() + u'/';
    makeFolder(root + "source/inner");
    makeFile(root + "file");
    const QStringList before = entriesOnDisk(root);

    ScriptedFileSystem fileSystem;
    useStrategy(fileSystem, strategy);
    QCOMPARE(renameFailure(fileSystem, root + parent, from, to), number);
    QCOMPARE(entriesOnDisk(root), before);
    QCOMPARE(entriesOnDisk(root + "source"), QStringList{"inner"});

    // The same inside the parent held open, as a run renames.
    if (const std::unique_ptr<OpenFolder> folder = fileSystem.open(root + parent)) {
        int held = 0;
        try {
            folder->rename(from, to);
        } catch (const Failure& failure) {
            held = failure.number();
        }
        QCOMPARE(held, number);
        QCOMPARE(entriesOnDisk(root), before);
    }
}

void TestPosixFileSystem::renameFolderLink_data() {
    QTest::addColumn<Strategy>("strategy");
    QTest::newRow("as the disk answers") << Strategy::AsTheDiskAnswers;
    QTest::newRow("checked") << Strategy::Checked;
}

void TestPosixFileSystem::renameFolderLink() {
    QFETCH(Strategy, strategy);
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    const QString root = temp.path() + u'/';
    makeFolder(root + "target/child");
    makeLink(root + "target", root + "link");

    ScriptedFileSystem fileSystem;
    useStrategy(fileSystem, strategy);
    fileSystem.renameFolder(root, "link", "LINK");

    QCOMPARE(entriesOnDisk(root), (QStringList{"LINK", "target"}));
    QCOMPARE(QFileInfo(root + "LINK").symLinkTarget(), root + "target");
    QCOMPARE(entriesOnDisk(root + "target"), QStringList{"child"});
}

// A disk that ignores letter case, as exFAT's does, for the engine's question alone.
class CaseBlindFileSystem : public ScriptedFileSystem {
protected:
    std::optional<bool> lookupIgnoresCase(int, unsigned long, const QString&) override {
        return true;
    }
};

void TestPosixFileSystem::runRenamesOnceWhereCaseIsToldApart_data() {
    QTest::addColumn<bool>("caseBlind");
    QTest::addColumn<bool>("throughFuse");
    QTest::addColumn<int>("renamesAFolder");
    QTest::newRow("this disk tells case apart: one rename") << false << false << 1;
    QTest::newRow("a disk that ignores case: the detour") << true << false << 2;
    // A FUSE daemon cannot be trusted to tell whether it ignores case: the detour, each step
    // checked once the daemon has refused the no-replace flag.
    QTest::newRow("a FUSE passthrough of this disk: the detour") << false << true << 2;
}

// A whole run, no window: one rename a folder where the disk tells case apart, so nothing is
// ever left under an intermediate name; two where it ignores case, for the change to take effect.
void TestPosixFileSystem::runRenamesOnceWhereCaseIsToldApart() {
    QFETCH(bool, caseBlind);
    QFETCH(bool, throughFuse);
    QFETCH(int, renamesAFolder);
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    QString root = temp.path() + u'/';
    for (const char* folder : {"t/photos/summer", "t/photos/winter", "t/music/jazz"})
        makeFolder(root + folder);
    test::PassthroughMount passthrough;
    if (throughFuse) {
        makeFolder(root + "mnt");
        if (const QString why = passthrough.mount(root, root + "mnt"); !why.isEmpty())
            QSKIP(qPrintable(why));
        root += QStringLiteral("mnt/");
    }
    CaseBlindFileSystem blind;
    ScriptedFileSystem sighted;
    ScriptedFileSystem& fileSystem = caseBlind ? blind : sighted;
    test::FakeUserDialogs dialogs;
    RowVector rows;
    AddFolders({rows, fileSystem, dialogs, [] { return true; }, {}, {}}, {root + "t"});
    for (int row = 0; row < rows.count(); ++row)
        rows.setText(
            row, ListRows::kNewName,
            PreviewNewPath(rows.path(row, ListRows::kNow).toString(), Operation::UpperCase, u'/'));
    LastRun lastRun;
    RunRenames({rows, fileSystem, dialogs, QStringLiteral("Tarnwick"), {}, lastRun});

    QCOMPARE(dialogs.errors(), QStringList());
    QCOMPARE(entriesOnDisk(root + "T"), (QStringList{"MUSIC", "PHOTOS"}));
    QCOMPARE(entriesOnDisk(root + "T/PHOTOS"), (QStringList{"SUMMER", "WINTER"}));
    const int refusals = throughFuse ? 1 : 0;
    QCOMPARE(fileSystem.exclusiveRenames + fileSystem.checkedRenames,
             renamesAFolder * rows.count() + refusals);
}

void TestPosixFileSystem::fallbackWhereFlagIsRefused_data() {
    QTest::addColumn<int>("flagError");
    QTest::addColumn<int>("number"); // 0: renamed, checked
    QTest::newRow("EINVAL (FUSE)") << EINVAL << 0;
    QTest::newRow("ENOSYS (old kernel)") << ENOSYS << 0;
    QTest::newRow("ENOTSUP") << ENOTSUP << 0;
    QTest::newRow("EOPNOTSUPP") << EOPNOTSUPP << 0;
    QTest::newRow("EXDEV is no reason to copy") << EXDEV << failure_code::kPathFileAccessError;
    QTest::newRow("EACCES is no reason to retry") << EACCES << failure_code::kPermissionDenied;
}

void TestPosixFileSystem::fallbackWhereFlagIsRefused() {
    QFETCH(int, flagError);
    QFETCH(int, number);
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    const QString root = temp.path() + u'/';
    makeFolder(root + "photos/summer");

    ScriptedFileSystem fileSystem;
    fileSystem.exclusiveError = flagError;
    QCOMPARE(renameFailure(fileSystem, root, "photos", "Photos9999999"), number);
    QCOMPARE(fileSystem.checkedRenames, number == 0 ? 1 : 0);
    QCOMPARE(entriesOnDisk(root), QStringList{number == 0 ? "Photos9999999" : "photos"});
    // A disk that refused the flag is not asked again: on a share each refusal is a trip to
    // the server.
    if (number == 0) {
        QCOMPARE(renameFailure(fileSystem, root, "Photos9999999", "Photos"), 0);
        QCOMPARE(fileSystem.exclusiveRenames, 1);
        QCOMPARE(fileSystem.checkedRenames, 2);
        QCOMPARE(entriesOnDisk(root), QStringList{"Photos"});
    }
}

void TestPosixFileSystem::checkedRenameThatFailsLeavesNothing() {
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    const QString root = temp.path() + u'/';
    makeFolder(root + "photos/summer");

    ScriptedFileSystem fileSystem;
    useStrategy(fileSystem, Strategy::Checked);
    fileSystem.uncheckedError = EBUSY;
    QCOMPARE(renameFailure(fileSystem, root, "photos", "Photos"),
             failure_code::kPathFileAccessError);
    QCOMPARE(fileSystem.checkedRenames, 1);
    QCOMPARE(entriesOnDisk(root), QStringList{"photos"});
    QCOMPARE(entriesOnDisk(root + "photos"), QStringList{"summer"});
}

void TestPosixFileSystem::errnoBecomesFailure_data() {
    QTest::addColumn<int>("error");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("plain");
    // Whether the system's text says more than the plain words, and so is added to them.
    QTest::addColumn<bool>("saysMore");
    const QString denied = "Permission denied";
    const QString notFound = "Path not found";
    const QString exists = "File already exists";
    const QString other = "Path/File access error";
    QTest::newRow("EACCES") << EACCES << 70 << denied << false;
    QTest::newRow("EPERM") << EPERM << 70 << denied << true;
    QTest::newRow("EROFS") << EROFS << 70 << denied << true;
    QTest::newRow("ENOENT") << ENOENT << 76 << notFound << false;
    QTest::newRow("ENOTDIR") << ENOTDIR << 76 << notFound << true;
    QTest::newRow("EEXIST") << EEXIST << 58 << exists << false;
    QTest::newRow("ENOTEMPTY") << ENOTEMPTY << 58 << exists << true;
    QTest::newRow("ENAMETOOLONG") << ENAMETOOLONG << 75 << other << true;
    QTest::newRow("EBUSY") << EBUSY << 75 << other << true;
    QTest::newRow("EIO") << EIO << 75 << other << true;
}

void TestPosixFileSystem::errnoBecomesFailure() {
    QFETCH(int, error);
    QFETCH(int, number);
    QFETCH(QString, plain);
    QFETCH(bool, saysMore);
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    makeFolder(temp.path() + "/photos");

    ScriptedFileSystem fileSystem;
    fileSystem.exclusiveError = error;
    try {
        fileSystem.renameFolder(temp.path() + u'/', "photos", "Photos");
        QFAIL("the rename went through");
    } catch (const Failure& failure) {
        QCOMPARE(failure.number(), number);
        const QString more = " (" + QString::fromLocal8Bit(std::strerror(error)) + ")";
        QCOMPARE(failure.description(), saysMore ? plain + more : plain);
        // Weighed against the plain words alone, not against a path that holds the same words.
        const QString path = "/" + QString::fromLocal8Bit(std::strerror(error));
        QCOMPARE(failure.about(path).description(), plain + ": " + path + (saysMore ? more : ""));
    }
}

void TestPosixFileSystem::openFolder_data() {
    QTest::addColumn<QString>("opened");
    QTest::addColumn<QString>("found"); // empty: nothing opened
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<bool>("withoutLinks");
    QTest::newRow("as written") << "Docs"
                                << "Docs/" << QStringList{"Sub"} << true;
    QTest::newRow("with its separator") << "Docs/"
                                        << "Docs/" << QStringList{"Sub"} << true;
    QTest::newRow("in other letter case: as found") << "DOCS"
                                                    << "Docs/" << QStringList{"Sub"} << true;
    QTest::newRow("a link at its end: no entries") << "link"
                                                   << "link/" << QStringList() << false;
    QTest::newRow("below a link: reached through it") << "link/Sub"
                                                      << "link/Sub/" << QStringList() << false;
    QTest::newRow("a file") << "file.txt" << QString() << QStringList() << false;
    QTest::newRow("nothing there") << "gone" << QString() << QStringList() << false;
}

// A folder held open is listed and renamed in wherever its path leads later, and read afresh.
void TestPosixFileSystem::openFolder() {
    QFETCH(QString, opened);
    QFETCH(QString, found);
    QFETCH(QStringList, entries);
    QFETCH(bool, withoutLinks);
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    const QString root = temp.path() + u'/';
    makeFolder(root + "Docs/Sub");
    makeFolder(root + "elsewhere");
    makeLink(root + "Docs", root + "link");
    QVERIFY(QFile(root + "file.txt").open(QIODevice::WriteOnly));

    PosixFileSystem host;
    const std::unique_ptr<OpenFolder> folder = host.open(root + opened);
    QCOMPARE(folder ? folder->path() : QString(), found.isEmpty() ? QString() : root + found);
    if (!folder)
        return;
    // A temporary folder reached through a link itself has every folder below it so reached.
    const bool rootWithoutLinks = QDir(temp.path()).canonicalPath() == temp.path();
    QCOMPARE(folder->reachedWithoutLinks(), withoutLinks && rootWithoutLinks);
    const auto names = [&] {
        QStringList listed;
        for (const DirectoryEntry& entry : folder->entries())
            listed << entry.name;
        return listed;
    };
    QCOMPARE(names(), entries);
    if (entries.isEmpty()) {
        QVERIFY_THROWS_EXCEPTION(Failure, folder->rename("Sub", "SUB"));
        QCOMPARE(entriesOnDisk(root + "Docs"), QStringList{"Sub"});
        return;
    }
    QVERIFY(QDir(root).rename("Docs", "elsewhere/Moved"));
    folder->rename("Sub", "SUB");
    QCOMPARE(entriesOnDisk(root + "elsewhere/Moved"), QStringList{"SUB"});
    QCOMPARE(names(), QStringList{"SUB"});
}

void TestPosixFileSystem::findIgnoringCase_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected"); // empty: none
    QTest::newRow("exact") << "Music/Rock/"
                           << "Music/Rock/";
    QTest::newRow("exact with doubled separator kept") << "Music//Rock/"
                                                       << "Music//Rock/";
    QTest::newRow("one component in other case") << "music/Rock/"
                                                 << "Music/Rock/";
    QTest::newRow("every component in other case") << "MUSIC/rOCK"
                                                   << "Music/Rock";
    QTest::newRow("non-ASCII in other case") << "ФОТО/"
                                             << "фото/";
    QTest::newRow("file in other case") << "Music/README.TXT"
                                        << "Music/readme.txt";
    QTest::newRow("two candidates") << "DOCS/"
                                    << "";
    QTest::newRow("below two candidates") << "DOCS/a"
                                          << "";
    QTest::newRow("exact component preferred over its twin") << "docs/A"
                                                             << "docs/a";
    QTest::newRow("missing") << "Music/Jazz/"
                             << "";
    QTest::newRow("missing in other case") << "music/jazz/"
                                           << "";
    QTest::newRow("below a file") << "music/readme.txt/x"
                                  << "";
    QTest::newRow("through a link in other case") << "LINK/rock"
                                                  << "link/Rock";
}

// The layer keeps nothing: the answer is the disk's, also once the folder has gone.
void TestPosixFileSystem::findFolderIgnoringCase() {
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    const QString root = temp.path() + u'/';
    makeFolder(root + "Docs/inner");
    makeFile(root + "file.txt");
    PosixFileSystem fileSystem;
    QCOMPARE(fileSystem.findIgnoringCase(root + "Docs/"), root + "Docs/");
    QCOMPARE(fileSystem.findIgnoringCase(root + "docs/"), root + "Docs/");
    QCOMPARE(fileSystem.findIgnoringCase(root + "missing/"), std::nullopt);
    QCOMPARE(fileSystem.subfolders(root + "Docs/"), QStringList{"inner"});
    QVERIFY(QDir(root + "Docs").removeRecursively());
    QCOMPARE(fileSystem.findIgnoringCase(root + "Docs/"), std::nullopt);
    QCOMPARE(fileSystem.findIgnoringCase(root + "docs/"), std::nullopt);
}

void TestPosixFileSystem::restoringANameAllowsOnlyACaseTwin_data() {
    QTest::addColumn<Strategy>("strategy");
    for (const auto& [strategy, label] : kStrategies)
        QTest::newRow(label) << strategy;
}

// The way back of a rename: a name made meanwhile in other letter case does not keep a folder
// from its own name, but one taken as written does, and nothing is ever replaced.
void TestPosixFileSystem::restoringANameAllowsOnlyACaseTwin() {
    QFETCH(Strategy, strategy);
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    const QString root = temp.path() + u'/';
    makeFolder(root + "Docs");
    makeFolder(root + "DOCS9999999/inner");
    makeFolder(root + "keep");
    makeFolder(root + "KEEP9999999");
    ScriptedFileSystem fileSystem;
    useStrategy(fileSystem, strategy);
    QCOMPARE(renameFailure(fileSystem, root, "DOCS9999999", "Docs"), 58);
    fileSystem.renameFolder(root, "DOCS9999999", "docs");
    QCOMPARE(entriesOnDisk(root + "docs"), QStringList{"inner"});
    try {
        fileSystem.renameFolder(root, "KEEP9999999", "keep");
        QFAIL("a name taken as written was replaced");
    } catch (const Failure& failure) {
        QCOMPARE(failure.number(), 58);
    }
    QCOMPARE(entriesOnDisk(root), (QStringList{"Docs", "KEEP9999999", "docs", "keep"}));
}

void TestPosixFileSystem::findIgnoringCase() {
    QFETCH(QString, path);
    QFETCH(QString, expected);
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    const QString root = temp.path() + u'/';
    makeFolder(root + "Music/Rock");
    makeFile(root + "Music/readme.txt");
    makeFolder(root + "docs");
    makeFolder(root + "Docs");
    makeFile(root + "docs/a");
    makeFolder(root + "фото");
    makeLink(root + "Music", root + "link");

    PosixFileSystem fileSystem;
    const std::optional<QString> found = fileSystem.findIgnoringCase(root + path);
    QCOMPARE(found.value_or(QString()), expected.isEmpty() ? QString() : root + expected);
}

void TestPosixFileSystem::refusesNoCharacters() {
    PosixFileSystem fileSystem;
    QCOMPARE(fileSystem.refusedNameCharacters(), QString());
    QCOMPARE(fileSystem.separator(), QChar(u'/'));
}

void TestPosixFileSystem::desktopFolders_data() {
    QTest::addColumn<QByteArray>("userDirs");
    QTest::addColumn<QByteArray>("mountTable");
    // "@" stands for the test's temporary folder, whose "home" is the home folder.
    QTest::addColumn<QStringList>("folders");
    QTest::newRow("user folders")
        << QByteArray("# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                      "XDG_MUSIC_DIR=\"/srv/music\"\n  XDG_VIDEOS_DIR = \"$HOME\"\n"
                      "XDG_PICTURES_DIR=\"$HOME/My \\\"Films\\\" \xc3\xbc\"\n")
        << QByteArray()
        << QStringList{"@/home", "@/home/Desktop", "/srv/music", "@/home/My \"Films\" \u00fc"};
    QTest::newRow("lines that name no folder")
        << QByteArray("XDG_MUSIC_DIR=$HOME/Music\nXDG_MUSIC_DIR=\"Music\"\nFOO_DIR=\"/x\"\n"
                      "XDG_MUSIC=\"/y\"\n# XDG_MUSIC_DIR=\"/z\"\n\n")
        << QByteArray() << QStringList{"@/home"};
    QTest::newRow("mount points as the kernel writes them")
        << QByteArray()
        << QByteArray("22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
                      "36 22 8:17 / /media/me/USB\\040STICK rw - vfat /dev/sdb1 rw\nshort\n")
        << QStringList{"@/home", "/", "/media/me/USB STICK"};
    // The desktop reaches its folder through a link: the folder it leads to is the desktop's too.
    QTest::newRow("a user folder behind a link")
        << QByteArray("XDG_PICTURES_DIR=\"$HOME/Pics\"\n") << QByteArray()
        << QStringList{"@/home", "@/home/Pics", "@/data/Photos"};
}

void TestPosixFileSystem::desktopFolders() {
    QFETCH(QByteArray, userDirs);
    QFETCH(QByteArray, mountTable);
    QFETCH(QStringList, folders);
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    const QString root = QFileInfo(temp.path()).canonicalFilePath();
    makeFolder(root + "/home");
    makeFolder(root + "/data/Photos");
    makeLink("../data/Photos", root + "/home/Pics");
    DesktopPlaces places{root + "/home", root + "/user-dirs.dirs", root + "/mountinfo"};
    for (const auto& [name, contents] :
         {std::pair{places.userDirsFile, userDirs}, std::pair{places.mountTable, mountTable}}) {
        QFile file(name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }
    folders.replaceInStrings(QStringLiteral("@"), root);
    QCOMPARE(DesktopFolders(places), folders);
    // Nothing is read from a place not given.
    QCOMPARE(DesktopFolders(DesktopPlaces{}), QStringList());
}

QTEST_APPLESS_MAIN(TestPosixFileSystem)
#include "tst_posixfilesystem.moc"
