#include "app/folderdrop.h"

#include "folders/addfolders.h"
#include "platform/filesystem.h"

#include <QMimeData>
#include <QUrl>

namespace tarnwick {

namespace {

// A file address names a folder of this machine only without a host, or with "localhost".
std::optional<QString> LocalPath(QUrl url) {
    if (!url.isLocalFile())
        return std::nullopt;
    if (url.host().compare(QStringLiteral("localhost"), Qt::CaseInsensitive) == 0)
        url.setHost(QString());
    if (!url.host().isEmpty())
        return std::nullopt;
    const QString path = url.toLocalFile();
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

} // namespace

QStringList DroppedFolders(const QMimeData& data, FileSystem& fileSystem) {
    QStringList folders;
    if (!data.hasUrls())
        return folders;
    for (const QUrl& url : data.urls()) {
        const std::optional<QString> path = LocalPath(url);
        if (path && IsFolder(fileSystem, *path))
            folders << ChosenFolderPath(*path);
    }
    return folders;
}

std::optional<Qt::DropAction> FolderDropAction(Qt::DropActions possible) {
    for (const Qt::DropAction action : {Qt::CopyAction, Qt::LinkAction}) {
        if (possible & action)
            return action;
    }
    return std::nullopt;
}

} // namespace tarnwick
