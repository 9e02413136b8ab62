#pragma once

#include "trees.h"

#include "folders/folderlist.h"
#include "transform/operations.h"

#include <QString>
#include <cstddef>
#include <string>
#include <vector>

// The bare floors of the machine that each stage is measured beside: what the file system itself
// takes for the same listing or the same renames, with nothing of the program around it.
namespace tarnwick::bench {

// The floor of listing: a bare breadth-first opendir/readdir walk that keeps every path. The paths
// are handed back, so that letting them go is not timed: the add keeps its rows too.
std::vector<std::string> BareWalk(const std::string& root);

// The floor below readdir: getdents64 straight into a large buffer, the kind taken from d_type;
// still keeping every path, as the add must.
std::vector<std::string> BareGetdentsWalk(const std::string& root);

// The floor of the preview: every row's own name (its path's last part, read in place) converted
// by the program's own case mapping, the new name kept beside the row in newNames (as many as
// rows). Nothing else of the preview: no marks, no new path, no view told.
void ConvertNames(const std::vector<FolderEntry>& rows, Operation operation,
                  std::vector<QString>& newNames);

// The wall time of `find root -type d`, its output thrown away.
double FindMs(const QString& root);

// Renames every folder back by its steps, two renameat2(RENAME_NOREPLACE) calls each through the
// intermediate name, as the program's detour does; true when every call succeeded.
bool RenameBackTwice(const std::vector<RenameStep>& steps);

// The same with one renameat2(RENAME_NOREPLACE) a folder, straight to its generated name: the
// least a run can do where the disk tells letter case apart.
bool RenameBackOnce(const std::vector<RenameStep>& steps);

// Undoes RenameBackOnce, shallowest first, so that the tree is upper case again for the next
// floor. Not a floor itself.
bool RenameForwardOnce(const std::vector<RenameStep>& steps);

} // namespace tarnwick::bench
