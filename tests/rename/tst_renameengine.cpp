#include "rename/parententries.h"
#include "rename/renameengine.h"
#include "rename/renameplan.h"
#include "tests/support/reports.h"
#include "tests/support/trialfolders.h"

#include <QTest>

namespace tarnwick {

bool operator==(const RenameOutcome& a, const RenameOutcome& b) {
    return a.renamed() == b.renamed() && a.newPath == b.newPath;
}

// The outcome a test expects: renamed to newPath, or not renamed.
RenameOutcome Expected(bool renamed, const QString& newPath) {
    RenameOutcome outcome;
    outcome.happened = renamed ? RenameOutcome::Happened::Renamed : RenameOutcome::Happened::Failed;
    outcome.newPath = ListedPath(newPath);
    return outcome;
}

} // namespace tarnwick

namespace QTest {
template <> char* toString(const tarnwick::RenameOutcome& outcome) {
    return qstrdup((outcome.renamed() ? "renamed to " + outcome.newPath.toString()
                                      : QStringLiteral("not renamed"))
                       .toUtf8()
                       .constData());
}
} // namespace QTest

using namespace tarnwick;
using tarnwick::test::CutAtName;
using tarnwick::test::DiskTrialFolders;
using tarnwick::test::FakeFileSystem;
using tarnwick::test::FakeTrialFolders;
using tarnwick::test::Reports;
using tarnwick::test::TrialFolders;

namespace {

using Host = tarnwick::test::TrialHost;

// The part of the message that names where the failure happened.
QString Place(int line) {
    return QStringLiteral("\r\n") + QString::fromUtf16(kRenameFilesWildLabel) +
           QStringLiteral("at line %1\r\r").arg(line);
}

void CheckReports(const QStringList& messages, const QList<int>& lines, const QString& mentions) {
    QCOMPARE(messages.size(), lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QVERIFY2(messages[i].contains(Place(lines[i])), qPrintable(messages[i]));
        QVERIFY2(messages[i].contains(mentions), qPrintable(messages[i]));
    }
}

// A name ending in the intermediate suffix that was not there before the rename.
QStringList LeftUnderIntermediateNames(const QStringList& before, const QStringList& after) {
    QStringList left;
    for (const QString& entry : after) {
        if (entry.contains(QStringLiteral("9999999")) && !before.contains(entry))
            left << entry;
    }
    return left;
}

// A listed path relative to the trial root, or absolute when it begins with "/".
QString Listed(const TrialFolders& folders, const QString& text) {
    return text.startsWith(u'/') ? text : folders.path(text);
}

const QString k255(255, u'a');
const QString k255Upper(255, u'A');
const QString k256Upper(256, u'X');
// What "фото" becomes through the ANSI code page (and the key of "мама" too).
const QString kLossy(4, u'?');

} // namespace

class TestRenameEngine : public QObject {
    Q_OBJECT

private slots:
    void onCaseSensitiveFake_data() { addRenameRows(Host::CaseSensitiveFake); }
    void onCaseSensitiveFake() { runRenameRow(Host::CaseSensitiveFake); }
    void onCaseInsensitiveFake_data() { addRenameRows(Host::CaseInsensitiveFake); }
    void onCaseInsensitiveFake() { runRenameRow(Host::CaseInsensitiveFake); }
    void onDisk_data() { addRenameRows(Host::Disk); }
    void onDisk() { runRenameRow(Host::Disk); }

    void faultsOnTheWay_data();
    void faultsOnTheWay();

    void refusedCharacters_data();
    void refusedCharacters();

    void nameTooLongInBytesOnDisk();

    void plan_data();
    void plan();

private:
    static void addRenameRows(Host host);
    static void runRenameRow(Host host);
};

