// The media half of the home screen's once-a-second update: position displays and the
// advance at the end of a track.
#include "MediaScreenTest.h"

#include "home/Welcomeframeunit.h"
#include "playlists/Mediaframeunit.h"
#include "widgets/CaptionPanel.h"
#include "widgets/TouchButton.h"
#include "widgets/TouchLabel.h"
#include "widgets/TrackBar.h"

#include <QTimer>

namespace {

class HomeTickTest : public MediaScreenTest {
protected:
    void SetUp() override { start(QByteArray("ClickSounds=FALSE\r\nOtherSounds=FALSE\r\nSpeechSounds=FALSE\r\n")); }
    void tick() { home().SpeedGraphTimerTimer(); }
    void playlistOf(int count)
    {
        for (int i = 0; i < count; ++i)
            addTrack(QString("track%1.mp3").arg(i));
    }
    // Plays entry `index` and leaves it at its end.
    void finish(int index)
    {
        player().close();
        playlist().setSelectedIndex(index);
        m().PlayBtnClick();
        player().pos = player().len;
        player().calls.clear();
    }
    QString openFile() const { return fileNamePart(player().fileName()); }
};

} // namespace

TEST_F(HomeTickTest, TheTimerRunsTheTickEverySecond)
{
    EXPECT_EQ(home().SpeedGraphTimer->interval(), 1000);
    home().NowPlayingStatus->setToolTip("stale");
    ASSERT_TRUE(QMetaObject::invokeMethod(home().SpeedGraphTimer, "timeout"));
    EXPECT_EQ(home().NowPlayingStatus->toolTip(), "No Media Selected   ");
}

TEST_F(HomeTickTest, WithNothingOpenThePositionDisplaysAreBlank)
{
    media().MediaTrackbar->setPosition(5000);
    home().NowPlayingProgress->setPosition(50);
    media().NowPlayingDisplay->setText("Track Moved Up");
    tick();
    EXPECT_EQ(media().MediaPosDisplay->text(), "Pos: -- Mins -- Secs");
    EXPECT_EQ(media().MediaLenDisplay->text(), "Len: -- Mins -- Secs");
    EXPECT_EQ(media().NowPlayingDisplay->text(), "No Media");
    EXPECT_EQ(home().NowPlayingStatus->toolTip(), "No Media Selected   ");
    EXPECT_EQ(media().MediaTrackbar->position(), 0);
    EXPECT_EQ(home().NowPlayingProgress->position(), 0);
}

TEST_F(HomeTickTest, AnOpenTrackShowsPositionLengthAndItsName)
{
    addTrack("any/My_Song_01.mp3");
    m().PlayBtnClick();
    player().len = 205900;
    player().pos = 61500;
    tick();
    EXPECT_EQ(media().MediaPosDisplay->text(), "Pos: 1 Mins 1 Secs");
    EXPECT_EQ(media().MediaLenDisplay->text(), "Len: 3 Mins 25 Secs");
    EXPECT_EQ(media().MediaTrackbar->maximum(), 205900);
    EXPECT_EQ(media().MediaTrackbar->step(), 20590);
    EXPECT_EQ(media().MediaTrackbar->position(), 61500);
    EXPECT_EQ(home().NowPlayingProgress->maximum(), 205900);
    EXPECT_EQ(home().NowPlayingProgress->position(), 61500);
    EXPECT_EQ(media().NowPlayingDisplay->text(), "My Song 01.mp3   ");
    EXPECT_EQ(home().NowPlayingStatus->toolTip(), "My Song 01.mp3   ");
    EXPECT_TRUE(player().calls.endsWith("play")) << "no advance before the end";
}

