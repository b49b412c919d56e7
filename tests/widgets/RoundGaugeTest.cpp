#include "widgets/RoundGauge.h"
#include "widgets/WidgetPainting.h"
#include "WidgetTestHelpers.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace WidgetTest;

namespace {

const QColor Red(255, 0, 0);

void makeSpeedometer(RoundGauge& gauge)
{
    gauge.resize(241, 241);
    gauge.setRange(0, 140);
    gauge.setDivisions(14);
}

void makeCompass(RoundGauge& gauge)
{
    gauge.resize(241, 241);
    gauge.setRange(0, 360);
    gauge.setDivisions(8);
    gauge.setSweep(0, 360);
}

// A small square around the point `fraction` of the widget's half size from its centre,
// in the direction `degrees` clockwise from the top.
QRect around(const QWidget& widget, double degrees, double fraction)
{
    const double radius = fraction * qMin(widget.width(), widget.height()) / 2.0;
    const double radians = qDegreesToRadians(degrees);
    const QPoint at = (QRectF(widget.rect()).center()
                       + QPointF(radius * std::sin(radians), -radius * std::cos(radians)))
                          .toPoint();
    return QRect(at - QPoint(4, 4), QSize(9, 9));
}

int redNear(const QImage& image, const QRect& area)
{
    return countNear(image, Red, 90, area);
}

}

TEST(RoundGauge, NeedleAngleFollowsTheSweepAndStopsAtTheEnds)
{
    RoundGauge speed;
    makeSpeedometer(speed);
    EXPECT_DOUBLE_EQ(speed.angleForValue(0), -135);
    EXPECT_DOUBLE_EQ(speed.angleForValue(70), 0);
    EXPECT_DOUBLE_EQ(speed.angleForValue(140), 135);
    EXPECT_DOUBLE_EQ(speed.angleForValue(-1), -135);
    EXPECT_DOUBLE_EQ(speed.angleForValue(500), 135);

    RoundGauge compass;
    makeCompass(compass);
    EXPECT_DOUBLE_EQ(compass.angleForValue(0), 0);
    EXPECT_DOUBLE_EQ(compass.angleForValue(90), 90);
    EXPECT_DOUBLE_EQ(compass.angleForValue(270), 270);

    // Anticlockwise sweep; a span beyond a full turn is held to one.
    compass.setSweep(90, -180);
    EXPECT_DOUBLE_EQ(compass.angleForValue(360), -90);
    compass.setSweep(0, 720);
    EXPECT_DOUBLE_EQ(compass.angleForValue(360), 360);
}

TEST(RoundGauge, ValueBeyondTheDialIsKeptAndShownInTheReadout)
{
    RoundGauge gauge;
    makeSpeedometer(gauge);
    gauge.setValue(150);
    EXPECT_EQ(gauge.valueText(), "");
    gauge.setValueFormat("%03.0f");
    EXPECT_EQ(gauge.valueText(), "150");
    EXPECT_DOUBLE_EQ(gauge.angleForValue(gauge.value()), 135);

    // Switching to km/h widens the dial: 150 is now inside it.
    gauge.setRange(0, 208);
    EXPECT_DOUBLE_EQ(gauge.value(), 150);
    EXPECT_DOUBLE_EQ(gauge.angleForValue(gauge.value()), -135 + 270 * 150 / 208.0);

    gauge.setValue(std::nan(""));
    EXPECT_DOUBLE_EQ(gauge.value(), 150);
    gauge.setValue(45.6);
    EXPECT_EQ(gauge.valueText(), "046");

    gauge.setRange(100, 20);
    EXPECT_DOUBLE_EQ(gauge.minimum(), 20);
    EXPECT_DOUBLE_EQ(gauge.maximum(), 100);
    gauge.setRange(5, 5);
    EXPECT_DOUBLE_EQ(gauge.angleForValue(5), -135);
}

TEST(RoundGauge, TickLabelsAreTheDivisionValuesOrTheCustomTexts)
{
    RoundGauge gauge;
    makeSpeedometer(gauge);
    EXPECT_EQ(gauge.tickLabelTexts(), QStringList({"0", "10", "20", "30", "40", "50", "60", "70", "80", "90",
                                                   "100", "110", "120", "130", "140"}));
    gauge.setRange(0, 208);
    const QStringList kmh = gauge.tickLabelTexts();
    ASSERT_EQ(kmh.size(), 15);
    EXPECT_EQ(kmh.first(), "0");
    EXPECT_EQ(kmh[7], "104");
    EXPECT_EQ(kmh.last(), "208");

    gauge.setRange(0, 1);
    gauge.setDivisions(4);
    EXPECT_EQ(gauge.tickLabelTexts(), QStringList({"0", "0.25", "0.5", "0.75", "1"}));

    // On a full circle 360 would sit on top of 0.
    RoundGauge compass;
    makeCompass(compass);
    EXPECT_EQ(compass.tickLabelTexts(), QStringList({"0", "45", "90", "135", "180", "225", "270", "315"}));
    compass.setTickLabels({"N", "NE", "E"});
    EXPECT_EQ(compass.tickLabelTexts(), QStringList({"N", "NE", "E", "", "", "", "", ""}));
    compass.setTickLabels({});
    EXPECT_EQ(compass.tickLabelTexts().at(2), "90");
}

