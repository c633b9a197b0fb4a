#include "converter/skin/bitmap_slider.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <cstdlib>

namespace {

// The picture with every pixel of the mask's key colour made transparent.
QImage ThroughMask(const QImage& image, const QImage& maskSource) {
    const QRgb key = maskSource.pixel(0, 0);
    const QImage mask = maskSource.convertToFormat(QImage::Format_RGB32);
    QImage result = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < result.height() && y < mask.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(result.scanLine(y));
        const auto* maskRow = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        for (int x = 0; x < result.width() && x < mask.width(); ++x)
            if (maskRow[x] == key) row[x] = 0;
    }
    return result;
}

}  // namespace

CBitmapSlider::CBitmapSlider(QWidget* parent, int controlId)
    : QWidget(parent), m_controlId(controlId) {
    setFocusPolicy(Qt::StrongFocus);
    // Everything is painted each time; there is nothing to erase first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

bool CBitmapSlider::LoadChannelImages(const QImage& channel, const QImage& filled) {
    m_channel = QImage();
    m_filledChannel = QImage();
    if (channel.isNull() || filled.isNull()) return false;
    m_channel = channel.convertToFormat(QImage::Format_RGB32);
    m_filledChannel = filled.convertToFormat(QImage::Format_RGB32);
    m_width = m_channel.width();
    m_height = m_channel.height();
    setFixedSize(m_width, m_height);
    update();
    return true;
}

bool CBitmapSlider::LoadThumbImages(const QImage& thumb, const QImage& pressedThumb) {
    m_thumb = QImage();
    m_pressedThumb = QImage();
    if (thumb.isNull() || pressedThumb.isNull()) return false;
    // Both thumbs share the normal thumb's shape.
    m_thumb = ThroughMask(thumb, thumb);
    m_pressedThumb = ThroughMask(pressedThumb, thumb);
    m_thumbWidth = m_thumb.width();
    m_thumbHeight = m_thumb.height();
    if (m_channel.isNull()) {
        m_width = width();
        m_height = height();
    }
    update();
    return true;
}

void CBitmapSlider::SetRange(int minimum, int maximum) {
    m_minimum = minimum;
    m_maximum = maximum;
    m_position = Clamped(m_position);
    update();
}

void CBitmapSlider::SetPos(int position) {
    m_position = Clamped(position);
    update();
}

void CBitmapSlider::SetMargins(int left, int top, int right, int bottom) {
    m_marginLeft = left;
    m_marginTop = top;
    m_marginRight = right;
    m_marginBottom = bottom;
}

int CBitmapSlider::Clamped(int position) const {
    if (position > m_maximum) position = m_maximum;
    if (position < m_minimum) position = m_minimum;
    return position;
}

int CBitmapSlider::PositionToPixel(int position) const {
    const int travel = m_width - m_marginRight - m_thumbWidth - m_marginLeft;
    // A range without width keeps the thumb at the left end.
    const double fraction = m_maximum == m_minimum
                                ? 0.0
                                : (static_cast<double>(position) - m_minimum) /
                                      (static_cast<double>(m_maximum) - m_minimum);
    return m_marginLeft + static_cast<int>(fraction * travel) + m_thumbWidth / 2;
}

int CBitmapSlider::PixelToPosition(int x) const {
    const int travel = m_width - m_marginRight - m_marginLeft - m_thumbWidth;
    if (travel == 0) return m_minimum;
    const double fraction = static_cast<double>(x - m_thumbWidth / 2 - m_marginLeft) / travel;
    return static_cast<int>(fraction * (m_maximum - m_minimum) + m_minimum);
}

void CBitmapSlider::Post(void (CBitmapSlider::*signal)(int, int)) {
    // Queued even for a direct connection: the owner hears of it only after this
    // handler has returned, with the values of this moment.
    QMetaObject::invokeMethod(
        this,
        [this, signal, id = m_controlId, position = m_position] {
            emit(this->*signal)(id, position);
        },
        Qt::QueuedConnection);
}

void CBitmapSlider::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const int centre = PositionToPixel(m_position);
    if (!m_channel.isNull()) {
        // Filled left of the thumb centre, plain from it on.
        painter.drawImage(QPoint(centre, 0), m_channel,
                          QRect(centre, 0, m_channel.width() - centre, m_channel.height()));
        painter.drawImage(QPoint(0, 0), m_filledChannel,
                          QRect(0, 0, centre, m_filledChannel.height()));
    }
    if (!m_thumb.isNull())
        painter.drawImage(QPoint(centre - m_thumbWidth / 2, m_marginTop),
                          m_dragging ? m_pressedThumb : m_thumb);
    if (m_showFocusRect && hasFocus()) {
        // The classic dotted focus rectangle, drawn by inverting what is under it.
        QPen dots(Qt::white);
        dots.setDashPattern({1.0, 1.0});
        painter.setPen(dots);
        painter.setBrush(Qt::NoBrush);
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void CBitmapSlider::DragTo(int x) {
    const int low = m_marginLeft + m_thumbWidth / 2;
    const int high = m_width - m_marginRight - m_thumbWidth / 2;
    const int centre = qMax(low, qMin(x - m_grabOffset, high));
    if (centre == PositionToPixel(m_position)) return;
    m_position = Clamped(PixelToPosition(centre));
    update();
    Post(&CBitmapSlider::sliderDragging);
}

void CBitmapSlider::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    setFocus(Qt::MouseFocusReason);
    m_dragging = true;
    const int x = static_cast<int>(event->position().x());
    const int fromCentre = x - PositionToPixel(m_position);
    // On the thumb the grab point stays under the pointer; elsewhere the thumb
    // centre jumps to the pointer.
    m_grabOffset = std::abs(fromCentre) <= m_thumbWidth / 2 ? fromCentre : 0;
    DragTo(x);
    update();
}

void CBitmapSlider::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragging) DragTo(static_cast<int>(event->position().x()));
}

void CBitmapSlider::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_dragging) return QWidget::mouseReleaseEvent(event);
    m_dragging = false;
    update();
    Post(&CBitmapSlider::sliderChanged);
}

void CBitmapSlider::keyPressEvent(QKeyEvent* event) {
    int position = m_position;
    switch (event->key()) {
        case Qt::Key_PageUp:
            position -= m_pageSize;
            break;
        case Qt::Key_PageDown:
            position += m_pageSize;
            break;
        case Qt::Key_End:
            position = m_maximum;
            break;
        case Qt::Key_Home:
            position = m_minimum;
            break;
        case Qt::Key_Left:
        case Qt::Key_Up:
            position -= 1;
            break;
        case Qt::Key_Right:
        case Qt::Key_Down:
            position += 1;
            break;
        default:
            return QWidget::keyPressEvent(event);
    }
    SetPos(position);
    Post(&CBitmapSlider::sliderChanged);
}

void CBitmapSlider::focusInEvent(QFocusEvent* event) {
    update();
    QWidget::focusInEvent(event);
}

void CBitmapSlider::focusOutEvent(QFocusEvent* event) {
    update();
    QWidget::focusOutEvent(event);
}
