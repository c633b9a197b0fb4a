#include "converter/skin/column_tree_ctrl.h"

#include <gtest/gtest.h>

#include <QDropEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidgetItem>
#include <QUrl>
#include <cstdlib>
#include <string>
#include <vector>

#include "converter/skin/column_tree_ctrl_cells.h"
#include "converter/skin/column_tree_ctrl_row_text.h"

namespace {

// The list as the main window sets it up: four columns, checked top-level rows.
class ColumnTreeTest : public testing::Test {
protected:
    void SetUp() override {
        list_.resize(640, 300);
        list_.AddColumn(0, ColumnAlign::Left, 220, QStringLiteral("Source"));
        list_.AddColumn(1, ColumnAlign::Left, 90, QStringLiteral("Length"));
        list_.AddColumn(2, ColumnAlign::Center, 90, QStringLiteral("Start Time"));
        list_.AddColumn(3, ColumnAlign::Right, 90, QStringLiteral("End Time"));
        Tree()->setRootIsDecorated(false);
        for (const char* name : {"one.wav", "two.mp3", "three.ogg"}) {
            auto* row = new QTreeWidgetItem(Tree());
            list_.SetCellText(row, 0, QString::fromUtf8(name));
            list_.SetCellText(row, 1, QStringLiteral("00:01:00"));
            row->setCheckState(0, Qt::Checked);
            rows_.push_back(row);
        }
        list_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&list_));
    }

    CCustomTreeChildCtrl* Tree() const { return list_.GetTree(); }
    QRect CellRect(QTreeWidgetItem* row, int column) const {
        return Tree()->visualRect(Tree()->indexFromItem(row, column));
    }
    QStyleOptionViewItem OptionOf(QTreeWidgetItem* row) const {
        QStyleOptionViewItem option;
        option.initFrom(Tree());
        const QModelIndex index = Tree()->indexFromItem(row, 0);
        option.rect = Tree()->visualRect(index);
        Tree()->Cells()->PrepareOption(&option, index);
        option.text = CColumnTreeCtrl::CellText(row, 0);
        return option;
    }
    QRect SubRect(QTreeWidgetItem* row, QStyle::SubElement element) const {
        const QStyleOptionViewItem option = OptionOf(row);
        return Tree()->style()->subElementRect(element, &option, Tree());
    }
    // Points on a row: on cell 0's text, past that text inside column 0, in column 2.
    QPoint OnText(QTreeWidgetItem* row) const {
        return QPoint(SubRect(row, QStyle::SE_ItemViewItemText).left() + 3,
                      CellRect(row, 0).center().y());
    }
    QPoint PastText(QTreeWidgetItem* row) const {
        return QPoint(CellRect(row, 0).right() - 10, CellRect(row, 0).center().y());
    }
    QPoint InColumn(QTreeWidgetItem* row, int column) const {
        return CellRect(row, column).center();
    }
    void Click(const QPoint& at, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(Tree()->viewport(), button, {}, at);
    }

    CColumnTreeCtrl list_;
    std::vector<QTreeWidgetItem*> rows_;
};

TEST_F(ColumnTreeTest, ColumnsKeepTheirWidthsAlignmentAndHeadings) {
    EXPECT_EQ(list_.ColumnCount(), 4);
    EXPECT_EQ(list_.TotalWidth(), 490);
    EXPECT_EQ(Tree()->firstColumnWidth, 220);
    EXPECT_EQ(list_.ColumnFormat(2), ColumnAlign::Center);
    EXPECT_EQ(list_.ColumnFormat(3), ColumnAlign::Right);
    EXPECT_EQ(Tree()->headerItem()->text(3), QStringLiteral("End Time"));
    EXPECT_EQ(list_.ScrollX(), 0);

    CColumnTreeCtrl other;
    EXPECT_EQ(other.AddColumn(-1, ColumnAlign::Left, 50, QStringLiteral("x")), -1);
    EXPECT_EQ(other.AddColumn(0, ColumnAlign::Left, 120, QStringLiteral("a")), 0);
    // Past the end appends; inserting shifts the later headings.
    EXPECT_EQ(other.AddColumn(7, ColumnAlign::Right, 60, QStringLiteral("c")), 1);
    EXPECT_EQ(other.AddColumn(1, ColumnAlign::Center, 70, QStringLiteral("b")), 1);
    EXPECT_EQ(other.GetTree()->headerItem()->text(1), QStringLiteral("b"));
    EXPECT_EQ(other.GetTree()->headerItem()->text(2), QStringLiteral("c"));
    EXPECT_EQ(other.ColumnFormat(2), ColumnAlign::Right);
    EXPECT_EQ(other.ColumnWidth(1), 70);
    EXPECT_EQ(other.TotalWidth(), 250);
    for (int i = 3; i < CColumnTreeCtrl::kMaxColumns; ++i)
        EXPECT_EQ(other.AddColumn(i, ColumnAlign::Left, 10, QStringLiteral("n")), i);
    EXPECT_EQ(other.AddColumn(16, ColumnAlign::Left, 10, QStringLiteral("too many")), -1);
    EXPECT_EQ(other.ColumnCount(), CColumnTreeCtrl::kMaxColumns);
}

