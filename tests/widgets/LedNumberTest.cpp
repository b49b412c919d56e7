#include "widgets/LedNumber.h"
#include "WidgetTestHelpers.h"

#include <gtest/gtest.h>

using namespace WidgetTest;

namespace {

// The usual seven-segment letters: a top, b top right, c bottom right, d bottom,
// e bottom left, f top left, g middle.
LedNumber::Segments fromLetters(const char* letters)
{
    static const LedNumber::Segment byLetter[] = {LedNumber::Top,        LedNumber::TopRight, LedNumber::BottomRight,
                                                  LedNumber::Bottom,     LedNumber::BottomLeft, LedNumber::TopLeft,
                                                  LedNumber::Middle};
    LedNumber::Segments segments;
    for (const char* c = letters; *c; ++c)
        segments |= byLetter[*c - 'a'];
    return segments;
}

bool isLit(const QColor& colour)
{
    return colour.red() + colour.green() + colour.blue() > 300;
}

// First and last rows holding a lit pixel (-1, -1 when none).
std::pair<int, int> litRows(const QImage& image)
{
    int first = -1, last = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (isLit(image.pixelColor(x, y))) {
                if (first < 0)
                    first = y;
                last = y;
                break;
            }
    return {first, last};
}

}

TEST(LedNumber, EachCharacterLightsItsSegments)
{
    const struct {
        char character;
        const char* letters;
    } digits[] = {{'0', "abcdef"}, {'1', "bc"},    {'2', "abdeg"},  {'3', "abcdg"},   {'4', "bcfg"},
                  {'5', "acdfg"},  {'6', "acdefg"}, {'7', "abc"},   {'8', "abcdefg"}, {'9', "abcdfg"},
                  {'-', "g"},      {' ', ""},       {'x', ""}};
    for (const auto& digit : digits)
        EXPECT_EQ(LedNumber::segmentsFor(QLatin1Char(digit.character)), fromLetters(digit.letters))
            << "character '" << digit.character << "'";
    EXPECT_EQ(LedNumber::segmentsFor(QLatin1Char('.')), LedNumber::Segments(LedNumber::Point));
    EXPECT_EQ(LedNumber::segmentsFor(QLatin1Char(':')), LedNumber::Segments(LedNumber::Colon));
}

TEST(LedNumber, LitSegmentsShowTheDigitAndUnlitOnesGlowFaintly)
{
    LedNumber led;
    led.resize(60, 60);
    led.setText("8");
    const QImage eight = render(&led);
    led.setText("1");
    const QImage one = render(&led);
    led.setText(" ");
    const QImage blank = render(&led);
    led.setText("");
    const QImage empty = render(&led);

    EXPECT_GT(differingPixels(eight, one), 200);
    EXPECT_NE(litRows(one).first, -1);
    // A blank cell shows its unlit segments, dimly.
    EXPECT_GT(differingPixels(blank, empty), 100);
    EXPECT_EQ(litRows(blank).first, -1);
}

TEST(LedNumber, DigitsFillTheHeightAndShrinkToFitTheWidth)
{
    LedNumber led("8");
    led.resize(200, 60);
    const auto [top, bottom] = litRows(render(&led));
    EXPECT_LE(top, 6);
    EXPECT_GE(bottom, 53);

    // Too wide for the height: the whole text still shows, smaller.
    led.setText("888.88");
    led.resize(120, 60);
    const QImage narrow = render(&led);
    const auto [narrowTop, narrowBottom] = litRows(narrow);
    EXPECT_GT(narrowTop, 6);
    EXPECT_LT(narrowBottom, 53);
    for (int y = 0; y < narrow.height(); ++y) {
        EXPECT_FALSE(isLit(narrow.pixelColor(0, y)));
        EXPECT_FALSE(isLit(narrow.pixelColor(narrow.width() - 1, y)));
    }
}

TEST(LedNumber, LitSegmentsRunFromTheTopColourToTheBottomColour)
{
    LedNumber led("8");
    led.resize(60, 100);
    led.setColours(QColor(255, 0, 0), QColor(0, 0, 255));
    const QImage image = render(&led);
    // The top segment is red, the bottom one blue.
    const QColor high = image.pixelColor(30, 10);
    const QColor low = image.pixelColor(30, 90);
    EXPECT_GT(high.red(), 150);
    EXPECT_LT(high.blue(), 100);
    EXPECT_GT(low.blue(), 150);
    EXPECT_LT(low.red(), 100);
}

TEST(LedNumber, TapEmitsClicked)
{
    LedNumber led("045.5");
    led.resize(150, 40);
    int clicks = 0;
    QObject::connect(&led, &LedNumber::clicked, [&] { ++clicks; });
    tap(&led, {75, 20});
    EXPECT_EQ(clicks, 1);
    press(&led, {75, 20});
    release(&led, {75, 200});
    EXPECT_EQ(clicks, 1);
}