TEST(RoundGauge, NeedleIsDrawnTowardsTheValue)
{
    StyleRestorer restore;
    ColourStyles::instance().apply(4);
    RoundGauge speed;
    makeSpeedometer(speed);
    speed.setNeedleColour(Red);
    const QRect minimumSide = around(speed, -135, 0.3);
    const QRect maximumSide = around(speed, 135, 0.3);

    const QImage atMinimum = render(&speed);
    EXPECT_GT(redNear(atMinimum, minimumSide), 5);
    EXPECT_EQ(redNear(atMinimum, maximumSide), 0);
    speed.setValue(300);
    const QImage atMaximum = render(&speed);
    EXPECT_EQ(redNear(atMaximum, minimumSide), 0);
    EXPECT_GT(redNear(atMaximum, maximumSide), 5);

    RoundGauge compass;
    makeCompass(compass);
    compass.setNeedleColour(Red);
    compass.setValue(90);
    const QImage east = render(&compass);
    EXPECT_GT(redNear(east, around(compass, 90, 0.3)), 5);
    EXPECT_EQ(redNear(east, around(compass, 270, 0.3)), 0);
    EXPECT_EQ(redNear(east, around(compass, 0, 0.3)), 0);
}

TEST(RoundGauge, BandIsDrawnAlongTheRimOverItsValues)
{
    StyleRestorer restore;
    ColourStyles::instance().apply(4);
    RoundGauge gauge;
    makeSpeedometer(gauge);
    gauge.setBands({{100, 140, QColor(0, 200, 0)}});
    const QImage image = render(&gauge);
    const auto greenAt = [&](double value) {
        return countNear(image, QColor(0, 200, 0), 60, around(gauge, gauge.angleForValue(value), 0.81));
    };
    EXPECT_GT(greenAt(120), 20);
    EXPECT_EQ(greenAt(20), 0);
    EXPECT_EQ(greenAt(70), 0);
}

TEST(RoundGauge, DialTextAndReadoutAreDrawnInsideTheDial)
{
    RoundGauge gauge;
    makeSpeedometer(gauge);
    gauge.setValue(45);
    gauge.setDialText("MPH");
    const QImage mph = render(&gauge);
    gauge.setDialText("Knots");
    const QImage knots = render(&gauge);
    const QRect upperMiddle(60, 40, 121, 80);
    const QRect lowerMiddle(60, 130, 121, 80);
    EXPECT_GT(differingPixels(mph, knots, upperMiddle), 20);
    EXPECT_EQ(differingPixels(mph, knots, lowerMiddle), 0);

    gauge.setValueFormat("%03.0f");
    const QImage withReadout = render(&gauge);
    EXPECT_GT(differingPixels(knots, withReadout, lowerMiddle), 20);
}

TEST(RoundGauge, FaceFollowsTheColourStyle)
{
    StyleRestorer restore;
    RoundGauge gauge;
    makeSpeedometer(gauge);
    // Right of the centre, inside the labels: plain face while the needle rests at 0.
    const QPoint face(120 + 45, 120);
    ColourStyles::instance().apply(4); // Luna, a day style
    EXPECT_GT(WidgetPainting::luminance(render(&gauge).pixelColor(face)), 0.6);
    ColourStyles::instance().apply(5); // Obsidian, for night driving
    EXPECT_LT(WidgetPainting::luminance(render(&gauge).pixelColor(face)), 0.35);
}

TEST(RoundGauge, TapEmitsClicked)
{
    RoundGauge gauge;
    makeSpeedometer(gauge);
    int clicks = 0;
    QObject::connect(&gauge, &RoundGauge::clicked, [&] { ++clicks; });
    tap(&gauge, {120, 120});
    EXPECT_EQ(clicks, 1);
    // Sliding off before lifting the finger is no tap.
    press(&gauge, {120, 120});
    release(&gauge, {400, 120});
    EXPECT_EQ(clicks, 1);
}
