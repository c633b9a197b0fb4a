#pragma once

#include <QString>

#include "converter/skin/bitmap_ex.h"

class QImage;

// Kinds of picture file, as ImageFileType tells them from the path.
enum ImageFileKind : int {
    kBmpFile = 0,
    kIconFile = 1,
    kJpegFile = 2,
    kGifFile = 3,
    kOtherFile = 4,
};

// The upper-cased path is searched for ".BMP", ".ICO", ".JPG", ".JPEG" and ".GIF"
// in that order, anywhere in the path but not at its very start; the first one
// found decides (so "A.BMP.GIF" is a bitmap file). Anything else is kOtherFile.
int ImageFileType(const QString& path);

// Loads a skin picture. Bitmap files are read as Windows bitmaps whatever their
// content; icon, JPEG and GIF files are read as whichever of those four formats
// their content is; any other file gives no picture. Null when nothing loads.
CBitmapEx LoadImageFile(const QString& path);

// A decoded picture as a plain opaque bitmap: transparent areas become black.
CBitmapEx PictureToBitmap(const QImage& picture);