// One shape for every host: a tree, one listed folder and its new path, and what must follow.
// "bears" is where the folder is afterwards when it was renamed, empty when it was not.
void TestRenameEngine::addRenameRows(Host host) {
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("next");
    QTest::addColumn<QString>("bears");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QList<int>>("lines");
    QTest::addColumn<QString>("mentions");

    const QStringList none;
    const bool bothCasesCanExist = host != Host::CaseInsensitiveFake;

    QTest::newRow("change of letter case alone")
        << QStringList{"t/photos/"} << none << "t/photos/"
        << "t/Photos/"
        << "t/Photos/" << QStringList{"t/", "t/Photos/"} << QList<int>{} << QString();
    QTest::newRow("new name equal to the current one")
        << QStringList{"t/Docs/"} << none << "t/Docs/"
        << "t/Docs/"
        << "t/Docs/" << QStringList{"t/", "t/Docs/"} << QList<int>{} << QString();
    QTest::newRow("current path without trailing separator")
        << QStringList{"t/photos/"} << none << "t/photos"
        << "t/PHOTOS/"
        << "t/PHOTOS/" << QStringList{"t/", "t/PHOTOS/"} << QList<int>{} << QString();
    QTest::newRow("parent of the new path ignored")
        << QStringList{"t/photos/", "elsewhere/"} << none << "t/photos/"
        << "elsewhere/PHOTOS/"
        << "t/PHOTOS/" << QStringList{"elsewhere/", "t/", "t/PHOTOS/"} << QList<int>{} << QString();
    QTest::newRow("listed folder deleted")
        << QStringList{"t/other/"} << none << "t/gone/"
        << "t/GONE/" << QString() << QStringList{"t/", "t/other/"} << QList<int>{} << QString();
    QTest::newRow("listed folder renamed outside in letter case")
        << QStringList{"t/Photos/"} << none << "t/photos/"
        << "t/PHOTOS/" << QString() << QStringList{"t/", "t/Photos/"} << QList<int>{} << QString();
    QTest::newRow("parent gone") << QStringList{"t/"} << none << "t/missing/sub/"
                                 << "t/missing/SUB/" << QString() << QStringList{"t/"}
                                 << QList<int>{130} << "Path not found";
    // Where the disk tells letter case apart a folder in other case is another folder, never the
    // parent that was listed: nothing below it is renamed.
    if (host == Host::Disk) {
        QTest::newRow("parent renamed in letter case alone")
            << QStringList{"t/DOCS/sub/"} << none << "t/Docs/sub/"
            << "t/Docs/SUB/" << QString() << QStringList{"t/", "t/DOCS/", "t/DOCS/sub/"}
            << QList<int>{130} << "Path not found";
    } else {
        QTest::newRow("parent renamed in letter case alone")
            << QStringList{"t/DOCS/sub/"} << none << "t/Docs/sub/"
            << "t/Docs/SUB/"
            << "t/DOCS/SUB/" << QStringList{"t/", "t/DOCS/", "t/DOCS/SUB/"} << QList<int>{}
            << QString();
    }
    QTest::newRow("parent renamed beyond letter case")
        << QStringList{"t/Papers/sub/"} << none << "t/Docs/sub/"
        << "t/Docs/SUB/" << QString() << QStringList{"t/", "t/Papers/", "t/Papers/sub/"}
        << QList<int>{130} << "Path not found";
    QTest::newRow("intermediate name taken by a folder")
        << QStringList{"t/docs/", "t/DOCS9999999/"} << none << "t/docs/"
        << "t/DOCS/"
        << "t/DOCS/" << QStringList{"t/", "t/DOCS/", "t/DOCS9999999/"} << QList<int>{} << QString();
    QTest::newRow("intermediate name taken by a file")
        << QStringList{"t/docs/"} << QStringList{"t/DOCS9999999"} << "t/docs/"
        << "t/DOCS/"
        << "t/DOCS/" << QStringList{"t/", "t/DOCS/", "t/DOCS9999999"} << QList<int>{} << QString();
    if (bothCasesCanExist) {
        QTest::newRow("new name borne by another folder in other case")
            << QStringList{"t/docs/", "t/Docs/"} << none << "t/docs/"
            << "t/DOCS/" << QString() << QStringList{"t/", "t/Docs/", "t/docs/"} << QList<int>{152}
            << "File already exists";
        QTest::newRow("new name equal to the current one, beside it in other case")
            << QStringList{"t/docs/", "t/Docs/"} << none << "t/docs/"
            << "t/docs/"
            << "t/docs/" << QStringList{"t/", "t/Docs/", "t/docs/"} << QList<int>{} << QString();
        QTest::newRow("empty folder already bearing the new name")
            << QStringList{"t/docs/inside/", "t/DOCS/"} << none << "t/docs/"
            << "t/DOCS/" << QString() << QStringList{"t/", "t/DOCS/", "t/docs/", "t/docs/inside/"}
            << QList<int>{152} << "File already exists";
    }
    QTest::newRow("new name of 255 bytes")
        << QStringList{"t/" + k255 + "/"} << none << "t/" + k255 + "/"
        << "t/" + k255Upper + "/"
        << "t/" + k255Upper + "/" << QStringList{"t/", "t/" + k255Upper + "/"} << QList<int>{}
        << QString();
    QTest::newRow("new name longer than a name can be")
        << QStringList{"t/x/"} << none << "t/x/"
        << "t/" + k256Upper + "/" << QString() << QStringList{"t/", "t/x/"} << QList<int>{152}
        << "Path/File access error";
    QTest::newRow("blanks at both ends, beside the same name without")
        << QStringList{"t/ docs /", "t/docs/"} << none << "t/ docs /"
        << "t/ DOCS /"
        << "t/ DOCS /" << QStringList{"t/", "t/ DOCS /", "t/docs/"} << QList<int>{} << QString();
    QTest::newRow("tab beside newline")
        << QStringList{"t/a\tb/", "t/a\nb/"} << none << "t/a\tb/"
        << "t/A\tB/"
        << "t/A\tB/" << QStringList{"t/", "t/A\tB/", "t/a\nb/"} << QList<int>{} << QString();
    QTest::newRow("question mark and star kept")
        << QStringList{"t/what?ever*/"} << none << "t/what?ever*/"
        << "t/WHAT?EVER*/"
        << "t/WHAT?EVER*/" << QStringList{"t/", "t/WHAT?EVER*/"} << QList<int>{} << QString();
    QTest::newRow("фото beside мама, same key")
        << QStringList{"t/фото/", "t/мама/"} << none << "t/фото/"
        << "t/ФОТО/"
        << "t/ФОТО/" << QStringList{"t/", "t/ФОТО/", "t/мама/"} << QList<int>{} << QString();
    // Only where listings lose characters is a folder found by its name key; elsewhere the
    // listed name is the folder's own, and an unlisted sibling sharing its key is never renamed.
    if (host != Host::Disk) {
        QTest::newRow("lossy listed name matching two folders")
            << QStringList{"t/фото/", "t/мама/"} << none << "t/" + kLossy + "/"
            << "t/" + kLossy + "/" << QString() << QStringList{"t/", "t/мама/", "t/фото/"}
            << QList<int>{146} << "Folder name is ambiguous";
        QTest::newRow("lossy listed name matching one folder")
            << QStringList{"t/фото/", "t/docs/"} << none << "t/" + kLossy + "/"
            << "t/Фото/"
            << "t/Фото/" << QStringList{"t/", "t/docs/", "t/Фото/"} << QList<int>{} << QString();
    } else {
        QTest::newRow("listed name gone, a sibling shares its key")
            << QStringList{"t/мама/"} << none << "t/фото/"
            << "t/ФОТО/" << QString() << QStringList{"t/", "t/мама/"} << QList<int>{} << QString();
        QTest::newRow("listed name gone, a sibling differs by a tab")
            << QStringList{"t/docs\t/"} << none << "t/docs/"
            << "t/DOCS/" << QString() << QStringList{"t/", "t/docs\t/"} << QList<int>{}
            << QString();
        QTest::newRow("listed name gone, a sibling differs by a blank")
            << QStringList{"t/docs/"} << none << "t/docs /"
            << "t/Docs /" << QString() << QStringList{"t/", "t/docs/"} << QList<int>{} << QString();
    }
    QTest::newRow("root written with one separator")
        << QStringList{"t/"} << none << "/"
        << "/" << QString() << QStringList{"t/"} << QList<int>{} << QString();
    QTest::newRow("root") << QStringList{"t/"} << none << "//"
                          << "//" << QString() << QStringList{"t/"} << QList<int>{} << QString();
    QTest::newRow("new path without a last component")
        << QStringList{"t/docs/"} << none << "t/docs/"
        << "t//" << QString() << QStringList{"t/", "t/docs/"} << QList<int>{128} << "empty";
}