TEST_F(ColumnTreeTest, RowTextKeepsOneTabEndedFieldPerColumn) {
    QTreeWidgetItem* row = rows_[0];
    EXPECT_EQ(row->text(0), QStringLiteral("one.wav\t00:01:00\t\t\t"));
    EXPECT_EQ(CColumnTreeCtrl::CellText(row, 1), QStringLiteral("00:01:00"));
    EXPECT_EQ(CColumnTreeCtrl::CellText(row, 3), QString());

    // A short text is filled out; fields past the last column are dropped.
    struct Case {
        const char* before;
        int column;
        const char* text;
        const char* after;
    } cases[] = {
        {"name", 2, "x", "name\t\tx\t\t"},
        {"a\tb\tc\td\te\tf\t", 1, "B", "a\tB\tc\td\t"},
        {"", 3, "end", "\t\t\tend\t"},
        {"a\tb\t", 0, "odd\tname", "odd name\tb\t\t\t"},
    };
    for (const Case& c : cases) {
        row->setText(0, QString::fromUtf8(c.before));
        list_.SetCellText(row, c.column, QString::fromUtf8(c.text));
        EXPECT_EQ(row->text(0), QString::fromUtf8(c.after)) << c.before;
    }
    EXPECT_EQ(CellOfRowText(QStringLiteral("a\tb"), 5), QString());
}

TEST_F(ColumnTreeTest, FirstColumnNeverGoesBelowItsMinimum) {
    QHeaderView* header = list_.GetHeader();
    header->resizeSection(0, 150);
    EXPECT_EQ(list_.ColumnWidth(0), 150);
    header->resizeSection(0, 99);
    EXPECT_EQ(header->sectionSize(0), 150);
    EXPECT_EQ(list_.ColumnWidth(0), 150);
    EXPECT_EQ(Tree()->firstColumnWidth, 150);
    header->resizeSection(0, 100);
    EXPECT_EQ(list_.ColumnWidth(0), 100);
    // Other columns may go as narrow as the user likes.
    header->resizeSection(1, 5);
    EXPECT_EQ(list_.ColumnWidth(1), 5);
    EXPECT_EQ(list_.TotalWidth(), 100 + 5 + 90 + 90);

    // Dragging the divider with the mouse: too far is refused, the width stays.
    QWidget* headerArea = header->viewport();
    const int divider = header->sectionViewportPosition(0) + header->sectionSize(0) - 1;
    const int y = header->height() / 2;
    QTest::mousePress(headerArea, Qt::LeftButton, {}, QPoint(divider, y));
    QTest::mouseMove(headerArea, QPoint(divider - 60, y));
    QTest::mouseRelease(headerArea, Qt::LeftButton, {}, QPoint(divider - 60, y));
    EXPECT_EQ(header->sectionSize(0), 100);
    QTest::mousePress(headerArea, Qt::LeftButton, {}, QPoint(divider, y));
    QTest::mouseMove(headerArea, QPoint(divider + 40, y));
    QTest::mouseRelease(headerArea, Qt::LeftButton, {}, QPoint(divider + 40, y));
    EXPECT_EQ(header->sectionSize(0), 140);
}

TEST_F(ColumnTreeTest, HitRuleDependsOnFullRowSelect) {
    QTreeWidgetItem* row = rows_[1];
    const QRect check = SubRect(row, QStyle::SE_ItemViewItemCheckIndicator);
    const QPoint below(50, CellRect(rows_.back(), 0).bottom() + 20);
    struct Case {
        const char* where;
        QPoint at;
        bool hitLabel;
        bool hitFullRow;
    } cases[] = {
        {"check box", check.center(), true, true},
        {"cell 0 text", OnText(row), true, true},
        {"column 0 past the text", PastText(row), false, true},
        {"column 1", InColumn(row, 1), false, true},
        {"column 3", InColumn(row, 3), false, true},
        {"right of all columns", QPoint(600, CellRect(row, 0).center().y()), false, true},
        {"below the rows", below, false, false},
    };
    for (const Case& c : cases) {
        Tree()->SetFullRowSelect(false);
        EXPECT_EQ(Tree()->LabelHitTest(c.at), c.hitLabel) << c.where;
        Tree()->SetFullRowSelect(true);
        EXPECT_EQ(Tree()->LabelHitTest(c.at), c.hitFullRow) << c.where << " (full row)";
    }
}

