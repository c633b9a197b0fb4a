#pragma once

#include <QStyledItemDelegate>
#include <QVector>

#include "converter/skin/column_tree_ctrl_align.h"

// Paints the cells of the column tree list. Every row keeps its cells in the
// tab-separated text of column 0; this painter shows cell k in column k.
// Outside full-row select only the text of cell 0 is highlighted, so the
// selection reads like a tree label and the other cells stay plain.
class CColumnTreeCells : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit CColumnTreeCells(QObject* parent = nullptr);

    void SetColumnFormats(const QVector<ColumnAlign>& formats) { columnFormats_ = formats; }
    void SetSubTextIndent(int indent) { subTextIndent_ = indent; }
    int SubTextIndent() const { return subTextIndent_; }

    // The style option the painter uses for `index` (check box, icon, font), so
    // that the hit rule measures the same rectangles the user sees.
    void PrepareOption(QStyleOptionViewItem* option, const QModelIndex& index) const;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    // The size of one cell's text (a double click on a divider fits the column to it).
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    void PaintFirstCell(QPainter* painter, const QStyleOptionViewItem& option, const QString& cell,
                        bool fullRow, bool selected) const;
    void PaintOtherCell(QPainter* painter, const QStyleOptionViewItem& option, const QString& cell,
                        int column, bool fullRow, bool selected) const;

    QVector<ColumnAlign> columnFormats_;
    int subTextIndent_ = 6;
};