void TestRenameEngine::runRenameRow(Host host) {
    QFETCH(QStringList, folders);
    QFETCH(QStringList, files);
    QFETCH(QString, current);
    QFETCH(QString, next);
    QFETCH(QString, bears);
    QFETCH(QStringList, after);
    QFETCH(QList<int>, lines);
    QFETCH(QString, mentions);

    after.sort();
    // Given whole, and kept as the list keeps a row: its parent's path and its name.
    for (const bool cut : {false, true}) {
        const std::unique_ptr<TrialFolders> trial = tarnwick::test::MakeTrialFolders(host);
        for (const QString& folder : folders)
            QVERIFY(trial->addFolder(folder));
        for (const QString& file : files)
            QVERIFY(trial->addFile(file));
        const QStringList before = trial->tree();
        const QChar separator = trial->fileSystem().separator();
        const auto listed = [&](const QString& path) {
            const QString whole = Listed(*trial, path);
            return cut ? CutAtName(whole, separator) : ListedPath(whole);
        };

        Reports reports;
        ParentEntries parents(trial->fileSystem());
        const RenameOutcome outcome = RenameFilesWild(trial->fileSystem(), parents, reports.sink(),
                                                      listed(current), listed(next));

        QCOMPARE(trial->tree(), after);
        QCOMPARE(LeftUnderIntermediateNames(before, trial->tree()), QStringList());
        CheckReports(reports.messages, lines, mentions);
        QCOMPARE(outcome,
                 (Expected(!bears.isEmpty(), bears.isEmpty() ? QString() : trial->path(bears))));
    }
}

