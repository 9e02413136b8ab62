#include "../support/diskrun.h"
#include "../support/disktree.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

using namespace tarnwick;
using namespace tarnwick::test;

namespace {

struct Ran {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// The child's world as on a server: no display of any kind, its own state folder.
QProcessEnvironment Headless(const QString& stateHome) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("XDG_STATE_HOME"), stateHome);
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    environment.insert(QStringLiteral("TARNWICK"), QStringLiteral(TARNWICK_PROGRAM));
    return environment;
}

// Runs the program (or, with a shell line, sh with $TARNWICK as the program) in folder.
Ran Run(const QString& folder, const QStringList& arguments, const QString& shellLine = {}) {
    QProcess process;
    process.setWorkingDirectory(folder);
    process.setProcessEnvironment(Headless(folder + QStringLiteral("/.state")));
    if (shellLine.isEmpty())
        process.start(QStringLiteral(TARNWICK_PROGRAM), arguments);
    else
        process.start(QStringLiteral("/bin/bash"), {QStringLiteral("-c"), shellLine});
    process.closeWriteChannel();
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

// The (path, newPath) pairs of the JSON lines with this status.
QStringList Pairs(const QByteArray& lines, const QString& status) {
    QStringList pairs;
    for (const QByteArray& line : lines.split('\n')) {
        if (line.isEmpty())
            continue;
        const QJsonObject object = QJsonDocument::fromJson(line).object();
        if (object.isEmpty())
            return {QStringLiteral("not a JSON object: ") + QString::fromUtf8(line)};
        if (object.value(QStringLiteral("status")).toString() == status)
            pairs << object.value(QStringLiteral("path")).toString() + QStringLiteral(" > ") +
                         object.value(QStringLiteral("newPath")).toString();
    }
    return pairs;
}

const QStringList kNested = {
    QStringLiteral("/Music/old songs/live 1999/disc a"),
    QStringLiteral("/Music/old songs/Demos"),
    QStringLiteral("/Music/JAZZ/blue note/.cache"),
    QStringLiteral("/Music/jazz2"),
    QStringLiteral("/Photos/ÉTÉ 2020/raw"),
    QStringLiteral("/Photos/ÉTÉ 2020/edited"),
};

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void dryRunPrintsWhatApplyDoes_data();
    void dryRunPrintsWhatApplyDoes();
    void applyRenamesAsTheRunDoes();
    void badInput_data();
    void badInput();
    void manyFolderArguments();
    void loadsNoDisplayLibrary();
};

void TestCommandLine::dryRunPrintsWhatApplyDoes_data() {
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("expectedExit");

    const QStringList none;
    QTest::newRow("nested upper") << kNested << none << QStringList{"--case", "upper"} << 0;
    QTest::newRow("nested proper, one level")
        << kNested << none << QStringList{"--case", "proper", "--no-subfolders"} << 0;
    QTest::newRow("sentence") << kNested << none << QStringList{"--case", "sentence"} << 0;
    QTest::newRow("listed twins collide")
        << QStringList{"/p/abc", "/p/ABC", "/p/y"} << none << QStringList{"--case", "lower"} << 1;
    QTest::newRow("a file bears the new name")
        << QStringList{"/p/x/inner"} << QStringList{"/p/X"} << QStringList{"--case", "upper"} << 1;
    QTest::newRow("nothing to change")
        << QStringList{"/P/A/B"} << none << QStringList{"--case", "upper"} << 0;
}

