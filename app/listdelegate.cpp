#include "app/listdelegate.h"

#include "app/contrast.h"
#include "folders/folderlist.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPalette>
#include <QStyle>

#include <algorithm>

namespace tarnwick {

MarkLook MarkLookFor(RowMark mark, const QPalette& palette) {
    const QColor base = palette.color(QPalette::Base);
    const QColor text = palette.color(QPalette::Text);
    switch (mark) {
    case RowMark::None:
        break;
    case RowMark::NoChange:
    case RowMark::KnownFolder:
        return {ReadableOn(Mix(text, base, 0.5), base), QColor(), true};
    case RowMark::Collision:
    case RowMark::NotDone: {
        const QColor accent =
            mark == RowMark::Collision ? QColor(0xa8, 0x5a, 0x00) : QColor(0xc0, 0x1c, 0x28);
        const QColor tint = Mix(base, accent, 0.16);
        return {ReadableOn(accent, tint), tint, false};
    }
    }
    return {text, QColor(), false};
}

QString ElidePathLeft(const QString& path, const QFontMetrics& metrics, int width,
                      QChar separator) {
    if (metrics.horizontalAdvance(path) <= width)
        return path;
    const QString ellipsis(QChar(0x2026));
    // The trailing separator never starts a cut: "…/" alone would name nothing.
    const qsizetype last = path.endsWith(separator) ? path.size() - 1 : path.size();
    for (qsizetype at = path.indexOf(separator, 1); at >= 0 && at < last;
         at = path.indexOf(separator, at + 1)) {
        const QString cut = ellipsis + path.mid(at);
        if (metrics.horizontalAdvance(cut) <= width)
            return cut;
    }
    return metrics.elidedText(path, Qt::ElideLeft, width);
}

FolderListDelegate::FolderListDelegate(QChar separator, QObject* parent)
    : QStyledItemDelegate(parent), m_separator(separator) {}

void FolderListDelegate::initStyleOption(QStyleOptionViewItem* option,
                                         const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    option->textElideMode = Qt::ElideLeft;
    const auto mark = static_cast<RowMark>(index.data(FolderListModel::kMarkRole).toInt());
    if (mark == RowMark::None)
        return;
    const MarkLook look = MarkLookFor(mark, option->palette);
    option->palette.setColor(QPalette::Text, look.text);
    if (look.background.isValid())
        option->backgroundBrush = look.background;
    if (look.italic) {
        option->font.setItalic(true);
        option->fontMetrics = QFontMetrics(option->font);
    }
}

void FolderListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const QWidget* widget = cell.widget;
    const QStyle* style = widget ? widget->style() : QApplication::style();
    // The style keeps this margin on either side of the text.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &cell, widget);
    // The list is narrower than its two columns: a cell cut by the list's right edge gives way
    // within what shows of it, so the folder's name is in view without scrolling.
    if (const auto* view = qobject_cast<const QAbstractItemView*>(widget))
        text.setRight(std::min(text.right(), view->viewport()->width() - 1));
    cell.text =
        ElidePathLeft(cell.text, QFontMetrics(cell.font), text.width() - 2 * margin, m_separator);
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);
}

} // namespace tarnwick
