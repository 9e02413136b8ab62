#include "platform/posixfilesystem.h"
#include "tests/platform/disksupport.h"
#include "tests/reliability/reliabilitysupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
#include <linux/fs.h>
#include <memory>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tarnwick;
using namespace tarnwick::test;

namespace {

// What a user does with the tree below home: add t, preview it in UPPER CASE, run.
SessionReport AddAndRun(FileSystem& fileSystem, const QString& home) {
    Session session(fileSystem, kUpper);
    session.add(home + "t");
    session.run();
    return session.report();
}

QString ErrnoText(const char* call, int error) {
    return QStringLiteral("%1: %2").arg(QLatin1String(call),
                                        QString::fromLocal8Bit(std::strerror(error)));
}

// The tree every test here renames in, below home: t is the folder chosen in the browser.
const QStringList kDeniedTree = {"t/open/kid", "t/blocked/kid"};
const QStringList kAllListed = {"t/", "t/blocked/", "t/blocked/kid/", "t/open/", "t/open/kid/"};

bool Own(const QString& path, uid_t owner) {
    return ::chown(QFile::encodeName(path).constData(), owner, owner) == 0;
}

bool Mode(const QString& path, int mode) {
    return ::chmod(QFile::encodeName(path).constData(), static_cast<mode_t>(mode)) == 0;
}

// Makes the folders below home, all owned by nobody so the child can rename them but where a
// row says otherwise.
bool MakeOwnedTree(const QString& home, const QStringList& folders) {
    for (const QString& folder : folders) {
        if (!QDir().mkpath(home + folder))
            return false;
        for (QString path = folder; !path.isEmpty(); path = QFileInfo(path).path()) {
            if (path == u"." || !Own(home + path, kNobody))
                break;
        }
    }
    return Own(home, kNobody);
}

// Sets or clears an inode flag such as FS_IMMUTABLE_FL on an open folder; the errno value, 0 when
// done. Through the descriptor, so it reaches the folder under whatever name it bears by then.
int SetInodeFlag(int fd, int flag, bool on) {
    int flags = 0;
    if (::ioctl(fd, FS_IOC_GETFLAGS, &flags) != 0)
        return errno;
    flags = on ? flags | flag : flags & ~flag;
    return ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0 ? 0 : errno;
}

// Each error at its line and mentioning its text, in order.
void CheckErrorTexts(const QStringList& errors, const QList<int>& lines,
                     const QStringList& mentions) {
    CheckErrors(errors, lines);
    for (qsizetype i = 0; i < errors.size() && i < mentions.size(); ++i)
        QVERIFY2(errors[i].contains(mentions[i]), qPrintable(errors[i]));
}

const QString kDenied = QStringLiteral("Permission denied");

} // namespace

class TestRealFaults : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void cleanupTestCase() { PrintTally("real faults"); }

    void accessDenied_data();
    void accessDenied();
    void rightsLostAfterPreview_data();
    void rightsLostAfterPreview();
    void readOnlyFileSystem_data();
    void readOnlyFileSystem();
    void immutableFolder_data();
    void immutableFolder();
    void everyFolderOfThisHost();

private:
    std::unique_ptr<QTemporaryDir> m_temporary;
    // Folders given an inode flag, open; cleared before the temporary folder goes, whatever
    // happened.
    QList<std::pair<int, int>> m_flagged;
    // Where the tree is: a folder the child, as nobody, can reach.
    QString m_home;
};

void TestRealFaults::init() {
    m_temporary = std::make_unique<QTemporaryDir>();
    QVERIFY(m_temporary->isValid());
    // Passable for nobody; its own folder below decides the rest.
    QVERIFY(Mode(m_temporary->path(), 0711));
    m_home = m_temporary->path() + QStringLiteral("/home/");
    QVERIFY(QDir().mkpath(m_home));
}

void TestRealFaults::cleanup() {
    for (const auto& [fd, flag] : std::as_const(m_flagged)) {
        SetInodeFlag(fd, flag, false);
        ::close(fd);
    }
    m_flagged.clear();
    m_temporary.reset();
}

