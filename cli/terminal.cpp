#include "cli/terminal.h"

#include <QLocale>
#include <csignal>
#include <unistd.h>

namespace tarnwick::cli {

namespace {

volatile std::sig_atomic_t g_stop = 0;

extern "C" void OnInterrupt(int) {
    g_stop = 1;
}

// Short work shows no line at all; long work redraws it a few times a second.
constexpr qint64 kFirstShownAfterMs = 1000;
constexpr qint64 kRedrawEveryMs = 200;

} // namespace

void InstallStopHandlers() {
    struct sigaction action = {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    // The first Ctrl+C stops after the folder in hand; the second ends the program at once.
    action.sa_flags = SA_RESETHAND;
    sigaction(SIGINT, &action, nullptr);
    // A reader that went away (`| head -1`) is found by the writes failing with EPIPE.
    std::signal(SIGPIPE, SIG_IGN);
}

bool StopRequested() {
    return g_stop != 0;
}

ProgressLine::ProgressLine(std::FILE* stream, bool forced)
    : m_stream(stream), m_shown(forced || isatty(fileno(stream))) {
    m_clock.start();
    m_stageClock.start();
}

void ProgressLine::stage(const QString& what) {
    m_what = what;
    m_stageClock.restart();
    m_lastDrawn = -1000;
}

void ProgressLine::tell(qint64 done, qint64 total) {
    if (!m_shown)
        return;
    const qint64 now = m_clock.elapsed();
    if (now < kFirstShownAfterMs || now - m_lastDrawn < kRedrawEveryMs)
        return;
    m_lastDrawn = now;
    const QLocale locale;
    const qint64 stageMs = std::max<qint64>(1, m_stageClock.elapsed());
    const qint64 rate = done * 1000 / stageMs;
    QString text = total > 0 ? QStringLiteral("%1: %2 / %3")
                                   .arg(m_what, locale.toString(done), locale.toString(total))
                             : QStringLiteral("%1: %2").arg(m_what, locale.toString(done));
    text += QStringLiteral(" (%1/s)").arg(locale.toString(rate));
    // Carriage return and "erase to the end of the line": the line is drawn over itself.
    std::fputs(("\r" + text + "\x1b[K").toLocal8Bit().constData(), m_stream);
    std::fflush(m_stream);
    m_drawn = true;
}

void ProgressLine::erase() {
    if (!m_drawn)
        return;
    std::fputs("\r\x1b[K", m_stream);
    std::fflush(m_stream);
    m_drawn = false;
}

} // namespace tarnwick::cli
