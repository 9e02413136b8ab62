#include "app/commandline.h"
#include "platform/filesystem.h"
#include "tests/support/fakedialogs.h"
#include "tests/support/fakefilesystem.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tarnwick;

Q_DECLARE_METATYPE(std::optional<int>)
Q_DECLARE_METATYPE(std::optional<SkipReason>)

namespace {

// "@" in a table stands for the test's temporary folder.
QStringList InFolder(QStringList texts, const QString& folder) {
    for (QString& text : texts)
        text.replace(u'@', folder);
    return texts;
}

const QString kBoxHead =
    QStringLiteral("%1 of the paths Tarnwick was started with could not be added:\n");

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void foldersAndSkippedPaths_data();
    void foldersAndSkippedPaths();
    void skipReasons_data();
    void skipReasons();
    void longListsOfSkippedPathsAreCut();
    void printsAndEnds_data();
    void printsAndEnds();
    void asksOnlyForText_data();
    void asksOnlyForText();
};

void TestCommandLine::foldersAndSkippedPaths_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QString>("errors");
    // The window's box, after its first line.
    QTest::addColumn<QString>("box");

    QTest::newRow("two folders, in the order given")
        << QStringList{"two", "@/one"} << QStringList{"@/two", "@/one"} << ""
        << "";
    QTest::newRow("as the browser answers: no dots, no trailing separator")
        << QStringList{"./one/", "two/../one/deep//"} << QStringList{"@/one", "@/one/deep"} << ""
        << "";
    QTest::newRow("the root") << QStringList{"/"} << QStringList{"/"} << ""
                              << "";
    QTest::newRow("a file is reported and skipped")
        << QStringList{"file.txt", "one"} << QStringList{"@/one"}
        << "tarnwick: not a folder, skipped: file.txt\n"
        << "\nfile.txt: not a folder";
    QTest::newRow("a missing path is reported and skipped")
        << QStringList{"one", "@/gone", "two"} << QStringList{"@/one", "@/two"}
        << "tarnwick: no such file or folder, skipped: @/gone\n"
        << "\n@/gone: no such file or folder";
    QTest::newRow("below a file, in the order given")
        << QStringList{"file.txt/inner", "file.txt"} << QStringList{}
        << "tarnwick: no such file or folder, skipped: file.txt/inner\n"
           "tarnwick: not a folder, skipped: file.txt\n"
        << "\nfile.txt/inner: no such file or folder\nfile.txt: not a folder";
    QTest::newRow("an empty argument is not the working folder")
        << QStringList{""} << QStringList{} << "tarnwick: no such file or folder, skipped: \n"
        << "\n: no such file or folder";
    QTest::newRow("a name that starts with a dash, after --")
        << QStringList{"--", "-dash"} << QStringList{"@/-dash"} << ""
        << "";
}

void TestCommandLine::foldersAndSkippedPaths() {
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, folders);
    QFETCH(QString, errors);
    QFETCH(QString, box);
    QTemporaryDir work;
    QDir root(work.path());
    QVERIFY(root.mkpath(QStringLiteral("one/deep")) && root.mkpath(QStringLiteral("two")) &&
            root.mkpath(QStringLiteral("-dash")));
    QFile file(root.filePath(QStringLiteral("file.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();

    const CommandLine line = ParseCommandLine(
        QStringList{"tarnwick"} + InFolder(arguments, work.path()), HostFileSystem(), work.path());
    QCOMPARE(line.exitCode, std::nullopt);
    QCOMPARE(line.folders, InFolder(folders, work.path()));
    QCOMPARE(line.standardError, errors.replace(u'@', work.path()));
    QCOMPARE(line.standardOutput, QString());

    test::FakeUserDialogs dialogs;
    TellSkippedPaths(dialogs, QStringLiteral("Tarnwick"), line.skipped);
    if (box.isEmpty()) {
        QCOMPARE(dialogs.messages.size(), 0);
        return;
    }
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.messages[0].text,
             kBoxHead.arg(line.skipped.size()) + box.replace(u'@', work.path()));
    QCOMPARE(dialogs.messages[0].title, QStringLiteral("Tarnwick"));
    QCOMPARE(dialogs.messages[0].icon, MessageIcon::Warning);
}

// Faults a folder of root's cannot show: a folder closed to the user.
void TestCommandLine::skipReasons_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<std::optional<SkipReason>>("reason");
    QTest::newRow("a folder") << "/open/folder" << std::optional<SkipReason>();
    QTest::newRow("a file") << "/open/file" << std::optional(SkipReason::NotAFolder);
    QTest::newRow("nothing there") << "/open/gone" << std::optional(SkipReason::Missing);
    QTest::newRow("below a missing folder") << "/gone/inner" << std::optional(SkipReason::Missing);
    QTest::newRow("inside a folder closed to the user")
        << "/closed/inner" << std::optional(SkipReason::Unreadable);
}

