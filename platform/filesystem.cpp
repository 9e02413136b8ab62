#include "platform/filesystem.h"

#include <algorithm>

namespace tarnwick {

FileSystem::SubfolderLookup FileSystem::lookUpSubfolder(const QString& parent,
                                                        const QString& name) {
    const bool exists = subfolders(parent).contains(name, Qt::CaseSensitive);
    return {exists, hasCaseTwin(parent, name)};
}

bool FileSystem::hasCaseTwin(const QString& parent, const QString& name) {
    const QStringList names = subfolders(parent);
    return std::any_of(names.begin(), names.end(), [&](const QString& other) {
        return other != name && other.compare(name, Qt::CaseInsensitive) == 0;
    });
}

std::optional<QString> FileSystem::findFolderIgnoringCase(const QString& path) {
    std::optional<QString> found = findIgnoringCase(path);
    if (found && !IsFolder(*this, *found))
        found.reset();
    return found;
}

bool PathExists(FileSystem& fileSystem, const QString& path) {
    return !path.isEmpty() && fileSystem.attributes(path).has_value();
}

bool IsFolder(FileSystem& fileSystem, const QString& path) {
    if (path.isEmpty())
        return false;
    const std::optional<int> bits = fileSystem.attributes(path);
    return bits && (*bits & attribute::kDirectory);
}

} // namespace tarnwick
