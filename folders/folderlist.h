#pragma once

#include "common/pathtext.h"
#include "folders/rowmarks.h"

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>
#include <vector>

namespace tarnwick {

// One row of the folder list: the folder's current path and its proposed new path (or empty),
// both ending with a separator.
struct FolderEntry {
    QString now;
    QString newPath;
};

// The folder list, the program's working document. Rows keep the order in which they were added
// and may repeat. Scales to hundreds of thousands of rows: bulk changes emit one signal.
class FolderListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { kNow = 0, kNewName = 1 };
    // The row's mark (a RowMark as int), for a view that draws it.
    static constexpr int kMarkRole = Qt::UserRole + 1;

    explicit FolderListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    int count() const { return static_cast<int>(m_rows.size()); }

    // Row positions are 0-based here; both throw Failure for a row that is not there. A text
    // written here drops the row's preview mark, which was told by the texts it had.
    const QString& text(int row, int column) const;
    void setText(int row, int column, const QString& text);

    RowMark mark(int row) const { return m_marks.at(row); }
    // What the row's mark says in words ("No change", the other folder, the run's reason).
    QString markWords(int row) const { return m_marks.words(row); }
    // A row whose folder the run (or the undo) left as it was, with the reason a person reads.
    // Throws Failure for a row that is not there.
    void markNotDone(int row, const QString& reason);
    void clearMarks();

    void appendRow(const QString& now);
    // Appends in one insertion, so 100,000 rows cost one signal.
    void appendRows(const QStringList& nows);

    void removeAll();
    void removeEntry(int row);

    // Lets edit change every entry in place, then announces the change of the given columns once.
    // When edit fails part of the way, the entries it already changed are announced all the same,
    // so a view never shows stale texts.
    template <class Edit> void editAll(int firstColumn, int lastColumn, Edit&& edit) {
        try {
            for (FolderEntry& entry : m_rows)
                edit(entry);
        } catch (...) {
            announceChanged(firstColumn, lastColumn);
            throw;
        }
        announceChanged(firstColumn, lastColumn);
    }

    // The preview's write: every row's new path from its current one, then the marks the two
    // columns tell, replacing every earlier mark (the run's too). Announced once, also when
    // newPathOf fails part of the way.
    template <class NewPathOf> void writeNewPaths(QChar separator, NewPathOf&& newPathOf) {
        m_markSeparator = separator;
        ColumnMarker marker(m_rows, separator);
        try {
            for (FolderEntry& entry : m_rows) {
                entry.newPath = newPathOf(entry.now);
                marker.addNext();
            }
        } catch (...) {
            markFromColumns(false);
            announceChanged(kNow, kNewName);
            throw;
        }
        m_marks = marker.finish(m_marks, false);
        announceChanged(kNow, kNewName);
    }

    const std::vector<FolderEntry>& entries() const { return m_rows; }

private:
    void announceChanged(int firstColumn, int lastColumn);
    void checkPlace(int row, int column) const;
    void markFromColumns(bool keepNotDone);

    std::vector<FolderEntry> m_rows;
    RowMarks m_marks;
    QChar m_markSeparator = kHostSeparator;
};

} // namespace tarnwick