void TestCommandLine::skipReasons() {
    QFETCH(QString, path);
    QFETCH(std::optional<SkipReason>, reason);
    test::FakeFileSystem fileSystem;
    fileSystem.addFolder(QStringLiteral("/open/folder"));
    fileSystem.addFile(QStringLiteral("/open/file"));
    fileSystem.addFolder(QStringLiteral("/closed"));
    fileSystem.denyAccess(QStringLiteral("/closed"));
    const CommandLine line =
        ParseCommandLine(QStringList{"tarnwick", path}, fileSystem, QStringLiteral("/"));
    QCOMPARE(line.skipped.isEmpty(), !reason);
    QCOMPARE(line.folders.isEmpty(), bool(reason));
    if (reason)
        QCOMPARE(line.skipped, (QList<SkippedPath>{{path, *reason}}));
}

void TestCommandLine::longListsOfSkippedPathsAreCut() {
    QList<SkippedPath> skipped;
    for (int i = 1; i <= 23; ++i)
        skipped.append({QStringLiteral("/gone/%1").arg(i), SkipReason::Missing});
    test::FakeUserDialogs dialogs;
    TellSkippedPaths(dialogs, QStringLiteral("Tarnwick"), skipped);
    QCOMPARE(dialogs.messages.size(), 1);
    const QStringList lines = dialogs.messages[0].text.split(u'\n');
    QCOMPARE(lines.first(), kBoxHead.arg(23).chopped(1));
    QCOMPARE(lines[21], QStringLiteral("/gone/20: no such file or folder"));
    QCOMPARE(lines.last(), QStringLiteral("and 3 more."));
    QCOMPARE(lines.size(), 23);
}

void TestCommandLine::printsAndEnds_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("errors");

    const QString version = QStringLiteral("tarnwick " TARNWICK_VERSION "\n");
    QTest::newRow("version") << QStringList{"--version"} << 0 << version << "";
    QTest::newRow("help") << QStringList{"--help"} << 0 << "[FOLDER...]"
                          << "";
    QTest::newRow("an unknown option ends with a hint")
        << QStringList{"--frobnicate", "/"} << 1 << ""
        << "tarnwick: Unknown option 'frobnicate'.\nTry 'tarnwick --help' for more information.\n";
}

// Help is checked for what a reader looks for in it; its wording is the parser's.
void TestCommandLine::printsAndEnds() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    QFETCH(QString, errors);
    const CommandLine line =
        ParseCommandLine(QStringList{"tarnwick"} + arguments, HostFileSystem(), QDir::rootPath());
    QCOMPARE(line.exitCode, std::optional<int>(exitCode));
    if (output.endsWith(u'\n'))
        QCOMPARE(line.standardOutput, output);
    else
        QVERIFY2(line.standardOutput.contains(output), qPrintable(line.standardOutput));
    QCOMPARE(line.standardError, errors);
    QCOMPARE(line.folders, QStringList{});
}

void TestCommandLine::asksOnlyForText_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("textOnly");
    QTest::newRow("folders") << QStringList{"/tmp", "/srv"} << false;
    QTest::newRow("help after a folder") << QStringList{"/tmp", "--help"} << true;
    QTest::newRow("after --, a folder named --help") << QStringList{"--", "--help"} << false;
    QTest::newRow("the program's own name is no option") << QStringList{} << false;
}

void TestCommandLine::asksOnlyForText() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, textOnly);
    // A program started under an odd name: the first argument is never read as an option.
    QCOMPARE(AsksOnlyForText(QStringList{"--help"} + arguments), textOnly);
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
