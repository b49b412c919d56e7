#include "widgets/TouchList.h"
#include "WidgetTestHelpers.h"

#include <QScrollBar>
#include <gtest/gtest.h>

using namespace WidgetTest;

namespace {

// A list 300 x 280: header 0..h, rows below, footer at the bottom.
struct ListFixture : ::testing::Test {
    ListFixture()
    {
        list.resize(300, 280);
        for (int i = 0; i < 20; ++i)
            list.addItem(QStringLiteral("Row %1").arg(i));
        QObject::connect(&list, &TouchList::selectionChanged, &context,
                         [this](int previous, int current) { changes.push_back({previous, current}); });
        QObject::connect(&list, &TouchList::rowToggled, &context,
                         [this](int row, bool on) { toggles.push_back({row, on}); });
        QObject::connect(&list, &TouchList::rowTapped, &context, [this](int row) { taps.push_back(row); });
        QObject::connect(&list, &TouchList::rowDoubleTapped, &context, [this](int row) { doubles.push_back(row); });
        QObject::connect(&list, &TouchList::scrolled, &context, [this] { ++scrolls; });
    }
    // The height of the header (and of the footer): what the size hint adds to six rows.
    int lineHeight() const { return (list.sizeHint().height() - 6 * list.rowHeight()) / 2; }
    // The centre of the `n`th visible row.
    QPoint rowPoint(int n) const
    {
        return QPoint(100, lineHeight() + n * list.rowHeight() + list.rowHeight() / 2);
    }

    TouchList list;
    QObject context;
    std::vector<std::pair<int, int>> changes;
    std::vector<std::pair<int, bool>> toggles;
    std::vector<int> taps;
    std::vector<int> doubles;
    int scrolls = 0;
};

}

TEST_F(ListFixture, DefaultsAndItems)
{
    TouchList fresh;
    EXPECT_EQ(fresh.rowHeight(), 40);
    EXPECT_EQ(fresh.selectedIndex(), -1);
    EXPECT_EQ(fresh.focusedIndex(), -1);
    EXPECT_EQ(list.count(), 20);
    EXPECT_EQ(list.itemText(3), "Row 3");
    EXPECT_EQ(list.itemText(99), QString());
    list.setItemColour(2, Qt::red);
    EXPECT_EQ(list.itemColour(2), QColor(Qt::red));
    EXPECT_FALSE(list.itemColour(1).isValid());
    list.setItemText(2, "Two");
    EXPECT_EQ(list.items().at(2), "Two");
}

TEST_F(ListFixture, TapSelectsAndEmits)
{
    tap(&list, rowPoint(2));
    EXPECT_EQ(list.selectedIndex(), 2);
    EXPECT_EQ(list.focusedIndex(), 2);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0], std::make_pair(-1, 2));
    EXPECT_EQ(taps, std::vector<int>{2});
    tap(&list, rowPoint(2)); // same row: no change
    EXPECT_EQ(changes.size(), 1u);
    tap(&list, rowPoint(0));
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[1], std::make_pair(2, 0));
}

TEST_F(ListFixture, SetSelectedIndexEmitsOnlyOnChange)
{
    list.setSelectedIndex(5);
    list.setSelectedIndex(5);
    list.setSelectedIndex(-1);
    list.setSelectedIndex(-1);
    list.setSelectedIndex(50); // out of range: none
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0], std::make_pair(-1, 5));
    EXPECT_EQ(changes[1], std::make_pair(5, -1));
    EXPECT_TRUE(taps.empty());
}

TEST_F(ListFixture, SetSelectedIndexScrollsTheRowIntoView)
{
    const int rows = list.visibleRows();
    ASSERT_GT(rows, 2);
    ASSERT_LT(rows, 20);
    list.setSelectedIndex(15);
    EXPECT_LE(list.topIndex(), 15);
    EXPECT_GT(list.topIndex() + rows, 15);
    list.setSelectedIndex(0);
    EXPECT_EQ(list.topIndex(), 0);
    EXPECT_EQ(scrolls, 0); // not a user scroll
}

