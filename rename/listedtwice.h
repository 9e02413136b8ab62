#pragma once

#include "common/listedpath.h"
#include "folders/listrows.h"
#include "platform/filesystem.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <algorithm>
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
        // Sorted, not hashed, and each identity as one number: a large list lists each folder
        // once, and this is only looked through. Two identities that share a number are taken
        // for twins; a row is still passed over only when its path is a renamed twin's too.
        std::vector<std::size_t> keys;
        keys.reserve(static_cast<std::size_t>(rows.count()));
        QSet<QString> seenPaths;
        for (int row = 0; row < rows.count(); ++row) {
            const FileIdentity identity = rows.identity(row);
            if (identity != FileIdentity{}) {
                keys.push_back(qHash(identity));
                continue;
            }
            QString path = rows.path(row, ListRows::kNow).toString();
            if (seenPaths.contains(path))
                m_paths.insert(std::move(path), false);
            else
                seenPaths.insert(std::move(path));
        }
        std::sort(keys.begin(), keys.end());
        for (auto twin = std::adjacent_find(keys.begin(), keys.end()); twin != keys.end();
             twin = std::adjacent_find(twin + 1, keys.end()))
            m_identities.insert(*twin, {});
    }

    // True when the folder a row lists was renamed with an earlier row of this run.
    bool renamedBefore(FileIdentity listedAs, const ListedPath& listed) const {
        if (listedAs != FileIdentity{}) {
            const auto found = m_identities.constFind(qHash(listedAs));
            return found != m_identities.constEnd() && found->contains(listed.toString());
        }
        return !m_paths.isEmpty() && m_paths.value(listed.toString(), false);
    }

    // The folder a row lists was renamed.
    void renamed(FileIdentity listedAs, const ListedPath& listed) {
        if (listedAs != FileIdentity{}) {
            const auto found = m_identities.find(qHash(listedAs));
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
    QHash<std::size_t, QSet<QString>> m_identities;
    // Listed more than once without an identity, and whether renamed yet.
    QHash<QString, bool> m_paths;
};

} // namespace tarnwick