// The dry run renames nothing and names exactly the renames --apply then makes; --apply leaves
// the tree as those lines said.
void TestCommandLine::dryRunPrintsWhatApplyDoes() {
    QFETCH(QStringList, folders);
    QFETCH(QStringList, files);
    QFETCH(QStringList, options);
    QFETCH(int, expectedExit);
    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    const QString root = scratch.path() + QStringLiteral("/tree");
    makeFolders(root, folders);
    for (const QString& file : files)
        makeFile(root + file);
    const QStringList before = foldersBelow(root);
    const QString top = root + u'/' + folders.first().section(u'/', 1, 1);

    const Ran dry = Run(scratch.path(), options + QStringList{"--json", top});
    QCOMPARE(dry.exitCode, expectedExit);
    QCOMPARE(foldersBelow(root), before);
    const QStringList promised = Pairs(dry.out, QStringLiteral("rename"));
    QCOMPARE(dry.out.count('\n'), dry.out.split('\n').size() - 1);

    const Ran applied = Run(scratch.path(), options + QStringList{"--json", "--apply", top});
    QCOMPARE(applied.exitCode, expectedExit);
    QCOMPARE(Pairs(applied.out, QStringLiteral("renamed")), promised);
    QCOMPARE(Pairs(dry.out, QStringLiteral("refused")).size(),
             Pairs(applied.out, QStringLiteral("not-renamed")).size());
    // Each name the lines promised is on disk (below parents renamed after it), and a second dry
    // run finds nothing more to do.
    QSet<QString> names;
    for (const QString& path : foldersBelow(root))
        names.insert(path.section(u'/', -1));
    for (const QString& pair : promised)
        QVERIFY2(names.contains(pair.section(u'/', -1)), qPrintable(pair));
    const Ran again = Run(scratch.path(), options + QStringList{"--json", top});
    QCOMPARE(Pairs(again.out, QStringLiteral("rename")), QStringList());
    QVERIFY2(applied.err.isEmpty() || expectedExit == 1, applied.err.constData());
}

// The same tree renamed by the command and by the run in this process ends with the same names.
void TestCommandLine::applyRenamesAsTheRunDoes() {
    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    const QString byCommand = scratch.path() + QStringLiteral("/a");
    const QString byRun = scratch.path() + QStringLiteral("/b");
    for (const QString& root : {byCommand, byRun}) {
        makeFolders(root, kNested);
        makeFolders(root, {QStringLiteral("/Music/abc"), QStringLiteral("/Music/ABC/x y")});
    }
    const Ran ran = Run(scratch.path(), {"--case", "proper", "--apply", byCommand + "/Music",
                                         byCommand + "/Photos"});
    QCOMPARE(ran.exitCode, 1);

    QVERIFY(RenameOnDisk({byRun + QStringLiteral("/Music"), byRun + QStringLiteral("/Photos")},
                         Operation::ProperCase));
    QCOMPARE(foldersBelow(byCommand), foldersBelow(byRun));
    QVERIFY(foldersBelow(byCommand).contains(QStringLiteral("/Music/Old Songs/Live 1999/Disc A")));

    // Another process takes the run back from its record; a dry undo first changes nothing.
    const QStringList renamed = foldersBelow(byCommand);
    const Ran dryUndo = Run(scratch.path(), {"--undo"});
    QCOMPARE(dryUndo.exitCode, 0);
    QCOMPARE(foldersBelow(byCommand), renamed);
    const Ran undone = Run(scratch.path(), {"--undo", "--apply"});
    QCOMPARE(undone.exitCode, 0);
    makeFolders(byRun + QStringLiteral("-before"), kNested);
    makeFolders(byRun + QStringLiteral("-before"),
                {QStringLiteral("/Music/abc"), QStringLiteral("/Music/ABC/x y")});
    QCOMPARE(foldersBelow(byCommand), foldersBelow(byRun + QStringLiteral("-before")));
    // The run taken back is retired: a third process finds nothing left to undo.
    const Ran again = Run(scratch.path(), {"--undo", "--apply"});
    QCOMPARE(again.exitCode, 1);
    QCOMPARE(again.err, QByteArray("tarnwick: no recorded run to undo\n"));
}