TEST_F(ListFixture, DragScrollsAndDoesNotSelect)
{
    drag(&list, rowPoint(4), rowPoint(4) - QPoint(0, 3 * list.rowHeight()));
    EXPECT_EQ(list.topIndex(), 3);
    EXPECT_EQ(list.selectedIndex(), -1);
    EXPECT_TRUE(changes.empty());
    EXPECT_TRUE(taps.empty());
    EXPECT_GT(scrolls, 0);
    // Dragging back up past the start stops at row 0.
    drag(&list, rowPoint(0), rowPoint(0) + QPoint(0, 10 * list.rowHeight()));
    EXPECT_EQ(list.topIndex(), 0);
    EXPECT_EQ(list.selectedIndex(), -1);
}

TEST_F(ListFixture, SmallWobbleIsStillATap)
{
    press(&list, rowPoint(1));
    move(&list, rowPoint(1) + QPoint(3, 4));
    release(&list, rowPoint(1) + QPoint(3, 4));
    EXPECT_EQ(list.selectedIndex(), 1);
}

TEST_F(ListFixture, TapAfterScrollSelectsTheRowShown)
{
    list.setTopIndex(5);
    EXPECT_EQ(list.topIndex(), 5);
    tap(&list, rowPoint(1));
    EXPECT_EQ(list.selectedIndex(), 6);
}

TEST_F(ListFixture, TopIndexIsClamped)
{
    list.setTopIndex(1000);
    EXPECT_EQ(list.topIndex(), 20 - list.visibleRows());
    list.setTopIndex(-4);
    EXPECT_EQ(list.topIndex(), 0);
}

TEST_F(ListFixture, WheelScrolls)
{
    wheel(&list, rowPoint(1), -120);
    EXPECT_EQ(list.topIndex(), 3);
    wheel(&list, rowPoint(1), 240);
    EXPECT_EQ(list.topIndex(), 0);
    EXPECT_EQ(scrolls, 2);
}

TEST_F(ListFixture, ScrollBarIsAWideChildOnTheRightAndScrolls)
{
    list.show();
    auto* bar = list.findChild<QScrollBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_GE(bar->width(), 40);
    EXPECT_EQ(bar->geometry().right(), list.width() - 1);
    bar->setValue(4);
    EXPECT_EQ(list.topIndex(), 4);
    EXPECT_EQ(scrolls, 1);
    list.setTopIndex(2);
    EXPECT_EQ(bar->value(), 2);
    // Few rows: no scroll bar needed.
    list.clear();
    list.addItem("only");
    EXPECT_FALSE(bar->isVisible());
}

TEST_F(ListFixture, DoubleTapEmitsRowDoubleTappedOnce)
{
    doubleTap(&list, rowPoint(3));
    EXPECT_EQ(list.selectedIndex(), 3);
    EXPECT_EQ(doubles, std::vector<int>{3});
    EXPECT_EQ(changes.size(), 1u);
}

TEST_F(ListFixture, HeaderAndFooterTapsSelectNothing)
{
    tap(&list, {100, 5});
    tap(&list, {100, list.height() - 5});
    EXPECT_EQ(list.selectedIndex(), -1);
    EXPECT_TRUE(taps.empty());
}

TEST_F(ListFixture, MultiSelectTapsFlipAndFocus)
{
    list.setMultiSelect(true);
    tap(&list, rowPoint(1));
    tap(&list, rowPoint(3));
    EXPECT_TRUE(list.isSelected(1));
    EXPECT_TRUE(list.isSelected(3));
    EXPECT_FALSE(list.isSelected(2));
    EXPECT_EQ(list.selectedCount(), 2);
    EXPECT_EQ(list.focusedIndex(), 3);
    tap(&list, rowPoint(1));
    EXPECT_FALSE(list.isSelected(1));
    EXPECT_EQ(list.focusedIndex(), 1);
    EXPECT_EQ(list.selectedCount(), 1);
    ASSERT_EQ(toggles.size(), 3u);
    EXPECT_EQ(toggles[0], std::make_pair(1, true));
    EXPECT_EQ(toggles[2], std::make_pair(1, false));
    EXPECT_TRUE(changes.empty());
}

