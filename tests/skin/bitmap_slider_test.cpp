// The bitmap slider: geometry of the thumb, dragging, keys, and the notifications
// the owner receives after the slider's own handler has returned.

#include "converter/skin/bitmap_slider.h"

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

namespace {

constexpr int kSliderId = 1046;

QRgb Grey(int level) {
    return qRgb(level, level, level);
}

TEST(SliderImagesTest, BuiltInPicturesFollowTheirTables) {
    const QImage channel = BuiltInChannelImage();
    ASSERT_EQ(channel.size(), QSize(260, 9));
    const int channelRows[] = {149, 131, 144, 161, 179, 197, 215, 232, 245};
    for (int y = 0; y < 9; ++y) {
        EXPECT_EQ(channel.pixel(0, y), Grey(channelRows[y])) << y;
        EXPECT_EQ(channel.pixel(259, y), Grey(channelRows[y])) << y;
    }

    const QImage filled = BuiltInFilledChannelImage();
    ASSERT_EQ(filled.size(), QSize(260, 9));
    const int filledRows[] = {175, 140, 242, 225, 202, 166, 205, 140, 247};
    for (int y = 0; y < 9; ++y) {
        EXPECT_EQ(filled.pixel(100, y), Grey(filledRows[y])) << y;
        const bool rim = y >= 2 && y <= 6;
        EXPECT_EQ(filled.pixel(259, y), Grey(rim ? 140 : filledRows[y])) << y;
    }

    const QImage thumb = BuiltInThumbImage();
    ASSERT_EQ(thumb.size(), QSize(16, 9));
    const int rows[9][4] = {{149, 121, 101, 100}, {117, 139, 242, 243}, {106, 215, 229, 224},
                            {108, 221, 204, 204}, {102, 154, 129, 129}, {108, 221, 204, 204},
                            {106, 215, 229, 224}, {117, 139, 242, 243}, {149, 121, 101, 100}};
    for (int y = 0; y < 9; ++y) {
        EXPECT_EQ(thumb.pixel(0, y), Grey(rows[y][0])) << y;
        EXPECT_EQ(thumb.pixel(1, y), Grey(rows[y][1])) << y;
        EXPECT_EQ(thumb.pixel(2, y), Grey(rows[y][2])) << y;
        EXPECT_EQ(thumb.pixel(7, y), Grey(rows[y][3])) << y;
        EXPECT_EQ(thumb.pixel(13, y), Grey(rows[y][2])) << y;
        EXPECT_EQ(thumb.pixel(15, y), Grey(rows[y][0])) << y;
    }
}

// A slider set up the way the preview pane sets up its seek bar.
class BitmapSliderTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_slider.SetControlId(kSliderId);
        ASSERT_TRUE(m_slider.LoadChannelImages());
        ASSERT_TRUE(m_slider.LoadThumbImages());
        m_slider.ShowFocusRect(false);
        m_slider.SetMargins(0, 0, 0, 0);
        m_slider.SetRange(0, 100);
        m_slider.SetPos(0);
    }

    // Mouse events straight to the slider's handlers, without running the event
    // loop, so that nothing queued is delivered behind the test's back.
    void Mouse(QEvent::Type type, int x) {
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, QPointF(x, 4), m_slider.mapToGlobal(QPointF(x, 4)), button, held,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(&m_slider, &event);
    }
    void Press(int x) { Mouse(QEvent::MouseButtonPress, x); }
    void MoveTo(int x) { Mouse(QEvent::MouseMove, x); }
    void Release(int x) { Mouse(QEvent::MouseButtonRelease, x); }
    void Key(int key) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(&m_slider, &event);
    }
    int ThumbCentre() const { return m_slider.PositionToPixel(m_slider.GetPos()); }

    CBitmapSlider m_slider;
};

TEST_F(BitmapSliderTest, ThumbCentreTravelsBetweenTheEnds) {
    EXPECT_EQ(m_slider.size(), QSize(260, 9));
    EXPECT_EQ(m_slider.PositionToPixel(0), 8);
    EXPECT_EQ(m_slider.PositionToPixel(50), 130);
    EXPECT_EQ(m_slider.PositionToPixel(100), 252);
    EXPECT_EQ(m_slider.PixelToPosition(8), 0);
    EXPECT_EQ(m_slider.PixelToPosition(130), 50);
    EXPECT_EQ(m_slider.PixelToPosition(252), 100);

    m_slider.SetMargins(10, 0, 20, 0);  // travel 260 - 20 - 16 - 10 = 214
    EXPECT_EQ(m_slider.PositionToPixel(0), 18);
    EXPECT_EQ(m_slider.PositionToPixel(100), 232);
    EXPECT_EQ(m_slider.PixelToPosition(125), 50);
}

