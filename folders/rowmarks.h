#pragma once

#include <QChar>
#include <QString>
#include <cstdint>
#include <utility>
#include <vector>

namespace tarnwick {

struct FolderEntry;
class ListedPath;

// What a row of the folder list tells beside its two texts.
enum class RowMark : std::uint8_t {
    None,
    // The new path is the current one: the run leaves the folder as it is.
    NoChange,
    // Another listed folder of the same parent gets a name equal to this one but for letter case.
    Collision,
    // The last run (or undo) left this row's folder as it was; its note says why.
    NotDone,
    // The desktop knows the folder by its path: the run leaves it as it is.
    KnownFolder,
};

// The marks of every row: one byte a row, and a note (the other folder's path, the reason) only
// for the rows that carry one, so a list of a hundred thousand unmarked rows costs next to nothing.
class RowMarks {
public:
    RowMark at(int row) const;
    QString note(int row) const;
    // The words a person reads for the row's mark; empty for an unmarked row.
    QString words(int row) const;

    void set(int row, RowMark mark, const QString& note = {});
    // Drops the row's mark; later rows move up one, keeping their marks.
    void erase(int row);
    void clear();
    bool isEmpty() const;

private:
    friend class ColumnMarker;

    std::vector<RowMark> m_kinds;
    // Sorted by row.
    std::vector<std::pair<int, QString>> m_notes;
};

// The marks the two columns tell, from the texts alone: rows whose new path is their current one,
// and rows of one parent whose new names are equal but for letter case while their current paths
// differ (a folder listed twice does not collide with itself). A row without a new path carries
// none. Rows are fed in list order, each as soon as its new path is written, while its texts are
// still at hand; one hash pass groups them, allocating nothing per row.
class ColumnMarker {
public:
    ColumnMarker(const std::vector<FolderEntry>& rows, QChar separator);

    // Takes in the next row.
    void addNext();
    // The marks of every row; with keepDiskMarks the rows marked from what the disk told (a run's
    // reasons, the desktop's folders) keep that mark.
    RowMarks finish(const RowMarks& previous, bool keepDiskMarks);

private:
    // The hash of path's parent as written and its name whatever its letter case; joined is the
    // whole path, null where path is cut at its name.
    std::uint64_t hashOf(const ListedPath& path, QStringView joined, qsizetype leafStart);

    // Places the row taken in last in the table.
    void settle();

    struct Slot {
        int row = -1;
        std::uint32_t tag = 0;
    };
    // A row taken in and hashed, not yet placed.
    struct Pending {
        int row = -1;
        std::uint64_t hash = 0;
        qsizetype leafStart = 0;
    };

    const std::vector<FolderEntry>& m_rows;
    QChar m_separator;
    int m_next = 0;
    std::vector<Slot> m_table;
    Pending m_pending;
    // Per row: the first row that gets the same name (itself when none did before), -1 without a
    // new path; whether its new path is its current one.
    std::vector<int> m_first;
    std::vector<bool> m_unchanged;
    // Per first row: the first later row of its name whose folder differs from it.
    std::vector<int> m_differing;
    // Where rows kept in two parts are joined to be compared.
    QString m_buffers[2];
    // The hash of the parent the last row was hashed under, and that parent's string.
    std::uint64_t m_parentHash = 0;
    const QChar* m_hashedParent = nullptr;
    qsizetype m_hashedSize = -1;
};

// All rows at once.
RowMarks MarksFromColumns(const std::vector<FolderEntry>& rows, const RowMarks& previous,
                          QChar separator, bool keepDiskMarks);

} // namespace tarnwick
