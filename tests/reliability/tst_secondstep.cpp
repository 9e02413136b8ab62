#include "platform/posixfilesystem.h"
#include "tests/reliability/reliabilitysupport.h"
#include "tests/support/fakefilesystem.h"

#include <QDir>
#include <QHash>
#include <QTemporaryDir>
#include <QTest>

using namespace tarnwick;
using namespace tarnwick::test;

namespace {

const QString kSuffix = QStringLiteral("9999999");

// Another program that creates a folder in the parent just before the final rename reaches the
// disk: between the two steps, after every check the program makes of its own.
class SquattingFileSystem : public PosixFileSystem {
public:
    // For a final rename onto the key, the name of the folder made first.
    QHash<QByteArray, QByteArray> squatters;
    // Stands in for a file system that refuses the no-replace flag: each rename is checked.
    bool refusesFlag = false;

protected:
    // A disk whose lookup ignores letter case, as exFAT's does: every rename takes the detour.
    std::optional<bool> lookupIgnoresCase(int, unsigned long, const QString&) override {
        return true;
    }
    void beforeRename(int folderFd, const char* from, const char* to) override {
        const QByteArray target(to);
        const qsizetype slash = target.lastIndexOf('/');
        const QByteArray parent = target.left(slash + 1);
        const QByteArray leaf = target.mid(slash + 1);
        const auto squatter = squatters.constFind(leaf);
        if (squatter != squatters.constEnd() && QByteArray(from) == target + "9999999" &&
            ::mkdirat(folderFd, (parent + *squatter).constData(), 0755) == 0)
            ++Counted().faults;
    }
    int renameExclusive(int folderFd, const char* from, const char* to) override {
        return refusesFlag ? EINVAL : PosixFileSystem::renameExclusive(folderFd, from, to);
    }
};

// The upper-case path, each component kept as it is where its final rename was refused.
QString Expected(const QString& path, const QStringList& refused) {
    QStringList components = path.split(u'/');
    for (QString& component : components) {
        if (!refused.contains(component.toUpper()))
            component = component.toUpper();
    }
    return components.join(u'/');
}

QStringList Folders(const QStringList& tree) {
    QStringList folders;
    for (const QString& entry : tree) {
        if (entry.endsWith(u'/'))
            folders << entry;
    }
    folders.sort();
    return folders;
}

} // namespace

class TestSecondStep : public QObject {
    Q_OBJECT
private slots:
    void cleanupTestCase() { PrintTally("second step"); }

    void refusedOnTheFake_data();
    void refusedOnTheFake();
    void targetTakenOnDisk_data();
    void targetTakenOnDisk();
};

void TestSecondStep::refusedOnTheFake_data() {
    QTest::addColumn<FakeFileSystem::Mode>("mode");
    QTest::addColumn<QStringList>("refused"); // new leaves whose final rename fails
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("description");

    for (const auto mode :
         {FakeFileSystem::Mode::CaseSensitive, FakeFileSystem::Mode::CaseInsensitive}) {
        const char* host =
            mode == FakeFileSystem::Mode::CaseSensitive ? "case-sensitive" : "case-insensitive";
        QTest::addRow("one folder, access denied, %s", host)
            << mode << QStringList{"DOCS"} << 70 << "Permission denied";
        QTest::addRow("a folder and its subfolder, name taken, %s", host)
            << mode << QStringList{"DOCS", "OLD"} << 58 << "File already exists";
        QTest::addRow("every folder, another failure, %s", host)
            << mode << QStringList{"T", "DOCS", "OLD", "MUSIC", "KEEP"} << 75
            << "Path/File access error";
        QTest::addRow("a folder whose name does not change, %s", host)
            << mode << QStringList{"KEEP"} << 70 << "Permission denied";
    }
}

// Each refused folder is back under its own name, each refusal reported once, and every other
// folder renamed; the rows name the folders where they are.
void TestSecondStep::refusedOnTheFake() {
    QFETCH(FakeFileSystem::Mode, mode);
    QFETCH(QStringList, refused);
    QFETCH(int, number);
    QFETCH(QString, description);

    FakeFileSystem fake(mode);
    const QStringList tree = {"/t/", "/t/docs/", "/t/docs/old/", "/t/music/", "/t/KEEP/"};
    for (const QString& folder : tree)
        fake.addFolder(folder);
    const QList<QByteArray> before = Bytes(fake.tree());
    // Once each: where the name does not change, the way back is the same rename again.
    QStringList failed;
    fake.beforeRename = [&](const QString&, const QString& from,
                            const QString& to) -> std::optional<Failure> {
        if (!refused.contains(to) || from != to + kSuffix || failed.contains(to))
            return std::nullopt;
        failed << to;
        ++Counted().faults;
        return Failure(number, description);
    };

    Session session(fake, kUpper);
    session.add("/t");
    session.run();

    QStringList expected;
    for (const QString& folder : tree)
        expected << Expected(folder, refused);
    CheckTree(before, Bytes(fake.tree()), Bytes(expected));
    const SessionReport report = session.report();
    // A folder whose name does not change ends as asked once it has its name back: no box.
    CheckErrors(report.errors,
                QList<int>(refused.size() - refused.count(QStringLiteral("KEEP")), 152),
                description);
    QCOMPARE(Folders(report.nows), Folders(expected));
}

