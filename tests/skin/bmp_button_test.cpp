// The bitmap button, driven through its window like a real pointer: frames by
// state, the shape cut from the key colour, and when a click reaches the owner.

#include "converter/skin/bmp_button.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <QWindow>

#include "test_pictures.h"

namespace {

constexpr int kButtonId = 1014;
const std::array<QRgb, 4> kFrameColors = {qRgb(40, 80, 160), qRgb(70, 130, 220), qRgb(20, 40, 90),
                                          qRgb(128, 128, 128)};

class BmpButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_host.resize(200, 100);
        m_button = new CBmpButton(&m_host, kButtonId);
        m_button->setGeometry(20, 20, 40, 20);
        m_button->SetPicture(CBitmapEx(FourFrameStrip(40, 20, kFrameColors)));
        m_host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_host));
        MoveTo(kAway);
    }

    QWindow* Window() { return m_host.windowHandle(); }
    void MoveTo(QPoint point) { QTest::mouseMove(Window(), point); }
    void Press(QPoint point) { QTest::mousePress(Window(), Qt::LeftButton, {}, point); }
    void Release(QPoint point) { QTest::mouseRelease(Window(), Qt::LeftButton, {}, point); }

    // What the button shows in the middle of its frame.
    QRgb Shown() { return m_button->grab().toImage().pixel(20, 10); }

    static constexpr QPoint kInside{40, 30};
    static constexpr QPoint kAway{150, 80};
    static constexpr QPoint kCorner{21, 21};  // a key pixel of every frame

    QWidget m_host;
    CBmpButton* m_button = nullptr;
};

TEST_F(BmpButtonTest, FramesFollowThePointerAndTheButton) {
    EXPECT_EQ(m_button->CurrentFrame(), 1);
    EXPECT_EQ(Shown(), kFrameColors[0]);

    MoveTo(kInside);
    EXPECT_TRUE(m_button->IsHover());
    EXPECT_EQ(Shown(), kFrameColors[1]);

    Press(kInside);
    EXPECT_EQ(Shown(), kFrameColors[2]);

    MoveTo(kAway);  // pressed, pointer off: normal look
    EXPECT_EQ(m_button->CurrentFrame(), 1);
    MoveTo(kInside);  // back on: pressed look again
    EXPECT_EQ(Shown(), kFrameColors[2]);

    Release(kInside);
    EXPECT_EQ(m_button->CurrentFrame(), 1);  // hover waits for the next move
    MoveTo(kInside + QPoint(1, 0));
    EXPECT_EQ(m_button->CurrentFrame(), 2);

    m_button->setEnabled(false);
    EXPECT_EQ(Shown(), kFrameColors[3]);
}

TEST_F(BmpButtonTest, ClickOnlyWhenReleasedOverTheButton) {
    QSignalSpy clicks(m_button, &CBmpButton::clicked);
    MoveTo(kInside);
    Press(kInside);
    Release(kInside);
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks.at(0).at(0).toInt(), kButtonId);

    MoveTo(kInside);
    Press(kInside);
    MoveTo(kAway);
    Release(kAway);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_FALSE(m_button->IsPressed());
}

TEST_F(BmpButtonTest, DoubleClickIsOneClick) {
    QSignalSpy clicks(m_button, &CBmpButton::clicked);
    MoveTo(kInside);
    QTest::mouseDClick(Window(), Qt::LeftButton, {}, kInside);
    EXPECT_EQ(clicks.count(), 1);
    // A later single click counts again.
    MoveTo(kInside);
    Press(kInside);
    Release(kInside);
    EXPECT_EQ(clicks.count(), 2);
}

