// Saving the playlist under a typed name, opening a saved one, and the chooser.
#include "PlaylistScreenTest.h"

#include "dialogs/Myerrorunit.h"
#include "dialogs/Myinputunit.h"
#include "platform/FileNames.h"
#include "platform/TextFile.h"
#include "playlists/Filesframeunit.h"
#include "playlists/Mediaframeunit.h"
#include "playlists/Openplaylistunit.h"
#include "tags/Trackinfounit.h"
#include "widgets/TouchButton.h"
#include "widgets/TouchLabel.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace {

const QString Click = "sound:click.wav";
const QString Error = "sound:error.wav";

class SavedPlaylistsTest : public PlaylistScreenTest {
protected:
    void SetUp() override { start(); }

    TOpenPlaylistForm& chooser() const { return *m().OpenPlaylistForm; }
    TouchList& rows() const { return *chooser().PlayListBox; }
    QString shown() const { return media().NowPlayingDisplay->text(); }
    QString playlistFile(const QString& fileName) const { return program.folder.file("playlist/" + fileName); }
    QByteArray playlistBytes(const QString& fileName) const { return program.folder.read("playlist/" + fileName); }

    // Presses Save Playlist and types `typed` on the keyboard, then OK (or Cancel when
    // `typed` is empty); answers the overwrite question when `overwrite` says to expect one.
    enum class Overwrite { NotAsked, Confirm, Decline };
    void save(const QString& typed, Overwrite overwrite = Overwrite::NotAsked)
    {
        whenModalOpens([this, typed, overwrite] {
            auto* keyboard = qobject_cast<TMyInput*>(QApplication::activeModalWidget());
            ASSERT_NE(keyboard, nullptr);
            keyboardSeen << keyboard->PromptDisp->text() << keyboard->InputBox->text();
            keyboardLocked = keyboard->symbolKeys() == SymbolKeys::Locked
                && keyboard->shownLayout() == KeyboardLayout::Shown::UpperCase;
            if (overwrite != Overwrite::NotAsked)
                answerNextQuestion(overwrite == Overwrite::Confirm);
            if (typed.isEmpty()) {
                keyboard->CancelBtn->click();
                return;
            }
            keyboard->InputBox->setText(typed);
            keyboard->OkBtn->click();
        });
        media().SavePlaylistBtn->click();
    }

    // Presses Open Playlist and runs `inChooser` while the chooser is open; it should close it.
    void open(std::function<void()> inChooser)
    {
        whenModalOpens([this, inChooser] {
            ASSERT_EQ(QApplication::activeModalWidget(), &chooser());
            inChooser();
            if (chooser().isVisible()) {
                ADD_FAILURE() << "the chooser is still open";
                chooser().reject();
            }
        });
        media().OpenPlaylistBtn->click();
    }
    // Opens the playlist listed as `name`.
    void openListed(const QString& name)
    {
        open([this, name] {
            rows().setSelectedIndex(int(rows().items().indexOf(name)));
            chooser().OpenBtn->click();
        });
    }

    QStringList entryTexts() const
    {
        QStringList texts;
        for (int i = 0; i < playlist().count(); ++i)
            texts << playlist().entryAt(i)->DisplayText;
        return texts;
    }
    QList<QColor> entryColours() const
    {
        QList<QColor> colours;
        for (int i = 0; i < playlist().count(); ++i)
            colours << playlist().entryAt(i)->TextColor;
        return colours;
    }

    QStringList keyboardSeen;
    bool keyboardLocked = false;
};

} // namespace

// ---------------------------------------------------------------- saving

TEST_F(SavedPlaylistsTest, AnEmptyPlaylistIsNotSavedAndNoNameIsAskedFor)
{
    media().SavePlaylistBtn->click();
    EXPECT_EQ(notice(), "PLAYLIST EMPTY!\n\nThere are no media files in the Playlist.  "
                        "Select 'Add File(s)' button in the Playlist screen.");
    EXPECT_EQ(program.events(), QStringList{Error}) << "no click";
    EXPECT_FALSE(QFileInfo::exists(program.folder.file("playlist")));
}

