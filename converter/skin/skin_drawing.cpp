#include "converter/skin/skin_drawing.h"

#include <QPainter>

namespace {

// Keeps stretched pictures pixel-exact: nearest pixel, no blending.
class NearestPixelScope {
public:
    explicit NearestPixelScope(QPainter& painter) : m_painter(painter) {
        m_painter.save();
        m_painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        m_painter.setRenderHint(QPainter::Antialiasing, false);
    }
    ~NearestPixelScope() { m_painter.restore(); }
    NearestPixelScope(const NearestPixelScope&) = delete;
    NearestPixelScope& operator=(const NearestPixelScope&) = delete;

private:
    QPainter& m_painter;
};

// 1:1 copy of the part of `from` that lies inside the picture.
void CopyPiece(QPainter& painter, const QImage& image, const QRect& from, QPoint to) {
    const QRect inside = from.intersected(image.rect());
    if (inside.isEmpty()) return;
    painter.drawImage(to + (inside.topLeft() - from.topLeft()), image, inside);
}

// Stretches `from` onto `to`; nothing when either is empty or `from` leaves the
// picture (a destination smaller than the source gives empty stretch areas).
void StretchPiece(QPainter& painter, const QImage& image, const QRect& from, const QRect& to) {
    if (from.isEmpty() || to.isEmpty() || !image.rect().contains(from)) return;
    painter.drawImage(to, image, from);
}

}  // namespace

bool DrawAt(const QRect& rect, const CBitmapEx& bitmap, QPainter& painter) {
    if (bitmap.IsNull()) return true;
    CopyPiece(painter, bitmap.Image(), QRect(0, 0, rect.width(), rect.height()), rect.topLeft());
    return true;
}

void DrawTransparent(QPainter& painter, int left, int top, int right, int bottom,
                     const CBitmapEx& bitmap) {
    if (bitmap.IsNull()) return;
    NearestPixelScope scope(painter);
    painter.drawImage(QRect(left, top, right - left, bottom - top),
                      KeyColourCleared(bitmap.Image()));
}

bool StretchDraw(const QRect& source, const QRect& destination, const CBitmapEx& bitmap,
                 QPainter& painter) {
    if (destination.isEmpty() || bitmap.IsNull()) return false;
    NearestPixelScope scope(painter);
    painter.drawImage(destination, bitmap.Image(), source);
    return true;
}

bool BuildSkinBitmap(int cornerWidth, CBitmapEx& destination, const CBitmapEx& source,
                     int cornerHeight, const QRect& rect) {
    if (source.IsNull() || rect.isEmpty()) return false;
    const int cx = cornerWidth;
    const int cy = cornerHeight;
    const int W = rect.width();
    const int H = rect.height();
    const int sw = source.Width();
    const int sh = source.Height();
    const QImage& src = source.Image();

    QImage result(W, H, QImage::Format_RGB32);
    result.fill(Qt::black);
    {
        QPainter painter(&result);
        NearestPixelScope scope(painter);
        // Stretched strips first, then the parts that keep their pixels, right and
        // bottom before left and top: at a size smaller than the source the left
        // and top parts win and the middle of the picture is left out.
        if (cx <= 0 && cy <= 0) {
            StretchPiece(painter, src, src.rect(), result.rect());
        } else if (cy <= 0) {
            // Three parts across: column cx fills between the caps.
            StretchPiece(painter, src, QRect(cx, 0, 1, sh), QRect(cx, 0, W - sw, H));
            CopyPiece(painter, src, QRect(cx, 0, sw - cx, H), QPoint(W - sw + cx, 0));
            CopyPiece(painter, src, QRect(0, 0, cx, H), QPoint(0, 0));
        } else if (cx <= 0) {
            // Three parts down: row cy fills between the top and bottom parts.
            StretchPiece(painter, src, QRect(0, cy, sw, 1), QRect(0, cy, sw, H - sh));
            CopyPiece(painter, src, QRect(0, cy, sw, sh - cy), QPoint(0, H - sh + cy));
            CopyPiece(painter, src, QRect(0, 0, W, cy), QPoint(0, 0));
        } else {
            const int right = W - sw + cx;   // where the right part starts
            const int bottom = H - sh + cy;  // where the bottom part starts
            // Edges from one-pixel strips, and the centre from the pixel (cx, cy).
            StretchPiece(painter, src, QRect(cx, 0, 1, cy), QRect(cx, 0, W - sw, cy));
            StretchPiece(painter, src, QRect(0, cy, cx, 1), QRect(0, cy, cx, H - sh));
            StretchPiece(painter, src, QRect(cx, cy, 1, 1), QRect(cx, cy, W - sw, H - sh));
            StretchPiece(painter, src, QRect(cx, cy, sw - cx, 1),
                         QRect(right, cy, sw - cx, H - sh));
            StretchPiece(painter, src, QRect(cx, cy, 1, sh - cy),
                         QRect(cx, bottom, W - sw, sh - cy));
            // Corners.
            CopyPiece(painter, src, QRect(cx, cy, sw - cx, sh - cy), QPoint(right, bottom));
            CopyPiece(painter, src, QRect(0, cy, cx, sh - cy), QPoint(0, bottom));
            CopyPiece(painter, src, QRect(cx, 0, sw - cx, cy), QPoint(right, 0));
            CopyPiece(painter, src, QRect(0, 0, cx, cy), QPoint(0, 0));
        }
    }
    destination = CBitmapEx(result);
    return true;
}

bool DrawSkin(const CBitmapEx& source, QPainter& painter, int cornerWidth, int cornerHeight,
              const QRect& rect) {
    CBitmapEx stretched;
    if (!BuildSkinBitmap(cornerWidth, stretched, source, cornerHeight, rect)) return false;
    return DrawAt(rect, stretched, painter);
}
