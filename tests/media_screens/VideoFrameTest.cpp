// The video screen: the strip at the top and the picture's size.
#include "MediaScreenTest.h"

#include "config/Settingsunit.h"
#include "playback/Videoframeunit.h"
#include "widgets/CaptionPanel.h"
#include "widgets/TouchButton.h"

#include <QCoreApplication>
#include <QMouseEvent>

namespace {

class VideoFrameTest : public MediaScreenTest {
protected:
    void SetUp() override
    {
        start();
        m().show(); // the strip takes up the colour mode when the screen is first shown
    }
    TVideoFrame& v() const { return *m().VideoFrame1; }
    QColor stripColour() const
    {
        const QImage strip = v().ButtonPanel->grab().toImage();
        return strip.pixelColor(strip.width() / 2, strip.height() / 2);
    }
};

} // namespace

TEST_F(VideoFrameTest, ATapOnThePictureOpensAndClosesTheStripAndRescalesThePicture)
{
    QCoreApplication::processEvents(); // the interface is shown
    EXPECT_EQ(player().displayWindow, v().VideoOutput) << "the player draws here from the start";
    m().ShowScreen(TMainForm::Video);
    EXPECT_EQ(v().ButtonPanel->height(), 0);
    EXPECT_EQ(v().VideoOutput->geometry(), QRect(0, 0, 528, 595));

    const QPoint centre = v().VideoOutput->rect().center();
    QMouseEvent press(QEvent::MouseButtonPress, centre, v().VideoOutput->mapToGlobal(centre), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, centre, v().VideoOutput->mapToGlobal(centre), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(v().VideoOutput, &press);
    QCoreApplication::sendEvent(v().VideoOutput, &release);

    EXPECT_EQ(v().ButtonPanel->geometry(), QRect(0, 0, 528, 49));
    EXPECT_EQ(v().VideoOutput->geometry(), QRect(0, 49, 528, 546));
    EXPECT_EQ(player().displayRect, QRect(0, 0, 528, 546));
    EXPECT_TRUE(program.events().isEmpty());

    v().VideoOutputClick();
    EXPECT_EQ(v().ButtonPanel->height(), 0);
    EXPECT_EQ(v().VideoOutput->geometry(), QRect(0, 0, 528, 595));
    EXPECT_EQ(player().displayRect, QRect(0, 0, 528, 595));
    EXPECT_FALSE(player().isOpen());
}

TEST_F(VideoFrameTest, TheStripFollowsTheColourMode)
{
    m().ShowScreen(TMainForm::Video);
    v().VideoOutputClick();
    EXPECT_EQ(stripColour(), QColor(Qt::black)) << "night colours by default";

    program.options().DayColourBtn->click();
    EXPECT_EQ(stripColour(), QColor(Qt::white));
    program.options().NightColourBtn->click();
    EXPECT_EQ(stripColour(), QColor(Qt::black));
}

