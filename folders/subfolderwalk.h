#pragma once

#include "common/labels.h"
#include "common/listedpath.h"
#include "platform/filesystem.h"
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "common/errortrap.h"

namespace tarnwick {

class FileSystem;

// Extends folders (paths ending with the file system's separator) in place with every folder
// below them, level by level: all first-level subfolders, then all second-level ones, each level
// grouped by parent in the parents' order and each group in the host's listing order. Hidden and
// system folders (22), their links (1046), paths and names beyond the host's bounds, names with
// characters the host's code page does not support, and a folder reached a second time (a bind
// mount inside the tree) are left out together with everything below them. A link met below a
// folder of folders is listed but never walked into; a folder of folders is walked even when it
// is a link. An entry of folders whose subfolders cannot be read (70 or 76) is removed; other
// listing failures only end its walk.
// Without includeAllLevels only the first level is added. pump runs once per examined entry, per
// subfolder walked and per entry merged.
void GetSubDirectories2016(std::vector<ListedPath>& folders, bool includeAllLevels,
                           FileSystem& fileSystem, const std::function<void()>& pump,
                           const FailureReport& report);
// A folder of a walk and what the host said it is where its parent's listing told it (zero for
// the folders passed in).
struct WalkedFolder {
    ListedPath path;
    FileIdentity identity{};
};
// The same, each folder with its identity; progress, where given, is told how many folders the
// walk has found so far, at each one it finds. Once stopRequested answers true, no further folder
// is listed: the folders found so far are kept, as vetted as ever, and the walk ends.
void GetSubDirectories2016(std::vector<WalkedFolder>& folders, bool includeAllLevels,
                           FileSystem& fileSystem, const std::function<void()>& pump,
                           const FailureReport& report,
                           const std::function<void(int found)>& progress = {},
                           const std::function<bool()>& stopRequested = {});
// The same with whole paths.
void GetSubDirectories2016(QStringList& folders, bool includeAllLevels, FileSystem& fileSystem,
                           const std::function<void()>& pump, const FailureReport& report);

} // namespace tarnwick
