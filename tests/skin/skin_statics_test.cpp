// The bitmap static (stretched picture, text, commands of nested controls) and
// the colour static (text in its own font and colour, repainted by its owner).

#include <gtest/gtest.h>

#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

#include "converter/skin/bmp_button.h"
#include "converter/skin/bmp_static.h"
#include "converter/skin/color_static.h"
#include "converter/skin/skin_drawing.h"
#include "test_pictures.h"

namespace {

const QColor kParentGreen(0, 128, 0);

// A shown window with a plain green background, so that whatever a control does
// not paint shows as green.
class StaticsTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_host.resize(300, 200);
        QPalette palette = m_host.palette();
        palette.setColor(QPalette::Window, kParentGreen);
        m_host.setPalette(palette);
        m_host.setAutoFillBackground(true);
    }

    void Show() {
        m_host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_host));
    }

    QImage Shown(const QWidget* control) {
        return m_host.grab(control->geometry()).toImage().convertToFormat(QImage::Format_RGB32);
    }

    QWidget m_host;
};

TEST_F(StaticsTest, BitmapStaticStretchesItsPictureKeepingTheCorners) {
    const CBitmapEx picture(PositionCodedImage(30, 20));
    auto* control = new CBmpStatic(&m_host, 1040);
    control->setGeometry(10, 10, 120, 50);
    control->SetPicture(picture);
    control->SetCorners(7, 5);
    Show();
    CBitmapEx expected;
    ASSERT_TRUE(BuildSkinBitmap(7, expected, picture, 5, QRect(0, 0, 120, 50)));
    EXPECT_EQ(Shown(control), expected.Image());

    // Stretch values with a -1 mean plain scaling.
    control->SetStretchValues(12, -1);
    EXPECT_EQ(control->CornerWidth(), 0);
    EXPECT_EQ(control->CornerHeight(), 0);
    ASSERT_TRUE(BuildSkinBitmap(0, expected, picture, 0, QRect(0, 0, 120, 50)));
    EXPECT_EQ(Shown(control), expected.Image());
    control->SetStretchValues(5, 6);
    EXPECT_EQ(control->CornerWidth(), 5);
    EXPECT_EQ(control->CornerHeight(), 6);

    // A new size, and then a new picture, show at once.
    control->resize(90, 40);
    ASSERT_TRUE(BuildSkinBitmap(5, expected, picture, 6, QRect(0, 0, 90, 40)));
    EXPECT_EQ(Shown(control), expected.Image());
    const CBitmapEx other(PositionCodedImage(24, 16));
    control->SetPicture(other);
    ASSERT_TRUE(BuildSkinBitmap(5, expected, other, 6, QRect(0, 0, 90, 40)));
    EXPECT_EQ(Shown(control), expected.Image());
}

TEST_F(StaticsTest, BitmapStaticWithoutPictureShowsTheParentAndItsText) {
    auto* control = new CBmpStatic(&m_host);
    control->setGeometry(10, 10, 120, 30);
    Show();
    const int area = 120 * 30;
    EXPECT_EQ(CountPixelsNear(Shown(control), kParentGreen, 0), area);

    QFont font = m_host.font();
    font.setPixelSize(20);
    m_host.setFont(font);
    control->SetText(QStringLiteral("WWW"));
    control->SetTextColor(QColor(255, 255, 0));
    control->SetTextLeft(60);
    const QImage shown = Shown(control);
    EXPECT_GT(CountPixelsNear(shown, QColor(255, 255, 0), 60), 10);
    // Nothing left of where the text starts.
    EXPECT_EQ(CountPixelsNear(shown.copy(0, 0, 60, 30), kParentGreen, 0), 60 * 30);
}

