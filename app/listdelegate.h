#pragma once

#include "folders/rowmarks.h"

#include <QColor>
#include <QStyledItemDelegate>

class QFontMetrics;
class QPalette;

namespace tarnwick {

// How a mark looks on a list of the given palette. An invalid background leaves the list's own.
struct MarkLook {
    QColor text;
    QColor background;
    bool italic = false;
};
MarkLook MarkLookFor(RowMark mark, const QPalette& palette);

// A path cut on the left at a separator, so the folder's own name and its parent stay in view
// ("…/parent/leaf/"); cut anywhere only when even the name alone is too wide.
QString ElidePathLeft(const QString& path, const QFontMetrics& metrics, int width, QChar separator);

// Draws the folder list's cells: marks as colour and style, paths cut on the left.
class FolderListDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    FolderListDelegate(QChar separator, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    QChar m_separator;
};

} // namespace tarnwick