void TestRealFaults::accessDenied_data() {
    QTest::addColumn<QString>("denied");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("ownedByRoot");
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QList<int>>("lines");
    QTest::addColumn<QString>("message");

    const QStringList open = {"t/", "t/open/", "t/open/kid/"};
    const QStringList renamedAround = {"T/", "T/OPEN/", "T/OPEN/KID/"};
    const QStringList untouched = {"t/", "t/blocked/", "t/blocked/kid/", "t/open/", "t/open/kid/"};
    // Unreadable subfolders are dropped by the walk, with everything below them.
    QTest::newRow("folder without any rights (000): left out")
        << "t/blocked" << 0000 << false << open
        << renamedAround + QStringList{"T/blocked/", "T/blocked/kid/"} << QList<int>{} << QString();
    QTest::newRow("folder that can only be passed (0100): left out")
        << "t/blocked" << 0100 << false << open
        << renamedAround + QStringList{"T/blocked/", "T/blocked/kid/"} << QList<int>{} << QString();
    // Its names can be read, but not what they are: not folders as far as the walk can tell.
    QTest::newRow("folder that can only be read (0400): its subfolders left out")
        << "t/blocked" << 0400 << false << open + QStringList{"t/blocked/"}
        << renamedAround + QStringList{"T/BLOCKED/", "T/BLOCKED/kid/"} << QList<int>{} << QString();
    // Listed, but nothing inside may be renamed: both the detour and the direct rename refused.
    QTest::newRow("folder that cannot be written (0500): its subfolder refused")
        << "t/blocked" << 0500 << false << kAllListed
        << renamedAround + QStringList{"T/BLOCKED/", "T/BLOCKED/kid/"} << QList<int>{152}
        << QString();
    QTest::newRow("sticky folder of root's: root's subfolder refused")
        << "t/blocked" << 01777 << true << kAllListed
        << renamedAround + QStringList{"T/BLOCKED/", "T/BLOCKED/kid/"} << QList<int>{152}
        << QString();
    // The starting folder is removed from the collection: the list stays empty.
    QTest::newRow("chosen folder without any rights: nothing added")
        << "t" << 0000 << false << QStringList() << untouched << QList<int>{}
        << QString::fromLatin1(kNoFilesAddedMessage);
    QTest::newRow("folder holding the chosen one cannot be written: the chosen one refused")
        << "" << 0555 << false << kAllListed
        << QStringList{"t/", "t/BLOCKED/", "t/BLOCKED/KID/", "t/OPEN/", "t/OPEN/KID/"}
        << QList<int>{152} << QString();
}

// The whole session in a child that has given up root's rights, so the refusals are the
// kernel's own.
void TestRealFaults::accessDenied() {
    QFETCH(QString, denied);
    QFETCH(int, mode);
    QFETCH(bool, ownedByRoot);
    QFETCH(QStringList, listed);
    QFETCH(QStringList, after);
    QFETCH(QList<int>, lines);
    QFETCH(QString, message);

    if (::geteuid() != 0)
        QSKIP("needs root: to hand the folders to another user and give up rights in a child");
    QVERIFY(MakeOwnedTree(m_home, kDeniedTree));
    if (ownedByRoot) {
        QVERIFY(Own(m_home + denied, 0));
        QVERIFY(Own(m_home + denied + "/kid", 0));
    }
    QVERIFY(Mode(m_home + denied, mode));
    ++Counted().faults;
    const QList<QByteArray> before = RawTree(m_home);

    QString why;
    const QString home = m_home;
    const std::optional<SessionReport> report = SessionInChild(
        [&] {
            SessionReport failed;
            if ((failed.setupFailure = DropRootRights()).isEmpty()) {
                PosixFileSystem fileSystem;
                return AddAndRun(fileSystem, home);
            }
            return failed;
        },
        &why);
    QVERIFY2(report, qPrintable(why));
    if (!report->setupFailure.isEmpty())
        QSKIP(qPrintable("cannot give up root's rights: " + report->setupFailure));

    listed.sort();
    QCOMPARE(Relative(report->listed, m_home), listed);
    CheckTree(before, RawTree(m_home), Bytes(after));
    CheckErrors(report->errors, lines, kDenied);
    QCOMPARE(report->messages, message.isEmpty() ? QStringList() : QStringList{message});
}

