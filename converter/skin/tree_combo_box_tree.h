#pragma once

#include <QPersistentModelIndex>
#include <QTreeWidget>

class CTreeComboBox;

// The drop-down of a tree combo box: a two-level tree in a popup window above
// the box. A mouse press on an item without children chooses it; groups only
// open and close. The keyboard moves the caret but never chooses, and when the
// drop-down goes away the caret returns to the last chosen item.
// User-interface thread only.
class CComboTree : public QTreeWidget {
    Q_OBJECT
public:
    explicit CComboTree(CTreeComboBox* owner);

    CTreeComboBox* Owner() const { return owner_; }

    // The item chosen last (by mouse or by the owner's SelectByText); null if none.
    QTreeWidgetItem* LastChosenItem() const;
    void SetLastChosenItem(QTreeWidgetItem* item);

    // Makes the last chosen item the caret item again.
    void RestoreCaret();

    // The owner's own value kept on an item.
    static void SetItemData(QTreeWidgetItem* item, qint64 value);
    static qint64 ItemData(const QTreeWidgetItem* item);
    // The image index an item was added with (-1 when none).
    static int ItemImage(const QTreeWidgetItem* item);

    // The caret item with the highlight, shown where the user can see it.
    void HighlightCaret();

protected:
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    CTreeComboBox* owner_;
    QPersistentModelIndex lastChosenItem_;
};
