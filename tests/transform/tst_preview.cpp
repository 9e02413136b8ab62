#include "transform/preview.h"

#include "folders/folderlist.h"

#include <QSignalSpy>
#include <QTest>

using namespace tarnwick;

namespace {

const QChar kBackslash = u'\\';
const QChar kSlash = u'/';

const QString kUpper = QStringLiteral("Change case of folder(s) to UPPER CASE");
const QString kLower = QStringLiteral("Change case of folder(s) to lower case");
const QString kProper = QStringLiteral("Change case of folder(s) to Proper Case");
const QString kSentence = QStringLiteral("Change case of folder(s) to Sentence case");

QStringList NewPaths(const FolderListModel& list) {
    QStringList texts;
    for (int row = 0; row < list.count(); ++row)
        texts << list.text(row, FolderListModel::kNewName);
    return texts;
}

// Collects the error messages of a pass; a sound pass has none.
struct Reports {
    QStringList messages;
    FailureReport report() {
        return [this](const QString& message) { messages << message; };
    }
};

} // namespace

class TestPreview : public QObject {
    Q_OBJECT
private slots:
    void newPathOfOneRow_data();
    void newPathOfOneRow();

    void emptyListStaysEmpty_data();
    void emptyListStaysEmpty();
    void noKeyPhraseLeavesSecondColumn_data();
    void noKeyPhraseLeavesSecondColumn();
    void twoRowsLowerCase();
    void laterRunReplacesEarlierOne();
    void rowsAlreadyInTargetCaseAreWritten();
    void rootsInBothForms_data();
    void rootsInBothForms();
    void oneChangeSignalForTheWholePass();
    void hundredThousandRows();
    void marksFromTheColumns_data();
    void marksFromTheColumns();
    void runMarksGoWithTheNextPreview();
};

void TestPreview::newPathOfOneRow_data() {
    QTest::addColumn<QString>("now");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("newPath");

    QTest::newRow("folder with trailing backslash")
        << QStringLiteral("C:\\Data\\my photos\\") << kBackslash << kUpper
        << QStringLiteral("C:\\Data\\MY PHOTOS\\");
    QTest::newRow("folder without trailing backslash")
        << QStringLiteral("C:\\Data\\my photos") << kBackslash << kUpper
        << QStringLiteral("C:\\Data\\MY PHOTOS\\");
    QTest::newRow("network share") << QStringLiteral("\\\\server\\share\\docs\\") << kBackslash
                                   << kUpper << QStringLiteral("\\\\server\\share\\DOCS\\");
    QTest::newRow("drive root") << QStringLiteral("C:\\\\") << kBackslash << kUpper
                                << QStringLiteral("C:\\\\");
    QTest::newRow("parent keeps its case") << QStringLiteral("C:\\DATA\\Old Name\\") << kBackslash
                                           << kLower << QStringLiteral("C:\\DATA\\old name\\");
    QTest::newRow("proper case of the leaf only")
        << QStringLiteral("C:\\my docs\\old STUFF\\") << kBackslash << kProper
        << QStringLiteral("C:\\my docs\\Old Stuff\\");
    QTest::newRow("sentence case of the leaf only")
        << QStringLiteral("C:\\my docs\\old STUFF\\") << kBackslash << kSentence
        << QStringLiteral("C:\\my docs\\Old stuff\\");
    QTest::newRow("only one trailing backslash removed")
        << QStringLiteral("C:\\data\\\\") << kBackslash << kUpper << QStringLiteral("C:\\data\\\\");
    QTest::newRow("relative name")
        << QStringLiteral("photos\\") << kBackslash << kUpper << QStringLiteral("PHOTOS\\");
    QTest::newRow("empty text") << QString() << kBackslash << kUpper << QStringLiteral("\\");
    QTest::newRow("backslashes only")
        << QStringLiteral("\\\\\\") << kBackslash << kUpper << QStringLiteral("\\\\\\");

    QTest::newRow("posix folder") << QStringLiteral("/home/ann/my photos/") << kSlash << kUpper
                                  << QStringLiteral("/home/ann/MY PHOTOS/");
    QTest::newRow("posix without trailing slash")
        << QStringLiteral("/home/ann/my photos") << kSlash << kUpper
        << QStringLiteral("/home/ann/MY PHOTOS/");
    QTest::newRow("posix root as listed")
        << QStringLiteral("//") << kSlash << kUpper << QStringLiteral("//");
    QTest::newRow("posix bare root")
        << QStringLiteral("/") << kSlash << kUpper << QStringLiteral("/");
    QTest::newRow("posix parent keeps its case") << QStringLiteral("/HOME/Old Name/") << kSlash
                                                 << kLower << QStringLiteral("/HOME/old name/");
    QTest::newRow("posix backslash is part of the name")
        << QStringLiteral("/home/a\\b/") << kSlash << kUpper << QStringLiteral("/home/A\\B/");

    QTest::newRow("lone surrogate leaf")
        << (QStringLiteral("/x/") + QChar(0xD800) + u'/') << kSlash << kUpper
        << (QStringLiteral("/x/") + QChar(0xD800) + u'/');
    QTest::newRow("NUL in leaf") << (QStringLiteral("/x/a") + QChar(0) + u'b') << kSlash << kUpper
                                 << (QStringLiteral("/x/A") + QChar(0) + QStringLiteral("B/"));
    QTest::newRow("10000-character leaf")
        << (QStringLiteral("/x/") + QStringLiteral("a").repeated(10000) + u'/') << kSlash << kUpper
        << (QStringLiteral("/x/") + QStringLiteral("A").repeated(10000) + u'/');
}

