#include "folders/rowvector.h"
#include "rename/journal.h"
#include "rename/journalreader.h"
#include "rename/recovery.h"
#include "rename/renamerun.h"
#include "rename/runrecorder.h"
#include "rename/undo.h"
#include "tests/reliability/killtree.h"
#include "tests/reliability/reliabilitysupport.h"
#include "tests/support/disktree.h"
#include "tests/support/unfinishedjournal.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sched.h>
#include <sys/mount.h>

using namespace tarnwick;
using namespace tarnwick::test;

namespace {} // namespace

class TestJournal : public QObject {
    Q_OBJECT
private slots:
    void init();
    void tornJournalReadUpToLastWholeRecord();
    void unreadableJournalKeptAside_data();
    void unreadableJournalKeptAside();
    void unfinishedRunChoices_data();
    void unfinishedRunChoices();
    void rowChangedAtPumpRecordedAsRenamed();
    void undoAfterRestart();
    void finishedRunReadAtOnce();
    void undoKeepsAnotherCopysRecord_data();
    void undoKeepsAnotherCopysRecord();
    void undoStoppedGoesOnAfterRestart();
    void runThatCannotBeRecorded_data();
    void runThatCannotBeRecorded();

private:
    std::unique_ptr<QTemporaryDir> m_temp;
    QString m_root;
    QString m_journals;
};

void TestJournal::init() {
    m_temp = std::make_unique<QTemporaryDir>();
    QVERIFY(m_temp->isValid());
    m_root = m_temp->filePath("disk/");
    m_journals = m_temp->filePath("state/tarnwick");
    QVERIFY(QDir().mkpath(m_root));
    // Whatever asks for the journal folder finds a temporary one, never the user's.
    qputenv("XDG_STATE_HOME", QFile::encodeName(m_temp->filePath("state")));
    QCOMPARE(JournalFolder(), m_journals);
}

// Cut at any byte, a journal gives the folders of its whole batches, never more, never a
// damaged one; one flipped byte ends the reading there.
void TestJournal::tornJournalReadUpToLastWholeRecord() {
    for (const QString name : {"a", "b", "c"})
        QVERIFY(QDir().mkpath(m_root + name));
    const QByteArray whole = ReadAll(QString::fromLocal8Bit(UnfinishedJournal(m_root, m_journals)));
    QString why;
    std::optional<JournalContents> all = ParseJournal(whole, u'/', &why);
    QVERIFY2(all, qPrintable(why));
    QCOMPARE(all->folders.size(), std::size_t(3));
    QCOMPARE(all->folders[1].intent.before, QStringLiteral("b"));
    QCOMPARE(all->folders[1].intent.after, QStringLiteral("B"));
    for (qsizetype cut = 0; cut < whole.size(); ++cut) {
        const std::optional<JournalContents> part = ParseJournal(whole.left(cut), u'/', &why);
        // The batch's folders count only with its mark, which comes last.
        QVERIFY(!part || part->folders.empty());
        QByteArray flipped = whole;
        flipped[cut] = static_cast<char>(flipped[cut] ^ 0x20);
        const std::optional<JournalContents> damaged = ParseJournal(flipped, u'/', &why);
        QVERIFY(!damaged || damaged->folders.empty() || damaged->folders.size() == 3);
        if (damaged && !damaged->folders.empty())
            QCOMPARE(damaged->folders[1].intent.before, QStringLiteral("b"));
    }
}

void TestJournal::unreadableJournalKeptAside_data() {
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    const QByteArray magic(journal::kMagic, sizeof journal::kMagic);
    QTest::newRow("foreign file") << ".open" << QByteArray("#!/bin/sh\nrm -rf /\n")
                                  << "it is not a run record of this program";
    QTest::newRow("empty file") << ".open" << QByteArray()
                                << "it is not a run record of this program";
    QTest::newRow("newer format") << ".open" << magic + QByteArray("\x09\x00", 2) + "later"
                                  << "it was written in format 9, which this version does not read";
    const char version[2] = {static_cast<char>(journal::kVersion), 0};
    QTest::newRow("damaged beginning")
        << ".open" << magic + QByteArray(version, 2) + "\x05\0\0\0garbage"
        << "its beginning is damaged";
    QTest::newRow("finished run cut short") << ".done" << QByteArray() << "it is cut short";
}

