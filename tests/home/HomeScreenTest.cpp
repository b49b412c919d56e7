// The home screen built for real with the program's other windows and platform doubles:
// the tick's speed and heading displays, the ticker, the units and the spoken reports.
#include "dialogs/Myerrorunit.h"
#include "gps/Gpsinfounit.h"
#include "gps/NmeaReceiver.h"
#include "gps/Perfgrap.h"
#include "home/Welcomeframeunit.h"
#include "playlists/Mediaframeunit.h"
#include "support/QtPrinters.h"
#include "support/TestProgram.h"
#include "widgets/CaptionPanel.h"
#include "widgets/LedNumber.h"
#include "widgets/RoundGauge.h"
#include "widgets/TouchButton.h"
#include "widgets/TouchLabel.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const QColor Grey(128, 128, 128);
const QColor LightBlue(227, 239, 255);
const QColor Red(255, 0, 0);
const QColor Lime(0, 255, 0);

const QByteArray SoundsOn = "GPSEnabled=TRUE\r\nClickSounds=TRUE\r\nOtherSounds=TRUE\r\nSpeechSounds=TRUE\r\n";
const QByteArray SoundsOff = "GPSEnabled=TRUE\r\nClickSounds=FALSE\r\nOtherSounds=FALSE\r\nSpeechSounds=FALSE\r\n";

class HomeScreenTest : public ::testing::Test {
protected:
    void start(const QByteArray& configIni = SoundsOn)
    {
        program.start(configIni);
        program.clearEvents();
    }
    TWelcomeFrame& home() const { return *program.main->WelcomeFrame1; }
    TGpsInfo& gps() const { return *program.main->GpsInfo; }
    TPerformanceGraph& graph() const { return *gps().SpeedGraph; }
    void tick() { home().SpeedGraphTimerTimer(); }

    // The receiver decodes an RMC sentence when the next line arrives.
    void moving(const char* knots, const char* course, const char* status = "A")
    {
        const QByteArray body = QByteArray("GPRMC,123519,") + status + ",4807.038,N,01131.000,E," + knots + ','
            + course + ",230394,003.1,W";
        const QByteArray rmc = Nmea::WithChecksum(body) + "\r\n";
        gps().DeliverChunk((rmc + "$GPGGA,123519,4807.038,N,01131.000,E,1,08\r\n").constData());
    }
    // The value of the graph's newest closed column, or nullopt when it is empty.
    std::optional<int32_t> newestGraphValue() const
    {
        const int closed = (graph().CurrentIndex() + graph().HistoryLength() - 1) % graph().HistoryLength();
        if (graph().ColumnCount(closed) == 0)
            return std::nullopt;
        return graph().ColumnValue(closed, 0);
    }
    QColor newestBarColour() const
    {
        const QImage& image = graph().image();
        return image.pixelColor(image.width() - 1, image.height() - 1);
    }
    void send(QWidget* widget, QEvent::Type type)
    {
        const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
        QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &event);
    }
    void tap(QWidget* widget)
    {
        send(widget, QEvent::MouseButtonPress);
        send(widget, QEvent::MouseButtonRelease);
    }
    void doubleTap(QWidget* widget)
    {
        tap(widget);
        send(widget, QEvent::MouseButtonDblClick);
        send(widget, QEvent::MouseButtonRelease);
    }

    TestProgram program;
};

} // namespace

TEST_F(HomeScreenTest, StartsInMilesPerHourWithTheGpsOffline)
{
    start();
    EXPECT_TRUE(home().MphBtn->isChecked());
    EXPECT_EQ(home().SpeedGuage->maximum(), 140);
    EXPECT_EQ(home().SpeedGuage->dialText(), "MPH");
    EXPECT_TRUE(home().SpeedStatusDisplay->isHidden());

    const int column = graph().CurrentIndex();
    tick();
    EXPECT_FALSE(home().SpeedStatusDisplay->isHidden());
    EXPECT_EQ(home().SpeedStatusDisplay->toolTip(), "GPS OFFLINE\n\nWaiting For GPS Data");
    EXPECT_EQ(home().SpeedLed->text(), "000.00");
    EXPECT_EQ(home().SpeedGuage->valueText(), "000");
    EXPECT_EQ(home().SpeedLed->topColour(), Grey);
    EXPECT_EQ(home().CompassLed->topColour(), Grey);
    EXPECT_EQ(graph().CurrentIndex(), column) << "no point while offline";
    EXPECT_TRUE(program.events().isEmpty());
}

