// The play operation and the Stop, Previous and Next buttons, on the player double.
#include "MediaScreenTest.h"

#include "home/Welcomeframeunit.h"
#include "playback/Videoframeunit.h"
#include "playlists/Mediaframeunit.h"
#include "tags/Trackinfounit.h"
#include "widgets/CaptionPanel.h"
#include "widgets/TouchButton.h"
#include "widgets/TouchLabel.h"
#include "widgets/TouchList.h"
#include "widgets/TrackBar.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QFileInfo>
#include <QKeyEvent>

using MediaFiles::Tag;

namespace {

const QColor Silver(192, 192, 192);
const QColor Red(255, 0, 0);

const Tag FullTag{"Song Title", "The Artist", "The Album", "1999", "Nice one", 17};

class PlaybackTest : public MediaScreenTest {
protected:
    void SetUp() override { start(); }
    QColor colourOf(int index) const { return playlist().entryAt(index)->TextColor; }
    QStringList playerCalls() const { return player().calls; }
};

} // namespace

TEST_F(PlaybackTest, AnEmptyPlaylistSendsTheDriverToTheFileBrowser)
{
    m().PlayBtn->click();
    EXPECT_EQ(notice(), "PLAYLIST EMPTY!\n\nThere are no media files in the Playlist.  "
                        "Select File(s) to add to the Playlist.");
    EXPECT_EQ(m().currentScreen(), TMainForm::Files);
    EXPECT_EQ(program.events(), QStringList{"sound:error.wav"});
    EXPECT_TRUE(playerCalls().isEmpty());
}

TEST_F(PlaybackTest, PlayWithNothingSelectedStartsTheFirstEntryAndShowsItEverywhere)
{
    const QString first = addTrack("music/first_song.mp3", MediaFiles::tagged(MediaFiles::wave(50), FullTag));
    addTrack("music/second.mp3");
    addTrack("music/third.mp3");
    program.clearEvents();

    m().PlayBtn->click();

    EXPECT_EQ(playlist().selectedIndex(), 0);
    EXPECT_EQ(m().MediaFrame1->PlayList->selectedIndex(), 0);
    EXPECT_EQ(playerCalls(), (QStringList{"close", "open " + first, "play"}));
    EXPECT_TRUE(player().playing);
    EXPECT_EQ(player().displayWindow, m().VideoFrame1->VideoOutput);
    EXPECT_EQ(player().displayRect, QRect(0, 0, 528, 595));
    EXPECT_TRUE(program.events().isEmpty()) << "playing makes no sound and says nothing";
    EXPECT_TRUE(notice().isEmpty());

    const NowPlayingInfo& info = m().nowPlaying().info();
    EXPECT_EQ(info.PlaylistName, "PLAYLIST");
    EXPECT_EQ(info.FileName, "first_song.mp3");
    EXPECT_EQ(info.Title, "Song Title");
    EXPECT_EQ(info.Artist, "The Artist");
    EXPECT_EQ(info.Album, "The Album");
    EXPECT_EQ(info.Year, "1999");
    EXPECT_EQ(info.Comment, "Nice one");
    EXPECT_EQ(info.Genre, "Rock");

    const TTrackInfoForm& panel = *m().TrackInfoForm;
    EXPECT_EQ(panel.FilenameDisplay->text(), "first_song.mp3");
    EXPECT_EQ(panel.TrackTitle->text(), "Song Title");
    EXPECT_EQ(panel.TrackArtist->text(), "The Artist");
    EXPECT_EQ(panel.TrackAlbum->text(), "The Album");
    EXPECT_EQ(panel.TrackGenreYear->text(), "Rock 1999 ");
    EXPECT_EQ(panel.TrackComments->text(), "Nice one");

    const QString ticker = "first song.mp3   Song Title   The Album   The Artist   1999   Rock   Nice one   ";
    EXPECT_EQ(home().NowPlayingStatus->text(), ticker);
    EXPECT_EQ(home().NowPlayingStatus->toolTip(), ticker);
    EXPECT_EQ(home().NowPlayingProgress->position(), 0);
    EXPECT_EQ(home().NowPlayingProgress->maximum(), 180000);
    EXPECT_EQ(home().NowPlayingPanel->caption(), "PLAYLIST Track 1/3");
    EXPECT_EQ(colourOf(0), Silver);
    EXPECT_EQ(m().currentScreen(), TMainForm::Home) << "an audio file never switches screens";
}