// Never acted on, never deleted: renamed aside with the reason told once, the folders as they were.
void TestJournal::unreadableJournalKeptAside() {
    QFETCH(QString, suffix);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    QVERIFY(QDir().mkpath(m_root + "a"));
    if (bytes.isEmpty() && suffix == ".done")
        bytes = ReadAll(QString::fromLocal8Bit(UnfinishedJournal(m_root, m_journals)));
    QDir(m_journals).removeRecursively();
    QVERIFY(QDir().mkpath(m_journals));
    const QString name = QStringLiteral("run-00000000000001-1") + suffix;
    QVERIFY(WriteAll(m_journals + u'/' + name, bytes));
    FakeUserDialogs dialogs;
    if (suffix == ".open") {
        QCOMPARE(RecoverUnfinishedRuns(HostFileSystem(), dialogs, "Tarnwick").keptAside, 1);
    } else {
        RowVector rows;
        LastRun lastRun;
        const UndoResult undone = UndoLastRecordedRun(
            {rows, HostFileSystem(), dialogs, "Tarnwick", {}, lastRun, {}, {}, {}, m_journals},
            [&](const QString& text) { dialogs.showMessage(text, "Tarnwick", {}, {}); });
        QVERIFY(!undone.tally);
    }
    const QString aside = m_journals + u'/' + name + ".unreadable";
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.messages[0].text,
             QStringLiteral("A run record that cannot be read was kept aside, untouched, as %1: %2")
                 .arg(aside, reason));
    QCOMPARE(ReadAll(aside), bytes);
    QCOMPARE(RawTree(m_root), Bytes({"a/"}));
    // Told once: kept aside, it is never read again.
    FakeUserDialogs again;
    RecoverUnfinishedRuns(HostFileSystem(), again, "Tarnwick");
    QVERIFY(again.messages.isEmpty());
}

void TestJournal::unfinishedRunChoices_data() {
    QTest::addColumn<QString>("choice");
    QTest::addColumn<bool>("replaceB");
    QTest::addColumn<QStringList>("tree");
    QTest::newRow("finish") << "Finish Run" << false << QStringList{"A/", "B/", "C/"};
    QTest::newRow("take back") << "Take Back" << false << QStringList{"a/", "b/", "c/"};
    QTest::newRow("later") << "Later" << false << QStringList{"A/", "b/", "c/"};
    QTest::newRow("b moved away by another program, a new b in its place, finish")
        << "Finish Run" << true << QStringList{"A/", "b/", "C/"};
}

// The question counts what is not finished; a folder put in a recorded one's place under its very
// name is left alone and told; "Later" renames nothing and asks again.
void TestJournal::unfinishedRunChoices() {
    QFETCH(QString, choice);
    QFETCH(bool, replaceB);
    QFETCH(QStringList, tree);
    for (const QString name : {"a", "b", "c"})
        QVERIFY(QDir().mkpath(m_root + name));
    {
        // Another copy of the program still writing its run: never offered.
        QString why;
        const std::unique_ptr<JournalWriter> running =
            JournalWriter::start(m_journals, journal::Kind::Run, &why);
        const QByteArray journal = UnfinishedJournal(m_root, m_journals);
        QVERIFY(!journal.isEmpty());
        FakeUserDialogs dialogs;
        QCOMPARE(RecoverUnfinishedRuns(HostFileSystem(), dialogs, "Tarnwick").offered, 1);
        QCOMPARE(dialogs.buttonSets.size(), 1);
    }
    QVERIFY(QDir(m_root).rename("a", "A"));
    QVERIFY(QDir(m_root).rename("c", "C9999999"));
    if (replaceB)
        QVERIFY(QDir(m_root).rename("b", "x") && QDir(m_root).mkdir("b"));
    FakeUserDialogs dialogs;
    dialogs.choices << choice;
    const RecoveryTally tally = RecoverUnfinishedRuns(HostFileSystem(), dialogs, "Tarnwick");
    QCOMPARE(tally.offered, 1);
    QCOMPARE(dialogs.messages[0].title, QStringLiteral("Tarnwick"));
    QCOMPARE(dialogs.buttonSets[0], QStringList({"Finish Run", "Take Back", "Later"}));
    QVERIFY2(
        dialogs.messages[0].text.startsWith(
            QStringLiteral(
                "The last run was interrupted before it ended: %1 of its 3 folders do not bear "
                "their new names yet, 1 of them are under a temporary name.")
                .arg(replaceB ? 1 : 2)),
        qPrintable(dialogs.messages[0].text));
    if (choice == "Later")
        tree = QStringList{"A/", "C9999999/", "b/"};
    QStringList expected = tree;
    if (replaceB)
        expected << "x/";
    QCOMPARE(RawTree(m_root), Bytes(expected));
    QCOMPARE(dialogs.errors().size(), replaceB ? 1 : 0);
    if (replaceB)
        QVERIFY(dialogs.errors()[0].contains(m_root + "b: Left as it is: it is not the folder"));
    FakeUserDialogs again;
    QCOMPARE(RecoverUnfinishedRuns(HostFileSystem(), again, "Tarnwick").offered,
             choice == "Later" ? 1 : 0);
}

