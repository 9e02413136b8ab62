#include "rename/followrenames.h"

namespace tarnwick {

void FollowedRenames::renamed(const QString& path, const QString& newName) {
    m_names.insert(path, newName);
    m_parent.clear();
    m_parentBorne.clear();
}

QString FollowedRenames::borne(const QString& now) {
    const auto own = m_names.constFind(now);
    const bool renamed = own != m_names.constEnd();
    const bool wholePath = renamed && own->endsWith(m_separator);
    const qsizetype cut = now.lastIndexOf(m_separator, now.size() - 2) + 1;
    const QStringView listedParent = QStringView(now).left(cut);
    // Renamed where its row says it was, as nearly always: only its name changed.
    const bool inPlace = wholePath && cut > 0 && own->size() > cut &&
                         QStringView(*own).left(cut) == listedParent &&
                         own->indexOf(m_separator, cut) == own->size() - 1;
    if (wholePath && !inPlace)
        return followUp(*own, own->lastIndexOf(m_separator, own->size() - 2));
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

QString FollowedRenames::followUp(QString path, qsizetype at) const {
    for (; at > 0; at = path.lastIndexOf(m_separator, at - 1)) {
        const auto above = m_names.constFind(path.left(at + 1));
        if (above == m_names.constEnd())
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
