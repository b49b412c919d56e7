// TPerformanceGraph: properties, history ring, scaling and the pixels of its
// off-screen image.
#include "gps/Perfgrap.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

const QColor Navy(0, 0, 128);
const QColor Black(0, 0, 0);
const QColor Lime(0, 255, 0);
const QColor Yellow(255, 255, 0);
const QColor Red(255, 0, 0);
const QColor Blue(0, 0, 255);

// The GPS screen's SpeedGraph: 551 x 158, bars, navy grid every 10, step 1, scale 0.
void setUpSpeedGraph(TPerformanceGraph& g)
{
    g.resize(551, 158);
    g.SetGraphKind(pgBar);
    g.SetForeColor(Navy);
    g.SetGridSize(10);
    g.SetStepSize(1);
    g.SetScale(0);
    g.SetGradient(100);
    g.SetPenWidth(1);
}

QRgb px(const TPerformanceGraph& g, int x, int y)
{
    return g.image().pixel(x, y) & 0xFFFFFF;
}

QRgb rgb(const QColor& c)
{
    return c.rgb() & 0xFFFFFF;
}

bool isGridRow(int y) { return y > 0 && y % 10 == 0; }

// Rows of column x that have colour c.
std::vector<int> rowsOf(const TPerformanceGraph& g, int x, const QColor& c)
{
    std::vector<int> rows;
    for (int y = 0; y < g.image().height(); ++y)
        if (px(g, x, y) == rgb(c))
            rows.push_back(y);
    return rows;
}

std::vector<int> range(int from, int toInclusive)
{
    std::vector<int> r;
    for (int i = from; i <= toInclusive; ++i)
        r.push_back(i);
    return r;
}

} // namespace

TEST(PerformanceGraph, DefaultsOfANewControl)
{
    TPerformanceGraph g;
    EXPECT_EQ(g.Kind(), pgLine);
    EXPECT_EQ(g.ForeColor(), QColor(0, 128, 0));
    EXPECT_EQ(g.BackColor(), Black);
    EXPECT_EQ(g.GridSize(), 15);
    EXPECT_EQ(g.StepSize(), 3);
    EXPECT_EQ(g.Scale(), 1000);
    EXPECT_EQ(g.Gradient(), 100);
    EXPECT_TRUE(g.Gridlines());
    EXPECT_EQ(g.PenWidth(), 2);
    EXPECT_EQ(g.size(), QSize(100, 100));
    EXPECT_EQ(g.image().size(), QSize(100, 100));
    EXPECT_EQ(g.HistoryLength(), 35);
    EXPECT_EQ(g.CurrentIndex(), 0);
    EXPECT_EQ(g.OldestIndex(), 1);
    // Vertical lines at 14, 29, ..., 89; the next (104) is 4 beyond the right edge.
    EXPECT_EQ(g.GridPhase(), 4);
    EXPECT_EQ(g.NewStrip(), QRect(97, 0, 3, 100));
    const QRgb green = rgb(QColor(0, 128, 0));
    for (int x : {14, 29, 44, 59, 74, 89})
        EXPECT_EQ(px(g, x, 52), green) << x;
    EXPECT_EQ(px(g, 20, 52), rgb(Black));
    for (int y : {15, 30, 45, 60, 75, 90})
        EXPECT_EQ(px(g, 52, y), green) << y;
    EXPECT_EQ(px(g, 52, 52), rgb(Black));
    EXPECT_FALSE(g.autoFillBackground());
    EXPECT_TRUE(g.testAttribute(Qt::WA_OpaquePaintEvent));
}

TEST(PerformanceGraph, SpeedGraphSetUpHas553Columns)
{
    TPerformanceGraph g;
    setUpSpeedGraph(g);
    EXPECT_EQ(g.HistoryLength(), 553);
    EXPECT_EQ(g.Scale(), 0);
    EXPECT_EQ(g.image().size(), QSize(551, 158));
    // Only the grid: navy rows every 10 pixels and navy columns, black elsewhere.
    int navyColumns = 0;
    for (int x = 0; x < 551; ++x) {
        if (px(g, x, 5) == rgb(Navy))
            ++navyColumns;
        else
            EXPECT_EQ(px(g, x, 5), rgb(Black));
    }
    EXPECT_EQ(navyColumns, 55);
    for (int y = 0; y < 158; ++y)
        EXPECT_EQ(px(g, 3, y) == rgb(Navy), isGridRow(y) || px(g, 3, 5) == rgb(Navy)) << y;
}