namespace {

enum class Fault {
    None,
    FirstStep,
    FirstStepAndDirect,
    SecondStep,
    SecondStepAndWayBack,
    NewNameTakenBetweenSteps,
    Listing,
};

// Makes the fake fail as a host would: a refusal at a chosen step, or another program acting.
void Inject(FakeFileSystem& fake, Fault fault, const QString& intermediate, const QString& leaf) {
    const Failure denied(failure_code::kPermissionDenied, QStringLiteral("Permission denied"));
    switch (fault) {
    case Fault::None:
        break;
    case Fault::FirstStep:
        fake.beforeRename = [=](const QString&, const QString&,
                                const QString& to) -> std::optional<Failure> {
            return to == intermediate ? std::optional(denied) : std::nullopt;
        };
        break;
    case Fault::FirstStepAndDirect:
        fake.beforeRename = [=](const QString&, const QString&, const QString&) {
            return std::optional(denied);
        };
        break;
    case Fault::SecondStep:
        fake.beforeRename = [=](const QString&, const QString& from,
                                const QString& to) -> std::optional<Failure> {
            return from == intermediate && to == leaf ? std::optional(denied) : std::nullopt;
        };
        break;
    case Fault::SecondStepAndWayBack:
        fake.beforeRename = [=](const QString&, const QString& from,
                                const QString&) -> std::optional<Failure> {
            return from == intermediate ? std::optional(denied) : std::nullopt;
        };
        break;
    case Fault::NewNameTakenBetweenSteps:
        fake.beforeRename = [=, &fake](const QString& parent, const QString& from,
                                       const QString&) -> std::optional<Failure> {
            if (from == intermediate && !fake.existsExactly(parent + leaf))
                fake.addFolder(parent + leaf);
            return std::nullopt;
        };
        break;
    case Fault::Listing:
        fake.denyAccess(QStringLiteral("/t/"));
        break;
    }
}

} // namespace

