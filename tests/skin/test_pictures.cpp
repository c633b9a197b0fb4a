#include "test_pictures.h"

#include <cstdlib>

QImage PositionCodedImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.setPixel(x, y, qRgb(x, y, (x * 7 + y * 13) & 0xFF));
    return image;
}

QImage FourFrameStrip(int frameWidth, int height, const std::array<QRgb, 4>& colors, QRgb key,
                      int corner) {
    QImage strip(frameWidth * 4, height, QImage::Format_RGB32);
    for (int frame = 0; frame < 4; ++frame) {
        const int left = frame * frameWidth;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < frameWidth; ++x) {
                const bool inCornerX = x < corner || x >= frameWidth - corner;
                const bool inCornerY = y < corner || y >= height - corner;
                strip.setPixel(left + x, y, inCornerX && inCornerY ? key : colors[frame]);
            }
    }
    return strip;
}

int CountPixelsNear(const QImage& image, QColor color, int tolerance) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    int count = 0;
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb pixel = rgb.pixel(x, y);
            if (std::abs(qRed(pixel) - color.red()) <= tolerance &&
                std::abs(qGreen(pixel) - color.green()) <= tolerance &&
                std::abs(qBlue(pixel) - color.blue()) <= tolerance)
                ++count;
        }
    return count;
}
