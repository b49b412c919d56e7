// The MPRIS service driven by a real client, playerctl, on a private session bus.
#include "dialogs/Myerrorunit.h"
#include "mpris/MainFormRemote.h"
#include "mpris/MprisService.h"
#include "playlists/Mediaframeunit.h"
#include "support/MediaFiles.h"
#include "support/PrivateBus.h"
#include "support/TestProgram.h"
#include "widgets/TouchButton.h"
#include "widgets/TrackBar.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

const QByteArray AllSoundsOn = "ClickSounds=TRUE\r\nOtherSounds=TRUE\r\nSpeechSounds=TRUE\r\n";

// Runs the event loop until `done` holds or ten seconds have passed (a hung client).
template <typename Done>
bool spinUntil(Done done)
{
    const QDeadlineTimer deadline(10000);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
    return done();
}

class MprisTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* tool : {"dbus-daemon", "dbus-send", "dbus-monitor", "playerctl"})
            if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
                GTEST_SKIP() << tool << " is not installed";
        ASSERT_FALSE(bus.address().isEmpty()) << "the private bus did not start";
        program.start(AllSoundsOn);
        remote = new MainFormRemote(*program.main, *program.main->MediaFrame1, *program.main->MyMainMenu, program.main->nowPlaying(),
                                    program.main->MediaPlayer1(), program.main->feedback());
        service = MprisService::start(*remote, bus.address());
        ASSERT_TRUE(service);
        ASSERT_TRUE(spinUntil([&] { return service->ownsName(); }));
    }
    void TearDown() override { service.reset(); }

    // What `playerctl -p karvex ARGUMENTS` prints, while the service answers it.
    QString playerctl(const QStringList& arguments)
    {
        QProcess client;
        bus.startClient(client, QStringLiteral("playerctl"), QStringList{"-p", "karvex"} + arguments);
        EXPECT_TRUE(spinUntil([&] { return client.state() == QProcess::NotRunning; })) << qPrintable(arguments.join(u' '));
        return QString::fromUtf8(client.readAllStandardOutput()).trimmed();
    }
    // Opens `path` through the service, as a phone would.
    void open(const QString& path) { playerctl({"open", QUrl::fromLocalFile(path).toString()}); }
    QString metadata(const char* key) { return playerctl({"metadata", QLatin1String(key)}); }

    FakeMediaPlayer& player() const { return *program.fakes.media; }
    TMediaFrame& media() const { return *program.main->MediaFrame1; }

    PrivateBus bus;
    TestProgram program;
    MainFormRemote* remote = nullptr;
    std::unique_ptr<MprisService> service;
};

} // namespace

TEST_F(MprisTest, OpenedFilePlaysWithItsTagsAndTheTrackPanelsPicture)
{
    const QString song = program.folder.file("night_drive.mp3");
    MediaFiles::Tag tag;
    tag.title = "Night Drive";
    tag.artist = "Karla";
    tag.album = "Coast Road";
    program.folder.write("night_drive.mp3", MediaFiles::tagged(MediaFiles::wave(50), tag));
    program.folder.write("night_drive.PNG", MediaFiles::picture(QColor(0, 0, 255), "PNG"));

    open(song);

    EXPECT_EQ(playerctl({"status"}), "Playing");
    ASSERT_EQ(media().playlist().count(), 1);
    EXPECT_EQ(media().playlist().entryAt(0)->FilePath, song);
    EXPECT_EQ(metadata("xesam:title"), "Night Drive");
    EXPECT_EQ(metadata("xesam:artist"), "Karla");
    EXPECT_EQ(metadata("xesam:album"), "Coast Road");
    EXPECT_EQ(metadata("xesam:url"), QUrl::fromLocalFile(song).toString());
    EXPECT_EQ(metadata("mpris:length"), QString::number(player().len * 1000));
    const QImage art(QUrl(metadata("mpris:artUrl")).toLocalFile());
    ASSERT_FALSE(art.isNull()) << "mpris:artUrl names no picture";
    EXPECT_EQ(art.pixelColor(art.rect().center()), QColor(0, 0, 255));

    // The track panel keeps that picture for a track without one; a remote shows none.
    program.folder.write("plain.wav", MediaFiles::wave(50));
    open(program.folder.file("plain.wav"));
    EXPECT_EQ(metadata("xesam:title"), "plain.wav");
    EXPECT_EQ(metadata("mpris:artUrl"), "");
}