TEST_F(HomeScreenTest, TheTickShowsTheClocksDateAndTime)
{
    start();
    const QDateTime now(QDate(2012, 3, 8), QTime(15, 45, 7));
    home().setClock(HomeClock([now] { return now; }, QLocale(QLocale::English), "h:mm:ss AP"));
    tick();
    EXPECT_EQ(home().TopDateOutput->text(), "8-3-2012");
    EXPECT_EQ(home().TopTimeOutput->text(), "3:45 PM ");

    // The time report speaks the time as shown, from a tap on the panel or either label.
    home().AdvSmoothPanel1->clicked();
    tap(home().TopTimeOutput);
    EXPECT_EQ(program.spoken(), (QStringList{"3:45 PM ", "3:45 PM "}));
}

TEST_F(HomeScreenTest, MovingShowsSpeedAndHeadingAndFeedsTheGraph)
{
    start();
    moving("30.0", "45.7"); // 34.52 mph
    tick();
    EXPECT_TRUE(home().SpeedStatusDisplay->isHidden());
    EXPECT_EQ(home().SpeedLed->text(), "034.52");
    EXPECT_EQ(home().SpeedGuage->valueText(), "035");
    EXPECT_EQ(home().CompassLed->text(), "045.70");
    EXPECT_EQ(home().CompassGuage->value(), 45.7);
    EXPECT_EQ(home().SpeedLed->topColour(), LightBlue);
    EXPECT_EQ(home().CompassLed->topColour(), LightBlue);
    EXPECT_EQ(newestGraphValue(), 34);
    EXPECT_EQ(newestBarColour(), Lime);

    moving("0.3", "12");
    tick();
    EXPECT_EQ(home().SpeedLed->text(), "000.00");
    EXPECT_EQ(home().CompassLed->topColour(), Grey);
    EXPECT_EQ(newestGraphValue(), 0) << "standing still adds a black point of 0";
    EXPECT_TRUE(home().SpeedStatusDisplay->isHidden());
}

TEST_F(HomeScreenTest, SilenceAndLostFixesShowTheGpsOffline)
{
    qint64 now = 0;
    start();
    gps().setMonotonicClock([&] { return now; });
    moving("89.6", "45.7"); // 103.11 mph
    tick();
    EXPECT_EQ(home().SpeedLed->text(), "103.11");

    // Three seconds without a valid fix: the last speed is no longer shown, and the hint
    // says why; graph points stop.
    now += 3000;
    const std::optional<int32_t> lastPoint = newestGraphValue();
    tick();
    EXPECT_FALSE(home().SpeedStatusDisplay->isHidden());
    EXPECT_EQ(home().SpeedLed->text(), "000.00");
    EXPECT_EQ(home().SpeedLed->topColour(), Grey);
    EXPECT_TRUE(home().SpeedStatusDisplay->toolTip().contains("Stopped Sending"));
    EXPECT_EQ(newestGraphValue(), lastPoint);

    // The next fix is live again; a void one is offline like no data at all.
    moving("30.0", "45.7");
    tick();
    EXPECT_TRUE(home().SpeedStatusDisplay->isHidden());
    EXPECT_EQ(home().SpeedLed->text(), "034.52");
    moving("80.0", "45.7", "V");
    tick();
    EXPECT_FALSE(home().SpeedStatusDisplay->isHidden());
    EXPECT_EQ(home().SpeedLed->text(), "000.00");
    EXPECT_EQ(home().SpeedStatusDisplay->toolTip(), "GPS OFFLINE\n\nWaiting For GPS Data");
}

