#include "common/listedpath.h"

#include <algorithm>

namespace tarnwick {

const QString& ListedPath::joined(QString& buffer) const {
    if (m_head.isEmpty())
        return m_tail;
    // Kept at its capacity, so that joining row after row allocates nothing.
    buffer.resize(0);
    buffer.append(m_head).append(m_tail);
    return buffer;
}

bool ListedPath::cutAtName(QChar separator) const {
    const qsizetype nameSize = m_tail.endsWith(separator) ? m_tail.size() - 1 : m_tail.size();
    return !m_tail.isEmpty() && m_head.endsWith(separator) &&
           !QStringView(m_tail).left(nameSize).contains(separator);
}

bool operator==(const ListedPath& a, const ListedPath& b) {
    if (a.size() != b.size())
        return false;
    if (a.m_head.size() == b.m_head.size())
        return EqualText(a.m_head, b.m_head) && EqualText(a.m_tail, b.m_tail);
    QString aBuffer, bBuffer;
    return a.joined(aBuffer) == b.joined(bBuffer);
}

std::strong_ordering operator<=>(const ListedPath& a, const ListedPath& b) {
    // Walked a stretch at a time, each stretch within one part of either path.
    const auto part = [](const ListedPath& path, qsizetype at) {
        return at < path.m_head.size() ? QStringView(path.m_head).sliced(at)
                                       : QStringView(path.m_tail).sliced(at - path.m_head.size());
    };
    const qsizetype common = std::min(a.size(), b.size());
    for (qsizetype at = 0; at < common;) {
        const QStringView aPart = part(a, at);
        const QStringView bPart = part(b, at);
        const qsizetype length = std::min({aPart.size(), bPart.size(), common - at});
        const int order = aPart.left(length).compare(bPart.left(length));
        if (order != 0)
            return order < 0 ? std::strong_ordering::less : std::strong_ordering::greater;
        at += length;
    }
    return a.size() <=> b.size();
}

} // namespace tarnwick
