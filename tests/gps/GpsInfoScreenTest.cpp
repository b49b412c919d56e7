// The GPS information screen TGpsInfo built for real with the program's
// other windows and platform doubles; one test reads a real pseudo-terminal.
#include "GpsTestPrinters.h"
#include "PtyPair.h"
#include "config/Settingsunit.h"
#include "gps/Gpsinfounit.h"
#include "gps/Perfgrap.h"
#include "platform/TermiosSerialPort.h"
#include "shell/Mainunit.h"
#include "shell/Startup.h"
#include "support/Doubles.h"
#include "support/EventSpin.h"
#include "support/TempFolder.h"
#include "widgets/TabPager.h"
#include "widgets/TouchButton.h"
#include "widgets/TouchLabel.h"
#include "widgets/WidgetPainting.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

#include <unistd.h>

namespace {

const QColor Green(0, 128, 0);
const QColor Blue(0, 0, 255);
// Red as it shows in a white text box: darkened just enough to read.
const QColor Red = WidgetPainting::readableOn(QColor(255, 0, 0), {Qt::white});

const QByteArray Rmc = "$GPRMC,123519,A,4807.038,N,01131.000,E,12.3,45.7,230394,003.1,W*60";
const QByteArray Gga = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47";

QByteArray line(const QByteArray& s) { return s + "\r\n"; }

QColor textColour(const QWidget* w) { return w->palette().color(QPalette::Text); }

// The program with its windows in start-up order, the GPS screen last.
class GpsScreenTest : public ::testing::Test {
protected:
    void start(const QByteArray& configIni, std::function<std::unique_ptr<SerialPort>(const QString&)> createPort = {})
    {
        folder.write(ConfigFileName, configIni);
        Services services = fakes.make(folder.path());
        if (createPort)
            services.createSerialPort = std::move(createPort);
        main = Startup::createWindows(std::move(services));
    }
    TGpsInfo& gps() const { return *main->GpsInfo; }
    // The boxes follow the receiver only while the screen is shown.
    void showScreen() const { gps().show(); }
    void deliver(const QByteArray& text) { gps().DeliverChunk(text.constData()); }

    TempFolder folder;
    FakeServices fakes;
    std::unique_ptr<TMainForm> main;
};

const QByteArray Enabled = "GPSPort=COM3\r\nGPSEnabled=TRUE\r\nClickSounds=TRUE\r\n";

} // namespace