TEST_F(StaticsTest, CommandsOfNestedControlsReachTheOutermostStatic) {
    auto* outer = new CBmpStatic(&m_host, 1040);
    outer->setGeometry(0, 0, 200, 100);
    auto* inner = new CBmpStatic(outer, 1041);
    inner->setGeometry(10, 10, 150, 60);
    auto* button = new CBmpButton(inner, 1012);
    button->setGeometry(10, 10, 40, 20);
    button->SetPicture(
        CBitmapEx(FourFrameStrip(40, 20, {0xFF0000FF, 0xFF00FF00, 0xFFFF0000, 0xFF808080})));
    // A button moved into a static later is passed on as well.
    auto* moved = new CBmpButton(&m_host, 1013);
    moved->SetPicture(button->Picture());
    moved->setParent(inner);
    moved->setGeometry(60, 10, 40, 20);
    moved->show();
    Show();

    QSignalSpy outerCommands(outer, &CBmpStatic::command);
    QSignalSpy direct(button, &CBmpButton::clicked);
    const QPoint centre = button->mapTo(&m_host, QPoint(20, 10));
    QTest::mouseMove(m_host.windowHandle(), centre);
    QTest::mouseClick(m_host.windowHandle(), Qt::LeftButton, {}, centre);
    ASSERT_EQ(outerCommands.count(), 1);
    EXPECT_EQ(outerCommands.at(0).at(0).toInt(), 1012);
    EXPECT_EQ(direct.count(), 1);  // whoever listens at the button hears it too

    const QPoint movedCentre = moved->mapTo(&m_host, QPoint(20, 10));
    QTest::mouseMove(m_host.windowHandle(), movedCentre);
    QTest::mouseClick(m_host.windowHandle(), Qt::LeftButton, {}, movedCentre);
    ASSERT_EQ(outerCommands.count(), 2);
    EXPECT_EQ(outerCommands.at(1).at(0).toInt(), 1013);

    // Taken out of the static, the button no longer reports through it.
    moved->setParent(&m_host);
    moved->setGeometry(220, 10, 40, 20);
    moved->show();
    QTest::mouseMove(m_host.windowHandle(), QPoint(240, 20));
    QTest::mouseClick(m_host.windowHandle(), Qt::LeftButton, {}, QPoint(240, 20));
    EXPECT_EQ(outerCommands.count(), 2);
}

// Counts the paints a widget gets.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

TEST_F(StaticsTest, ColorStaticShowsNewTextOnlyWhenItsOwnerRepaints) {
    auto* label = new CColorStatic(&m_host);
    label->setGeometry(10, 10, 200, 30);
    label->SetText(QStringLiteral("Profile"));
    label->SetColor(QColor(250, 250, 250));
    Show();
    PaintCounter counter;
    label->installEventFilter(&counter);
    QCoreApplication::processEvents();
    counter.paints = 0;

    label->SetText(QStringLiteral("Output"));
    label->SetFont(QStringLiteral("Verdana"), true, false, false);
    label->SetColor(QColor(20, 20, 20));
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.paints, 0);

    label->update();
    QCoreApplication::processEvents();
    EXPECT_GT(counter.paints, 0);
    const QImage shown = Shown(label);
    EXPECT_GT(CountPixelsNear(shown, QColor(20, 20, 20), 30), 10);
    // Transparent background: the parent shows around the letters.
    EXPECT_GT(CountPixelsNear(shown, kParentGreen, 0), 200 * 30 / 2);
}

TEST_F(StaticsTest, ColorStaticSetFontMakesItElevenPixels) {
    CColorStatic label;
    EXPECT_EQ(label.FontSize(), 9);
    EXPECT_EQ(label.TextFont().family(), QStringLiteral("Verdana"));
    label.SetFont(QStringLiteral("Verdana"), true, false, false);
    EXPECT_EQ(label.FontSize(), 11);
    EXPECT_EQ(label.TextFont().pixelSize(), 11);
    EXPECT_TRUE(label.TextFont().bold());
    EXPECT_FALSE(label.TextFont().italic());
    label.SetFont(QStringLiteral("Arial"), false, true, true);
    EXPECT_FALSE(label.TextFont().bold());
    EXPECT_TRUE(label.TextFont().italic());
    EXPECT_TRUE(label.TextFont().underline());
    EXPECT_EQ(label.TextFont().family(), QStringLiteral("Arial"));
}

}  // namespace