TEST_F(PlaybackTest, AnUntaggedTrackShowsItsFileNameAndTheDefaults)
{
    addTrack("a.mp3");
    addTrack("b.mp3");
    const QString untagged = addTrack("my_song.mp3");
    m().nowPlaying().info().PlaylistName = "Drive";
    playlist().setSelectedIndex(2);
    m().PlayBtnClick();

    const TTrackInfoForm& panel = *m().TrackInfoForm;
    EXPECT_EQ(panel.FilenameDisplay->text(), "my_song.mp3");
    EXPECT_EQ(panel.TrackTitle->text(), "my_song.mp3");
    EXPECT_EQ(panel.TrackArtist->text(), "Unknown Artist");
    EXPECT_EQ(panel.TrackAlbum->text(), "");
    EXPECT_EQ(panel.TrackGenreYear->text(), "");
    EXPECT_EQ(panel.TrackComments->text(), "No Additional Information");
    EXPECT_EQ(m().nowPlaying().info().Genre, "No Genre");
    EXPECT_EQ(m().nowPlaying().info().Year, "No Year");
    EXPECT_EQ(home().NowPlayingStatus->text(), "my song.mp3   ");
    EXPECT_EQ(home().NowPlayingPanel->caption(), "Drive Track 3/3");
}

TEST_F(PlaybackTest, TagTextsAreShownAsPlainTextAndAnUnknownGenreCodeIsOther)
{
    addTrack("a.mp3", MediaFiles::tagged(MediaFiles::wave(50), {"<b>Bold</b>", "", "", "2001", "", 148}));
    m().PlayBtnClick();
    // Code 148 is past the genre table's end.
    EXPECT_EQ(m().TrackInfoForm->TrackGenreYear->text(), "Other 2001 ");
    EXPECT_EQ(m().TrackInfoForm->TrackTitle->textFormat(), Qt::PlainText);
    EXPECT_EQ(m().TrackInfoForm->TrackTitle->text(), "<b>Bold</b>");
}

TEST_F(PlaybackTest, AMissingFileTurnsRedAndLeavesTheOpenTrackAlone)
{
    const QString playing = addTrack("playing.mp3", MediaFiles::tagged(MediaFiles::wave(50), FullTag));
    playlist().append(program.folder.file("gone.mp3"));
    m().PlayBtnClick();
    player().pos = player().len; // at its end, so Play loads the selected entry
    playlist().setSelectedIndex(1);
    player().calls.clear();
    program.clearEvents();

    m().PlayBtnClick();

    EXPECT_EQ(notice(), "File ERROR\n\nThe selected media file is not available or does not exist. "
                        "Select another track in the Playlist.");
    EXPECT_EQ(program.events(), QStringList{"sound:error.wav"});
    EXPECT_EQ(colourOf(1), Red);
    EXPECT_EQ(m().MediaFrame1->PlayList->itemColour(1), Red);
    EXPECT_TRUE(playerCalls().isEmpty());
    EXPECT_EQ(player().fileName(), playing);
    EXPECT_EQ(m().nowPlaying().info().Title, "Song Title");
    EXPECT_EQ(m().nowPlaying().info().FileName, "playing.mp3");
}