TEST_F(BitmapSliderTest, PaintsFilledChannelLeftOfTheThumbAndARoundedThumb) {
    m_slider.SetPos(50);
    const QImage shown = m_slider.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown.pixel(50, 0), Grey(175));   // filled channel
    EXPECT_EQ(shown.pixel(200, 0), Grey(149));  // plain channel
    EXPECT_EQ(shown.pixel(130, 4), Grey(129));  // thumb middle
    EXPECT_EQ(shown.pixel(123, 0), Grey(121));  // thumb column 1
    // The thumb's corners are see-through: the channels show there.
    EXPECT_EQ(shown.pixel(122, 0), Grey(175));
    EXPECT_EQ(shown.pixel(137, 8), Grey(245));
}

TEST_F(BitmapSliderTest, PressAwayFromTheThumbBringsItsCentreToThePointer) {
    m_slider.SetPos(50);
    Press(110);  // 20 pixels left of the centre at 130
    EXPECT_EQ(ThumbCentre(), m_slider.PositionToPixel(m_slider.PixelToPosition(110)));
    EXPECT_EQ(m_slider.GetPos(), 41);
    MoveTo(120);
    EXPECT_EQ(m_slider.GetPos(), m_slider.PixelToPosition(120));
}

TEST_F(BitmapSliderTest, PressOnTheThumbKeepsTheGrabOffset) {
    m_slider.SetPos(50);
    Press(125);  // 5 pixels left of the centre
    EXPECT_EQ(m_slider.GetPos(), 50);
    MoveTo(145);  // the centre follows 5 pixels right of the pointer
    EXPECT_EQ(m_slider.GetPos(), m_slider.PixelToPosition(150));
    EXPECT_EQ(m_slider.GetPos(), 58);
}

TEST_F(BitmapSliderTest, DraggingPastTheEndsPinsTheThumb) {
    m_slider.SetPos(50);
    Press(130);
    MoveTo(-40);
    EXPECT_EQ(m_slider.GetPos(), 0);
    EXPECT_EQ(ThumbCentre(), 8);
    MoveTo(900);
    EXPECT_EQ(m_slider.GetPos(), 100);
    EXPECT_EQ(ThumbCentre(), 252);
    Release(900);
    EXPECT_EQ(m_slider.GetPos(), 100);
    EXPECT_FALSE(m_slider.IsDragging());
}

TEST_F(BitmapSliderTest, NotificationsArriveAfterTheHandlerReturns) {
    QSignalSpy dragging(&m_slider, &CBitmapSlider::sliderDragging);
    QSignalSpy changed(&m_slider, &CBitmapSlider::sliderChanged);
    Press(8);
    for (int x = 9; x <= 12; ++x) MoveTo(x);
    Release(12);
    EXPECT_EQ(dragging.count(), 0);
    EXPECT_EQ(changed.count(), 0);

    QCoreApplication::processEvents();
    // One per pixel step, each with the id and the position of that moment.
    ASSERT_EQ(dragging.count(), 4);
    for (int step = 0; step < 4; ++step) {
        EXPECT_EQ(dragging.at(step).at(0).toInt(), kSliderId);
        EXPECT_EQ(dragging.at(step).at(1).toInt(), m_slider.PixelToPosition(9 + step));
    }
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).toInt(), kSliderId);
    EXPECT_EQ(changed.at(0).at(1).toInt(), m_slider.GetPos());
}

TEST_F(BitmapSliderTest, ReleaseWithoutMovementStillNotifies) {
    m_slider.SetPos(50);
    QSignalSpy dragging(&m_slider, &CBitmapSlider::sliderDragging);
    QSignalSpy changed(&m_slider, &CBitmapSlider::sliderChanged);
    Press(130);
    Release(130);
    QCoreApplication::processEvents();
    EXPECT_EQ(dragging.count(), 0);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(1).toInt(), 50);
}

