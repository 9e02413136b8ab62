#include "app/samples.h"
#include "common/failure.h"
#include "platform/filesystem.h"
#include "rename/renamerun.h"
#include "tests/reliability/reliabilitysupport.h"
#include "tests/support/disktree.h"
#include "tests/support/fakewindow.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>

using namespace tarnwick;
using tarnwick::test::FakeWindow;

namespace {

const QString kQuestion = QStringLiteral(
    "Would you like this software to open the folder where these sample files are stored (so "
    "that you can view them before working with them)?");

// The shipped samples of the copy tests: two levels, a file, and a link that leads out of them.
void ShipSamples(const QString& programFolder) {
    const QString samples = programFolder + QStringLiteral("/Samples/");
    test::makeFolders(samples, {"my Photos/old", "WORK"});
    test::makeFile(samples + QStringLiteral("WORK/notes.txt"), "kept");
    test::makeLink(QStringLiteral("/"), samples + QStringLiteral("WORK/out"));
}

} // namespace

class TestSamples : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void twoSamplesGiveTwoPreviewedRows();
    void everyLevelIsListedParentsFirst();
    void secondClickAddsTheSameRowsAgain();
    void missingOrEmptySamplesAddNothingButAsk_data();
    void missingOrEmptySamplesAddNothingButAsk();
    void answers_data();
    void answers();
    void rootCollapsesDoubledSeparators_data();
    void rootCollapsesDoubledSeparators();
    void sampleHome_data();
    void sampleHome();
    void copyThatCannotBeMadeIsReported();
    void installedSamplesRenamedByANormalUser();
};

void TestSamples::twoSamplesGiveTwoPreviewedRows() {
    QTemporaryDir program;
    QVERIFY(QDir(program.path()).mkpath(QStringLiteral("Samples/my photos")));
    QVERIFY(QDir(program.path()).mkpath(QStringLiteral("Samples/Old Letters")));
    FakeWindow window(HostFileSystem());
    window.list.appendRow(QStringLiteral("/kept/row/"));
    PushButton6_Click(window, program.path());
    const QString root = program.path() + QStringLiteral("/Samples/");
    QStringList now = window.column(0);
    QCOMPARE(now.takeFirst(), QStringLiteral("/kept/row/"));
    now.sort();
    QCOMPARE(now, (QStringList{root + "Old Letters/", root + "my photos/"}));
    QVERIFY(window.column(1).contains(root + "MY PHOTOS/"));
    QVERIFY(window.column(1).contains(root + "OLD LETTERS/"));
    QCOMPARE(window.pointer(), PointerSetting::Default);
    QVERIFY(window.pointerHistory.contains(PointerSetting::Hourglass));
    QCOMPARE(window.previewCount, 1);
    QVERIFY(window.fakeDialogs.errors().isEmpty());
}

void TestSamples::everyLevelIsListedParentsFirst() {
    QTemporaryDir program;
    QVERIFY(QDir(program.path()).mkpath(QStringLiteral("Samples/a/b/c")));
    FakeWindow window(HostFileSystem());
    PushButton6_Click(window, program.path());
    const QString root = program.path() + QStringLiteral("/Samples/");
    QCOMPARE(window.column(0), (QStringList{root + "a/", root + "a/b/", root + "a/b/c/"}));
}

void TestSamples::secondClickAddsTheSameRowsAgain() {
    QTemporaryDir program;
    QVERIFY(QDir(program.path()).mkpath(QStringLiteral("Samples/one")));
    FakeWindow window(HostFileSystem());
    PushButton6_Click(window, program.path());
    PushButton6_Click(window, program.path());
    const QString row = program.path() + QStringLiteral("/Samples/one/");
    QCOMPARE(window.column(0), (QStringList{row, row}));
}

void TestSamples::missingOrEmptySamplesAddNothingButAsk_data() {
    QTest::addColumn<bool>("makeFolder");
    QTest::newRow("missing") << false;
    QTest::newRow("empty") << true;
}

