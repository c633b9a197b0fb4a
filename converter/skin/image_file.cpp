#include "converter/skin/image_file.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPainter>

int ImageFileType(const QString& path) {
    struct Extension {
        QLatin1String text;
        int kind;
    };
    static const Extension kExtensions[] = {
        {QLatin1String(".BMP"), kBmpFile},  {QLatin1String(".ICO"), kIconFile},
        {QLatin1String(".JPG"), kJpegFile}, {QLatin1String(".JPEG"), kJpegFile},
        {QLatin1String(".GIF"), kGifFile},
    };
    const QString upper = path.toUpper();
    for (const Extension& extension : kExtensions)
        if (upper.indexOf(extension.text, 1) > 0) return extension.kind;
    return kOtherFile;
}

namespace {

CBitmapEx LoadBitmapFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    // A bitmap file is a bitmap file whatever else its name says: no guessing.
    QImageReader reader(&file, "bmp");
    reader.setAutoDetectImageFormat(false);
    const QImage image = reader.read();
    // Bitmaps carry no transparency: any alpha bytes are ignored, colours kept.
    return image.isNull() ? CBitmapEx() : CBitmapEx(image);
}

CBitmapEx LoadPictureFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    // The picture loader tells icon, JPEG, GIF and bitmap files by their content.
    QImageReader reader(&file);
    reader.setDecideFormatFromContent(true);
    if (!reader.canRead()) return {};
    const QByteArray format = reader.format();
    if (format != "ico" && format != "jpeg" && format != "jpg" && format != "gif" &&
        format != "bmp")
        return {};
    const QImage image = reader.read();
    return image.isNull() ? CBitmapEx() : PictureToBitmap(image);
}

}  // namespace

CBitmapEx LoadImageFile(const QString& path) {
    switch (ImageFileType(path)) {
        case kBmpFile:
            return LoadBitmapFile(path);
        case kIconFile:
        case kJpegFile:
        case kGifFile:
            return LoadPictureFile(path);
        default:
            return {};
    }
}

CBitmapEx PictureToBitmap(const QImage& picture) {
    if (picture.isNull()) return {};
    QImage opaque(picture.size(), QImage::Format_RGB32);
    opaque.fill(Qt::black);
    QPainter painter(&opaque);
    painter.drawImage(0, 0, picture);
    painter.end();
    return CBitmapEx(opaque);
}
