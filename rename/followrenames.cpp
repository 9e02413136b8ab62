#include "rename/followrenames.h"

#include "common/pathtext.h"

#include <algorithm>
#include <numeric>

namespace tarnwick {

namespace {

// Records in order of their path, compared as parent then name: a path has one split at its own
// name, so the order is a path's own.
bool PathBefore(QStringView parentA, QStringView nameA, QStringView parentB, QStringView nameB) {
    const int parents = parentA.compare(parentB);
    return parents < 0 || (parents == 0 && nameA < nameB);
}

} // namespace

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
}

void FollowedRenames::foundAs(const QString& path, const QString& newPath) {
    m_also.insert(path, newPath);
    m_parent.clear();
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
    if (m_sorted.size() != m_folders.size()) {
        m_sorted.resize(m_folders.size());
        std::iota(m_sorted.begin(), m_sorted.end(), 0U);
        std::stable_sort(m_sorted.begin(), m_sorted.end(), [&](std::uint32_t a, std::uint32_t b) {
            return PathBefore(m_folders[a].parent, m_folders[a].before, m_folders[b].parent,
                              m_folders[b].before);
        });
    }
    const qsizetype cut = LeafStart(path, m_separator);
    const QStringView parent = path.left(cut);
    const QStringView name = path.sliced(cut);
    // The last told of a path counts, as it is what the folder there became last.
    const auto after = std::upper_bound(
        m_sorted.begin(), m_sorted.end(), 0U, [&](std::uint32_t, std::uint32_t at) {
            return PathBefore(parent, name, m_folders[at].parent, m_folders[at].before);
        });
    if (after == m_sorted.begin())
        return nullptr;
    const RenamedFolder& found = m_folders[*(after - 1)];
    return found.parent == parent && found.before == name ? &found.after : nullptr;
}

QString FollowedRenames::borne(const QString& now) {
    bool whole = false;
    const QString* own = renamedTo(now, whole);
    if (own && whole)
        return followUp(*own, LeafStart(*own, m_separator) - 1);
    const qsizetype cut = LeafStart(now, m_separator);
    if (cut <= 0)
        return own ? *own : now;
    const QString& parent = parentBorne(now, cut);
    if (!own && parent == QStringView(now).left(cut))
        return now;
    const QStringView leaf = own ? QStringView(*own) : QStringView(now).sliced(cut);
    QString path;
    path.reserve(parent.size() + leaf.size());
    path.append(parent).append(leaf);
    return path;
}

const QString& FollowedRenames::parentBorne(const QString& now, qsizetype cut) {
    const QStringView parent = QStringView(now).left(cut);
    if (m_parent.isEmpty() || parent != m_parent) {
        m_parent = parent.toString();
        m_parentBorne = followUp(m_parent, m_parent.size() - 1);
    }
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

RowCursor::RowCursor(FolderListModel& list) : m_list(list) {
    m_connections[0] = QObject::connect(&list, &QAbstractItemModel::rowsRemoved,
                                        [this](const QModelIndex&, int first, int last) {
                                            if (last < m_next)
                                                m_next -= last - first + 1;
                                            else if (first < m_next)
                                                m_next = first;
                                        });
    m_connections[1] =
        QObject::connect(&list, &QAbstractItemModel::modelReset, [this] { m_next = 0; });
}

RowCursor::~RowCursor() {
    for (const QMetaObject::Connection& connection : m_connections)
        QObject::disconnect(connection);
}

} // namespace tarnwick
