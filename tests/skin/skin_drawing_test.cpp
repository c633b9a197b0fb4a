// Frames, shapes and drawing of skin pictures.

#include "converter/skin/skin_drawing.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QRandomGenerator>
#include <vector>

#include "test_pictures.h"

namespace {

bool IsShapeKey(QRgb pixel) {
    return qRed(pixel) == 255 && qBlue(pixel) == 255 && qGreen(pixel) <= 16;
}

TEST(ExtractFrameTest, FrameNIsTheNthQuarterFromTheLeft) {
    const CBitmapEx strip(PositionCodedImage(200, 10));
    CBitmapEx frame;
    ASSERT_TRUE(ExtractFrame(strip, 3, frame));
    ASSERT_EQ(frame.Width(), 50);
    ASSERT_EQ(frame.Height(), 10);
    EXPECT_EQ(frame.Image(), strip.Image().copy(100, 0, 50, 10));  // columns 100 to 149

    const CBitmapEx button(PositionCodedImage(400, 30));
    ASSERT_TRUE(ExtractFrame(button, 4, frame));
    EXPECT_EQ(frame.Image(), button.Image().copy(300, 0, 100, 30));
    ASSERT_TRUE(ExtractFrame(button, 1, frame));
    EXPECT_EQ(frame.Image(), button.Image().copy(0, 0, 100, 30));
}

TEST(MakeRegionTest, KeyAllowsGreenUpTo16) {
    QImage image(6, 1, QImage::Format_RGB32);
    const QRgb pixels[] = {qRgb(255, 0, 255), qRgb(255, 16, 255), qRgb(255, 17, 255),
                           qRgb(254, 0, 255), qRgb(255, 0, 254),  qRgb(255, 8, 255)};
    for (int x = 0; x < 6; ++x) image.setPixel(x, 0, pixels[x]);
    const QRegion region = MakeRegion(CBitmapEx(image));
    EXPECT_FALSE(region.contains(QPoint(0, 0)));
    EXPECT_FALSE(region.contains(QPoint(1, 0)));
    EXPECT_TRUE(region.contains(QPoint(2, 0)));
    EXPECT_TRUE(region.contains(QPoint(3, 0)));
    EXPECT_TRUE(region.contains(QPoint(4, 0)));
    EXPECT_FALSE(region.contains(QPoint(5, 0)));
}

TEST(MakeRegionTest, HoldsExactlyTheNonKeyPixelsOfALargeRaggedPicture) {
    // Scattered key pixels give thousands of runs, so the region is built from
    // several batches; repeated rows test the merging of equal rows.
    QImage image(400, 100, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 400; ++x) {
            const bool key = y >= 40 && y < 50 ? x % 3 == 0 : random.bounded(3) == 0;
            const int green = static_cast<int>(random.bounded(17));
            image.setPixel(x, y, key ? qRgb(255, green, 255) : qRgb(10, green, 200));
        }
    const QRegion region = MakeRegion(CBitmapEx(image));
    // Paint the region's rectangles: each shape pixel exactly once, nothing else.
    std::vector<int> covered(400 * 100, 0);
    for (const QRect& rect : region) {
        ASSERT_TRUE(image.rect().contains(rect)) << rect.x() << "," << rect.y();
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x) ++covered[y * 400 + x];
    }
    int mismatches = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 400; ++x)
            if (covered[y * 400 + x] != (IsShapeKey(image.pixel(x, y)) ? 0 : 1)) ++mismatches;
    EXPECT_EQ(mismatches, 0);
    EXPECT_GT(region.rectCount(), 2000);  // more than one batch
}

TEST(MakeRegionTest, AllKeyOrNoPictureGivesAnEmptyRegion) {
    QImage image(5, 5, QImage::Format_RGB32);
    image.fill(kMagenta);
    EXPECT_TRUE(MakeRegion(CBitmapEx(image)).isEmpty());
    EXPECT_TRUE(MakeRegion(CBitmapEx()).isEmpty());
}

