// Picture files: which kind a path names, and that each kind loads as a plain
// opaque bitmap.

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "converter/skin/image_file.h"
#include "test_pictures.h"

namespace {

TEST(ImageFileTypeTest, FirstExtensionFoundAfterTheStartDecides) {
    struct Case {
        const char* path;
        int kind;
    };
    const Case cases[] = {
        {"/skins/Default/play.bmp", kBmpFile},
        {"/skins/Default/PLAY.Bmp", kBmpFile},
        {"/skins/A.BMP.GIF", kBmpFile},  // the text anywhere, bitmap looked for first
        {"/skins/a.gif.bmp", kBmpFile},
        {"/skins/a.ico", kIconFile},
        {"/skins/a.jpg", kJpegFile},
        {"/skins/a.JPEG", kJpegFile},
        {"/skins/a.gif", kGifFile},
        {"/skins.ico/a.png", kIconFile},  // folders count too
        {".bmp", kOtherFile},             // at position 0 it does not count
        {"/skins/a.png", kOtherFile},
        {"/skins/bmp", kOtherFile},
        {"", kOtherFile},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ImageFileType(QString::fromUtf8(c.path)), c.kind) << c.path;
}

// A 2 x 1 GIF: a red pixel, then a white one marked transparent.
const unsigned char kRedAndClearGif[] = {
    'G',  'I',  'F',  '8',  '9',  'a',  0x02, 0x00, 0x01, 0x00, 0x80, 0x00, 0x00, 0xFF, 0x00,
    0x00, 0xFF, 0xFF, 0xFF, 0x21, 0xF9, 0x04, 0x01, 0x00, 0x00, 0x01, 0x00, 0x2C, 0x00, 0x00,
    0x00, 0x00, 0x02, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x0A, 0x00, 0x3B,
};

class LoadImageFileTest : public ::testing::Test {
protected:
    QString PathOf(const QString& name) const { return m_dir.filePath(name); }

    QString Save(const QImage& image, const QString& name, const char* format) {
        const QString path = PathOf(name);
        EXPECT_TRUE(image.save(path, format)) << name.toStdString();
        return path;
    }

    QString WriteGif(const QString& name) {
        const QString path = PathOf(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(kRedAndClearGif), sizeof kRedAndClearGif);
        return path;
    }

    // A small opaque picture with a key-coloured corner.
    static QImage Sample() {
        QImage image = PositionCodedImage(12, 8);
        image.setPixel(0, 0, kMagenta);
        return image;
    }

    QTemporaryDir m_dir;
};

TEST_F(LoadImageFileTest, BitmapFilesLoadPixelForPixelWhateverFollowsTheExtension) {
    const QImage sample = Sample();
    for (const QString& name :
         {QStringLiteral("a.bmp"), QStringLiteral("B.BMP"), QStringLiteral("c.bmp.gif")}) {
        const CBitmapEx bitmap = LoadImageFile(Save(sample, name, "BMP"));
        ASSERT_FALSE(bitmap.IsNull()) << name.toStdString();
        EXPECT_EQ(bitmap.Image().format(), QImage::Format_RGB32);
        EXPECT_EQ(bitmap.Image(), sample.convertToFormat(QImage::Format_RGB32))
            << name.toStdString();
    }
}

TEST_F(LoadImageFileTest, ABitmapNameIsReadOnlyAsABitmap) {
    // GIF content under a bitmap name is not a bitmap file.
    EXPECT_TRUE(LoadImageFile(WriteGif("fake.bmp")).IsNull());
}

TEST_F(LoadImageFileTest, JpegFilesLoadUnderEitherExtension) {
    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(qRgb(90, 120, 200));
    for (const QString& name :
         {QStringLiteral("a.jpg"), QStringLiteral("b.JPG"), QStringLiteral("c.jpeg")}) {
        const CBitmapEx bitmap = LoadImageFile(Save(picture, name, "JPG"));
        ASSERT_FALSE(bitmap.IsNull()) << name.toStdString();
        EXPECT_EQ(bitmap.Width(), 16);
        EXPECT_EQ(CountPixelsNear(bitmap.Image(), QColor(90, 120, 200), 6), 16 * 16);
    }
}

TEST_F(LoadImageFileTest, IconTransparencyBecomesBlack) {
    QImage icon(16, 16, QImage::Format_ARGB32);
    icon.fill(qRgba(0, 200, 0, 255));
    for (int x = 0; x < 16; ++x) icon.setPixel(x, 0, qRgba(255, 255, 255, 0));
    const CBitmapEx bitmap = LoadImageFile(Save(icon, "a.ico", "ICO"));
    ASSERT_FALSE(bitmap.IsNull());
    EXPECT_EQ(bitmap.Image().format(), QImage::Format_RGB32);
    EXPECT_EQ(bitmap.Image().pixel(3, 0), qRgb(0, 0, 0));
    EXPECT_EQ(bitmap.Image().pixel(3, 5), qRgb(0, 200, 0));
}

TEST_F(LoadImageFileTest, GifTransparencyBecomesBlack) {
    const CBitmapEx bitmap = LoadImageFile(WriteGif("a.gif"));
    ASSERT_FALSE(bitmap.IsNull());
    ASSERT_EQ(bitmap.Width(), 2);
    EXPECT_EQ(bitmap.Image().pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(bitmap.Image().pixel(1, 0), qRgb(0, 0, 0));
}

TEST_F(LoadImageFileTest, OtherFilesGiveNoPicture) {
    const QImage sample = Sample();
    EXPECT_TRUE(LoadImageFile(Save(sample, "a.png", "PNG")).IsNull());
    // The picture loader reads icon, JPEG, GIF and bitmap content only.
    EXPECT_TRUE(LoadImageFile(Save(sample, "png-inside.jpg", "PNG")).IsNull());
    EXPECT_TRUE(LoadImageFile(PathOf("missing.bmp")).IsNull());
    EXPECT_TRUE(LoadImageFile(PathOf("missing.gif")).IsNull());
    // A damaged file loads nothing and breaks nothing.
    QFile broken(PathOf("broken.jpg"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("\xFF\xD8\xFF\xE0 not really a jpeg");
    broken.close();
    EXPECT_TRUE(LoadImageFile(broken.fileName()).IsNull());
}

TEST_F(LoadImageFileTest, AGifUnderAnIconNameLoadsByItsContent) {
    const QString path = WriteGif("a.gif");
    ASSERT_TRUE(QFile::rename(path, PathOf("really-a-gif.ico")));
    const CBitmapEx bitmap = LoadImageFile(PathOf("really-a-gif.ico"));
    ASSERT_FALSE(bitmap.IsNull());
    EXPECT_EQ(bitmap.Image().pixel(0, 0), qRgb(255, 0, 0));
}

}  // namespace
