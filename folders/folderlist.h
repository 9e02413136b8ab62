#pragma once

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

    explicit FolderListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    int count() const { return static_cast<int>(m_rows.size()); }

    // Row positions are 0-based here; both throw Failure for a row that is not there.
    const QString& text(int row, int column) const;
    void setText(int row, int column, const QString& text);

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

    const std::vector<FolderEntry>& entries() const { return m_rows; }

private:
    void announceChanged(int firstColumn, int lastColumn);
    void checkPlace(int row, int column) const;

    std::vector<FolderEntry> m_rows;
};

} // namespace tarnwick