void TestSamples::missingOrEmptySamplesAddNothingButAsk() {
    QFETCH(bool, makeFolder);
    QTemporaryDir program;
    if (makeFolder)
        QVERIFY(QDir(program.path()).mkpath(QStringLiteral("Samples")));
    FakeWindow window(HostFileSystem());
    PushButton6_Click(window, program.path());
    QCOMPARE(window.list.count(), 0);
    QCOMPARE(window.pointer(), PointerSetting::Default);
    QCOMPARE(window.previewCount, 1);
    QCOMPARE(window.fakeDialogs.messages.size(), 1);
    QCOMPARE(window.fakeDialogs.messages[0].text, kQuestion);
}

void TestSamples::answers_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("shellAvailable");
    QTest::addColumn<bool>("opens");
    QTest::newRow("yes") << int(MessageAnswer::Yes) << true << true;
    QTest::newRow("no") << int(MessageAnswer::No) << true << false;
    QTest::newRow("yes without a file manager") << int(MessageAnswer::Yes) << false << true;
}

void TestSamples::answers() {
    QFETCH(int, answer);
    QFETCH(bool, shellAvailable);
    QFETCH(bool, opens);
    QTemporaryDir program;
    QVERIFY(QDir(program.path()).mkpath(QStringLiteral("Samples/one")));
    FakeWindow window(HostFileSystem());
    window.fakeDialogs.answers = {MessageAnswer(answer)};
    window.fakeDialogs.shellAvailable = shellAvailable;
    PushButton6_Click(window, program.path());
    const auto& question = window.fakeDialogs.messages.first();
    QCOMPARE(question.title, QStringLiteral("Tarnwick"));
    QCOMPARE(question.buttons, MessageButtons::YesNo);
    QCOMPARE(question.icon, MessageIcon::None);
    QCOMPARE(window.fakeDialogs.openedFolders,
             opens ? QStringList{program.path() + "/Samples/"} : QStringList{});
    // Nothing of its own is shown when the shell cannot open the folder.
    QCOMPARE(window.fakeDialogs.messages.size(), 1);
    QCOMPARE(window.list.count(), 1);
}

void TestSamples::rootCollapsesDoubledSeparators_data() {
    QTest::addColumn<QString>("programFolder");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("root");
    QTest::newRow("posix") << "/usr/lib/tarnwick"
                           << "/"
                           << "/usr/lib/tarnwick/Samples/";
    QTest::newRow("posix root") << "/"
                                << "/"
                                << "/Samples/";
    QTest::newRow("drive") << "C:\\Tools"
                           << "\\"
                           << "C:\\Tools\\Samples\\";
    QTest::newRow("network") << "\\\\server\\share"
                             << "\\"
                             << "\\\\server\\share\\Samples\\";
}

void TestSamples::rootCollapsesDoubledSeparators() {
    QFETCH(QString, programFolder);
    QFETCH(QString, separator);
    QFETCH(QString, root);
    QCOMPARE(SampleRoot(programFolder, separator[0]), root);
}

void TestSamples::sampleHome_data() {
    QTest::addColumn<bool>("shipped");
    QTest::addColumn<bool>("writable");
    QTest::addColumn<bool>("copiedBefore");
    QTest::addColumn<bool>("programsOwn");
    QTest::addColumn<QStringList>("copy");

    const QStringList copied{"WORK/", "WORK/notes.txt", "my Photos/", "my Photos/old/"};
    QTest::newRow("a build beside its samples uses them")
        << true << true << false << true << QStringList{};
    QTest::newRow("installed: copied once, links left out")
        << true << false << false << false << copied;
    QTest::newRow("a copy made before is kept as the user left it")
        << true << false << true << false << QStringList{"MY PHOTOS/"};
    QTest::newRow("nothing shipped: nothing copied")
        << false << false << false << true << QStringList{};
}

