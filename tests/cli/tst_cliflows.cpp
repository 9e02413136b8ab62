#include "../support/diskrun.h"
#include "../support/disktree.h"
#include "../support/fakefilesystem.h"
#include "../support/unfinishedjournal.h"

#include "cli/arguments.h"
#include "cli/casecommand.h"
#include "cli/commandservices.h"
#include "cli/output.h"
#include "cli/recoverycommand.h"
#include "cli/terminal.h"
#include "cli/undocommand.h"
#include "platform/filesystem.h"
#include "rename/journal.h"

#include <QDir>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

using namespace tarnwick;
using namespace tarnwick::cli;
using tarnwick::test::FakeFileSystem;
using Mode = FakeFileSystem::Mode;

namespace {

struct Outcome {
    int exitCode = -1;
    // "path>newPath" of the lines whose status is among those asked for.
    QStringList pairs;
    // How many lines of each status.
    QHash<QString, int> counts;
};

// Runs a command with --json output into a file, and reads its lines back.
Outcome Capture(const std::function<int(Output&, ProgressLine&)>& command,
                const QStringList& paired) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    Output output(true, out, err);
    ProgressLine progress(err);
    Outcome outcome{command(output, progress), {}, {}};
    std::fflush(out);
    std::rewind(out);
    char line[4096];
    while (std::fgets(line, sizeof line, out)) {
        const QJsonObject object = QJsonDocument::fromJson(line).object();
        const QString status = object.value(QStringLiteral("status")).toString();
        ++outcome.counts[status];
        if (paired.contains(status))
            outcome.pairs << object.value(QStringLiteral("path")).toString() + u'>' +
                                 object.value(QStringLiteral("newPath")).toString();
    }
    std::fclose(out);
    std::fclose(err);
    return outcome;
}

Outcome RunOn(FakeFileSystem& fileSystem, const QList<QByteArray>& folders, bool subfolders,
              bool apply) {
    Request request;
    request.operation = Operation::UpperCase;
    request.subfolders = subfolders;
    request.apply = apply;
    request.json = true;
    request.folders = folders;
    CommandServices services{fileSystem, QStringLiteral("/"), {}, {}, {}, [] { return false; }, {}};
    return Capture(
        [&](Output& output, ProgressLine& progress) {
            return RunCase(request, services, output, progress);
        },
        {QStringLiteral("rename"), QStringLiteral("renamed")});
}

int Refused(const Outcome& outcome) {
    return outcome.counts.value(QStringLiteral("refused")) +
           outcome.counts.value(QStringLiteral("not-renamed"));
}

} // namespace

// The dry run goes through the run itself against the disk as its renames would leave it: on
// disks that tell case apart and on those that ignore it (every rename through the intermediate
// name), it names exactly the renames and refusals --apply then meets, and renames nothing.
class TestCommandFlows : public QObject {
    Q_OBJECT
private slots:
    void dryRunAgreesWithTheRun_data();
    void dryRunAgreesWithTheRun();
    void interruptedRunSettled_data();
    void interruptedRunSettled();
    void undoGivesNamesBack_data();
    void undoGivesNamesBack();
};

void TestCommandFlows::dryRunAgreesWithTheRun_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QList<QByteArray>>("chosen");
    QTest::addColumn<bool>("subfolders");
    QTest::addColumn<int>("renamed");

    const QStringList nested{"/m/a/b", "/m/a/c", "/m/d"};
    for (const Mode mode : {Mode::CaseSensitive, Mode::CaseInsensitive}) {
        const char* on = mode == Mode::CaseSensitive ? "tells case apart" : "ignores case";
        const int m = static_cast<int>(mode);
        QTest::addRow("nested, %s", on)
            << m << nested << QStringList() << QList<QByteArray>{"/m"} << true << 5;
        QTest::addRow("a parent listed before its child, %s", on)
            << m << nested << QStringList() << QList<QByteArray>{"/m", "/m/a"} << false << 2;
        // How many rows of a folder listed twice count as renamed is the run's marking; the dry
        // run need only agree with it.
        QTest::addRow("listed twice, %s", on)
            << m << nested << QStringList() << QList<QByteArray>{"/m/a", "/m"} << true << -1;
        QTest::addRow("a file bears the new name, %s", on)
            << m << QStringList{"/m/x/y"} << QStringList{"/m/X"} << QList<QByteArray>{"/m"} << true
            << (mode == Mode::CaseSensitive ? 2 : 3);
    }
}

