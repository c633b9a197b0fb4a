#include "converter/skin/tree_combo_box_tree.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

#include "converter/skin/tree_combo_box.h"
#include "converter/skin/tree_combo_box_thumbnail.h"
#include "converter/skin/tree_expand_button.h"

namespace {
constexpr int kItemDataRole = Qt::UserRole;
constexpr int kImageRole = Qt::UserRole + 1;
}  // namespace

CComboTree::CComboTree(CTreeComboBox* owner) : QTreeWidget(owner), owner_(owner) {
    // A popup floats above the program's windows, takes the keyboard while it is
    // shown, closes on a press anywhere else and leaves the window its active look.
    setWindowFlags(Qt::Popup);
    setFrameShape(QFrame::Box);
    setLineWidth(1);
    setColumnCount(1);
    header()->hide();
    setRootIsDecorated(true);
    setItemsExpandable(true);
    setExpandsOnDoubleClick(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setIconSize(QSize(kThumbnailSide, kThumbnailSide));
    setDragDropMode(QAbstractItemView::NoDragDrop);
    setMouseTracking(true);
}

QTreeWidgetItem* CComboTree::LastChosenItem() const {
    return lastChosenItem_.isValid() ? itemFromIndex(lastChosenItem_) : nullptr;
}

void CComboTree::SetLastChosenItem(QTreeWidgetItem* item) {
    lastChosenItem_ = item ? QPersistentModelIndex(indexFromItem(item)) : QPersistentModelIndex();
}

void CComboTree::RestoreCaret() {
    if (QTreeWidgetItem* item = LastChosenItem()) setCurrentItem(item);
}

void CComboTree::SetItemData(QTreeWidgetItem* item, qint64 value) {
    if (item) item->setData(0, kItemDataRole, value);
}

qint64 CComboTree::ItemData(const QTreeWidgetItem* item) {
    return item ? item->data(0, kItemDataRole).toLongLong() : 0;
}

int CComboTree::ItemImage(const QTreeWidgetItem* item) {
    const QVariant image = item ? item->data(0, kImageRole) : QVariant();
    return image.isValid() ? image.toInt() : -1;
}

void CComboTree::HighlightCaret() {
    QTreeWidgetItem* caret = currentItem();
    if (!caret) return;
    selectionModel()->select(indexFromItem(caret), QItemSelectionModel::ClearAndSelect);
    scrollToItem(caret);
}

bool CComboTree::event(QEvent* event) {
    // While the drop-down is shown every press comes here; one outside it closes it.
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (!rect().contains(mouse->position().toPoint())) {
            const QPoint onBox = owner_->mapFromGlobal(mouse->globalPosition().toPoint());
            if (owner_->rect().contains(onBox)) {
                // A press on the box closes the drop-down, and that is all it does:
                // it must not reach the box afterwards and open it again.
                setAttribute(Qt::WA_NoMouseReplay, true);
                owner_->ToggleDropDown();
                setAttribute(Qt::WA_NoMouseReplay, false);
            } else {
                close();
            }
            return true;
        }
    }
    return QTreeWidget::event(event);
}

void CComboTree::mousePressEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    QTreeWidgetItem* item = itemAt(point);
    if (event->button() == Qt::LeftButton && item && item->childCount() == 0) {
        SetLastChosenItem(item);
        setCurrentItem(item);
        if (!IsOnExpandButton(*this, *item, indexFromItem(item), point)) {
            event->accept();
            owner_->ChooseCaretItem();
            return;
        }
    }
    QTreeWidget::mousePressEvent(event);
}

void CComboTree::mouseMoveEvent(QMouseEvent* event) {
    // Hot tracking: the item under the pointer is highlighted; the caret stays.
    if (event->buttons() == Qt::NoButton) {
        if (QTreeWidgetItem* item = itemAt(event->position().toPoint()))
            selectionModel()->select(indexFromItem(item), QItemSelectionModel::ClearAndSelect);
    }
    QTreeWidget::mouseMoveEvent(event);
}

void CComboTree::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape:
            event->accept();
            close();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // Choosing takes the mouse; the keyboard only browses.
            event->accept();
            return;
        default:
            QTreeWidget::keyPressEvent(event);
    }
}

void CComboTree::focusOutEvent(QFocusEvent* event) {
    QTreeWidget::focusOutEvent(event);
    RestoreCaret();
}

void CComboTree::hideEvent(QHideEvent* event) {
    QTreeWidget::hideEvent(event);
    RestoreCaret();
    // Hidden by anything but the box itself (a press elsewhere, Escape, the
    // window going away): closed by focus, so the press that hid it cannot
    // open it again.
    CTreeComboBox::DropDownHidden(owner_);
}
