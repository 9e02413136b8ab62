#pragma once

#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <optional>

// A client of the accessibility bus that behaves as a screen reader does towards the window: it
// listens for the object events a screen reader follows, reads the list once as when the list
// gets focus (its row count and the cells in view), and asks for the row count once a second.
// It runs in a process of its own, as a screen reader does, so its work is never counted as the
// program's, and the program answers it only when the window lets itself work.
namespace tarnwick::bench {

// The switch that starts this program as the screen reader of a measuring child.
inline constexpr char kScreenReaderSwitch[] = "--screen-reader";

// The screen reader's own process: listens on the accessibility bus of the session and answers
// one JSON line a command read from standard input ("read": read the list as when it gets focus;
// "count": what it has received so far; "quit"). Returns the exit code.
int RunScreenReader();

// The measuring child's side of it.
class ScreenReaderProcess {
public:
    ScreenReaderProcess() = default;
    ~ScreenReaderProcess() { stop(); }
    ScreenReaderProcess(const ScreenReaderProcess&) = delete;
    ScreenReaderProcess& operator=(const ScreenReaderProcess&) = delete;

    // Starts it and waits until it listens; why not, or nothing.
    QString start();
    // Sends a command and waits for its answer while the window works, so the program can answer
    // what the screen reader asks meanwhile; none when it does not answer in time.
    std::optional<QJsonObject> ask(const char* command);
    void stop();

private:
    std::optional<QByteArray> readLine(int timeoutMs);
    QProcess m_process;
};

} // namespace tarnwick::bench