void TestRenameEngine::faultsOnTheWay_data() {
    QTest::addColumn<FakeFileSystem::Mode>("mode");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("next");
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<bool>("renamed");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<int>("renames");
    QTest::addColumn<QList<int>>("lines");
    QTest::addColumn<QString>("mentions");

    for (const auto mode :
         {FakeFileSystem::Mode::CaseSensitive, FakeFileSystem::Mode::CaseInsensitive}) {
        const char* host =
            mode == FakeFileSystem::Mode::CaseSensitive ? "case-sensitive" : "case-insensitive";
        const auto row = [&](const char* name) {
            return &QTest::newRow(qPrintable(QStringLiteral("%1, %2").arg(name, host)));
        };
        *row("no fault: two renames")
            << mode << "/t/docs/"
            << "/t/DOCS/" << Fault::None << true << QStringList{"t/", "t/DOCS/"} << 2
            << QList<int>{} << QString();
        *row("first step refused, direct rename")
            << mode << "/t/docs/"
            << "/t/DOCS/" << Fault::FirstStep << true << QStringList{"t/", "t/DOCS/"} << 1
            << QList<int>{} << QString();
        *row("first step and direct rename refused")
            << mode << "/t/docs/"
            << "/t/DOCS/" << Fault::FirstStepAndDirect << false << QStringList{"t/", "t/docs/"} << 0
            << QList<int>{150} << "Permission denied";
        *row("first step refused, new name equal to the current one")
            << mode << "/t/Docs/"
            << "/t/Docs/" << Fault::FirstStep << true << QStringList{"t/", "t/Docs/"} << 0
            << QList<int>{} << QString();
        *row("second step refused, name given back")
            << mode << "/t/docs/"
            << "/t/DOCS/" << Fault::SecondStep << false << QStringList{"t/", "t/docs/"} << 2
            << QList<int>{152} << "Permission denied";
        *row("new name taken between the steps, name given back")
            << mode << "/t/docs/"
            << "/t/papers/" << Fault::NewNameTakenBetweenSteps << false
            << QStringList{"t/", "t/docs/", "t/papers/"} << 2 << QList<int>{152}
            << "File already exists";
        // The intruder bears the old name too, letter case aside. Where names differ by case the
        // folder takes its own back beside it; where they cannot, there is no way back.
        const bool caseBlind = mode == FakeFileSystem::Mode::CaseInsensitive;
        *row("new name in other case taken between the steps")
            << mode << "/t/docs/"
            << "/t/DOCS/" << Fault::NewNameTakenBetweenSteps << false
            << (caseBlind ? QStringList{"t/", "t/DOCS/", "t/DOCS9999999/"}
                          : QStringList{"t/", "t/DOCS/", "t/docs/"})
            << (caseBlind ? 1 : 2) << QList<int>{152} << "File already exists";
        *row("second step and way back refused")
            << mode << "/t/docs/"
            << "/t/DOCS/" << Fault::SecondStepAndWayBack << false
            << QStringList{"t/", "t/DOCS9999999/"} << 1 << QList<int>{152} << "Permission denied";
        *row("listing refused") << mode << "/t/docs/"
                                << "/t/DOCS/" << Fault::Listing << false
                                << QStringList{"t/", "t/docs/"} << 0 << QList<int>{132}
                                << "Permission denied";
    }
}