// A row whose new name changes at a pump, after the rows were written ahead, is written again
// before its folder is renamed: the record names what was done, not what was first meant.
void TestJournal::rowChangedAtPumpRecordedAsRenamed() {
    RowVector rows;
    for (const QString name : {"ab", "cd", "ef"}) {
        QVERIFY(QDir().mkpath(m_root + name));
        rows.appendPaths({ListedPath(m_root, name + u'/')},
                         {HostFileSystem().identity(m_root + name).value_or(FileIdentity{})});
        rows.setPath(rows.count() - 1, ListRows::kNewName,
                     ListedPath(m_root, name.toUpper() + u'/'));
    }
    const auto pump = [&] {
        if (QFileInfo::exists(m_root + "AB"))
            rows.setPath(2, ListRows::kNewName, ListedPath(m_root, QStringLiteral("Ef/")));
    };
    FakeUserDialogs dialogs;
    LastRun ran;
    QVERIFY(RunRenames(
        {rows, HostFileSystem(), dialogs, "Tarnwick", pump, ran, {}, {}, {}, m_journals}));
    QString why;
    WaitForJournals();
    const std::optional<JournalContents> read =
        ParseJournal(ReadAll(m_journals + u'/' + ran.record()), u'/', &why);
    QVERIFY2(read, qPrintable(why));
    QStringList afters;
    for (const RenamedFolder& folder : read->renamed)
        afters << folder.before + folder.after;
    QCOMPARE(afters, QStringList({"ab/AB/", "cd/CD/", "ef/Ef/"}));
    QCOMPARE(RawTree(m_root), Bytes({"AB/", "CD/", "Ef/"}));
}

// Two processes in sequence: the first runs 10,000 folders and ends; the second, with nothing in
// memory, takes the run back from its record, every folder exactly.
void TestJournal::undoAfterRestart() {
#ifdef TARNWICK_SANITIZED
    // Where sanitizers slow every call tenfold.
    constexpr int kFolders = 2000;
#else
    constexpr int kFolders = 10000;
#endif
    QVERIFY(MakeKillTree(m_root, kFolders));
    QString why;
    const std::optional<QByteArray> ran = RunInChild(
        [&] {
            FakeUserDialogs dialogs;
            RowVector rows;
            const std::optional<RunTally> tally = RunRecorded(m_root, m_journals, dialogs, rows);
            return QByteArray::number(tally ? tally->renamed : -1);
        },
        &why);
    QVERIFY2(ran, qPrintable(why));
    QCOMPARE(*ran, QByteArray::number(kFolders));
    QCOMPARE(RawTree(m_root), KillTree(kFolders, true));

    FakeUserDialogs dialogs;
    RowVector rows;
    LastRun lastRun;
    const RunSurroundings restarted{
        rows, HostFileSystem(), dialogs, "Tarnwick", {}, lastRun, {}, {}, {}, m_journals};
    QVERIFY(CanUndoLastRun(restarted));
    const UndoResult undone = UndoLastRecordedRun(restarted, {});
    QVERIFY(undone.tally);
    QCOMPARE(undone.tally->renamed, kFolders);
    QCOMPARE(RawTree(m_root), KillTree(kFolders, false));
    QVERIFY(dialogs.messages.isEmpty());
    // One level: nothing is left to undo.
    QVERIFY(!CanUndoLastRun(restarted));
    WaitForJournals();
    QVERIFY(QDir(m_journals).entryList(QDir::Files).isEmpty());
}

