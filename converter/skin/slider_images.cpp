#include "converter/skin/slider_images.h"

namespace {

constexpr int kChannelWidth = 260;
constexpr int kChannelHeight = 9;
constexpr int kThumbWidth = 16;

QRgb Grey(int level) {
    return qRgb(level, level, level);
}

QImage RowsImage(int width, const int (&levels)[kChannelHeight]) {
    QImage image(width, kChannelHeight, QImage::Format_RGB32);
    for (int y = 0; y < kChannelHeight; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) row[x] = Grey(levels[y]);
    }
    return image;
}

}  // namespace

QImage BuiltInChannelImage() {
    static const int kRows[kChannelHeight] = {149, 131, 144, 161, 179, 197, 215, 232, 245};
    return RowsImage(kChannelWidth, kRows);
}

QImage BuiltInFilledChannelImage() {
    static const int kRows[kChannelHeight] = {175, 140, 242, 225, 202, 166, 205, 140, 247};
    QImage image = RowsImage(kChannelWidth, kRows);
    for (int y = 2; y <= 6; ++y) image.setPixel(kChannelWidth - 1, y, Grey(140));
    return image;
}

QImage BuiltInThumbImage() {
    // Rows 0 to 4; rows 5 to 8 mirror rows 3 to 0. Each row: columns 0, 1, 2, then
    // the value of every middle column; columns 13, 14, 15 mirror columns 2, 1, 0.
    static const int kRows[5][4] = {
        {149, 121, 101, 100}, {117, 139, 242, 243}, {106, 215, 229, 224},
        {108, 221, 204, 204}, {102, 154, 129, 129},
    };
    QImage image(kThumbWidth, kChannelHeight, QImage::Format_RGB32);
    for (int y = 0; y < kChannelHeight; ++y) {
        const int* levels = kRows[y <= 4 ? y : 8 - y];
        for (int x = 0; x < kThumbWidth; ++x) {
            const int edge = x <= 2 ? x : kThumbWidth - 1 - x;
            image.setPixel(x, y, Grey(edge <= 2 ? levels[edge] : levels[3]));
        }
    }
    return image;
}
