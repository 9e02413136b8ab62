#include "platform/desktopfolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tarnwick {

namespace {

QByteArray Contents(const QString& path) {
    if (path.isEmpty())
        return {};
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The quoted value of one line of user-dirs.dirs (XDG_PICTURES_DIR="$HOME/Pictures"), as
// xdg-user-dirs reads it: relative to home after "$HOME", else absolute, a backslash keeping the
// character after it; none for a line that names no folder.
std::optional<QByteArray> UserDirValue(QByteArray line, bool& relative) {
    line = line.trimmed();
    const qsizetype equals = line.indexOf('=');
    if (!line.startsWith("XDG_") || equals < 0 || !line.first(equals).trimmed().endsWith("_DIR"))
        return std::nullopt;
    QByteArrayView value = line;
    value = value.sliced(equals + 1);
    while (value.startsWith(' ') || value.startsWith('\t'))
        value = value.sliced(1);
    if (!value.startsWith('"'))
        return std::nullopt;
    value = value.sliced(1);
    relative = value.startsWith("$HOME");
    if (relative) {
        value = value.sliced(5);
        if (value.startsWith('/'))
            value = value.sliced(1);
        else if (!value.startsWith('"'))
            return std::nullopt;
    } else if (!value.startsWith('/')) {
        return std::nullopt;
    }
    QByteArray folder;
    for (qsizetype at = 0; at < value.size() && value[at] != '"'; ++at) {
        if (value[at] == '\\' && at + 1 < value.size())
            ++at;
        folder += value[at];
    }
    return folder;
}

// The mount table writes a blank, a tab, a line break and a backslash in a path as three octal
// digits.
QByteArray Unescaped(QByteArrayView field) {
    QByteArray bytes;
    for (qsizetype at = 0; at < field.size(); ++at) {
        const auto octal = [&](qsizetype i) { return field[i] >= '0' && field[i] <= '7'; };
        if (field[at] == '\\' && at + 3 < field.size() && octal(at + 1) && octal(at + 2) &&
            octal(at + 3)) {
            bytes += char(((field[at + 1] - '0') << 6) | ((field[at + 2] - '0') << 3) |
                          (field[at + 3] - '0'));
            at += 3;
        } else {
            bytes += field[at];
        }
    }
    return bytes;
}

} // namespace

DesktopPlaces HostDesktopPlaces() {
    DesktopPlaces places;
    places.home = QDir::homePath();
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!QDir::isAbsolutePath(config))
        config = places.home + QStringLiteral("/.config");
    places.userDirsFile = config + QStringLiteral("/user-dirs.dirs");
    places.mountTable = QStringLiteral("/proc/self/mountinfo");
    return places;
}

QStringList UserDirs(const QByteArray& file, const QString& home) {
    QStringList folders;
    for (const QByteArray& line : file.split('\n')) {
        bool relative = false;
        const std::optional<QByteArray> value = UserDirValue(line, relative);
        if (!value)
            continue;
        const QString folder = QFile::decodeName(*value);
        if (!relative)
            folders << folder;
        else if (!home.isEmpty())
            folders << (folder.isEmpty() ? home : home + u'/' + folder);
    }
    return folders;
}

QStringList MountPoints(const QByteArray& table) {
    QStringList points;
    for (const QByteArray& line : table.split('\n')) {
        // ID, parent ID, device, root, mount point, ...
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() > 4 && fields[4].startsWith('/'))
            points << QFile::decodeName(Unescaped(fields[4]));
    }
    return points;
}

QStringList DesktopFolders(const DesktopPlaces& places) {
    QStringList named;
    if (!places.home.isEmpty())
        named << places.home;
    named << UserDirs(Contents(places.userDirsFile), places.home);
    QStringList folders;
    for (const QString& folder : named) {
        folders << folder;
        // A link on the way leads the desktop to a folder of another name.
        const QString resolved = QFileInfo(folder).canonicalFilePath();
        if (!resolved.isEmpty() && resolved != QDir::cleanPath(folder))
            folders << resolved;
    }
    // Written by the kernel as it resolved them; not asked of the disk, which for a network
    // mount that no longer answers would wait.
    folders << MountPoints(Contents(places.mountTable));
    folders.removeDuplicates();
    return folders;
}

} // namespace tarnwick