TEST_F(BitmapSliderTest, MovesWithoutAPressAreIgnored) {
    m_slider.SetPos(50);
    QSignalSpy dragging(&m_slider, &CBitmapSlider::sliderDragging);
    MoveTo(200);
    QCoreApplication::processEvents();
    EXPECT_EQ(m_slider.GetPos(), 50);
    EXPECT_EQ(dragging.count(), 0);
}

TEST_F(BitmapSliderTest, KeysMoveThePositionWithinTheRangeAndNotify) {
    struct Case {
        int key;
        int from;
        int to;
    };
    const Case cases[] = {
        {Qt::Key_PageUp, 10, 0},     {Qt::Key_PageUp, 50, 30}, {Qt::Key_PageDown, 50, 70},
        {Qt::Key_PageDown, 90, 100}, {Qt::Key_End, 40, 100},   {Qt::Key_Home, 40, 0},
        {Qt::Key_Left, 40, 39},      {Qt::Key_Up, 40, 39},     {Qt::Key_Right, 40, 41},
        {Qt::Key_Down, 40, 41},      {Qt::Key_Left, 0, 0},     {Qt::Key_Right, 100, 100},
    };
    for (const Case& c : cases) {
        m_slider.SetPos(c.from);
        QSignalSpy changed(&m_slider, &CBitmapSlider::sliderChanged);
        Key(c.key);
        EXPECT_EQ(m_slider.GetPos(), c.to) << c.key << " from " << c.from;
        EXPECT_EQ(changed.count(), 0);
        QCoreApplication::processEvents();
        ASSERT_EQ(changed.count(), 1) << c.key;
        EXPECT_EQ(changed.at(0).at(1).toInt(), c.to);
    }
}

TEST_F(BitmapSliderTest, OtherKeysChangeNothingAndPostNothing) {
    m_slider.SetPos(40);
    QSignalSpy changed(&m_slider, &CBitmapSlider::sliderChanged);
    for (int key : {Qt::Key_A, Qt::Key_Space, Qt::Key_Return, Qt::Key_Escape, Qt::Key_Plus})
        Key(key);
    QCoreApplication::processEvents();
    EXPECT_EQ(m_slider.GetPos(), 40);
    EXPECT_EQ(changed.count(), 0);
}

TEST_F(BitmapSliderTest, PositionsAreAlwaysClampedToTheRange) {
    m_slider.SetPos(150);
    EXPECT_EQ(m_slider.GetPos(), 100);
    m_slider.SetPos(-3);
    EXPECT_EQ(m_slider.GetPos(), 0);
    m_slider.SetPos(80);
    m_slider.SetRange(0, 60);
    EXPECT_EQ(m_slider.GetPos(), 60);
    // An empty range keeps the thumb at the left end instead of dividing by zero.
    m_slider.SetRange(5, 5);
    EXPECT_EQ(m_slider.GetPos(), 5);
    EXPECT_EQ(m_slider.PositionToPixel(5), 8);
    EXPECT_EQ(m_slider.PixelToPosition(200), 5);
}

TEST(BitmapSliderFocusTest, FocusRectangleOnlyWhenSwitchedOn) {
    QWidget window;
    auto* slider = new CBitmapSlider(&window, kSliderId);
    ASSERT_TRUE(slider->LoadChannelImages());
    ASSERT_TRUE(slider->LoadThumbImages());
    slider->ShowFocusRect(false);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();
    slider->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return slider->hasFocus(); }));
    const QImage without = slider->grab().toImage();
    slider->ShowFocusRect(true);
    EXPECT_NE(slider->grab().toImage(), without);
    slider->clearFocus();
    EXPECT_EQ(slider->grab().toImage(), without);
}

TEST_F(BitmapSliderTest, MissingPicturesAreReported) {
    CBitmapSlider slider;
    EXPECT_FALSE(slider.LoadChannelImages(BuiltInChannelImage(), QImage()));
    EXPECT_FALSE(slider.LoadChannelImages(QImage(), BuiltInFilledChannelImage()));
    EXPECT_FALSE(slider.LoadThumbImages(BuiltInThumbImage(), QImage()));
    // Painting without pictures is harmless.
    EXPECT_FALSE(slider.grab().isNull());
}

}  // namespace