// A run's record is made durable and named finished after the run has returned; whoever reads
// the journal folder straight away (an undo at once, a second run) finds it finished all the same,
// and the record of the run before it gone.
void TestJournal::finishedRunReadAtOnce() {
    constexpr int kFolders = kFoldersPerParent;
    QVERIFY(MakeKillTree(m_root, kFolders));
    FakeUserDialogs dialogs;
    RowVector rows;
    const QString earlier = QStringLiteral("run-00000000000001-1-1.done");
    QVERIFY(QDir().mkpath(m_journals));
    QFile earlierRecord(m_journals + u'/' + earlier);
    QVERIFY(earlierRecord.open(QIODevice::WriteOnly));
    earlierRecord.close();
    LastRun ran;
    QVERIFY(RunRecorded(m_root, m_journals, dialogs, rows, &ran));
    QString record;
    const std::vector<RenamedFolder> renamed = LoadLastFinishedRun(m_journals, u'/', {}, &record);
    QCOMPARE(static_cast<int>(renamed.size()), kFolders);
    QCOMPARE(record, ran.record());
    QCOMPARE(QDir(m_journals).entryList(QDir::Files), QStringList{ran.record()});
    QVERIFY(dialogs.messages.isEmpty());
}

void TestJournal::undoKeepsAnotherCopysRecord_data() {
    QTest::addColumn<bool>("restarted");
    QTest::newRow("undo in the session of the run") << false;
    QTest::newRow("undo after a restart") << true;
}

// Another copy of the program finished a run of its own while this one's run could still be
// undone: the undo retires its own run's record and leaves the other's, which that copy (or the
// next start) may still undo.
void TestJournal::undoKeepsAnotherCopysRecord() {
    QFETCH(bool, restarted);
    constexpr int kFolders = kFoldersPerParent;
    QVERIFY(MakeKillTree(m_root, kFolders));
    FakeUserDialogs dialogs;
    RowVector rows;
    LastRun ran;
    QVERIFY(RunRecorded(m_root, m_journals, dialogs, rows, &ran));
    WaitForJournals();
    const QStringList own = QDir(m_journals).entryList({"*.done"}, QDir::Files);
    QCOMPARE(own, QStringList{ran.record()});
    // The other copy's record, older by its name, so that the newest is still this run's.
    const QString other = QStringLiteral("run-00000000000001-1-1.done");
    QVERIFY(QFile::copy(m_journals + u'/' + own[0], m_journals + u'/' + other));
    LastRun none;
    const RunSurroundings undo{
        rows, HostFileSystem(), dialogs, "Tarnwick", {}, restarted ? none : ran, {}, {},
        {},   m_journals};
    const UndoResult undone = UndoLastRecordedRun(undo, {});
    QVERIFY(undone.tally);
    QCOMPARE(undone.tally->renamed, kFolders);
    QCOMPARE(RawTree(m_root), KillTree(kFolders, false));
    WaitForJournals();
    QCOMPARE(QDir(m_journals).entryList(QDir::Files), QStringList{other});
}

// An undo stopped part way leaves the folders not reached as the last run on disk, and only them.
void TestJournal::undoStoppedGoesOnAfterRestart() {
    constexpr int kFolders = kFoldersPerParent;
    QVERIFY(MakeKillTree(m_root, kFolders));
    FakeUserDialogs dialogs;
    RowVector rows;
    QVERIFY(RunRecorded(m_root, m_journals, dialogs, rows));
    int asked = 0;
    LastRun first, second;
    const UndoResult stopped = UndoLastRecordedRun({rows,
                                                    HostFileSystem(),
                                                    dialogs,
                                                    "Tarnwick",
                                                    {},
                                                    first,
                                                    {},
                                                    [&] { return ++asked > 3; },
                                                    {},
                                                    m_journals},
                                                   {});
    QVERIFY(stopped.tally && stopped.tally->stopped && stopped.tally->renamed == 3);
    const UndoResult rest = UndoLastRecordedRun(
        {rows, HostFileSystem(), dialogs, "Tarnwick", {}, second, {}, {}, {}, m_journals}, {});
    QVERIFY(rest.tally);
    QCOMPARE(rest.tally->renamed, kFolders - 3);
    QCOMPARE(rest.tally->notRenamed, 0);
    QCOMPARE(RawTree(m_root), KillTree(kFolders, false));
    QVERIFY(dialogs.messages.isEmpty());
    WaitForJournals();
    QVERIFY(QDir(m_journals).entryList(QDir::Files).isEmpty());
}

