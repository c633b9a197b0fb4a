#pragma once

#include <QEvent>
#include <QLabel>

class CTreeComboBox;

// The label and the icon area of a tree combo box. A press or release on
// either reaches the box as a left-button press or release, so clicking the
// text or the picture behaves like clicking the box.
// User-interface thread only.
class CComboStatic : public QLabel {
    Q_OBJECT
public:
    explicit CComboStatic(CTreeComboBox* owner);

    // The static's text becomes its tool tip and the owning box's caption.
    void UpdateTooltip();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void ForwardToOwner(QEvent::Type type, QMouseEvent* event);

    CTreeComboBox* owner_;
};