void TestCommandFlows::dryRunAgreesWithTheRun() {
    QFETCH(int, mode);
    QFETCH(QStringList, folders);
    QFETCH(QStringList, files);
    QFETCH(QList<QByteArray>, chosen);
    QFETCH(bool, subfolders);
    QFETCH(int, renamed);
    FakeFileSystem fileSystem{static_cast<Mode>(mode)};
    fileSystem.setTellsCaseApart(true);
    for (const QString& folder : folders)
        fileSystem.addFolder(folder);
    for (const QString& file : files)
        fileSystem.addFile(file);
    const QStringList before = fileSystem.tree();

    const Outcome dry = RunOn(fileSystem, chosen, subfolders, false);
    QCOMPARE(fileSystem.tree(), before);
    QCOMPARE(fileSystem.renameCount(), 0);
    const Outcome applied = RunOn(fileSystem, chosen, subfolders, true);
    QCOMPARE(applied.pairs, dry.pairs);
    QCOMPARE(Refused(applied), Refused(dry));
    QCOMPARE(applied.exitCode, dry.exitCode);
    if (renamed >= 0)
        QCOMPARE(applied.pairs.size(), renamed);
}

void TestCommandFlows::undoGivesNamesBack_data() {
    QTest::addColumn<bool>("replaceOne");
    QTest::addColumn<int>("stopAfter");
    QTest::addColumn<int>("expectedExit");
    QTest::newRow("the tree as the run left it") << false << -1 << 0;
    QTest::newRow("another folder under a renamed one's name") << true << -1 << 1;
    QTest::newRow("Ctrl+C after the first folder") << false << 1 << 130;
}

// The undo over a recorded run: without --apply it names every folder and renames nothing; with
// it, every folder the run renamed gets its name back, and a folder put in the place of one
// since is left alone and named.
void TestCommandFlows::undoGivesNamesBack() {
    QFETCH(bool, replaceOne);
    QFETCH(int, stopAfter);
    QFETCH(int, expectedExit);
    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    const QString root = scratch.path();
    test::makeFolders(root, {QStringLiteral("/m/a/b"), QStringLiteral("/m/c")});
    const QStringList before = test::foldersBelow(root);
    const std::optional<std::vector<RenamedFolder>> run =
        test::RenameOnDisk({root + QStringLiteral("/m")}, Operation::UpperCase);
    QVERIFY(run);
    const std::vector<RenamedFolder> recorded = *run;
    QCOMPARE(recorded.size(), std::size_t(4));
    if (replaceOne) {
        QVERIFY(QDir().rename(root + QStringLiteral("/M/C"), root + QStringLiteral("/gone")));
        test::makeFolder(root + QStringLiteral("/M/C"));
    }
    const QStringList afterRun = test::foldersBelow(root);
    Request request;
    request.kind = Request::Kind::Undo;
    request.json = true;
    CommandServices services{
        HostFileSystem(), root, {}, {}, [&] { return RecordedRun{recorded, {}}; }, {}, {}};
    int asked = 0;
    services.stopRequested = [&] {
        return request.apply && stopAfter >= 0 && asked++ >= stopAfter;
    };
    const auto undo = [&](Output& output, ProgressLine& progress) {
        return RunUndo(request, services, output, progress);
    };

    const Outcome dry = Capture(undo, {});
    QCOMPARE(dry.exitCode, 0);
    QCOMPARE(dry.counts.value(QStringLiteral("give-back")), 4);
    QCOMPARE(test::foldersBelow(root), afterRun);
    request.apply = true;
    const Outcome applied = Capture(undo, {QStringLiteral("not-given-back")});
    QCOMPARE(applied.exitCode, expectedExit);
    if (stopAfter >= 0) {
        // The run's last folder, the top one, has its name back; the others wait for the next.
        QVERIFY(QFileInfo(root + QStringLiteral("/m/A/B")).isDir());
        QVERIFY(QFileInfo(root + QStringLiteral("/m/C")).isDir());
    } else if (replaceOne) {
        // Named where it is now, below its parent given its name back.
        QCOMPARE(applied.pairs, QStringList{root + QStringLiteral("/m/C>")});
        QVERIFY(QFileInfo(root + QStringLiteral("/m/a/b")).isDir());
        QVERIFY(QFileInfo(root + QStringLiteral("/m/C")).isDir());
    } else {
        QCOMPARE(test::foldersBelow(root), before);
    }
}

