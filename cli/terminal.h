#pragma once

#include <QElapsedTimer>
#include <QString>
#include <cstdio>

namespace tarnwick::cli {

// Ctrl+C asks the work to stop after the folder in hand; a second one ends the program at once.
// A closed standard output is found by the writes, not by a signal.
void InstallStopHandlers();
// True once Ctrl+C was pressed.
bool StopRequested();

// A single line on standard error telling how far the work is, shown only on a terminal and only
// once the work has lasted a second; erased when the work ends.
class ProgressLine {
public:
    // Shown only when stream is a terminal, or when forced (for tests).
    explicit ProgressLine(std::FILE* stream = stderr, bool forced = false);
    ~ProgressLine() { erase(); }
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    // A new stage of the work: what is counted, and the total when known (0 when not).
    void stage(const QString& what);
    // Cheap to call for every folder: draws at most a few times a second.
    void tell(qint64 done, qint64 total = 0);
    // Clears the line, so that what is written next starts on a clean line.
    void erase();

private:
    std::FILE* m_stream;
    bool m_shown;
    QElapsedTimer m_clock;
    QElapsedTimer m_stageClock;
    qint64 m_lastDrawn = -1000;
    bool m_drawn = false;
    QString m_what;
};

} // namespace tarnwick::cli
