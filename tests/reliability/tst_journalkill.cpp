#include "platform/filesystem.h"
#include "rename/journal.h"
#include "rename/recovery.h"
#include "tests/platform/exfatmount.h"
#include "tests/reliability/killtree.h"
#include "tests/reliability/reliabilitysupport.h"
#include "tests/support/fakedialogs.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <memory>

using namespace tarnwick;
using namespace tarnwick::test;

namespace {

// Scaled down where sanitizers slow every call tenfold, and by the environment where asked.
int FolderCount(int usual) {
    const int asked = qEnvironmentVariableIntValue("TARNWICK_KILL_FOLDERS");
    if (asked > 0)
        return asked;
#ifdef TARNWICK_SANITIZED
    return usual / 10;
#else
    return usual;
#endif
}

constexpr int kTrials = 20;

// Runs the driver over root, recording in journals; killed after killAfterMs once it is ready
// (never, when negative). How long it ran after it was ready, in milliseconds.
qint64 RunDriver(const QString& root, const QString& journals, qint64 killAfterMs) {
    QProcess driver;
    driver.start(QStringLiteral(TARNWICK_JOURNAL_DRIVER), {root, journals});
    if (!driver.waitForStarted() || !driver.waitForReadyRead(120000))
        return -1;
    QElapsedTimer clock;
    clock.start();
    if (killAfterMs >= 0) {
        QThread::usleep(static_cast<unsigned long>(killAfterMs * 1000));
        // SIGKILL: nothing of the driver's runs after it, as after a crash or a pulled plug.
        driver.kill();
    }
    driver.waitForFinished(-1);
    return clock.elapsed();
}

// The first few differences, for the failure message.
QByteArray Differences(const QList<QByteArray>& tree, const QList<QByteArray>& expected) {
    QByteArray text;
    int missing = 0;
    for (const QByteArray& entry : expected) {
        if (!tree.contains(entry) && ++missing < 6)
            text += "\n  missing: " + entry;
    }
    int unexpected = 0;
    for (const QByteArray& entry : tree) {
        if (!expected.contains(entry) && ++unexpected < 6)
            text += "\n  unexpected: " + entry;
    }
    text += QStringLiteral("\n  %1 missing, %2 unexpected").arg(missing).arg(unexpected).toLatin1();
    return text;
}

bool HasIntermediateName(const QList<QByteArray>& tree) {
    return std::any_of(tree.begin(), tree.end(),
                       [](const QByteArray& entry) { return entry.endsWith("9999999/"); });
}

} // namespace

class TestJournalKill : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void killedRunRecovers_data();
    void killedRunRecovers();

private:
    QTemporaryDir m_state;
};

void TestJournalKill::initTestCase() {
    QVERIFY(m_state.isValid());
    // Whatever asks for the journal folder finds a temporary one, never the user's.
    qputenv("XDG_STATE_HOME", QFile::encodeName(m_state.path()));
}

void TestJournalKill::killedRunRecovers_data() {
    QTest::addColumn<bool>("exfat");
    QTest::addColumn<int>("folders");
    QTest::newRow("ext4 or the disk the temporary folder is on") << false << FolderCount(20000);
    // A stick's driver (FUSE) is slower by fifty times, and every folder takes the detour there:
    // fewer folders keep the test within a minute.
    QTest::newRow("exFAT image") << true << FolderCount(600);
}

// Killed at a random moment of the run, then started again: after "Take Back" every folder bears
// its name before the run, after "Finish Run" its new name; nothing else changed, and no folder
// bears a temporary name.
void TestJournalKill::killedRunRecovers() {
    QFETCH(bool, exfat);
    QFETCH(int, folders);
    std::unique_ptr<ExfatMount> mount;
    QTemporaryDir disk;
    QString root = disk.path() + u'/';
    if (exfat) {
        mount = std::make_unique<ExfatMount>(qint64(96) * 1024 * 1024);
        if (const QString why = mount->mount(); !why.isEmpty())
            QSKIP(qPrintable("cannot mount an exFAT image: " + why));
        root = mount->root();
    }
    const QList<QByteArray> lower = KillTree(folders, false);
    const QList<QByteArray> upper = KillTree(folders, true);
    // The whole run once, to learn how long it takes. Each run turns the tree's case around, so
    // the trials need no new tree: a trial starts where the one before ended.
    QVERIFY(MakeKillTree(root, folders));
    const qint64 whole = RunDriver(root, m_state.filePath("whole"), -1);
    QVERIFY(whole >= 0);
    QCOMPARE(RawTree(root), upper);
    bool isUpper = true;

    const quint32 seed =
        qEnvironmentVariableIsSet("TARNWICK_KILL_SEED")
            ? static_cast<quint32>(qEnvironmentVariableIntValue("TARNWICK_KILL_SEED"))
            : QRandomGenerator::global()->generate();
    QRandomGenerator random(seed);
    int cutShort = 0;
    for (int trial = 0; trial < kTrials; ++trial) {
        const QString journals = m_state.filePath(QStringLiteral("t%1").arg(trial));
        const QByteArray where = QStringLiteral("trial %1 of seed %2 (TARNWICK_KILL_SEED)")
                                     .arg(trial)
                                     .arg(seed)
                                     .toLocal8Bit();
        QVERIFY2(RunDriver(root, journals, random.bounded(whole + 1)) >= 0, where);
        // Where the disk tells letter case apart, each folder is renamed in one atomic step: a
        // kill leaves no temporary name even before recovery.
        if (!exfat)
            QVERIFY2(!HasIntermediateName(RawTree(root)), where);
        const bool finish = trial % 2 == 0;
        FakeUserDialogs dialogs;
        dialogs.choices << QString::fromLatin1(finish ? kFinishRunButton : kTakeBackButton);
        const RecoveryTally tally =
            RecoverUnfinishedRuns(HostFileSystem(), dialogs, QStringLiteral("Tarnwick"), journals);
        cutShort += tally.offered;
        const QList<QByteArray> tree = RawTree(root);
        QVERIFY2(!HasIntermediateName(tree), where);
        QVERIFY2(dialogs.errors().isEmpty(), where + dialogs.errors().join(u'\n').toLocal8Bit());
        const QList<QByteArray>& before = isUpper ? upper : lower;
        const QList<QByteArray>& after = isUpper ? lower : upper;
        const QList<QByteArray>& expected = finish ? after : before;
        if (tally.offered && tree != expected)
            QFAIL(where + Differences(tree, expected) +
                  dialogs.messages.first().text.toLocal8Bit());
        if (!tally.offered)
            QVERIFY2(tree == before || tree == after, where);
        isUpper = tree == upper;
        // Nothing is offered twice.
        FakeUserDialogs again;
        QCOMPARE(RecoverUnfinishedRuns(HostFileSystem(), again, {}, journals).offered, 0);
    }
    qInfo("%d of %d runs of %d folders were killed half way and recovered (seed %u)", cutShort,
          kTrials, folders, seed);
}

QTEST_GUILESS_MAIN(TestJournalKill)
#include "tst_journalkill.moc"