TEST_F(HomeScreenTest, KilometresPerHourAt112AreVeryFastButGraphedAs69Mph)
{
    start();
    moving("60.5", "180"); // 112.05 km/h, 69.62 mph
    tick();
    EXPECT_EQ(home().SpeedLed->topColour(), QColor(255, 255, 0)) << "69.62 mph is fast";
    const int pointsBefore = graph().CurrentIndex();

    home().KmphBtn->click();
    EXPECT_EQ(program.events(), (QStringList{"sound:click.wav", "speak:Kilometers per hour."}));
    EXPECT_TRUE(home().KmphBtn->isChecked());
    EXPECT_FALSE(home().MphBtn->isChecked());
    EXPECT_EQ(home().SpeedGuage->maximum(), 208);
    EXPECT_EQ(home().SpeedGuage->dialText(), "KmPH");
    // The tick ran at once: the new unit is shown and the graph got a point.
    EXPECT_EQ(home().SpeedLed->text(), "112.05");
    EXPECT_EQ(home().SpeedLed->topColour(), Red);
    EXPECT_EQ(graph().CurrentIndex(), pointsBefore + 1);
    EXPECT_EQ(newestGraphValue(), 69);
    EXPECT_EQ(newestBarColour(), Red);

    home().KnotsBtn->click();
    EXPECT_EQ(home().SpeedGuage->maximum(), 140);
    EXPECT_EQ(home().SpeedLed->text(), "060.50");
    EXPECT_EQ(program.spoken().last(), "Knots");
}

TEST_F(HomeScreenTest, UnitSwitchWhileOfflineKeepsTheOfflineBand)
{
    start(SoundsOff);
    home().KmphBtnClick();
    EXPECT_EQ(home().SpeedGuage->maximum(), 208);
    EXPECT_EQ(home().SpeedGuage->dialText(), "KmPH");
    EXPECT_TRUE(home().KmphBtn->isChecked());
    EXPECT_FALSE(home().SpeedStatusDisplay->isHidden());
    EXPECT_EQ(home().SpeedLed->topColour(), Grey);
    EXPECT_TRUE(program.events().isEmpty());
}

TEST_F(HomeScreenTest, AnEndOfTrackTickLeavesTheGpsDisplaysAlone)
{
    start();
    program.folder.write("a.mp3", "x");
    program.main->MediaFrame1->playlist().append(program.folder.file("a.mp3"));
    program.main->PlayBtnClick();
    moving("30", "90");
    program.fakes.media->pos = program.fakes.media->len;
    const int column = graph().CurrentIndex();
    tick();
    EXPECT_EQ(home().SpeedLed->text(), "000.00");
    EXPECT_TRUE(home().SpeedStatusDisplay->isHidden()) << "not even the offline band was shown";
    EXPECT_EQ(graph().CurrentIndex(), column);
    tick();
    EXPECT_EQ(home().SpeedLed->text(), "034.52");
}

TEST_F(HomeScreenTest, ReportsFollowTheDisplays)
{
    start();
    tick();
    home().SpeedGuageClick();
    home().CompassLed->clicked();
    home().ReadMeBtn->click();
    EXPECT_EQ(program.spoken(), QStringList(3, "No G P S information available."));

    moving("0.5", "10");
    tick();
    home().SpeedLed->clicked();
    EXPECT_EQ(program.spoken().last(), "You are stationary.");

    // 44.995 mph is shown as 045.00: the reports read what is shown.
    moving("39.1", "270.9");
    tick();
    home().SpeedGuage->clicked();
    home().CompassGuage->clicked();
    home().ReadMeBtnClick();
    EXPECT_EQ(program.spoken().mid(4), (QStringList{"Speed. 45 Miles per hour.", "Direction. 270 degrees.",
                                                    "Speed. 45 Miles per hour.. Direction. 270 degrees."}));
    EXPECT_FALSE(program.events().contains("sound:click.wav")) << "the reports make no click";
}

