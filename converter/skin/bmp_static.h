#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

#include "converter/skin/bitmap_ex.h"

// A skin picture stretched to the control's size with its corners kept, with an
// optional line of text. Commands of its child controls (clicked of a CBmpButton,
// command of a nested CBmpStatic) are passed on unchanged as its own command(id),
// so a chain of nested statics reports to whoever listens at the outermost one.
// User-interface thread only.
class CBmpStatic : public QWidget {
    Q_OBJECT

public:
    explicit CBmpStatic(QWidget* parent = nullptr, int controlId = 0);

    int ControlId() const { return m_controlId; }
    void SetControlId(int id) { m_controlId = id; }

    // Replaces the picture (the previous one is released).
    void SetPicture(const CBitmapEx& picture);
    const CBitmapEx& Picture() const { return m_picture; }

    int CornerWidth() const { return m_cornerWidth; }
    int CornerHeight() const { return m_cornerHeight; }
    void SetCorners(int width, int height);
    // The two stretch values of a skin entry: when either is -1 the picture is
    // plainly scaled (both corners 0), else they are the corner width and height.
    void SetStretchValues(int first, int second);

    const QString& Text() const { return m_text; }
    void SetText(const QString& text);
    // The text starts at this x and is drawn in the parent's font.
    void SetTextLeft(int x);
    void SetTextColor(const QColor& color);

signals:
    void command(int id);

protected:
    void paintEvent(QPaintEvent* event) override;
    void childEvent(QChildEvent* event) override;

private:
    void PassOnCommandsOf(QObject* child);

    int m_controlId = 0;
    CBitmapEx m_picture;
    CBitmapEx m_stretched;  // m_picture stretched to the control's size, once per size
    QString m_text;
    int m_textLeft = 0;
    QColor m_textColor = Qt::black;
    int m_cornerWidth = 0;
    int m_cornerHeight = 0;
};
