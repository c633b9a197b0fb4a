#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>

// One line of text in a chosen colour and font on a transparent background (the
// main window's title and field labels). It paints the text stored in it, not its
// window text, and changing it does not repaint: the owner repaints when it wants
// the new text seen. User-interface thread only.
class CColorStatic : public QWidget {
    Q_OBJECT

public:
    explicit CColorStatic(QWidget* parent = nullptr);

    const QString& Text() const { return m_text; }
    // Replaces the text without repainting.
    void SetText(const QString& text) { m_text = text; }
    // Stores the face and style and sets the size to 11 pixels; no repaint.
    void SetFont(const QString& face, bool bold, bool italic, bool underline);

    QColor Color() const { return m_color; }
    void SetColor(const QColor& color) { m_color = color; }

    int FontSize() const { return m_fontSize; }
    // The font the text is painted in.
    QFont TextFont() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
    QColor m_color = Qt::black;
    int m_fontSize = 9;
    QString m_fontFace = QStringLiteral("Verdana");
    bool m_bold = false;
    bool m_italic = false;
    bool m_underline = false;
};
