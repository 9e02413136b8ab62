#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace tarnwick {

class FileSystem;
class UserDialogs;

// Why a path named on the command line was not added.
enum class SkipReason { NotAFolder, Missing, Unreadable };

struct SkippedPath {
    // As it was given.
    QString argument;
    SkipReason reason;
    friend bool operator==(const SkippedPath&, const SkippedPath&) = default;
};

// What the command line asks of the program.
struct CommandLine {
    // Set when the program prints and ends instead of opening its window.
    std::optional<int> exitCode;
    QString standardOutput;
    // One line for each path that is not a folder, or why the command line was refused.
    QString standardError;
    // The folders to add once the window is up, in the order given, as the browser returns them.
    QStringList folders;
    // The paths that were not, in the order given; told on standard error and in the window.
    QList<SkippedPath> skipped;
};

// Reads `tarnwick [FOLDER...]` with the options --help and --version. arguments holds the program
// name first; relative paths are taken from workingFolder.
CommandLine ParseCommandLine(const QStringList& arguments, FileSystem& fileSystem,
                             const QString& workingFolder);

// True when the command line only asks for text (help or version), which needs no display.
bool AsksOnlyForText(const QStringList& arguments);

// The reason in the user's words: "not a folder", "no such file or folder", "cannot be read".
QString SkipReasonText(SkipReason reason);

// One message box listing the skipped paths and why, for a user who started the program from a
// menu or a file manager and sees no standard error. Nothing when no path was skipped.
void TellSkippedPaths(UserDialogs& dialogs, const QString& title,
                      const QList<SkippedPath>& skipped);

} // namespace tarnwick
