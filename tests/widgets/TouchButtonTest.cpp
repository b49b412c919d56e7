#include "widgets/TouchButton.h"
#include "widgets/TouchLabel.h"
#include "WidgetTestHelpers.h"
#include "widgets/WidgetPainting.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QHelpEvent>
#include <QToolTip>
#include <gtest/gtest.h>

using namespace WidgetTest;

namespace {

struct Clicks {
    explicit Clicks(QAbstractButton* button)
    {
        QObject::connect(button, &QAbstractButton::clicked, &context, [this] { ++clicked; });
        QObject::connect(button, &QAbstractButton::toggled, &context, [this](bool on) { toggled.push_back(on); });
    }
    QObject context;
    int clicked = 0;
    std::vector<bool> toggled;
};

}

TEST(TouchButton, TapEmitsClicked)
{
    TouchButton button("HOME");
    button.resize(120, 60);
    Clicks clicks(&button);
    tap(&button, {60, 30});
    EXPECT_EQ(clicks.clicked, 1);
    EXPECT_FALSE(button.isChecked());
}

TEST(TouchButton, CheckableTapFlipsBeforeClicked)
{
    TouchButton button("SOUND");
    button.resize(120, 60);
    button.setCheckable(true);
    bool downAtClick = false;
    QObject::connect(&button, &QAbstractButton::clicked, [&] { downAtClick = button.isChecked(); });
    tap(&button, {60, 30});
    EXPECT_TRUE(button.isChecked());
    EXPECT_TRUE(downAtClick);
    tap(&button, {60, 30});
    EXPECT_FALSE(button.isChecked());
    EXPECT_FALSE(downAtClick);
}

TEST(ToggleGroup, ExclusiveTapSetsOneDown)
{
    TouchButton a("A"), b("B"), c("C");
    ToggleGroup group(false);
    for (TouchButton* button : {&a, &b, &c}) {
        group.add(button);
        button->resize(100, 60);
        EXPECT_TRUE(button->isCheckable());
    }
    tap(&a, {50, 30});
    EXPECT_TRUE(a.isChecked());
    EXPECT_FALSE(b.isChecked());
    tap(&b, {50, 30});
    EXPECT_FALSE(a.isChecked());
    EXPECT_TRUE(b.isChecked());
    EXPECT_FALSE(c.isChecked());
    EXPECT_EQ(group.downButton(), &b);
}

TEST(ToggleGroup, WithoutAllUpTheDownOneStaysDownAndStillClicks)
{
    TouchButton a("A"), b("B");
    ToggleGroup group(false);
    group.add(&a);
    group.add(&b);
    a.resize(100, 60);
    group.setDown(&a);
    Clicks clicks(&a);
    tap(&a, {50, 30});
    EXPECT_TRUE(a.isChecked());
    EXPECT_FALSE(b.isChecked());
    EXPECT_EQ(clicks.clicked, 1);
}

TEST(ToggleGroup, WithAllUpPressingTheDownOneReleasesAll)
{
    TouchButton repeat("REPEAT"), shuffle("SHUFFLE");
    ToggleGroup group(true);
    group.add(&repeat);
    group.add(&shuffle);
    repeat.resize(100, 60);
    shuffle.resize(100, 60);
    tap(&repeat, {50, 30});
    EXPECT_TRUE(repeat.isChecked());
    tap(&shuffle, {50, 30});
    EXPECT_FALSE(repeat.isChecked());
    EXPECT_TRUE(shuffle.isChecked());
    Clicks clicks(&shuffle);
    tap(&shuffle, {50, 30});
    EXPECT_FALSE(repeat.isChecked());
    EXPECT_FALSE(shuffle.isChecked());
    EXPECT_EQ(clicks.clicked, 1);
    EXPECT_EQ(group.downButton(), nullptr);
}

TEST(ToggleGroup, SetDownRunsNoClickHandler)
{
    TouchButton day("DAY"), night("NIGHT");
    ToggleGroup group(false);
    group.add(&day);
    group.add(&night);
    Clicks dayClicks(&day), nightClicks(&night);
    group.setDown(&night);
    EXPECT_TRUE(night.isChecked());
    EXPECT_FALSE(day.isChecked());
    group.setDown(&day);
    EXPECT_TRUE(day.isChecked());
    EXPECT_FALSE(night.isChecked());
    EXPECT_EQ(dayClicks.clicked, 0);
    EXPECT_EQ(nightClicks.clicked, 0);
    group.setDown(nullptr);
    EXPECT_FALSE(day.isChecked());
    EXPECT_FALSE(night.isChecked());
}

TEST(ToggleGroup, SetCheckedFromCodeKeepsGroupExclusive)
{
    TouchButton a("A"), b("B");
    ToggleGroup group(true);
    group.add(&a);
    group.add(&b);
    a.setChecked(true);
    b.setChecked(true);
    EXPECT_FALSE(a.isChecked());
    EXPECT_TRUE(b.isChecked());
}

TEST(ToggleGroup, SurvivesAMemberBeingDeleted)
{
    auto* a = new TouchButton("A");
    TouchButton b("B");
    ToggleGroup group(false);
    group.add(a);
    group.add(&b);
    group.setDown(a);
    delete a;
    group.setDown(&b);
    EXPECT_TRUE(b.isChecked());
    EXPECT_EQ(group.downButton(), &b);
}

