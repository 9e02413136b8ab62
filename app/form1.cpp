#include "app/form1.h"
#include "common/labels.h"

#include "app/apptitle.h"
#include "app/contrast.h"
#include "app/folderdrop.h"
#include "app/folderlistview.h"
#include "app/handcursor.h"
#include "app/help.h"
#include "app/listdelegate.h"
#include "app/samples.h"
#include "app/translations.h"
#include "common/product.h"
#include "folders/addfolders.h"
#include "folders/knownfolders.h"
#include "folders/listediting.h"
#include "platform/filesystem.h"
#include "platform/pump.h"
#include "platform/userdialogs.h"
#include "rename/recovery.h"
#include "rename/renamerun.h"
#include "rename/undo.h"
#include "transform/operations.h"
#include "transform/preview.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDropEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QTreeView>

namespace tarnwick {

Form1::Form1(Form1Dependencies dependencies, QWidget* parent)
    : QWidget(parent), m_dependencies(std::move(dependencies)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    buildControls();
    placeControls();
    wireEvents();
    setAcceptDrops(true);
}

Form1::~Form1() = default;

int Form1::twips(int length) const {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const qreal dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    return qRound(length * dpi / 1440.0);
}

void Form1::buildControls() {
    QFont windowFont(QStringLiteral("Arial"), 9);
    windowFont.setBold(true);
    setFont(windowFont);
    QFont buttonFont(QStringLiteral("Arial"));
    buttonFont.setPointSizeF(11.25);
    buttonFont.setBold(true);

    // White by design; a skin recolours them at start-up. The text on it is fixed as well, or a
    // dark desktop palette would write white on white.
    const QPalette desktop = palette();
    QPalette white = desktop;
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, TextOn(Qt::white, desktop.color(QPalette::WindowText)));
    setPalette(white);
    setAutoFillBackground(true);

