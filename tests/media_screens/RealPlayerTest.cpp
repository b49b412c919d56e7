// The program on the real mpv player without sound or picture devices: generated files
// play to their end and the home tick moves on.
#include "support/MediaFiles.h"

#include "home/Welcomeframeunit.h"
#include "platform/MpvMediaPlayer.h"
#include "playlists/Mediaframeunit.h"
#include "shell/Mainunit.h"
#include "shell/Startup.h"
#include "support/Doubles.h"
#include "support/TempFolder.h"
#include "tags/Trackinfounit.h"
#include "widgets/TouchButton.h"
#include "widgets/TouchLabel.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <gtest/gtest.h>

#include <functional>

namespace {

class RealPlayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Services services = m_fakes.make(m_folder.path());
        services.mediaPlayer = std::make_unique<MpvMediaPlayer>(
            QList<MpvMediaPlayer::Option>{{"ao", "null"}, {"vo", "null"}});
        main = Startup::createWindows(std::move(services));
    }
    Playlist& playlist() const { return main->MediaFrame1->playlist(); }
    MediaPlayer& player() const { return main->MediaPlayer1(); }
    QString addTrack(const QString& name, const QByteArray& bytes)
    {
        m_folder.write(name, bytes);
        playlist().append(m_folder.file(name));
        return m_folder.file(name);
    }
    // Each 0.8 s long: with the null audio output mpv reports a file of under about half a
    // second as ended as soon as it starts.
    void addWaves(int count)
    {
        for (int i = 0; i < count; ++i)
            addTrack(QString("track%1.wav").arg(i),
                     MediaFiles::tagged(MediaFiles::wave(800), {"Title " + QByteArray::number(i), "Band", "", "", "", 0}));
    }
    // Waits while mpv plays until `done` holds, for at most ten seconds.
    static bool waitUntil(const std::function<bool()>& done, const std::function<void()>& meanwhile = {})
    {
        QElapsedTimer clock;
        clock.start();
        while (!done()) {
            if (clock.elapsed() > 10000)
                return false;
            QThread::msleep(20);
            if (meanwhile)
                meanwhile();
        }
        return true;
    }
    void tick() const { main->WelcomeFrame1->SpeedGraphTimerTimer(); }
    // Runs the home tick as it would run until `done` holds.
    bool tickUntil(const std::function<bool()>& done) const { return waitUntil(done, [this] { tick(); }); }
    QString openFile() const { return fileNamePart(player().fileName()); }

    TempFolder m_folder;
    FakeServices m_fakes;
    std::unique_ptr<TMainForm> main;
};

} // namespace

TEST_F(RealPlayerTest, AFinishedTrackIsFollowedByTheNextAndTheLastByTheFirst)
{
    addWaves(2);
    playlist().setSelectedIndex(1);
    main->PlayBtnClick();
    ASSERT_TRUE(player().isOpen());
    EXPECT_EQ(main->nowPlaying().info().Title, "Title 1");
    EXPECT_EQ(main->TrackInfoForm->TrackArtist->text(), "Band");

    ASSERT_TRUE(tickUntil([&] { return playlist().selectedIndex() == 0; }));
    EXPECT_EQ(openFile(), "track0.wav");
    EXPECT_EQ(main->nowPlaying().info().Title, "Title 0");
    EXPECT_LT(player().position(), player().length());
    ASSERT_TRUE(tickUntil([&] { return playlist().selectedIndex() == 1; }));
    EXPECT_EQ(openFile(), "track1.wav");
}

TEST_F(RealPlayerTest, RepeatStartsTheFinishedTrackAgain)
{
    addWaves(2);
    main->MediaFrame1->PlaylistRepeatBtn->click();
    main->PlayBtnClick();
    ASSERT_TRUE(waitUntil([&] { return player().position() == player().length(); }));
    tick();
    EXPECT_LT(player().position(), player().length());
    EXPECT_EQ(playlist().selectedIndex(), 0);
    EXPECT_EQ(openFile(), "track0.wav");
}

TEST_F(RealPlayerTest, ShuffleStartsWithTheFirstEntry)
{
    addWaves(3);
    main->MediaFrame1->PlaylistShuffleBtn->click();
    playlist().setSelectedIndex(2);
    main->PlayBtnClick();
    ASSERT_TRUE(tickUntil([&] { return openFile() == "track0.wav"; }));
    EXPECT_EQ(playlist().selectedIndex(), 0);
    EXPECT_LT(player().position(), player().length());
}

TEST_F(RealPlayerTest, AStartedVideoIsShownOnTheVideoScreen)
{
    const QString ffmpeg = QStandardPaths::findExecutable("ffmpeg");
    if (ffmpeg.isEmpty())
        GTEST_SKIP() << "ffmpeg is not installed";
    const QString video = m_folder.file("clip.mp4");
    const int exitCode = QProcess::execute(ffmpeg, {"-loglevel", "error", "-y", "-f", "lavfi", "-i",
                                                    "testsrc=size=64x48:rate=10:duration=1", "-pix_fmt", "yuv420p", video});
    ASSERT_EQ(exitCode, 0);
    addWaves(1);
    playlist().append(video);
    main->PlayBtnClick();
    EXPECT_NE(main->currentScreen(), TMainForm::Video) << "a sound file stays off the video screen";

    main->MediaPlayer1().close();
    playlist().setSelectedIndex(1);
    main->PlayBtnClick();
    EXPECT_EQ(main->currentScreen(), TMainForm::Video);
}
