#pragma once

#include "fakedialogs.h"

#include "folders/addfolders.h"
#include "folders/rowvector.h"
#include "platform/filesystem.h"
#include "rename/lastrun.h"
#include "rename/renamerun.h"
#include "transform/preview.h"

#include <QStringList>
#include <vector>

namespace tarnwick::test {

// The window's way on the host's disk, without the window: each folder added as "Add Folder(s)"
// adds it with its subfolders, the preview of operation, and the run. Returns what the run
// renamed, in run order, none when it did not start.
inline std::optional<std::vector<RenamedFolder>> RenameOnDisk(const QStringList& chosen,
                                                              Operation operation) {
    RowVector rows;
    FakeUserDialogs dialogs;
    AddFolders({rows, HostFileSystem(), dialogs, [] { return true; }, {}, {}}, chosen);
    for (int row = 0; row < rows.count(); ++row)
        rows.setText(row, ListRows::kNewName,
                     PreviewNewPath(rows.path(row, ListRows::kNow).toString(), operation));
    LastRun lastRun;
    if (!RunRenames({rows, HostFileSystem(), dialogs, QStringLiteral("Tarnwick"), {}, lastRun}))
        return std::nullopt;
    return lastRun.folders();
}

} // namespace tarnwick::test
