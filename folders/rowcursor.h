#pragma once

#include "folders/listrows.h"

#include <optional>

namespace tarnwick {

// The place of the row in hand while the window is live: rows removed above it move it up, and
// a cleared list ends the pass. Rows are only ever appended below it.
class RowCursor {
public:
    explicit RowCursor(ListRows& rows);
    ~RowCursor();
    RowCursor(const RowCursor&) = delete;
    RowCursor& operator=(const RowCursor&) = delete;

    bool hasNext() const { return m_next < m_rows.count(); }
    // The next row to take, or none at the end of the list as it is now.
    std::optional<int> take() {
        if (m_next >= m_rows.count())
            return std::nullopt;
        return m_next++;
    }
    // The next row, after pump has let the window work (which may remove rows, or all of them);
    // none at the end of the list as it is then.
    template <class Pump> std::optional<int> takeAfter(Pump&& pump) {
        if (!hasNext())
            return std::nullopt;
        pump();
        return take();
    }
    void restart() { m_next = 0; }
    // The row take() would give next, as the list is now.
    int position() const { return m_next; }
    void moveTo(int row) { m_next = row; }

private:
    ListRows& m_rows;
    int m_next = 0;
    ListRows::Connections m_connections;
};

} // namespace tarnwick
