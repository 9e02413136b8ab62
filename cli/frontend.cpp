#include "cli/frontend.h"

#include "cli/arguments.h"
#include "cli/casecommand.h"
#include "cli/commandservices.h"
#include "cli/output.h"
#include "cli/recoverycommand.h"
#include "cli/terminal.h"
#include "cli/undocommand.h"

#include <QCoreApplication>

namespace tarnwick::cli {

namespace {

// The words in lines of at most 79 characters, every line after the first indented.
QString Wrapped(const QString& words, int indent) {
    constexpr int kWidth = 79;
    QString text;
    int column = indent;
    for (const QString& word : words.split(u' ', Qt::SkipEmptyParts)) {
        if (column > indent && column + 1 + word.size() > kWidth) {
            text += u'\n' + QString(indent, u' ');
            column = indent;
        } else if (column > indent) {
            text += u' ';
            ++column;
        }
        text += word;
        column += static_cast<int>(word.size());
    }
    return text;
}

} // namespace

QString HelpText() {
    QString text = QCoreApplication::translate("Tarnwick", "Usage:") + u'\n';
    text += QStringLiteral(
        "  tarnwick [FOLDER...]\n"
        "  tarnwick --case upper|lower|proper|sentence [--no-subfolders] [--apply] [--json] "
        "FOLDER...\n"
        "  tarnwick --undo [--apply] [--json]\n"
        "  tarnwick --recover finish|take-back [--json]\n\n");
    text += Wrapped(QCoreApplication::translate(
                        "Tarnwick",
                        "Changes the letter case of folder names in bulk. Without --case or --undo "
                        "the window opens, each FOLDER added to its list as \"Add Folder(s)\" "
                        "adds it."),
                    0) +
            QStringLiteral("\n\n") + QCoreApplication::translate("Tarnwick", "Options:") + u'\n';
    const QList<QPair<QString, QString>> options = {
        {QStringLiteral("--case OPERATION"),
         QCoreApplication::translate(
             "Tarnwick",
             "Changes each FOLDER's name, and those of the folders below it, to upper, lower, "
             "proper or sentence case. Without --apply it only prints the plan.")},
        {QStringLiteral("--no-subfolders"),
         QCoreApplication::translate("Tarnwick",
                                     "Takes the FOLDERs alone, not the folders below them.")},
        {QStringLiteral("--apply"),
         QCoreApplication::translate("Tarnwick", "Renames. Without it nothing is renamed.")},
        {QStringLiteral("--json"),
         QCoreApplication::translate(
             "Tarnwick",
             "One JSON object per line (path, newPath, status, reason) instead of text.")},
        {QStringLiteral("--undo"),
         QCoreApplication::translate(
             "Tarnwick",
             "Gives the folders of the last recorded run their names back. Without --apply it "
             "only says what it would do.")},
        {QStringLiteral("--recover HOW"),
         QCoreApplication::translate(
             "Tarnwick",
             "Settles a run that was interrupted (a crash, a pulled disk) before anything else: "
             "finish gives each of its folders its new name, take-back the name it had. Without "
             "it a terminal is asked, and a script is told on standard error and nothing is "
             "changed.")},
        {QStringLiteral("-h, --help"), QCoreApplication::translate("Tarnwick", "Shows this help.")},
        {QStringLiteral("-v, --version"),
         QCoreApplication::translate("Tarnwick", "Shows the version.")},
    };
    for (const auto& [option, words] : options)
        text += QStringLiteral("  %1%2\n").arg(option, -18).arg(Wrapped(words, 20));
    text +=
        u'\n' +
        Wrapped(QCoreApplication::translate(
                    "Tarnwick", "A FOLDER \"-\" reads NUL-separated paths from standard input."),
                0) +
        u'\n' +
        Wrapped(QCoreApplication::translate(
                    "Tarnwick",
                    "Exit status: 0 all renamed (or all can be), 1 some not, 2 bad usage or a "
                    "FOLDER that is not a folder, 130 stopped by Ctrl+C."),
                0) +
        QStringLiteral("\n\n") + QCoreApplication::translate("Tarnwick", "Examples:") + u'\n';
    const QList<QPair<QString, QString>> examples = {
        {QStringLiteral("tarnwick ~/Music"),
         QCoreApplication::translate("Tarnwick",
                                     "Opens the window with ~/Music and its subfolders.")},
        {QStringLiteral("tarnwick --case lower ~/Music"),
         QCoreApplication::translate("Tarnwick",
                                     "Prints what lower case would rename; renames nothing.")},
        {QStringLiteral("tarnwick --case proper --apply ~/Music"),
         QCoreApplication::translate("Tarnwick",
                                     "Renames ~/Music and every folder below it to Proper Case.")},
        {QStringLiteral("find . -name 'IMG*' -type d -print0 |\n"
                        "    tarnwick --case upper --no-subfolders --apply -"),
         QCoreApplication::translate("Tarnwick", "Renames the folders find names, and no others.")},
        {QStringLiteral("tarnwick --undo --apply"),
         QCoreApplication::translate("Tarnwick",
                                     "Gives the folders of the last run their names back.")},
    };
    for (const auto& [command, words] : examples)
        text += QStringLiteral("  %1\n      %2\n").arg(command, Wrapped(words, 6));
    return text;
}

int RunTerminal(const QList<QByteArray>& arguments, CommandServices& services) {
    UsageError usage;
    const std::optional<Request> request = ParseRequest(arguments, usage);
    Output output(request && request->json);
    if (!request) {
        //: A command line refused, and where to read how it goes.
        output.error(
            QCoreApplication::translate("Tarnwick", "%1 (see tarnwick --help)").arg(usage.text));
        return kBadUsage;
    }
    if (request->kind == Request::Kind::Help) {
        output.line(HelpText());
        return output.closed() ? kOutputClosed : kAllDone;
    }
    if (request->kind == Request::Kind::Version) {
        output.line(QStringLiteral("tarnwick ") + QCoreApplication::applicationVersion());
        return output.closed() ? kOutputClosed : kAllDone;
    }
    InstallStopHandlers();
    if (!services.stopRequested)
        services.stopRequested = StopRequested;
    ProgressLine progress;
    // An interrupted run is settled, or told of, before any new work starts.
    const int settled = SettleInterruptedRuns(*request, services, output);
    if (request->kind == Request::Kind::Recover)
        return output.closed() ? kOutputClosed : settled;
    return request->kind == Request::Kind::Undo ? RunUndo(*request, services, output, progress)
                                                : RunCase(*request, services, output, progress);
}

} // namespace tarnwick::cli