TEST_F(ColumnTreeTest, NarrowListScrollsHeaderAndCellsTogether) {
    EXPECT_FALSE(Tree()->horizontalScrollBar()->isVisible());
    list_.resize(300, 200);
    QCoreApplication::processEvents();
    QScrollBar* bar = Tree()->horizontalScrollBar();
    ASSERT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->maximum(), list_.TotalWidth() - Tree()->viewport()->width());
    EXPECT_EQ(bar->singleStep(), 15);

    QTreeWidgetItem* row = rows_[0];
    const QPoint textBefore = OnText(row);
    bar->setValue(60);
    EXPECT_EQ(list_.ScrollX(), 60);
    EXPECT_EQ(list_.GetHeader()->offset(), 60);
    // The label moved left with the columns; the hit rule follows it.
    EXPECT_EQ(OnText(row), textBefore - QPoint(60, 0));
    EXPECT_TRUE(Tree()->LabelHitTest(OnText(row)));
    EXPECT_FALSE(Tree()->LabelHitTest(textBefore + QPoint(220 - 60, 0)));
}

TEST_F(ColumnTreeTest, ClickOutsideTheLabelOnlyFocusesTheTree) {
    Tree()->setCurrentItem(rows_[0]);
    Tree()->clearFocus();
    QSignalSpy selection(&list_, &CColumnTreeCtrl::selectionChanged);
    Click(InColumn(rows_[2], 2));
    EXPECT_TRUE(Tree()->hasFocus());
    EXPECT_EQ(Tree()->currentItem(), rows_[0]);
    EXPECT_EQ(selection.count(), 0);

    Click(OnText(rows_[2]));
    EXPECT_EQ(Tree()->currentItem(), rows_[2]);
    ASSERT_EQ(selection.count(), 1);
    EXPECT_EQ(selection.at(0).at(0).value<QTreeWidgetItem*>(), rows_[2]);

    // In full-row select the same click in column 2 selects the row.
    Tree()->SetFullRowSelect(true);
    Click(InColumn(rows_[0], 2));
    EXPECT_EQ(Tree()->currentItem(), rows_[0]);
    EXPECT_EQ(selection.count(), 2);
    // Also right of the last column.
    Click(QPoint(600, CellRect(rows_[1], 0).center().y()));
    EXPECT_EQ(Tree()->currentItem(), rows_[1]);
    EXPECT_EQ(Tree()->selectedItems(), QList<QTreeWidgetItem*>{rows_[1]});
}

TEST_F(ColumnTreeTest, CheckBoxClickTogglesAndSelectsTheRow) {
    QTreeWidgetItem* row = rows_[1];
    const QPoint box = SubRect(row, QStyle::SE_ItemViewItemCheckIndicator).center();
    Click(box);
    EXPECT_EQ(row->checkState(0), Qt::Unchecked);
    EXPECT_EQ(Tree()->currentItem(), row);
    Click(box);
    EXPECT_EQ(row->checkState(0), Qt::Checked);
    EXPECT_EQ(rows_[0]->checkState(0), Qt::Checked);
}