void TestCommandLine::badInput_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("shellLine");
    QTest::addColumn<int>("expectedExit");
    QTest::addColumn<QString>("expectedError");

    const QString none;
    QTest::newRow("unknown option") << QStringList{"--case", "upper", "--frob", "t"} << none << 2
                                    << "tarnwick: unknown option '--frob' (see tarnwick --help)";
    QTest::newRow("no operation") << QStringList{"--apply", "t"} << none << 2
                                  << "tarnwick: no operation: give --case upper, lower, proper "
                                     "or sentence, or --undo (see tarnwick --help)";
    QTest::newRow("unknown operation") << QStringList{"--case", "title", "t"} << none << 2
                                       << "tarnwick: unknown operation 'title': use upper, "
                                          "lower, proper or sentence (see tarnwick --help)";
    QTest::newRow("no folder") << QStringList{"--case", "upper"} << none << 2
                               << "tarnwick: no FOLDER given (see tarnwick --help)";
    QTest::newRow("a file") << QStringList{"--case", "upper", "--apply", "t/file", "t"} << none << 2
                            << "tarnwick: t/file: not a folder";
    QTest::newRow("missing") << QStringList{"--case", "upper", "--apply", "t", "t/gone"} << none
                             << 2 << "tarnwick: t/gone: no such file or folder";
    QTest::newRow("not in the system's encoding")
        << QStringList() << "\"$TARNWICK\" --case upper --apply t \"$(printf 't/\\377')\"" << 2
        << "tarnwick: t/\xef\xbf\xbd: not valid in the system's encoding: t/\\xff";
    QTest::newRow("empty record") << QStringList()
                                  << "printf 't\\0\\0t\\0' | \"$TARNWICK\" --case upper --apply -"
                                  << 2 << "tarnwick: empty record 2 in standard input";
    QTest::newRow("invalid bytes in a record")
        << QStringList() << "printf 't\\0\\376\\0' | \"$TARNWICK\" --case upper --apply -" << 2
        << "tarnwick: record 2 of standard input: \xef\xbf\xbd: not valid in the system's "
           "encoding: \\xfe";
    QTest::newRow("lines, not records")
        << QStringList() << "printf 't\\nt/sub\\n' | \"$TARNWICK\" --case upper --apply -" << 2
        << "tarnwick: standard input holds no NUL: give the paths NUL-separated (find -print0)";
    QTest::newRow("no input") << QStringList() << "\"$TARNWICK\" --case upper --apply - </dev/null"
                              << 2 << "tarnwick: no folder read from standard input";
    QTest::newRow("dash among folders") << QStringList{"--case", "upper", "t", "-"} << none << 2
                                        << "tarnwick: '-' reads the folders from standard input "
                                           "and must be the only FOLDER (see tarnwick --help)";
    QTest::newRow("closed standard output")
        << QStringList()
        << "\"$TARNWICK\" --case upper t | head -c 1 >/dev/null; "
           "exit ${PIPESTATUS[0]}"
        << 141 << QString();
    // Run as nobody: root may write anywhere.
    QTest::newRow("read-only tree")
        << QStringList()
        << "chmod 755 . && mkdir -m 777 .state && chmod -R a-w t && setpriv --reuid=65534 "
           "--regid=65534 --clear-groups \"$TARNWICK\" --case upper --apply --no-subfolders t/sub0 "
           "t/sub1"
        << 1
        << "tarnwick: Permission denied: {dir}/t/sub0\ntarnwick: Permission denied: {dir}/t/sub1";
    // The user's state folder cannot be written: the run is not made without its record.
    QTest::newRow("read-only state folder")
        << QStringList()
        << "chmod 755 . && setpriv --reuid=65534 --regid=65534 --clear-groups \"$TARNWICK\" "
           "--case upper --apply --no-subfolders t/sub0 > /dev/null"
        << 1
        << "tarnwick: The run cannot be recorded: Permission denied ({dir}/.state/tarnwick). "
           "Rename anyway without a way to undo it after closing?";
    QTest::newRow("nothing recorded to undo")
        << QStringList{"--undo", "--apply"} << none << 1 << "tarnwick: no recorded run to undo";
    QTest::newRow("recover how, not said")
        << QStringList{"--recover=soon"} << none << 2
        << "tarnwick: --recover needs how to settle the interrupted run: finish or take-back (see "
           "tarnwick --help)";
    QTest::newRow("recover with a folder") << QStringList{"--recover", "finish", "t"} << none << 2
                                           << "tarnwick: no operation: give --case upper, lower, "
                                              "proper or sentence, or --undo (see tarnwick --help)";
}

