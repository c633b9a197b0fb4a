#include "converter/skin/tree_combo_box.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidgetItem>
#include <QWidget>
#include <QWindow>

namespace {

// A window with the box near its bottom (so there would be room below too),
// two groups of items and pictures for them.
class TreeComboTest : public testing::Test {
protected:
    void SetUp() override {
        window_.setGeometry(200, 150, 400, 600);
        box_ = new CTreeComboBox(&window_, QStringLiteral("First, second, third"));
        box_->setGeometry(30, 500, 300, 24);
        for (int i = 0; i < 3; ++i) {
            QImage picture(20, 10, QImage::Format_RGB32);
            picture.fill(kColours[i]);
            const QString path = QDir(folder_.path()).filePath(QStringLiteral("%1.bmp").arg(i));
            ASSERT_TRUE(picture.save(path, "BMP"));
            box_->AddImage(path, i);
        }
        lossy_ = box_->AddItem(nullptr, QStringLiteral("Lossy"), 0);
        mp3_ = box_->AddItem(lossy_, QStringLiteral("MP3"), 1);
        aac_ = box_->AddItem(lossy_, QStringLiteral("AAC"), 2);
        lossless_ = box_->AddItem(nullptr, QStringLiteral("Lossless"), 0);
        flac_ = box_->AddItem(lossless_, QStringLiteral("FLAC"), 1);
        CComboTree::SetItemData(mp3_, 10);
        CComboTree::SetItemData(aac_, 11);
        CComboTree::SetItemData(flac_, 12);
        box_->ExpandGroups();
        box_->SelectByText(QStringLiteral("MP3"));
        window_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
    }

    CComboTree* Tree() const { return box_->DropDownTree(); }
    QPoint ItemCentre(QTreeWidgetItem* item) const { return Tree()->visualItemRect(item).center(); }
    void PressBox() { QTest::mouseClick(box_, Qt::LeftButton, {}, QPoint(150, 12)); }
    void ClickItem(QTreeWidgetItem* item) {
        QTest::mouseClick(Tree()->viewport(), Qt::LeftButton, {}, ItemCentre(item));
    }
    void Open() {
        PressBox();
        ASSERT_TRUE(box_->IsDroppedDown());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Tree()));
    }
    // A press outside the drop-down, delivered the way the window system does:
    // to the open popup first, then on to the window under the pointer.
    void PressOutsideAt(const QPoint& global) {
        QWindow* popup = Tree()->windowHandle();
        ASSERT_NE(popup, nullptr);
        QTest::mousePress(popup, Qt::LeftButton, {}, popup->mapFromGlobal(global));
        QTest::mouseRelease(window_.windowHandle(), Qt::LeftButton, {},
                            window_.windowHandle()->mapFromGlobal(global));
        QCoreApplication::processEvents();
    }
    // Closed by focus: the next press on the box opens nothing, the one after does.
    void ExpectClosedByFocus() {
        EXPECT_EQ(CTreeComboBox::OpenComboBox(), nullptr);
        EXPECT_TRUE(CTreeComboBox::SuppressReopen());
        PressBox();
        EXPECT_FALSE(box_->IsDroppedDown());
        PressBox();
        EXPECT_TRUE(box_->IsDroppedDown());
    }

    static constexpr QRgb kColours[3] = {0xFF808080, 0xFF2040C0, 0xFF20A040};
    QTemporaryDir folder_;
    QWidget window_;
    CTreeComboBox* box_ = nullptr;
    QTreeWidgetItem *lossy_, *mp3_, *aac_, *lossless_, *flac_;
};

TEST_F(TreeComboTest, OpensAboveTheBoxWithItsWidthAndDropHeight) {
    for (int height : {CTreeComboBox::kDefaultDropHeight, 255}) {
        box_->SetDropHeight(height);
        Open();
        const QPoint boxTopLeft = box_->mapToGlobal(QPoint(0, 0));
        EXPECT_EQ(Tree()->geometry(), QRect(boxTopLeft.x(), boxTopLeft.y() - height, 300, height));
        EXPECT_TRUE(Tree()->isVisible());
        EXPECT_TRUE(Tree()->isWindow());
        EXPECT_EQ(CTreeComboBox::OpenComboBox(), box_);
        EXPECT_TRUE(CTreeComboBox::SuppressReopen());
        box_->ToggleDropDown();
        EXPECT_FALSE(Tree()->isVisible());
        EXPECT_EQ(CTreeComboBox::OpenComboBox(), nullptr);
        EXPECT_FALSE(CTreeComboBox::SuppressReopen());
    }
}