TEST_F(MprisTest, ControlsActAsTheirButtonsWithClickAndSpeech)
{
    program.folder.write("one.wav", MediaFiles::wave(50));
    open(program.folder.file("one.wav"));
    program.clearEvents();

    playerctl({"pause"});
    EXPECT_EQ(playerctl({"status"}), "Paused");
    EXPECT_EQ(program.events(), (QStringList{"speak:Pause", "sound:click.wav"}));

    playerctl({"position", "30"});
    EXPECT_EQ(player().pos, 30000);
    EXPECT_NEAR(playerctl({"position"}).toDouble(), 30.0, 0.5) << "playerctl adds the time since it asked";
    EXPECT_EQ(playerctl({"status"}), "Playing") << "the track bar plays on from where it is let go";

    playerctl({"volume", "0.5"});
    EXPECT_NEAR(program.fakes.mixer->volume, 32767, 1);
    EXPECT_EQ(playerctl({"volume"}).toDouble(), 0.5);

    playerctl({"shuffle", "On"});
    EXPECT_TRUE(media().shuffleOn());
    playerctl({"loop", "Track"});
    EXPECT_TRUE(media().repeatOn());
    EXPECT_EQ(playerctl({"shuffle"}), "Off") << "Shuffle and Repeat exclude each other";

    program.clearEvents();
    playerctl({"next"});
    EXPECT_EQ(player().calls.last(), "seekToEnd");
    EXPECT_EQ(program.events(), (QStringList{"sound:click.wav", "speak:Next Track"}));
}

TEST_F(MprisTest, ClientsHearOfATapOnTheScreen)
{
    program.folder.write("one.wav", MediaFiles::wave(50));
    open(program.folder.file("one.wav"));
    QProcess follower;
    bus.startClient(follower, QStringLiteral("playerctl"), {"-p", "karvex", "--follow", "status"});
    QByteArray heard;
    const auto hears = [&](const QByteArray& line) {
        heard += follower.readAllStandardOutput();
        return heard.contains(line);
    };
    ASSERT_TRUE(spinUntil([&] { return hears("Playing\n"); }));

    program.main->StopBtn->click();

    EXPECT_TRUE(spinUntil([&] { return hears("Paused\n"); })) << heard.constData();
    follower.kill();
    follower.waitForFinished();
}

TEST_F(MprisTest, ClientsHearOfAMoveOnTheScreensTrackBar)
{
    program.folder.write("one.wav", MediaFiles::wave(50));
    open(program.folder.file("one.wav"));
    QProcess monitor;
    bus.startClient(monitor, QStringLiteral("dbus-monitor"), {"--session", "type='signal',member='Seeked'"});
    QByteArray heard;
    const auto hears = [&](const QByteArray& text) {
        heard += monitor.readAllStandardOutput();
        return heard.contains(text);
    };
    // The monitor gives up its own name once it watches.
    ASSERT_TRUE(spinUntil([&] { return hears("member=NameLost"); }));

    emit media().MediaTrackbar->pressed();
    media().MediaTrackbar->setPosition(90000);
    emit media().MediaTrackbar->released();

    EXPECT_TRUE(spinUntil([&] { return hears("member=Seeked\n   int64 90000000\n"); })) << heard.constData();
    monitor.kill();
    monitor.waitForFinished();
}

TEST_F(MprisTest, QuitTakesTheExitPath)
{
    bool closed = false;
    QObject::connect(program.main.get(), &TMainForm::closed, [&] { closed = true; });
    QProcess client;
    bus.startClient(client, QStringLiteral("dbus-send"),
                    {"--session", "--print-reply", "--dest=" + MprisService::ServiceName, MprisService::ObjectPath,
                     "org.mpris.MediaPlayer2.Quit"});

    EXPECT_TRUE(spinUntil([&] { return closed; }));
    EXPECT_TRUE(program.folder.exists("config.ini")) << "closing saves the settings";
}

TEST(MprisWithoutBus, RunsWithoutTheServiceAndWithoutANotice)
{
    TestProgram program;
    program.start();
    MainFormRemote* remote = new MainFormRemote(*program.main, *program.main->MediaFrame1, *program.main->MyMainMenu, program.main->nowPlaying(),
                                    program.main->MediaPlayer1(), program.main->feedback());

    EXPECT_FALSE(MprisService::start(*remote, QStringLiteral("unix:path=/nonexistent/karvex-bus")));
    EXPECT_TRUE(program.main->MyError->isHidden());
}
