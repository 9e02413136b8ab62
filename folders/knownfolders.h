#pragma once

#include "common/listedpath.h"
#include "platform/filesystem.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace tarnwick {

inline constexpr char16_t kKnownFolderWords[] =
    u"Left as it is: your desktop knows this folder by its name";

// The folders the desktop knows by their paths (the home folder, the user's folders, mount
// points), and the folders on the way to each: renaming any of them takes the known folder away
// from the path the desktop has for it. A listed folder is one of them when the host says it is
// the same folder (device and inode); names only narrow down which folders are asked about, so
// the question costs nothing for the many listed folders whose names no known folder bears.
class KnownFolders {
public:
    // Knows no folder.
    KnownFolders() = default;
    KnownFolders(FileSystem& fileSystem, const QStringList& paths);

    bool isEmpty() const { return m_folders.empty(); }
    // True when the folder, a path with or without its trailing separator, is one of them.
    bool contains(const ListedPath& folder) const;
    bool contains(const QString& folder) const { return contains(ListedPath(folder)); }

private:
    struct Known {
        QString path;
        // Asked of the host the first time a listed folder bears its name; none where no folder
        // is there or the host cannot tell.
        mutable std::optional<std::optional<FileIdentity>> identity;
    };
    void add(const QString& path);
    const std::optional<FileIdentity>& identityOf(const Known& known) const;

    FileSystem* m_fileSystem = nullptr;
    QChar m_separator = kHostSeparator;
    std::vector<Known> m_folders;
    // Each folder's place in m_folders under its name without letter case.
    QMultiHash<QString, std::size_t> m_byName;
    // What tells those names apart at a glance, so that most listed names need not be folded.
    QSet<quint64> m_signatures;
};

} // namespace tarnwick
