#include "converter/skin/tree_combo_box.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTreeWidgetItem>

#include "converter/skin/tree_combo_box_thumbnail.h"

CTreeComboBox* CTreeComboBox::openComboBox = nullptr;
bool CTreeComboBox::suppressReopen = false;

namespace {

QPixmap BlankImage() {
    QPixmap blank(kThumbnailSide, kThumbnailSide);
    blank.fill(Qt::transparent);
    return blank;
}

}  // namespace

CTreeComboBox::CTreeComboBox(QWidget* parent, const QString& caption)
    : QWidget(parent), font_(QStringLiteral("Arial"), 9) {
    openComboBox = nullptr;
    suppressReopen = false;
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);

    label_ = new CComboStatic(this);
    label_->setFont(font_);
    label_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    iconArea_ = new CComboStatic(this);
    iconArea_->setFont(font_);
    iconArea_->setAlignment(Qt::AlignCenter);
    PlaceChildren();

    QString text = caption;
    text.replace(QStringLiteral(", "), QStringLiteral("\n"));
    label_->setText(text);
    label_->UpdateTooltip();

    tree_ = new CComboTree(this);
    tree_->hide();
}

CTreeComboBox::~CTreeComboBox() {
    if (openComboBox == this) openComboBox = nullptr;
    // The drop-down goes first, while the box it reports to is still whole.
    delete tree_;
    tree_ = nullptr;
}

QSize CTreeComboBox::sizeHint() const {
    const int height = std::max(24, fontMetrics().height() + 10);
    return QSize(240, height);
}

void CTreeComboBox::PlaceChildren() {
    const int w = width();
    const int h = height();
    label_->setGeometry(28, 3, std::max(0, w - 18 - 28), std::max(0, h - 2 - 3));
    iconArea_->setGeometry(2, 2, 26, std::max(0, h - 2 - 2));
}

void CTreeComboBox::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PlaceChildren();
}

void CTreeComboBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionComboBox option;
    option.initFrom(this);
    option.editable = false;
    option.frame = true;
    option.subControls = QStyle::SC_All;
    if (IsDroppedDown()) option.state |= QStyle::State_On;
    if (mouseDown) option.state |= QStyle::State_Sunken;
    style()->drawComplexControl(QStyle::CC_ComboBox, &option, &painter, this);
}

QString CTreeComboBox::LabelText() const {
    return label_->text();
}

void CTreeComboBox::SetLabelText(const QString& text) {
    label_->setText(text);
    label_->UpdateTooltip();
}

QPixmap CTreeComboBox::IconPixmap() const {
    return iconArea_->pixmap();
}

QPixmap CTreeComboBox::Image(int index) const {
    return index >= 0 && index < images_.size() ? images_.at(index) : QPixmap();
}

void CTreeComboBox::AddImage(const QString& picturePath, int index) {
    if (index < 0) return;
    if (index == 0) images_.clear();
    const QImage thumbnail = LoadThumbnail(picturePath);
    if (images_.size() <= index) images_.resize(index + 1);
    images_[index] = thumbnail.isNull() ? QPixmap() : QPixmap::fromImage(thumbnail);
    // Items may have been added before their picture.
    for (QTreeWidgetItemIterator it(tree_); *it; ++it)
        if (CComboTree::ItemImage(*it) == index) ApplyImage(*it);
}

void CTreeComboBox::ApplyImage(QTreeWidgetItem* item) {
    const QPixmap image = Image(CComboTree::ItemImage(item));
    // A missing picture keeps its place, so the texts stay in line.
    item->setIcon(0, QIcon(image.isNull() ? BlankImage() : image));
}

QTreeWidgetItem* CTreeComboBox::AddItem(QTreeWidgetItem* parent, const QString& text,
                                        int imageIndex) {
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree_);
    item->setText(0, text);
    item->setData(0, Qt::UserRole + 1, imageIndex);
    ApplyImage(item);
    return item;
}

void CTreeComboBox::ExpandGroups() {
    for (int i = 0; i < tree_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* group = tree_->topLevelItem(i);
        if (group->childCount() > 0) group->setExpanded(true);
    }
}

QPixmap CTreeComboBox::MakeItemBitmap(int imageIndex) const {
    QPixmap bitmap(kThumbnailSide, kThumbnailSide);
    bitmap.fill(Qt::white);
    const QPixmap image = Image(imageIndex);
    if (!image.isNull()) {
        QPainter painter(&bitmap);
        painter.drawPixmap(0, 0, image);
    }
    return bitmap;
}

void CTreeComboBox::ShowItemImage(int imageIndex) {
    iconArea_->setPixmap(MakeItemBitmap(imageIndex));
}

int CTreeComboBox::SelectByText(const QString& text) {
    for (int i = 0; i < tree_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* group = tree_->topLevelItem(i);
        for (int j = 0; j < group->childCount(); ++j) {
            QTreeWidgetItem* item = group->child(j);
            if (item->text(0) != text) continue;
            ShowAsChosen(item);
            return 1;
        }
    }
    QTreeWidgetItem* first =
        tree_->topLevelItemCount() > 0 ? tree_->topLevelItem(0)->child(0) : nullptr;
    if (first) ShowAsChosen(first);
    return 0;
}

void CTreeComboBox::ShowAsChosen(QTreeWidgetItem* item) {
    tree_->setCurrentItem(item);
    tree_->SetLastChosenItem(item);
    SetLabelText(item->text(0));
    ShowItemImage(CComboTree::ItemImage(item));
}

void CTreeComboBox::HideDropDown() {
    if (!openComboBox) return;
    CTreeComboBox* open = openComboBox;
    openComboBox = nullptr;
    open->tree_->hide();
    open->update();
}

void CTreeComboBox::DropDownHidden(CTreeComboBox* box) {
    if (openComboBox == box) {
        openComboBox = nullptr;
        box->update();
    }
}

void CTreeComboBox::ToggleDropDown() {
    if (openComboBox) {
        HideDropDown();
        suppressReopen = false;
        return;
    }
    if (suppressReopen) {
        suppressReopen = false;
        return;
    }
    // The drop-down opens upward: its bottom edge meets the box's top edge.
    const QPoint topLeft = mapToGlobal(QPoint(0, 0));
    tree_->setGeometry(topLeft.x(), topLeft.y() - dropHeight, width(), dropHeight);
    tree_->HighlightCaret();
    openComboBox = this;
    suppressReopen = true;
    tree_->show();
    tree_->setFocus(Qt::PopupFocusReason);
    update();
}

void CTreeComboBox::ChooseCaretItem() {
    QTreeWidgetItem* item = tree_->currentItem();
    if (!item) return;
    SetLabelText(item->text(0));
    if (openComboBox) HideDropDown();
    suppressReopen = false;
    ShowItemImage(CComboTree::ItemImage(item));
    emit chosen();
}

void CTreeComboBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    event->accept();
    mouseDown = true;
    ToggleDropDown();
}

void CTreeComboBox::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

void CTreeComboBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
    event->accept();
    mouseDown = false;
    update();
}

void CTreeComboBox::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
            event->accept();
            ToggleDropDown();
            return;
        case Qt::Key_Space:
            event->accept();
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

void CTreeComboBox::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    // Opening the drop-down hands it the keyboard; that is no reason to close it.
    if (event->reason() == Qt::PopupFocusReason) return;
    if (IsDroppedDown()) tree_->hide();
}