TEST_F(PlaybackTest, OpenAndPlayFailuresNameThePlayersReasonAndTurnTheEntryRed)
{
    addTrack("a.mp3");
    player().openResult = false;
    player().error = "Unrecognized file format";
    m().PlayBtnClick();
    EXPECT_EQ(notice(), "OPEN ERROR\n\nCould not OPEN the selected media file.\nUnrecognized file format");
    EXPECT_EQ(colourOf(0), Red);
    EXPECT_FALSE(player().isOpen());
    EXPECT_EQ(m().nowPlaying().info().FileName, "");

    closeNotice();
    player().openResult = true;
    player().playResult = false;
    player().error = "no audio device";
    m().PlayBtnClick();
    EXPECT_EQ(notice(), "PLAY ERROR (DRM?)\n\nCould not PLAY the selected media file.\nno audio device");
    EXPECT_EQ(colourOf(0), Red);
    EXPECT_TRUE(player().isOpen());
    EXPECT_EQ(m().nowPlaying().info().FileName, "");

    // A later successful start makes it playable again.
    closeNotice();
    player().playResult = true;
    player().close();
    m().PlayBtnClick();
    EXPECT_TRUE(notice().isEmpty());
    EXPECT_EQ(colourOf(0), Silver);
}

TEST_F(PlaybackTest, PlayContinuesTheOpenTrackWhicheverRowIsSelected)
{
    const QString first = addTrack("a.mp3");
    addTrack("b.mp3");
    m().PlayBtnClick();
    player().pos = 42000;
    playlist().setSelectedIndex(1);
    player().calls.clear();

    m().PlayBtnClick();
    EXPECT_EQ(playerCalls(), QStringList{"play"});
    EXPECT_EQ(player().fileName(), first);
    EXPECT_EQ(player().pos, 42000);
}

TEST_F(PlaybackTest, StopPausesInPlaceAndPlayResumesThere)
{
    m().StopBtn->click();
    EXPECT_TRUE(program.events().isEmpty()) << "Stop with nothing open does nothing";

    addTrack("a.mp3");
    m().PlayBtnClick();
    player().pos = 65000;
    program.clearEvents();
    player().calls.clear();

    m().StopBtn->click();
    EXPECT_EQ(program.events(), (QStringList{"speak:Pause", "sound:click.wav"}));
    EXPECT_EQ(playerCalls(), QStringList{"stop"});
    EXPECT_FALSE(player().playing);

    m().PlayBtn->click();
    EXPECT_EQ(playerCalls(), (QStringList{"stop", "play"}));
    EXPECT_TRUE(player().playing);
    EXPECT_EQ(player().pos, 65000);
}

TEST_F(PlaybackTest, PlayAtTheEndRestartsWithRepeatAndReloadsWithout)
{
    const QString first = addTrack("a.mp3");
    const QString second = addTrack("b.mp3");
    m().PlayBtnClick();
    player().pos = player().len;
    playlist().setSelectedIndex(1);
    m().MediaFrame1->PlaylistRepeatBtn->setChecked(true);
    player().calls.clear();

    m().PlayBtnClick();
    EXPECT_EQ(playerCalls(), (QStringList{"setPosition 0", "play"}));
    EXPECT_EQ(player().fileName(), first);

    player().pos = player().len;
    m().MediaFrame1->PlaylistRepeatBtn->setChecked(false);
    player().calls.clear();
    m().PlayBtnClick();
    EXPECT_EQ(playerCalls(), (QStringList{"close", "open " + second, "play"}));
}

TEST_F(PlaybackTest, APlayFailureWhileContinuingLoadsTheEntryAfresh)
{
    const QString path = addTrack("a.mp3");
    m().PlayBtnClick();
    player().pos = 1000;
    player().playResult = false;
    player().calls.clear();
    m().PlayBtnClick();
    EXPECT_EQ(playerCalls(), (QStringList{"play", "close", "open " + path, "play"}));
    EXPECT_TRUE(notice().startsWith("PLAY ERROR (DRM?)"));
}