void TestPreview::newPathOfOneRow() {
    QFETCH(QString, now);
    QFETCH(QChar, separator);
    QFETCH(QString, operation);
    QFETCH(QString, newPath);
    const std::optional<Operation> selected = MatchOperation(operation);
    QVERIFY(selected);
    QCOMPARE(PreviewNewPath(now, *selected, separator), newPath);
}

void TestPreview::emptyListStaysEmpty_data() {
    QTest::addColumn<QString>("operation");
    QTest::newRow("start-up selection") << kUpper;
    QTest::newRow("no selection") << QString();
}

void TestPreview::emptyListStaysEmpty() {
    QFETCH(QString, operation);
    FolderListModel list;
    QSignalSpy changed(&list, &QAbstractItemModel::dataChanged);
    QSignalSpy inserted(&list, &QAbstractItemModel::rowsInserted);
    Reports reports;
    PreviewRename(list, operation, reports.report(), kBackslash);
    QCOMPARE(list.count(), 0);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(inserted.count(), 0);
    QVERIFY(reports.messages.isEmpty());
}

void TestPreview::noKeyPhraseLeavesSecondColumn_data() {
    QTest::addColumn<QString>("operation");
    QTest::newRow("empty text") << QString();
    QTest::newRow("text without a key phrase") << QStringLiteral("Change case of folder(s)");
}

void TestPreview::noKeyPhraseLeavesSecondColumn() {
    QFETCH(QString, operation);
    FolderListModel list;
    list.appendRows(
        {QStringLiteral("C:\\a\\"), QStringLiteral("C:\\b\\"), QStringLiteral("C:\\c\\")});
    list.setText(0, FolderListModel::kNewName, QStringLiteral("C:\\A\\"));
    list.setText(2, FolderListModel::kNewName, QStringLiteral("earlier text"));
    QSignalSpy changed(&list, &QAbstractItemModel::dataChanged);
    Reports reports;
    PreviewRename(list, operation, reports.report(), kBackslash);
    QCOMPARE(NewPaths(list),
             (QStringList{QStringLiteral("C:\\A\\"), QString(), QStringLiteral("earlier text")}));
    QCOMPARE(changed.count(), 0);
    QVERIFY(reports.messages.isEmpty());
}

void TestPreview::twoRowsLowerCase() {
    FolderListModel list;
    list.appendRows(
        {QStringLiteral("C:\\Data\\My Photos\\"), QStringLiteral("D:\\ARCHIVE\\OLD\\")});
    Reports reports;
    PreviewRename(list, kLower, reports.report(), kBackslash);
    QCOMPARE(NewPaths(list), (QStringList{QStringLiteral("C:\\Data\\my photos\\"),
                                          QStringLiteral("D:\\ARCHIVE\\old\\")}));
    // The first column is the source and is never touched.
    QCOMPARE(list.text(0, FolderListModel::kNow), QStringLiteral("C:\\Data\\My Photos\\"));
    QCOMPARE(list.text(1, FolderListModel::kNow), QStringLiteral("D:\\ARCHIVE\\OLD\\"));
    QVERIFY(reports.messages.isEmpty());
}

