#include "folders/rowmarks.h"

#include "folders/folderlist.h"
#include "folders/knownfolders.h"

#include <QCoreApplication>
#include <QHashFunctions>

#include <algorithm>
#include <bit>
#include <utility>

namespace tarnwick {
namespace {

template <class Notes> auto NoteAt(Notes& notes, int row) {
    return std::lower_bound(notes.begin(), notes.end(), row,
                            [](const auto& note, int wanted) { return note.first < wanted; });
}

QStringView WithoutTrailing(QStringView path, QChar separator) {
    return path.endsWith(separator) ? path.chopped(1) : path;
}

// One unit compared as the host's case-blind lookup compares it; units of a surrogate pair stay
// as they are, as the case conversions leave them.
char16_t Folded(char16_t unit) {
    if (unit < 0x80)
        return unit >= u'A' && unit <= u'Z' ? char16_t(unit + 0x20) : unit;
    if (QChar::isSurrogate(unit))
        return unit;
    return static_cast<char16_t>(QChar::toCaseFolded(char32_t(unit)));
}

// The parent as written, the name whatever its letter case. The parent, the longer part, goes
// through Qt's own hash of the bytes; the name is short.
std::uint64_t ParentHash(QStringView parent) {
    return qHash(parent, std::size_t(0x9e3779b97f4a7c15ULL));
}

std::uint64_t NameHash(std::uint64_t parentHash, QStringView name) {
    std::uint64_t hash = parentHash;
    for (const QChar unit : name)
        hash = (hash ^ Folded(unit.unicode())) * 0x100000001b3ULL;
    // The table takes its place from the low bits and its tag from the high ones.
    return hash ^ (hash >> 29);
}

// Both cut at their names under one parent string: they differ in their names alone.
bool SharesParent(const ListedPath& a, const ListedPath& b, QChar separator) {
    return SameText(a.head(), b.head()) && !a.tail().isEmpty() && !b.tail().isEmpty() &&
           a.cutAtName(separator);
}

bool SameName(QStringView a, QStringView b, qsizetype leafStart, QChar separator) {
    if (a.size() != b.size() || LeafStart(b, separator) != leafStart ||
        a.left(leafStart) != b.left(leafStart))
        return false;
    for (qsizetype i = leafStart; i < a.size(); ++i)
        if (Folded(a[i].unicode()) != Folded(b[i].unicode()))
            return false;
    return true;
}

bool SameFolder(QStringView a, QStringView b, QChar separator) {
    return WithoutTrailing(a, separator) == WithoutTrailing(b, separator);
}

bool SameFolder(const ListedPath& a, const ListedPath& b, QChar separator) {
    QString aBuffer, bBuffer;
    return SameFolder(QStringView(a.joined(aBuffer)), QStringView(b.joined(bBuffer)), separator);
}

} // namespace

RowMark RowMarks::at(int row) const {
    return row >= 0 && static_cast<std::size_t>(row) < m_kinds.size()
               ? m_kinds[static_cast<std::size_t>(row)]
               : RowMark::None;
}

QString RowMarks::note(int row) const {
    const auto found = NoteAt(m_notes, row);
    return found != m_notes.end() && found->first == row ? found->second : QString();
}

QString RowMarks::words(int row) const {
    switch (at(row)) {
    case RowMark::None:
        return {};
    case RowMark::NoChange:
        return QCoreApplication::translate("Tarnwick", "No change");
    case RowMark::Collision:
        return QCoreApplication::translate("Tarnwick", "Another listed folder gets this name: %1")
            .arg(note(row));
    case RowMark::NotDone:
        return note(row);
    case RowMark::KnownFolder:
        return QString::fromUtf16(kKnownFolderWords);
    }
    return {};
}

void RowMarks::set(int row, RowMark mark, const QString& note) {
    if (row < 0)
        return;
    const auto place = static_cast<std::size_t>(row);
    if (place >= m_kinds.size()) {
        if (mark == RowMark::None)
            return;
        m_kinds.resize(place + 1, RowMark::None);
    }
    m_kinds[place] = mark;
    const auto found = NoteAt(m_notes, row);
    const bool has = found != m_notes.end() && found->first == row;
    if (note.isEmpty() || mark == RowMark::None) {
        if (has)
            m_notes.erase(found);
    } else if (has) {
        found->second = note;
    } else {
        m_notes.insert(found, {row, note});
    }
}

void RowMarks::erase(int row) {
    if (row < 0)
        return;
    if (static_cast<std::size_t>(row) < m_kinds.size())
        m_kinds.erase(m_kinds.begin() + row);
    auto later = NoteAt(m_notes, row);
    if (later != m_notes.end() && later->first == row)
        later = m_notes.erase(later);
    for (; later != m_notes.end(); ++later)
        --later->first;
}

void RowMarks::clear() {
    m_kinds.clear();
    m_kinds.shrink_to_fit();
    m_notes.clear();
}

bool RowMarks::isEmpty() const {
    return std::all_of(m_kinds.begin(), m_kinds.end(),
                       [](RowMark mark) { return mark == RowMark::None; });
}

ColumnMarker::ColumnMarker(const std::vector<FolderEntry>& rows, QChar separator)
    : m_rows(rows), m_separator(separator),
      m_table(std::bit_ceil(std::max<std::size_t>(16, 2 * rows.size()))), m_first(rows.size(), -1),
      m_unchanged(rows.size()), m_differing(rows.size(), -1) {}

// Nearly every row is kept cut at its name, its new path sharing its current path's parent
// string: then neither is joined, and the parent's hash is worked out once for its rows, which
// come together.
std::uint64_t ColumnMarker::hashOf(const ListedPath& path, QStringView joined,
                                   qsizetype leafStart) {
    const QString& head = path.head();
    if (joined.isNull() && head.constData() == m_hashedParent && head.size() == m_hashedSize)
        return NameHash(m_parentHash, path.tail());
    const QStringView parent = joined.isNull() ? QStringView(head) : joined.left(leafStart);
    const QStringView name = joined.isNull() ? QStringView(path.tail()) : joined.sliced(leafStart);
    m_parentHash = ParentHash(parent);
    m_hashedParent = joined.isNull() ? head.constData() : nullptr;
    m_hashedSize = head.size();
    return NameHash(m_parentHash, name);
}

void ColumnMarker::addNext() {
    const int row = m_next++;
    const auto place = static_cast<std::size_t>(row);
    const FolderEntry& entry = m_rows[place];
    const ListedPath& next = entry.newPath;
    if (next.isEmpty())
        return;
    QStringView path;
    qsizetype leafStart = next.head().size();
    if (SharesParent(next, entry.now, m_separator)) {
        m_unchanged[place] = WithoutTrailing(next.tail(), m_separator) ==
                             WithoutTrailing(entry.now.tail(), m_separator);
    } else {
        path = next.joined(m_buffers[0]);
        m_unchanged[place] = SameFolder(path, entry.now.joined(m_buffers[1]), m_separator);
        leafStart = LeafStart(path, m_separator);
    }
    const std::uint64_t hash = hashOf(next, path, leafStart);
    // The table is far larger than a cache: its slot is fetched while the row before is placed.
    __builtin_prefetch(&m_table[hash & (m_table.size() - 1)]);
    settle();
    m_pending = {row, hash, leafStart};
}

void ColumnMarker::settle() {
    if (m_pending.row < 0)
        return;
    const int row = std::exchange(m_pending.row, -1);
    const auto place = static_cast<std::size_t>(row);
    const FolderEntry& entry = m_rows[place];
    const auto tag = static_cast<std::uint32_t>(m_pending.hash >> 32);
    const std::size_t mask = m_table.size() - 1;
    for (std::size_t at = m_pending.hash & mask;; at = (at + 1) & mask) {
        Slot& slot = m_table[at];
        if (slot.row < 0) {
            slot = {row, tag};
            m_first[place] = row;
            return;
        }
        const auto head = static_cast<std::size_t>(slot.row);
        if (slot.tag != tag)
            continue;
        if (SameName(m_rows[head].newPath.joined(m_buffers[1]), entry.newPath.joined(m_buffers[0]),
                     m_pending.leafStart, m_separator)) {
            m_first[place] = slot.row;
            if (m_differing[head] < 0 && !SameFolder(entry.now, m_rows[head].now, m_separator))
                m_differing[head] = row;
            return;
        }
    }
}

RowMarks ColumnMarker::finish(const RowMarks& previous, bool keepDiskMarks) {
    settle();
    RowMarks marks;
    marks.m_kinds.assign(m_rows.size(), RowMark::None);
    for (std::size_t place = 0; place < m_rows.size(); ++place) {
        const int row = static_cast<int>(place);
        const RowMark told = previous.at(row);
        if (keepDiskMarks && (told == RowMark::NotDone || told == RowMark::KnownFolder)) {
            marks.m_kinds[place] = told;
            if (const QString note = previous.note(row); !note.isEmpty())
                marks.m_notes.emplace_back(row, note);
            continue;
        }
        const int head = m_first[place];
        if (head < 0)
            continue;
        const int other = m_differing[static_cast<std::size_t>(head)];
        if (other >= 0) {
            // Any row of the name whose folder differs from this one's names it.
            const bool sameAsHead =
                row == head || SameFolder(m_rows[place].now,
                                          m_rows[static_cast<std::size_t>(head)].now, m_separator);
            const int partner = sameAsHead ? other : head;
            marks.m_kinds[place] = RowMark::Collision;
            marks.m_notes.emplace_back(row,
                                       m_rows[static_cast<std::size_t>(partner)].now.toString());
        } else if (m_unchanged[place]) {
            marks.m_kinds[place] = RowMark::NoChange;
        }
    }
    return marks;
}

RowMarks MarksFromColumns(const std::vector<FolderEntry>& rows, const RowMarks& previous,
                          QChar separator, bool keepDiskMarks) {
    ColumnMarker marker(rows, separator);
    for (std::size_t row = 0; row < rows.size(); ++row)
        marker.addNext();
    return marker.finish(previous, keepDiskMarks);
}

} // namespace tarnwick
