// The media file browser on a real folder tree.
#include "PlaylistScreenTest.h"

#include "playback/Videoframeunit.h"
#include "playlists/Filesframeunit.h"
#include "playlists/Mediaframeunit.h"
#include "widgets/TouchButton.h"
#include "widgets/TouchLabel.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>

namespace {

const QString Click = "sound:click.wav";
const QString Hover = "sound:hover.wav";
const QString Error = "sound:error.wav";

class FilesFrameTest : public PlaylistScreenTest {
protected:
    void SetUp() override
    {
        // music/ holds three media files, a text file, a hidden file and two folders.
        for (const char* name : {"music/b_side.mp3", "music/Anthem.OGG", "music/c.wav", "music/notes.txt",
                                 "music/.hidden.mp3", "music/Live/x.mp3", "music/.cache/y.mp3"})
            writeFile(QString::fromUtf8(name));
        music = program.folder.file("music");
    }
    TFilesFrame& f() const { return *m().FilesFrame1; }
    QStringList files() const { return f().FileListBox1->items(); }
    QString count() const { return f().FileCount->text(); }
    void tapFile(int row) const { WidgetTest::tap(f().FileListBox1, rowPoint(*f().FileListBox1, row)); }
    void startIn(const QString& folder)
    {
        start(AllSoundsOn + "LastMediaPath=" + folder.toUtf8() + "\r\n");
        program.clearEvents();
    }

    QString music;
};

} // namespace

TEST_F(FilesFrameTest, StartsInTheLastMediaPathAndListsItsMediaFiles)
{
    startIn(music);
    EXPECT_EQ(f().currentFolder(), music);
    EXPECT_EQ(f().Label1->text(), music);
    EXPECT_EQ(files(), (QStringList{"Anthem.OGG", "b_side.mp3", "c.wav"}));
    EXPECT_EQ(count(), "0 File(s) Selected ");

    // The folder list: the way down from the root, then the visible subfolders.
    QStringList expected = MediaFolder::pathFromRoot(music);
    const int current = int(expected.size()) - 1;
    expected << music + "/Live";
    EXPECT_EQ(f().folderRows(), expected);
    EXPECT_EQ(f().DirectoryListBox1->count(), expected.size());
    EXPECT_EQ(f().DirectoryListBox1->selectedIndex(), current);
    EXPECT_EQ(f().DirectoryListBox1->itemText(0), "/");
    EXPECT_EQ(f().DirectoryListBox1->itemText(current).trimmed(), "music");
    EXPECT_EQ(f().DirectoryListBox1->itemText(current + 1).trimmed(), "Live");
    EXPECT_EQ(f().DriveComboBox1->currentText(),
              MediaFolder::drives().at(MediaFolder::driveOf(MediaFolder::drives(), music)).caption);
}

TEST_F(FilesFrameTest, AMissingLastMediaPathIsPassedOver)
{
    startIn(program.folder.file("gone"));
    EXPECT_EQ(f().currentFolder(), "/");
    EXPECT_TRUE(notice().isEmpty());
}

TEST_F(FilesFrameTest, DoubleTappingAFolderOpensIt)
{
    startIn(music);
    TouchList& folders = *f().DirectoryListBox1;
    const int live = int(f().folderRows().indexOf(music + "/Live"));
    folders.setTopIndex(live);
    WidgetTest::doubleTap(&folders, rowPoint(folders, live));
    EXPECT_EQ(f().currentFolder(), music + "/Live");
    EXPECT_EQ(files(), QStringList{"x.mp3"});

    // Back up to music through its row on the way down.
    const int up = int(f().folderRows().indexOf(music));
    folders.setTopIndex(up);
    WidgetTest::tap(&folders, rowPoint(folders, up));
    EXPECT_EQ(f().currentFolder(), music + "/Live") << "one tap only highlights";
    WidgetTest::doubleTap(&folders, rowPoint(folders, up));
    EXPECT_EQ(f().currentFolder(), music);
    EXPECT_TRUE(program.events().isEmpty());
}

