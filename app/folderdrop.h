#pragma once

#include <QStringList>
#include <Qt>
#include <optional>

class QMimeData;

namespace tarnwick {

class FileSystem;

// The local folders a drag carries, in the order they were dragged, each as the folder browser
// would have returned it. Files and addresses that are not on this machine are left out.
QStringList DroppedFolders(const QMimeData& data, FileSystem& fileSystem);

// The action a drop of folders is taken with. Never a move: the source must not delete what the
// user only wanted listed. None when the source offers nothing else.
std::optional<Qt::DropAction> FolderDropAction(Qt::DropActions possible);

} // namespace tarnwick
