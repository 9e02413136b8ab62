// The program's front door. It links QtCore only and decides, before any application object
// exists, which front end runs: the terminal's (--case, --undo, --help, --version) here, in a
// QCoreApplication that never touches a display; the window in the program beside it, which
// links Qt's GUI libraries and with them the X11, xcb and EGL client libraries.
#include "app/translations.h"
#include "cli/arguments.h"
#include "cli/commandservices.h"
#include "cli/frontend.h"
#include "platform/desktopfolders.h"
#include "platform/filesystem.h"
#include "rename/journal.h"
#include "rename/journalreader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

// The window program, beside this one (found through the host's record of this process, so a
// link to it in bin/ finds it where it is installed).
QByteArray WindowProgram(const char* argument0) {
    char self[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    QByteArray path = length > 0 ? QByteArray(self, length) : QByteArray(argument0);
    const qsizetype cut = path.lastIndexOf('/');
    return (cut < 0 ? QByteArray() : path.left(cut + 1)) + "tarnwick-window";
}

int StartWindow(char* argv[]) {
    const QByteArray program = WindowProgram(argv[0]);
    execv(program.constData(), argv);
    const int error = errno;
    std::fprintf(stderr, "tarnwick: cannot start the window: %s: %s\n", program.constData(),
                 std::strerror(error));
    return 127;
}

QByteArray ReadStandardInput() {
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly))
        return {};
    return input.readAll();
}

// What the last finished run renamed, as its journal recorded it, whichever front end made it.
tarnwick::cli::LastRunLoader LastRunFromJournal() {
    return []() -> std::optional<tarnwick::cli::RecordedRun> {
        tarnwick::cli::RecordedRun run;
        run.folders = tarnwick::LoadLastFinishedRun(
            tarnwick::JournalFolder(), u'/',
            [](const QString& text) {
                std::fprintf(stderr, "tarnwick: %s\n", text.toLocal8Bit().constData());
            },
            &run.record);
        return run;
    };
}

// A question on the terminal: the prompt on standard error, the answer one line of standard input.
// None where no one is there to answer: a script never waits for a reply.
std::function<std::optional<QString>(const QString&)> TerminalQuestion() {
    if (!isatty(STDIN_FILENO) || !isatty(STDERR_FILENO))
        return {};
    return [](const QString& prompt) -> std::optional<QString> {
        std::fputs(prompt.toLocal8Bit().constData(), stderr);
        std::fflush(stderr);
        char line[256];
        if (!std::fgets(line, sizeof line, stdin))
            return std::nullopt;
        return QString::fromLocal8Bit(line);
    };
}

} // namespace

int main(int argc, char* argv[]) {
    QList<QByteArray> arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QByteArray(argv[i]);
    if (!tarnwick::cli::WantsTerminal(arguments))
        return StartWindow(argv);
    QCoreApplication::setApplicationName(QStringLiteral("tarnwick"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TARNWICK_VERSION));
    QCoreApplication core(argc, argv);
    tarnwick::InstallTranslations(core);
    tarnwick::cli::CommandServices services{
        tarnwick::HostFileSystem(), QDir::currentPath(),
        ReadStandardInput,          tarnwick::DesktopFolders(tarnwick::HostDesktopPlaces()),
        LastRunFromJournal(),       {},
        TerminalQuestion(),         tarnwick::JournalFolder()};
    return tarnwick::cli::RunTerminal(arguments, services);
}