TEST_F(PlaybackTest, PreviousSpeaksClosesAndPlaysTheEntryBeforeWrappingToTheLast)
{
    addTrack("a.mp3");
    addTrack("b.mp3");
    const QString last = addTrack("c.mp3");
    m().PlayBtnClick();
    program.clearEvents();
    player().calls.clear();

    m().TrackPrevBtn->click();
    EXPECT_EQ(program.events(), QStringList{"speak:Previous Track"});
    EXPECT_EQ(playlist().selectedIndex(), 2);
    EXPECT_EQ(playerCalls(), (QStringList{"close", "close", "open " + last, "play"}));

    m().TrackPrevBtnClick();
    EXPECT_EQ(playlist().selectedIndex(), 1);
    EXPECT_TRUE(player().fileName().endsWith("b.mp3"));
}

TEST_F(PlaybackTest, NextSeeksTheOpenTrackToItsEndOrStartsTheSelectedEntry)
{
    addTrack("a.mp3");
    const QString second = addTrack("b.mp3");
    playlist().setSelectedIndex(1);
    program.clearEvents();

    m().TrackNextBtn->click();
    EXPECT_EQ(program.events(), (QStringList{"sound:click.wav", "speak:Next Track"}));
    EXPECT_EQ(player().fileName(), second);
    EXPECT_TRUE(player().playing);

    player().calls.clear();
    m().TrackNextBtnClick();
    EXPECT_EQ(playerCalls(), QStringList{"seekToEnd"});
    EXPECT_EQ(player().pos, player().len);
    EXPECT_EQ(playlist().selectedIndex(), 1) << "the advance moves on at the next tick";
}

TEST_F(PlaybackTest, PageUpAndPageDownRunNextAndPreviousAndAreUsedUp)
{
    // A control of the window that records the keys reaching it.
    struct KeyProbe : QWidget {
        using QWidget::QWidget;
        QList<int> keys;
        void keyPressEvent(QKeyEvent* event) override { keys << event->key(); }
    };
    auto* probe = new KeyProbe(m().MediaFrame1);
    addTrack("a.mp3");
    const QString second = addTrack("b.mp3");
    playlist().setSelectedIndex(1);
    program.clearEvents();

    const auto press = [&](int key) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(probe, &event);
    };
    press(Qt::Key_PageUp);
    EXPECT_EQ(program.events(), (QStringList{"sound:click.wav", "speak:Next Track"}));
    EXPECT_EQ(player().fileName(), second);

    press(Qt::Key_PageDown);
    EXPECT_EQ(program.events().last(), "speak:Previous Track");
    EXPECT_EQ(playlist().selectedIndex(), 0);

    press(Qt::Key_A);
    EXPECT_EQ(probe->keys, QList<int>{Qt::Key_A});
}

// A sysfs attribute claims a size of a page but yields only a few bytes: the tag read
// fails after the file was opened.
TEST_F(PlaybackTest, ATagThatCannotBeReadLeavesTheTagTextsAndTheTrackPlaysOn)
{
    QString unreadable;
    for (QDirIterator it("/sys/kernel", QDir::Files | QDir::Readable, QDirIterator::Subdirectories); it.hasNext();) {
        const QString path = it.next();
        if (QFileInfo(path).size() == 4096) {
            unreadable = path;
            break;
        }
    }
    if (unreadable.isEmpty())
        GTEST_SKIP() << "no sysfs attribute to read";

    addTrack("tagged.mp3", MediaFiles::tagged(MediaFiles::wave(50), FullTag));
    playlist().append(unreadable);
    m().PlayBtnClick();
    m().MediaPlayer1().close();
    playlist().setSelectedIndex(1);

    m().PlayBtnClick();
    EXPECT_TRUE(notice().isEmpty());
    EXPECT_TRUE(player().playing);
    EXPECT_EQ(m().nowPlaying().info().FileName, QFileInfo(unreadable).fileName());
    EXPECT_EQ(m().nowPlaying().info().Title, "Song Title");
    EXPECT_EQ(m().nowPlaying().info().Artist, "The Artist");
    EXPECT_EQ(colourOf(1), Silver);
}