TEST_F(GpsScreenTest, CreatedHiddenWithUnknownReadings)
{
    start(Enabled);
    EXPECT_FALSE(gps().isVisible());
    EXPECT_EQ(gps().size(), QSize(596, 480));
    EXPECT_NEAR(gps().windowOpacity(), 245.0 / 255.0, 0.01);
    EXPECT_EQ(gps().HeadingLabel->text(), "GPS INFO");
    EXPECT_EQ(gps().SpeedKnots(), -1);
    EXPECT_EQ(gps().SpeedMph(), -1);
    EXPECT_EQ(gps().SpeedKmph(), -1);
    EXPECT_EQ(gps().HeadingDegrees(), -1);
    EXPECT_EQ(gps().Speed->text(), "-1");
    EXPECT_EQ(gps().Heading->text(), "-1");
    EXPECT_EQ(gps().KphDisplay->text(), "0");
    EXPECT_EQ(gps().MphDisplay->text(), "0");
    EXPECT_EQ(gps().KmphDisp->text(), "0");
    EXPECT_TRUE(gps().Memo1->toPlainText().isEmpty());
    EXPECT_TRUE(gps().GPSLog->toPlainText().isEmpty());
    EXPECT_TRUE(gps().GPSLog->isReadOnly());
    EXPECT_EQ(gps().GPSLog->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(gps().Memo1->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_TRUE(gps().Port->isReadOnly());
    EXPECT_EQ(gps().Port->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    EXPECT_EQ(gps().Speed->alignment() & Qt::AlignRight, Qt::AlignRight);
    EXPECT_EQ(gps().ClearGraphBtn->text(), " Clear ");

    ASSERT_EQ(gps().AdvSmoothTabPager1->count(), 2);
    EXPECT_EQ(gps().AdvSmoothTabPager1->pageCaption(0), "GPS Info");
    EXPECT_EQ(gps().AdvSmoothTabPager1->pageCaption(1), "Advanced  ");

    TPerformanceGraph& g = *gps().SpeedGraph;
    EXPECT_EQ(g.size(), QSize(551, 158));
    EXPECT_EQ(g.Kind(), pgBar);
    EXPECT_EQ(g.ForeColor(), QColor(0, 0, 128));
    EXPECT_EQ(g.BackColor(), QColor(0, 0, 0));
    EXPECT_EQ(g.GridSize(), 10);
    EXPECT_EQ(g.StepSize(), 1);
    EXPECT_EQ(g.Scale(), 0);
    EXPECT_EQ(g.Gradient(), 100);
    EXPECT_EQ(g.PenWidth(), 1);
    EXPECT_TRUE(g.Gridlines());
    EXPECT_EQ(g.HistoryLength(), 553);
    EXPECT_EQ(gps().SpeedGraphCaption->text(), "History (MPH)");
}

TEST_F(GpsScreenTest, NoneOpensNoPort)
{
    start("GPSPort=NONE\r\n");
    EXPECT_EQ(fakes.serial, nullptr);
    EXPECT_FALSE(gps().PortOpen());
    EXPECT_EQ(gps().Port->text(), "NO COM PORT");
    EXPECT_EQ(textColour(gps().Port), Red);
    EXPECT_EQ(gps().GpsStatusHint(), "NO GPS PORT\n\nSelect COM Port for GPS in the Hardware section of Options.");
}

TEST_F(GpsScreenTest, OpenedPortIsShownInGreen)
{
    start(Enabled);
    ASSERT_NE(fakes.serial, nullptr);
    EXPECT_EQ(fakes.serial->openedNames, QStringList{"COM3"});
    EXPECT_TRUE(gps().PortOpen());
    EXPECT_EQ(gps().Port->text(), "COM3");
    EXPECT_EQ(textColour(gps().Port), Green);
    EXPECT_TRUE(gps().GpsStatusHint().isEmpty());
}

TEST_F(GpsScreenTest, PortThatCannotBeOpenedIsShownInRed)
{
    start("GPSPort=COM3\r\n", [](const QString&) {
        auto port = std::make_unique<FakeSerialPort>();
        port->openResult = false;
        return port;
    });
    EXPECT_FALSE(gps().PortOpen());
    EXPECT_EQ(gps().Port->text(), "ERROR COM3");
    EXPECT_EQ(textColour(gps().Port), Red);
    EXPECT_EQ(gps().GpsStatusHint(), "INVALID PORT\n\nSelect correct GPS COM Port. COM3 could not be opened.");
}

TEST_F(GpsScreenTest, DefaultPortWithoutConfigFileIsTried)
{
    // No config.ini: the defaults name COM8.
    Services services = fakes.make(folder.path());
    main = Startup::createWindows(std::move(services));
    ASSERT_NE(fakes.serial, nullptr);
    EXPECT_EQ(fakes.serial->openedNames, QStringList{"COM8"});
}

TEST_F(GpsScreenTest, DecodesWhileHiddenAndFillsTheBoxesOnceShown)
{
    start(Enabled);
    ASSERT_FALSE(gps().isVisible());
    deliver(line(Gga) + line(Rmc) + line(Gga) + "$GP");
    EXPECT_EQ(gps().SpeedKnots(), 12.3);
    EXPECT_EQ(gps().receiver().Log().size(), 3);
    // Nothing refilled meanwhile.
    EXPECT_TRUE(gps().GPSLog->toPlainText().isEmpty());
    EXPECT_TRUE(gps().Memo1->toPlainText().isEmpty());
    EXPECT_EQ(gps().KphDisplay->text(), "0");

    showScreen();
    EXPECT_EQ(gps().GPSLog->toPlainText(), QString::fromLatin1(Gga + "\n" + Rmc + "\n" + Gga));
    EXPECT_EQ(gps().Memo1->toPlainText(), "$GP");
    EXPECT_EQ(gps().LastSentence->text(), QString::fromLatin1(Rmc));
    EXPECT_EQ(textColour(gps().LastSentence), Green);
    EXPECT_EQ(gps().KphDisplay->text(), "12.3");
    EXPECT_EQ(gps().Heading->text(), "45");

    // Hidden again: the boxes keep what they showed until the next time.
    gps().hide();
    deliver(line(Nmea::WithChecksum("GPRMC,1,A,2,N,3,E,5.0,90.0,4,,").mid(3)) + line(Gga));
    EXPECT_EQ(gps().SpeedKnots(), 5.0);
    EXPECT_EQ(gps().KphDisplay->text(), "12.3");
    showScreen();
    EXPECT_EQ(gps().KphDisplay->text(), "5");
}

TEST_F(GpsScreenTest, CutsAndDecodesIntoTheBoxesWhileShown)
{
    start(Enabled);
    showScreen();
    deliver(line(Rmc) + Gga.left(10));
    EXPECT_EQ(gps().GPSLog->toPlainText(), QString::fromLatin1(Rmc));
    EXPECT_EQ(gps().Memo1->toPlainText(), QString::fromLatin1(Gga.left(10)));
    // The first sentence examines nothing: LastSentence empty and blue.
    EXPECT_EQ(gps().LastSentence->text(), "");
    EXPECT_EQ(textColour(gps().LastSentence), Blue);
    EXPECT_EQ(gps().SpeedKnots(), -1);

    deliver(Gga.mid(10, 20));
    deliver(Gga.mid(30) + "\r");
    deliver("\n");
    EXPECT_EQ(gps().GPSLog->toPlainText(), QString::fromLatin1(Gga + "\n" + Rmc));
    EXPECT_EQ(gps().LastSentence->text(), QString::fromLatin1(Rmc));
    EXPECT_EQ(textColour(gps().LastSentence), Green);
    EXPECT_EQ(gps().SpeedKnots(), 12.3);
    EXPECT_EQ(gps().SpeedMph(), 12.3 * 1.15077945);
    EXPECT_EQ(gps().SpeedKmph(), 12.3 * 1.852);
    EXPECT_EQ(gps().HeadingDegrees(), 45.7);
    EXPECT_EQ(gps().KphDisplay->text(), "12.3");
    EXPECT_EQ(gps().MphDisplay->text(), "14.154587235");
    EXPECT_EQ(gps().KmphDisp->text(), "22.7796");
    EXPECT_EQ(gps().Speed->text(), "14");
    EXPECT_EQ(gps().Heading->text(), "45");
    EXPECT_TRUE(gps().Memo1->toPlainText().isEmpty());

    deliver(line(Gga));
    EXPECT_EQ(gps().LastSentence->text(), QString::fromLatin1(Gga));
    EXPECT_EQ(textColour(gps().LastSentence), Blue);
}

TEST_F(GpsScreenTest, ChunksAreDroppedWhileGpsInputIsOff)
{
    start("GPSPort=COM3\r\nGPSEnabled=FALSE\r\n");
    showScreen();
    ASSERT_FALSE(main->feedback().liveSetting(LiveSetting::GPSEnabled));
    deliver(line(Rmc) + line(Gga));
    EXPECT_TRUE(gps().GPSLog->toPlainText().isEmpty());
    EXPECT_EQ(gps().SpeedKnots(), -1);

    // Switched on on the options screen: the next chunk is taken.
    main->SettingsForm->GpsBtn->setChecked(true);
    deliver(line(Rmc) + "$GP");
    EXPECT_EQ(gps().GPSLog->toPlainText(), QString::fromLatin1(Rmc));

    // Off again: text still pending is kept, chunks meanwhile are lost.
    main->SettingsForm->GpsBtn->setChecked(false);
    deliver("GGA,lost\r\n");
    EXPECT_EQ(gps().Memo1->toPlainText(), "$GP");
    main->SettingsForm->GpsBtn->setChecked(true);
    deliver("GGA,kept\r\n");
    EXPECT_EQ(gps().GPSLog->toPlainText(), QString::fromLatin1("$GPGGA,kept\n" + Rmc));
}

TEST_F(GpsScreenTest, ResetEmptiesLogAndPending)
{
    start(Enabled);
    showScreen();
    deliver(line(Gga) + line(Rmc) + "$GPG");
    ASSERT_FALSE(gps().GPSLog->toPlainText().isEmpty());
    fakes.log.events.clear();
    gps().ResetGpsBtn->click();
    EXPECT_TRUE(gps().GPSLog->toPlainText().isEmpty());
    EXPECT_TRUE(gps().Memo1->toPlainText().isEmpty());
    EXPECT_TRUE(gps().receiver().Log().isEmpty());
    EXPECT_TRUE(gps().receiver().Pending().isEmpty());
    EXPECT_EQ(fakes.log.events, QStringList{"sound:click.wav"});
    // After a reset the first sentence examines nothing again.
    deliver(line(Rmc));
    EXPECT_EQ(gps().LastSentence->text(), "");
}

TEST_F(GpsScreenTest, EnterPressesTheDefaultResetButton)
{
    start(Enabled);
    deliver(line(Gga));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(&gps(), &enter);
    EXPECT_TRUE(gps().receiver().Log().isEmpty());
}

TEST_F(GpsScreenTest, ClickSoundFollowsTheLiveSetting)
{
    start("GPSPort=COM3\r\nClickSounds=FALSE\r\n");
    fakes.log.events.clear();
    gps().ResetGpsBtn->click();
    EXPECT_TRUE(fakes.log.events.isEmpty());
}

TEST_F(GpsScreenTest, ClearGraphPushesTheHistoryOut)
{
    start(Enabled);
    TPerformanceGraph& g = *gps().SpeedGraph;
    for (int i = 0; i < 30; ++i) {
        g.DataPoint(QColor(0, 255, 0), 30 + i);
        g.Update();
    }
    ASSERT_EQ(g.Scale(), 100);
    fakes.log.events.clear();
    gps().ClearGraphBtn->click();
    EXPECT_EQ(fakes.log.events, QStringList{"sound:click.wav"});
    EXPECT_EQ(g.Scale(), 0);
    const QImage& image = g.image();
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y) {
            const QRgb p = image.pixel(x, y) & 0xFFFFFF;
            ASSERT_TRUE(p == 0x000080 || p == 0x000000) << x << "," << y;
        }
}

TEST_F(GpsScreenTest, DoneHidesTheScreenWithOk)
{
    start(Enabled);
    QTimer::singleShot(0, [this] {
        EXPECT_TRUE(gps().isVisible());
        gps().DoneBtn->click();
    });
    const int result = gps().exec();
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_FALSE(gps().isVisible());
    // Decoding goes on after it was hidden.
    deliver(line(Rmc) + line(Gga));
    EXPECT_EQ(gps().SpeedKnots(), 12.3);
}

TEST_F(GpsScreenTest, TypingIntoThePendingTextCutsLines)
{
    start(Enabled);
    showScreen();
    gps().Memo1->setPlainText("$GPGGA,typed\n$GP");
    EXPECT_EQ(gps().receiver().Log(), QStringList{"$GPGGA,typed"});
    EXPECT_EQ(gps().Memo1->toPlainText(), "$GP");
}

TEST_F(GpsScreenTest, The51stSentenceEmptiesLogAndPendingText)
{
    start(Enabled);
    showScreen();
    QByteArray text;
    for (int i = 0; i < 50; ++i)
        text += line(Gga);
    deliver(text);
    ASSERT_EQ(gps().GPSLog->toPlainText().count('\n'), 49);
    deliver(line(Rmc) + "$GPGG");
    EXPECT_TRUE(gps().GPSLog->toPlainText().isEmpty());
    EXPECT_TRUE(gps().Memo1->toPlainText().isEmpty());
}

TEST_F(GpsScreenTest, ReadsARealPseudoTerminalAndStopsWhenTheProgramCloses)
{
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    start("GPSPort=" + pty.slavePath().toLocal8Bit() + "\r\nGPSEnabled=TRUE\r\n",
          [](const QString&) { return std::make_unique<TermiosSerialPort>(); });
    ASSERT_TRUE(gps().PortOpen()) << gps().Port->text().toStdString();
    EXPECT_EQ(gps().Port->text(), pty.slavePath());

    ASSERT_TRUE(pty.write(line("$GPRMC,1,A,2,N,3,E,33.5,270.25,4,,*2E") + line(Gga)));
    QElapsedTimer t;
    t.start();
    while (gps().SpeedKnots() < 0 && t.elapsed() < 3000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
    EXPECT_EQ(gps().SpeedKnots(), 33.5);
    EXPECT_EQ(gps().receiver().Heading, "270");

    // The feed keeps running while the program closes.
    ASSERT_TRUE(pty.write(line(Gga) + line(Gga)));
    t.restart();
    main.reset();
    EXPECT_LT(t.elapsed(), 1000);
    // The port was let go.
    TermiosSerialPort again;
    EXPECT_TRUE(again.open(pty.slavePath()));
}

TEST_F(GpsScreenTest, ThePortFieldTurnsRedWhileTheDeviceIsGone)
{
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    start("GPSPort=" + pty.slavePath().toLocal8Bit() + "\r\nGPSEnabled=TRUE\r\n",
          [](const QString&) { return std::make_unique<TermiosSerialPort>(); });
    ASSERT_TRUE(gps().PortOpen());
    EXPECT_TRUE(gps().PortWatchTimer->isActive());
    gps().PortWatchTimerTimer();
    EXPECT_EQ(textColour(gps().Port), QColor(0, 128, 0));
    pty.closeMaster(); // the receiver pulled out
    EXPECT_TRUE(spinUntil([&] { return gps().port().Reader()->DeviceGone(); }, 3000));
    gps().PortWatchTimerTimer();
    EXPECT_EQ(textColour(gps().Port), Red);
}

TEST_F(GpsScreenTest, APortPluggedInAfterStartTurnsGreenWithItsName)
{
    const QString link = folder.file("gps-receiver"); // nothing there yet
    start("GPSPort=" + link.toLocal8Bit() + "\r\nGPSEnabled=TRUE\r\n",
          [](const QString&) { return std::make_unique<TermiosSerialPort>(); });
    EXPECT_TRUE(gps().Port->text().startsWith("ERROR /")) << gps().Port->text().toStdString();
    EXPECT_EQ(textColour(gps().Port), Red);
    ASSERT_TRUE(gps().PortWatchTimer->isActive());

    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    ASSERT_EQ(::symlink(QFile::encodeName(pty.slavePath()).constData(), QFile::encodeName(link).constData()), 0);
    ASSERT_TRUE(spinUntil([&] { return gps().PortOpen(); }, 3 * TRead::ReopenMs));
    gps().PortWatchTimerTimer();
    EXPECT_EQ(textColour(gps().Port), Green);
    EXPECT_FALSE(gps().Port->text().startsWith("ERROR")) << gps().Port->text().toStdString();
}
