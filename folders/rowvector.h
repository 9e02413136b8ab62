#pragma once

#include "folders/listrows.h"

#include <QString>
#include <vector>

namespace tarnwick {

// Rows kept in a plain vector, for a run with no window: nothing shows them while they change.
class RowVector : public ListRows {
public:
    struct Row {
        ListedPath now;
        ListedPath newPath;
        // Why the run left its folder as it was; empty when it did not.
        QString notDone;
        FileIdentity identity{};
    };

    int count() const override { return static_cast<int>(m_rows.size()); }
    const ListedPath& path(int row, int column) const override;
    void setPath(int row, int column, ListedPath path) override;
    void markNotDone(int row, const QString& reason) override;
    void clearMarks() override;
    void appendPaths(std::vector<ListedPath> paths,
                     std::vector<FileIdentity> identities = {}) override;
    FileIdentity identity(int row) const override;

    const std::vector<Row>& rows() const { return m_rows; }

private:
    Row& at(int row);

    std::vector<Row> m_rows;
};

} // namespace tarnwick
