#include "folders/rowmarks.h"

#include "folders/folderlist.h"

#include <algorithm>
#include <bit>

namespace tarnwick {
namespace {

template <class Notes> auto NoteAt(Notes& notes, int row) {
    return std::lower_bound(notes.begin(), notes.end(), row,
                            [](const auto& note, int wanted) { return note.first < wanted; });
}

QStringView WithoutTrailing(QStringView path, QChar separator) {
    return path.endsWith(separator) ? path.chopped(1) : path;
}

// Where the folder's own name begins in a path that ends with a separator.
qsizetype LeafStart(QStringView path, QChar separator) {
    return WithoutTrailing(path, separator).lastIndexOf(separator) + 1;
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

// The parent as written, the name whatever its letter case.
std::uint64_t NameHash(QStringView path, qsizetype leafStart) {
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (qsizetype i = 0; i < path.size(); ++i) {
        const char16_t unit = path[i].unicode();
        hash = (hash ^ (i < leafStart ? unit : Folded(unit))) * 0x100000001b3ULL;
    }
    return hash;
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

bool SameFolder(const QString& a, const QString& b, QChar separator) {
    return WithoutTrailing(a, separator) == WithoutTrailing(b, separator);
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
        return QStringLiteral("No change");
    case RowMark::Collision:
        return QStringLiteral("Another listed folder gets this name: ") + note(row);
    case RowMark::NotDone:
        return note(row);
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

RowMarks MarksFromColumns(const std::vector<FolderEntry>& rows, const RowMarks& previous,
                          QChar separator, bool keepNotDone) {
    const int count = static_cast<int>(rows.size());
    const auto size = rows.size();
    // One pass over the new paths groups the rows that get one name: an open-addressed table of
    // row numbers, so the pass allocates three arrays and nothing per row.
    std::vector<std::uint64_t> hashes(size);
    std::vector<int> first(size, -1);
    std::vector<int> table(std::bit_ceil(std::max<std::size_t>(16, 2 * size)), -1);
    const std::size_t mask = table.size() - 1;
    for (int row = 0; row < count; ++row) {
        const QString& path = rows[static_cast<std::size_t>(row)].newPath;
        if (path.isEmpty())
            continue;
        const qsizetype leafStart = LeafStart(path, separator);
        const std::uint64_t hash = NameHash(path, leafStart);
        hashes[static_cast<std::size_t>(row)] = hash;
        for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
            const int other = table[at];
            if (other < 0) {
                table[at] = row;
                first[static_cast<std::size_t>(row)] = row;
                break;
            }
            const auto otherPlace = static_cast<std::size_t>(other);
            if (hashes[otherPlace] == hash &&
                SameName(rows[otherPlace].newPath, path, leafStart, separator)) {
                first[static_cast<std::size_t>(row)] = other;
                break;
            }
        }
    }
    // Per group, the first row whose folder differs from the group's first row; a group without
    // one lists a single folder, perhaps more than once.
    std::vector<int>& differing = table;
    std::fill(differing.begin(), differing.end(), -1);
    for (std::size_t row = 0; row < size; ++row) {
        const int head = first[row];
        if (head >= 0 && differing[static_cast<std::size_t>(head)] < 0 &&
            !SameFolder(rows[row].now, rows[static_cast<std::size_t>(head)].now, separator))
            differing[static_cast<std::size_t>(head)] = static_cast<int>(row);
    }

    RowMarks marks;
    marks.reserve(count);
    for (int row = 0; row < count; ++row) {
        const auto place = static_cast<std::size_t>(row);
        if (keepNotDone && previous.at(row) == RowMark::NotDone) {
            marks.set(row, RowMark::NotDone, previous.note(row));
            continue;
        }
        const int head = first[place];
        if (head < 0) {
            marks.set(row, RowMark::None);
            continue;
        }
        const int other = differing[static_cast<std::size_t>(head)];
        const FolderEntry& entry = rows[place];
        if (other >= 0) {
            const int partner =
                SameFolder(entry.now, rows[static_cast<std::size_t>(head)].now, separator) ? other
                                                                                           : head;
            marks.set(row, RowMark::Collision, rows[static_cast<std::size_t>(partner)].now);
        } else if (SameFolder(entry.newPath, entry.now, separator)) {
            marks.set(row, RowMark::NoChange);
        } else {
            marks.set(row, RowMark::None);
        }
    }
    return marks;
}

} // namespace tarnwick