TEST_F(HomeScreenTest, WithSpeechOffOnlyTheReadAloudButtonsSpeak)
{
    start(SoundsOff);
    tick();
    home().SpeedGuageClick();
    home().CompassGuageClick();
    home().AdvSmoothPanel1Click();
    EXPECT_TRUE(program.events().isEmpty());

    home().ReadMeBtnClick();
    home().NowPlayingReadMeBtn->click();
    EXPECT_EQ(program.spoken(), (QStringList{"No G P S information available.", "No Media Selected   "}));
}

TEST_F(HomeScreenTest, TheStatusIndicatorShowsItsHintAsANotice)
{
    start();
    tick();
    home().SpeedStatusDisplay->click();
    EXPECT_EQ(program.events().first(), "sound:click.wav");
    EXPECT_TRUE(program.main->MyError->isVisible());
    EXPECT_EQ(program.main->MyError->ErrorText->text(), "GPS OFFLINE\n\nWaiting For GPS Data");
}

TEST_F(HomeScreenTest, TheGpsButtonOpensTheGpsScreenModally)
{
    start();
    bool shownModally = false;
    whenModalOpens([&] {
        shownModally = gps().isVisible() && gps().isModal();
        gps().DoneBtnClick();
    });
    home().AdvSmoothButton1->click();
    EXPECT_TRUE(shownModally);
    EXPECT_FALSE(gps().isVisible());
    EXPECT_EQ(program.events().mid(0, 2), (QStringList{"sound:click.wav", "speak:G P S Info"}));
}

TEST_F(HomeScreenTest, DoubleTappingTheDateOpensTheDateAndTimeSettings)
{
    start();
    QStringList started;
    home().setDateTimeSettings(DateTimeSettings([](const QString& name) { return "/usr/bin/" + name; }, {"GNOME"},
                                                [&](const QString& program, const QStringList& arguments) {
                                                    started << program + ' ' + arguments.join(' ');
                                                    return true;
                                                }));
    doubleTap(home().TopDateOutput);
    EXPECT_EQ(started, QStringList{"/usr/bin/gnome-control-center datetime"});
    EXPECT_EQ(program.spoken().size(), 1) << "the first tap speaks the time, the second opens the settings";
}

TEST_F(HomeScreenTest, TheTickerRotatesOnlyWhileRunning)
{
    start(SoundsOff);
    home().SetNowPlayingText("abc");
    home().TextScrollTimerTimer();
    EXPECT_EQ(home().NowPlayingStatus->text(), "abc");

    tap(home().NowPlayingStatus);
    EXPECT_TRUE(home().tickerRunning());
    EXPECT_EQ(home().NowPlayingStatus->text(), "abc   ");
    ASSERT_TRUE(QMetaObject::invokeMethod(home().TextScrollTimer, "timeout"));
    EXPECT_EQ(home().NowPlayingStatus->text(), "bc   a");
    for (int i = 1; i < 6; ++i)
        home().TextScrollTimerTimer();
    EXPECT_EQ(home().NowPlayingStatus->text(), "abc   ") << "six steps bring six characters round";

    // Stopping shows the hint, which the tick has by then rewritten.
    tick();
    home().NowPlayingStatusClick();
    EXPECT_FALSE(home().tickerRunning());
    EXPECT_EQ(home().NowPlayingStatus->text(), "No Media Selected   ");
}

TEST_F(HomeScreenTest, TheTickerLeavesAnEmptyCaptionAndWholeCharactersAlone)
{
    start(SoundsOff);
    home().SetNowPlayingText("");
    home().NowPlayingStatusClick();
    home().SetNowPlayingText("");
    home().TextScrollTimerTimer();
    EXPECT_EQ(home().NowPlayingStatus->text(), "");

    const QString note = QString::fromUtf8("\xF0\x9D\x84\x9E"); // one character, two code units
    home().SetNowPlayingText(note + "x");
    home().TextScrollTimerTimer();
    EXPECT_EQ(home().NowPlayingStatus->text(), "x" + note);
}
