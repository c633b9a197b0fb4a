#pragma once

#include <QImage>
#include <QWidget>

#include "converter/skin/slider_images.h"

// A horizontal slider drawn from pictures: a channel filling the control (left of
// the thumb in its "filled" variant) and a thumb moved along it. Dragging the
// thumb and the keys move it; the owner hears of it through sliderDragging and
// sliderChanged, always delivered from the event loop after the slider's own
// handler has returned (like posted messages). User-interface thread only.
class CBitmapSlider : public QWidget {
    Q_OBJECT

public:
    explicit CBitmapSlider(QWidget* parent = nullptr, int controlId = 0);

    int ControlId() const { return m_controlId; }
    void SetControlId(int id) { m_controlId = id; }

    // Takes the channel and filled-channel pictures (the built-in ones unless
    // others are given) and sizes the control to the channel. False, with no
    // channel, when either is missing.
    bool LoadChannelImages(const QImage& channel = BuiltInChannelImage(),
                           const QImage& filled = BuiltInFilledChannelImage());
    // Takes the thumb and pressed-thumb pictures; the colour of the thumb's
    // top-left pixel is transparent in both. False, with no thumb, when either is
    // missing.
    bool LoadThumbImages(const QImage& thumb = BuiltInThumbImage(),
                         const QImage& pressedThumb = BuiltInThumbImage());

    void SetRange(int minimum, int maximum);
    int GetRangeMin() const { return m_minimum; }
    int GetRangeMax() const { return m_maximum; }
    // Clamped to the range; repaints.
    void SetPos(int position);
    int GetPos() const { return m_position; }
    void SetMargins(int left, int top, int right, int bottom);
    void ShowFocusRect(bool show) { m_showFocusRect = show; }
    bool IsDragging() const { return m_dragging; }

    // Where the thumb centre is for a position, and the position for a thumb
    // centre, along the channel between the margins.
    int PositionToPixel(int position) const;
    int PixelToPosition(int x) const;

signals:
    // While the thumb is dragged, at every pixel it moves to.
    void sliderDragging(int id, int position);
    // When the mouse button is released, and after every handled key.
    void sliderChanged(int id, int position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void DragTo(int x);
    int Clamped(int position) const;
    void Post(void (CBitmapSlider::*signal)(int, int));

    int m_controlId = 0;
    int m_maximum = 100;
    int m_minimum = 0;
    int m_position = 0;
    int m_pageSize = 20;
    int m_width = 0;
    int m_height = 0;
    int m_thumbWidth = 0;
    int m_thumbHeight = 0;
    int m_marginLeft = 0;
    int m_marginRight = 0;
    int m_marginTop = 0;
    int m_marginBottom = 0;
    int m_grabOffset = 0;
    bool m_dragging = false;
    bool m_showFocusRect = true;
    QImage m_channel;
    QImage m_filledChannel;
    QImage m_thumb;         // key pixels transparent
    QImage m_pressedThumb;  // through the thumb's mask
};