TEST_F(TreeComboTest, AClickOnAGroupChoosesNothingAndAnItemChoosesOnce) {
    QSignalSpy chosen(box_, &CTreeComboBox::chosen);
    Open();
    ClickItem(lossless_);
    EXPECT_EQ(chosen.count(), 0);
    EXPECT_TRUE(box_->IsDroppedDown());
    EXPECT_EQ(box_->LabelText(), QStringLiteral("MP3"));

    // The owner reads the caret item when told.
    QTreeWidgetItem* caretWhenTold = nullptr;
    QObject::connect(box_, &CTreeComboBox::chosen, [&] { caretWhenTold = Tree()->currentItem(); });
    ClickItem(aac_);
    EXPECT_EQ(chosen.count(), 1);
    EXPECT_EQ(caretWhenTold, aac_);
    EXPECT_EQ(CComboTree::ItemData(caretWhenTold), 11);
    EXPECT_FALSE(Tree()->isVisible());
    EXPECT_EQ(CTreeComboBox::OpenComboBox(), nullptr);
    EXPECT_FALSE(CTreeComboBox::SuppressReopen());
    EXPECT_EQ(box_->LabelText(), QStringLiteral("AAC"));
    EXPECT_EQ(Tree()->LastChosenItem(), aac_);
    // The box shows the item's picture on white: 20 x 10 centred, frame above it.
    const QImage icon = box_->IconPixmap().toImage();
    ASSERT_EQ(icon.size(), QSize(20, 20));
    EXPECT_EQ(icon.pixel(10, 10), kColours[2]);
    EXPECT_EQ(icon.pixel(10, 0), 0xFFC0C0C0u);
    EXPECT_EQ(icon.pixel(10, 3), 0xFFFFFFFFu);

    // The next press opens it again at once.
    PressBox();
    EXPECT_TRUE(box_->IsDroppedDown());
}

TEST_F(TreeComboTest, KeyboardBrowsesButNeverChoosesAndTheCaretGoesBack) {
    QSignalSpy chosen(box_, &CTreeComboBox::chosen);
    Open();
    EXPECT_EQ(Tree()->currentItem(), mp3_);
    QTest::keyClick(Tree(), Qt::Key_Down);
    QTest::keyClick(Tree(), Qt::Key_Down);
    EXPECT_EQ(Tree()->currentItem(), lossless_);
    QTest::keyClick(Tree(), Qt::Key_Return);
    QTest::keyClick(Tree(), Qt::Key_Enter);
    EXPECT_TRUE(box_->IsDroppedDown());
    EXPECT_EQ(chosen.count(), 0);

    QTest::keyClick(Tree(), Qt::Key_Escape);
    EXPECT_FALSE(Tree()->isVisible());
    EXPECT_EQ(Tree()->currentItem(), mp3_);
    EXPECT_EQ(box_->LabelText(), QStringLiteral("MP3"));
    EXPECT_EQ(chosen.count(), 0);
    // Escape closes by focus.
    ExpectClosedByFocus();
}

TEST_F(TreeComboTest, CaretGoesBackWhenAPressElsewhereClosesTheDropDown) {
    Open();
    QTest::keyClick(Tree(), Qt::Key_Up);  // from MP3 up to its group
    EXPECT_EQ(Tree()->currentItem(), lossy_);
    PressOutsideAt(window_.mapToGlobal(QPoint(380, 580)));
    EXPECT_FALSE(Tree()->isVisible());
    EXPECT_EQ(Tree()->currentItem(), mp3_);
    ExpectClosedByFocus();
}

