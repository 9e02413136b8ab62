#include "app/form1.h"
#include "app/handcursor.h"
#include "app/listdelegate.h"
#include "folders/folderlist.h"
#include "platform/filesystem.h"
#include "tests/support/fakedialogs.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <algorithm>
#include <cmath>
#include <memory>
#include <tuple>

using namespace tarnwick;
using tarnwick::test::FakeUserDialogs;

namespace {

const QString kResources = QStringLiteral(TARNWICK_SOURCE_DIR "/app/resources");

// Counts the preview passes the window runs.
class CountingForm1 : public Form1 {
public:
    using Form1::Form1;
    void previewRename() override {
        ++previews;
        Form1::previewRename();
    }
    int previews = 0;
};

// A program folder of its own for each test, with the shipped files the test asks for.
struct Program {
    QTemporaryDir folder;
    FakeUserDialogs dialogs;
    int draw = 50;
    // None by default: a test never reads the user's own.
    DesktopPlaces desktop;
    std::unique_ptr<CountingForm1> window;

    void ship(const QString& name, const QByteArray& contents) {
        const QString path = folder.filePath(name);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }
    void shipResource(const QString& name) {
        QFile source(kResources + u'/' + name);
        QVERIFY(source.open(QIODevice::ReadOnly));
        ship(name, source.readAll());
    }
    Form1& start() {
        window = std::make_unique<CountingForm1>(Form1Dependencies{
            dialogs, HostFileSystem(), folder.path(), [this] { return draw; }, desktop});
        window->Form_Load();
        return *window;
    }
};

QRect InTwips(Form1& window, int left, int top, int width, int height) {
    return QRect(window.twips(left), window.twips(top), window.twips(width), window.twips(height));
}

// Contrast as the accessibility guidelines define it, worked out here on its own.
double Contrast(const QColor& a, const QColor& b) {
    auto luminance = [](const QColor& colour) {
        auto linear = [](double c) {
            return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
               0.0722 * linear(colour.blueF());
    };
    const double la = luminance(a.toRgb());
    const double lb = luminance(b.toRgb());
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace

class TestForm1 : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { qApp->setStyleSheet(QString()); }
    void controlsStandAtTheirPlaces_data();
    void controlsStandAtTheirPlaces();
    void windowIsFixedWithMinimizeBoxOnly();
    void fontsOfTheDesign();
    void focusOrder();
    void startsEmptyWithFirstOperationAndSubfoldersChecked();
    void columnsAreWideEnoughToScrollSideways();
    void startUpSelectionRunsThePreviewPass();
    void choosingAnOperationPreviewsOnce_data();
    void choosingAnOperationPreviewsOnce();
    void helpNamesTheContactPage();
    void homePageOpensOnlyOnASeven_data();
    void homePageOpensOnlyOnASeven();
    void drawStaysWithinOneToHundred();
    void drawIsSpreadOverTheDay();
    void withoutSkinTheWindowStaysWhite();
    void skinRecoloursAndStylesTheWindow();
    void invalidSkinIsReportedAndStartUpGoesOn();
    void shippedHandCursorLoadsWithItsHotspot();
    void missingHandCursorIsSilent();
    void invalidHandCursorIsReportedAndStartUpGoesOn();
    void pointerFeedback_data();
    void pointerFeedback();
    void hourglassIsNeverReplaced();
    void deleteKeyRemovesOnlyWithKeyCode46();
    void doubleClickRemovesTheRow();
    void undoLastRun_data();
    void undoLastRun();
    void readableInEveryPalette_data();
    void readableInEveryPalette();
    void pathsGiveWayOnTheLeft();
    void screenReaderHearsTheMark();
    void droppedFolders_data();
    void droppedFolders();
    void commandLineFoldersThenOneBoxOfSkippedPaths();
    void screenReaderReadsTheListAfterBulkChanges_data();
    void screenReaderReadsTheListAfterBulkChanges();
    void keysClickTheirButtons();
    void listMenuActsOnTheChosenRow();
};

void TestForm1::controlsStandAtTheirPlaces_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("twips");
    // The key that clicks a button, shown in its tooltip.
    QTest::addColumn<QString>("key");
    QTest::newRow("list") << "ListView1"
                          << "" << QRect(120, 120, 7800, 2535) << "";
    QTest::newRow("add") << "PushButton3"
                         << "Add Folder(s)" << QRect(120, 2745, 3840, 405) << "Ctrl+O";
    QTest::newRow("clear") << "PushButton1"
                           << "Clear List" << QRect(4080, 2745, 3840, 405) << "";
    QTest::newRow("help") << "PushButton4"
                          << "Help" << QRect(120, 3255, 3840, 405) << "F1";
    QTest::newRow("samples") << "PushButton6"
                             << "Load Sample/Example Folders" << QRect(4080, 3255, 3840, 405) << "";
    QTest::newRow("case frame") << "Frame1"
                                << "Case Option" << QRect(120, 3690, 7800, 800) << "";
    QTest::newRow("operation box") << "Combo1"
                                   << "" << QRect(240, 300, 7320, 345) << "";
    QTest::newRow("subfolder frame") << "Frame2"
                                     << "Subfolder Option" << QRect(120, 4530, 7800, 675) << "";
    QTest::newRow("subfolder option")
        << "Check1"
        << "Add subfolders when adding folders" << QRect(240, 300, 3495, 255) << "";
    QTest::newRow("run") << "PushButton2"
                         << "Start Renaming (Execute)" << QRect(120, 5325, 7800, 405)
                         << "Ctrl+Return";
}

void TestForm1::controlsStandAtTheirPlaces() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QRect, twips);
    QFETCH(QString, key);
    Program program;
    Form1& window = program.start();
    auto* control = window.findChild<QWidget*>(name);
    QVERIFY(control);
    QCOMPARE(control->geometry(),
             InTwips(window, twips.x(), twips.y(), twips.width(), twips.height()));
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        QCOMPARE(button->text(), caption);
        QCOMPARE(button->shortcut().toString(), key);
        QCOMPARE(button->toolTip(), key.isEmpty() ? QString() : caption + " (" + key + ")");
    }
    if (auto* frame = qobject_cast<QGroupBox*>(control))
        QCOMPARE(frame->title(), caption);
    QVERIFY(!window.findChild<QWidget*>(QStringLiteral("PushButton5")));
}