// Where BuildSkinBitmap takes each destination pixel from, along one direction:
// the left part 1:1, the strip at the cut repeated, the right part 1:1 at the end
// (at a size smaller than the source the left part wins where they overlap).
int SourceOf(int destination, int cut, int destinationSize, int sourceSize) {
    if (destination < cut) return destination;
    const int rightStart = destinationSize - sourceSize + cut;
    return destination < rightStart ? cut : destination - (destinationSize - sourceSize);
}

struct StretchCase {
    const char* name;
    int cornerWidth;
    int cornerHeight;
    QRect rect;
};

TEST(BuildSkinBitmapTest, CornersKeepTheirPixelsAndEdgesRepeatTheCutStrips) {
    const CBitmapEx source(PositionCodedImage(30, 20));
    const StretchCase cases[] = {
        {"nine parts", 7, 5, QRect(0, 0, 80, 50)},
        {"nine parts, same height", 10, 10, QRect(0, 0, 75, 20)},
        {"three across", 7, 0, QRect(0, 0, 80, 20)},
        {"three across, rectangle not at the origin", 7, 0, QRect(6, 3, 80, 20)},
        {"three down", 0, 5, QRect(0, 0, 30, 50)},
        {"three down, rectangle not at the origin", 0, 5, QRect(4, 9, 30, 50)},
        {"smaller than the source", 7, 5, QRect(0, 0, 20, 12)},
    };
    for (const StretchCase& c : cases) {
        CBitmapEx result;
        ASSERT_TRUE(BuildSkinBitmap(c.cornerWidth, result, source, c.cornerHeight, c.rect))
            << c.name;
        ASSERT_EQ(result.Image().size(), c.rect.size()) << c.name;
        int mismatches = 0;
        for (int y = 0; y < c.rect.height(); ++y)
            for (int x = 0; x < c.rect.width(); ++x) {
                const int sx =
                    c.cornerWidth > 0 ? SourceOf(x, c.cornerWidth, c.rect.width(), 30) : x;
                const int sy =
                    c.cornerHeight > 0 ? SourceOf(y, c.cornerHeight, c.rect.height(), 20) : y;
                if (result.Image().pixel(x, y) != source.Image().pixel(sx, sy)) ++mismatches;
            }
        EXPECT_EQ(mismatches, 0) << c.name;
    }
}

TEST(BuildSkinBitmapTest, HundredWideSourceToThreeHundredKeepsBothEnds) {
    const CBitmapEx source(PositionCodedImage(100, 40));
    CBitmapEx result;
    ASSERT_TRUE(BuildSkinBitmap(10, result, source, 10, QRect(0, 0, 300, 40)));
    const QImage& image = result.Image();
    EXPECT_EQ(image.copy(0, 0, 10, 40), source.Image().copy(0, 0, 10, 40));
    EXPECT_EQ(image.copy(210, 0, 90, 40), source.Image().copy(10, 0, 90, 40));
    for (int x = 10; x < 210; ++x)
        ASSERT_EQ(image.copy(x, 0, 1, 40), source.Image().copy(10, 0, 1, 40)) << x;
}

TEST(BuildSkinBitmapTest, WithoutCornersThePictureIsScaled) {
    QImage two(2, 2, QImage::Format_RGB32);
    two.setPixel(0, 0, qRgb(1, 0, 0));
    two.setPixel(1, 0, qRgb(2, 0, 0));
    two.setPixel(0, 1, qRgb(3, 0, 0));
    two.setPixel(1, 1, qRgb(4, 0, 0));
    CBitmapEx result;
    ASSERT_TRUE(BuildSkinBitmap(0, result, CBitmapEx(two), 0, QRect(0, 0, 6, 4)));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(result.Image().pixel(x, y), two.pixel(x / 3, y / 2)) << x << "," << y;
}

TEST(BuildSkinBitmapTest, NothingToBuildFromOrInto) {
    CBitmapEx result;
    EXPECT_FALSE(BuildSkinBitmap(3, result, CBitmapEx(), 3, QRect(0, 0, 10, 10)));
    EXPECT_FALSE(BuildSkinBitmap(3, result, CBitmapEx(PositionCodedImage(8, 8)), 3, QRect()));
}