TEST_F(ListFixture, MultiSelectAllAndNone)
{
    list.setMultiSelect(true);
    list.setAllSelected(true);
    EXPECT_EQ(list.selectedCount(), 20);
    list.setSelected(4, false);
    EXPECT_EQ(list.selectedCount(), 19);
    list.setAllSelected(false);
    EXPECT_EQ(list.selectedCount(), 0);
    EXPECT_TRUE(toggles.empty());
}

TEST_F(ListFixture, SingleModeSelectedHelpers)
{
    list.setSelected(3, true);
    EXPECT_EQ(list.selectedIndex(), 3);
    EXPECT_TRUE(list.isSelected(3));
    EXPECT_EQ(list.selectedCount(), 1);
    list.setSelected(2, false); // not the selected one: no change
    EXPECT_EQ(list.selectedIndex(), 3);
    list.setAllSelected(false);
    EXPECT_EQ(list.selectedIndex(), -1);
}

TEST_F(ListFixture, MoveKeepsTheSelectionOnTheItem)
{
    list.setSelectedIndex(2);
    changes.clear();
    list.moveItem(2, 1);
    EXPECT_EQ(list.itemText(1), "Row 2");
    EXPECT_EQ(list.itemText(2), "Row 1");
    EXPECT_EQ(list.selectedIndex(), 1);
    list.moveItem(1, 0);
    EXPECT_EQ(list.selectedIndex(), 0);
    EXPECT_EQ(list.items().mid(0, 3), QStringList({"Row 2", "Row 0", "Row 1"}));
    // Moving another item across the selected one shifts the selection with its item.
    list.moveItem(5, 0);
    EXPECT_EQ(list.selectedIndex(), 1);
    EXPECT_EQ(list.itemText(1), "Row 2");
    list.moveItem(0, 19);
    EXPECT_EQ(list.selectedIndex(), 0);
    EXPECT_EQ(list.itemText(0), "Row 2");
    EXPECT_TRUE(changes.empty());
    list.moveItem(0, 20); // out of range: nothing
    EXPECT_EQ(list.itemText(0), "Row 2");
}

TEST_F(ListFixture, RemoveKeepsSelectionSane)
{
    list.setSelectedIndex(5);
    changes.clear();
    list.removeItem(2);
    EXPECT_EQ(list.selectedIndex(), 4);
    EXPECT_EQ(list.itemText(4), "Row 5");
    list.removeItem(10);
    EXPECT_EQ(list.selectedIndex(), 4);
    list.removeItem(4);
    EXPECT_EQ(list.selectedIndex(), -1);
    EXPECT_EQ(list.count(), 17);
    list.removeItem(-1);
    list.removeItem(17);
    EXPECT_EQ(list.count(), 17);
    EXPECT_TRUE(changes.empty());
    // Removing rows pulls the top back so that no empty space is scrolled in.
    list.setTopIndex(1000);
    while (list.count() > 3)
        list.removeItem(0);
    EXPECT_EQ(list.topIndex(), 0);
}

TEST_F(ListFixture, InsertShiftsSelection)
{
    list.setSelectedIndex(3);
    list.insertItem(0, "new");
    EXPECT_EQ(list.selectedIndex(), 4);
    EXPECT_EQ(list.itemText(4), "Row 3");
    list.insertItem(10, "later");
    EXPECT_EQ(list.selectedIndex(), 4);
}

TEST_F(ListFixture, MultiSelectRemoveAndMoveKeepFlags)
{
    list.setMultiSelect(true);
    list.setSelected(3, true);
    list.setSelected(6, true);
    list.removeItem(0);
    EXPECT_TRUE(list.isSelected(2));
    EXPECT_TRUE(list.isSelected(5));
    EXPECT_EQ(list.selectedCount(), 2);
    list.moveItem(2, 0);
    EXPECT_TRUE(list.isSelected(0));
    EXPECT_EQ(list.itemText(0), "Row 3");
}

TEST_F(ListFixture, ClearLeavesNothingSelected)
{
    list.setSelectedIndex(4);
    list.setTopIndex(3);
    list.clear();
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.selectedIndex(), -1);
    EXPECT_EQ(list.focusedIndex(), -1);
    EXPECT_EQ(list.topIndex(), 0);
    tap(&list, rowPoint(0));
    EXPECT_EQ(list.selectedIndex(), -1);
    EXPECT_TRUE(taps.empty());
}