void TestSamples::sampleHome() {
    QFETCH(bool, shipped);
    QFETCH(bool, writable);
    QFETCH(bool, copiedBefore);
    QFETCH(bool, programsOwn);
    QFETCH(QStringList, copy);
    QTemporaryDir program, user;
    if (shipped)
        ShipSamples(program.path());
    const QString data = user.filePath(QStringLiteral("share/tarnwick"));
    if (copiedBefore)
        test::makeFolder(data + QStringLiteral("/Samples/MY PHOTOS"));
    const QList<QByteArray> shippedTree = test::RawTree(program.path());
    QStringList asked;
    const QString home = SampleHome(program.path(), data, [&](const QString& folder) {
        asked << folder;
        return writable;
    });

    QCOMPARE(home, programsOwn ? program.path() : data);
    if (shipped)
        QCOMPARE(asked, QStringList{program.path() + QStringLiteral("/Samples")});
    QCOMPARE(test::RawTree(data + QStringLiteral("/Samples")),
             copy.isEmpty() ? QList<QByteArray>{"<root unreadable>"} : test::Bytes(copy));
    if (!copy.isEmpty()) {
        // Nothing half made is left beside the copy.
        QCOMPARE(test::entriesOnDisk(data), QStringList{"Samples"});
    }
    if (copy.contains(u"WORK/notes.txt"))
        QCOMPARE(test::contentOf(data + QStringLiteral("/Samples/WORK/notes.txt")), "kept");
    QCOMPARE(test::RawTree(program.path()), shippedTree);
}

// The program's own samples are then listed, after one message.
void TestSamples::copyThatCannotBeMadeIsReported() {
    QTemporaryDir program, user;
    ShipSamples(program.path());
    test::makeFile(user.filePath(QStringLiteral("share")));
    const auto readOnly = [](const QString&) { return false; };
    QVERIFY_THROWS_EXCEPTION(
        Failure,
        SampleHome(program.path(), user.filePath(QStringLiteral("share/tarnwick")), readOnly));
    QCOMPARE(test::entriesOnDisk(user.path()), QStringList{"share"});
}

// An installed program, its samples owned by root, started by a user without root's rights:
// the samples are loaded from the user's copy and renamed there, without an error message.
void TestSamples::installedSamplesRenamedByANormalUser() {
    QTemporaryDir program, home;
    test::makeFolders(program.path() + QStringLiteral("/Samples/"), {"my Photos/old", "WORK"});
    QVERIFY(QFile::setPermissions(program.path(), QFile::permissions(program.path()) |
                                                      QFile::ReadOther | QFile::ExeOther));
    QVERIFY(::chown(QFile::encodeName(home.path()).constData(), test::kNobody, test::kNobody) == 0);
    const QList<QByteArray> shippedTree = test::RawTree(program.path());

    QString why;
    const std::optional<QByteArray> report = test::RunInChild(
        [&] {
            const QString dropped = test::DropRootRights();
            if (!dropped.isEmpty())
                return dropped.toUtf8();
            ::setenv("HOME", QFile::encodeName(home.path()).constData(), 1);
            FakeWindow window(HostFileSystem());
            PushButton6_Click(window, program.path());
            PushButton2_Click(window);
            return (QStringList{QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)} +
                    window.fakeDialogs.errors())
                .join(u'\n')
                .toUtf8();
        },
        &why);
    QVERIFY2(report, qPrintable(why));
    const QStringList lines = QString::fromUtf8(*report).split(u'\n');
    QCOMPARE(lines.mid(1), QStringList{});
    QVERIFY2(lines[0].startsWith(home.path()), qPrintable(lines[0]));
    QCOMPARE(test::RawTree(lines[0] + QStringLiteral("/Samples")),
             test::Bytes({"MY PHOTOS/", "MY PHOTOS/OLD/", "WORK/"}));
    QCOMPARE(test::RawTree(program.path()), shippedTree);
}

QTEST_GUILESS_MAIN(TestSamples)
#include "tst_samples.moc"
