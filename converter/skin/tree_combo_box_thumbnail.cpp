#include "converter/skin/tree_combo_box_thumbnail.h"

#include <QPainter>

#include "converter/skin/image_file.h"

namespace {

// Where the picture goes inside the square: the long side fills it, the short
// side is scaled by the aspect ratio (truncated) and centred.
QRect TargetRect(int width, int height) {
    const double ratio = double(height) / double(width);
    if (ratio > 1) {
        const int across = int(kThumbnailSide / ratio);
        return QRect((kThumbnailSide - across) / 2, 0, across, kThumbnailSide);
    }
    const int down = int(ratio * kThumbnailSide);
    return QRect(0, (kThumbnailSide - down) / 2, kThumbnailSide, down);
}

}  // namespace

QImage MakeThumbnail(const QImage& picture) {
    if (picture.isNull() || picture.width() <= 0 || picture.height() <= 0) return QImage();
    QImage square(kThumbnailSide, kThumbnailSide, QImage::Format_RGB32);
    square.fill(Qt::white);
    QPainter painter(&square);
    painter.setPen(QColor(192, 192, 192));
    painter.drawRect(0, 0, kThumbnailSide - 1, kThumbnailSide - 1);
    const QRect target = TargetRect(picture.width(), picture.height());
    if (!target.isEmpty()) {
        const QImage scaled = KeyColourCleared(picture).scaled(target.size(), Qt::IgnoreAspectRatio,
                                                               Qt::SmoothTransformation);
        painter.drawImage(target.topLeft(), scaled);
    }
    painter.end();
    return square;
}

QImage LoadThumbnail(const QString& path) {
    const CBitmapEx picture = LoadImageFile(path);
    return picture.IsNull() ? QImage() : MakeThumbnail(picture.Image());
}
