#include "widgets/CaptionPanel.h"
#include "widgets/TouchLabel.h"
#include "WidgetTestHelpers.h"

#include "widgets/WidgetPainting.h"

#include <gtest/gtest.h>

using namespace WidgetTest;

TEST(TouchLabel, FollowsTheStyleUnlessItHasAColour)
{
    StyleRestorer restore;
    TouchLabel label("Speed");
    ColourStyles::instance().apply(5);
    EXPECT_EQ(label.palette().color(QPalette::WindowText), ColourStyles::style(5).text);
    ColourStyles::instance().apply(0);
    EXPECT_EQ(label.palette().color(QPalette::WindowText), ColourStyles::style(0).text);
    ColourStyles::instance().apply(5);
    label.setTextColour(Qt::yellow);
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(Qt::yellow));
    // Yellow cannot be read on the light window of style 0: it is darkened as far as needed.
    ColourStyles::instance().apply(0);
    const QColor darkened = label.palette().color(QPalette::WindowText);
    EXPECT_GE(WidgetPainting::contrastRatio(darkened, ColourStyles::style(0).window), 4.5);
    EXPECT_GT(darkened.red(), darkened.blue());
    ColourStyles::instance().apply(5);
    label.setTextColour(QColor());
    EXPECT_EQ(label.palette().color(QPalette::WindowText), ColourStyles::style(5).text);
}

TEST(TouchLabel, FontSizeInPixels)
{
    TouchLabel label("x");
    label.setFontPixelSize(27, true);
    EXPECT_EQ(label.font().pixelSize(), 27);
    EXPECT_TRUE(label.font().bold());
}

TEST(TouchLabel, ElideMiddleKeepsTheTextAndDrawsBothEnds)
{
    const QString longText = "AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAZ";
    TouchLabel label(longText);
    label.setTextColour(Qt::black);
    label.setAutoFillBackground(true);
    label.resize(200, 40);
    label.setElideMiddle(true);
    EXPECT_EQ(label.text(), longText);
    EXPECT_LT(label.minimumSizeHint().width(), 200);
    // The last character is still drawn: changing it changes the right-hand pixels.
    const QImage a = render(&label);
    label.setText(longText.chopped(1) + "W");
    const QImage b = render(&label);
    EXPECT_GT(differingPixels(a, b), 5);
    // Without eliding, the end is cut off and changing it changes nothing.
    label.setElideMiddle(false);
    label.setText(longText);
    const QImage c = render(&label);
    label.setText(longText.chopped(1) + "W");
    const QImage d = render(&label);
    EXPECT_EQ(differingPixels(c, d), 0);
}

TEST(CaptionPanel, BackgroundTapEmitsClickedButChildTapDoesNot)
{
    CaptionPanel panel("Now Playing");
    panel.resize(300, 200);
    auto* label = new TouchLabel("child", &panel);
    label->setGeometry(10, 50, 100, 40);
    int clicks = 0;
    QObject::connect(&panel, &CaptionPanel::clicked, [&] { ++clicks; });
    tap(&panel, {200, 150});
    EXPECT_EQ(clicks, 1);
    // A press on the child's place as the panel sees it (a label passes presses on).
    tap(&panel, {50, 70});
    EXPECT_EQ(clicks, 1);
    // Press inside, release outside: no click.
    press(&panel, {200, 150});
    release(&panel, {400, 150});
    EXPECT_EQ(clicks, 1);
}

TEST(CaptionPanel, CaptionAndFillArePainted)
{
    CaptionPanel panel("PLAYLIST");
    panel.resize(300, 120);
    const QImage a = render(&panel);
    panel.setCaption("TRACKS");
    EXPECT_EQ(panel.caption(), "TRACKS");
    const QImage b = render(&panel);
    EXPECT_GT(differingPixels(a, b, QRect(0, 0, 300, 40)), 10);
    EXPECT_EQ(differingPixels(a, b, QRect(0, 60, 300, 50)), 0);
    panel.setFillColour(QColor(0, 0, 128));
    const QImage navy = render(&panel);
    EXPECT_EQ(navy.pixelColor(150, 90), QColor(0, 0, 128));
    panel.setBorder(QColor(255, 0, 0), 4);
    const QImage bordered = render(&panel);
    EXPECT_EQ(bordered.pixelColor(2, 60), QColor(255, 0, 0));
}

TEST(CaptionPanel, ChildButtonConsumesItsTap)
{
    CaptionPanel panel;
    panel.resize(300, 200);
    auto* button = new QWidget(&panel);
    button->setGeometry(10, 10, 100, 60);
    int clicks = 0;
    QObject::connect(&panel, &CaptionPanel::clicked, [&] { ++clicks; });
    tap(&panel, {50, 40});
    EXPECT_EQ(clicks, 0);
    tap(&panel, {250, 150});
    EXPECT_EQ(clicks, 1);
}
