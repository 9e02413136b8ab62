#include "app/commandline.h"
#include "app/form1.h"
#include "app/translations.h"
#include "platform/filesystem.h"
#include "platform/qtuserdialogs.h"
#include "rename/journal.h"

#include <QApplication>
#include <QDir>
#include <QTimer>
#include <cstdio>

namespace {

void Print(const QString& text, std::FILE* stream) {
    std::fputs(text.toLocal8Bit().constData(), stream);
}

QStringList Arguments(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

} // namespace

int main(int argc, char* argv[]) {
    // The data folder of the user's sample copy is named after the program, not after the file
    // it was started as.
    QCoreApplication::setApplicationName(QStringLiteral("tarnwick"));
    // Help and version are answered without a display, so they work in any terminal.
    if (tarnwick::AsksOnlyForText(Arguments(argc, argv))) {
        QCoreApplication core(argc, argv);
        tarnwick::InstallTranslations(core);
        const tarnwick::CommandLine line = tarnwick::ParseCommandLine(
            QCoreApplication::arguments(), tarnwick::HostFileSystem(), QDir::currentPath());
        Print(line.standardOutput, stdout);
        Print(line.standardError, stderr);
        return line.exitCode.value_or(0);
    }
    // Desktops match the window to its desktop entry by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(TARNWICK_APP_ID));
    QApplication application(argc, argv);
    tarnwick::InstallTranslations(application);
    const tarnwick::CommandLine line = tarnwick::ParseCommandLine(
        QCoreApplication::arguments(), tarnwick::HostFileSystem(), QDir::currentPath());
    Print(line.standardOutput, stdout);
    Print(line.standardError, stderr);
    if (line.exitCode)
        return *line.exitCode;
    tarnwick::QtUserDialogs dialogs;
    tarnwick::Form1 window({dialogs, tarnwick::HostFileSystem(),
                            QCoreApplication::applicationDirPath(), tarnwick::DrawFromTimeOfDay,
                            tarnwick::HostDesktopPlaces(), tarnwick::CoarseMilliseconds,
                            tarnwick::JournalFolder()});
    window.Form_Load();
    window.show();
    // Added once start-up is over and the event loop runs, as if chosen one after the other.
    if (!line.folders.isEmpty() || !line.skipped.isEmpty())
        QTimer::singleShot(0, &window, [&window, &line] { window.takeCommandLine(line); });
    return application.exec();
}
