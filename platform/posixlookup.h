#pragma once

#include "platform/filesystem.h"

#include <QString>
#include <optional>

namespace tarnwick::posix {

// True on the local file systems whose lookups answer from the disk itself and whose inode
// numbers are kept on it; false elsewhere and where it cannot be told.
bool LookupTellsTheTruth(int folderFd);

// Whether the lookup inside the folder of folderFd ignores letter case, as the entry probe (which
// no other entry bears in other case) tells it; none where it cannot be told.
std::optional<bool> LookupIgnoresCase(int folderFd, const QString& probe);

// What the host says the folder of folderFd is, comparable with what its parent's listing says of
// it; none for the root of a mount (the listing tells the folder it covers) and where that cannot
// be told.
std::optional<FileIdentity> ListedIdentityOf(int folderFd);

} // namespace tarnwick::posix