TEST_F(FilesFrameTest, AFolderThatVanishedListsEmpty)
{
    startIn(music);
    const int live = int(f().folderRows().indexOf(music + "/Live"));
    ASSERT_TRUE(QDir(music + "/Live").removeRecursively());
    f().DirectoryListBox1DblClick(live);
    EXPECT_EQ(f().Label1->text(), music + "/Live");
    EXPECT_TRUE(files().isEmpty());
    EXPECT_EQ(f().folderRows(), MediaFolder::pathFromRoot(music + "/Live"));
    EXPECT_TRUE(notice().isEmpty());
}

TEST_F(FilesFrameTest, TouchingRowsFlipsThemAndCountsTheSelection)
{
    startIn(music);
    tapFile(0);
    EXPECT_EQ(count(), "1 File(s) Selected");
    tapFile(2);
    EXPECT_EQ(count(), "2 File(s) Selected");
    tapFile(0);
    EXPECT_EQ(count(), "1 File(s) Selected");
    EXPECT_EQ(program.events(), (QStringList{Click, Click, Click}));

    program.clearEvents();
    tapFile(2);
    EXPECT_EQ(count(), "0 File(s) Selected");
    EXPECT_TRUE(program.events().isEmpty()) << "deselecting the last one is silent";
    EXPECT_EQ(f().FileListBox1->focusedIndex(), 2);
}

TEST_F(FilesFrameTest, AddAppendsTheSelectedFilesInListOrderAndRemembersTheFolder)
{
    start();
    m().settings().setValue(Key::LastMediaPath, "/elsewhere");
    playlist().append("/first.mp3");
    playlist().setSelectedIndex(0);
    f().showFolder(music);
    EXPECT_EQ(m().settings().value(Key::LastMediaPath), "/elsewhere") << "browsing alone changes nothing";
    program.clearEvents();
    tapFile(2);
    tapFile(0);
    tapFile(1);
    program.clearEvents();

    f().FilesAddMediaBtn->click();
    EXPECT_EQ(program.events(), QStringList{Hover});
    EXPECT_EQ(count(), "3 File(s) Added.");
    EXPECT_EQ(playlist().paths(),
              (QStringList{"/first.mp3", music + "/Anthem.OGG", music + "/b_side.mp3", music + "/c.wav"}));
    EXPECT_EQ(media().PlayList->items(), (QStringList{"first.mp3", "Anthem.OGG", "b side.mp3", "c.wav"}));
    EXPECT_EQ(playlist().selectedIndex(), 0);
    EXPECT_EQ(f().FileListBox1->selectedCount(), 0);
    EXPECT_EQ(m().settings().value(Key::LastMediaPath), music);

    // The same file again is appended again.
    tapFile(2);
    f().FilesAddMediaBtn->click();
    EXPECT_EQ(count(), "1 File(s) Added.");
    EXPECT_EQ(playlist().paths().count(music + "/c.wav"), 2);
}

TEST_F(FilesFrameTest, AddWithNothingSelectedOnlyComplains)
{
    startIn(music);
    f().FilesAddMediaBtn->click();
    EXPECT_EQ(count(), "No Files Selected!");
    EXPECT_EQ(program.events(), QStringList{Error});
    EXPECT_TRUE(playlist().isEmpty());
}

TEST_F(FilesFrameTest, SelectAllAndNone)
{
    startIn(music);
    f().AdvSmoothButton1->click();
    EXPECT_EQ(count(), "3 File(s) Selected");
    EXPECT_TRUE(f().FileListBox1->isSelected(1));
    f().AdvSmoothButton2->click();
    EXPECT_EQ(count(), "0 File(s) Selected");
    EXPECT_EQ(f().FileListBox1->selectedCount(), 0);

    f().showFolder(program.folder.path());
    f().AdvSmoothButton1->click();
    EXPECT_EQ(count(), "0 File(s) Selected");
    EXPECT_EQ(program.events(), (QStringList{Click, Click, Click}));
}

TEST_F(FilesFrameTest, PlayNowStartsTheFocusedFileWithoutTouchingThePlaylist)
{
    startIn(music);
    FakeMediaPlayer& player = *program.fakes.media;
    f().AdvSmoothButton3->click();
    EXPECT_EQ(program.events(), QStringList{Error});
    EXPECT_FALSE(player.isOpen());

    tapFile(1);
    tapFile(1); // focused, but no longer selected
    program.clearEvents();
    const NowPlayingInfo before = m().nowPlaying().info();
    f().AdvSmoothButton3->click();
    EXPECT_EQ(program.events(), QStringList{Click});
    EXPECT_EQ(player.fileName(), music + "/b_side.mp3");
    EXPECT_TRUE(player.playing);
    EXPECT_EQ(player.displayWindow, m().VideoFrame1->VideoOutput);
    EXPECT_TRUE(playlist().isEmpty());
    EXPECT_EQ(m().nowPlaying().info().FileName, before.FileName);
}

