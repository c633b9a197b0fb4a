#pragma once

#include <QVector>
#include <QWidget>
#include <functional>
#include <string>

#include "converter/skin/column_tree_ctrl_align.h"
#include "converter/skin/column_tree_ctrl_child.h"

class QHeaderView;
class QTreeWidgetItem;

// A list of rows split into columns: a heading row above a tree whose items
// carry all their cells in one tab-separated text (see column_tree_ctrl_row_text.h).
// The owner fills, checks, selects and removes rows directly on `GetTree()`;
// the control keeps the column geometry, paints the cells, applies the hit rule
// to clicks and passes the tree's notifications on as its own signals.
// Dropped local files go to the drop target, one call per path, in order.
// User-interface thread only.
class CColumnTreeCtrl : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMaxColumns = 16;
    static constexpr int kMinFirstColumnWidth = 100;

    // Receives one dropped local file path (UTF-8) per call.
    using FileDropTarget = std::function<void(const std::string& path)>;

    explicit CColumnTreeCtrl(QWidget* parent = nullptr);

    // Builds the tree and its header once; later calls do nothing.
    void CreateChildren();

    // Inserts a heading at `index` (appended when past the end); returns the
    // heading's index, or -1 when the index is negative or 16 columns exist.
    int AddColumn(int index, ColumnAlign align, int width, const QString& heading);

    // Replaces cell `column` of `row`; the row text ends up with one field per column.
    void SetCellText(QTreeWidgetItem* row, int column, const QString& text);
    // Cell `column` of `row`'s text (empty when the row has no such field).
    static QString CellText(const QTreeWidgetItem* row, int column);

    CCustomTreeChildCtrl* GetTree() const { return tree_; }
    QHeaderView* GetHeader() const;

    // Where dropped files go; without a target the list takes no drops and
    // they reach the window beneath it.
    void SetDropTarget(FileDropTarget target) { dropTarget = std::move(target); }

    int ColumnCount() const { return columnWidths.size(); }
    int ColumnWidth(int column) const;
    ColumnAlign ColumnFormat(int column) const;
    int TotalWidth() const { return totalWidth; }
    int ScrollX() const;
    int HeaderHeight() const;
    int SubTextIndent() const { return subTextIndent; }

signals:
    // The tree's notifications, passed on as the list's own.
    // The selected row changed (by mouse, keyboard or the owner).
    void selectionChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous);
    // Right button released over the rows; the selection does not change.
    void rightClicked(const QPoint& globalPos);
    // A key pressed in the tree (Qt key code).
    void keyDown(int key);
    // A row leaves the tree (children before their parent); its data is still readable.
    void itemDeleted(QTreeWidgetItem* item);
    // A double click that passed the hit rule.
    void doubleClicked(QTreeWidgetItem* item);
    void itemExpanded(QTreeWidgetItem* item);
    void itemCollapsed(QTreeWidgetItem* item);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void RecalcColumns();
    void OnSectionResized(int column, int oldWidth, int newWidth);
    bool AcceptsDrop(const QMimeData* data) const;

    CCustomTreeChildCtrl* tree_ = nullptr;
    int totalWidth = 0;
    int subTextIndent = 6;
    int minFirstColumnWidth = kMinFirstColumnWidth;
    bool applyingColumns_ = false;
    QVector<int> columnWidths;
    QVector<ColumnAlign> columnFormats;
    FileDropTarget dropTarget;
};
