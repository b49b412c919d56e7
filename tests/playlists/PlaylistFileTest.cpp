// Playlist names and files, and what the file browser lists of the file system, without
// screens.
#include "playlists/MediaFolder.h"
#include "playlists/PlaylistFile.h"
#include "support/TempFolder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

void makeFiles(const TempFolder& folder, std::initializer_list<const char*> names)
{
    for (const char* name : names)
        folder.write(QString::fromUtf8(name), "x");
}

} // namespace

TEST(PlaylistName, IsTrimmedOfBlanksAndControlsAndHolds3To20Characters)
{
    EXPECT_EQ(PlaylistFile::trimmedName("  Road Trip  "), "Road Trip");
    EXPECT_EQ(PlaylistFile::trimmedName(QString::fromUtf8("\t\x01 a  b \r\n")), "a  b");
    EXPECT_EQ(PlaylistFile::trimmedName("   "), "");

    using PlaylistFile::NameCheck;
    EXPECT_EQ(PlaylistFile::checkName("ab"), NameCheck::TooShort);
    EXPECT_EQ(PlaylistFile::checkName("abc"), NameCheck::Fits);
    EXPECT_EQ(PlaylistFile::checkName(QString(20, u'X')), NameCheck::Fits);
    EXPECT_EQ(PlaylistFile::checkName(QString(21, u'X')), NameCheck::TooLong);
}

TEST(PlaylistFolder, ListsEveryKplFileAlphabeticallyWithItsFirstExactKplTakenOut)
{
    TempFolder folder;
    makeFiles(folder, {"rock.kpl", "ROCK.KPL", "my.kpl.kpl", "Jazz.Kpl", "notes.txt", "kpl", ".hidden.kpl"});
    QDir(folder.path()).mkdir("dir.kpl");
    EXPECT_EQ(PlaylistFile::listedNames(folder.path()),
              (QStringList{".hidden", "Jazz.Kpl", "my.kpl", "ROCK.KPL", "rock"}));

    EXPECT_TRUE(PlaylistFile::listedNames(folder.file("missing")).isEmpty());
    EXPECT_EQ(PlaylistFile::path("/car", "my.kpl"), "/car/playlist/my.kpl.kpl");
}

TEST(PlaylistFile, EveryLineBecomesAnEntryAndMissingFilesAreRed)
{
    TempFolder folder;
    makeFiles(folder, {"here_now.mp3"});
    const QString here = folder.file("here_now.mp3");
    const QList<PlaylistEntry> entries =
        PlaylistFile::entriesFor({here, folder.file("gone.mp3"), QString(), folder.path(), here});

    ASSERT_EQ(entries.size(), 5);
    QStringList paths;
    QList<QColor> colours;
    for (const PlaylistEntry& entry : entries) {
        paths << entry.FilePath;
        colours << entry.TextColor;
    }
    EXPECT_EQ(paths, (QStringList{here, folder.file("gone.mp3"), "", folder.path(), here}));
    // A folder is no media file.
    EXPECT_EQ(colours, (QList<QColor>{EntryColour::Playable, EntryColour::Failed, EntryColour::Failed,
                                      EntryColour::Failed, EntryColour::Playable}));
    EXPECT_EQ(entries[0].DisplayText, "here now.mp3");
    EXPECT_EQ(entries[2].DisplayText, "");
}

TEST(MediaFolder, MatchesThePatternsWhateverTheCase)
{
    for (const char* name : {"a.mp3", "b.MID", "c.Wav", "d.wma", "e.cda", "f.mp4", "g.AAC", "h.au", "i.ogg",
                             "j.raw", "k.vox", "song.MP3", "two.dots.ogg", "a.Flac", "a.m4a", "a.opus", "a.MKV",
                             "a.webm", "a.avi", "a.mov", "list.M3U", "list.m3u8"})
        EXPECT_TRUE(MediaFolder::isMediaFileName(QString::fromUtf8(name))) << name;
    for (const char* name : {"notes.txt", "mp3", "a.mp3.txt", "a.mp33", "beau", "a.m3u9", "a.flac.part"})
        EXPECT_FALSE(MediaFolder::isMediaFileName(QString::fromUtf8(name))) << name;
}

TEST(MediaFolder, ListsTheOrdinaryVisibleMediaFilesAlphabetically)
{
    TempFolder folder;
    makeFiles(folder, {"b_side.mp3", "A.ogg", "song.MP3", "a.wav", "notes.txt", ".hidden.mp3"});
    QDir(folder.path()).mkdir("folder.mp3");
    QFile::link(folder.file("nowhere"), folder.file("broken.mp3"));
    ASSERT_EQ(mkfifo(QFile::encodeName(folder.file("pipe.wav")).constData(), 0600), 0);

    EXPECT_EQ(MediaFolder::mediaFiles(folder.path()), (QStringList{"A.ogg", "a.wav", "b_side.mp3", "song.MP3"}));
}

TEST(MediaFolder, PathsRunFromTheRootAndFilesJoinWithOneSeparator)
{
    EXPECT_EQ(MediaFolder::pathFromRoot("/"), QStringList{"/"});
    EXPECT_EQ(MediaFolder::pathFromRoot("/home/car"), (QStringList{"/", "/home", "/home/car"}));
    EXPECT_EQ(MediaFolder::folderPath("/media/x/../music/"), "/media/music");
    EXPECT_EQ(MediaFolder::folderPath("//"), "/");
    // A file in the root is stored and played as "//name".
    EXPECT_EQ(MediaFolder::filePath("/", "a.mp3"), "//a.mp3");
    EXPECT_EQ(MediaFolder::filePath("/music", "a.mp3"), "/music/a.mp3");
}

TEST(MediaFolder, AFolderIsOnTheDriveWithTheLongestMountPointOnItsPath)
{
    const QList<MediaFolder::Drive> drives{{"/", "/"}, {"/media/usb", "/media/usb"}, {"/media/usb2", "/media/usb2"}};
    EXPECT_EQ(MediaFolder::driveOf(drives, "/media/usb2/music"), 2);
    EXPECT_EQ(MediaFolder::driveOf(drives, "/media/usb"), 1);
    EXPECT_EQ(MediaFolder::driveOf(drives, "/media/usbx"), 0);
    EXPECT_EQ(MediaFolder::driveOf(drives, "/"), 0);
    EXPECT_EQ(MediaFolder::driveOf({}, "/"), -1);
}