TEST_F(SavedPlaylistsTest, SaveWritesEachPathWithCrLfInWindows1252UnderTheTrimmedName)
{
    const QString first = writeFile(QString::fromUtf8("music/caf\xC3\xA9_one.mp3"));
    const QString second = writeFile("music/two.wav");
    playlist().append(first);
    playlist().append(second);
    playlist().setSelectedIndex(1);
    program.clearEvents();

    save("  Road Trip  ");

    EXPECT_EQ(keyboardSeen, (QStringList{"Enter a unique name for this Playlist.", ""}));
    EXPECT_TRUE(keyboardLocked);
    EXPECT_EQ(program.events().mid(0, 2), (QStringList{Click, "speak:save current play list"}));
    const QByteArray folder = QFile::encodeName(program.folder.path());
    EXPECT_EQ(playlistBytes("Road Trip.kpl"),
              folder + "/music/caf\xE9_one.mp3\r\n" + folder + "/music/two.wav\r\n");
    EXPECT_EQ(shown(), "Road Trip Saved");
    EXPECT_EQ(m().nowPlaying().info().PlaylistName, "Road Trip");
    EXPECT_EQ(playlist().paths(), (QStringList{first, second}));
    EXPECT_EQ(playlist().selectedIndex(), 1);
    EXPECT_TRUE(m().findChildren<TMyInput*>().isEmpty()) << "the keyboard is discarded";
}

TEST_F(SavedPlaylistsTest, APathWindows1252CannotHoldMakesTheWholeFileUtf8WithAMark)
{
    playlist().append("/music/plain.mp3");
    playlist().append(QString::fromUtf8("/music/\xE6\x97\xA5\xE6\x9C\xAC.mp3"));
    save("Mixed");
    EXPECT_EQ(playlistBytes("Mixed.kpl"), "\xEF\xBB\xBF/music/plain.mp3\r\n/music/\xE6\x97\xA5\xE6\x9C\xAC.mp3\r\n");

    playlist().clear();
    openListed("Mixed");
    EXPECT_EQ(playlist().paths(), (QStringList{"/music/plain.mp3", QString::fromUtf8("/music/\xE6\x97\xA5\xE6\x9C\xAC.mp3")}));
}

TEST_F(SavedPlaylistsTest, NamesOf3To20CharactersAfterTrimmingAreSavedOthersRefused)
{
    playlist().append("/music/a.mp3");
    const QString tooShort = "PLAYLIST NAME ERROR\n\nPlaylist names must be at least 3 chars. Please try again.";
    const QString tooLong = "PLAYLIST NAME ERROR\n\nPlaylist names must be 20 chars or less. Please try again.";
    const struct {
        QString typed;
        QString notice;
        QString file;
    } cases[] = {
        {" ab ", tooShort, ""},
        {"abc", "", "abc.kpl"},
        {" " + QString(20, u'T') + " ", "", QString(20, u'T') + ".kpl"},
        {QString(21, u'L'), tooLong, ""},
    };
    for (const auto& c : cases) {
        media().NowPlayingDisplay->setText("before");
        m().MyError->hide();
        save(c.typed);
        EXPECT_EQ(notice(), c.notice) << c.typed.toStdString();
        EXPECT_EQ(shown(), c.file.isEmpty() ? "before" : c.typed.trimmed() + " Saved");
    }
    EXPECT_EQ(QDir(program.folder.file("playlist")).entryList(QDir::Files),
              (QStringList{"abc.kpl", QString(20, u'T') + ".kpl"}));
}