TEST_F(ListFixture, HeaderAndFooterTexts)
{
    list.setHeader("Select Daylight Theme");
    list.setFooter("Footer");
    EXPECT_EQ(list.header(), "Select Daylight Theme");
    EXPECT_EQ(list.footer(), "Footer");
    const QImage one = render(&list);
    list.setFooter("Luna");
    const QImage two = render(&list);
    EXPECT_GT(differingPixels(one, two, QRect(0, list.height() - 30, list.width(), 30)), 10);
}

TEST_F(ListFixture, HiddenHeaderGivesRowsTheTop)
{
    list.setHeaderVisible(false);
    tap(&list, {100, list.rowHeight() / 2});
    EXPECT_EQ(list.selectedIndex(), 0);
}

TEST(TouchListPaint, ItemColourIsUsedForSelectedAndUnselectedRows)
{
    TouchList list;
    list.resize(300, 200);
    list.setHeaderVisible(false);
    list.setFooterVisible(false);
    list.setFontPixelSize(28, true);
    list.addItem("WWWWWWWW", QColor(128, 0, 0));
    list.addItem("WWWWWWWW", QColor(128, 0, 0));
    list.addItem("WWWWWWWW");
    list.setSelectedIndex(0);
    const QImage image = render(&list);
    const QRect row0(0, 0, 300, 40), row1(0, 40, 300, 40), row2(0, 80, 300, 40);
    // Dark red text on the selected row and on the unselected one.
    EXPECT_GT(countNear(image, QColor(128, 0, 0), 30, row0), 30);
    EXPECT_GT(countNear(image, QColor(128, 0, 0), 30, row1), 30);
    EXPECT_EQ(countNear(image, QColor(128, 0, 0), 30, row2), 0);
    // The selected row has the selection background; the unselected one has none.
    const QColor back = ColourStyles::instance().current().listBack;
    EXPECT_LT(countNear(image, back, 10, row0.adjusted(4, 4, -4, -4)), 292 * 32 / 10);
    EXPECT_GT(countNear(image, back, 10, row1.adjusted(4, 4, -4, -4)), 292 * 32 / 2);
}

TEST(TouchListPaint, DifferentTextsRenderDifferently)
{
    TouchList list;
    list.resize(300, 200);
    list.addItem("Alpha");
    const QImage a = render(&list);
    list.setItemText(0, "Omega");
    const QImage b = render(&list);
    EXPECT_GT(differingPixels(a, b), 10);
}

TEST_F(ListFixture, MultiSelectDoubleTapFlipsTwiceAndReportsTheRow)
{
    list.setMultiSelect(true);
    doubleTap(&list, rowPoint(2));
    EXPECT_FALSE(list.isSelected(2)) << "each touch flips the row";
    EXPECT_EQ(list.focusedIndex(), 2);
    EXPECT_EQ(toggles.size(), 2u);
    EXPECT_EQ(doubles, std::vector<int>{2});
}

TEST_F(ListFixture, SwitchingToMultiSelectKeepsTheSelectedRow)
{
    list.setSelectedIndex(3);
    list.setMultiSelect(true);
    EXPECT_TRUE(list.multiSelect());
    EXPECT_TRUE(list.isSelected(3));
    EXPECT_EQ(list.selectedCount(), 1);
}

TEST(TouchListPaint, RepaintsWithTheStyle)
{
    StyleRestorer restore;
    TouchList list;
    list.resize(300, 200);
    list.addItem("Row");
    ColourStyles::instance().apply(1);
    const QImage classic = render(&list);
    ColourStyles::instance().apply(5);
    const QImage obsidian = render(&list);
    EXPECT_GT(differingPixels(classic, obsidian), 300 * 200 / 2);
}

TEST(TouchListPaint, RowGlyphIsDrawnBeforeTheText)
{
    TouchList list;
    list.resize(300, 200);
    list.addItem("song.mp3");
    const QImage plain = render(&list);
    list.setRowGlyph(Glyph::File);
    const QImage withIcon = render(&list);
    const int header = (list.sizeHint().height() - 6 * list.rowHeight()) / 2;
    EXPECT_GT(differingPixels(plain, withIcon, QRect(8, header, 30, list.rowHeight())), 30);
}
