#include "app/samples.h"
#include "platform/filesystem.h"
#include "tests/support/fakewindow.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace tarnwick;
using tarnwick::test::FakeWindow;

namespace {

const QString kQuestion = QStringLiteral(
    "Would you like this software to open the folder where these sample files are stored (so "
    "that you can view them before working with them)?");

} // namespace

class TestSamples : public QObject {
    Q_OBJECT
private slots:
    void twoSamplesGiveTwoPreviewedRows();
    void everyLevelIsListedParentsFirst();
    void secondClickAddsTheSameRowsAgain();
    void missingOrEmptySamplesAddNothingButAsk_data();
    void missingOrEmptySamplesAddNothingButAsk();
    void answers_data();
    void answers();
    void rootCollapsesDoubledSeparators_data();
    void rootCollapsesDoubledSeparators();
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

QTEST_GUILESS_MAIN(TestSamples)
#include "tst_samples.moc"
