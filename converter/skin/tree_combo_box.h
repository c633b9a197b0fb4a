#pragma once

#include <QFont>
#include <QPixmap>
#include <QVector>
#include <QWidget>

#include "converter/skin/tree_combo_box_static.h"
#include "converter/skin/tree_combo_box_tree.h"

class QTreeWidgetItem;

// A selection box whose drop-down is a two-level tree: groups at the top,
// choosable items (those without children) beneath them, each with a 20 x 20
// picture. The drop-down opens above the box with the box's width and
// `dropHeight`. Choosing an item with the mouse closes it, shows the item's
// picture and text in the box and emits `chosen` once; the owner then reads
// the caret item of `DropDownTree()` and its item data.
//
// The drop-down state is shared by all boxes of the process: closed, open, or
// closed-by-focus (hidden by a press elsewhere, Escape or a focus change). In
// the last state the next toggle only returns to closed, so the press on the
// box that closed the drop-down does not open it again.
// User-interface thread only.
class CTreeComboBox : public QWidget {
    Q_OBJECT
public:
    static constexpr int kDefaultDropHeight = 360;

    // `caption` is the box's initial text; each ", " in it becomes a line break.
    explicit CTreeComboBox(QWidget* parent = nullptr, const QString& caption = QString());
    ~CTreeComboBox() override;

    // Adds the thumbnail of `picturePath` as image `index` (0 starts a new list).
    // A picture that does not load leaves its index empty; the others keep theirs.
    void AddImage(const QString& picturePath, int index);
    // Appends an item as the last child of `parent` (null: the top level).
    QTreeWidgetItem* AddItem(QTreeWidgetItem* parent, const QString& text, int imageIndex);
    // Expands every top-level item that has children.
    void ExpandGroups();
    // Makes the first item under a group whose text equals `text` (case-sensitive)
    // the choice and returns 1; else chooses the first item of the first group
    // and returns 0. Emits nothing.
    int SelectByText(const QString& text);

    CComboTree* DropDownTree() const { return tree_; }
    void SetDropHeight(int height) { dropHeight = height; }
    int DropHeight() const { return dropHeight; }

    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption) { caption_ = caption; }
    QString LabelText() const;
    // Sets the label's text and its tool tip.
    void SetLabelText(const QString& text);
    // The picture shown at the box's left (a white square with the item's image).
    QPixmap IconPixmap() const;

    // Opens the drop-down, or closes it when it is open, or only leaves the
    // closed-by-focus state.
    void ToggleDropDown();
    // Makes the caret item the choice, closes the drop-down and emits `chosen`.
    void ChooseCaretItem();
    bool IsDroppedDown() const { return openComboBox == this; }

    // Thumbnail number `index`; null when missing.
    QPixmap Image(int index) const;
    // A white square of the image's size with the image drawn on it.
    QPixmap MakeItemBitmap(int imageIndex) const;

    // The process-wide drop-down state.
    static CTreeComboBox* OpenComboBox() { return openComboBox; }
    static bool SuppressReopen() { return suppressReopen; }
    // Told by the drop-down whenever it hides.
    static void DropDownHidden(CTreeComboBox* box);

    QSize sizeHint() const override;

signals:
    // The user chose an item with the mouse.
    void chosen();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void PlaceChildren();
    void ShowItemImage(int imageIndex);
    // Makes `item` the caret, the last chosen item and what the box shows.
    void ShowAsChosen(QTreeWidgetItem* item);
    void ApplyImage(QTreeWidgetItem* item);
    void HideDropDown();

    static CTreeComboBox* openComboBox;
    static bool suppressReopen;

    bool mouseDown = false;
    CComboStatic* label_ = nullptr;
    CComboStatic* iconArea_ = nullptr;
    QFont font_;
    QVector<QPixmap> images_;
    CComboTree* tree_ = nullptr;
    int dropHeight = kDefaultDropHeight;
    QString caption_;
};
