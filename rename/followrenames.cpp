#include "rename/followrenames.h"

#include "common/pathtext.h"
#include "common/sametext.h"

namespace tarnwick {

void FollowedRenames::renamed(const QString& path, const QString& newName, FileIdentity identity) {
    const qsizetype cut = LeafStart(path, m_separator);
    const QStringView parent = QStringView(path).left(cut);
    const std::vector<RenamedFolder>& told = m_renames.told();
    // Siblings come together: their parent is kept once.
    QString kept =
        !told.empty() && told.back().parent == parent ? told.back().parent : parent.toString();
    renamed({std::move(kept), path.sliced(cut), newName + m_separator, identity});
}

void FollowedRenames::renamed(RenamedFolder folder) {
    m_renames.add(std::move(folder));
    forgetBorne();
}

void FollowedRenames::foundAs(const QString& path, const QString& newPath) {
    m_foundElsewhere.insert(path, newPath);
    forgetBorne();
}

FollowedRenames::Became FollowedRenames::becameOf(QStringView path) {
    if (!m_foundElsewhere.isEmpty()) {
        if (const auto found = m_foundElsewhere.constFind(path.toString());
            found != m_foundElsewhere.constEnd())
            return {&*found, nullptr};
    }
    if (m_renames.isEmpty())
        return {};
    const qsizetype cut = LeafStart(path, m_separator);
    return {nullptr, m_renames.became(m_renames.madeIn(path.left(cut)), path.sliced(cut))};
}

std::optional<ListedPath> FollowedRenames::movedTo(const ListedPath& now) {
    const QString& head = now.head();
    const QString& tail = now.tail();
    // Kept in two parts at its own name, as the walk gives nearly every row: else as a whole.
    if (!m_foundElsewhere.isEmpty() || !now.cutAtName(m_separator)) {
        const QString whole = now.toString();
        QString bears = borne(whole);
        if (bears == whole)
            return std::nullopt;
        return ListedPath(std::move(bears));
    }
    const RowsParent& parent = rowsParent(head, &head);
    const QString* own = m_renames.became(parent.renames, tail);
    if (!own && parent.stays)
        return std::nullopt;
    return ListedPath(parent.stays ? head : parent.bears, own ? *own : tail);
}

QString FollowedRenames::borne(const QString& now) {
    const Became own = becameOf(now);
    if (own.wholePath)
        return followUp(*own.wholePath, LeafStart(*own.wholePath, m_separator) - 1);
    const qsizetype cut = LeafStart(now, m_separator);
    if (cut <= 0)
        return own.name ? *own.name : now;
    const RowsParent& parent = rowsParent(QStringView(now).left(cut));
    if (!own.name && parent.stays)
        return now;
    const QStringView leaf = own.name ? QStringView(*own.name) : QStringView(now).sliced(cut);
    QString path;
    path.reserve(parent.bears.size() + leaf.size());
    path.append(parent.bears).append(leaf);
    return path;
}

const FollowedRenames::RowsParent& FollowedRenames::rowsParent(QStringView parent,
                                                               const QString* kept) {
    const bool same = !m_rowsParent.listed.isEmpty() && SameText(parent, m_rowsParent.listed);
    if (!same) {
        m_rowsParent.bears = followUpThroughParent(parent);
        m_rowsParent.stays = m_rowsParent.bears == parent;
        m_rowsParent.renames = m_renames.madeIn(parent);
    }
    if (!same || kept)
        m_rowsParent.listed = kept ? *kept : parent.toString();
    return m_rowsParent;
}

QString FollowedRenames::followUp(QString path, qsizetype at) {
    for (; at > 0; at = path.lastIndexOf(m_separator, at - 1)) {
        const Became above = becameOf(QStringView(path).left(at + 1));
        if (above.wholePath) {
            path = *above.wholePath + path.mid(at + 1);
            at = above.wholePath->size() - 1;
        } else if (above.name) {
            const qsizetype start = path.lastIndexOf(m_separator, at - 1) + 1;
            path = path.left(start) + *above.name + path.mid(at + 1);
            at = start + above.name->size() - 1;
        }
    }
    return path;
}

QString FollowedRenames::followUpThroughParent(QStringView parent) {
    const qsizetype cut = LeafStart(parent, m_separator);
    // A path found elsewhere replaces the whole path above it: followed from the start.
    if (cut <= 0 || !m_foundElsewhere.isEmpty())
        return followUp(parent.toString(), parent.size() - 1);
    const QStringView above = parent.left(cut);
    if (m_grandparent.listed.isEmpty() || above != m_grandparent.listed) {
        m_grandparent.listed = above.toString();
        m_grandparent.bears = followUp(m_grandparent.listed, m_grandparent.listed.size() - 1);
    }
    const Became own = becameOf(parent);
    const QStringView name = own.name ? QStringView(*own.name) : parent.sliced(cut);
    QString path;
    path.reserve(m_grandparent.bears.size() + name.size());
    path.append(m_grandparent.bears).append(name);
    return path;
}

} // namespace tarnwick