TEST_F(FilesFrameTest, PlayNowReportsAFileThatWillNotOpenOrPlay)
{
    startIn(music);
    FakeMediaPlayer& player = *program.fakes.media;
    tapFile(0);
    player.openResult = false;
    f().AdvSmoothButton3->click();
    EXPECT_EQ(notice(), "OPEN ERROR\n\nCould not Open the selected media file.\nfake failure");

    player.openResult = true;
    player.playResult = false;
    f().AdvSmoothButton3->click();
    EXPECT_EQ(notice(), "OPEN ERROR\n\nCould not Play the selected media file.\nfake failure");
    EXPECT_TRUE(playlist().isEmpty());
}

TEST_F(FilesFrameTest, SpeakNameSpeaksTheFocusedFileEvenWithSpeechOff)
{
    start("ClickSounds=TRUE\r\nSpeechSounds=FALSE\r\nLastMediaPath=" + music.toUtf8() + "\r\n");
    program.clearEvents();
    f().ReadMeBtn->click();
    EXPECT_EQ(program.events(), QStringList{Error});

    tapFile(1);
    program.clearEvents();
    f().ReadMeBtn->click();
    EXPECT_EQ(program.events(), (QStringList{Click, "speak:b_side.mp3"}));
}

TEST_F(FilesFrameTest, EverySoundHereFollowsClickSounds)
{
    start("ClickSounds=FALSE\r\nOtherSounds=TRUE\r\nLastMediaPath=" + music.toUtf8() + "\r\n");
    program.clearEvents();
    f().FilesAddMediaBtn->click();
    f().AdvSmoothButton3->click();
    f().ReadMeBtn->click();
    tapFile(0);
    f().FilesAddMediaBtn->click();
    EXPECT_TRUE(program.events().isEmpty());
    EXPECT_EQ(playlist().count(), 1);
}

TEST_F(FilesFrameTest, ListsTheOtherFormatsAndAnM3uAddsItsEntries)
{
    const QString more = QFileInfo(writeFile("more/a.FLAC")).path();
    for (const char* name : {"b.m4a", "c.Opus", "d.mkv", "e.webm", "f.AVI", "g.mov", "h.m3u"})
        writeFile(QStringLiteral("more/") + name);
    writeFile("more/list.m3u8", "\xEF\xBB\xBF#EXTM3U\r\n#EXTINF:12,Band - Song\r\nsub/song.mp3\r\n\r\n/abs/other.mp3\n");
    startIn(more);
    EXPECT_EQ(files(), (QStringList{"a.FLAC", "b.m4a", "c.Opus", "d.mkv", "e.webm", "f.AVI", "g.mov", "h.m3u",
                                    "list.m3u8"}));

    tapFile(8);
    f().FilesAddMediaBtn->click();
    EXPECT_EQ(playlist().paths(), (QStringList{more + "/sub/song.mp3", "/abs/other.mp3"}));
    EXPECT_EQ(count(), "2 File(s) Added.");
}

TEST_F(FilesFrameTest, APathWithALineBreakIsRefusedWithANoticeAndTheOthersAreAdded)
{
    const QString odd = QFileInfo(writeFile("odd/two\nlines.mp3")).path();
    writeFile("odd/fine.mp3");
    startIn(odd);
    ASSERT_EQ(files().size(), 2);
    f().AdvSmoothButton1->click();
    f().FilesAddMediaBtn->click();
    EXPECT_EQ(playlist().paths(), QStringList{odd + "/fine.mp3"});
    EXPECT_EQ(count(), "1 File(s) Added.");
    EXPECT_EQ(notice(), "FILE NAME ERROR\n\nA file whose path holds a line break cannot be kept in a playlist, so it "
                        "was not added.\n" + odd + "/two\nlines.mp3");
}
