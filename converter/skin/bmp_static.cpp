#include "converter/skin/bmp_static.h"

#include <QChildEvent>
#include <QPainter>

#include "converter/skin/bmp_button.h"
#include "converter/skin/skin_drawing.h"

CBmpStatic::CBmpStatic(QWidget* parent, int controlId) : QWidget(parent), m_controlId(controlId) {}

void CBmpStatic::SetPicture(const CBitmapEx& picture) {
    m_picture = picture;
    m_stretched.Release();
    update();
}

void CBmpStatic::SetCorners(int width, int height) {
    m_cornerWidth = width;
    m_cornerHeight = height;
    m_stretched.Release();
    update();
}

void CBmpStatic::SetStretchValues(int first, int second) {
    if (first == -1 || second == -1)
        SetCorners(0, 0);
    else
        SetCorners(first, second);
}

void CBmpStatic::SetText(const QString& text) {
    m_text = text;
    update();
}

void CBmpStatic::SetTextLeft(int x) {
    m_textLeft = x;
    update();
}

void CBmpStatic::SetTextColor(const QColor& color) {
    m_textColor = color;
    update();
}

void CBmpStatic::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!m_picture.IsNull()) {
        // Built once per size: every hover change of a child button repaints the
        // part of the static behind it.
        if (m_stretched.Width() != width() || m_stretched.Height() != height())
            BuildSkinBitmap(m_cornerWidth, m_stretched, m_picture, m_cornerHeight, rect());
        DrawAt(rect(), m_stretched, painter);
    }
    if (m_text.isEmpty()) return;
    painter.setFont(parentWidget() ? parentWidget()->font() : font());
    painter.setPen(m_textColor);
    QRect area = rect();
    area.setLeft(m_textLeft);
    painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, m_text);
}

void CBmpStatic::childEvent(QChildEvent* event) {
    // A child made with this static as its parent is not a full object yet when it
    // is added; it is when it is polished (before it is first shown).
    if (event->type() == QEvent::ChildAdded || event->type() == QEvent::ChildPolished)
        PassOnCommandsOf(event->child());
    else if (event->type() == QEvent::ChildRemoved)
        disconnect(event->child(), nullptr, this, nullptr);
    QWidget::childEvent(event);
}

void CBmpStatic::PassOnCommandsOf(QObject* child) {
    if (auto* button = qobject_cast<CBmpButton*>(child))
        connect(button, &CBmpButton::clicked, this, &CBmpStatic::command, Qt::UniqueConnection);
    else if (auto* nested = qobject_cast<CBmpStatic*>(child))
        connect(nested, &CBmpStatic::command, this, &CBmpStatic::command, Qt::UniqueConnection);
}
