#include "app/commandline.h"

#include "folders/addfolders.h"
#include "platform/filesystem.h"

#include <QCommandLineParser>
#include <QDir>

namespace tarnwick {

namespace {

const QString kCommand = QStringLiteral("tarnwick");

} // namespace

CommandLine ParseCommandLine(const QStringList& arguments, FileSystem& fileSystem,
                             const QString& workingFolder) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Changes the letter case of folder names in bulk. Each FOLDER is added to "
                       "the list as \"Add Folder(s)\" adds it."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FOLDER"),
                                 QStringLiteral("A folder to add to the list."),
                                 QStringLiteral("[FOLDER...]"));

    CommandLine line;
    if (!parser.parse(arguments)) {
        line.exitCode = 1;
        line.standardError = kCommand + QStringLiteral(": ") + parser.errorText() +
                             QStringLiteral("\nTry '") + kCommand +
                             QStringLiteral(" --help' for more information.\n");
        return line;
    }
    // The Qt options that --help-all would add belong to the window system, which these
    // answers never start.
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        line.exitCode = 0;
        line.standardOutput = parser.helpText();
        return line;
    }
    if (parser.isSet(version)) {
        line.exitCode = 0;
        line.standardOutput = kCommand + u' ' + QStringLiteral(TARNWICK_VERSION) + u'\n';
        return line;
    }
    const QDir working(workingFolder);
    for (const QString& argument : parser.positionalArguments()) {
        // An empty argument would otherwise name the working folder.
        const QString path = argument.isEmpty() ? QString() : working.absoluteFilePath(argument);
        if (IsFolder(fileSystem, path))
            line.folders << ChosenFolderPath(path);
        else
            line.standardError +=
                kCommand + QStringLiteral(": not a folder, skipped: ") + argument + u'\n';
    }
    return line;
}

bool AsksOnlyForText(const QStringList& arguments) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == u"--")
            return false;
        if (argument == u"-h" || argument == u"--help" || argument == u"-?" ||
            argument == u"--help-all" || argument == u"-v" || argument == u"--version")
            return true;
    }
    return false;
}

} // namespace tarnwick
