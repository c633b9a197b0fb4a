#include "converter/skin/tree_combo_box_thumbnail.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include "converter/skin/tree_combo_box.h"

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kFrame = 0xFFC0C0C0;
constexpr QRgb kRed = 0xFFFF0000;

class ThumbnailTest : public testing::Test {
protected:
    QString Write(const QString& name, QSize size, QRgb colour, const char* format = "BMP") {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = QDir(folder_.path()).filePath(name);
        EXPECT_TRUE(image.save(path, format));
        return path;
    }
    QTemporaryDir folder_;
};

// Which rows (or columns) of a column (or row) of the thumbnail show the picture.
QString Profile(const QImage& thumb, bool down, int at) {
    QString line;
    for (int i = 0; i < kThumbnailSide; ++i) {
        const QRgb pixel = down ? thumb.pixel(at, i) : thumb.pixel(i, at);
        line += pixel == kWhite ? 'w' : pixel == kFrame ? 'f' : pixel == kRed ? 'p' : '?';
    }
    return line;
}

TEST_F(ThumbnailTest, WidePictureIsCentredDownTheWhiteFramedSquare) {
    const QImage thumb = LoadThumbnail(Write(QStringLiteral("wide.bmp"), {40, 20}, kRed));
    ASSERT_EQ(thumb.size(), QSize(20, 20));
    // 20 x 10 at rows 5..14; the frame shows above and below it.
    EXPECT_EQ(Profile(thumb, true, 10), QStringLiteral("fwwwwppppppppppwwwwf"));
    EXPECT_EQ(Profile(thumb, false, 2), QStringLiteral("fwwwwwwwwwwwwwwwwwwf"));
    EXPECT_EQ(Profile(thumb, false, 10), QStringLiteral("pppppppppppppppppppp"));
}

TEST_F(ThumbnailTest, TallPictureIsCentredAcrossTheSquare) {
    // Ratio 4: width 20 / 4 = 5 at x = (20 - 5) / 2 = 7.
    const QImage thumb = LoadThumbnail(Write(QStringLiteral("tall.jpg"), {10, 40}, kRed, "JPG"));
    ASSERT_EQ(thumb.size(), QSize(20, 20));
    const QString row = Profile(thumb, false, 10);
    EXPECT_EQ(row.left(7), QStringLiteral("fwwwwww"));
    EXPECT_EQ(row.right(8), QStringLiteral("wwwwwwwf"));
    // JPEG colours are near, not exact: check the middle by distance.
    for (int x = 7; x < 12; ++x) {
        const QColor c = QColor::fromRgb(thumb.pixel(x, 10));
        EXPECT_GT(c.red(), 200) << x;
        EXPECT_LT(c.green(), 60) << x;
    }
}

TEST_F(ThumbnailTest, SquarePictureCoversTheFrame) {
    const QImage thumb = LoadThumbnail(Write(QStringLiteral("square.bmp"), {33, 33}, kRed));
    ASSERT_EQ(thumb.size(), QSize(20, 20));
    for (int y = 0; y < 20; ++y) EXPECT_EQ(Profile(thumb, false, y), QString(20, 'p')) << y;
}

TEST_F(ThumbnailTest, KeyColourShowsWhite) {
    QImage picture(20, 20, QImage::Format_RGB32);
    picture.fill(kRed);
    QPainter(&picture).fillRect(0, 0, 20, 10, QColor(255, 0, 255));
    const QImage thumb = MakeThumbnail(picture);
    EXPECT_EQ(thumb.pixel(10, 4), kWhite);
    EXPECT_EQ(thumb.pixel(10, 15), kRed);
}

TEST_F(ThumbnailTest, FilesThatDoNotLoadGiveNothing) {
    EXPECT_TRUE(
        LoadThumbnail(QDir(folder_.path()).filePath(QStringLiteral("missing.bmp"))).isNull());
    // Only the picture types of the skins are read, whatever the file holds.
    EXPECT_TRUE(LoadThumbnail(Write(QStringLiteral("icon.png"), {16, 16}, kRed, "PNG")).isNull());
}

TEST_F(ThumbnailTest, APictureThatFailsKeepsItsIndexEmpty) {
    CTreeComboBox box;
    box.AddImage(Write(QStringLiteral("a.bmp"), {20, 20}, 0xFF0000FF), 0);
    box.AddImage(QDir(folder_.path()).filePath(QStringLiteral("gone.bmp")), 1);
    box.AddImage(Write(QStringLiteral("c.bmp"), {20, 20}, kRed), 2);
    EXPECT_EQ(box.Image(0).toImage().pixel(10, 10), 0xFF0000FF);
    EXPECT_TRUE(box.Image(1).isNull());
    // Image 2 stays image 2: items that name it show their own picture.
    EXPECT_EQ(box.Image(2).toImage().pixel(10, 10), kRed);

    // An item on the missing image shows a white square in the box.
    QTreeWidgetItem* group = box.AddItem(nullptr, QStringLiteral("G"), 0);
    box.AddItem(group, QStringLiteral("lost"), 1);
    box.SelectByText(QStringLiteral("lost"));
    const QImage shown = box.IconPixmap().toImage();
    ASSERT_EQ(shown.size(), QSize(20, 20));
    EXPECT_EQ(shown.pixel(10, 10), kWhite);

    // Index 0 starts the list again.
    box.AddImage(Write(QStringLiteral("d.bmp"), {20, 20}, kRed), 0);
    EXPECT_TRUE(box.Image(2).isNull());
}

}  // namespace