    ListView1 = new FolderListView(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setModel(&m_list);
    ListView1->setRootIsDecorated(false);
    ListView1->setItemsExpandable(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setAllColumnsShowFocus(true);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    ListView1->header()->setStretchLastSection(false);
    ListView1->header()->setSectionsMovable(false);
    // The folder's own name is the part that changes: paths give way on the left.
    ListView1->setTextElideMode(Qt::ElideLeft);
    ListView1->setItemDelegate(new FolderListDelegate(fileSystem().separator(), ListView1));
    // Cells give way to the list's right edge, which moves over them as the list scrolls: what a
    // scroll uncovers must be drawn anew, not moved.
    connect(ListView1->horizontalScrollBar(), &QScrollBar::valueChanged, ListView1->viewport(),
            qOverload<>(&QWidget::update));

    auto makeButton = [&](const char* name, const char* caption) {
        auto* button = new QPushButton(Translated(caption), this);
        button->setObjectName(QString::fromLatin1(name));
        button->setFont(buttonFont);
        button->setAutoDefault(false);
        return button;
    };
    PushButton3 = makeButton("PushButton3", QT_TRANSLATE_NOOP("Tarnwick", "Add Folder(s)"));
    PushButton1 = makeButton("PushButton1", QT_TRANSLATE_NOOP("Tarnwick", "Clear List"));
    PushButton4 = makeButton("PushButton4", QT_TRANSLATE_NOOP("Tarnwick", "Help"));
    PushButton6 =
        makeButton("PushButton6", QT_TRANSLATE_NOOP("Tarnwick", "Load Sample/Example Folders"));
    PushButton2 =
        makeButton("PushButton2", QT_TRANSLATE_NOOP("Tarnwick", "Start Renaming (Execute)"));
    GiveKeys(*PushButton3, {QKeySequence(Qt::CTRL | Qt::Key_O)});
    GiveKeys(*PushButton4, {QKeySequence(Qt::Key_F1)});
    GiveKeys(*PushButton2,
             {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)});

    Frame1 = new QGroupBox(Translated(QT_TRANSLATE_NOOP("Tarnwick", "Case Option")), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Combo1 = new QComboBox(Frame1);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setEditable(false);

    Frame2 = new QGroupBox(Translated(QT_TRANSLATE_NOOP("Tarnwick", "Subfolder Option")), this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Check1 = new QCheckBox(
        Translated(QT_TRANSLATE_NOOP("Tarnwick", "Add subfolders when adding folders")), Frame2);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setChecked(true);
    // A button fills with the button colour; this one stands on the window's white by design.
    Check1->setBackgroundRole(QPalette::Window);
    // Frame titles are drawn in the text colour; it must read on the frames' white too. The box
    // of the check box keeps the desktop's colours, its mark drawn in text colour on base.
    QPalette frames = white;
    frames.setColor(QPalette::Text, TextOn(Qt::white, desktop.color(QPalette::Text)));
    white.setColor(QPalette::Text, desktop.color(QPalette::Text));
    white.setColor(QPalette::Base, desktop.color(QPalette::Base));
    Frame1->setPalette(frames);
    Frame2->setPalette(frames);
    Check1->setPalette(white);
    for (QWidget* control : {static_cast<QWidget*>(Frame1), static_cast<QWidget*>(Frame2),
                             static_cast<QWidget*>(Check1)})
        control->setAutoFillBackground(true);
    // The operation box and its drop-down draw on the desktop's own colours, not on the frame's.
    QPalette own = Combo1->palette();
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::WindowText, QPalette::Text,
                                     QPalette::Base, QPalette::Button, QPalette::ButtonText})
        own.setColor(role, desktop.color(role));
    Combo1->setPalette(own);

    // As the controls stand, row by row.
    setTabOrder(ListView1, PushButton3);
    setTabOrder(PushButton3, PushButton1);
    setTabOrder(PushButton1, PushButton4);
    setTabOrder(PushButton4, PushButton6);
    setTabOrder(PushButton6, Combo1);
    setTabOrder(Combo1, Check1);
    setTabOrder(Check1, PushButton2);
}

void Form1::placeControls() {
    auto place = [this](QWidget* widget, int left, int top, int width, int height) {
        widget->setGeometry(twips(left), twips(top), twips(width), twips(height));
    };
    setFixedSize(twips(8040), twips(5835));
    place(ListView1, 120, 120, 7800, 2535);
    place(PushButton3, 120, 2745, 3840, 405);
    place(PushButton1, 4080, 2745, 3840, 405);
    place(PushButton4, 120, 3255, 3840, 405);
    place(PushButton6, 4080, 3255, 3840, 405);
    place(Frame1, 120, 3690, 7800, 800);
    place(Combo1, 240, 300, 7320, 345);
    place(Frame2, 120, 4530, 7800, 675);
    place(Check1, 240, 300, 3495, 255);
    place(PushButton2, 120, 5325, 7800, 405);
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

void Form1::wireEvents() {
    connect(PushButton3, &QPushButton::clicked, this,
            [this] { handle([this] { PushButton3_Click(*this); }); });
    connect(PushButton1, &QPushButton::clicked, this,
            [this] { handle([this] { PushButton1_Click(*this); }); });
    connect(PushButton2, &QPushButton::clicked, this,
            [this] { handle([this] { tellTally(PushButton2_Click(*this)); }); });
    connect(PushButton4, &QPushButton::clicked, this,
            [this] { handle([this] { PushButton4_Click(*this); }); });
    connect(PushButton6, &QPushButton::clicked, this,
            [this] { handle([this] { PushButton6_Click(*this, m_dependencies.programFolder); }); });
    // Activation, not a change of index: choosing the operation already selected previews again.
    connect(Combo1, &QComboBox::activated, this, [this] { handle([this] { Combo1_Click(); }); });
    connect(Check1, &QCheckBox::clicked, this, [this] { handle([this] { previewRename(); }); });
    connect(ListView1, &QTreeView::doubleClicked, this, [this] { removeSelectedRow(); });
    wireListMenu();
    wireWork();

    ListView1->installEventFilter(this);
    for (QWidget* watched :
         {static_cast<QWidget*>(this), static_cast<QWidget*>(PushButton1),
          static_cast<QWidget*>(PushButton2), static_cast<QWidget*>(PushButton3),
          static_cast<QWidget*>(PushButton4), static_cast<QWidget*>(PushButton6),
          ListView1->viewport(), static_cast<QWidget*>(Frame1), static_cast<QWidget*>(Frame2)}) {
        watched->setMouseTracking(true);
        watched->installEventFilter(this);
    }
}

void Form1::Form_Load() {
    ErrorTrap trap(QString::fromUtf16(kFormLoadLabel), ReportThrough(dialogs()));
    const QString folder = m_dependencies.programFolder;
    trap.step(LoadStep::Skin, [&] { ApplySkin(*this, m_skin, fileSystem(), folder); });
    trap.step(LoadStep::Caption, [&] { setWindowTitle(QString::fromUtf16(product::kName)); });
    trap.step(LoadStep::Icon, [&] { setWindowIcon(QIcon(QStringLiteral(":/tarnwick.png"))); });
    trap.step(LoadStep::ApplicationTitle,
              [&] { m_applicationTitle = SetAppTitle(QString::fromUtf16(product::kName)); });
    trap.step(LoadStep::HandPointer, [&] {
        const QString cursorFile = folder + QStringLiteral("/HAND-M.CUR");
        if (PathExists(fileSystem(), cursorFile))
            m_handPointer = LoadCursorFile(cursorFile);
    });
    trap.step(LoadStep::HomePage, [&] {
        if (m_dependencies.drawOneToHundred && m_dependencies.drawOneToHundred() == 7)
            dialogs().openWebAddress(QString::fromUtf16(product::kHomePage));
    });
    // The list's two columns come with its model, attached when the window was built.
    trap.reach(LoadStep::Columns);
    trap.step(LoadStep::FirstColumnWidth,
              [&] { ListView1->header()->resizeSection(0, twips(5300)); });
    trap.step(LoadStep::SecondColumnWidth,
              [&] { ListView1->header()->resizeSection(1, twips(5300)); });
    {
        // Adding to an empty box selects its first entry at once; the selection is step 9's.
        const QSignalBlocker quiet(Combo1);
        // Each entry shows the user's language and carries the catalogue's text.
        const QStringList keys = OperationTexts();
        const QStringList shown = TranslatedOperationTexts();
        int line = LineOf(LoadStep::FirstOperation);
        for (qsizetype i = 0; i < keys.size(); ++i) {
            trap.step(line, [&] { Combo1->addItem(shown[i], keys[i]); });
            line += 2;
        }
        Combo1->setCurrentIndex(-1);
    }
    // A selection made by the program activates nothing; it counts as the user's choice here.
    trap.step(LoadStep::ChooseOperation, [&] {
        Combo1->setCurrentIndex(0);
        Combo1_Click();
    });
}

void Form1::addFolders(const QStringList& folders) {
    handle([&] { AddChosenFolders(*this, folders); });
}

void Form1::takeCommandLine(const CommandLine& line) {
    if (!line.folders.isEmpty())
        addFolders(line.folders);
    // A window closed while the folders were added has nothing more to say.
    if (!m_unloaded)
        handle([&] { TellSkippedPaths(dialogs(), m_applicationTitle, line.skipped); });
}

void Form1::Combo1_Click() {
    previewRename();
}

void Form1::previewRename() {
    PreviewRename(m_list, operationText(), ReportThrough(dialogs()), fileSystem().separator(),
                  KnownFolders(fileSystem(), knownFolderPaths()));
}

bool Form1::subfolderOptionChecked() const {
    return Check1->isChecked();
}

QString Form1::operationText() const {
    // The catalogue's text behind the entry shown: its key phrase is English in every language.
    const QVariant key = Combo1->currentData();
    return key.isValid() ? key.toString() : Combo1->currentText();
}

void Form1::setPointer(PointerSetting setting) {
    const bool wasBusy = isBusy();
    m_pointer = setting;
    if (wasBusy != isBusy())
        updateListMenu();
    switch (setting) {
    case PointerSetting::Default:
        unsetCursor();
        break;
    case PointerSetting::Hourglass:
        setCursor(Qt::WaitCursor);
        break;
    case PointerSetting::Custom:
        setCursor(m_handPointer ? *m_handPointer : QCursor(Qt::PointingHandCursor));
        break;
    }
}

void Form1::pointerFeedback(PointerSetting target) {
    if (m_pointer != PointerSetting::Hourglass)
        setPointer(target);
}

std::optional<int> Form1::selectedRow() const {
    const QModelIndexList rows = ListView1->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return std::nullopt;
    return rows.first().row();
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ListView1 && event->type() == QEvent::KeyPress) {
        ListView1_KeyDown(*this, VirtualKeyCode(static_cast<QKeyEvent*>(event)->key()),
                          selectedRow());
        return false;
    }
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) {
        // A move that a child did not take reaches the window too; only the bare background counts.
        if (watched == this && event->type() == QEvent::MouseMove &&
            childAt(static_cast<QMouseEvent*>(event)->position().toPoint()))
            return QWidget::eventFilter(watched, event);
        const bool overButton = qobject_cast<QPushButton*>(watched) != nullptr;
        pointerFeedback(overButton ? PointerSetting::Custom : PointerSetting::Default);
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::closeEvent(QCloseEvent* event) {
    // Form_Unload: nothing is saved; the program ends with its window.
    event->accept();
    m_unloaded = true;
    QCoreApplication::quit();
}

void Form1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        ListView1->setFocus(Qt::OtherFocusReason);
        // Once the window stands, so that the question has a window to stand over.
        QTimer::singleShot(0, this, [this] { handle([this] { recoverUnfinishedRuns(); }); });
    }
}

} // namespace tarnwick
