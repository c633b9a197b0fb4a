#include "converter/skin/bmp_button.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "converter/skin/skin_drawing.h"

CBmpButton::CBmpButton(QWidget* parent, int controlId) : QWidget(parent), m_controlId(controlId) {
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    Refresh();
}

void CBmpButton::SetPicture(const CBitmapEx& strip) {
    m_picture = strip;
    for (int frame = 1; frame <= 4; ++frame) {
        CBitmapEx& image = m_frames[frame - 1];
        if (strip.IsNull())
            image.Release();
        else
            ExtractFrame(strip, frame, image);
        m_shapes[frame - 1] = MakeRegion(image);
    }
    Refresh();
}

void CBmpButton::SetButtonKind(int kind) {
    m_kind = kind;
    Refresh();
}

void CBmpButton::SetCheck(bool checked) {
    m_checked = checked;
    Refresh();
}

void CBmpButton::SetCaption(const Caption& caption) {
    m_caption = caption;
    update();
}

int CBmpButton::CurrentFrame() const {
    if (!isEnabled()) return 4;
    if (m_kind == kCheckButton) {
        if (m_checked) return 3;
        return m_hover ? 2 : 1;
    }
    if (m_hover && m_pressed) return 3;
    return m_hover ? 2 : 1;
}

void CBmpButton::Refresh() {
    const QRegion& shape = m_shapes[CurrentFrame() - 1];
    // An empty mask means "no mask" to Qt; a button without a visible pixel must
    // not take the mouse at all.
    setAttribute(Qt::WA_TransparentForMouseEvents, shape.isEmpty());
    if (shape.isEmpty())
        clearMask();
    else
        setMask(shape);
    update();
}

bool CBmpButton::IsOverShape(QPoint point) const {
    return m_shapes[CurrentFrame() - 1].contains(point);
}

void CBmpButton::paintEvent(QPaintEvent*) {
    const int frame = CurrentFrame();
    const CBitmapEx& image = m_frames[frame - 1];
    if (image.IsNull()) return;
    QPainter painter(this);
    painter.setClipRegion(m_shapes[frame - 1]);
    DrawAt(QRect(0, 0, image.Width(), image.Height()), image, painter);
    painter.setClipping(false);

    if (m_caption.text.isEmpty()) return;
    QFont font(m_caption.fontFace);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(qMax(1, m_caption.fontSize));
    font.setBold(m_caption.bold);
    font.setItalic(m_caption.italic);
    font.setUnderline(m_caption.underline);
    painter.setFont(font);
    painter.setPen(m_caption.colors[frame - 1]);
    QRect area = rect();
    if (m_caption.offsetX < area.width()) area.setLeft(area.left() + m_caption.offsetX);
    if (m_caption.offsetY < area.height()) area.setTop(area.top() + m_caption.offsetY);
    const Qt::Alignment horizontal = m_caption.alignment == 0   ? Qt::AlignLeft
                                     : m_caption.alignment == 2 ? Qt::AlignRight
                                                                : Qt::AlignHCenter;
    painter.drawText(area, horizontal | Qt::AlignVCenter | Qt::TextSingleLine, m_caption.text);
}

void CBmpButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    m_pressed = true;
    m_hover = true;
    Refresh();
    setFocus(Qt::MouseFocusReason);
}

void CBmpButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    // Only a press that began on the button and ends over it clicks; the release
    // after a swallowed double click had no press and gives nothing.
    const bool click = m_pressed && m_hover;
    m_pressed = false;
    if (click) m_hover = false;  // the next mouse move brings the hover look back
    Refresh();
    if (click) emit clicked(m_controlId);
}

void CBmpButton::mouseDoubleClickEvent(QMouseEvent* event) {
    // Swallowed: a fast second click is not a second click.
    event->accept();
}

void CBmpButton::mouseMoveEvent(QMouseEvent* event) {
    const bool over = IsOverShape(event->position().toPoint());
    if (over == m_hover) return;
    m_hover = over;
    Refresh();
}

void CBmpButton::leaveEvent(QEvent*) {
    if (m_hover && !m_pressed) {
        m_hover = false;
        Refresh();
    }
}

void CBmpButton::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        m_spaceDown = true;
        return;
    }
    QWidget::keyPressEvent(event);
}

void CBmpButton::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat() && m_spaceDown) {
        m_spaceDown = false;
        emit clicked(m_controlId);
        return;
    }
    QWidget::keyReleaseEvent(event);
}

void CBmpButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) {
        if (!isEnabled()) m_hover = m_pressed = m_spaceDown = false;
        Refresh();
    }
    QWidget::changeEvent(event);
}