TEST_F(ColumnTreeTest, NotificationsReachTheOwner) {
    QSignalSpy rightClicks(&list_, &CColumnTreeCtrl::rightClicked);
    QSignalSpy keys(&list_, &CColumnTreeCtrl::keyDown);
    QSignalSpy doubles(&list_, &CColumnTreeCtrl::doubleClicked);
    QSignalSpy deleted(&list_, &CColumnTreeCtrl::itemDeleted);

    Tree()->setCurrentItem(rows_[0]);
    // A right click names a place but leaves the selection alone.
    Click(OnText(rows_[2]), Qt::RightButton);
    ASSERT_EQ(rightClicks.count(), 1);
    EXPECT_EQ(rightClicks.at(0).at(0).toPoint(), Tree()->viewport()->mapToGlobal(OnText(rows_[2])));
    EXPECT_EQ(Tree()->currentItem(), rows_[0]);

    QTest::keyClick(Tree(), Qt::Key_Delete);
    ASSERT_EQ(keys.count(), 1);
    EXPECT_EQ(keys.at(0).at(0).toInt(), int(Qt::Key_Delete));

    QTest::mouseDClick(Tree()->viewport(), Qt::LeftButton, {}, InColumn(rows_[1], 1));
    EXPECT_EQ(doubles.count(), 0);
    QTest::mouseDClick(Tree()->viewport(), Qt::LeftButton, {}, OnText(rows_[1]));
    ASSERT_EQ(doubles.count(), 1);
    EXPECT_EQ(doubles.at(0).at(0).value<QTreeWidgetItem*>(), rows_[1]);

    // Removing a row with children reports the children first; clearing reports the rest.
    std::vector<QString> gone;
    QObject::connect(&list_, &CColumnTreeCtrl::itemDeleted, [&](QTreeWidgetItem* item) {
        gone.push_back(CColumnTreeCtrl::CellText(item, 0));
    });
    auto* child = new QTreeWidgetItem(rows_[1]);
    list_.SetCellText(child, 0, QStringLiteral("child"));
    delete rows_[1];
    EXPECT_EQ(gone, (std::vector<QString>{QStringLiteral("child"), QStringLiteral("two.mp3")}));
    Tree()->clear();
    EXPECT_EQ(gone.size(), 4u);
    EXPECT_EQ(deleted.count(), 4);
}

bool Near(QRgb pixel, const QColor& colour) {
    const QColor c(pixel);
    return std::abs(c.red() - colour.red()) < 16 && std::abs(c.green() - colour.green()) < 16 &&
           std::abs(c.blue() - colour.blue()) < 16;
}

TEST_F(ColumnTreeTest, SelectionIsHighlightedOnCellZeroUnlessFullRow) {
    QTreeWidgetItem* row = rows_[0];
    Tree()->setCurrentItem(row);
    Tree()->clearFocus();  // no focus frame over the colours
    const QColor highlight = Tree()->palette().color(
        Tree()->isActiveWindow() ? QPalette::Active : QPalette::Inactive, QPalette::Highlight);
    const int y = CellRect(row, 0).top() + 2;
    const QPoint behindText(OnText(row).x(), y);
    const QPoint pastText(PastText(row).x(), y);
    const QPoint column2(CellRect(row, 2).left() + 3, y);

    QImage shot = Tree()->viewport()->grab().toImage();
    EXPECT_TRUE(Near(shot.pixel(behindText), highlight));
    EXPECT_FALSE(Near(shot.pixel(pastText), highlight));
    EXPECT_FALSE(Near(shot.pixel(column2), highlight));

    Tree()->SetFullRowSelect(true);
    shot = Tree()->viewport()->grab().toImage();
    EXPECT_TRUE(Near(shot.pixel(pastText), highlight));
    EXPECT_TRUE(Near(shot.pixel(column2), highlight));
}

TEST_F(ColumnTreeTest, DroppedLocalFilesReachTheTargetOnePathAtATime) {
    std::vector<std::string> received;
    list_.SetDropTarget([&](const std::string& path) { received.push_back(path); });
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QStringLiteral("/music/a b.wav")),
                  QUrl(QStringLiteral("https://example.org/remote.mp3")),
                  QUrl::fromLocalFile(QStringLiteral("/music/$price 'quoted'.ogg")),
                  QUrl::fromLocalFile(QStringLiteral("/music/Grüße -1.flac"))});
    // Dropped over the rows: the events find their way up to the list.
    QWidget* rows = Tree()->viewport();
    const QPointF at(100, 30);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(rows, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(rows, &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(received, (std::vector<std::string>{"/music/a b.wav", "/music/$price 'quoted'.ogg",
                                                  "/music/Grüße -1.flac"}));

    // Without a target the drop is left to the window beneath.
    CColumnTreeCtrl bare;
    QDragEnterEvent refused(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&bare, &refused);
    EXPECT_FALSE(refused.isAccepted());
}

TEST_F(ColumnTreeTest, DisablingTheListDisablesItsParts) {
    list_.setEnabled(false);
    EXPECT_FALSE(Tree()->isEnabled());
    EXPECT_FALSE(list_.GetHeader()->isEnabled());
    const QImage shot = Tree()->viewport()->grab().toImage();
    const QColor buttonFace = Tree()->palette().color(QPalette::Active, QPalette::Button);
    EXPECT_EQ(QColor(shot.pixel(600, 5)), buttonFace);
}

}  // namespace
