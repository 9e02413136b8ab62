#include "cli/folderarguments.h"

#include "common/failure.h"
#include "folders/addfolders.h"
#include "platform/filesystem.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tarnwick::cli {

namespace {

// The bytes as a person can read them, the ones not valid in the system's encoding escaped.
QString Readable(const QByteArray& bytes) {
    QString text;
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        if (value >= 0x20 && value < 0x7f)
            text += QChar(value);
        else
            text += QStringLiteral("\\x%1").arg(value, 2, 16, QChar(u'0'));
    }
    return text;
}

// Why the folder at path cannot be taken, or the empty text.
QString WhyNotTaken(FileSystem& fileSystem, const QString& path) {
    if (const std::optional<int> bits = fileSystem.attributes(path)) {
        if (!(*bits & attribute::kDirectory))
            return QCoreApplication::translate("Tarnwick", "not a folder");
        try {
            fileSystem.list(path, FileSystem::Through::Link);
        } catch (const Failure& failure) {
            return failure.description();
        }
        return {};
    }
    // Nothing could be read of it: it is not there, or the way to it is closed to this user.
    const QFileInfo place(QDir::cleanPath(path));
    try {
        for (const DirectoryEntry& entry : fileSystem.list(place.path()).entries)
            if (entry.name == place.fileName())
                return QCoreApplication::translate("Tarnwick", "cannot be read");
    } catch (const Failure& failure) {
        if (failure.number() == failure_code::kPermissionDenied)
            return QCoreApplication::translate("Tarnwick", "cannot be read");
    }
    return QCoreApplication::translate("Tarnwick", "no such file or folder");
}

} // namespace

CheckedFolders CheckFolders(const QList<QByteArray>& given, FileSystem& fileSystem,
                            const QString& workingFolder, const QString& origin) {
    CheckedFolders checked;
    const QDir working(workingFolder);
    for (qsizetype at = 0; at < given.size(); ++at) {
        const QByteArray& bytes = given[at];
        const QString name = QFile::decodeName(bytes);
        const QString where = origin.isEmpty() ? name : origin.arg(at + 1) + u' ' + name;
        QString why;
        if (bytes.isEmpty())
            why = QCoreApplication::translate("Tarnwick", "empty FOLDER");
        else if (QFile::encodeName(name) != bytes)
            why = QCoreApplication::translate("Tarnwick", "not valid in the system's encoding: %1")
                      .arg(Readable(bytes));
        else
            why = WhyNotTaken(fileSystem, working.absoluteFilePath(name));
        if (why.isEmpty()) {
            checked.folders << ChosenFolderPath(working.absoluteFilePath(name));
            continue;
        }
        //: A FOLDER given on the command line, and why it is not taken.
        checked.refused << QCoreApplication::translate("Tarnwick", "%1: %2").arg(where, why);
    }
    return checked;
}

QList<QByteArray> NulSeparated(const QByteArray& input, QStringList& refused) {
    if (input.isEmpty()) {
        refused << QCoreApplication::translate("Tarnwick", "no folder read from standard input");
        return {};
    }
    if (!input.contains('\0') && input.contains('\n')) {
        refused << QCoreApplication::translate(
            "Tarnwick", "standard input holds no NUL: give the paths NUL-separated (find -print0)");
        return {};
    }
    QList<QByteArray> records = input.split('\0');
    // The NUL after the last path ends it, it starts no other.
    if (records.last().isEmpty())
        records.removeLast();
    for (qsizetype at = 0; at < records.size(); ++at) {
        if (records[at].isEmpty()) {
            refused << QCoreApplication::translate("Tarnwick", "empty record %1 in standard input")
                           .arg(at + 1);
            return {};
        }
    }
    return records;
}

} // namespace tarnwick::cli
