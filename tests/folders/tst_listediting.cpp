#include "folders/listediting.h"

#include "common/failure.h"
#include "tests/support/fakewindow.h"

#include <QTest>
#include <optional>

using namespace tarnwick;
using namespace tarnwick::test;

Q_DECLARE_METATYPE(std::optional<int>)
Q_DECLARE_METATYPE(tarnwick::PointerSetting)

namespace {

const QStringList kNows{QStringLiteral("/data/one/"), QStringLiteral("/data/two/"),
                        QStringLiteral("/data/three/")};

// Three rows whose second columns are told apart from anything a preview pass would write, so a
// test sees whether a pass ran.
void FillThreeRows(FakeWindow& window) {
    window.list.appendRows(kNows);
    for (int row = 0; row < 3; ++row)
        window.list.setText(row, FolderListModel::kNewName, QStringLiteral("kept %1").arg(row));
}

QStringList KeptTexts(std::initializer_list<int> rows) {
    QStringList texts;
    for (const int row : rows)
        texts << QStringLiteral("kept %1").arg(row);
    return texts;
}

// A window whose folder list fails once, as a list control can when the window goes away.
class FailingListWindow : public FakeWindow {
public:
    using FakeWindow::FakeWindow;
    FolderListModel& folderList() override {
        if (failNext) {
            failNext = false;
            throw Failure(91, QStringLiteral("Object variable or With block variable not set"));
        }
        return FakeWindow::folderList();
    }
    bool failNext = true;
};

} // namespace

class TestListEditing : public QObject {
    Q_OBJECT
private slots:
    void clearListOnEmptyListStillPreviews();
    void clearList_data();
    void clearList();
    void clearListReportsAFailureAndStillPreviews();

    void deleteKeyRemovesSelectedRow_data();
    void deleteKeyRemovesSelectedRow();
    void otherKeysNeverRemove_data();
    void otherKeysNeverRemove();
    void nothingToRemove_data();
    void nothingToRemove();
    void busyWindowKeepsItsRows_data();
    void busyWindowKeepsItsRows();
    void removeSelectedEntryDirectly();
};

void TestListEditing::clearListOnEmptyListStillPreviews() {
    FakeFileSystem fileSystem;
    FakeWindow window(fileSystem);
    PushButton1_Click(window);
    QCOMPARE(window.list.count(), 0);
    QCOMPARE(window.previewCount, 1);
    QVERIFY(window.fakeDialogs.messages.isEmpty());
}

void TestListEditing::clearList_data() {
    QTest::addColumn<PointerSetting>("pointer");
    QTest::addColumn<int>("rowsLeft");
    QTest::newRow("default pointer") << PointerSetting::Default << 0;
    QTest::newRow("hand pointer") << PointerSetting::Custom << 0;
    QTest::newRow("hourglass while adding") << PointerSetting::Hourglass << 3;
}

void TestListEditing::clearList() {
    QFETCH(PointerSetting, pointer);
    QFETCH(int, rowsLeft);
    FakeFileSystem fileSystem;
    FakeWindow window(fileSystem);
    FillThreeRows(window);
    window.pointerSetting = pointer;
    PushButton1_Click(window);
    QCOMPARE(window.list.count(), rowsLeft);
    QCOMPARE(window.previewCount, 1);
    QCOMPARE(window.pointerSetting, pointer);
    QVERIFY(window.pointerHistory.isEmpty());
    QVERIFY(window.fakeDialogs.messages.isEmpty());
    if (rowsLeft > 0) {
        // The pass ran over the rows present, with the operation of the box.
        QCOMPARE(window.column(FolderListModel::kNow), kNows);
        QCOMPARE(window.column(FolderListModel::kNewName),
                 (QStringList{QStringLiteral("/data/ONE/"), QStringLiteral("/data/TWO/"),
                              QStringLiteral("/data/THREE/")}));
    }
}

void TestListEditing::clearListReportsAFailureAndStillPreviews() {
    FakeFileSystem fileSystem;
    FailingListWindow window(fileSystem);
    FillThreeRows(window);
    PushButton1_Click(window);
    QCOMPARE(window.previewCount, 1);
    const QStringList errors = window.fakeDialogs.errors();
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors[0].startsWith(
                 QStringLiteral("Object variable or With block variable not set\r\nin "
                                "Brisquel2021/08/31.Form1.PushButton1_Click at line 100\r\r")),
             qPrintable(errors[0]));
    QCOMPARE(window.fakeDialogs.messages[0].icon, MessageIcon::Warning);
    QCOMPARE(window.fakeDialogs.messages[0].buttons, MessageButtons::Ok);
}

void TestListEditing::deleteKeyRemovesSelectedRow_data() {
    QTest::addColumn<int>("selected");
    QTest::addColumn<QStringList>("nows");
    QTest::addColumn<QStringList>("newPaths");
    QTest::newRow("first row") << 0 << kNows.mid(1) << KeptTexts({1, 2});
    QTest::newRow("middle row") << 1 << QStringList{kNows[0], kNows[2]} << KeptTexts({0, 2});
    QTest::newRow("last row") << 2 << kNows.mid(0, 2) << KeptTexts({0, 1});
}

