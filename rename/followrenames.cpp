#include "rename/followrenames.h"

#include "common/pathtext.h"
#include "common/sametext.h"

#include <algorithm>
#include <numeric>

namespace tarnwick {

void FollowedRenames::renamed(const QString& path, const QString& newName) {
    const qsizetype cut = LeafStart(path, m_separator);
    const QStringView parent = QStringView(path).left(cut);
    // Siblings come together: their parent is kept once.
    QString kept = !m_folders.empty() && m_folders.back().parent == parent ? m_folders.back().parent
                                                                           : parent.toString();
    renamed({std::move(kept), path.sliced(cut), newName + m_separator});
}

void FollowedRenames::renamed(RenamedFolder folder) {
    m_folders.push_back(std::move(folder));
    m_sorted.clear();
    m_parent.clear();
    m_grandparent.clear();
}

void FollowedRenames::foundAs(const QString& path, const QString& newPath) {
    m_also.insert(path, newPath);
    m_parent.clear();
    m_grandparent.clear();
}

const QString* FollowedRenames::renamedTo(QStringView path, bool& whole) {
    whole = false;
    if (!m_also.isEmpty()) {
        if (const auto also = m_also.constFind(path.toString()); also != m_also.constEnd()) {
            whole = true;
            return &*also;
        }
    }
    if (m_folders.empty())
        return nullptr;
    if (m_sorted.size() != m_folders.size())
        sort();
    const qsizetype cut = LeafStart(path, m_separator);
    const auto siblings = m_byParent.find(path.left(cut));
    if (siblings == m_byParent.end())
        return nullptr;
    return renamedAmong(siblings->second, path.sliced(cut));
}

const QString* FollowedRenames::renamedIn(const QString& parent, QStringView name) {
    if (m_sorted.size() != m_folders.size())
        sort();
    if (m_lastParent.isNull() || !SameText(parent, m_lastParent)) {
        const auto siblings = m_byParent.find(QStringView(parent));
        m_lastSiblings = siblings == m_byParent.end() ? std::pair(0U, 0U) : siblings->second;
        m_lastParent = parent;
    }
    return renamedAmong(m_lastSiblings, name);
}

const QString* FollowedRenames::renamedAmong(std::pair<std::uint32_t, std::uint32_t> siblings,
                                             QStringView name) const {
    const auto first = m_sorted.begin() + siblings.first;
    const auto last = m_sorted.begin() + siblings.second;
    // The last told of a path counts, as it is what the folder there became last.
    const auto after = std::upper_bound(first, last, name, [&](QStringView key, std::uint32_t at) {
        return key < QStringView(m_folders[at].before);
    });
    if (after == first || QStringView(m_folders[*(after - 1)].before) != name)
        return nullptr;
    return &m_folders[*(after - 1)].after;
}

ListedPath FollowedRenames::borne(const ListedPath& now, bool& changed) {
    const QString& head = now.head();
    const QString& tail = now.tail();
    // Kept in two parts at its own name, as the walk gives nearly every row: else as a whole.
    if (!m_also.isEmpty() || !now.cutAtName(m_separator)) {
        const QString whole = now.toString();
        const QString bears = borne(whole);
        changed = bears != whole;
        return changed ? ListedPath(bears) : now;
    }
    const QString* own = m_folders.empty() ? nullptr : renamedIn(head, tail);
    const QString& parent = parentBorne(head, &head);
    changed = own || !m_parentStays;
    if (!changed)
        return now;
    return ListedPath(m_parentStays ? head : parent, own ? *own : tail);
}

void FollowedRenames::sort() {
    m_lastParent.clear();
    // Grouped by parent through the hash, then each parent's renames by name: no comparison of
    // whole paths. Within a group they keep the order they were told in.
    m_byParent.clear();
    m_byParent.reserve(m_folders.size() / 4 + 1);
    std::vector<std::uint32_t> group(m_folders.size());
    std::vector<std::uint32_t> sizes;
    const QString* lastParent = nullptr;
    for (std::uint32_t at = 0; at < m_folders.size(); ++at) {
        const QString& parent = m_folders[at].parent;
        // Siblings share one string: the hash is asked once for all of them.
        if (!lastParent || !SameText(parent, *lastParent)) {
            const auto [found, added] = m_byParent.try_emplace(
                QStringView(parent), static_cast<std::uint32_t>(sizes.size()), 0);
            if (added)
                sizes.push_back(0);
            lastParent = &parent;
            group[at] = found->second.first;
        } else {
            group[at] = group[at - 1];
        }
        ++sizes[group[at]];
    }
    std::vector<std::uint32_t> starts(sizes.size());
    std::exclusive_scan(sizes.begin(), sizes.end(), starts.begin(), 0U);
    for (auto& [parent, range] : m_byParent)
        range = {starts[range.first], starts[range.first] + sizes[range.first]};
    m_sorted.resize(m_folders.size());
    for (std::uint32_t at = 0; at < m_folders.size(); ++at)
        m_sorted[starts[group[at]]++] = at;
    for (const auto& [parent, range] : m_byParent)
        std::stable_sort(m_sorted.begin() + range.first, m_sorted.begin() + range.second,
                         [&](std::uint32_t a, std::uint32_t b) {
                             return m_folders[a].before < m_folders[b].before;
                         });
}

QString FollowedRenames::borne(const QString& now) {
    bool whole = false;
    const QString* own = renamedTo(now, whole);
    if (own && whole)
        return followUp(*own, LeafStart(*own, m_separator) - 1);
    const qsizetype cut = LeafStart(now, m_separator);
    if (cut <= 0)
        return own ? *own : now;
    const QString& parent = parentBorne(QStringView(now).left(cut));
    if (!own && m_parentStays)
        return now;
    const QStringView leaf = own ? QStringView(*own) : QStringView(now).sliced(cut);
    QString path;
    path.reserve(parent.size() + leaf.size());
    path.append(parent).append(leaf);
    return path;
}

const QString& FollowedRenames::parentBorne(QStringView parent, const QString* shared) {
    const bool same = !m_parent.isEmpty() && SameText(parent, m_parent);
    if (!same) {
        m_parentBorne = followUpThroughParent(parent);
        m_parentStays = m_parentBorne == parent;
    }
    if (!same || shared)
        m_parent = shared ? *shared : parent.toString();
    return m_parentBorne;
}

QString FollowedRenames::followUp(QString path, qsizetype at) {
    for (; at > 0; at = path.lastIndexOf(m_separator, at - 1)) {
        bool whole = false;
        const QString* above = renamedTo(QStringView(path).left(at + 1), whole);
        if (!above)
            continue;
        if (whole) {
            path = *above + path.mid(at + 1);
            at = above->size() - 1;
        } else {
            const qsizetype start = path.lastIndexOf(m_separator, at - 1) + 1;
            path = path.left(start) + *above + path.mid(at + 1);
            at = start + above->size() - 1;
        }
    }
    return path;
}

QString FollowedRenames::followUpThroughParent(QStringView parent) {
    const qsizetype cut = LeafStart(parent, m_separator);
    // A path found elsewhere replaces the whole path above it: followed from the start.
    if (cut <= 0 || !m_also.isEmpty())
        return followUp(parent.toString(), parent.size() - 1);
    const QStringView above = parent.left(cut);
    if (m_grandparent.isEmpty() || above != m_grandparent) {
        m_grandparent = above.toString();
        m_grandparentBorne = followUp(m_grandparent, m_grandparent.size() - 1);
    }
    bool whole = false;
    const QString* own = renamedTo(parent, whole);
    const QStringView name = own ? QStringView(*own) : parent.sliced(cut);
    QString path;
    path.reserve(m_grandparentBorne.size() + name.size());
    path.append(m_grandparentBorne).append(name);
    return path;
}

} // namespace tarnwick
