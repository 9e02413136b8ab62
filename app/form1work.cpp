// The window during long work: when it lets itself work, how far the work is, and how to stop a
// run.
#include "app/form1.h"

#include "common/product.h"
#include "folders/folderlist.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QLocale>
#include <QProgressBar>
#include <QShortcut>

namespace tarnwick {

namespace {

// The window needs no more than fifty chances a second to stay painted and take clicks, and each
// costs a trip through the event loop; a slower disk gets one after every folder.
constexpr qint64 kPumpIntervalMs = 20;
// Work shorter than this needs no progress: it would only flicker.
constexpr qint64 kShowWorkAfterMs = 1000;
// The caption is rewritten no faster than this: a number changing faster cannot be read.
constexpr qint64 kShowWorkEveryMs = 250;

constexpr char kRenamingWords[] = QT_TRANSLATE_NOOP("Tarnwick", "renaming %1 of %2");
constexpr char kUndoingWords[] = QT_TRANSLATE_NOOP("Tarnwick", "undoing %1 of %2");
constexpr char kAddingWords[] = QT_TRANSLATE_NOOP("Tarnwick", "adding: %1 folders found");
// Short enough for the caption: pressing "Start Renaming (Execute)" again goes on.
constexpr char kStoppedWords[] =
    QT_TRANSLATE_NOOP("Tarnwick", "stopped: %1 renamed, %2 not renamed");
// What the progress value stands for, as assistive technology names it.
constexpr char kRenamingName[] = QT_TRANSLATE_NOOP("Tarnwick", "Renaming folders");
constexpr char kUndoingName[] = QT_TRANSLATE_NOOP("Tarnwick", "Undoing the last run");
constexpr char kAddingName[] = QT_TRANSLATE_NOOP("Tarnwick", "Adding folders");

QString Tr(const char* text) {
    return QCoreApplication::translate("Tarnwick", text);
}

QString WorkWords(Work work, int done, int total) {
    const QLocale locale;
    switch (work) {
    case Work::Adding:
        return Tr(kAddingWords).arg(locale.toString(done));
    case Work::Renaming:
        return Tr(kRenamingWords).arg(locale.toString(done), locale.toString(total));
    case Work::Undoing:
        return Tr(kUndoingWords).arg(locale.toString(done), locale.toString(total));
    }
    return {};
}

QString WorkName(Work work) {
    switch (work) {
    case Work::Adding:
        return Tr(kAddingName);
    case Work::Renaming:
        return Tr(kRenamingName);
    case Work::Undoing:
        return Tr(kUndoingName);
    }
    return {};
}

QString CaptionWith(const QString& status) {
    const QString name = QString::fromUtf16(product::kName);
    return status.isEmpty() ? name : name + QStringLiteral(" \u2013 ") + status;
}

} // namespace

void Form1::wireWork() {
    // A screen reader follows a progress bar's value at the pace its user chose (Orca: every few
    // seconds, and only for the active window), where a caption rewritten four times a second
    // would either interrupt it or be ignored. No size: nothing of the design moves for it.
    WorkProgress = new QProgressBar(this);
    WorkProgress->setObjectName(QStringLiteral("WorkProgress"));
    WorkProgress->setGeometry(0, 0, 0, 0);
    WorkProgress->setFocusPolicy(Qt::NoFocus);
    WorkProgress->hide();
    // Escape: a run, an addition or an undo stops after the folder in hand.
    auto* stop = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(stop, &QShortcut::activated, this, [this] {
        if (m_handlers > 0)
            m_stopRequested = true;
    });
}

void Form1::beginHandler() {
    showCaptionStatus({});
    // A click taken while a run pumps runs inside it; only a new action starts afresh.
    if (m_handlers++ == 0)
        m_stopRequested = false;
}

void Form1::endHandler() {
    if (--m_handlers == 0)
        endWork();
}

void Form1::pumpMessages() {
    // Long loops ask at every folder; the clock is cheap enough for that, and a folder that takes
    // long (a slow disk) is followed by a pump at once.
    const qint64 now = m_dependencies.clock();
    if (m_pumpedAt && now - *m_pumpedAt < kPumpIntervalMs)
        return;
    // What a pass wrote is shown before the window paints.
    m_list.tellChanges();
    showWork(now);
    PumpMessages();
    m_pumpedAt = m_dependencies.clock();
    // Closing the window ends the program, also while a handler is pumping: the handler ends here.
    if (m_unloaded)
        throw WindowClosed{};
}

void Form1::workProgress(Work work, int done, int total) {
    // Told at every folder: only kept here, shown when the window works.
    if (m_work && m_work->work == work) {
        m_work->done = done;
        m_work->total = total;
        return;
    }
    m_work = WorkDone{work, done, total, m_dependencies.clock(), std::nullopt};
}

void Form1::showWork(qint64 now) {
    if (!m_work || now - m_work->startedAt < kShowWorkAfterMs ||
        (m_work->shownAt && now - *m_work->shownAt < kShowWorkEveryMs))
        return;
    if (!m_work->shownAt) {
        WorkProgress->setAccessibleName(WorkName(m_work->work));
        WorkProgress->show();
    }
    m_work->shownAt = now;
    setWindowTitle(CaptionWith(WorkWords(m_work->work, m_work->done, m_work->total)));
    // An addition's walk does not know its end: the bar then only says that work goes on.
    WorkProgress->setRange(0, m_work->total);
    WorkProgress->setValue(m_work->total > 0 ? m_work->done : 0);
}

void Form1::endWork() {
    const bool shown = m_work && m_work->shownAt;
    m_work.reset();
    if (!shown)
        return;
    WorkProgress->hide();
    WorkProgress->reset();
    setWindowTitle(CaptionWith({}));
}

void Form1::tellTally(const std::optional<RunTally>& tally) {
    endWork();
    if (!tally)
        return;
    const QLocale locale;
    showCaptionStatus(tally->stopped ? Tr(kStoppedWords)
                                           .arg(locale.toString(tally->renamed),
                                                locale.toString(tally->notRenamed))
                                     : TallyWords(*tally));
}

void Form1::showCaptionStatus(const QString& status) {
    const QString caption = CaptionWith(status);
    if (caption == windowTitle())
        return;
    setWindowTitle(caption);
    if (status.isEmpty())
        return;
    // A screen reader reads the window's name out when it changes.
    QAccessibleEvent changed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
}

} // namespace tarnwick
