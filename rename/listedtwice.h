#pragma once

#include "common/listedpath.h"
#include "folders/listrows.h"
#include "platform/filesystem.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <algorithm>
#include <tuple>
#include <vector>

namespace tarnwick {

// Folders that more than one row lists (a tree added, then a folder of it added again): the first
// of their rows renames the folder, the others were renamed with it and must neither be renamed
// again nor be told their folder is gone. A folder is known by the identity its rows were listed
// with and the path they list it by: on disks whose identities are made up (FUSE lists every
// entry as one unknown number), an identity alone does not tell folders apart.
class ListedTwice {
public:
    explicit ListedTwice(const ListRows& rows) {
        // Sorted, not hashed: a large list lists each folder once, and its identities are only
        // looked through here.
        std::vector<FileIdentity> identities;
        identities.reserve(static_cast<std::size_t>(rows.count()));
        QSet<QString> seenPaths;
        for (int row = 0; row < rows.count(); ++row) {
            const FileIdentity identity = rows.identity(row);
            if (identity != FileIdentity{}) {
                identities.push_back(identity);
                continue;
            }
            QString path = rows.path(row, ListRows::kNow).toString();
            if (seenPaths.contains(path))
                m_paths.insert(std::move(path), false);
            else
                seenPaths.insert(std::move(path));
        }
        const auto order = [](const FileIdentity& a, const FileIdentity& b) {
            return std::tie(a.device, a.inode) < std::tie(b.device, b.inode);
        };
        std::sort(identities.begin(), identities.end(), order);
        for (auto twin = std::adjacent_find(identities.begin(), identities.end());
             twin != identities.end(); twin = std::adjacent_find(twin + 1, identities.end()))
            m_identities.insert(*twin, {});
    }

    // True when the folder a row lists was renamed with an earlier row of this run.
    bool renamedBefore(FileIdentity listedAs, const ListedPath& listed) const {
        if (listedAs != FileIdentity{}) {
            const auto found = m_identities.constFind(listedAs);
            return found != m_identities.constEnd() && found->contains(listed.toString());
        }
        return !m_paths.isEmpty() && m_paths.value(listed.toString(), false);
    }

    // The folder a row lists was renamed.
    void renamed(FileIdentity listedAs, const ListedPath& listed) {
        if (listedAs != FileIdentity{}) {
            const auto found = m_identities.find(listedAs);
            if (found != m_identities.end())
                found->insert(listed.toString());
        } else if (!m_paths.isEmpty()) {
            const auto found = m_paths.find(listed.toString());
            if (found != m_paths.end())
                *found = true;
        }
    }

private:
    // Listed more than once, and the paths of those renamed so far.
    QHash<FileIdentity, QSet<QString>> m_identities;
    // Listed more than once without an identity, and whether renamed yet.
    QHash<QString, bool> m_paths;
};

} // namespace tarnwick
