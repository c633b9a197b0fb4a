#pragma once

#include <QColor>
#include <QRegion>
#include <QString>
#include <QWidget>
#include <array>

#include "converter/skin/bitmap_ex.h"

// The skinned push button: its whole look is one strip of four equal frames
// (normal, pointer over it, pressed, disabled). The widget takes the shape of the
// current frame, so key-coloured pixels are cut away and the mouse acts only on
// the visible part. A press released over the button emits clicked(id).
// User-interface thread only.
class CBmpButton : public QWidget {
    Q_OBJECT

public:
    // ButtonKind.
    enum Kind : int { kPushButton = 2, kCheckButton = 3 };

    // Optional caption drawn over the picture.
    struct Caption {
        QString text;      // empty: no caption
        int fontSize = 9;  // character height in pixels
        QString fontFace = QStringLiteral("Arial");
        bool bold = false;
        bool italic = false;
        bool underline = false;
        int offsetX = 0;  // shift inside the button
        int offsetY = 0;
        // Colours for the states normal, hover, pressed (or checked), disabled.
        std::array<QColor, 4> colors{Qt::black, Qt::black, Qt::black, Qt::black};
        int alignment = 1;  // 0 left, 1 centre, 2 right
    };

    explicit CBmpButton(QWidget* parent = nullptr, int controlId = 0);

    int ControlId() const { return m_controlId; }
    void SetControlId(int id) { m_controlId = id; }

    // Replaces the four-frame strip (the previous one is released).
    void SetPicture(const CBitmapEx& strip);
    const CBitmapEx& Picture() const { return m_picture; }

    int ButtonKind() const { return m_kind; }
    void SetButtonKind(int kind);
    // The check state a check button shows; set by the owner, never by a click.
    bool GetCheck() const { return m_checked; }
    void SetCheck(bool checked);

    const Caption& GetCaption() const { return m_caption; }
    void SetCaption(const Caption& caption);

    bool IsHover() const { return m_hover; }
    bool IsPressed() const { return m_pressed; }
    // The frame (1 to 4) that the current state shows.
    int CurrentFrame() const;

signals:
    void clicked(int id);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Applies the current frame's shape and schedules a repaint.
    void Refresh();
    bool IsOverShape(QPoint point) const;

    int m_controlId = 0;
    CBitmapEx m_picture;
    std::array<CBitmapEx, 4> m_frames;
    std::array<QRegion, 4> m_shapes;
    Caption m_caption;
    bool m_hover = false;
    bool m_pressed = false;
    bool m_spaceDown = false;
    bool m_checked = false;
    int m_kind = kPushButton;
};