void TestPreview::laterRunReplacesEarlierOne() {
    FolderListModel list;
    list.appendRows({QStringLiteral("/data/Mixed Case/"), QStringLiteral("/data/other one/")});
    Reports reports;
    PreviewRename(list, kUpper, reports.report(), kSlash);
    QCOMPARE(NewPaths(list), (QStringList{QStringLiteral("/data/MIXED CASE/"),
                                          QStringLiteral("/data/OTHER ONE/")}));
    PreviewRename(list, kLower, reports.report(), kSlash);
    QCOMPARE(NewPaths(list), (QStringList{QStringLiteral("/data/mixed case/"),
                                          QStringLiteral("/data/other one/")}));
    PreviewRename(list, kProper, reports.report(), kSlash);
    QCOMPARE(NewPaths(list), (QStringList{QStringLiteral("/data/Mixed Case/"),
                                          QStringLiteral("/data/Other One/")}));
    QVERIFY(reports.messages.isEmpty());
}

void TestPreview::rowsAlreadyInTargetCaseAreWritten() {
    FolderListModel list;
    list.appendRows({QStringLiteral("C:\\DATA\\"), QStringLiteral("C:\\DATA")});
    list.setText(0, FolderListModel::kNewName, QStringLiteral("stale"));
    list.setText(1, FolderListModel::kNewName, QStringLiteral("stale"));
    Reports reports;
    PreviewRename(list, kUpper, reports.report(), kBackslash);
    QCOMPARE(NewPaths(list),
             (QStringList{QStringLiteral("C:\\DATA\\"), QStringLiteral("C:\\DATA\\")}));
}

void TestPreview::rootsInBothForms_data() {
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("root");
    QTest::newRow("drive root") << kBackslash << QStringLiteral("C:\\\\");
    QTest::newRow("posix root") << kSlash << QStringLiteral("//");
}

void TestPreview::rootsInBothForms() {
    QFETCH(QChar, separator);
    QFETCH(QString, root);
    FolderListModel list;
    const QString child = root.left(root.size() - 1) + QStringLiteral("sub") + separator;
    list.appendRows({child, root});
    Reports reports;
    PreviewRename(list, kUpper, reports.report(), separator);
    QCOMPARE(NewPaths(list),
             (QStringList{root.left(root.size() - 1) + QStringLiteral("SUB") + separator, root}));
    QVERIFY(reports.messages.isEmpty());
}

void TestPreview::oneChangeSignalForTheWholePass() {
    FolderListModel list;
    QStringList nows;
    for (int i = 0; i < 500; ++i)
        nows << QStringLiteral("/data/folder %1/").arg(i);
    list.appendRows(nows);
    QSignalSpy changed(&list, &QAbstractItemModel::dataChanged);
    Reports reports;
    PreviewRename(list, kUpper, reports.report(), kSlash);
    QCOMPARE(changed.count(), 1);
    const auto topLeft = changed[0][0].value<QModelIndex>();
    const auto bottomRight = changed[0][1].value<QModelIndex>();
    QCOMPARE(topLeft.row(), 0);
    QCOMPARE(bottomRight.row(), 499);
    QVERIFY(topLeft.column() <= FolderListModel::kNewName);
    QVERIFY(bottomRight.column() >= FolderListModel::kNewName);
    QCOMPARE(list.text(499, FolderListModel::kNewName), QStringLiteral("/data/FOLDER 499/"));
}

// Far beyond the 16-bit row counter the list was once limited by.
void TestPreview::hundredThousandRows() {
    const int count = 100000;
    FolderListModel list;
    QStringList nows;
    nows.reserve(count);
    for (int i = 0; i < count; ++i)
        nows << QStringLiteral("/tree/level/name %1/").arg(i);
    list.appendRows(nows);
    QSignalSpy changed(&list, &QAbstractItemModel::dataChanged);
    Reports reports;
    PreviewRename(list, kProper, reports.report(), kSlash);
    QCOMPARE(changed.count(), 1);
    QVERIFY(reports.messages.isEmpty());
    for (int i = 0; i < count; ++i) {
        const QString expected = QStringLiteral("/tree/level/Name %1/").arg(i);
        if (list.text(i, FolderListModel::kNewName) != expected)
            QFAIL(qPrintable(
                QStringLiteral("row %1: %2").arg(i).arg(list.text(i, FolderListModel::kNewName))));
    }
}