void TestForm1::windowIsFixedWithMinimizeBoxOnly() {
    Program program;
    Form1& window = program.start();
    QCOMPARE(window.windowTitle(), QStringLiteral("Tarnwick"));
    QCOMPARE(window.minimumSize(), QSize(window.twips(8040), window.twips(5835)));
    QCOMPARE(window.maximumSize(), window.minimumSize());
    QVERIFY(window.windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(!(window.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(!window.windowIcon().pixmap(32).isNull());
}

void TestForm1::fontsOfTheDesign() {
    Program program;
    Form1& window = program.start();
    for (QWidget* control :
         {static_cast<QWidget*>(&window), static_cast<QWidget*>(window.ListView1),
          static_cast<QWidget*>(window.Combo1), static_cast<QWidget*>(window.Check1)}) {
        QCOMPARE(control->font().family(), QStringLiteral("Arial"));
        QVERIFY(control->font().bold());
        QCOMPARE(control->font().pointSizeF(), 9.0);
    }
    for (QPushButton* button : window.findChildren<QPushButton*>()) {
        QCOMPARE(button->font().family(), QStringLiteral("Arial"));
        QVERIFY(button->font().bold());
        QCOMPARE(button->font().pointSizeF(), 11.25);
    }
}

void TestForm1::focusOrder() {
    Program program;
    Form1& window = program.start();
    // As they stand on screen, row by row.
    const QList<QWidget*> expected = {window.ListView1,   window.PushButton3, window.PushButton1,
                                      window.PushButton4, window.PushButton6, window.Combo1,
                                      window.Check1,      window.PushButton2};
    // The widget the Tab key moves to: the next one in the chain that takes focus by Tab.
    auto nextByTab = [](QWidget* from) {
        QWidget* next = from->nextInFocusChain();
        while (next != from && !(next->focusPolicy() & Qt::TabFocus))
            next = next->nextInFocusChain();
        return next;
    };
    for (qsizetype i = 0; i + 1 < expected.size(); ++i)
        QCOMPARE(nextByTab(expected[i]), expected[i + 1]);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(window.ListView1));
}

void TestForm1::startsEmptyWithFirstOperationAndSubfoldersChecked() {
    Program program;
    Form1& window = program.start();
    QCOMPARE(window.folderList().count(), 0);
    QVERIFY(!window.Combo1->isEditable());
    QStringList entries;
    for (int i = 0; i < window.Combo1->count(); ++i)
        entries << window.Combo1->itemText(i);
    QCOMPARE(entries, (QStringList{"Change case of folder(s) to UPPER CASE",
                                   "Change case of folder(s) to lower case",
                                   "Change case of folder(s) to Proper Case",
                                   "Change case of folder(s) to Sentence case"}));
    QCOMPARE(window.Combo1->currentText(),
             QStringLiteral("Change case of folder(s) to UPPER CASE"));
    QVERIFY(window.Check1->isChecked());
    QVERIFY(program.dialogs.messages.isEmpty());
    QCOMPARE(window.applicationTitle(), QStringLiteral("Tarnwick"));
}

void TestForm1::columnsAreWideEnoughToScrollSideways() {
    Program program;
    Form1& window = program.start();
    QHeaderView* header = window.ListView1->header();
    QCOMPARE(header->count(), 2);
    QCOMPARE(window.folderList().headerData(0, Qt::Horizontal).toString(),
             QStringLiteral("Name of Folder(s) - Now"));
    QCOMPARE(window.folderList().headerData(1, Qt::Horizontal).toString(),
             QStringLiteral("Name of Folder(s) - New Name"));
    QCOMPARE(header->sectionSize(0), window.twips(5300));
    QCOMPARE(header->sectionSize(1), window.twips(5300));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(window.ListView1->horizontalScrollBar()->maximum() > 0);
}

void TestForm1::startUpSelectionRunsThePreviewPass() {
    Program program;
    auto window = std::make_unique<Form1>(
        Form1Dependencies{program.dialogs, HostFileSystem(), program.folder.path(), {}});
    window->folderList().appendRow(QStringLiteral("/data/my photos/"));
    QSignalSpy previews(&window->folderList(), &QAbstractItemModel::dataChanged);
    window->Form_Load();
    QCOMPARE(previews.count(), 1);
    QCOMPARE(window->folderList().text(0, 1), QStringLiteral("/data/MY PHOTOS/"));
}

void TestForm1::choosingAnOperationPreviewsOnce_data() {
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("newPath");
    QTest::newRow("another entry") << 2 << QStringLiteral("/data/My Photos/");
    QTest::newRow("the entry already selected") << 0 << QStringLiteral("/data/MY PHOTOS/");
}

// Each choice previews once, also of the entry already selected: a second run after the first
// needs the same operation again, over the paths the first run left.
void TestForm1::choosingAnOperationPreviewsOnce() {
    QFETCH(int, entry);
    QFETCH(QString, newPath);
    Program program;
    Form1& window = program.start();
    window.folderList().appendRow(QStringLiteral("/data/my photos/"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QSignalSpy previews(&window.folderList(), &QAbstractItemModel::dataChanged);
    // As a person chooses: open the box, pick the entry, press Enter.
    window.Combo1->showPopup();
    QAbstractItemView* popup = window.Combo1->view();
    QTRY_VERIFY(popup->isVisible());
    popup->setCurrentIndex(popup->model()->index(entry, 0));
    QTest::keyClick(popup, Qt::Key_Return);
    QCOMPARE(window.Combo1->currentIndex(), entry);
    QCOMPARE(previews.count(), 1);
    QCOMPARE(window.folderList().text(0, 1), newPath);
}

void TestForm1::helpNamesTheContactPage() {
    Program program;
    Form1& window = program.start();
    QTest::mouseClick(window.PushButton4, Qt::LeftButton);
    QCOMPARE(program.dialogs.messages.size(), 1);
    const auto& message = program.dialogs.messages.first();
    QCOMPARE(message.text, QStringLiteral("Questions? Please contact Team Vantrel at "
                                          "https://www.tarnwick.example/contact/"));
    QCOMPARE(message.title, QStringLiteral("Tarnwick"));
    QCOMPARE(message.buttons, MessageButtons::Ok);
    QCOMPARE(message.icon, MessageIcon::None);
}

void TestForm1::homePageOpensOnlyOnASeven_data() {
    QTest::addColumn<int>("draw");
    QTest::addColumn<bool>("opens");
    QTest::newRow("seven") << 7 << true;
    QTest::newRow("one") << 1 << false;
    QTest::newRow("hundred") << 100 << false;
}

void TestForm1::homePageOpensOnlyOnASeven() {
    QFETCH(int, draw);
    QFETCH(bool, opens);
    Program program;
    program.draw = draw;
    program.start();
    QCOMPARE(program.dialogs.openedAddresses,
             opens ? QStringList{"https://www.tarnwick.example/"} : QStringList{});
}

void TestForm1::drawStaysWithinOneToHundred() {
    const int drawn = DrawFromTimeOfDay();
    QVERIFY(drawn >= 1 && drawn <= 100);
}

// Neighbouring seconds draw unrelated numbers: the home page opens about one start in a hundred,
// whatever the time of day, never for minutes on end.
void TestForm1::drawIsSpreadOverTheDay() {
    int sevens = 0;
    int run = 0;
    int longestRun = 0;
    for (std::uint32_t second = 0; second < 86400; ++second) {
        const int drawn = DrawOneToHundred(second);
        QVERIFY(drawn >= 1 && drawn <= 100);
        run = drawn == 7 ? run + 1 : 0;
        sevens += drawn == 7;
        longestRun = std::max(longestRun, run);
    }
    QVERIFY2(sevens >= 432 && sevens <= 1296, qPrintable(QString::number(sevens)));
    QVERIFY2(longestRun <= 3, qPrintable(QString::number(longestRun)));
}

void TestForm1::withoutSkinTheWindowStaysWhite() {
    Program program;
    Form1& window = program.start();
    for (QWidget* control :
         {static_cast<QWidget*>(&window), static_cast<QWidget*>(window.Frame1),
          static_cast<QWidget*>(window.Frame2), static_cast<QWidget*>(window.Check1)})
        QCOMPARE(control->palette().color(QPalette::Window), QColor(Qt::white));
    QVERIFY(window.skin().styleSheet().isEmpty());
    QVERIFY(program.dialogs.messages.isEmpty());
}

void TestForm1::skinRecoloursAndStylesTheWindow() {
    Program program;
    program.shipResource(QStringLiteral("x/o.cjs"));
    Form1& window = program.start();
    QVERIFY(program.dialogs.messages.isEmpty());
    const QColor face = window.palette().color(QPalette::Button);
    QVERIFY(face != QColor(Qt::white));
    for (QWidget* control :
         {static_cast<QWidget*>(&window), static_cast<QWidget*>(window.Frame1),
          static_cast<QWidget*>(window.Frame2), static_cast<QWidget*>(window.Check1)})
        QCOMPARE(control->palette().color(QPalette::Window), face);
    QVERIFY(!window.skin().styleSheet().isEmpty());
    QCOMPARE(qApp->styleSheet(), window.skin().styleSheet());
    QVERIFY(window.skin().options() & SkinFramework1::kOptionEnabled);
}

void TestForm1::invalidSkinIsReportedAndStartUpGoesOn() {
    Program program;
    program.ship(QStringLiteral("x/o.cjs"), "QWidget { color: red; ");
    Form1& window = program.start();
    const QStringList errors = program.dialogs.errors();
    QCOMPARE(errors.size(), 1);
    QVERIFY(errors[0].contains(
        QStringLiteral("\r\nin Brisquel2021/08/31.Form1.Form_Load at line 100\r\r")));
    QVERIFY(qApp->styleSheet().isEmpty());
    QCOMPARE(window.Combo1->count(), 4);
    QCOMPARE(window.windowTitle(), QStringLiteral("Tarnwick"));
}

void TestForm1::shippedHandCursorLoadsWithItsHotspot() {
    Program program;
    program.shipResource(QStringLiteral("HAND-M.CUR"));
    Form1& window = program.start();
    QVERIFY(program.dialogs.messages.isEmpty());
    QVERIFY(window.handPointer().has_value());
    QFile file(kResources + QStringLiteral("/HAND-M.CUR"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const std::optional<QPoint> hotspot = CursorFileHotspot(file.readAll());
    QVERIFY(hotspot);
    QCOMPARE(window.handPointer()->hotSpot(), *hotspot);
    QCOMPARE(window.handPointer()->pixmap().size(), QSize(32, 32));
    window.setPointer(PointerSetting::Custom);
    QCOMPARE(window.cursor().shape(), Qt::BitmapCursor);
}

void TestForm1::missingHandCursorIsSilent() {
    Program program;
    Form1& window = program.start();
    QVERIFY(program.dialogs.messages.isEmpty());
    QVERIFY(!window.handPointer().has_value());
    window.setPointer(PointerSetting::Custom);
    QCOMPARE(window.cursor().shape(), Qt::PointingHandCursor);
}

void TestForm1::invalidHandCursorIsReportedAndStartUpGoesOn() {
    Program program;
    program.ship(QStringLiteral("HAND-M.CUR"), "this is not a cursor, only text");
    Form1& window = program.start();
    const QStringList errors = program.dialogs.errors();
    QCOMPARE(errors.size(), 1);
    QVERIFY(
        errors[0].contains(QStringLiteral("in Brisquel2021/08/31.Form1.Form_Load at line 108")));
    QVERIFY(!window.handPointer().has_value());
    QCOMPARE(window.Combo1->count(), 4);
    QCOMPARE(window.ListView1->header()->sectionSize(1), window.twips(5300));
}

void TestForm1::pointerFeedback_data() {
    QTest::addColumn<QString>("over");
    QTest::addColumn<int>("expected");
    for (const char* button :
         {"PushButton1", "PushButton2", "PushButton3", "PushButton4", "PushButton6"})
        QTest::newRow(button) << button << int(PointerSetting::Custom);
    QTest::newRow("list") << "ListView1" << int(PointerSetting::Default);
    QTest::newRow("case frame") << "Frame1" << int(PointerSetting::Default);
    QTest::newRow("subfolder frame") << "Frame2" << int(PointerSetting::Default);
    QTest::newRow("window") << "Form1" << int(PointerSetting::Default);
}

void TestForm1::pointerFeedback() {
    QFETCH(QString, over);
    QFETCH(int, expected);
    Program program;
    Form1& window = program.start();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QWidget* target = over == QStringLiteral("Form1") ? &window : window.findChild<QWidget*>(over);
    if (auto* list = qobject_cast<QTreeView*>(target))
        target = list->viewport();
    // From the other side of the table first, so the move has something to change.
    window.setPointer(expected == int(PointerSetting::Custom) ? PointerSetting::Default
                                                              : PointerSetting::Custom);
    const QPoint inside = over == QStringLiteral("Form1") ? QPoint(2, 2) : QPoint(3, 3);
    QTest::mouseMove(target, inside);
    QTRY_COMPARE(int(window.pointer()), expected);
}

void TestForm1::hourglassIsNeverReplaced() {
    Program program;
    Form1& window = program.start();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.setPointer(PointerSetting::Hourglass);
    QTest::mouseMove(window.PushButton3, QPoint(4, 4));
    QTest::mouseMove(window.ListView1->viewport(), QPoint(4, 4));
    QTest::mouseMove(window.Frame1, QPoint(2, 2));
    QTest::qWait(20);
    QCOMPARE(window.pointer(), PointerSetting::Hourglass);
    QCOMPARE(window.cursor().shape(), Qt::WaitCursor);
}

void TestForm1::deleteKeyRemovesOnlyWithKeyCode46() {
    QCOMPARE(VirtualKeyCode(Qt::Key_Delete), 46);
    QVERIFY(VirtualKeyCode(Qt::Key_Period) != 46);
    QCOMPARE(VirtualKeyCode(Qt::Key_Backspace), 8);
    Program program;
    Form1& window = program.start();
    window.folderList().appendRows({"/a/one/", "/a/two/", "/a/three/"});
    window.ListView1->setCurrentIndex(window.folderList().index(1, 0));
    for (Qt::Key key : {Qt::Key_Period, Qt::Key_Backspace, Qt::Key_Space})
        QTest::keyClick(window.ListView1, key);
    QCOMPARE(window.folderList().count(), 3);
    QTest::keyClick(window.ListView1, Qt::Key_Delete);
    QCOMPARE(window.folderList().count(), 2);
    QCOMPARE(window.folderList().text(1, 0), QStringLiteral("/a/three/"));
}

void TestForm1::doubleClickRemovesTheRow() {
    Program program;
    Form1& window = program.start();
    window.folderList().appendRows({"/a/one/", "/a/two/"});
    window.previewRename();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QRect row = window.ListView1->visualRect(window.folderList().index(0, 0));
    QTest::mouseClick(window.ListView1->viewport(), Qt::LeftButton, {}, row.center());
    QTest::mouseDClick(window.ListView1->viewport(), Qt::LeftButton, {}, row.center());
    QCOMPARE(window.folderList().count(), 1);
    QCOMPARE(window.folderList().text(0, 0), QStringLiteral("/a/two/"));
    QCOMPARE(window.folderList().text(0, 1), QStringLiteral("/a/TWO/"));
}

void TestForm1::undoLastRun_data() {
    QTest::addColumn<bool>("byKey");
    QTest::newRow("Ctrl+Z") << true;
    QTest::newRow("the list's context menu") << false;
}

// Offered only after a run that renamed something, and only once.
void TestForm1::undoLastRun() {
    QFETCH(bool, byKey);
    QTemporaryDir disk;
    QVERIFY(QDir(disk.path()).mkpath(QStringLiteral("one/deep")));
    Program program;
    Form1& window = program.start();
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QCOMPARE(window.ListView1->contextMenuPolicy(), Qt::ActionsContextMenu);
    QAction* undo = nullptr;
    for (QAction* action : window.ListView1->actions()) {
        if (action->text() == QStringLiteral("Undo Last Run"))
            undo = action;
    }
    QVERIFY(undo);
    window.addFolders({disk.filePath(QStringLiteral("one"))});
    QVERIFY(!undo->isEnabled());
    window.PushButton2->click();
    QVERIFY(QDir(disk.filePath(QStringLiteral("ONE/DEEP"))).exists());
    QVERIFY(undo->isEnabled());
    // One line in the caption, which a screen reader reads as the window's name, until the next
    // action.
    const QString told = QStringLiteral("Tarnwick \u2013 2 renamed, 0 not renamed");
    QCOMPARE(window.windowTitle(), told);
    QCOMPARE(QAccessible::queryAccessibleInterface(&window)->text(QAccessible::Name), told);
    window.Check1->click();
    QCOMPARE(window.windowTitle(), QStringLiteral("Tarnwick"));

    if (byKey)
        QTest::keyClick(window.Combo1, Qt::Key_Z, Qt::ControlModifier);
    else
        undo->trigger();
    QCOMPARE(window.windowTitle(), told);
    QVERIFY(QDir(disk.filePath(QStringLiteral("one/deep"))).exists());
    QCOMPARE(window.folderList().text(0, 0), disk.filePath(QStringLiteral("one/deep/")));
    QCOMPARE(window.folderList().text(1, 0), disk.filePath(QStringLiteral("one/")));
    QCOMPARE(window.folderList().text(0, 1), QString());
    QVERIFY(!undo->isEnabled());
    QCOMPARE(program.dialogs.errors(), QStringList{});
}

void TestForm1::droppedFolders_data() {
    QTest::addColumn<QStringList>("addresses"); // "@" stands for the test's temporary folder
    QTest::addColumn<Qt::DropActions>("offered");
    QTest::addColumn<bool>("busy");
    QTest::addColumn<int>("taken"); // the drop action, 0 when the drag is refused
    QTest::addColumn<QStringList>("rows");

    const Qt::DropActions all = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
    const QStringList bothFolders{"@/two/x/", "@/two/", "@/one/deep/er/", "@/one/deep/", "@/one/"};
    QTest::newRow("two folders: in the order dropped, each deepest first")
        << QStringList{"file://@/two", "file://@/one/"} << all << false << int(Qt::CopyAction)
        << bothFolders;
    QTest::newRow("a file alone is refused")
        << QStringList{"file://@/notes.txt"} << all << false << 0 << QStringList{};
    QTest::newRow("a folder among a file and other machines' addresses")
        << QStringList{"file://@/notes.txt", "https://example.com/two", "file://elsewhere@/one",
                       "file://localhost@/two"}
        << all << false << int(Qt::CopyAction) << QStringList{"@/two/x/", "@/two/"};
    QTest::newRow("never taken as a move")
        << QStringList{"file://@/one"} << Qt::DropActions(Qt::MoveAction) << false << 0
        << QStringList{};
    QTest::newRow("refused while the hourglass shows")
        << QStringList{"file://@/one"} << all << true << 0 << QStringList{};
}

// Started from a menu or a file manager, the user sees no standard error: the window tells it.
void TestForm1::commandLineFoldersThenOneBoxOfSkippedPaths() {
    QTemporaryDir disk;
    QVERIFY(QDir(disk.path()).mkpath(QStringLiteral("one/deep")));
    Program program;
    Form1& window = program.start();
    program.dialogs.messages.clear();
    CommandLine line;
    line.folders << disk.filePath(QStringLiteral("one"));
    line.skipped = {{QStringLiteral("notes.txt"), SkipReason::NotAFolder},
                    {QStringLiteral("/gone"), SkipReason::Missing}};
    window.takeCommandLine(line);
    QCOMPARE(window.folderList().count(), 2);
    QCOMPARE(program.dialogs.messages.size(), 1);
    const FakeUserDialogs::Message& box = program.dialogs.messages[0];
    QVERIFY2(box.text.endsWith(u"\n\nnotes.txt: not a folder\n/gone: no such file or folder"),
             qPrintable(box.text));
    QCOMPARE(box.title, window.applicationTitle());

    program.dialogs.messages.clear();
    line.skipped.clear();
    window.takeCommandLine(line);
    QCOMPARE(program.dialogs.messages.size(), 0);
}

void TestForm1::droppedFolders() {
    QFETCH(QStringList, addresses);
    QFETCH(Qt::DropActions, offered);
    QFETCH(bool, busy);
    QFETCH(int, taken);
    QFETCH(QStringList, rows);
    QTemporaryDir disk;
    QVERIFY(QDir(disk.path()).mkpath(QStringLiteral("one/deep/er")));
    QVERIFY(QDir(disk.path()).mkpath(QStringLiteral("two/x")));
    QFile notes(disk.filePath(QStringLiteral("notes.txt")));
    QVERIFY(notes.open(QIODevice::WriteOnly));
    notes.close();
    Program program;
    CountingForm1& window = static_cast<CountingForm1&>(program.start());
    window.previews = 0;
    if (busy)
        window.setPointer(PointerSetting::Hourglass);

    QMimeData data;
    QList<QUrl> urls;
    for (QString address : addresses)
        urls << QUrl(address.replace(u'@', disk.path()));
    data.setUrls(urls);
    const QPointF inside(window.width() / 2.0, window.height() / 4.0);
    QDragEnterEvent enter(inside.toPoint(), offered, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    QDropEvent drop(inside, offered, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
    QCOMPARE(enter.isAccepted(), taken != 0);
    QCOMPARE(drop.isAccepted(), taken != 0);
    if (taken)
        QCOMPARE(int(drop.dropAction()), taken);
    // The folders are added once the drop has returned to the file manager.
    QCoreApplication::sendPostedEvents(&window, QEvent::MetaCall);

    for (QString& row : rows)
        row.replace(u'@', disk.path());
    QCOMPARE(window.folderList().count(), rows.size());
    for (int i = 0; i < rows.size(); ++i)
        QCOMPARE(window.folderList().text(i, 0), rows[i]);
    QCOMPARE(window.previews, rows.isEmpty() ? 0 : 1);
    QCOMPARE(window.pointer(), busy ? PointerSetting::Hourglass : PointerSetting::Default);
    QCOMPARE(program.dialogs.errors(), QStringList{});
}

enum class ListHistory { Empty, AlreadyListed, Cleared, RowRemoved };

void TestForm1::screenReaderReadsTheListAfterBulkChanges_data() {
    QTest::addColumn<ListHistory>("history");
    QTest::addColumn<int>("added");
    QTest::addColumn<int>("expectedRows");
    QTest::newRow("one row into an empty list") << ListHistory::Empty << 1 << 1;
    QTest::newRow("many rows into an empty list") << ListHistory::Empty << 3000 << 3000;
    QTest::newRow("added below a listed folder") << ListHistory::AlreadyListed << 3000 << 3001;
    QTest::newRow("added after clearing the list") << ListHistory::Cleared << 3000 << 3000;
    QTest::newRow("a row removed after adding") << ListHistory::RowRemoved << 3000 << 3000;
}

// A screen reader asks the list, through its accessible table, how many rows it has and what
// each cell says; after any bulk change it must be told the list as it now is.
void TestForm1::screenReaderReadsTheListAfterBulkChanges() {
    QFETCH(ListHistory, history);
    QFETCH(int, added);
    QFETCH(int, expectedRows);
    Program program;
    Form1& window = program.start();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    FolderListModel& list = window.folderList();
    if (history != ListHistory::Empty)
        list.appendRows({QStringLiteral("/listed before/")});
    if (history == ListHistory::Cleared)
        list.removeAll();
    QStringList rows;
    for (int i = 0; i < added; ++i)
        rows << QStringLiteral("/tree/mY FoLdEr %1/").arg(i);
    list.appendRows(rows);
    if (history == ListHistory::RowRemoved)
        list.removeEntry(0);
    window.previewRename();
    // A screen reader's questions arrive through the event loop.
    QCoreApplication::processEvents();

    QAccessibleInterface* view = QAccessible::queryAccessibleInterface(window.ListView1);
    QVERIFY(view);
    QAccessibleTableInterface* table = view->tableInterface();
    QVERIFY(table);
    QCOMPARE(table->rowCount(), expectedRows);
    QCOMPARE(table->columnCount(), 2);
    QCOMPARE(table->columnDescription(0), QStringLiteral("Name of Folder(s) - Now"));
    QCOMPARE(table->columnDescription(1), QStringLiteral("Name of Folder(s) - New Name"));
    for (int row : {0, expectedRows / 2, expectedRows - 1}) {
        for (int column : {0, 1}) {
            QAccessibleInterface* cell = table->cellAt(row, column);
            QVERIFY2(cell, qPrintable(QStringLiteral("cell %1, %2").arg(row).arg(column)));
            QVERIFY(!list.text(row, column).isEmpty());
            QCOMPARE(cell->text(QAccessible::Name), list.text(row, column));
        }
    }
}

void TestForm1::readableInEveryPalette_data() {
    QTest::addColumn<bool>("dark");
    QTest::addColumn<bool>("skinned");
    QTest::newRow("light") << false << false;
    QTest::newRow("light, skinned") << false << true;
    QTest::newRow("dark") << true << false;
    QTest::newRow("dark, skinned") << true << true;
}

// Every control's text against the background it is drawn on, and every mark on the list.
void TestForm1::readableInEveryPalette() {
    QFETCH(bool, dark);
    QFETCH(bool, skinned);
    const QPalette desktop = qApp->palette();
    if (dark)
        qApp->setPalette(QPalette(QColor(0x29, 0x2c, 0x30), QColor(0x20, 0x23, 0x26)));
    Program program;
    if (skinned)
        program.shipResource(QStringLiteral("x/o.cjs"));
    Form1& window = program.start();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    using Role = QPalette::ColorRole;
    QList<std::tuple<QWidget*, Role, Role>> pairs = {
        {&window, QPalette::WindowText, QPalette::Window},
        {window.Frame1, QPalette::Text, QPalette::Window},
        {window.Frame2, QPalette::Text, QPalette::Window},
        {window.Check1, window.Check1->foregroundRole(), window.Check1->backgroundRole()},
        {window.Check1, QPalette::Text, QPalette::Base},
        {window.Combo1, QPalette::ButtonText, QPalette::Button},
        {window.Combo1->view(), QPalette::Text, QPalette::Base},
        {window.ListView1, QPalette::Text, QPalette::Base}};
    for (QPushButton* button : window.findChildren<QPushButton*>())
        pairs.append({button, QPalette::ButtonText, QPalette::Button});
    for (const auto& [control, text, background] : pairs) {
        const QColor fore = control->palette().color(text);
        const QColor back = control->palette().color(background);
        QVERIFY2(Contrast(fore, back) >= 4.5,
                 qPrintable(control->objectName() + ": " + fore.name() + " on " + back.name()));
    }
    const QPalette list = window.ListView1->palette();
    for (RowMark mark : {RowMark::NoChange, RowMark::Collision, RowMark::NotDone}) {
        const MarkLook look = MarkLookFor(mark, list);
        const QColor background =
            look.background.isValid() ? look.background : list.color(QPalette::Base);
        QVERIFY2(Contrast(look.text, background) >= 4.5, qPrintable(look.text.name()));
        // The mark stands out from the rows around it.
        QVERIFY(look.text != list.color(QPalette::Text));
    }
    window.close();
    qApp->setPalette(desktop);
}

// The folder's own name is what changes; a narrow column keeps it and gives up the path's head,
// a whole folder name at a time.
void TestForm1::pathsGiveWayOnTheLeft() {
    const QString path = QStringLiteral("/home/ann/photos/2019/holiday/");
    const QFontMetrics metrics(QFont(QStringLiteral("Arial"), 9));
    for (const QString& shown :
         {path, QStringLiteral("\u2026/2019/holiday/"), QStringLiteral("\u2026/holiday/")})
        QCOMPARE(ElidePathLeft(path, metrics, metrics.horizontalAdvance(shown), u'/'), shown);
    const QString cut = ElidePathLeft(path, metrics, 20, u'/');
    QVERIFY(cut.startsWith(QChar(0x2026)) && metrics.horizontalAdvance(cut) <= 20);
    Program program;
    QCOMPARE(program.start().ListView1->textElideMode(), Qt::ElideLeft);
}

void TestForm1::screenReaderHearsTheMark() {
    Program program;
    Form1& window = program.start();
    window.folderList().appendRows({"/mix/Data/", "/mix/DATA/"});
    window.previewRename();
    window.folderList().markNotDone(1, QStringLiteral("Not found on disk"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(window.ListView1);
    QVERIFY(list && list->tableInterface());
    auto description = [&](int row, int column) {
        QAccessibleInterface* cell = list->tableInterface()->cellAt(row, column);
        return cell ? cell->text(QAccessible::Description) : QStringLiteral("no cell");
    };
    QCOMPARE(description(0, 1), QStringLiteral("Another listed folder gets this name: /mix/DATA/"));
    QCOMPARE(description(1, 0), QStringLiteral("Not found on disk"));
}

// Wherever the focus is in the window, the keys click their buttons.
void TestForm1::keysClickTheirButtons() {
    Program program;
    Form1& window = program.start();
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(window.ListView1, Qt::Key_F1);
    QTRY_COMPARE(program.dialogs.messages.size(), 1);
    QVERIFY(program.dialogs.messages[0].text.startsWith(QStringLiteral("Questions?")));
    QTest::keyClick(window.Combo1, Qt::Key_Enter, Qt::ControlModifier | Qt::KeypadModifier);
    QTRY_COMPARE(program.dialogs.messages.size(), 2);
    QCOMPARE(program.dialogs.messages[1].text, QStringLiteral("No files added."));
    QTest::keyClick(window.Check1, Qt::Key_O, Qt::ControlModifier);
    QTRY_COMPARE(program.dialogs.browses.size(), 1);
}

// Each action is greyed out where it cannot act; what they do reaches the chosen row only, and
// removing it previews nothing.
void TestForm1::listMenuActsOnTheChosenRow() {
    Program program;
    Form1& window = program.start();
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QStringList texts;
    for (QAction* action : window.ListView1->actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    QCOMPARE(texts,
             (QStringList{"Remove from List", "Open Folder", "Copy Path", "-", "Undo Last Run"}));
    const QList<QAction*> onRow = {window.RemoveAction, window.OpenFolderAction,
                                   window.CopyPathAction};
    const auto enabled = [&] {
        return std::count_if(onRow.begin(), onRow.end(), [](QAction* a) { return a->isEnabled(); });
    };
    QCOMPARE(enabled(), 0);
    FolderListModel& list = window.folderList();
    list.appendRows({"/a/one/", "/a/two/", "/a/three/", "/a/four/"});
    window.previewRename();
    const int previews = program.window->previews;
    QCOMPARE(enabled(), 0);
    window.ListView1->setFocus();
    window.ListView1->setCurrentIndex(list.index(1, 0));
    QCOMPARE(enabled(), 3);
    window.setPointer(PointerSetting::Hourglass);
    QCOMPARE(enabled(), 0);
    window.setPointer(PointerSetting::Default);

    window.CopyPathAction->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("/a/two"));
    window.OpenFolderAction->trigger();
    QCOMPARE(program.dialogs.openedFolders, QStringList{"/a/two"});
    program.dialogs.shellAvailable = false;
    window.OpenFolderAction->trigger();
    QCOMPARE(program.dialogs.messages.size(), 1);
    QCOMPARE(program.dialogs.messages[0].text,
             QStringLiteral("The folder could not be opened: /a/two"));

    // The row below takes the removed one's place and is chosen next, by the menu and by the key.
    window.RemoveAction->trigger();
    QTest::keyClick(window.ListView1, Qt::Key_Delete);
    QCOMPARE(list.count(), 2);
    QCOMPARE(list.text(0, 0), QStringLiteral("/a/one/"));
    QCOMPARE(list.text(1, 0), QStringLiteral("/a/four/"));
    QCOMPARE(list.text(1, 1), QStringLiteral("/a/FOUR/"));
    QCOMPARE(window.ListView1->currentIndex().row(), 1);
    QCOMPARE(program.window->previews, previews);
    window.PushButton1->click();
    QCOMPARE(enabled(), 0);
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