void TestRealFaults::rightsLostAfterPreview_data() {
    QTest::addColumn<QString>("denied");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QStringList>("nows");
    QTest::addColumn<QList<int>>("lines");

    const QStringList around = {"T/", "T/BLOCKED/", "T/OPEN/", "T/OPEN/KID/"};
    const QStringList kidKept = around + QStringList{"T/BLOCKED/kid/"};
    // The parent cannot be opened: the engine cannot read its entries.
    QTest::newRow("parent without any rights (000)")
        << "t/blocked" << 0000 << kidKept << kidKept << QList<int>{132};
    QTest::newRow("parent that can only be passed (0100)")
        << "t/blocked" << 0100 << kidKept << kidKept << QList<int>{132};
    // Its entries' names could be read, but not looked up: the folder's own flag tells that it
    // tells case apart, and the one rename is refused.
    QTest::newRow("parent that can only be read (0400)")
        << "t/blocked" << 0400 << kidKept << kidKept << QList<int>{152};
    QTest::newRow("parent that cannot be written (0500)")
        << "t/blocked" << 0500 << kidKept << kidKept << QList<int>{152};
    // A folder's own rights do not matter for its name: that belongs to its parent.
    const QStringList all = around + QStringList{"T/BLOCKED/KID/"};
    QTest::newRow("folder itself without any rights (000): renamed")
        << "t/blocked/kid" << 0000 << all << all << QList<int>{};
}

// Listed and previewed with every right; the rights go before the run, which a child runs
// without root's.
void TestRealFaults::rightsLostAfterPreview() {
    QFETCH(QString, denied);
    QFETCH(int, mode);
    QFETCH(QStringList, after);
    QFETCH(QStringList, nows);
    QFETCH(QList<int>, lines);

    if (::geteuid() != 0)
        QSKIP("needs root: to hand the folders to another user and give up rights in a child");
    QVERIFY(MakeOwnedTree(m_home, kDeniedTree));
    PosixFileSystem fileSystem;
    Session session(fileSystem, kUpper);
    session.add(m_home + "t");
    QCOMPARE(Relative(session.report().listed, m_home), kAllListed);
    QVERIFY(Mode(m_home + denied, mode));
    ++Counted().faults;
    const QList<QByteArray> before = RawTree(m_home);

    QString why;
    const std::optional<SessionReport> report = SessionInChild(
        [&] {
            SessionReport failed;
            if ((failed.setupFailure = DropRootRights()).isEmpty()) {
                session.run();
                return session.report();
            }
            return failed;
        },
        &why);
    QVERIFY2(report, qPrintable(why));
    if (!report->setupFailure.isEmpty())
        QSKIP(qPrintable("cannot give up root's rights: " + report->setupFailure));

    CheckTree(before, RawTree(m_home), Bytes(after));
    CheckErrors(report->errors, lines, kDenied);
    nows.sort();
    QCOMPARE(Relative(report->nows, m_home), nows);
}

void TestRealFaults::readOnlyFileSystem_data() {
    QTest::addColumn<Strategy>("strategy");
    QTest::addColumn<QString>("mounted"); // below home, read-only
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QList<int>>("lines");
    QTest::addColumn<QStringList>("mentions");

    const QString busy = QStringLiteral("Path/File access error");
    for (const auto& [strategy, label] : kStrategies) {
        // Rows deepest first: t/docs/inner, t/KEEP, t/docs, t. KEEP bears its new name already,
        // so only its detour fails, and it ends as asked: one box for each of the other three.
        QTest::addRow("whole tree read-only, %s", label)
            << strategy << "" << QStringList{"t/", "t/KEEP/", "t/docs/", "t/docs/inner/"}
            << QList<int>{152, 152, 152} << QStringList(3, kDenied);
        // The mount point itself is busy, what is inside is read-only, the rest renamed.
        QTest::addRow("one folder a read-only mount, %s", label)
            << strategy << "t/docs" << QStringList{"T/", "T/KEEP/", "T/docs/", "T/docs/inner/"}
            << QList<int>{152, 152} << QStringList{kDenied, busy};
    }
}

