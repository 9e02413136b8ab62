#include "app/commandline.h"
#include "platform/filesystem.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tarnwick;

Q_DECLARE_METATYPE(std::optional<int>)

namespace {

// "@" in a table stands for the test's temporary folder.
QStringList InFolder(QStringList texts, const QString& folder) {
    for (QString& text : texts)
        text.replace(u'@', folder);
    return texts;
}

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void foldersAndSkippedPaths_data();
    void foldersAndSkippedPaths();
    void printsAndEnds_data();
    void printsAndEnds();
    void asksOnlyForText_data();
    void asksOnlyForText();
};

void TestCommandLine::foldersAndSkippedPaths_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QString>("errors");

    QTest::newRow("two folders, in the order given")
        << QStringList{"two", "@/one"} << QStringList{"@/two", "@/one"} << "";
    QTest::newRow("as the browser answers: no dots, no trailing separator")
        << QStringList{"./one/", "two/../one/deep//"} << QStringList{"@/one", "@/one/deep"} << "";
    QTest::newRow("the root") << QStringList{"/"} << QStringList{"/"} << "";
    QTest::newRow("a file is reported and skipped")
        << QStringList{"file.txt", "one"} << QStringList{"@/one"}
        << "tarnwick: not a folder, skipped: file.txt\n";
    QTest::newRow("a missing path is reported and skipped")
        << QStringList{"one", "@/gone", "two"} << QStringList{"@/one", "@/two"}
        << "tarnwick: not a folder, skipped: @/gone\n";
    QTest::newRow("an empty argument is not the working folder")
        << QStringList{""} << QStringList{} << "tarnwick: not a folder, skipped: \n";
    QTest::newRow("a name that starts with a dash, after --")
        << QStringList{"--", "-dash"} << QStringList{"@/-dash"} << "";
}

void TestCommandLine::foldersAndSkippedPaths() {
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, folders);
    QFETCH(QString, errors);
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
