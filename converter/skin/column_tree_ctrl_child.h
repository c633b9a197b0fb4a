#pragma once

#include <QTreeWidget>

class CColumnTreeCells;

// The inner tree of the column tree list. Its rows keep all cells in the
// tab-separated text of column 0. Mouse presses pass the hit rule
// `LabelHitTest` before the tree reacts, so that outside full-row select a
// click beside the first cell's text only focuses the tree.
// User-interface thread only.
class CCustomTreeChildCtrl : public QTreeWidget {
    Q_OBJECT
public:
    explicit CCustomTreeChildCtrl(QWidget* parent = nullptr);

    // Width of column 0, kept by the owning list; read by the hit rule.
    int firstColumnWidth = 0;

    // Whether a press at `point` (viewport coordinates) reaches the tree:
    // on the item's icon, expand button or check box; in full-row select
    // anywhere from the label to the right edge; else on the text of cell 0
    // (plus 6 pixels), within column 0.
    bool LabelHitTest(const QPoint& point) const;

    // Full-row select: the whole row is highlighted and clickable.
    void SetFullRowSelect(bool on);
    bool IsFullRowSelect() const { return fullRowSelect_; }

    CColumnTreeCells* Cells() const { return cells_; }

signals:
    // Right button released over the tree (the selection does not change).
    void rightClicked(const QPoint& globalPos);
    // A key pressed while the tree has the focus.
    void keyDown(int key);
    // A double click that passed the hit rule.
    void itemDoubleClicked(QTreeWidgetItem* item);
    // An item leaves the tree (deleted, cleared or taken out); sent for every
    // item of a removed branch, children before their parent.
    void itemDeleted(QTreeWidgetItem* item);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;
    void updateGeometries() override;

private:
    QTreeWidgetItem* RowAt(int y) const;
    void ReportBranchDeleted(QTreeWidgetItem* item);
    void OnRowsAboutToBeRemoved(const QModelIndex& parent, int first, int last);
    void OnAboutToBeReset();

    CColumnTreeCells* cells_ = nullptr;
    bool fullRowSelect_ = false;
    bool swallowRelease_ = false;
};
