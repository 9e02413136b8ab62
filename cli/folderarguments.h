#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace tarnwick {
class FileSystem;
}

namespace tarnwick::cli {

// The FOLDERs of a command line, checked before anything is added: each a folder that can be
// read, named in the system's encoding. Every one that is not gets a line of its own.
struct CheckedFolders {
    // As the folder browser would return them, in the order given.
    QStringList folders;
    // One line for each FOLDER that is not taken; then nothing is renamed.
    QStringList refused;
};

CheckedFolders CheckFolders(const QList<QByteArray>& given, FileSystem& fileSystem,
                            const QString& workingFolder, const QString& origin = {});

// The paths of NUL-separated input (`find ... -print0`): a NUL after the last one is optional.
// An empty record, or none at all, is refused with one line in refused.
QList<QByteArray> NulSeparated(const QByteArray& input, QStringList& refused);

} // namespace tarnwick::cli
