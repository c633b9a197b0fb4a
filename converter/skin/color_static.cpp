#include "converter/skin/color_static.h"

#include <QPainter>

CColorStatic::CColorStatic(QWidget* parent) : QWidget(parent) {
    // No background of its own: whatever is behind the label shows through.
    setAutoFillBackground(false);
}

void CColorStatic::SetFont(const QString& face, bool bold, bool italic, bool underline) {
    m_fontFace = face;
    m_bold = bold;
    m_italic = italic;
    m_underline = underline;
    m_fontSize = 11;
}

QFont CColorStatic::TextFont() const {
    QFont font(m_fontFace);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(qMax(1, m_fontSize));
    font.setBold(m_bold);
    font.setItalic(m_italic);
    font.setUnderline(m_underline);
    return font;
}

void CColorStatic::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(TextFont());
    painter.setPen(m_color);
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, m_text);
}
