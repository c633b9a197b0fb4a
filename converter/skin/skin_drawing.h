#pragma once

#include <QRect>

#include "converter/skin/bitmap_ex.h"

class QPainter;

// Drawing of skin pictures with a QPainter. Rectangles are QRect (left, top,
// width, height); stretching picks the nearest pixel, never blends, so one-pixel
// strips repeat exactly and the key colour stays exact. User-interface thread only.

// Copies the picture from its origin to rect's top-left corner, rect's size, 1:1.
bool DrawAt(const QRect& rect, const CBitmapEx& bitmap, QPainter& painter);

// Stretches the whole picture onto [left, right) x [top, bottom), leaving out the
// pixels that are exactly magenta (255, 0, 255).
void DrawTransparent(QPainter& painter, int left, int top, int right, int bottom,
                     const CBitmapEx& bitmap);

// Stretches the source rectangle of the picture onto the destination rectangle.
// False when there is no destination (an empty rectangle) or no picture.
bool StretchDraw(const QRect& source, const QRect& destination, const CBitmapEx& bitmap,
                 QPainter& painter);

// The corner-preserving stretch of `source` to rect's size. The source is cut at
// column `cornerWidth` and row `cornerHeight`: the corners keep their pixels, the
// edges are stretched from the one-pixel strips at that column and row, the
// centre is filled with the pixel there. With one corner size 0 the picture is
// cut in three parts along the other direction; with both 0 it is simply scaled.
// False when there is no source or the rectangle is empty.
bool BuildSkinBitmap(int cornerWidth, CBitmapEx& destination, const CBitmapEx& source,
                     int cornerHeight, const QRect& rect);

// BuildSkinBitmap to rect's size, then DrawAt rect. False when nothing could be built.
bool DrawSkin(const CBitmapEx& source, QPainter& painter, int cornerWidth, int cornerHeight,
              const QRect& rect);
