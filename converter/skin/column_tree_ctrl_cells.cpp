#include "converter/skin/column_tree_ctrl_cells.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <algorithm>

#include "converter/skin/column_tree_ctrl_child.h"
#include "converter/skin/column_tree_ctrl_row_text.h"

namespace {

QPalette::ColorGroup GroupOf(const QStyleOptionViewItem& option) {
    if (!(option.state & QStyle::State_Enabled)) return QPalette::Disabled;
    return (option.state & QStyle::State_Active) ? QPalette::Normal : QPalette::Inactive;
}

// One line, no mnemonic processing, an ellipsis at the end when it does not fit.
void DrawCellText(QPainter* painter, const QRect& rect, const QString& text,
                  Qt::Alignment alignment) {
    if (rect.width() <= 0 || rect.height() <= 0) return;
    const QFontMetrics metrics = painter->fontMetrics();
    // Text measured to fit is drawn whole: eliding works in fractions of a pixel.
    const QString shown = metrics.horizontalAdvance(text) <= rect.width()
                              ? text
                              : metrics.elidedText(text, Qt::ElideRight, rect.width());
    painter->drawText(rect, int(alignment) | Qt::TextSingleLine, shown);
}

}  // namespace

CColumnTreeCells::CColumnTreeCells(QObject* parent) : QStyledItemDelegate(parent) {}

void CColumnTreeCells::PrepareOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    initStyleOption(option, index);
}

QSize CColumnTreeCells::sizeHint(const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString rowText = index.siblingAtColumn(0).data(Qt::DisplayRole).toString();
    opt.text = CellOfRowText(rowText, index.column());
    opt.features |= QStyleOptionViewItem::HasDisplay;
    const QWidget* widget = opt.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    QSize size = style->sizeFromContents(QStyle::CT_ItemViewItem, &opt, QSize(), widget);
    // Room for the margins the cell painting keeps around the text.
    size.rwidth() += index.column() > 0 ? subTextIndent_ + 4 : 8;
    return size;
}

void CColumnTreeCells::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const auto* tree = qobject_cast<const CCustomTreeChildCtrl*>(opt.widget);
    const bool fullRow = tree && tree->IsFullRowSelect();
    const bool selected = opt.state & QStyle::State_Selected;
    const QString rowText = index.siblingAtColumn(0).data(Qt::DisplayRole).toString();
    const QString cell = CellOfRowText(rowText, index.column());

    // The style draws the cell's background, check box and icon; the texts are ours.
    opt.text.clear();
    if (!fullRow) opt.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
    QStyle* style = opt.widget ? opt.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);

    painter->save();
    painter->setFont(opt.font);
    if (index.column() == 0)
        PaintFirstCell(painter, opt, cell, fullRow, selected);
    else
        PaintOtherCell(painter, opt, cell, index.column(), fullRow, selected);
    painter->restore();
}

void CColumnTreeCells::PaintFirstCell(QPainter* painter, const QStyleOptionViewItem& option,
                                      const QString& cell, bool fullRow, bool selected) const {
    QStyleOptionViewItem textOption = option;
    textOption.features |= QStyleOptionViewItem::HasDisplay;
    textOption.text = cell;
    QStyle* style = option.widget ? option.widget->style() : QApplication::style();
    QRect label = style->subElementRect(QStyle::SE_ItemViewItemText, &textOption, option.widget);
    // The label covers the text and a little margin, never the last 4 pixels of the column.
    const int width = painter->fontMetrics().horizontalAdvance(cell);
    const int columnEnd = option.rect.left() + option.rect.width();
    label.setRight(std::min(label.left() + width + 4, columnEnd - 4) - 1);
    const QPalette::ColorGroup group = GroupOf(option);
    if (!fullRow && selected && label.width() > 0) {
        painter->fillRect(label, option.palette.brush(group, QPalette::Highlight));
        if (option.state & QStyle::State_HasFocus) {
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(option);
            focus.rect = label;
            focus.backgroundColor = option.palette.color(group, QPalette::Highlight);
            style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, option.widget);
        }
    }
    painter->setPen(
        option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    DrawCellText(painter, label.adjusted(2, 1, -2, -1), cell, Qt::AlignLeft | Qt::AlignVCenter);
}

void CColumnTreeCells::PaintOtherCell(QPainter* painter, const QStyleOptionViewItem& option,
                                      const QString& cell, int column, bool fullRow,
                                      bool selected) const {
    const QRect& cellRect = option.rect;
    QRect text;
    text.setCoords(cellRect.left() + subTextIndent_ + 1, cellRect.top() + 1,
                   cellRect.left() + cellRect.width() - 3 - 1, cellRect.bottom() - 1);
    // A column too narrow for any text is left empty.
    if (text.width() <= 0) return;
    const QPalette::ColorGroup group = GroupOf(option);
    painter->setPen(option.palette.color(
        group, fullRow && selected ? QPalette::HighlightedText : QPalette::Text));
    const ColumnAlign align =
        column < columnFormats_.size() ? columnFormats_.at(column) : ColumnAlign::Left;
    DrawCellText(painter, text, cell, AlignmentOf(align));
}