QImage Canvas(int width, int height) {
    QImage canvas(width, height, QImage::Format_RGB32);
    canvas.fill(qRgb(0, 128, 0));
    return canvas;
}

TEST(DrawTest, DrawSkinPutsTheStretchedPictureAtTheRectangle) {
    const CBitmapEx source(PositionCodedImage(30, 20));
    QImage canvas = Canvas(100, 60);
    {
        QPainter painter(&canvas);
        ASSERT_TRUE(DrawSkin(source, painter, 7, 5, QRect(10, 5, 80, 50)));
    }
    CBitmapEx expected;
    ASSERT_TRUE(BuildSkinBitmap(7, expected, source, 5, QRect(0, 0, 80, 50)));
    EXPECT_EQ(canvas.copy(10, 5, 80, 50), expected.Image());
    EXPECT_EQ(canvas.pixel(9, 5), qRgb(0, 128, 0));
    EXPECT_EQ(canvas.pixel(90, 54), qRgb(0, 128, 0));

    QPainter painter(&canvas);
    EXPECT_FALSE(DrawSkin(CBitmapEx(), painter, 7, 5, QRect(10, 5, 80, 50)));
}

TEST(DrawTest, DrawAtCopiesOnlyTheRectanglesSizeFromTheOrigin) {
    const CBitmapEx source(PositionCodedImage(30, 20));
    QImage canvas = Canvas(40, 30);
    {
        QPainter painter(&canvas);
        EXPECT_TRUE(DrawAt(QRect(5, 6, 10, 4), source, painter));
    }
    EXPECT_EQ(canvas.copy(5, 6, 10, 4), source.Image().copy(0, 0, 10, 4));
    EXPECT_EQ(canvas.pixel(15, 6), qRgb(0, 128, 0));
    EXPECT_EQ(canvas.pixel(5, 10), qRgb(0, 128, 0));
}

TEST(DrawTest, DrawTransparentLeavesOutExactMagentaOnly) {
    QImage picture(3, 1, QImage::Format_RGB32);
    picture.setPixel(0, 0, qRgb(255, 0, 255));
    picture.setPixel(1, 0, qRgb(255, 8, 255));
    picture.setPixel(2, 0, qRgb(10, 20, 30));
    QImage canvas = Canvas(8, 3);
    {
        QPainter painter(&canvas);
        DrawTransparent(painter, 1, 1, 7, 3, CBitmapEx(picture));  // doubled in both directions
    }
    const QRgb green = qRgb(0, 128, 0);
    const QRgb expectedRow[8] = {green,
                                 green,
                                 green,
                                 qRgb(255, 8, 255),
                                 qRgb(255, 8, 255),
                                 qRgb(10, 20, 30),
                                 qRgb(10, 20, 30),
                                 green};
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(canvas.pixel(x, 0), green) << x;
        EXPECT_EQ(canvas.pixel(x, 1), expectedRow[x]) << x;
        EXPECT_EQ(canvas.pixel(x, 2), expectedRow[x]) << x;
    }
}

TEST(DrawTest, StretchDrawNeedsADestination) {
    QImage picture(4, 1, QImage::Format_RGB32);
    for (int x = 0; x < 4; ++x) picture.setPixel(x, 0, qRgb(x * 50, 0, 0));
    QImage canvas = Canvas(6, 1);
    QPainter painter(&canvas);
    EXPECT_FALSE(StretchDraw(QRect(0, 0, 4, 1), QRect(), CBitmapEx(picture), painter));
    EXPECT_TRUE(StretchDraw(QRect(1, 0, 2, 1), QRect(1, 0, 4, 1), CBitmapEx(picture), painter));
    painter.end();
    const QRgb expected[6] = {qRgb(0, 128, 0), qRgb(50, 0, 0),  qRgb(50, 0, 0),
                              qRgb(100, 0, 0), qRgb(100, 0, 0), qRgb(0, 128, 0)};
    for (int x = 0; x < 6; ++x) EXPECT_EQ(canvas.pixel(x, 0), expected[x]) << x;
}

}  // namespace