TEST(PerformanceGraph, FirstPointOf30RescalesTo100AndDrawsA48PixelBar)
{
    TPerformanceGraph g;
    setUpSpeedGraph(g);
    int scaleChanges = 0;
    TPerformanceGraph* sender = nullptr;
    g.OnScaleChange = [&](TPerformanceGraph* s) { ++scaleChanges; sender = s; };

    g.DataPoint(Lime, 30);
    g.Update();

    EXPECT_EQ(g.Scale(), 100);
    EXPECT_EQ(scaleChanges, 1);
    EXPECT_EQ(sender, &g);
    // trunc(30 / 100 * 158) = 47, plus 1: rows 110..157 of the rightmost column.
    EXPECT_EQ(rowsOf(g, 550, Lime), range(110, 157));
    EXPECT_NE(px(g, 550, 109), rgb(Lime));
    EXPECT_TRUE(rowsOf(g, 549, Lime).empty());
}

TEST(PerformanceGraph, FullScaleBarIsClippedAtTheTop)
{
    TPerformanceGraph g;
    setUpSpeedGraph(g);
    g.DataPoint(Lime, 100);
    g.Update();
    ASSERT_EQ(g.Scale(), 100);
    EXPECT_EQ(rowsOf(g, 550, Lime), range(0, 157));

    // Drawn by Update itself (no rescale): the same full column.
    g.DataPoint(Yellow, 100);
    g.Update();
    EXPECT_EQ(rowsOf(g, 550, Yellow), range(0, 157));
    EXPECT_EQ(rowsOf(g, 549, Lime), range(0, 157));
}

TEST(PerformanceGraph, BarsScrollLeftOnePixelPerUpdateWithoutRedrawingHistory)
{
    TPerformanceGraph g;
    setUpSpeedGraph(g);
    g.DataPoint(Lime, 30);
    g.Update();
    g.DataPoint(Red, 50);
    g.Update();
    g.DataPoint(Yellow, 10);
    g.Update();
    EXPECT_EQ(g.Scale(), 100);
    EXPECT_EQ(rowsOf(g, 548, Lime), range(110, 157));
    EXPECT_EQ(rowsOf(g, 549, Red), range(158 - 79 - 1, 157));    // trunc(79.0) = 79
    EXPECT_EQ(rowsOf(g, 550, Yellow), range(158 - 15 - 1, 157)); // trunc(15.8) = 15
}

TEST(PerformanceGraph, StackedBarsInOneColumn)
{
    TPerformanceGraph g;
    setUpSpeedGraph(g);
    g.DataPoint(Lime, 1); // sets the scale to 100 first
    g.Update();
    g.DataPoint(Red, 20);
    g.DataPoint(Blue, 50);
    g.Update();
    ASSERT_EQ(g.Scale(), 100);
    // Red: bar trunc(31.6) = 31 from 0 -> rows 126..157; blue: from 20 up by 30, offset 31,
    // bar trunc(47.4) = 47 -> rows 79..126, drawn over red's top row.
    EXPECT_EQ(rowsOf(g, 550, Red), range(127, 157));
    EXPECT_EQ(rowsOf(g, 550, Blue), range(79, 126));
}

TEST(PerformanceGraph, ZeroPointsAreSkippedAndKeepTheLevel)
{
    TPerformanceGraph g;
    setUpSpeedGraph(g);
    g.DataPoint(Lime, 1);
    g.Update();
    g.DataPoint(Red, 20);
    g.DataPoint(Yellow, 0);
    g.DataPoint(Blue, 50);
    g.Update();
    EXPECT_EQ(rowsOf(g, 550, Red), range(127, 157));
    EXPECT_EQ(rowsOf(g, 550, Blue), range(79, 126));
    EXPECT_TRUE(rowsOf(g, 550, Yellow).empty());
}

