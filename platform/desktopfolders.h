#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tarnwick {

// Where the desktop keeps what it knows of the user's folders. A field left empty is not read.
struct DesktopPlaces {
    // The user's home folder.
    QString home;
    // The file in which xdg-user-dirs names the user's folders (Desktop, Documents, Pictures...).
    QString userDirsFile;
    // The mount table, in the format of /proc/self/mountinfo.
    QString mountTable;
};

// The places of the user the program runs as.
DesktopPlaces HostDesktopPlaces();

// The folders a user-dirs.dirs file names, "$HOME" put in as home, in the file's order.
QStringList UserDirs(const QByteArray& file, const QString& home);

// The mount points of a mount table in the format of /proc/self/mountinfo, in its order.
QStringList MountPoints(const QByteArray& table);

// Every folder the desktop knows by its path: the home folder, the user's folders and the mount
// points, each also where the host resolves it to when a link leads there. Read anew at every
// call: a stick plugged in or a folder moved in the desktop's settings counts from then on.
QStringList DesktopFolders(const DesktopPlaces& places);

} // namespace tarnwick