TEST_F(TreeComboTest, APressOnTheBoxWhileOpenClosesWithoutReopening) {
    // The popup sees the press first, closes, and the press then reaches the box.
    Open();
    PressOutsideAt(box_->mapToGlobal(QPoint(150, 12)));
    EXPECT_FALSE(Tree()->isVisible());
    EXPECT_EQ(CTreeComboBox::OpenComboBox(), nullptr);
    EXPECT_FALSE(CTreeComboBox::SuppressReopen());
    PressBox();
    EXPECT_TRUE(box_->IsDroppedDown());

    // The same when the box handles the press before anything else.
    PressBox();
    EXPECT_FALSE(Tree()->isVisible());
    EXPECT_FALSE(CTreeComboBox::SuppressReopen());
}

TEST_F(TreeComboTest, LabelAndKeysOpenTheDropDown) {
    auto* label = box_->findChildren<CComboStatic*>().first();
    QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(box_->IsDroppedDown());
    box_->ToggleDropDown();

    box_->setFocus();
    QTest::keyClick(box_, Qt::Key_Space);
    EXPECT_FALSE(box_->IsDroppedDown());
    QTest::keyClick(box_, Qt::Key_Down);
    EXPECT_TRUE(box_->IsDroppedDown());
    box_->ToggleDropDown();
    QTest::keyClick(box_, Qt::Key_Up);
    EXPECT_TRUE(box_->IsDroppedDown());
}

TEST_F(TreeComboTest, SelectByTextChoosesQuietlyWithAFallback) {
    QSignalSpy chosen(box_, &CTreeComboBox::chosen);
    EXPECT_EQ(box_->SelectByText(QStringLiteral("FLAC")), 1);
    EXPECT_EQ(Tree()->currentItem(), flac_);
    EXPECT_EQ(Tree()->LastChosenItem(), flac_);
    EXPECT_EQ(box_->LabelText(), QStringLiteral("FLAC"));
    EXPECT_EQ(box_->IconPixmap().toImage().pixel(10, 10), kColours[1]);

    // Groups are not choosable, and the match is exact.
    for (const char* text : {"Lossless", "aac", "AAC ", ""}) {
        EXPECT_EQ(box_->SelectByText(QString::fromUtf8(text)), 0) << text;
        EXPECT_EQ(Tree()->currentItem(), mp3_);
        EXPECT_EQ(Tree()->LastChosenItem(), mp3_);
        EXPECT_EQ(box_->LabelText(), QStringLiteral("MP3"));
    }
    EXPECT_EQ(chosen.count(), 0);

    CTreeComboBox empty;
    EXPECT_EQ(empty.SelectByText(QStringLiteral("MP3")), 0);
    EXPECT_EQ(empty.DropDownTree()->currentItem(), nullptr);
}

TEST_F(TreeComboTest, GroupsExpandAndItemsKeepTheirPictures) {
    EXPECT_TRUE(lossy_->isExpanded());
    EXPECT_TRUE(lossless_->isExpanded());
    EXPECT_EQ(CComboTree::ItemImage(aac_), 2);
    EXPECT_EQ(aac_->icon(0).pixmap(20, 20).toImage().pixel(10, 10), kColours[2]);
    EXPECT_EQ(lossy_->parent(), nullptr);
    EXPECT_EQ(Tree()->topLevelItemCount(), 2);
    EXPECT_EQ(lossy_->child(1), aac_);
}

TEST_F(TreeComboTest, CaptionBlanksAfterCommasBecomeLineBreaks) {
    CTreeComboBox box(nullptr, QStringLiteral("First, second,third"));
    const QString expected = QStringLiteral("First\nsecond,third");
    EXPECT_EQ(box.LabelText(), expected);
    EXPECT_EQ(box.Caption(), expected);
    EXPECT_EQ(box.findChildren<CComboStatic*>().first()->toolTip(), expected);
    box.SetLabelText(QStringLiteral("AAC"));
    EXPECT_EQ(box.findChildren<CComboStatic*>().first()->toolTip(), QStringLiteral("AAC"));
    EXPECT_EQ(box.Caption(), QStringLiteral("AAC"));
}

}  // namespace
