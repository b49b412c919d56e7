#include "widgets/TrackBar.h"
#include "WidgetTestHelpers.h"

#include <gtest/gtest.h>

using namespace WidgetTest;

namespace {
QPoint at(const TrackBar& bar, double position) { return bar.pointForPosition(position).toPoint(); }
}

TEST(TrackBar, SetPositionClampsAndEmitsOnChange)
{
    TrackBar bar(Qt::Horizontal);
    bar.setRange(0, 100);
    std::vector<double> seen;
    QObject::connect(&bar, &TrackBar::positionChanged, [&](double p) { seen.push_back(p); });
    bar.setPosition(40);
    bar.setPosition(40);
    bar.setPosition(500);
    bar.setPosition(-5);
    EXPECT_EQ(seen, (std::vector<double>{40, 100, 0}));
    bar.setPosition(70);
    bar.setRange(0, 50);
    EXPECT_EQ(bar.position(), 50);
    EXPECT_EQ(bar.maximum(), 50);
}

TEST(TrackBar, VerticalHasItsMaximumAtTheTop)
{
    TrackBar bar(Qt::Vertical);
    bar.resize(97, 294);
    bar.setRange(0, 65535);
    tap(&bar, {48, 0});
    EXPECT_DOUBLE_EQ(bar.position(), 65535);
    tap(&bar, {48, 293});
    EXPECT_DOUBLE_EQ(bar.position(), 0);
    tap(&bar, {48, 147});
    EXPECT_NEAR(bar.position(), 65535 / 2.0, 65535 * 0.01);
    EXPECT_LT(at(bar, 65535).y(), at(bar, 0).y());
    // Above and below the bar clamp.
    tap(&bar, {48, -50});
    EXPECT_DOUBLE_EQ(bar.position(), 65535);
    tap(&bar, {48, 400});
    EXPECT_DOUBLE_EQ(bar.position(), 0);
}

TEST(TrackBar, HorizontalHasItsMaximumOnTheRight)
{
    TrackBar bar(Qt::Horizontal);
    bar.resize(521, 40);
    bar.setRange(0, 100000);
    tap(&bar, {520, 20});
    EXPECT_DOUBLE_EQ(bar.position(), 100000);
    tap(&bar, {0, 20});
    EXPECT_DOUBLE_EQ(bar.position(), 0);
    tap(&bar, at(bar, 25000));
    EXPECT_NEAR(bar.position(), 25000, 500);
}

TEST(TrackBar, SnapsToTheNearestStepWithinTheMargin)
{
    TrackBar bar(Qt::Horizontal);
    bar.resize(600, 50);
    bar.setRange(0, 1000);
    bar.setStep(100, 20);
    tap(&bar, at(bar, 310));
    EXPECT_DOUBLE_EQ(bar.position(), 300);
    tap(&bar, at(bar, 395));
    EXPECT_DOUBLE_EQ(bar.position(), 400);
    tap(&bar, at(bar, 350)); // 50 from either step: stays where it is
    EXPECT_NEAR(bar.position(), 350, 5);
    EXPECT_NE(bar.position(), 300);
    EXPECT_NE(bar.position(), 400);
    // Setting from code does not snap.
    bar.setPosition(333);
    EXPECT_DOUBLE_EQ(bar.position(), 333);
}

TEST(TrackBar, VolumeBarAlwaysSnapsAndReachesTheTop)
{
    // The main window's volume bar: 0..65535, step 6553, margin 6553.
    TrackBar bar(Qt::Vertical);
    bar.resize(97, 294);
    bar.setRange(0, 65535);
    bar.setStep(6553, 6553);
    bar.setShowProgress(false);
    bar.setValueText("-----");
    for (int y = 0; y < 294; y += 7) {
        tap(&bar, {48, y});
        const double p = bar.position();
        const bool onStep = std::fmod(p, 6553) == 0 || p == 65535;
        EXPECT_TRUE(onStep) << "y " << y << " gave " << p;
    }
    tap(&bar, {48, 0});
    EXPECT_DOUBLE_EQ(bar.position(), 65535);
    tap(&bar, at(bar, 6553 * 5 + 1000));
    EXPECT_DOUBLE_EQ(bar.position(), 6553 * 5);
}

TEST(TrackBar, DragEmitsPressedAndReleasedAndTracksPosition)
{
    TrackBar bar(Qt::Horizontal);
    bar.resize(521, 40);
    bar.setRange(0, 1000);
    std::vector<QString> events;
    QObject::connect(&bar, &TrackBar::pressed, [&] { events.push_back(QString("pressed %1").arg(bar.isDragging())); });
    QObject::connect(&bar, &TrackBar::released,
                     [&] { events.push_back(QString("released %1 %2").arg(bar.isDragging()).arg(bar.position())); });
    EXPECT_FALSE(bar.isDragging());
    press(&bar, at(bar, 100));
    EXPECT_TRUE(bar.isDragging());
    move(&bar, at(bar, 500));
    EXPECT_NEAR(bar.position(), 500, 3);
    EXPECT_TRUE(bar.isDragging());
    release(&bar, at(bar, 800));
    EXPECT_FALSE(bar.isDragging());
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0], "pressed 1");
    EXPECT_TRUE(events[1].startsWith("released 0 ")) << events[1].toStdString();
    EXPECT_NEAR(bar.position(), 800, 3);
    // A move without a press does nothing.
    move(&bar, at(bar, 200));
    EXPECT_NEAR(bar.position(), 800, 3);
}

TEST(TrackBar, ValueTextIsDrawnOnTheThumb)
{
    TrackBar bar(Qt::Vertical);
    bar.resize(97, 294);
    bar.setRange(0, 100);
    bar.setPosition(50);
    bar.setValueText("-----");
    const QImage a = render(&bar);
    bar.setValueText("+++++");
    const QImage b = render(&bar);
    const QPoint c = at(bar, 50);
    EXPECT_GT(differingPixels(a, b, QRect(c.x() - 40, c.y() - 20, 80, 40)), 10);
    EXPECT_EQ(differingPixels(a, b, QRect(0, 0, 97, 60)), 0);
}

TEST(TrackBar, ThumbMovesWithPosition)
{
    TrackBar bar(Qt::Horizontal);
    bar.resize(400, 40);
    bar.setRange(0, 100);
    const QImage a = render(&bar);
    bar.setPosition(100);
    const QImage b = render(&bar);
    EXPECT_GT(differingPixels(a, b, QRect(0, 0, 60, 40)), 200);
    EXPECT_GT(differingPixels(a, b, QRect(340, 0, 60, 40)), 200);
}

TEST(ProgressBar, TextIsTheFormattedPercentageOfTheMaximum)
{
    ProgressBar bar;
    bar.setRange(0, 65535);
    bar.setPosition(32768);
    EXPECT_EQ(bar.text(), "50%");
    bar.setPosition(0);
    EXPECT_EQ(bar.text(), "0%");
    bar.setPosition(65535);
    EXPECT_EQ(bar.text(), "100%");
    bar.setPosition(70000);
    EXPECT_EQ(bar.position(), 65535);
    bar.setFormat("%.1f percent");
    bar.setPosition(6553);
    EXPECT_EQ(bar.text(), "10.0 percent");
}

TEST(ProgressBar, DefaultFormatAndPaintedFill)
{
    ProgressBar bar;
    bar.resize(97, 30);
    bar.setRange(0, 100);
    EXPECT_EQ(bar.text(), "0%");
    const QImage empty = render(&bar);
    bar.setPosition(100);
    const QImage full = render(&bar);
    EXPECT_GT(differingPixels(empty, full), 97 * 30 / 2);
}