TEST_F(BmpButtonTest, KeyColouredPixelsAreNotPartOfTheButton) {
    // Corners (255, 16, 255) are cut like magenta; (255, 17, 255) is not a key.
    QImage strip = FourFrameStrip(40, 20, kFrameColors, qRgb(255, 16, 255));
    for (int frame = 0; frame < 4; ++frame) strip.setPixel(frame * 40 + 10, 0, qRgb(255, 17, 255));
    m_button->SetPicture(CBitmapEx(strip));
    EXPECT_FALSE(m_button->mask().contains(QPoint(1, 1)));
    EXPECT_FALSE(m_button->mask().contains(QPoint(38, 18)));
    EXPECT_TRUE(m_button->mask().contains(QPoint(10, 0)));
    EXPECT_TRUE(m_button->mask().contains(QPoint(20, 10)));

    // The pointer over a cut corner is not over the button.
    QSignalSpy clicks(m_button, &CBmpButton::clicked);
    MoveTo(kCorner);
    EXPECT_FALSE(m_button->IsHover());
    Press(kCorner);
    Release(kCorner);
    EXPECT_EQ(clicks.count(), 0);
}

TEST_F(BmpButtonTest, TheShapeFollowsTheFrame) {
    // The pressed frame has its left quarter cut away.
    QImage strip = FourFrameStrip(40, 20, kFrameColors);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 10; ++x) strip.setPixel(80 + x, y, kMagenta);
    m_button->SetPicture(CBitmapEx(strip));
    EXPECT_TRUE(m_button->mask().contains(QPoint(5, 10)));
    MoveTo(kInside);
    Press(kInside);
    EXPECT_FALSE(m_button->mask().contains(QPoint(5, 10)));
    Release(kInside);
    EXPECT_TRUE(m_button->mask().contains(QPoint(5, 10)));
}

TEST_F(BmpButtonTest, CheckButtonShowsItsCheckStateNotItsClicks) {
    QSignalSpy clicks(m_button, &CBmpButton::clicked);
    m_button->SetButtonKind(CBmpButton::kCheckButton);
    MoveTo(kInside);
    EXPECT_EQ(m_button->CurrentFrame(), 2);
    m_button->SetCheck(true);
    EXPECT_EQ(Shown(), kFrameColors[2]);
    MoveTo(kAway);
    EXPECT_EQ(Shown(), kFrameColors[2]);

    // A click is reported; the check state is the owner's to change.
    MoveTo(kInside);
    Press(kInside);
    Release(kInside);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_TRUE(m_button->GetCheck());
    m_button->SetCheck(false);
    EXPECT_EQ(m_button->CurrentFrame(), 1);
}

TEST_F(BmpButtonTest, WithoutAPictureItShowsAndTakesNothing) {
    QSignalSpy clicks(m_button, &CBmpButton::clicked);
    m_button->SetPicture(CBitmapEx());
    EXPECT_TRUE(m_button->testAttribute(Qt::WA_TransparentForMouseEvents));
    MoveTo(kInside);
    Press(kInside);
    Release(kInside);
    EXPECT_EQ(clicks.count(), 0);
}

TEST_F(BmpButtonTest, CaptionIsDrawnInTheStateColourOnlyWhenThereIsText) {
    CBmpButton::Caption caption;
    caption.fontSize = 16;
    caption.bold = true;
    caption.colors = {QColor(255, 0, 0), QColor(0, 255, 0), QColor(255, 255, 0),
                      QColor(0, 255, 255)};
    m_button->SetCaption(caption);  // colours, but no text
    for (const QColor& color : caption.colors)
        EXPECT_EQ(CountPixelsNear(m_button->grab().toImage(), color, 60), 0);

    caption.text = QStringLiteral("MMM");
    m_button->SetCaption(caption);
    EXPECT_GT(CountPixelsNear(m_button->grab().toImage(), QColor(255, 0, 0), 60), 5);
    MoveTo(kInside);
    const QImage hovered = m_button->grab().toImage();
    EXPECT_GT(CountPixelsNear(hovered, QColor(0, 255, 0), 60), 5);
    EXPECT_EQ(CountPixelsNear(hovered, QColor(255, 0, 0), 60), 0);
}

TEST_F(BmpButtonTest, SpaceClicksAndThePointerIsAHand) {
    QSignalSpy clicks(m_button, &CBmpButton::clicked);
    m_button->setFocus();
    QTest::keyClick(m_button, Qt::Key_Space);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(m_button->cursor().shape(), Qt::PointingHandCursor);
}

}  // namespace