TEST_F(SavedPlaylistsTest, NamesThatWouldLeaveTheFolderOrHideTheFileAreRefused)
{
    playlist().append("/music/a.mp3");
    const QString unsafe = "PLAYLIST NAME ERROR\n\nPlaylist names cannot start with a dot or hold /, \\ or control "
                           "characters. Please try again.";
    for (const QString& typed : {QString("../../pwned"), program.folder.file("abs"), QString("a\\b\\c"),
                                 QString(".hidden"), QString("tab\tname")}) {
        m().MyError->hide();
        save(typed);
        EXPECT_EQ(notice(), unsafe) << typed.toStdString();
    }
    EXPECT_EQ(QDir(program.folder.path()).entryList({"*.kpl"}, QDir::Files | QDir::Hidden), QStringList{});
    EXPECT_EQ(QDir(program.folder.file("playlist")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{});
}

TEST_F(SavedPlaylistsTest, CancellingTheKeyboardSavesNothing)
{
    playlist().append("/music/a.mp3");
    save(QString());
    EXPECT_EQ(shown(), "Playlist Not Saved");
    EXPECT_EQ(m().nowPlaying().info().PlaylistName, "PLAYLIST");
    EXPECT_FALSE(QFileInfo::exists(program.folder.file("playlist")));
}

TEST_F(SavedPlaylistsTest, SavingUnderAnExistingNameAsksBeforeReplacingTheFile)
{
    writeFile("playlist/Road.kpl", "/old.mp3\r\n");
    playlist().append("/new.mp3");
    media().NowPlayingDisplay->setText("before");

    save("Road", Overwrite::Decline);
    EXPECT_EQ(asked, QStringList{"Playlist 'Road' already exists. Overwrite?"});
    EXPECT_EQ(playlistBytes("Road.kpl"), "/old.mp3\r\n");
    EXPECT_EQ(shown(), "before");
    EXPECT_EQ(m().nowPlaying().info().PlaylistName, "PLAYLIST");

    save("Road", Overwrite::Confirm);
    EXPECT_EQ(asked.size(), 2);
    EXPECT_EQ(playlistBytes("Road.kpl"), "/new.mp3\r\n");
    EXPECT_EQ(shown(), "Road Saved");
    EXPECT_EQ(m().nowPlaying().info().PlaylistName, "Road");
}

TEST_F(SavedPlaylistsTest, ASaveThatFailsIsReportedAndLeavesTheOldFileWhole)
{
    const QString path = writeFile("playlist/Locked.kpl", "/old.mp3\r\n");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    playlist().append("/new.mp3");

    save("Locked", Overwrite::Confirm);
    EXPECT_EQ(notice(), "FILE SAVE ERROR\n\nError saving Playlist file for Locked");
    EXPECT_EQ(shown(), "Playlist Not Saved");
    EXPECT_EQ(playlistBytes("Locked.kpl"), "/old.mp3\r\n");
    EXPECT_EQ(m().nowPlaying().info().PlaylistName, "PLAYLIST");
}

TEST_F(SavedPlaylistsTest, ASaveThatFailsForAnotherReasonThanPermissionSaysWhy)
{
    ASSERT_TRUE(QDir().mkpath(playlistFile("Trip.kpl"))); // a folder where the file should go
    playlist().append("/new.mp3");

    save("Trip");
    EXPECT_EQ(notice(), "FILE SAVE ERROR\n\nError saving Playlist file for Trip\n" + QString::fromLocal8Bit(std::strerror(EISDIR)));
    EXPECT_EQ(shown(), "Playlist Not Saved");
}

TEST_F(SavedPlaylistsTest, APlaylistFolderThatCannotBeMadeIsReported)
{
    writeFile("playlist", "a file in the way");
    playlist().append("/a.mp3");
    media().NowPlayingDisplay->setText("before");
    save("Trip");
    EXPECT_EQ(notice(), "CREATE ERROR\n\nFailed to create " + program.folder.file("playlist"));
    EXPECT_EQ(shown(), "before");
}

// ---------------------------------------------------------------- opening

TEST_F(SavedPlaylistsTest, OpeningReplacesTheEntriesMarksMissingFilesRedAndLeavesPlaybackAlone)
{
    const QString first = writeFile("music/first_song.mp3");
    const QString third = writeFile("music/third.mp3");
    const QString gone = program.folder.file("music/second.mp3");
    writeFile("playlist/Trip.kpl", (first + "\r\n" + gone + "\r\n" + third + "\r\n").toUtf8());
    playlist().append(writeFile("music/playing.mp3"));
    m().PlayBtnClick();
    ASSERT_TRUE(program.fakes.media->playing);
    program.clearEvents();

    openListed("Trip");

    EXPECT_EQ(program.events(), (QStringList{Click, "speak:Open play list", Click}));
    EXPECT_EQ(playlist().paths(), (QStringList{first, gone, third}));
    EXPECT_EQ(entryTexts(), (QStringList{"first song.mp3", "second.mp3", "third.mp3"}));
    EXPECT_EQ(entryColours(), (QList<QColor>{EntryColour::Playable, EntryColour::Failed, EntryColour::Playable}));
    EXPECT_EQ(media().PlayList->itemColour(1), EntryColour::Failed);
    EXPECT_EQ(playlist().selectedIndex(), -1);
    EXPECT_EQ(m().nowPlaying().info().PlaylistName, "Trip");
    EXPECT_TRUE(program.fakes.media->playing);
}

TEST_F(SavedPlaylistsTest, AFileWrittenByHandInUtf8WithLfLineEndsOpens)
{
    writeFile("playlist/Hand.kpl", "\xEF\xBB\xBF/music/caf\xC3\xA9.mp3\n\n/music/last.mp3");
    openListed("Hand");
    EXPECT_EQ(playlist().paths(), (QStringList{QString::fromUtf8("/music/caf\xC3\xA9.mp3"), "", "/music/last.mp3"}));
    EXPECT_EQ(entryTexts().at(1), "");
    EXPECT_EQ(entryColours().at(1), EntryColour::Failed);
}

TEST_F(SavedPlaylistsTest, ACapitalExtensionIsListedWholeAndLooksForAFileThatIsNotThere)
{
    writeFile("playlist/ROCK.KPL", "/a.mp3\r\n");
    writeFile("playlist/my.kpl.kpl", "/b.mp3\r\n");
    playlist().append("/kept.mp3");

    openListed("ROCK.KPL");
    EXPECT_EQ(notice(), "NO FILE ERROR\nFile shown below does not exist!\n" + playlistFile("ROCK.KPL.kpl"));
    EXPECT_EQ(playlist().paths(), QStringList{"/kept.mp3"});
    EXPECT_EQ(m().nowPlaying().info().PlaylistName, "PLAYLIST");

    openListed("my.kpl");
    EXPECT_EQ(playlist().paths(), QStringList{"/b.mp3"});
    EXPECT_EQ(m().nowPlaying().info().PlaylistName, "my.kpl");
}

TEST_F(SavedPlaylistsTest, ATooLargePlaylistIsRefusedAndTheEntriesStay)
{
    writeFile("playlist/Huge.kpl");
    QFile::resize(playlistFile("Huge.kpl"), TextFile::MaxFileBytes + 1);
    playlist().append("/kept.mp3");
    openListed("Huge");
    EXPECT_EQ(notice(), "FILE LOAD ERROR\n" + playlistFile("Huge.kpl") + "\nThe file is too large to be a playlist.");
    EXPECT_EQ(playlist().paths(), QStringList{"/kept.mp3"});
}

TEST_F(SavedPlaylistsTest, TheChooserListsOnlyRegularFiles)
{
    writeFile("playlist/Real.kpl", "/a.mp3\r\n");
    writeFile("secret.txt", "secret\r\n");
    ASSERT_TRUE(QFile::link(program.folder.file("secret.txt"), playlistFile("Link.kpl")));
    ASSERT_EQ(mkfifo(QFile::encodeName(playlistFile("Pipe.kpl")).constData(), 0600), 0);
    ASSERT_TRUE(QDir().mkdir(playlistFile("Folder.kpl")));
    open([this] {
        EXPECT_EQ(rows().items(), QStringList{"Real"});
        chooser().reject();
    });
}

// ---------------------------------------------------------------- the chooser

TEST_F(SavedPlaylistsTest, TheChooserListsThePlaylistsAndTheFooterHoldsTheChosenOne)
{
    for (int i = 0; i < 15; ++i)
        writeFile(QStringLiteral("playlist/List %1.kpl").arg(i, 2, 10, QChar(u'0')), "/a.mp3\r\n");
    writeFile("playlist/notes.txt");

    QStringList footers;
    open([&] {
        EXPECT_EQ(rows().count(), 15);
        EXPECT_EQ(rows().itemText(0), "List 00");
        EXPECT_EQ(rows().header(), "Playlists");
        footers << rows().footer();
        WidgetTest::tap(&rows(), rowPoint(rows(), 1));
        footers << rows().footer();

        // Scrolling forgets the choice but keeps the highlight.
        WidgetTest::wheel(&rows(), rowPoint(rows(), 2), -120);
        footers << rows().footer();
        EXPECT_EQ(rows().selectedIndex(), 1);
        program.clearEvents();
        chooser().OpenBtn->click();
        EXPECT_EQ(program.events(), QStringList{Error});
        EXPECT_TRUE(chooser().isVisible());

        // Touching the highlighted row chooses it again.
        rows().setTopIndex(0);
        WidgetTest::tap(&rows(), rowPoint(rows(), 1));
        footers << rows().footer();
        chooser().OpenBtn->click();
    });
    EXPECT_EQ(footers, (QStringList{"", "List 01", "", "List 01"}));
    EXPECT_EQ(m().nowPlaying().info().PlaylistName, "List 01");

    // Every showing starts afresh from the folder.
    QFile::remove(playlistFile("List 00.kpl"));
    open([&] {
        footers = QStringList{rows().footer(), rows().itemText(0)};
        EXPECT_EQ(rows().selectedIndex(), -1);
        chooser().CancelBtn->click();
    });
    EXPECT_EQ(footers, (QStringList{"", "List 01"}));
}

TEST_F(SavedPlaylistsTest, CancelClosesTheChooserAndOpensNothing)
{
    writeFile("playlist/Trip.kpl", "/trip.mp3\r\n");
    playlist().append("/kept.mp3");
    program.clearEvents();
    open([&] {
        rows().setSelectedIndex(0);
        chooser().CancelBtn->click();
    });
    EXPECT_EQ(program.events(), (QStringList{Click, "speak:Open play list", Click}));
    EXPECT_EQ(chooser().chosenName(), "");
    EXPECT_EQ(playlist().paths(), QStringList{"/kept.mp3"});
}

TEST_F(SavedPlaylistsTest, DeleteAsksThenRemovesTheFileAndItsRow)
{
    writeFile("playlist/Keep.kpl", "/a.mp3\r\n");
    writeFile("playlist/Old.kpl", "/b.mp3\r\n");
    open([&] {
        program.clearEvents();
        chooser().DeleteBtn->click();
        EXPECT_EQ(program.events(), QStringList{Error}) << "nothing chosen";

        rows().setSelectedIndex(1);
        answerNextQuestion(false);
        chooser().DeleteBtn->click();
        EXPECT_TRUE(QFileInfo::exists(playlistFile("Old.kpl")));
        EXPECT_EQ(rows().count(), 2);

        program.clearEvents();
        answerNextQuestion(true);
        chooser().DeleteBtn->click();
        // The middle click is the prompt's own button.
        EXPECT_EQ(program.events(), (QStringList{Click, Click, Click}));
        EXPECT_FALSE(QFileInfo::exists(playlistFile("Old.kpl")));
        EXPECT_EQ(rows().items(), QStringList{"Keep"});
        EXPECT_EQ(rows().selectedIndex(), -1);
        EXPECT_EQ(rows().footer(), "");
        EXPECT_TRUE(chooser().isVisible());

        program.clearEvents();
        chooser().OpenBtn->click();
        EXPECT_EQ(program.events(), QStringList{Error});
        chooser().CancelBtn->click();
    });
    EXPECT_EQ(asked, (QStringList{"Delete Playlist Old?", "Delete Playlist Old?"}));
}

TEST_F(SavedPlaylistsTest, ADeleteThatFailsIsReportedAndTheRowStays)
{
    // Gone behind the chooser's back, so there is nothing to delete, whoever runs the test.
    writeFile("playlist/Stuck.kpl");
    open([&] {
        ASSERT_TRUE(QFile::remove(playlistFile("Stuck.kpl")));
        rows().setSelectedIndex(0);
        answerNextQuestion(true);
        chooser().DeleteBtn->click();
        EXPECT_EQ(notice(), "DELETE ERROR\n" + playlistFile("Stuck.kpl"));
        EXPECT_EQ(rows().items(), QStringList{"Stuck"});
        EXPECT_TRUE(chooser().isVisible());
        chooser().CancelBtn->click();
    });
}

TEST(SavedPlaylistsSounds, TheChoosersSoundsFollowClickSoundsOnly)
{
    TestProgram program;
    program.start(QByteArray("ClickSounds=FALSE\r\nOtherSounds=TRUE\r\nSpeechSounds=FALSE\r\n"));
    whenModalOpens([&] {
        TOpenPlaylistForm& chooser = *program.main->OpenPlaylistForm;
        chooser.OpenBtn->click();
        chooser.DeleteBtn->click();
        chooser.CancelBtn->click();
    });
    program.main->MediaFrame1->OpenPlaylistBtn->click();
    EXPECT_TRUE(program.events().isEmpty());
}

TEST_F(SavedPlaylistsTest, ANameThatIsNotUtf8IsListedPlayedSavedAndOpensTheSameFileAgain)
{
    // Latin-1 names, as an old stick holds them; Qt's own listing leaves them out.
    const QString music = QFileInfo(writeFile("music/plain.mp3")).path();
    const QByteArray folder = QFile::encodeName(music) + "/D\xE9j\xE0";
    const QByteArray bytes = folder + "/Caf\xE9_Bleu.mp3";
    ASSERT_EQ(::mkdir(folder.constData(), 0755), 0);
    std::FILE* file = std::fopen(bytes.constData(), "w");
    ASSERT_NE(file, nullptr);
    std::fclose(file);
    writeFile("music/D\xC3\xA9j\xC3\xA0/other.mp3"); // the same name in UTF-8 is another folder

    TFilesFrame& browser = *m().FilesFrame1;
    browser.showFolder(music);
    const auto row = std::find_if(browser.folderRows().cbegin(), browser.folderRows().cend(),
                                  [&](const QString& path) { return FileNames::toBytes(path) == folder; });
    ASSERT_NE(row, browser.folderRows().cend());
    const int index = int(row - browser.folderRows().cbegin());
    EXPECT_EQ(browser.DirectoryListBox1->itemText(index).trimmed(), QString::fromUtf8("D\xC3\xA9j\xC3\xA0"));
    browser.DirectoryListBox1DblClick(index);
    ASSERT_EQ(browser.FileListBox1->items(), (QStringList{QString::fromUtf8("Caf\xC3\xA9_Bleu.mp3")}));
    WidgetTest::tap(browser.FileListBox1, rowPoint(*browser.FileListBox1, 0));
    browser.AdvSmoothButton3->click();
    EXPECT_EQ(FileNames::toBytes(program.fakes.media->fileName()), bytes);
    browser.FilesAddMediaBtn->click();
    ASSERT_EQ(playlist().count(), 1);
    EXPECT_EQ(entryTexts(), QStringList{QString::fromUtf8("Caf\xC3\xA9 Bleu.mp3")});

    save("Latin");
    playlist().clear();
    openListed("Latin");
    ASSERT_EQ(playlist().count(), 1);
    EXPECT_EQ(FileNames::toBytes(playlist().entryAt(0)->FilePath), bytes);
    EXPECT_EQ(entryColours(), QList<QColor>{EntryColour::Playable});
    program.fakes.media->close(); // the file played from the browser is done with
    m().PlayBtnClick();
    EXPECT_TRUE(notice().isEmpty()) << qPrintable(notice());
    EXPECT_EQ(FileNames::toBytes(program.fakes.media->fileName()), bytes);
    EXPECT_EQ(m().TrackInfoForm->FilenameDisplay->text(), QString::fromUtf8("Caf\xC3\xA9_Bleu.mp3"));
}
