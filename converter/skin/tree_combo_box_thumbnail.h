#pragma once

#include <QImage>
#include <QString>

// Side of the square pictures of the tree combo box.
inline constexpr int kThumbnailSide = 20;

// The picture file at `path` as a 20 x 20 thumbnail: a white square with a
// one-pixel grey (192, 192, 192) frame, the picture scaled into it with its
// aspect kept and centred (a square picture covers the frame too). Magenta
// (255, 0, 255), the key colour of skin pictures, shows the white beneath.
// Null when the file does not load.
QImage LoadThumbnail(const QString& path);

// The same thumbnail from an already loaded picture.
QImage MakeThumbnail(const QImage& picture);
