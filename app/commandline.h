#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace tarnwick {

class FileSystem;

// What the command line asks of the program.
struct CommandLine {
    // Set when the program prints and ends instead of opening its window.
    std::optional<int> exitCode;
    QString standardOutput;
    // One line for each path that is not a folder, or why the command line was refused.
    QString standardError;
    // The folders to add once the window is up, in the order given, as the browser returns them.
    QStringList folders;
};

// Reads `tarnwick [FOLDER...]` with the options --help and --version. arguments holds the program
// name first; relative paths are taken from workingFolder.
CommandLine ParseCommandLine(const QStringList& arguments, FileSystem& fileSystem,
                             const QString& workingFolder);

// True when the command line only asks for text (help or version), which needs no display.
bool AsksOnlyForText(const QStringList& arguments);

} // namespace tarnwick