void TestRenameEngine::faultsOnTheWay() {
    QFETCH(FakeFileSystem::Mode, mode);
    QFETCH(QString, current);
    QFETCH(QString, next);
    QFETCH(Fault, fault);
    QFETCH(bool, renamed);
    QFETCH(QStringList, after);
    QFETCH(int, renames);
    QFETCH(QList<int>, lines);
    QFETCH(QString, mentions);

    FakeTrialFolders trial(mode);
    trial.addFolder(current.mid(1));
    const QString leaf = GetLeafName(WithoutTrailingSeparator(next, u'/'), u'/');
    Inject(trial.fake, fault, leaf + QStringLiteral("9999999"), leaf);

    Reports reports;
    const RenameOutcome outcome = RenameFilesWild(trial.fake, reports.sink(), current, next);

    after.sort();
    QCOMPARE(trial.tree(), after);
    QCOMPARE(trial.fake.renameCount(), renames);
    CheckReports(reports.messages, lines, mentions);
    QCOMPARE(outcome, (Expected(renamed, renamed ? next : QString())));
    // A folder left under the intermediate name is named in the report, so the user can find it.
    const QString intermediatePath = QStringLiteral("/t/%1/").arg(leaf + QStringLiteral("9999999"));
    const bool stranded = trial.tree().contains(intermediatePath.mid(1));
    if (stranded)
        QVERIFY2(reports.messages.last().contains(WithoutTrailingSeparator(intermediatePath, u'/')),
                 qPrintable(reports.messages.last()));
}

// The host's refused characters become "_" in the new name, and only those.
void TestRenameEngine::refusedCharacters_data() {
    QTest::addColumn<QString>("refused");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("next");
    QTest::addColumn<QString>("bears");

    QTest::newRow("none refused: what*ever kept") << QString() << "/t/what*ever/"
                                                  << "/t/what*ever/"
                                                  << "/t/what*ever/";
    QTest::newRow("? and * refused, both replaced") << "?*"
                                                    << "/t/what?ever*/"
                                                    << "/t/WHAT?EVER*/"
                                                    << "/t/WHAT_EVER_/";
    QTest::newRow("? and * refused, other characters kept") << "?*"
                                                            << "/t/a<b>|c/"
                                                            << "/t/A<B>|C/"
                                                            << "/t/A<B>|C/";
    QTest::newRow("only the star refused") << "*"
                                           << "/t/a?b*/"
                                           << "/t/A?B*/"
                                           << "/t/A?B_/";
}

void TestRenameEngine::refusedCharacters() {
    QFETCH(QString, refused);
    QFETCH(QString, folder);
    QFETCH(QString, next);
    QFETCH(QString, bears);

    for (const auto mode :
         {FakeFileSystem::Mode::CaseSensitive, FakeFileSystem::Mode::CaseInsensitive}) {
        FakeFileSystem fake(mode);
        fake.setRefusedNameCharacters(refused);
        fake.addFolder(folder);
        Reports reports;
        // Cut at the name, as the list keeps the row, on the case-blind host.
        ParentEntries parents(fake);
        const RenameOutcome outcome =
            mode == FakeFileSystem::Mode::CaseSensitive
                ? RenameFilesWild(fake, reports.sink(), folder, next)
                : RenameFilesWild(fake, parents, reports.sink(), CutAtName(folder, u'/'),
                                  CutAtName(next, u'/'));
        QCOMPARE(outcome, (Expected(true, bears)));
        QCOMPARE(reports.messages, QStringList());
        QCOMPARE(fake.tree(), (QStringList{"/t/", bears}));
    }
}

// Letter case can change a name's length in bytes: 127 times "ɐ" are 254 bytes, their upper case
// 381. Neither the intermediate nor the new name fits, and the folder stays as it was.
void TestRenameEngine::nameTooLongInBytesOnDisk() {
    DiskTrialFolders trial;
    QVERIFY(trial.isValid());
    const QString name(127, QChar(0x0250));
    const QString upper(127, QChar(0x2C6F));
    QCOMPARE(name.toUtf8().size(), 254);
    QVERIFY(trial.addFolder("t/" + name + "/"));

    Reports reports;
    const RenameOutcome outcome =
        RenameFilesWild(trial.fileSystem(), reports.sink(), trial.path("t/" + name + "/"),
                        trial.path("t/" + upper + "/"));
    QCOMPARE(outcome, RenameOutcome{});
    QCOMPARE(trial.tree(), (QStringList{"t/", "t/" + name + "/"}));
    CheckReports(reports.messages, {152}, QStringLiteral("Path/File access error"));
}

