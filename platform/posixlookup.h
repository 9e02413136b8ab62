#pragma once

#include "platform/filesystem.h"

#include <QString>
#include <optional>

namespace tarnwick::posix {

// The kind of file system the folder of folderFd is on (fstatfs's magic number); 0 where it
// cannot be told.
unsigned long FileSystemKind(int folderFd);

// True on the local file systems whose lookups answer from the disk itself and whose inode
// numbers are kept on it; false elsewhere and where it cannot be told.
bool LookupTellsTheTruth(unsigned long kind);

// True on the file systems whose every folder on a mount is on the mount's device (no
// subvolumes); false elsewhere and where it cannot be told.
bool OneDevicePerMount(unsigned long kind);

// Whether the lookup inside the folder of folderFd, on a file system of that kind, ignores letter
// case, as the folder's own flag or the entry probe (which no other entry bears in other case)
// tells it; none where it cannot be told.
std::optional<bool> LookupIgnoresCase(int folderFd, unsigned long kind, const QString& probe);

// What the host says of an open folder, asked once.
struct HeldFolder {
    // The device its entries are on; 0 where it cannot be told.
    quint64 device = 0;
    // Its identity, comparable with what its parent's listing says of it; none for the root of a
    // mount (the listing tells the folder it covers) and where that cannot be told.
    std::optional<FileIdentity> listed;
};
HeldFolder ReadHeldFolder(int folderFd);

} // namespace tarnwick::posix