void TestListEditing::deleteKeyRemovesSelectedRow() {
    QFETCH(int, selected);
    QFETCH(QStringList, nows);
    QFETCH(QStringList, newPaths);
    FakeFileSystem fileSystem;
    FakeWindow window(fileSystem);
    FillThreeRows(window);
    ListView1_KeyDown(window, 46, selected);
    QCOMPARE(window.column(FolderListModel::kNow), nows);
    QCOMPARE(window.column(FolderListModel::kNewName), newPaths);
    QCOMPARE(window.previewCount, 0);
    QVERIFY(window.fakeDialogs.messages.isEmpty());
}

void TestListEditing::otherKeysNeverRemove_data() {
    QTest::addColumn<int>("keyCode");
    QTest::newRow("Backspace (8)") << 8;
    QTest::newRow("period (190)") << 190;
    QTest::newRow("no key (0)") << 0;
    QTest::newRow("Insert (45)") << 45;
    QTest::newRow("Help (47)") << 47;
    QTest::newRow("period as character code (46 + 256)") << 46 + 256;
    QTest::newRow("negative") << -46;
}

void TestListEditing::otherKeysNeverRemove() {
    QFETCH(int, keyCode);
    FakeFileSystem fileSystem;
    FakeWindow window(fileSystem);
    FillThreeRows(window);
    ListView1_KeyDown(window, keyCode, 1);
    QCOMPARE(window.column(FolderListModel::kNow), kNows);
    QCOMPARE(window.column(FolderListModel::kNewName), KeptTexts({0, 1, 2}));
    QCOMPARE(window.previewCount, 0);
    QVERIFY(window.fakeDialogs.messages.isEmpty());
}

void TestListEditing::nothingToRemove_data() {
    QTest::addColumn<bool>("filled");
    QTest::addColumn<std::optional<int>>("selected");
    QTest::newRow("empty list, no selection") << false << std::optional<int>();
    QTest::newRow("empty list, stale selection") << false << std::optional<int>(0);
    QTest::newRow("no selection") << true << std::optional<int>();
    QTest::newRow("selection past the end") << true << std::optional<int>(3);
    QTest::newRow("negative selection") << true << std::optional<int>(-1);
}

void TestListEditing::nothingToRemove() {
    QFETCH(bool, filled);
    QFETCH(std::optional<int>, selected);
    FakeFileSystem fileSystem;
    FakeWindow window(fileSystem);
    if (filled)
        FillThreeRows(window);
    const QStringList nows = window.column(FolderListModel::kNow);
    const QStringList newPaths = window.column(FolderListModel::kNewName);
    ListView1_KeyDown(window, kDeleteKeyCode, selected);
    RemoveSelectedEntry(window, selected);
    // Nor is there a folder to open or a path to copy.
    OpenSelectedFolder(window, selected);
    QCOMPARE(SelectedFolder(window, selected), QString());
    QVERIFY(window.fakeDialogs.openedFolders.isEmpty());
    QCOMPARE(window.column(FolderListModel::kNow), nows);
    QCOMPARE(window.column(FolderListModel::kNewName), newPaths);
    QCOMPARE(window.previewCount, 0);
    QVERIFY(window.fakeDialogs.messages.isEmpty());
}

void TestListEditing::busyWindowKeepsItsRows_data() {
    QTest::addColumn<bool>("byKey");
    QTest::newRow("Delete key") << true;
    QTest::newRow("double click") << false;
}

void TestListEditing::busyWindowKeepsItsRows() {
    QFETCH(bool, byKey);
    FakeFileSystem fileSystem;
    FakeWindow window(fileSystem);
    FillThreeRows(window);
    window.pointerSetting = PointerSetting::Hourglass;
    if (byKey)
        ListView1_KeyDown(window, kDeleteKeyCode, 1);
    else
        RemoveSelectedEntry(window, 1);
    QCOMPARE(SelectedFolder(window, 1), QString());
    QCOMPARE(window.column(FolderListModel::kNow), kNows);
    QCOMPARE(window.column(FolderListModel::kNewName), KeptTexts({0, 1, 2}));
    QCOMPARE(window.pointerSetting, PointerSetting::Hourglass);
    QCOMPARE(window.previewCount, 0);
    QVERIFY(window.fakeDialogs.messages.isEmpty());
}

void TestListEditing::removeSelectedEntryDirectly() {
    FakeFileSystem fileSystem;
    FakeWindow window(fileSystem);
    FillThreeRows(window);
    window.list.appendRow(kNows[0]);
    window.pointerSetting = PointerSetting::Custom;
    // The duplicate at the end goes; the first row of the same path stays.
    RemoveSelectedEntry(window, 3);
    QCOMPARE(window.column(FolderListModel::kNow), kNows);
    RemoveSelectedEntry(window, 0);
    QCOMPARE(window.column(FolderListModel::kNow), kNows.mid(1));
    QCOMPARE(window.column(FolderListModel::kNewName), KeptTexts({1, 2}));
    QCOMPARE(window.previewCount, 0);
    // The root, chosen in the browser, is named as a person names it.
    window.list.appendRow(QStringLiteral("//"));
    QCOMPARE(SelectedFolder(window, 2), QStringLiteral("/"));
}

QTEST_GUILESS_MAIN(TestListEditing)
#include "tst_listediting.moc"
