#include "rename/followrenames.h"

namespace tarnwick {

QString PathBorne(const QString& now, const QHash<QString, QString>& renamed, QChar separator) {
    QString path = renamed.value(now, now);
    for (qsizetype at = path.lastIndexOf(separator, path.size() - 2); at > 0;
         at = path.lastIndexOf(separator, at - 1)) {
        const auto above = renamed.constFind(path.left(at + 1));
        if (above != renamed.constEnd())
            path = *above + path.mid(at + 1);
    }
    return path;
}

RowCursor::RowCursor(FolderListModel& list) : m_list(list) {
    m_connections[0] = QObject::connect(&list, &QAbstractItemModel::rowsRemoved,
                                        [this](const QModelIndex&, int first, int last) {
                                            if (last < m_next)
                                                m_next -= last - first + 1;
                                            else if (first < m_next)
                                                m_next = first;
                                        });
    m_connections[1] =
        QObject::connect(&list, &QAbstractItemModel::modelReset, [this] { m_next = 0; });
}

RowCursor::~RowCursor() {
    for (const QMetaObject::Connection& connection : m_connections)
        QObject::disconnect(connection);
}

} // namespace tarnwick
