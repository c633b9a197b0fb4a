#pragma once

#include <QImage>
#include <QRegion>

// A skin picture: a plain opaque bitmap (32-bit RGB, no alpha). Transparency is
// expressed only by the key colour magenta (255, 0, 255). Copies share the pixels
// until one is changed, so handing a picture to a control costs nothing.
// Used on the user-interface thread only.
class CBitmapEx {
public:
    CBitmapEx() = default;
    // Any format is accepted; alpha is dropped (the colour values are kept).
    explicit CBitmapEx(const QImage& image);

    bool IsNull() const { return m_image.isNull(); }
    int Width() const { return m_image.width(); }
    int Height() const { return m_image.height(); }
    // Always Format_RGB32 (or null).
    const QImage& Image() const { return m_image; }
    void Release() { m_image = QImage(); }

private:
    QImage m_image;
};

// The key colour of every skin picture.
inline constexpr QRgb kSkinKeyColor = 0xFFFF00FF;

// `picture` as 32-bit ARGB with every pixel of exactly the key colour made
// fully transparent (whatever its alpha was).
QImage KeyColourCleared(const QImage& picture);

// Frame n (1 to 4) of a strip of four equal frames side by side, frame 1 at the
// left: columns ((n - 1) * W) / 4 up to that plus W / 4, full height.
bool ExtractFrame(const CBitmapEx& source, int frame, CBitmapEx& destination);

// The shape of a picture: every pixel except the key pixels, which are those with
// red 255, blue 255 and green at most 16. An empty region for a null picture.
QRegion MakeRegion(const CBitmapEx& bitmap);