TEST(PerformanceGraph, GridLinesScrollWithTheImage)
{
    TPerformanceGraph g;
    setUpSpeedGraph(g);
    std::vector<int> before;
    for (int x = 0; x < 551; ++x)
        if (px(g, x, 5) == rgb(Navy))
            before.push_back(x);
    ASSERT_FALSE(before.empty());
    for (int step = 1; step <= 25; ++step) {
        g.Update(); // empty columns: scale stays 0, nothing redrawn
        ASSERT_EQ(g.Scale(), 0);
        std::vector<int> now;
        for (int x = 0; x < 551; ++x)
            if (px(g, x, 5) == rgb(Navy))
                now.push_back(x);
        std::vector<int> expected;
        for (int x : before)
            if (x - step >= 0)
                expected.push_back(x - step);
        // New lines come in at the right edge every 10 steps, 10 apart.
        for (int x = before.back() + 10 - step; x < 551; x += 10)
            expected.push_back(x);
        ASSERT_EQ(now, expected) << "step " << step;
        for (int y = 0; y < 158; ++y)
            ASSERT_EQ(px(g, 550, y) == rgb(Navy), isGridRow(y) || now.back() == 550) << y;
    }
}

TEST(PerformanceGraph, ReplayReproducesTheScrolledImage)
{
    TPerformanceGraph g;
    setUpSpeedGraph(g);
    const QColor colours[] = {Lime, Yellow, Red, Blue};
    for (int i = 0; i < 700; ++i) {
        g.DataPoint(colours[i % 4], 1 + (i * 37) % 99);
        g.Update();
    }
    ASSERT_EQ(g.Scale(), 100);
    const QImage scrolled = g.image().copy();
    g.Replay();
    EXPECT_EQ(g.image(), scrolled);
}

TEST(PerformanceGraph, ReplayReproducesTheScrolledImageWithWiderSteps)
{
    TPerformanceGraph g; // 100 x 100, step 3, grid 15
    g.SetGraphKind(pgBar);
    g.SetScale(100);
    for (int i = 0; i < 90; ++i) {
        g.DataPoint(Lime, 1 + (i * 13) % 99);
        g.Update();
    }
    const QImage scrolled = g.image().copy();
    g.Replay();
    // 100 mod 3 = 1: Replay starts its columns at x = 1, where scrolling has left the last
    // pixel of a column that is no longer in the history.
    EXPECT_EQ(g.image().copy(1, 0, 99, 100), scrolled.copy(1, 0, 99, 100));
}

TEST(PerformanceGraph, LineGraphJoinsPointsOfTheSameColour)
{
    TPerformanceGraph g;
    g.resize(200, 100);
    g.SetGridlines(false);
    g.SetStepSize(10);
    g.SetPenWidth(1);
    g.SetScale(100); // line kind is the default
    ASSERT_EQ(g.Kind(), pgLine);

    g.DataPoint(Lime, 50);
    g.Update();
    // Lime joined to 0 (no lime point before): from (190, 100) to (200, 50).
    const int right = 190;
    EXPECT_TRUE(rowsOf(g, right, Lime).empty() || rowsOf(g, right, Lime).front() >= 90);
    EXPECT_FALSE(rowsOf(g, 199, Lime).empty());
    EXPECT_LE(rowsOf(g, 199, Lime).front(), 56);

    g.DataPoint(Lime, 50);
    g.DataPoint(Yellow, 80);
    g.Update();
    // Lime: level 50 to level 50, a horizontal line on row 50 across the new strip (where
    // yellow, drawn after it, does not cross it).
    int limeColumns = 0;
    for (int x = 190; x < 200; ++x) {
        const auto rows = rowsOf(g, x, Lime);
        if (!rows.empty()) {
            EXPECT_EQ(rows, std::vector<int>{50}) << x;
            ++limeColumns;
        }
    }
    EXPECT_GE(limeColumns, 8);
    // Yellow has no point in the column before: joined to level 0, from row 100 up to row 20.
    const auto yellowLeft = rowsOf(g, 190, Yellow);
    const auto yellowRight = rowsOf(g, 199, Yellow);
    ASSERT_FALSE(yellowLeft.empty());
    ASSERT_FALSE(yellowRight.empty());
    EXPECT_GE(yellowLeft.back(), 90);
    EXPECT_LE(yellowRight.front(), 30);

    g.DataPoint(Yellow, 80);
    g.DataPoint(Lime, 20);
    g.Update();
    // Now yellow is joined to yellow (80 -> 80) and lime to lime (50 -> 20).
    for (int x = 190; x < 200; ++x)
        EXPECT_EQ(rowsOf(g, x, Yellow), std::vector<int>{20}) << x;
    const auto limeLeft = rowsOf(g, 190, Lime);
    const auto limeRight = rowsOf(g, 199, Lime);
    ASSERT_FALSE(limeLeft.empty());
    ASSERT_FALSE(limeRight.empty());
    EXPECT_LE(std::abs(limeLeft.front() - 50), 2);
    EXPECT_LE(std::abs(limeRight.back() - 80), 2);
}

