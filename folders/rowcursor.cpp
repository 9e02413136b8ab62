#include "folders/rowcursor.h"

#include <QObject>

namespace tarnwick {

RowCursor::RowCursor(ListRows& rows)
    : m_rows(rows), m_connections(rows.watchRemovals(
                        [this](int first, int last) {
                            if (last < m_next)
                                m_next -= last - first + 1;
                            else if (first < m_next)
                                m_next = first;
                        },
                        [this] { m_next = 0; })) {}

RowCursor::~RowCursor() {
    for (const QMetaObject::Connection& connection : m_connections)
        QObject::disconnect(connection);
}

} // namespace tarnwick