namespace {
enum class PlanHost { Posix, Lossy, CaseBlindDisk };
}
Q_DECLARE_METATYPE(PlanHost)

// What the engine will do, decided from the parent's entries alone. Entries are folders unless
// written "file:NAME".
void TestRenameEngine::plan_data() {
    using Action = RenamePlan::Action;
    using Refusal = RenamePlan::Refusal;
    QTest::addColumn<PlanHost>("host");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("listed");
    QTest::addColumn<QString>("next");
    QTest::addColumn<Action>("action");
    QTest::addColumn<QString>("from");
    QTest::addColumn<bool>("detour");
    QTest::addColumn<Refusal>("refusal");

    const auto row = [](const char* name) { return &QTest::newRow(name); };
    *row("change of case alone, through the intermediate name")
        << PlanHost::Posix << QStringList{"docs"} << "docs"
        << "DOCS" << Action::Rename << "docs" << true << Refusal::None;
    *row("same name, the detour still taken")
        << PlanHost::Posix << QStringList{"Docs"} << "Docs"
        << "Docs" << Action::Rename << "Docs" << true << Refusal::None;
    *row("same name beside a case twin: nothing to do")
        << PlanHost::Posix << QStringList{"docs", "Docs"} << "docs"
        << "docs" << Action::AlreadyNamed << "docs" << false << Refusal::None;
    *row("beside a case twin, another name: directly")
        << PlanHost::Posix << QStringList{"docs", "Docs"} << "docs"
        << "papers" << Action::Rename << "docs" << false << Refusal::None;
    *row("new name taken exactly")
        << PlanHost::Posix << QStringList{"docs", "DOCS"} << "docs"
        << "DOCS" << Action::Refused << "docs" << false << Refusal::NameTaken;
    *row("new name borne by a file in other case")
        << PlanHost::Posix << QStringList{"docs", "file:Papers"} << "docs"
        << "PAPERS" << Action::Refused << "docs" << false << Refusal::CaseTwinBearsNewName;
    *row("new name borne in other case, non-ASCII")
        << PlanHost::Posix << QStringList{"фото", "ФОТО2"} << "фото"
        << "фото2" << Action::Refused << "фото" << false << Refusal::CaseTwinBearsNewName;
    *row("new name borne in other case, beyond the first plane")
        << PlanHost::Posix << QStringList{"docs", QString::fromUtf8("a\U00010400")} << "docs"
        << QString::fromUtf8("a\U00010428") << Action::Refused << "docs" << false
        << Refusal::CaseTwinBearsNewName;
    *row("change of case alone beside a twin of its own name, non-ASCII")
        << PlanHost::Posix << QStringList{"фото", "ФОТО"} << "фото"
        << "Фото" << Action::Refused << "фото" << false << Refusal::CaseTwinBearsNewName;
    *row("change of case alone beside a Kelvin sign")
        << PlanHost::Posix << QStringList{"kelvin", QString::fromUtf8("\u212Aelvin")} << "kelvin"
        << "KELVIN" << Action::Refused << "kelvin" << false << Refusal::CaseTwinBearsNewName;
    *row("new name borne with a Kelvin sign")
        << PlanHost::Posix << QStringList{"docs", QString::fromUtf8("\u212Aelvin")} << "docs"
        << "kelvin" << Action::Refused << "docs" << false << Refusal::CaseTwinBearsNewName;
    *row("intermediate name too long: directly")
        << PlanHost::Posix << QStringList{QString(250, u'a')} << QString(250, u'a')
        << QString(250, u'A') << Action::Rename << QString(250, u'a') << false << Refusal::None;
    *row("a file bearing the listed name is no folder")
        << PlanHost::Posix << QStringList{"file:docs"} << "docs"
        << "DOCS" << Action::NotFound << "" << false << Refusal::None;
    *row("gone, a sibling differs by a tab: not taken")
        << PlanHost::Posix << QStringList{"docs\t"} << "docs"
        << "DOCS" << Action::NotFound << "" << false << Refusal::None;
    *row("gone, a sibling shares the name key: not taken")
        << PlanHost::Posix << QStringList{"мама"} << "фото"
        << "ФОТО" << Action::NotFound << "" << false << Refusal::None;
    *row("lossy listing: the one key match")
        << PlanHost::Lossy << QStringList{"фото", "docs"} << "????"
        << "Фото" << Action::Rename << "фото" << true << Refusal::None;
    *row("lossy listing: two key matches, none taken")
        << PlanHost::Lossy << QStringList{"фото", "мама"} << "????"
        << "????" << Action::Ambiguous << "" << false << Refusal::None;
    *row("disk ignoring case finds the name in other case")
        << PlanHost::CaseBlindDisk << QStringList{"Photos"} << "photos"
        << "PHOTOS" << Action::Rename << "Photos" << true << Refusal::None;
}