TEST_F(HomeTickTest, WhileTheTrackBarIsDraggedOnlyTheProgressBarFollows)
{
    addTrack("a.mp3");
    m().PlayBtnClick();
    player().pos = 10000;
    tick();
    media().MediaTrackbarMouseDown();
    media().MediaTrackbar->setPosition(90000);
    player().pos = 11000;
    tick();
    EXPECT_EQ(media().MediaTrackbar->position(), 90000);
    EXPECT_EQ(home().NowPlayingProgress->position(), 11000);
}

TEST_F(HomeTickTest, AtTheEndTheNextEntryPlaysAndTheLastWrapsToTheFirst)
{
    playlistOf(5);
    finish(1);
    tick();
    EXPECT_EQ(playlist().selectedIndex(), 2);
    EXPECT_EQ(openFile(), "track2.mp3");
    EXPECT_EQ(home().NowPlayingPanel->caption(), "PLAYLIST Track 3/5");

    finish(4);
    tick();
    EXPECT_EQ(playlist().selectedIndex(), 0);
    EXPECT_EQ(openFile(), "track0.mp3");
    EXPECT_EQ(player().calls, (QStringList{"close", "open " + player().fileName(), "play"}));
}

TEST_F(HomeTickTest, RepeatPlaysTheSameEntryAgainFromItsStart)
{
    playlistOf(3);
    media().PlaylistRepeatBtn->click();
    finish(1);
    tick();
    EXPECT_EQ(player().calls, (QStringList{"setPosition 0", "play"}));
    EXPECT_EQ(openFile(), "track1.mp3");
    EXPECT_EQ(playlist().selectedIndex(), 1);

    // Next with repeat on: the track is moved to its end and the tick restarts it.
    player().calls.clear();
    m().TrackNextBtnClick();
    tick();
    EXPECT_EQ(player().calls, (QStringList{"seekToEnd", "setPosition 0", "play"}));
}

TEST_F(HomeTickTest, ShufflePicksTheSameSequenceInEveryRunStartingWithTheFirst)
{
    playlistOf(5);
    media().PlaylistShuffleBtn->click();
    finish(3);
    QStringList played;
    for (int i = 0; i < 5; ++i) {
        tick();
        played << openFile();
        player().pos = player().len;
    }
    EXPECT_EQ(played, (QStringList{"track0.mp3", "track0.mp3", "track4.mp3", "track1.mp3", "track1.mp3"}));
}

TEST_F(HomeTickTest, ShuffleOnAnEmptyPlaylistPlaysNothing)
{
    addTrack("a.mp3");
    finish(0);
    playlist().clear();
    media().PlaylistShuffleBtn->click();
    tick();
    EXPECT_EQ(playlist().selectedIndex(), -1);
    EXPECT_TRUE(player().calls.isEmpty());
    EXPECT_TRUE(notice().isEmpty());
}

TEST_F(HomeTickTest, ATrackOfNoLengthCountsAsEndedOnEveryTick)
{
    playlistOf(2);
    finish(0);
    player().len = 0;
    player().pos = 0;
    tick();
    EXPECT_EQ(playlist().selectedIndex(), 1);
}

TEST_F(HomeTickTest, MissingEntriesArePassedOverOnePerTickEachWithItsNotice)
{
    addTrack("here.mp3");
    playlist().append(program.folder.file("gone1.mp3"));
    playlist().append(program.folder.file("gone2.mp3"));
    finish(0);

    tick();
    EXPECT_EQ(playlist().selectedIndex(), 1);
    EXPECT_TRUE(notice().startsWith("File ERROR"));
    EXPECT_EQ(playlist().entryAt(1)->TextColor, EntryColour::Failed);
    EXPECT_EQ(openFile(), "here.mp3") << "the finished track stays open at its end";
    closeNotice();

    tick();
    EXPECT_EQ(playlist().selectedIndex(), 2);
    EXPECT_TRUE(notice().startsWith("File ERROR"));

    tick();
    EXPECT_EQ(playlist().selectedIndex(), 0);
    EXPECT_EQ(player().calls, (QStringList{"close", "open " + program.folder.file("here.mp3"), "play"}));
}
