#pragma once

#include "platform/filesystem.h"

#include <QHash>
#include <QString>
#include <optional>

namespace tarnwick::cli {

// The host's file system as it would be after the renames asked of it, none of which is made: a
// dry run goes through the very run and engine that --apply goes through, so what it prints is
// what --apply does. Everything read is read from the disk and shown as the renames so far would
// have left it; a rename is refused as the host would refuse it for a name taken or a parent that
// cannot be written.
class DryRunFileSystem : public FileSystem {
public:
    explicit DryRunFileSystem(FileSystem& host) : m_host(host) {}

    const HostRules& rules() const override { return m_host.rules(); }
    std::optional<int> attributes(const QString& path) override;
    bool isRoot(const QString& path) override;
    FolderListing list(const QString& folder, Through through = Through::NoLink) override;
    void renameFolder(const QString& parent, const QString& from, const QString& to) override;
    std::unique_ptr<OpenFolder> open(const QString& folder) override;
    std::optional<QString> findIgnoringCase(const QString& path) override;
    std::optional<FileIdentity> entryIdentity(const QString& path) override;
    bool lookupIgnoresCase(const QString& folder, const QString& probe) override;
    std::optional<FileIdentity> identity(const QString& folder) override;

    // Where the path is on disk; none when the renames so far took its name away, unless
    // ignoringCase and they gave it a name alike but for letter case, as the host finds a folder
    // to open.
    std::optional<QString> onDisk(const QString& path, bool ignoringCase = false) const;
    // Where the path on disk would be after the renames so far.
    QString shown(const QString& diskPath) const;
    // The entries of the folder at diskPath as the renames so far would have named them.
    void rename(std::vector<DirectoryEntry>& entries, const QString& diskPath) const;
    // Takes in a rename inside the folder at diskPath, or throws Failure as the host would; the
    // folder's entries on disk, where given, are asked whether the name is free.
    void simulate(const QString& diskPath, std::vector<DirectoryEntry>* entries,
                  const QString& from, const QString& to);

private:
    // One folder's renames: each name it would bear now by the name it bears on disk, and back.
    struct Renames {
        QHash<QString, QString> toDisk;
        QHash<QString, QString> fromDisk;
    };

    static QString renamedIgnoringCase(const Renames& renames, const QString& name);

    FileSystem& m_host;
    // By the folder's path on disk, ending with the separator.
    QHash<QString, Renames> m_renames;
};

} // namespace tarnwick::cli