// In a mount namespace of its own, a child binds a folder of the tree onto itself read-only and
// runs the whole session there; the parent's view of the disk never changes but by the renames.
void TestRealFaults::readOnlyFileSystem() {
    QFETCH(Strategy, strategy);
    QFETCH(QString, mounted);
    QFETCH(QStringList, after);
    QFETCH(QList<int>, lines);
    QFETCH(QStringList, mentions);

    if (::geteuid() != 0)
        QSKIP("needs root: to make a mount namespace and bind-mount a folder read-only");
    for (const char* folder : {"t/docs/inner", "t/KEEP"})
        QVERIFY(QDir().mkpath(m_home + folder));
    ++Counted().faults;
    const QList<QByteArray> before = RawTree(m_home);

    QString why;
    const QString home = m_home;
    const std::optional<SessionReport> report = SessionInChild(
        [&] {
            SessionReport failed;
            const QByteArray target = QFile::encodeName(home + mounted);
            if (::unshare(CLONE_NEWNS) != 0) {
                failed.setupFailure = ErrnoText("unshare(CLONE_NEWNS)", errno);
            } else if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
                failed.setupFailure = ErrnoText("making the mounts private", errno);
            } else if (::mount(target.constData(), target.constData(), nullptr, MS_BIND, nullptr) !=
                       0) {
                failed.setupFailure = ErrnoText("bind mount", errno);
            } else if (::mount(nullptr, target.constData(), nullptr,
                               MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0) {
                failed.setupFailure = ErrnoText("read-only remount", errno);
            } else if (::mkdir((target + "/probe").constData(), 0700) == 0 || errno != EROFS) {
                failed.setupFailure = QStringLiteral("the bind mount is not read-only");
            } else {
                ScriptedFileSystem fileSystem;
                useStrategy(fileSystem, strategy);
                return AddAndRun(fileSystem, home);
            }
            return failed;
        },
        &why);
    QVERIFY2(report, qPrintable(why));
    if (!report->setupFailure.isEmpty())
        QSKIP(qPrintable("cannot mount a folder read-only: " + report->setupFailure));

    QCOMPARE(Relative(report->listed, m_home),
             (QStringList{"t/", "t/KEEP/", "t/docs/", "t/docs/inner/"}));
    CheckTree(before, RawTree(m_home), Bytes(after));
    CheckErrorTexts(report->errors, lines, mentions);
}

void TestRealFaults::immutableFolder_data() {
    QTest::addColumn<int>("flag");
    QTest::addColumn<Strategy>("strategy");

    QTest::newRow("immutable, as the disk answers")
        << FS_IMMUTABLE_FL << Strategy::AsTheDiskAnswers;
    QTest::newRow("immutable, checked") << FS_IMMUTABLE_FL << Strategy::Checked;
    QTest::newRow("append-only, as the disk answers") << FS_APPEND_FL << Strategy::AsTheDiskAnswers;
}

