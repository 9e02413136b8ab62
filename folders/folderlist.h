#pragma once

#include "common/listedpath.h"
#include "common/pathtext.h"
#include "folders/listrows.h"
#include "folders/rowmarks.h"

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>
#include <array>
#include <type_traits>
#include <vector>

namespace tarnwick {

class KnownFolders;

// One row of the folder list: the folder's current path and its proposed new path (or empty),
// both ending with a separator.
struct FolderEntry {
    ListedPath now;
    ListedPath newPath;
    // What the host said the folder is when it was listed; zero where unknown.
    FileIdentity identity{};
};

// The folder list, the program's working document. Rows keep the order in which they were added
// and may repeat. Scales to hundreds of thousands of rows: bulk changes emit one signal.
class FolderListModel : public QAbstractTableModel, public ListRows {
    Q_OBJECT
public:
    // The row's mark (a RowMark as int), for a view that draws it.
    static constexpr int kMarkRole = Qt::UserRole + 1;

    explicit FolderListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    int count() const override { return static_cast<int>(m_rows.size()); }

    // Row positions are 0-based here; both throw Failure for a row that is not there. A text
    // written here drops the row's preview mark, which was told by the texts it had; a current
    // path written drops the mark of the desktop's folder too.
    QString text(int row, int column) const;
    void setText(int row, int column, const QString& text) override;
    // The row's text as kept; head() is shared by the rows of its parent.
    const ListedPath& path(int row, int column) const override;
    // setText() with a text kept as it comes.
    void setPath(int row, int column, ListedPath path) override;

    RowMark mark(int row) const { return m_marks.at(row); }
    // What the row's mark says in words ("No change", the other folder, the run's reason).
    QString markWords(int row) const { return m_marks.words(row); }
    // A row whose folder the run (or the undo) left as it was, with the reason a person reads.
    // Throws Failure for a row that is not there.
    void markNotDone(int row, const QString& reason) override;
    void clearMarks() override;

    void appendRow(const QString& now);
    // Appends in one insertion, so 100,000 rows cost one signal.
    void appendRows(const QStringList& nows);
    // The same with paths kept as they come, each parent's path shared by its rows.
    void appendPaths(std::vector<ListedPath> nows,
                     std::vector<FileIdentity> identities = {}) override;
    FileIdentity identity(int row) const override;

    void removeAll();
    void removeEntry(int row);

    // While held, rows written through setText() and setPath() are told to views later, together
    // as one range, by tellChanges(): a pass over a hundred thousand rows would otherwise have
    // every view, and a screen reader, work on each row. Whoever lets the window work tells
    // first; a change of the rows themselves tells first too.
    void holdChanges() override { m_holding = true; }
    void tellChanges();
    // Tells, and holds no more.
    void releaseChanges() override {
        tellChanges();
        m_holding = false;
    }
    Connections watchRemovals(std::function<void(int first, int last)> removed,
                              std::function<void()> cleared) override;

    // Lets edit change every entry in place, then announces the change of the given columns once.
    // When edit fails part of the way, the entries it already changed are announced all the same,
    // so a view never shows stale texts.
    template <class Edit> void editAll(int firstColumn, int lastColumn, Edit&& edit) {
        changed();
        try {
            for (FolderEntry& entry : m_rows)
                edit(entry);
        } catch (...) {
            announceChanged(firstColumn, lastColumn);
            throw;
        }
        announceChanged(firstColumn, lastColumn);
    }

    // The preview's write: every row's new path is its current one with one trailing separator
    // dropped, its own name (after the last separator) given by newNameOf, and one separator at
    // the end; then the marks the two columns tell, replacing every earlier mark (the run's too).
    // A folder the desktop knows by its path keeps its path, marked so: the run leaves it as it
    // is. Announced once, also when newNameOf fails part of the way.
    template <class NewNameOf>
    void writeNewNames(QChar separator, NewNameOf&& newNameOf,
                       const KnownFolders* known = nullptr) {
        m_markSeparator = separator;
        changed();
        ColumnMarker marker(m_rows, separator);
        std::vector<int> leftAlone;
        try {
            for (FolderEntry& entry : m_rows) {
                if (known && knows(*known, entry.now)) {
                    leftAlone.push_back(static_cast<int>(&entry - m_rows.data()));
                    entry.newPath = entry.now;
                } else {
                    entry.newPath = renamedPath(entry.now, separator, newNameOf);
                }
                marker.addNext();
            }
        } catch (...) {
            markFromColumns(false);
            announceChanged(kNow, kNewName);
            throw;
        }
        m_marks = marker.finish(m_marks, false);
        for (const int row : leftAlone)
            m_marks.set(row, RowMark::KnownFolder);
        announceChanged(kNow, kNewName);
    }

    const std::vector<FolderEntry>& entries() const { return m_rows; }

private:
    // text in two parts at its own name, sharing the head of like, or of a recent row, when equal.
    ListedPath split(const QString& text, const ListedPath* like = nullptr);
    // now with its own name replaced by newNameOf(name), sharing its parent's path.
    template <class NewNameOf>
    ListedPath renamedPath(const ListedPath& now, QChar separator, NewNameOf& newNameOf) {
        // Kept in two parts at its own name, as nearly every row is: the parent is kept as it is.
        if (now.cutAtName(separator)) {
            const QString& tail = now.tail();
            const QStringView name =
                tail.endsWith(separator) ? QStringView(tail).chopped(1) : QStringView(tail);
            // One that writes the separator too makes the new tail in one piece.
            if constexpr (std::is_invocable_r_v<QString, NewNameOf&, QStringView, QChar>) {
                QString newTail = newNameOf(name, separator);
                return ListedPath(now.head(), newTail == tail ? tail : std::move(newTail));
            } else {
                const QString newName = newNameOf(name.toString());
                return ListedPath(now.head(), IsNameWithSeparator(tail, newName, separator)
                                                  ? tail
                                                  : newName + separator);
            }
        }
        const QString whole = now.toString();
        const QStringView path = whole.endsWith(separator) ? QStringView(whole).chopped(1) : whole;
        const qsizetype cut = path.lastIndexOf(separator) + 1;
        if constexpr (std::is_invocable_r_v<QString, NewNameOf&, QStringView, QChar>)
            return split(path.left(cut).toString() + newNameOf(path.sliced(cut), separator), &now);
        else
            return split(path.left(cut).toString() + newNameOf(path.sliced(cut).toString()) +
                             separator,
                         &now);
    }
    void reserveFor(std::size_t added);
    void announceChanged(int firstColumn, int lastColumn);
    void checkPlace(int row, int column) const;
    void markFromColumns(bool keepDiskMarks);
    static bool knows(const KnownFolders& known, const ListedPath& folder);

    std::vector<FolderEntry> m_rows;
    RowMarks m_marks;
    // The separator the last preview wrote with: marks are told by it, and texts written whole
    // are cut at it.
    QChar m_markSeparator = kHostSeparator;
    bool m_holding = false;
    // The rows written while held and not yet told; none when first is past last.
    int m_heldFirst = 0;
    int m_heldLast = -1;
    // Heads lately split, by their length: rows of one parent come in runs, and listed in walk
    // order the rows between two of its runs have longer heads.
    std::array<QString, 64> m_recentHeads;
};

} // namespace tarnwick