namespace {
const QString kCollides = QStringLiteral("Another listed folder gets this name: ");
} // namespace

void TestPreview::marksFromTheColumns_data() {
    QTest::addColumn<QStringList>("nows");
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QChar>("separator");
    // What each row's mark says; empty for an unmarked row.
    QTest::addColumn<QStringList>("words");

    QTest::newRow("unchanged beside changed")
        << QStringList{"/d/ABC/", "/d/xyz/"} << kUpper << kSlash << QStringList{"No change", ""};
    QTest::newRow("unchanged without trailing separator")
        << QStringList{"/d/ABC"} << kUpper << kSlash << QStringList{"No change"};
    QTest::newRow("two rows, one name")
        << QStringList{"/Mix/Data/", "/Mix/DATA/"} << kUpper << kSlash
        << QStringList{kCollides + "/Mix/DATA/", kCollides + "/Mix/Data/"};
    QTest::newRow("three rows, one name, beside another")
        << QStringList{"/m/abc/", "/m/other/", "/m/Abc/", "/m/ABC/"} << kLower << kSlash
        << QStringList{kCollides + "/m/Abc/", "No change", kCollides + "/m/abc/",
                       kCollides + "/m/abc/"};
    QTest::newRow("different parents")
        << QStringList{"/a/x/", "/b/X/"} << kUpper << kSlash << QStringList{"", "No change"};
    QTest::newRow("parents differing in case")
        << QStringList{"/A/x/", "/a/X/"} << kUpper << kSlash << QStringList{"", "No change"};
    QTest::newRow("one folder listed twice")
        << QStringList{"/d/x/", "/d/x/"} << kUpper << kSlash << QStringList{"", ""};
    QTest::newRow("folder listed twice beside its case twin")
        << QStringList{"/d/x/", "/d/x/", "/d/X/"} << kUpper << kSlash
        << QStringList{kCollides + "/d/X/", kCollides + "/d/X/", kCollides + "/d/x/"};
    QTest::newRow("cyrillic case twins")
        << QStringList{u"/d/фото/"_qs, u"/d/Фото/"_qs} << kUpper << kSlash
        << QStringList{kCollides + u"/d/Фото/"_qs, kCollides + u"/d/фото/"_qs};
    QTest::newRow("backslash host")
        << QStringList{"C:\\a\\b\\", "C:\\a\\B\\", "C:\\A\\b\\"} << kUpper << kBackslash
        << QStringList{kCollides + "C:\\a\\B\\", kCollides + "C:\\a\\b\\", ""};
}

void TestPreview::marksFromTheColumns() {
    QFETCH(QStringList, nows);
    QFETCH(QString, operation);
    QFETCH(QChar, separator);
    QFETCH(QStringList, words);
    FolderListModel list;
    list.appendRows(nows);
    Reports reports;
    PreviewRename(list, operation, reports.report(), separator);
    QStringList marked;
    for (int row = 0; row < list.count(); ++row)
        marked << list.markWords(row);
    QCOMPARE(marked, words);
    QVERIFY(reports.messages.isEmpty());
}

// A run's marks tell of that run; the next preview speaks for the list as it is now.
void TestPreview::runMarksGoWithTheNextPreview() {
    FolderListModel list;
    list.appendRows({QStringLiteral("/d/gone/"), QStringLiteral("/d/DONE/")});
    list.markNotDone(0, QStringLiteral("Not found on disk"));
    list.markNotDone(1, QStringLiteral("Permission denied: /d/DONE/"));
    Reports reports;
    PreviewRename(list, kUpper, reports.report(), kSlash);
    QCOMPARE(list.mark(0), RowMark::None);
    QCOMPARE(list.mark(1), RowMark::NoChange);
}

QTEST_GUILESS_MAIN(TestPreview)
#include "tst_preview.moc"
