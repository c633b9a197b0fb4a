#include "converter/skin/column_tree_ctrl_child.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include "converter/skin/column_tree_ctrl_cells.h"
#include "converter/skin/column_tree_ctrl_row_text.h"
#include "converter/skin/tree_expand_button.h"

namespace {
constexpr int kScrollLineStep = 15;  // pixels per click on a scroll arrow
}

CCustomTreeChildCtrl::CCustomTreeChildCtrl(QWidget* parent)
    : QTreeWidget(parent), cells_(new CColumnTreeCells(this)) {
    setItemDelegate(cells_);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformRowHeights(true);
    setExpandsOnDoubleClick(true);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    header()->setSectionsClickable(true);
    header()->setMinimumSectionSize(0);
    // A disabled list shows its rows on the button-face colour.
    QPalette pal = palette();
    pal.setColor(QPalette::Disabled, QPalette::Base, pal.color(QPalette::Active, QPalette::Button));
    setPalette(pal);
    connect(model(), &QAbstractItemModel::rowsAboutToBeRemoved, this,
            &CCustomTreeChildCtrl::OnRowsAboutToBeRemoved);
    connect(model(), &QAbstractItemModel::modelAboutToBeReset, this,
            &CCustomTreeChildCtrl::OnAboutToBeReset);
}

void CCustomTreeChildCtrl::SetFullRowSelect(bool on) {
    fullRowSelect_ = on;
    setAllColumnsShowFocus(on);
    viewport()->update();
}

QTreeWidgetItem* CCustomTreeChildCtrl::RowAt(int y) const {
    if (header()->count() == 0) return nullptr;
    // Any x inside column 0 finds the row, wherever the point lies across it.
    return itemAt(QPoint(header()->sectionViewportPosition(0), y));
}

bool CCustomTreeChildCtrl::LabelHitTest(const QPoint& point) const {
    QTreeWidgetItem* item = RowAt(point.y());
    if (!item) return false;
    const QModelIndex index = indexFromItem(item, 0);
    if (IsOnExpandButton(*this, *item, index, point)) return true;

    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(index);
    cells_->PrepareOption(&option, index);
    option.text = CellOfRowText(item->text(0), 0);
    if ((option.features & QStyleOptionViewItem::HasCheckIndicator) &&
        style()
            ->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, this)
            .contains(point))
        return true;
    if ((option.features & QStyleOptionViewItem::HasDecoration) &&
        style()->subElementRect(QStyle::SE_ItemViewItemDecoration, &option, this).contains(point))
        return true;

    const QRect label = style()->subElementRect(QStyle::SE_ItemViewItemText, &option, this);
    const bool inRow = point.y() >= option.rect.top() && point.y() <= option.rect.bottom();
    if (!inRow || point.x() < label.left()) return false;
    if (fullRowSelect_) return point.x() < viewport()->width();
    const int firstColumnEnd = header()->sectionViewportPosition(0) + firstColumnWidth;
    if (point.x() >= firstColumnEnd) return false;
    const int textWidth = QFontMetrics(option.font).horizontalAdvance(option.text);
    return point.x() < label.left() + textWidth + 6;
}

void CCustomTreeChildCtrl::mousePressEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        // A right click names a row for the owner's menu; it never selects one.
        setFocus(Qt::MouseFocusReason);
        event->accept();
        return;
    }
    if (event->button() == Qt::LeftButton) {
        if (!LabelHitTest(point)) {
            setFocus(Qt::MouseFocusReason);
            swallowRelease_ = true;
            event->accept();
            return;
        }
        QTreeWidgetItem* item = RowAt(point.y());
        if (item) setCurrentItem(item);
        if (!indexAt(point).isValid()) {
            // Full-row select, right of the last column: the tree itself would
            // take this for a press on empty space and clear the selection.
            setFocus(Qt::MouseFocusReason);
            swallowRelease_ = true;
            event->accept();
            return;
        }
    }
    swallowRelease_ = false;
    QTreeWidget::mousePressEvent(event);
}

void CCustomTreeChildCtrl::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        event->accept();
        emit rightClicked(event->globalPosition().toPoint());
        return;
    }
    if (event->button() == Qt::LeftButton && swallowRelease_) {
        swallowRelease_ = false;
        event->accept();
        return;
    }
    QTreeWidget::mouseReleaseEvent(event);
}

void CCustomTreeChildCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (event->button() != Qt::LeftButton || !LabelHitTest(point)) {
        setFocus(Qt::MouseFocusReason);
        swallowRelease_ = event->button() == Qt::LeftButton;
        event->accept();
        return;
    }
    QTreeWidgetItem* item = RowAt(point.y());
    if (item) setCurrentItem(item);
    swallowRelease_ = !indexAt(point).isValid();
    if (!swallowRelease_) QTreeWidget::mouseDoubleClickEvent(event);
    if (item) emit itemDoubleClicked(item);
}

void CCustomTreeChildCtrl::mouseMoveEvent(QMouseEvent* event) {
    if (!LabelHitTest(event->position().toPoint())) {
        event->accept();
        return;
    }
    QTreeWidget::mouseMoveEvent(event);
}

void CCustomTreeChildCtrl::keyPressEvent(QKeyEvent* event) {
    emit keyDown(event->key());
    // The cells' look follows the selection, so the whole tree is redrawn.
    viewport()->update();
    QTreeWidget::keyPressEvent(event);
}

void CCustomTreeChildCtrl::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const {
    QTreeWidget::drawRow(painter, option, index);
    // Grid: a line at the right edge of every column and one along the row's bottom.
    const QHeaderView* head = header();
    if (head->count() == 0) return;
    const QRect row = visualRect(index.siblingAtColumn(0));
    const int left = head->sectionViewportPosition(0);
    int right = left;
    painter->save();
    painter->setPen(palette().color(QPalette::Button).darker(112));
    for (int i = 0; i < head->count(); ++i) {
        right += head->sectionSize(i);
        painter->drawLine(right - 1, row.top(), right - 1, row.bottom());
    }
    painter->drawLine(left, row.bottom(), right - 1, row.bottom());
    painter->restore();
}

void CCustomTreeChildCtrl::updateGeometries() {
    QTreeWidget::updateGeometries();
    horizontalScrollBar()->setSingleStep(kScrollLineStep);
}

void CCustomTreeChildCtrl::ReportBranchDeleted(QTreeWidgetItem* item) {
    for (int i = 0; i < item->childCount(); ++i) ReportBranchDeleted(item->child(i));
    emit itemDeleted(item);
}

void CCustomTreeChildCtrl::OnRowsAboutToBeRemoved(const QModelIndex& parent, int first, int last) {
    for (int row = first; row <= last; ++row) {
        if (QTreeWidgetItem* item = itemFromIndex(model()->index(row, 0, parent)))
            ReportBranchDeleted(item);
    }
}

void CCustomTreeChildCtrl::OnAboutToBeReset() {
    for (int i = 0; i < topLevelItemCount(); ++i) ReportBranchDeleted(topLevelItem(i));
}