void TestCommandFlows::interruptedRunSettled_data() {
    QTest::addColumn<int>("settle");
    // The lines typed at the terminal; none: no terminal.
    QTest::addColumn<std::optional<QStringList>>("typed");
    QTest::addColumn<QStringList>("tree");
    QTest::addColumn<QString>("told");
    const auto ask = static_cast<int>(Request::Settle::Ask);
    const QStringList untouched{"/A", "/C9999999", "/b"};
    QTest::newRow("terminal, finish") << ask << std::optional<QStringList>(QStringList{"f"})
                                      << QStringList{"/A", "/B", "/C"} << "";
    QTest::newRow("terminal, an answer not understood, then take back")
        << ask << std::optional<QStringList>(QStringList{"perhaps", "Take Back"})
        << QStringList{"/a", "/b", "/c"} << "";
    QTest::newRow("terminal, end of input: later")
        << ask << std::optional<QStringList>(QStringList{}) << untouched << "";
    QTest::newRow("script: told, never changed")
        << ask << std::optional<QStringList>() << untouched
        << "tarnwick: The last run was interrupted before it ended: 2 of its 3 folders do not "
           "bear their new names yet, 1 of them are under a temporary name. Nothing was changed; "
           "settle it with tarnwick --recover finish or tarnwick --recover take-back.\n";
    QTest::newRow("script, --recover take-back")
        << static_cast<int>(Request::Settle::TakeBack) << std::optional<QStringList>()
        << QStringList{"/a", "/b", "/c"} << "";
}

// An interrupted run at the start of a command: asked at a terminal until answered, settled as
// --recover says, and in a script told in one line and left as it is, with its record kept for
// the next start.
void TestCommandFlows::interruptedRunSettled() {
    QFETCH(int, settle);
    QFETCH(std::optional<QStringList>, typed);
    QFETCH(QStringList, tree);
    QFETCH(QString, told);
    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    const QString root = scratch.filePath(QStringLiteral("root"));
    const QString journals = scratch.filePath(QStringLiteral("state/tarnwick"));
    for (const char* name : {"/a", "/b", "/c"})
        test::makeFolder(root + QLatin1String(name));
    QVERIFY(!test::UnfinishedJournal(root + u'/', journals).isEmpty());
    QVERIFY(QDir(root).rename("a", "A") && QDir(root).rename("c", "C9999999"));
    CommandServices services{HostFileSystem(), root, {}, {}, {}, [] { return false; }, {}};
    services.journalFolder = journals;
    if (typed) {
        services.ask = [&typed](const QString&) -> std::optional<QString> {
            if (typed->isEmpty())
                return std::nullopt;
            return typed->takeFirst();
        };
    }
    Request request;
    // --recover alone settles and ends, with a summary as its answer.
    const bool alone = request.settle != Request::Settle::Ask;
    request.kind = alone ? Request::Kind::Recover : Request::Kind::Case;
    request.settle = static_cast<Request::Settle>(settle);
    std::FILE* err = std::tmpfile();
    std::FILE* out = std::tmpfile();
    Output output(false, out, err);
    QCOMPARE(SettleInterruptedRuns(request, services, output), 0);
    std::rewind(out);
    char summary[256] = {};
    std::fgets(summary, sizeof summary, out);
    std::fclose(out);
    QCOMPARE(QByteArray(summary),
             alone ? "Interrupted runs settled: 1; folders renamed: 2, left as they are: 0\n" : "");
    std::rewind(err);
    QByteArray said(4096, '\0');
    said.truncate(static_cast<qsizetype>(std::fread(said.data(), 1, said.size(), err)));
    std::fclose(err);
    QCOMPARE(test::foldersBelow(root), tree);
    if (!told.isEmpty())
        QCOMPARE(QString::fromUtf8(said), told);
    // Left for later: asked again at the next start.
    const bool left = tree.contains(QStringLiteral("/C9999999"));
    WaitForJournals();
    QCOMPARE(QDir(journals).entryList({QStringLiteral("*.open")}, QDir::Files).size(),
             left ? 1 : 0);
}

QTEST_GUILESS_MAIN(TestCommandFlows)
#include "tst_cliflows.moc"
