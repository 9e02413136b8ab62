#include "rename/followrenames.h"

#include "common/pathtext.h"

#include <algorithm>
#include <numeric>

namespace tarnwick {

void FollowedRenames::renamed(const QString& path, const QString& newPath) {
    m_folders.push_back({path, newPath});
    m_sorted.clear();
    m_parent.clear();
}

void FollowedRenames::foundAs(const QString& path, const QString& newPath) {
    m_also.insert(path, newPath);
    m_parent.clear();
}

const QString* FollowedRenames::renamedTo(QStringView path) {
    if (!m_also.isEmpty()) {
        if (const auto also = m_also.constFind(path.toString()); also != m_also.constEnd())
            return &*also;
    }
    if (m_sorted.size() != m_folders.size()) {
        m_sorted.resize(m_folders.size());
        std::iota(m_sorted.begin(), m_sorted.end(), 0U);
        std::stable_sort(m_sorted.begin(), m_sorted.end(), [&](std::uint32_t a, std::uint32_t b) {
            return m_folders[a].before < m_folders[b].before;
        });
    }
    // The last told of a path counts, as it is what the folder there became last.
    const auto after = std::upper_bound(
        m_sorted.begin(), m_sorted.end(), path,
        [&](QStringView key, std::uint32_t at) { return key < QStringView(m_folders[at].before); });
    if (after == m_sorted.begin() || QStringView(m_folders[*(after - 1)].before) != path)
        return nullptr;
    return &m_folders[*(after - 1)].after;
}

QString FollowedRenames::borne(const QString& now) {
    const QString* own = renamedTo(now);
    const bool renamed = own != nullptr;
    const bool wholePath = renamed && own->endsWith(m_separator);
    const qsizetype cut = LeafStart(now, m_separator);
    const QStringView listedParent = QStringView(now).left(cut);
    // Renamed where its row says it was, as nearly always: only its name changed.
    const bool inPlace = wholePath && cut > 0 && own->size() > cut &&
                         QStringView(*own).left(cut) == listedParent &&
                         own->indexOf(m_separator, cut) == own->size() - 1;
    if (wholePath && !inPlace)
        return followUp(*own, LeafStart(*own, m_separator) - 1);
    if (cut <= 0)
        return renamed ? (wholePath ? *own : *own + m_separator) : now;
    const QString& parent = parentBorne(now, cut);
    if (parent == listedParent && (!renamed || wholePath))
        return renamed ? *own : now;
    const QStringView leaf = !renamed  ? QStringView(now).sliced(cut)
                             : inPlace ? QStringView(*own).sliced(cut)
                                       : QStringView(*own);
    const bool separated = renamed && !wholePath;
    QString path;
    path.reserve(parent.size() + leaf.size() + (separated ? 1 : 0));
    path.append(parent).append(leaf);
    if (separated)
        path.append(m_separator);
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
        const QString* above = renamedTo(QStringView(path).left(at + 1));
        if (!above)
            continue;
        if (above->endsWith(m_separator)) {
            path = *above + path.mid(at + 1);
            at = above->size() - 1;
        } else {
            const qsizetype start = path.lastIndexOf(m_separator, at - 1) + 1;
            path = path.left(start) + *above + path.mid(at);
            at = start + above->size();
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
