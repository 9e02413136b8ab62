#include "platform/filesystem.h"

#include "common/failure.h"

#include <QFile>
#include <algorithm>

namespace tarnwick {

bool HostRules::shorterThan(const QString& text, qsizetype bound) const {
    // No 16-bit unit takes more than three bytes, so most texts need no encoding to be measured.
    if (!lengthsInBytes || text.size() * 3 < bound)
        return text.size() < bound;
    return QFile::encodeName(text).size() < bound;
}

bool HostRules::shorterThan(const ListedPath& path, qsizetype bound) const {
    if (!lengthsInBytes || path.size() * 3 < bound)
        return path.size() < bound;
    return shorterThan(path.toString(), bound);
}

bool HostRules::canBearName(const QString& name) const {
    if (name.isEmpty() || name == u"." || name == u".." || name.contains(separator) ||
        name.contains(QChar(0)))
        return false;
    if (std::any_of(refusedNameCharacters.begin(), refusedNameCharacters.end(),
                    [&](QChar c) { return name.contains(c); }))
        return false;
    return shorterThan(name, nameMax + 1);
}

namespace {

// A folder addressed by its path at every call, for hosts that have nothing better to hold.
class FolderByPath : public OpenFolder {
public:
    FolderByPath(FileSystem& fileSystem, QString path)
        : OpenFolder(std::move(path)), m_fileSystem(fileSystem) {}
    std::vector<DirectoryEntry> entries() override { return m_fileSystem.list(path()).entries; }
    void rename(const QString& from, const QString& to) override {
        m_fileSystem.renameFolder(path(), from, to);
    }
    bool lookupIgnoresCase(const QString& probe) override {
        return m_fileSystem.lookupIgnoresCase(path(), probe);
    }

private:
    FileSystem& m_fileSystem;
};

} // namespace

std::unique_ptr<OpenFolder> FileSystem::open(const QString& folder) {
    std::optional<QString> found = findIgnoringCase(folder);
    if (!found)
        return nullptr;
    if (!found->endsWith(separator()))
        *found += separator();
    return std::make_unique<FolderByPath>(*this, std::move(*found));
}

std::optional<FileIdentity> FileSystem::identity(const QString& folder) {
    try {
        return list(folder, Through::Link).identity;
    } catch (const Failure&) {
        return std::nullopt;
    }
}

QStringList FileSystem::subfolders(const QString& folder) {
    QStringList names;
    for (const DirectoryEntry& entry : list(folder).entries) {
        if (entry.isFolder())
            names.append(entry.name);
    }
    return names;
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