// Each bad input is told in one line on standard error, with its exit status, and renames nothing.
void TestCommandLine::badInput() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, shellLine);
    QFETCH(int, expectedExit);
    QFETCH(QString, expectedError);
    if (QByteArray(QTest::currentDataTag()).startsWith("read-only") && geteuid() != 0)
        QSKIP("needs to run as root to run the command as another user");
    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    expectedError.replace(QStringLiteral("{dir}"), scratch.path());
    // With a reader that stops at once, enough folders that the plan outgrows the pipe.
    const int folders = QByteArray(QTest::currentDataTag()).startsWith("closed") ? 2000 : 3;
    for (int i = 0; i < folders; ++i)
        makeFolder(scratch.path() + QStringLiteral("/t/sub%1").arg(i));
    makeFile(scratch.path() + QStringLiteral("/t/file"));
    const QStringList before = foldersBelow(scratch.path() + QStringLiteral("/t"));

    const Ran ran = Run(scratch.path(), arguments, shellLine);
    QCOMPARE(ran.exitCode, expectedExit);
    QCOMPARE(QString::fromUtf8(ran.err),
             expectedError.isEmpty() ? QString() : expectedError + u'\n');
    QCOMPARE(foldersBelow(scratch.path() + QStringLiteral("/t")), before);
}

// Ten thousand FOLDERs on one command line are each checked: every one that is not a folder is
// told in a line of its own, and then nothing is renamed; the others alone make the plan.
void TestCommandLine::manyFolderArguments() {
    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    QStringList folders;
    for (int i = 0; i < 10000; ++i) {
        const QString name = QStringLiteral("f%1").arg(i);
        if (i % 20 == 0)
            makeFolder(scratch.path() + u'/' + name);
        folders << name;
    }
    const QStringList options{"--case", "upper", "--no-subfolders", "--apply"};
    const Ran refused = Run(scratch.path(), options + folders);
    QCOMPARE(refused.exitCode, 2);
    QCOMPARE(refused.err.count('\n'), 9500);
    QVERIFY(refused.err.startsWith("tarnwick: f1: no such file or folder\n"));
    QVERIFY(QFileInfo(scratch.path() + QStringLiteral("/f0")).isDir());

    const Ran each = Run(scratch.path(), options.mid(0, 3) + QStringList{"f0", "f20", "f9980"});
    QCOMPARE(each.exitCode, 0);
    QVERIFY(each.out.endsWith("3 to rename, 0 unchanged, 0 refused; nothing renamed (add "
                              "--apply to rename)\n"));
}

// The command's process never loads a library of a display: it runs over SSH and in a container.
void TestCommandLine::loadsNoDisplayLibrary() {
    QProcess ldd;
    ldd.start(QStringLiteral("ldd"), {QStringLiteral(TARNWICK_PROGRAM)});
    QVERIFY(ldd.waitForFinished());
    const QString loaded = QString::fromLocal8Bit(ldd.readAllStandardOutput());
    QVERIFY2(loaded.contains(QStringLiteral("libQt6Core")), qPrintable(loaded));
    for (const char* display : {"libQt6Gui", "libQt6Widgets", "libX11", "libxcb", "libwayland",
                                "libEGL", "libGLX", "libOpenGL"})
        QVERIFY2(!loaded.contains(QString::fromLatin1(display)), display);
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_cli.moc"