void TestJournal::runThatCannotBeRecorded_data() {
    QTest::addColumn<bool>("fullDisk");
    QTest::addColumn<MessageAnswer>("answer");
    QTest::newRow("read-only state folder, stop") << false << MessageAnswer::No;
    QTest::newRow("read-only state folder, rename anyway") << false << MessageAnswer::Yes;
    QTest::newRow("full disk, stop") << true << MessageAnswer::No;
    QTest::newRow("full disk, rename anyway") << true << MessageAnswer::Yes;
}

// Asked once, with the reason; "No" renames nothing and keeps every row's new path for the next
// run, "Yes" renames as without a journal.
void TestJournal::runThatCannotBeRecorded() {
    QFETCH(bool, fullDisk);
    QFETCH(MessageAnswer, answer);
    if (::geteuid() != 0)
        QSKIP("needs root to give up its rights in a child and to mount a small disk");
    constexpr int kFolders = 300;
    QVERIFY(MakeKillTree(m_root, kFolders));
    const QString state = m_temp->filePath("state");
    QVERIFY(QDir().mkpath(state));
    QString why;
    const std::optional<QByteArray> told = RunInChild(
        [&] {
            QString failed;
            if (!fullDisk) {
                // The state folder is root's, the user nobody, whose tree this is.
                ::chmod(QFile::encodeName(state).constData(), 0555);
                ::chown(QFile::encodeName(m_temp->path()).constData(), kNobody, kNobody);
                ::chmod(QFile::encodeName(m_temp->path()).constData(), 0755);
                for (const QByteArray& entry : RawTree(m_root))
                    ::chown(QFile::encodeName(m_root) + entry, kNobody, kNobody);
                ::chown(QFile::encodeName(m_root).constData(), kNobody, kNobody);
                failed = DropRootRights();
            } else if (::unshare(CLONE_NEWNS) != 0 ||
                       ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
                       ::mount("tmpfs", QFile::encodeName(state).constData(), "tmpfs", 0,
                               "size=8k") != 0) {
                failed = QStringLiteral("cannot mount a small disk");
            } else {
                // Filled up, as a full home is.
                QFile filler(state + "/filler");
                filler.open(QIODevice::WriteOnly);
                while (filler.write(QByteArray(4096, 'x')) > 0 && filler.flush()) {
                }
            }
            if (!failed.isEmpty())
                return "SKIP " + failed.toLocal8Bit();
            FakeUserDialogs dialogs;
            dialogs.answers << answer;
            RowVector rows;
            RunRecorded(m_root, m_journals, dialogs, rows);
            QByteArray report;
            for (const FakeUserDialogs::Message& message : dialogs.messages)
                report += message.text.toLocal8Bit() + '\n';
            return report + QByteArray::number(rows.rows().back().newPath.isEmpty());
        },
        &why);
    QVERIFY2(told, qPrintable(why));
    if (told->startsWith("SKIP "))
        QSKIP(told->constData());
    const QByteArray reason = fullDisk ? "No space left on device" : "Permission denied";
    const QByteArray question = "The run cannot be recorded: " + reason + " (" +
                                QFile::encodeName(m_journals) +
                                "). Rename anyway without a way to undo it after closing?\n";
    QCOMPARE(*told, question + (answer == MessageAnswer::Yes ? "1" : "0"));
    QCOMPARE(RawTree(m_root), KillTree(kFolders, answer == MessageAnswer::Yes));
}

QTEST_GUILESS_MAIN(TestJournal)
#include "tst_journal.moc"
