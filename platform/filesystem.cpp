#include "platform/filesystem.h"

namespace tarnwick {

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