TEST(TouchButtonPaint, BevelColourIsOnTheEdge)
{
    TouchButton button("HOME");
    button.resize(140, 70);
    button.setBevelColour(QColor(0, 255, 0));
    const QImage lime = render(&button);
    button.setBevelColour(QColor(0, 0, 0));
    const QImage black = render(&button);
    // Middle of the left and right edges and of the top and bottom edges, two pixels in.
    for (QPoint at : {QPoint(2, 35), QPoint(137, 35), QPoint(70, 2), QPoint(70, 67)}) {
        EXPECT_EQ(lime.pixelColor(at), QColor(0, 255, 0)) << at.x() << "," << at.y();
        EXPECT_EQ(black.pixelColor(at), QColor(0, 0, 0)) << at.x() << "," << at.y();
    }
    // The outline is a few pixels thick all round: many lime pixels.
    EXPECT_GT(countNear(lime, QColor(0, 255, 0), 10), 2 * (140 + 70) * 2);
}

TEST(TouchButtonPaint, DownToggleLooksDifferentFromUp)
{
    for (int style = 0; style < ColourStyles::Count; ++style) {
        StyleRestorer restore;
        ColourStyles::instance().apply(style);
        TouchButton button("SPEECH");
        button.setCheckable(true);
        button.resize(150, 70);
        const QImage up = render(&button);
        button.setChecked(true);
        const QImage down = render(&button);
        // Most of the face changes, not just a few pixels.
        EXPECT_GT(differingPixels(up, down), 150 * 70 / 2) << style;
        // The face's middle row, left of the caption, changes colour clearly.
        const QColor u = up.pixelColor(14, 40), d = down.pixelColor(14, 40);
        EXPECT_GT(std::abs(u.red() - d.red()) + std::abs(u.green() - d.green()) + std::abs(u.blue() - d.blue()), 60)
            << style;
    }
}

TEST(TouchButtonPaint, CaptionColourAndCaptionAreDrawn)
{
    TouchButton button("MUTE");
    button.resize(150, 70);
    button.setCaptionColour(QColor(160, 0, 0));
    const QImage red = render(&button);
    button.setText("PLAY");
    const QImage other = render(&button);
    EXPECT_GT(differingPixels(red, other), 20);
    EXPECT_GT(countNear(red, QColor(160, 0, 0), 60, QRect(20, 15, 110, 40)), 20);
}

TEST(TouchButtonPaint, GlyphsAreDrawnAndDiffer)
{
    TouchButton button;
    button.resize(90, 60);
    std::vector<QImage> images;
    for (Glyph g : {Glyph::None, Glyph::Play, Glyph::Stop, Glyph::Previous, Glyph::Next, Glyph::Done, Glyph::Close,
                    Glyph::ReadAloud, Glyph::Folder, Glyph::Up, Glyph::Down, Glyph::Add, Glyph::Remove,
                    Glyph::NewList, Glyph::Save, Glyph::Open, Glyph::Info, Glyph::Globe, Glyph::Repeat,
                    Glyph::Shuffle, Glyph::Power, Glyph::Restart, Glyph::Minimise, Glyph::Keyboard, Glyph::Launch, Glyph::File}) {
        button.setGlyph(g);
        images.push_back(render(&button));
    }
    for (size_t i = 0; i < images.size(); ++i)
        for (size_t j = i + 1; j < images.size(); ++j)
            EXPECT_GT(differingPixels(images[i], images[j]), 40) << i << " vs " << j;
}

TEST(TouchButtonPaint, RepaintsWithTheStyle)
{
    StyleRestorer restore;
    TouchButton button("X");
    button.resize(100, 60);
    ColourStyles::instance().apply(4);
    const QImage luna = render(&button);
    ColourStyles::instance().apply(5);
    const QImage obsidian = render(&button);
    EXPECT_GT(differingPixels(luna, obsidian), 100 * 60 / 2);
}

TEST(TouchButtonPaint, FaceColourOverridesTheStyle)
{
    TouchButton button;
    button.resize(100, 60);
    button.setFaceColour(QColor(200, 0, 0));
    const QImage image = render(&button);
    const QColor middle = image.pixelColor(50, 45);
    EXPECT_GT(middle.red(), 120);
    EXPECT_LT(middle.green(), 80);
}

TEST(TouchHints, StayTheControlsOwnAndNeverPopUp)
{
    TouchButton button("GPS");
    TouchLabel label("Now playing");
    for (QWidget* control : std::initializer_list<QWidget*>{&button, &label}) {
        control->setToolTip("Waiting for the GPS receiver");
        control->show();
        const QPoint centre = control->rect().center();
        QHelpEvent resting(QEvent::ToolTip, centre, control->mapToGlobal(centre));
        QCoreApplication::sendEvent(control, &resting);
        EXPECT_FALSE(QToolTip::isVisible());
        EXPECT_EQ(control->toolTip(), "Waiting for the GPS receiver");
    }
}

TEST(FittingFont, IsTheLargestSizeAtWhichEveryLineFits)
{
    const QFont full = WidgetPainting::touchFont(30, true);
    const QString text = QStringLiteral("Speech Sounds\nOn");
    const auto widest = [&](int pixels) {
        QFont font = full;
        font.setPixelSize(pixels);
        return QFontMetricsF(font).horizontalAdvance(QStringLiteral("Speech Sounds"));
    };
    EXPECT_EQ(WidgetPainting::fittingFont(full, text, widest(30)).pixelSize(), 30);
    for (int room : {int(widest(27)), int(widest(23)) + 1}) {
        const int pixels = WidgetPainting::fittingFont(full, text, room).pixelSize();
        EXPECT_LE(widest(pixels), room);
        EXPECT_GT(widest(pixels + 1), room) << room;
    }
    EXPECT_EQ(WidgetPainting::fittingFont(full, text, 10).pixelSize(), 20); // two thirds, the smallest
}