void TestRenameEngine::plan() {
    QFETCH(PlanHost, host);
    QFETCH(QStringList, entries);
    QFETCH(QString, listed);
    QFETCH(QString, next);
    QFETCH(RenamePlan::Action, action);
    QFETCH(QString, from);
    QFETCH(bool, detour);
    QFETCH(RenamePlan::Refusal, refusal);

    // A small folder is looked through, a large one hashed: both must plan alike.
    for (const bool large : {false, true}) {
        std::vector<DirectoryEntry> listing;
        for (const QString& entry : entries) {
            const bool file = entry.startsWith(QStringLiteral("file:"));
            listing.push_back({file ? entry.mid(5) : entry,
                               file ? EntryKind::Other : EntryKind::Folder,
                               file ? attribute::kArchive : attribute::kDirectory,
                               {}});
        }
        for (std::size_t i = 0; large && i < EntryIndex::kLookedThrough; ++i)
            listing.push_back(
                {QStringLiteral("other %1").arg(i), EntryKind::Folder, attribute::kDirectory, {}});
        HostRules rules;
        rules.separator = u'/';
        rules.lossyListings = host == PlanHost::Lossy;
        EntryIndex index(std::move(listing));
        const RenamePlan plan =
            PlanRename(index, listed, next, rules, host == PlanHost::CaseBlindDisk);
        QCOMPARE(plan.action, action);
        QCOMPARE(plan.from, from);
        QCOMPARE(plan.throughIntermediate, detour);
        QCOMPARE(plan.refusal, refusal);
        if (detour)
            QCOMPARE(plan.intermediate, next + QStringLiteral("9999999"));
        if (action != RenamePlan::Action::Rename)
            continue;
        // Renamed, the folder is found under its new name only, and its twins are the others'.
        if (detour)
            index.renamed(from, plan.intermediate);
        index.renamed(detour ? plan.intermediate : from, next);
        // Asked first in the very string the plan asked with.
        if (from == listed)
            QCOMPARE(index.find(listed) != nullptr, listed == next);
        QVERIFY(!index.find(plan.intermediate));
        QVERIFY(index.find(next));
        QCOMPARE(index.find(from) != nullptr, from == next);
        bool twin = false;
        for (const QString& entry : entries) {
            const QString name = entry.startsWith(QStringLiteral("file:")) ? entry.mid(5) : entry;
            twin |= name != from && name.compare(next, Qt::CaseInsensitive) == 0;
        }
        QCOMPARE(index.othersBearIgnoringCase(next, next), twin);
    }
}

QTEST_GUILESS_MAIN(TestRenameEngine)
#include "tst_renameengine.moc"
