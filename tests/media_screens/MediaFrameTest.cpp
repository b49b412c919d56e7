// The playlist screen: editing, the Repeat and Shuffle modes, how rows are drawn, the
// double-click, the track details and seeking.
#include "MediaScreenTest.h"

#include "config/Settingsunit.h"
#include "dialogs/Mypromptunit.h"
#include "home/Welcomeframeunit.h"
#include "playlists/Mediaframeunit.h"
#include "widgets/CaptionPanel.h"
#include "widgets/TouchButton.h"
#include "widgets/TouchLabel.h"
#include "widgets/TouchList.h"
#include "widgets/TrackBar.h"

#include <QCoreApplication>
#include <QMouseEvent>

namespace {

const QColor Red(255, 0, 0);

class MediaFrameTest : public MediaScreenTest {
protected:
    void SetUp() override { start(); }
    TMediaFrame& f() const { return media(); }
    QString shown() const { return f().NowPlayingDisplay->text(); }
    QStringList rows() const { return f().PlayList->items(); }
    void addTracks(std::initializer_list<const char*> names)
    {
        for (const char* name : names)
            addTrack(QString::fromUtf8(name));
        program.clearEvents();
    }
    // Answers the next yes/no question, recording it.
    void answerNextQuestion(bool yes)
    {
        whenModalOpens([this, yes] {
            asked << m().MyPrompt->PromptDisp->text();
            (yes ? m().MyPrompt->OkBtn : m().MyPrompt->CancelBtn)->click();
        });
    }
    QStringList asked;
};

void sendMouse(QWidget* widget, QEvent::Type type, QPoint at)
{
    QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

void tap(QWidget* widget)
{
    const QPoint centre = widget->rect().center();
    sendMouse(widget, QEvent::MouseButtonPress, centre);
    sendMouse(widget, QEvent::MouseButtonRelease, centre);
}

} // namespace

TEST_F(MediaFrameTest, RowsShowTheEntriesAndFollowTheirSelection)
{
    addTracks({"a__b.mp3", "plain.mp3"});
    EXPECT_EQ(rows(), (QStringList{"a  b.mp3", "plain.mp3"}));
    playlist().setSelectedIndex(1);
    EXPECT_EQ(f().PlayList->selectedIndex(), 1);
    f().PlayList->setSelectedIndex(0); // as a touch does
    EXPECT_EQ(playlist().selectedIndex(), 0);

    playlist().replaceAll({PlaylistEntry::forFile("/x.mp3", EntryColour::Failed)});
    EXPECT_EQ(rows(), QStringList{"x.mp3"});
    EXPECT_EQ(f().PlayList->itemColour(0), Red);
    EXPECT_EQ(f().PlayList->selectedIndex(), -1);
}

TEST_F(MediaFrameTest, ARedRowIsDrawnRedWhetherSelectedOrNot)
{
    addTracks({"one.mp3", "two.mp3"});
    playlist().setTextColor(0, EntryColour::Failed);
    playlist().setTextColor(1, EntryColour::Failed);
    playlist().setSelectedIndex(0);
    f().PlayList->resize(518, 325);
    const QImage picture = f().PlayList->grab().toImage();
    const auto redPixelsInRow = [&](int row) {
        int count = 0;
        for (int y = row * 29; y < (row + 1) * 29; ++y)
            for (int x = 0; x < picture.width(); ++x) {
                const QColor c = picture.pixelColor(x, y);
                count += c.red() > 200 && c.green() < 60 && c.blue() < 60;
            }
        return count;
    };
    EXPECT_GT(redPixelsInRow(0), 20) << "selected";
    EXPECT_GT(redPixelsInRow(1), 20) << "not selected";
}

TEST_F(MediaFrameTest, NewPlaylistAsksThenEmptiesTheListButKeepsPlaying)
{
    addTracks({"a.mp3", "b.mp3"});
    m().PlayBtnClick();
    m().nowPlaying().info().PlaylistName = "Road trip";
    program.clearEvents();

    answerNextQuestion(false);
    f().NewPlaylistBtn->click();
    EXPECT_EQ(asked, QStringList{"Create New Playlist?"});
    // The third sound is the prompt's own button.
    EXPECT_EQ(program.events(), (QStringList{"sound:click.wav", "speak:create new play list?", "sound:click.wav"}));
    EXPECT_EQ(playlist().count(), 2);

    program.clearEvents();
    answerNextQuestion(true);
    f().NewPlaylistBtn->click();
    EXPECT_EQ(program.events(), (QStringList{"sound:click.wav", "speak:create new play list?", "sound:click.wav",
                                             "sound:hover.wav"}));
    EXPECT_TRUE(rows().isEmpty());
    EXPECT_EQ(playlist().selectedIndex(), -1);
    EXPECT_EQ(m().nowPlaying().info().PlaylistName, "PLAYLIST");
    EXPECT_EQ(home().NowPlayingPanel->caption(), "Playlist is empty.");
    EXPECT_EQ(shown(), "Playlist Cleared");
    EXPECT_TRUE(player().playing);
}

TEST_F(MediaFrameTest, RemoveAsksAndThenSelectsTheFirstEntry)
{
    f().PlaylistTrackRemoveBtn->click();
    EXPECT_EQ(program.events(), QStringList{"sound:click.wav"}) << "nothing selected: no question";

    addTracks({"a.mp3", "b.mp3", "c.mp3"});
    playlist().setSelectedIndex(2);
    answerNextQuestion(false);
    f().PlaylistTrackRemoveBtn->click();
    EXPECT_EQ(rows().size(), 3);
    EXPECT_EQ(playlist().selectedIndex(), 2);

    program.clearEvents();
    answerNextQuestion(true);
    f().PlaylistTrackRemoveBtn->click();
    EXPECT_EQ(asked, (QStringList{"Remove Item From Playlist?", "Remove Item From Playlist?"}));
    EXPECT_EQ(program.events(), (QStringList{"sound:click.wav", "speak:Remove item from play list?",
                                             "sound:click.wav", "sound:hover.wav"}));
    EXPECT_EQ(rows(), (QStringList{"a.mp3", "b.mp3"}));
    EXPECT_EQ(playlist().selectedIndex(), 0);
    EXPECT_EQ(f().PlayList->selectedIndex(), 0);
    EXPECT_EQ(shown(), "Item Removed");

    answerNextQuestion(true);
    f().PlaylistTrackRemoveBtn->click();
    answerNextQuestion(true);
    f().PlaylistTrackRemoveBtn->click();
    EXPECT_TRUE(rows().isEmpty());
    EXPECT_EQ(playlist().selectedIndex(), -1);
}

TEST_F(MediaFrameTest, UpAndDownMoveTheSelectedEntryAndRefuseAtTheEnds)
{
    program.options().OtherSoundsBtn->setChecked(false); // the refusal sound follows ClickSounds
    f().PlaylistTrackUpBtn->click();
    f().PlaylistTrackDownBtn->click();
    EXPECT_TRUE(program.events().isEmpty());

    addTracks({"a.mp3", "b.mp3", "c.mp3"});
    playlist().setSelectedIndex(2);
    f().PlaylistTrackUpBtn->click();
    f().PlaylistTrackUpBtn->click();
    EXPECT_EQ(rows(), (QStringList{"c.mp3", "a.mp3", "b.mp3"}));
    EXPECT_EQ(playlist().selectedIndex(), 0);
    EXPECT_EQ(f().PlayList->selectedIndex(), 0);
    EXPECT_EQ(shown(), "Track Moved Up");
    EXPECT_EQ(program.events(), (QStringList{"sound:click.wav", "sound:click.wav"}));

    program.clearEvents();
    f().PlaylistTrackUpBtn->click();
    EXPECT_EQ(shown(), "Already Top!");
    EXPECT_EQ(program.events(), QStringList{"sound:error.wav"});
    EXPECT_EQ(rows(), (QStringList{"c.mp3", "a.mp3", "b.mp3"}));

    f().PlaylistTrackDownBtn->click();
    EXPECT_EQ(shown(), "Track Moved Down");
    EXPECT_EQ(playlist().paths().at(1), program.folder.file("c.mp3"));
    playlist().setSelectedIndex(2);
    program.clearEvents();
    f().PlaylistTrackDownBtn->click();
    EXPECT_EQ(shown(), "Already Bottom!");
    EXPECT_EQ(program.events(), QStringList{"sound:error.wav"});

    program.options().ClickSoundsBtn->setChecked(false);
    program.clearEvents();
    f().PlaylistTrackDownBtn->click();
    EXPECT_TRUE(program.events().isEmpty());
}

TEST_F(MediaFrameTest, AOneEntryListCanMoveNeitherWay)
{
    addTracks({"only.mp3"});
    playlist().setSelectedIndex(0);
    f().PlaylistTrackUpBtn->click();
    EXPECT_EQ(shown(), "Already Top!");
    f().PlaylistTrackDownBtn->click();
    EXPECT_EQ(shown(), "Already Bottom!");
}

TEST_F(MediaFrameTest, AddFilesSpeaksAndShowsTheFileBrowser)
{
    f().PlaylistTrackAddBtn->click();
    EXPECT_EQ(program.events(), QStringList{"speak:add files to play list."});
    EXPECT_EQ(m().currentScreen(), TMainForm::Files);
}

TEST_F(MediaFrameTest, RepeatAndShuffleAreAGroupThatMayBeAllOff)
{
    f().PlaylistRepeatBtn->click();
    EXPECT_TRUE(f().repeatOn());
    EXPECT_EQ(shown(), "Repeat On");
    EXPECT_EQ(program.events(), (QStringList{"sound:click.wav", "speak:repeat ON."}));

    program.clearEvents();
    f().PlaylistShuffleBtn->click();
    EXPECT_TRUE(f().shuffleOn());
    EXPECT_FALSE(f().repeatOn());
    EXPECT_EQ(shown(), "Shuffle On");
    EXPECT_EQ(program.events(), (QStringList{"sound:click.wav", "speak:shuffle ON."}))
        << "Repeat goes off silently";

    program.clearEvents();
    f().PlaylistShuffleBtn->click();
    EXPECT_FALSE(f().shuffleOn());
    EXPECT_EQ(shown(), "Shuffle Off");
    EXPECT_EQ(program.events(), (QStringList{"sound:click.wav", "speak:shuffle OFF."}));

    f().PlaylistRepeatBtn->click();
    f().PlaylistRepeatBtn->click();
    EXPECT_FALSE(f().repeatOn());
    EXPECT_FALSE(f().shuffleOn());
    EXPECT_EQ(shown(), "Repeat Off");
}

TEST_F(MediaFrameTest, DoubleClickingARowPlaysItEvenWhileAnotherPlays)
{
    addTracks({"a.mp3", "b.mp3", "c.mp3"});
    m().PlayBtnClick();
    player().calls.clear();
    program.clearEvents();

    const QPoint third(40, 2 * 29 + 10);
    sendMouse(f().PlayList, QEvent::MouseButtonPress, third);
    sendMouse(f().PlayList, QEvent::MouseButtonRelease, third);
    sendMouse(f().PlayList, QEvent::MouseButtonDblClick, third);
    sendMouse(f().PlayList, QEvent::MouseButtonRelease, third);

    EXPECT_EQ(playlist().selectedIndex(), 2);
    EXPECT_EQ(player().calls, (QStringList{"close", "close", "open " + program.folder.file("c.mp3"), "play"}));
    EXPECT_EQ(program.events(), QStringList{"sound:click.wav"});
}

TEST_F(MediaFrameTest, TappingANowPlayingTextShowsTheTrackDetails)
{
    tap(f().NowPlayingDisplay);
    EXPECT_EQ(shown(), "No Media Open!");
    EXPECT_EQ(program.events(), (QStringList{"sound:click.wav", "sound:error.wav"}));

    const QString path = addTrack("dir/song.mp3", MediaFiles::tagged(MediaFiles::wave(50), {"T", "A", "L", "2002", "C", 8}));
    m().PlayBtnClick();
    program.clearEvents();
    tap(f().MediaLenDisplay);
    const QString details = "FILE: " + path + "\nTITLE: T\nALBUM: L\nARTIST: A\nYEAR: 2002\nGENRE: Jazz\nCOMMENTS: C\n\n";
    EXPECT_EQ(program.events(), (QStringList{"sound:click.wav", "speak:", "message:" + details}));

    program.options().SpeechBtn->setChecked(false);
    program.clearEvents();
    tap(f().MediaPosDisplay);
    EXPECT_EQ(program.events(), (QStringList{"sound:click.wav", "message:" + details}));
}

TEST_F(MediaFrameTest, ReleasingTheTrackBarSeeksToWholeMillisecondsAndPlays)
{
    addTracks({"a.mp3", "b.mp3"});
    playlist().setSelectedIndex(1);
    f().MediaTrackbar->setPosition(50000);
    f().MediaTrackbarMouseDown();
    f().MediaTrackbarMouseUp();
    EXPECT_EQ(player().fileName(), program.folder.file("b.mp3"));
    EXPECT_EQ(player().calls, (QStringList{"close", "open " + player().fileName(), "play"}))
        << "with nothing open the entry starts from its beginning";

    m().StopBtnClick();
    player().calls.clear();
    f().MediaTrackbarMouseDown();
    EXPECT_TRUE(f().trackbarDragging());
    f().MediaTrackbar->setPosition(61999.7);
    f().MediaTrackbarMouseUp();
    EXPECT_EQ(player().calls, (QStringList{"setPosition 61999", "play"}));
    EXPECT_TRUE(player().playing);
    EXPECT_FALSE(f().trackbarDragging());
}

TEST_F(MediaFrameTest, AFingerOnTheTrackBarSetsTheDraggingFlagUntilItIsLifted)
{
    addTracks({"a.mp3"});
    m().PlayBtnClick();
    const QPoint at(100, 20);
    sendMouse(f().MediaTrackbar, QEvent::MouseButtonPress, at);
    EXPECT_TRUE(f().trackbarDragging());
    sendMouse(f().MediaTrackbar, QEvent::MouseButtonRelease, at);
    EXPECT_FALSE(f().trackbarDragging());
    EXPECT_EQ(player().calls.last(), "play");
    EXPECT_EQ(player().calls.at(player().calls.size() - 2), QString("setPosition %1").arg(qint64(f().MediaTrackbar->position())));
}