TEST(PerformanceGraph, ScaleStaysAtTheLargestValueUntilItsColumnIsReused)
{
    TPerformanceGraph g;
    setUpSpeedGraph(g);
    g.DataPoint(Lime, 120);
    g.Update();
    EXPECT_EQ(g.Scale(), 200);
    for (int i = 2; i <= 552; ++i) {
        g.DataPoint(Lime, 60);
        g.Update();
        ASSERT_EQ(g.Scale(), 200) << "update " << i;
    }
    g.DataPoint(Lime, 60);
    g.Update(); // the 553rd update reuses the 120's column
    EXPECT_EQ(g.Scale(), 100);
}

TEST(PerformanceGraph, ClearingWith999ZerosLeavesOnlyTheGrid)
{
    TPerformanceGraph g;
    setUpSpeedGraph(g);
    for (int i = 0; i < 600; ++i) {
        g.DataPoint(Lime, 40 + i % 50);
        g.Update();
    }
    ASSERT_EQ(g.Scale(), 100);
    int updatesToZero = -1;
    for (int i = 1; i <= 999; ++i) {
        g.DataPoint(Red, 0);
        g.Update();
        if (updatesToZero < 0 && g.Scale() == 0)
            updatesToZero = i;
    }
    EXPECT_GT(updatesToZero, 0);
    EXPECT_LE(updatesToZero, 553);
    for (int x = 0; x < 551; ++x)
        for (int y = 0; y < 158; ++y)
            ASSERT_TRUE(px(g, x, y) == rgb(Navy) || px(g, x, y) == rgb(Black)) << x << "," << y;
}

TEST(PerformanceGraph, GradientZeroScalesToTheLargestValueExactly)
{
    TPerformanceGraph g;
    setUpSpeedGraph(g);
    g.SetGradient(0);
    EXPECT_EQ(g.Scale(), 0); // changing Gradient does not rescale by itself
    g.DataPoint(Lime, 37);
    g.Update();
    EXPECT_EQ(g.Scale(), 37);
    EXPECT_EQ(rowsOf(g, 550, Lime), range(0, 157));
}

TEST(PerformanceGraph, SetScaleRoundsUpToTheGradient)
{
    TPerformanceGraph g;
    int changes = 0;
    g.OnScaleChange = [&](TPerformanceGraph*) { ++changes; };
    g.SetScale(45);
    EXPECT_EQ(g.Scale(), 100);
    g.SetScale(100);
    EXPECT_EQ(changes, 1); // equal value: nothing
    g.SetScale(200);
    EXPECT_EQ(g.Scale(), 200);
    g.SetScale(201);
    EXPECT_EQ(g.Scale(), 300);
    g.SetScale(0);
    EXPECT_EQ(g.Scale(), 0);
    EXPECT_EQ(changes, 4);
    g.SetGradient(0);
    g.SetScale(37);
    EXPECT_EQ(g.Scale(), 37);
}

TEST(PerformanceGraph, SeventeenthPointRaisesARangeError)
{
    TPerformanceGraph g;
    for (int i = 0; i < 16; ++i)
        g.DataPoint(Lime, i + 1);
    EXPECT_EQ(g.ColumnCount(g.CurrentIndex()), 16);
    try {
        g.DataPoint(Red, 99);
        FAIL() << "no range error";
    } catch (const ERangeError& e) {
        EXPECT_STREQ(e.what(), "");
    }
    EXPECT_EQ(g.ColumnCount(g.CurrentIndex()), 16);
    EXPECT_EQ(g.ColumnValue(g.CurrentIndex(), 15), 16);
    g.Update();
    EXPECT_NO_THROW(g.DataPoint(Red, 1)); // a new column
}

TEST(PerformanceGraph, GridSizeAndStepSizeHaveMinimums)
{
    TPerformanceGraph g;
    g.SetGridSize(1);
    EXPECT_EQ(g.GridSize(), 2);
    g.SetGridSize(-5);
    EXPECT_EQ(g.GridSize(), 2);
    g.SetStepSize(0);
    EXPECT_EQ(g.StepSize(), 1);
    EXPECT_EQ(g.HistoryLength(), 102);
    g.SetStepSize(-3);
    EXPECT_EQ(g.StepSize(), 1);
}

