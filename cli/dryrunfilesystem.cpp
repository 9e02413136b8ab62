#include "cli/dryrunfilesystem.h"

#include "common/failure.h"

#include <QCoreApplication>
#include <QFile>

namespace tarnwick::cli {

namespace {

// The open folder of a dry run: read from the disk, renamed in the dry run's books.
class DryOpenFolder : public OpenFolder {
public:
    DryOpenFolder(DryRunFileSystem& fileSystem, std::unique_ptr<OpenFolder> inner, QString shown)
        : OpenFolder(std::move(shown)), m_fileSystem(fileSystem), m_inner(std::move(inner)) {}

    std::vector<DirectoryEntry> entries() override {
        std::vector<DirectoryEntry> entries = m_inner->entries();
        m_fileSystem.rename(entries, m_inner->path());
        return entries;
    }
    void rename(const QString& from, const QString& to) override {
        // The run asks its own copy of the entries whether the name is free before it renames.
        m_fileSystem.simulate(m_inner->path(), nullptr, from, to);
    }
    bool reachedWithoutLinks() const override { return m_inner->reachedWithoutLinks(); }
    bool lookupIgnoresCase(const QString& probe) override {
        const std::optional<QString> onDisk = m_fileSystem.onDisk(path() + probe);
        return m_inner->lookupIgnoresCase(onDisk ? onDisk->mid(m_inner->path().size()) : probe);
    }
    bool identitiesLast() override { return m_inner->identitiesLast(); }

private:
    DryRunFileSystem& m_fileSystem;
    std::unique_ptr<OpenFolder> m_inner;
};

} // namespace

QString DryRunFileSystem::renamedIgnoringCase(const Renames& renames, const QString& name) {
    QString found;
    for (auto renamed = renames.toDisk.constBegin(); renamed != renames.toDisk.constEnd();
         ++renamed) {
        if (renamed.key().compare(name, Qt::CaseInsensitive) != 0)
            continue;
        // Two names alike but for case: the host would find neither by this one.
        if (!found.isEmpty())
            return {};
        found = renamed.value();
    }
    return found;
}

std::optional<QString> DryRunFileSystem::onDisk(const QString& path, bool ignoringCase) const {
    if (m_renames.isEmpty())
        return path;
    const QChar separator = this->separator();
    QString disk;
    qsizetype at = 0;
    while (at < path.size()) {
        qsizetype end = path.indexOf(separator, at);
        if (end < 0)
            end = path.size();
        const QString name = path.mid(at, end - at);
        const auto renames = m_renames.constFind(disk);
        if (renames != m_renames.constEnd() && !name.isEmpty()) {
            const auto renamed = renames->toDisk.constFind(name);
            if (renamed != renames->toDisk.constEnd())
                disk += *renamed;
            else if (!renames->fromDisk.contains(name))
                disk += name;
            else if (const QString other = renamedIgnoringCase(*renames, name);
                     !ignoringCase || other.isEmpty())
                return std::nullopt;
            else
                disk += other;
        } else {
            disk += name;
        }
        if (end < path.size())
            disk += separator;
        at = end + 1;
    }
    return disk;
}

QString DryRunFileSystem::shown(const QString& diskPath) const {
    if (m_renames.isEmpty())
        return diskPath;
    const QChar separator = this->separator();
    QString disk;
    QString shown;
    qsizetype at = 0;
    while (at < diskPath.size()) {
        qsizetype end = diskPath.indexOf(separator, at);
        if (end < 0)
            end = diskPath.size();
        const QString name = diskPath.mid(at, end - at);
        const auto renames = m_renames.constFind(disk);
        shown += renames == m_renames.constEnd() ? name : renames->fromDisk.value(name, name);
        disk += name;
        if (end < diskPath.size()) {
            disk += separator;
            shown += separator;
        }
        at = end + 1;
    }
    return shown;
}

void DryRunFileSystem::rename(std::vector<DirectoryEntry>& entries, const QString& diskPath) const {
    const auto renames = m_renames.constFind(diskPath);
    if (renames == m_renames.constEnd())
        return;
    for (DirectoryEntry& entry : entries)
        entry.name = renames->fromDisk.value(entry.name, entry.name);
}

void DryRunFileSystem::simulate(const QString& diskPath, std::vector<DirectoryEntry>* entries,
                                const QString& from, const QString& to) {
    if (entries) {
        rename(*entries, diskPath);
        bool found = false;
        for (const DirectoryEntry& entry : *entries) {
            if (entry.name == to)
                throw Failure(failure_code::kFileAlreadyExists,
                              QCoreApplication::translate("Tarnwick", "File already exists"))
                    .about(diskPath + to);
            found = found || entry.name == from;
        }
        if (!found)
            throw PathNotFound().about(diskPath + from);
    }
    // The host would refuse a parent this user may not write.
    m_host.checkMayRenameIn(diskPath);
    Renames& renames = m_renames[diskPath];
    const QString nameOnDisk = renames.toDisk.take(from);
    const QString disk = nameOnDisk.isEmpty() ? from : nameOnDisk;
    renames.toDisk.insert(to, disk);
    renames.fromDisk.insert(disk, to);
}

std::optional<int> DryRunFileSystem::attributes(const QString& path) {
    const std::optional<QString> disk = onDisk(path);
    return disk ? m_host.attributes(*disk) : std::nullopt;
}

bool DryRunFileSystem::isRoot(const QString& path) {
    const std::optional<QString> disk = onDisk(path);
    return disk && m_host.isRoot(*disk);
}

FolderListing DryRunFileSystem::list(const QString& folder, Through through) {
    const std::optional<QString> disk = onDisk(folder);
    if (!disk)
        throw PathNotFound().about(folder);
    FolderListing listing = m_host.list(*disk, through);
    QString key = *disk;
    if (!key.endsWith(separator()))
        key += separator();
    rename(listing.entries, key);
    return listing;
}

void DryRunFileSystem::renameFolder(const QString& parent, const QString& from, const QString& to) {
    const std::optional<QString> disk = onDisk(parent);
    if (!disk)
        throw PathNotFound().about(parent);
    QString key = *disk;
    if (!key.endsWith(separator()))
        key += separator();
    std::vector<DirectoryEntry> entries = m_host.list(key).entries;
    simulate(key, &entries, from, to);
}

std::unique_ptr<OpenFolder> DryRunFileSystem::open(const QString& folder) {
    // Found as the host finds a folder to open: in other letter case too, where the run renamed it.
    const std::optional<QString> disk = onDisk(folder, true);
    if (!disk)
        return nullptr;
    std::unique_ptr<OpenFolder> inner = m_host.open(*disk);
    if (!inner)
        return nullptr;
    const QString shownPath = shown(inner->path());
    return std::make_unique<DryOpenFolder>(*this, std::move(inner), shownPath);
}

std::optional<QString> DryRunFileSystem::findIgnoringCase(const QString& path) {
    const std::optional<QString> disk = onDisk(path);
    if (!disk)
        return std::nullopt;
    const std::optional<QString> found = m_host.findIgnoringCase(*disk);
    return found ? std::optional(shown(*found)) : std::nullopt;
}

std::optional<FileIdentity> DryRunFileSystem::entryIdentity(const QString& path) {
    const std::optional<QString> disk = onDisk(path);
    return disk ? m_host.entryIdentity(*disk) : std::nullopt;
}

bool DryRunFileSystem::lookupIgnoresCase(const QString& folder, const QString& probe) {
    const std::optional<QString> disk = onDisk(folder);
    return !disk || m_host.lookupIgnoresCase(*disk, probe);
}

std::optional<FileIdentity> DryRunFileSystem::identity(const QString& folder) {
    const std::optional<QString> disk = onDisk(folder);
    return disk ? m_host.identity(*disk) : std::nullopt;
}

} // namespace tarnwick::cli