void TestSecondStep::targetTakenOnDisk_data() {
    QTest::addColumn<bool>("refusesFlag");
    QTest::addColumn<QString>("newPath"); // of t/docs/, set by hand; empty: the preview's
    QTest::addColumn<QByteArray>("onto");
    QTest::addColumn<QByteArray>("squatter");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QStringList>("nows");
    QTest::addColumn<QList<int>>("lines");
    QTest::addColumn<int>("stranded");

    const QStringList common = {"T/", "T/MUSIC/"};
    for (const bool refusesFlag : {false, true}) {
        const char* how = refusesFlag ? "checked" : "no-replace flag";
        // The way back is open: the folder bears its own name again, the intruder is untouched.
        QTest::addRow("new name taken exactly, %s", how)
            << refusesFlag << "t/papers/" << QByteArray("papers") << QByteArray("papers")
            << common +
                   QStringList{"T/KEEP/", "T/KEEP/file", "T/docs/", "T/docs/INNER/", "T/papers/"}
            << QStringList{"T/", "T/KEEP/", "T/MUSIC/", "T/docs/", "T/docs/INNER/"}
            << QList<int>{152} << 0;
        // Made after the program's last look: nothing is replaced, the two stand side by side.
        QTest::addRow("new name taken in other case, %s", how)
            << refusesFlag << "t/papers/" << QByteArray("papers") << QByteArray("PAPERS")
            << common + QStringList{"T/KEEP/", "T/KEEP/file", "T/PAPERS/", "T/papers/",
                                    "T/papers/INNER/"}
            << QStringList{"T/", "T/KEEP/", "T/MUSIC/", "T/papers/", "T/papers/INNER/"}
            << QList<int>{} << 0;
        QTest::addRow("change of case, a third case taken, %s", how)
            << refusesFlag << QString() << QByteArray("DOCS") << QByteArray("Docs")
            << common + QStringList{"T/DOCS/", "T/DOCS/INNER/", "T/Docs/", "T/KEEP/", "T/KEEP/file"}
            << QStringList{"T/", "T/DOCS/", "T/DOCS/INNER/", "T/KEEP/", "T/MUSIC/"} << QList<int>{}
            << 0;
        // The intruder bears the new name, the folder's own in other letter case: the folder
        // takes its own name back beside it rather than keep one the user never chose.
        QTest::addRow("change of case, new name taken exactly, %s", how)
            << refusesFlag << QString() << QByteArray("DOCS") << QByteArray("DOCS")
            << common + QStringList{"T/DOCS/", "T/KEEP/", "T/KEEP/file", "T/docs/", "T/docs/INNER/"}
            << QStringList{"T/", "T/KEEP/", "T/MUSIC/", "T/docs/", "T/docs/INNER/"}
            << QList<int>{152} << 0;
        // The intruder bears the folder's own name exactly: there is no way back, and the report
        // names where the folder is.
        QTest::addRow("unchanged name taken, %s", how)
            << refusesFlag << QString() << QByteArray("KEEP") << QByteArray("KEEP")
            << common + QStringList{"T/DOCS/", "T/DOCS/INNER/", "T/KEEP/", "T/KEEP9999999/",
                                    "T/KEEP9999999/file"}
            << QStringList{"T/", "T/DOCS/", "T/DOCS/INNER/", "T/KEEP/", "T/MUSIC/"}
            << QList<int>{152} << 1;
    }
}

void TestSecondStep::targetTakenOnDisk() {
    QFETCH(bool, refusesFlag);
    QFETCH(QString, newPath);
    QFETCH(QByteArray, onto);
    QFETCH(QByteArray, squatter);
    QFETCH(QStringList, after);
    QFETCH(QStringList, nows);
    QFETCH(QList<int>, lines);
    QFETCH(int, stranded);

    QTemporaryDir temporary;
    QVERIFY(temporary.isValid());
    const QString base = temporary.path() + u'/';
    for (const char* folder : {"t/docs/inner", "t/music", "t/KEEP"})
        QVERIFY(QDir().mkpath(base + folder));
    QFile file(base + "t/KEEP/file");
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    const QList<QByteArray> before = RawTree(base);

    SquattingFileSystem fileSystem;
    fileSystem.refusesFlag = refusesFlag;
    fileSystem.squatters.insert(onto, squatter);
    Session session(fileSystem, kUpper);
    session.add(base + "t");
    if (!newPath.isEmpty()) {
        FolderListModel& list = session.window.list;
        const QStringList listed = session.window.column(FolderListModel::kNow);
        const auto row = static_cast<int>(listed.indexOf(base + "t/docs/"));
        QVERIFY(row >= 0);
        list.setText(row, FolderListModel::kNewName, base + newPath);
    }
    session.run();

    CheckTree(before, RawTree(base), Bytes(after), stranded);
    const SessionReport report = session.report();
    CheckErrors(report.errors, lines, "File already exists");
    if (stranded > 0) {
        const QString where = base + "t/" + QString::fromUtf8(onto) + kSuffix;
        QVERIFY2(report.errors.last().contains("keeps the temporary name " + where),
                 qPrintable(report.errors.last()));
    }
    QCOMPARE(Relative(report.nows, base), nows);
}

QTEST_GUILESS_MAIN(TestSecondStep)
#include "tst_secondstep.moc"
