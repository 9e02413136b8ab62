#include "../support/fakefilesystem.h"

#include "cli/arguments.h"
#include "cli/casecommand.h"
#include "cli/commandservices.h"
#include "cli/output.h"
#include "cli/terminal.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <cstdio>

using namespace tarnwick;
using namespace tarnwick::cli;
using tarnwick::test::FakeFileSystem;
using Mode = FakeFileSystem::Mode;

namespace {

struct Outcome {
    int exitCode = -1;
    QStringList renames;
    int refused = 0;
};

// One command on the fake, its JSON lines read back.
Outcome RunOn(FakeFileSystem& fileSystem, const QList<QByteArray>& folders, bool subfolders,
              bool apply) {
    Request request;
    request.operation = Operation::UpperCase;
    request.subfolders = subfolders;
    request.apply = apply;
    request.json = true;
    request.folders = folders;
    CommandServices services{fileSystem, QStringLiteral("/"), {}, {}, {}, [] { return false; }, {}};
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    Output output(true, out, err);
    ProgressLine progress(err);
    Outcome outcome{RunCase(request, services, output, progress), {}, 0};
    std::fflush(out);
    std::rewind(out);
    char line[4096];
    while (std::fgets(line, sizeof line, out)) {
        const QJsonObject object = QJsonDocument::fromJson(line).object();
        const QString status = object.value(QStringLiteral("status")).toString();
        if (status == u"rename" || status == u"renamed")
            outcome.renames << object.value(QStringLiteral("path")).toString() + u'>' +
                                   object.value(QStringLiteral("newPath")).toString();
        outcome.refused += status == u"refused" || status == u"not-renamed";
    }
    std::fclose(out);
    std::fclose(err);
    return outcome;
}

} // namespace

// The dry run goes through the run itself against the disk as its renames would leave it: on
// disks that tell case apart and on those that ignore it (every rename through the intermediate
// name), it names exactly the renames and refusals --apply then meets, and renames nothing.
class TestDryRun : public QObject {
    Q_OBJECT
private slots:
    void dryRunAgreesWithTheRun_data();
    void dryRunAgreesWithTheRun();
};

void TestDryRun::dryRunAgreesWithTheRun_data() {
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

void TestDryRun::dryRunAgreesWithTheRun() {
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
    QCOMPARE(applied.renames, dry.renames);
    QCOMPARE(applied.refused, dry.refused);
    QCOMPARE(applied.exitCode, dry.exitCode);
    if (renamed >= 0)
        QCOMPARE(applied.renames.size(), renamed);
}

QTEST_GUILESS_MAIN(TestDryRun)
#include "tst_dryrun.moc"
