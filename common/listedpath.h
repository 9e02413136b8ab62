#pragma once

#include <QString>
#include <QStringView>
#include <compare>

namespace tarnwick {

// The very same text, not a copy with the same characters: told without reading it. Rows of one
// parent share its text.
inline bool SameText(const QString& a, const QString& b) {
    return a.constData() == b.constData() && a.size() == b.size();
}

// Equal, and without reading them where they are the same text.
inline bool EqualText(const QString& a, const QString& b) {
    return SameText(a, b) || a == b;
}

// A path as the list keeps it: the part up to the folder's own name, one string shared by every
// row of the same parent, and the rest. Whole paths a hundred thousand times over would cost the
// list several times what the names do.
class ListedPath {
public:
    ListedPath() = default;
    // Kept as it stands, unshared: for texts written a row at a time.
    ListedPath(const QString& whole) : m_tail(whole) {}
    ListedPath(QString head, QString tail) : m_head(std::move(head)), m_tail(std::move(tail)) {}

    QString toString() const { return m_head.isEmpty() ? m_tail : m_head + m_tail; }
    // The whole path: the tail itself when there is no head, else written into buffer, which
    // keeps its capacity from one call to the next.
    const QString& joined(QString& buffer) const;
    bool isEmpty() const { return m_head.isEmpty() && m_tail.isEmpty(); }
    qsizetype size() const { return m_head.size() + m_tail.size(); }
    const QString& head() const { return m_head; }
    const QString& tail() const { return m_tail; }

    // True when the head is the parent's path and the tail the folder's own name, with or
    // without its trailing separator: as the walk and the list cut nearly every row.
    bool cutAtName(QChar separator) const;
    // The very texts of other, not copies with the same characters: equal without reading them.
    bool sharesTexts(const ListedPath& other) const {
        return SameText(m_head, other.m_head) && SameText(m_tail, other.m_tail);
    }
    // How often c occurs in the whole path.
    qsizetype count(QChar c) const { return m_head.count(c) + m_tail.count(c); }

    friend bool operator==(const ListedPath& a, const ListedPath& b);
    // In binary order of the whole paths' 16-bit units, wherever each is cut.
    friend std::strong_ordering operator<=>(const ListedPath& a, const ListedPath& b);

private:
    QString m_head;
    QString m_tail;
};

} // namespace tarnwick