// Neither the flagged folder nor anything in it can be renamed, root or not; its neighbours and
// its parent can.
void TestRealFaults::immutableFolder() {
    QFETCH(int, flag);
    QFETCH(Strategy, strategy);

    if (::geteuid() != 0)
        QSKIP("needs root: to set an inode flag");
    for (const char* folder : {"t/frozen/kid", "t/free"})
        QVERIFY(QDir().mkpath(m_home + folder));
    const int frozen = ::open(QFile::encodeName(m_home + "t/frozen").constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    QVERIFY(frozen >= 0);
    m_flagged.append({frozen, flag});
    if (const int error = SetInodeFlag(frozen, flag, true))
        QSKIP(qPrintable("the file system takes no inode flag here: " +
                         ErrnoText("FS_IOC_SETFLAGS", error)));
    ++Counted().faults;
    const QList<QByteArray> before = RawTree(m_home);

    ScriptedFileSystem fileSystem;
    useStrategy(fileSystem, strategy);
    const SessionReport report = AddAndRun(fileSystem, m_home);
    QCOMPARE(Relative(report.listed, m_home),
             (QStringList{"t/", "t/free/", "t/frozen/", "t/frozen/kid/"}));
    CheckTree(before, RawTree(m_home), Bytes({"T/", "T/FREE/", "T/frozen/", "T/frozen/kid/"}));
    // t/frozen/kid, then t/frozen: each refused twice, told once, naming the folder.
    CheckErrors(report.errors, {152, 152}, kDenied);
    QVERIFY2(report.errors.value(0).contains(m_home + "t/frozen/kid"),
             qPrintable(report.errors.value(0)));
    QCOMPARE(Relative(report.nows, m_home),
             (QStringList{"T/", "T/FREE/", "T/frozen/", "T/frozen/kid/"}));
}

// A tree as a Linux user has one: names in many scripts, a program's own folder, a path longer
// than the host the program was made for allowed, a chain deeper than ninety levels and a bind
// mount of one of its folders inside it. Every addressable folder is listed once, deepest first,
// and each operation leaves every row naming a folder that exists.
void TestRealFaults::everyFolderOfThisHost() {
    if (::geteuid() != 0)
        QSKIP("needs root: to make a mount namespace and bind-mount a folder");
    const QStringList names = {"Фото",     "Ελλάδα",      "日本",
                               "Œuvres",   "don’t panic", "2019–2020 Reports",
                               "Price €5", "what? now"};
    for (const QString& name : names)
        QVERIFY(QDir().mkpath(m_home + "t/" + name + "/sub"));
    QVERIFY(QDir().mkpath(m_home + "t/.git/objects"));
    QVERIFY(QDir().mkpath(m_home + "t/deep/2024"));
    // A deep folder bound to a shallow mount point is met there first; its name has no letters.
    QVERIFY(QDir().mkpath(m_home + "t/deep/far/away/inner"));
    QVERIFY(QDir().mkpath(m_home + "t/2025"));
    QString longPath = m_home + "t/";
    while (longPath.size() < 300)
        longPath += QString(40, u'l') + u'/';
    QVERIFY(QDir().mkpath(longPath));
    QString chain = m_home + "t/";
    for (int level = 0; level < 95; ++level)
        chain += QStringLiteral("c/");
    QVERIFY(QDir().mkpath(chain));

    QString why;
    const QString home = m_home;
    const std::optional<SessionReport> report = SessionInChild(
        [&] {
            SessionReport result;
            const QByteArray original = QFile::encodeName(home + "t/Фото");
            const QByteArray mountPoint = QFile::encodeName(home + "t/deep/2024");
            const QByteArray deep = QFile::encodeName(home + "t/deep/far/away");
            const QByteArray shallow = QFile::encodeName(home + "t/2025");
            if (::unshare(CLONE_NEWNS) != 0 ||
                ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
                ::mount(original.constData(), mountPoint.constData(), nullptr, MS_BIND, nullptr) !=
                    0 ||
                ::mount(deep.constData(), shallow.constData(), nullptr, MS_BIND, nullptr) != 0) {
                result.setupFailure = ErrnoText("bind mount", errno);
                return result;
            }
            PosixFileSystem fileSystem;
            Session session(fileSystem, kUpper);
            session.add(home + "t");
            const QStringList listed = session.report().listed;
            result.listed = listed;
            QStringList failures;
            for (const QString& operation : {kUpper, kLower, kProper, kSentence, kUpper}) {
                session.window.operation = operation;
                session.window.previewRename();
                session.run();
                for (const QString& now : session.window.column(FolderListModel::kNow)) {
                    if (!QFileInfo(now).isDir())
                        failures << operation + ": no folder " + now;
                }
            }
            result.errors = session.report().errors;
            result.nows = session.report().nows;
            result.messages = failures;
            return result;
        },
        &why);
    QVERIFY2(report, qPrintable(why));
    if (!report->setupFailure.isEmpty())
        QSKIP(qPrintable("cannot bind-mount a folder: " + report->setupFailure));

    const QStringList listed = Relative(report->listed, m_home);
    QCOMPARE(QSet<QString>(listed.begin(), listed.end()).size(), listed.size());
    for (const QString& name : names) {
        QVERIFY2(listed.contains("t/" + name + "/sub/"), qPrintable(name));
        QVERIFY2(listed.contains("t/" + name + "/"), qPrintable(name));
    }
    QVERIFY(!listed.contains("t/deep/2024/") && !listed.contains("t/deep/2024/sub/"));
    QVERIFY(listed.contains("t/2025/inner/") && !listed.contains("t/deep/far/away/") &&
            !listed.contains("t/deep/far/away/inner/"));
    QVERIFY(!listed.contains("t/.git/") && !listed.contains("t/.git/objects/"));
    QVERIFY(listed.contains(Relative({longPath}, m_home).first()));
    QVERIFY(listed.contains(Relative({chain}, m_home).first()));
    // Deepest first: the bottom of the chain leads, the chosen folder ends the list.
    QCOMPARE(report->listed.first(), chain);
    QCOMPARE(report->listed.last(), m_home + "t/");
    QCOMPARE(report->messages, QStringList());
    QCOMPARE(report->errors, QStringList());
    // Run five times, the last in UPPER CASE: as the operation says, nothing under another name.
    QVERIFY(QFileInfo(m_home + "T/ФОТО/SUB").isDir());
    QVERIFY(QFileInfo(m_home + "T/WHAT? NOW/SUB").isDir());
    QVERIFY(QFileInfo(m_home + "T/.git/objects").isDir());
    QVERIFY(QFileInfo(m_home + "T/DEEP/2024").isDir());
    for (const QByteArray& entry : RawTree(m_home))
        QVERIFY2(!entry.contains("9999999"), entry.constData());
}

QTEST_GUILESS_MAIN(TestRealFaults)
#include "tst_realfaults.moc"