TEST(PerformanceGraph, StepSizeChangeRebuildsTheHistoryKeepingTheNewest)
{
    TPerformanceGraph g; // 35 columns of step 3
    g.SetScale(100);
    for (int i = 1; i <= 40; ++i) {
        g.DataPoint(Lime, i);
        g.Update();
    }
    g.SetStepSize(10); // 100 / 10 + 2 = 12 columns
    ASSERT_EQ(g.HistoryLength(), 12);
    EXPECT_EQ(g.CurrentIndex(), 11);
    EXPECT_EQ(g.OldestIndex(), 0);
    EXPECT_EQ(g.ColumnCount(11), 0); // the open column
    for (int i = 0; i < 11; ++i) {
        ASSERT_EQ(g.ColumnCount(i), 1);
        EXPECT_EQ(g.ColumnValue(i, 0), 30 + i);
    }
}

TEST(PerformanceGraph, ResizingRebuildsTheHistoryAndReplaysTheImage)
{
    TPerformanceGraph g;
    setUpSpeedGraph(g);
    for (int i = 1; i <= 600; ++i) {
        g.DataPoint(Lime, 1 + i % 90);
        g.Update();
    }
    const QImage before = g.image().copy();

    // Narrower: the newest columns are kept and land at the right edge.
    g.resize(301, 158);
    (void)g.grab(); // paints, which notices the new size
    EXPECT_EQ(g.HistoryLength(), 303);
    EXPECT_EQ(g.image().size(), QSize(301, 158));
    EXPECT_EQ(g.CurrentIndex(), 302);
    EXPECT_EQ(g.OldestIndex(), 0);
    for (int x = 0; x < 301; ++x)
        for (int y = 0; y < 158; y += 3) {
            const QRgb a = px(g, x, y);
            const QRgb b = before.pixel(x + 250, y) & 0xFFFFFF;
            if (a == rgb(Lime) || b == rgb(Lime)) {
                ASSERT_EQ(a, b) << x << "," << y;
            }
        }

    // Wider again: the kept history stays against the right edge, the rest is empty.
    g.resize(551, 158);
    (void)g.grab();
    EXPECT_EQ(g.HistoryLength(), 553);
    EXPECT_EQ(g.CurrentIndex(), 302);
    EXPECT_EQ(g.OldestIndex(), 303);
    for (int x = 0; x < 551; ++x)
        for (int y = 0; y < 158; y += 3) {
            const QRgb a = px(g, x, y);
            const QRgb b = before.pixel(x, y) & 0xFFFFFF;
            if (x < 249) {
                ASSERT_NE(a, rgb(Lime)) << x << "," << y;
            } else if (a == rgb(Lime) || b == rgb(Lime)) {
                ASSERT_EQ(a, b) << x << "," << y;
            }
        }
    // And the graph goes on from there.
    g.DataPoint(Yellow, 45);
    g.Update();
    EXPECT_EQ(rowsOf(g, 550, Yellow), range(158 - 71 - 1, 157));
}

TEST(PerformanceGraph, PaintingCopiesTheImage)
{
    TPerformanceGraph g;
    setUpSpeedGraph(g);
    g.DataPoint(Lime, 30);
    g.Update();
    const QImage shown = g.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown, g.image());
}

TEST(PerformanceGraph, StyleSettersReplay)
{
    TPerformanceGraph g;
    setUpSpeedGraph(g);
    g.DataPoint(Lime, 30);
    g.Update();
    g.SetBackColor(QColor(255, 255, 255));
    EXPECT_EQ(px(g, 5, 5), 0xFFFFFFu);
    EXPECT_EQ(rowsOf(g, 550, Lime), range(110, 157));
    g.SetGridlines(false);
    for (int y = 0; y < 110; ++y)
        EXPECT_EQ(px(g, 550, y), 0xFFFFFFu);
    g.SetGraphKind(pgLine);
    EXPECT_LT(rowsOf(g, 550, Lime).size(), 48u);
    g.SetForeColor(Red);
    g.SetGridlines(true);
    EXPECT_EQ(px(g, 200, 10), rgb(Red));
}
