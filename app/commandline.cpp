#include "app/commandline.h"

#include "common/failure.h"
#include "folders/addfolders.h"
#include "platform/filesystem.h"
#include "platform/userdialogs.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace tarnwick {

namespace {

const QString kCommand = QStringLiteral("tarnwick");
// The box names this many skipped paths, and how many more there are.
constexpr qsizetype kListedSkips = 20;

std::optional<SkipReason> WhyNotTaken(FileSystem& fileSystem, const QString& path) {
    if (path.isEmpty())
        return SkipReason::Missing;
    if (const std::optional<int> bits = fileSystem.attributes(path))
        return *bits & attribute::kDirectory ? std::nullopt : std::optional(SkipReason::NotAFolder);
    // Nothing could be read of it: it is not there, or the way to it is closed to this user.
    const QFileInfo place(QDir::cleanPath(path));
    try {
        for (const DirectoryEntry& entry : fileSystem.list(place.path()).entries) {
            if (entry.name == place.fileName())
                return SkipReason::Unreadable;
        }
    } catch (const Failure& failure) {
        if (failure.number() == failure_code::kPermissionDenied)
            return SkipReason::Unreadable;
    }
    return SkipReason::Missing;
}

} // namespace

CommandLine ParseCommandLine(const QStringList& arguments, FileSystem& fileSystem,
                             const QString& workingFolder) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QCoreApplication::translate("Tarnwick", "Changes the letter case of folder names in bulk. "
                                                "Each FOLDER is added to the list as \"Add "
                                                "Folder(s)\" adds it."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("FOLDER"),
        QCoreApplication::translate("Tarnwick", "A folder to add to the list."),
        QStringLiteral("[FOLDER...]"));

    CommandLine line;
    if (!parser.parse(arguments)) {
        line.exitCode = 1;
        line.standardError =
            kCommand + QStringLiteral(": ") + parser.errorText() + u'\n' +
            QCoreApplication::translate("Tarnwick", "Try '%1 --help' for more information.")
                .arg(kCommand) +
            u'\n';
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
        const std::optional<SkipReason> why = WhyNotTaken(fileSystem, path);
        if (!why) {
            line.folders << ChosenFolderPath(path);
            continue;
        }
        line.skipped.append({argument, *why});
        //: Why a path was not added, then the path.
        line.standardError += kCommand + QStringLiteral(": ") +
                              QCoreApplication::translate("Tarnwick", "%1, skipped: %2")
                                  .arg(SkipReasonText(*why), argument) +
                              u'\n';
    }
    return line;
}

QString SkipReasonText(SkipReason reason) {
    switch (reason) {
    case SkipReason::NotAFolder:
        return QCoreApplication::translate("Tarnwick", "not a folder");
    case SkipReason::Missing:
        return QCoreApplication::translate("Tarnwick", "no such file or folder");
    case SkipReason::Unreadable:
        return QCoreApplication::translate("Tarnwick", "cannot be read");
    }
    return {};
}

void TellSkippedPaths(UserDialogs& dialogs, const QString& title,
                      const QList<SkippedPath>& skipped) {
    if (skipped.isEmpty())
        return;
    const int count = static_cast<int>(skipped.size());
    QString text = QCoreApplication::translate(
        "Tarnwick", "%n of the paths Tarnwick was started with could not be added:", nullptr,
        count);
    text += u'\n';
    for (qsizetype i = 0; i < skipped.size() && i < kListedSkips; ++i)
        text += u'\n' + QCoreApplication::translate("Tarnwick", "%1: %2")
                            .arg(skipped[i].argument, SkipReasonText(skipped[i].reason));
    const int unlisted = count - static_cast<int>(kListedSkips);
    if (unlisted > 0)
        text += u'\n' + QCoreApplication::translate("Tarnwick", "and %n more.", nullptr, unlisted);
    dialogs.showMessage(text, title, MessageButtons::Ok, MessageIcon::Warning);
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
