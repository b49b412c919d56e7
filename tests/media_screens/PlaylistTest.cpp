// The playlist model and the shuffle picks, without screens.
#include "playlists/Playlist.h"
#include "playlists/ShuffleGenerator.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

void fill(Playlist& list, std::initializer_list<const char*> paths)
{
    for (const char* path : paths)
        list.append(QString::fromUtf8(path));
}

QStringList names(const Playlist& list)
{
    QStringList result;
    for (int i = 0; i < list.count(); ++i)
        result << list.entryAt(i)->DisplayText;
    return result;
}

} // namespace

TEST(PlaylistEntry, ShowsTheFileNameWithEachUnderscoreAsASpace)
{
    EXPECT_EQ(PlaylistEntry::forFile("/music/my_best_song.mp3").DisplayText, "my best song.mp3");
    EXPECT_EQ(PlaylistEntry::forFile("/music/a__b.mp3").DisplayText, "a  b.mp3");
    EXPECT_EQ(PlaylistEntry::forFile("/music/_x_/plain.MP3").DisplayText, "plain.MP3");
    EXPECT_EQ(PlaylistEntry::forFile("//root.wav").DisplayText, "root.wav");
    const PlaylistEntry entry = PlaylistEntry::forFile("/music/../odd//a_b.ogg");
    EXPECT_EQ(entry.FilePath, "/music/../odd//a_b.ogg"); // stored as given
    EXPECT_EQ(entry.TextColor, QColor(192, 192, 192));
    EXPECT_EQ(PlaylistEntry::forFile("/gone.mp3", EntryColour::Failed).TextColor, QColor(255, 0, 0));
}

TEST(Playlist, AppendingLeavesTheSelectionAndReplacingClearsIt)
{
    Playlist list;
    fill(list, {"/a.mp3", "/b.mp3"});
    EXPECT_EQ(list.selectedIndex(), -1);
    list.setSelectedIndex(1);
    list.append("/a.mp3");
    EXPECT_EQ(list.selectedIndex(), 1);
    EXPECT_EQ(list.paths(), (QStringList{"/a.mp3", "/b.mp3", "/a.mp3"}));

    list.replaceAll({PlaylistEntry::forFile("/x_y.mp3", EntryColour::Failed), PlaylistEntry::forFile("/z.mp3")});
    EXPECT_EQ(list.selectedIndex(), -1);
    EXPECT_EQ(names(list), (QStringList{"x y.mp3", "z.mp3"}));
    EXPECT_EQ(list.entryAt(0)->TextColor, EntryColour::Failed);
    EXPECT_EQ(list.entryAt(2), nullptr);
    EXPECT_EQ(list.entryAt(-1), nullptr);

    list.setSelectedIndex(5);
    EXPECT_EQ(list.selectedIndex(), -1);
}

TEST(Playlist, TheSelectionStaysOnItsEntryWhenOthersMoveOrGo)
{
    Playlist list;
    fill(list, {"/a", "/b", "/c", "/d"});
    list.setSelectedIndex(2); // c
    list.removeAt(0);
    EXPECT_EQ(list.selectedIndex(), 1);
    list.move(0, 2); // b c d -> c d b
    EXPECT_EQ(names(list), (QStringList{"c", "d", "b"}));
    EXPECT_EQ(list.selectedIndex(), 0);
    list.move(0, 1);
    EXPECT_EQ(list.selectedIndex(), 1);
    list.removeAt(1);
    EXPECT_EQ(list.selectedIndex(), -1);
    list.removeAt(7);
    list.move(0, 9);
    EXPECT_EQ(names(list), (QStringList{"d", "b"}));
}

TEST(Playlist, PreviousAndNextWrapAround)
{
    Playlist list;
    fill(list, {"/a", "/b", "/c"});
    list.selectPrevious();
    EXPECT_EQ(list.selectedIndex(), -1); // nothing selected stays so
    list.selectNext();
    EXPECT_EQ(list.selectedIndex(), 0);
    list.selectPrevious();
    EXPECT_EQ(list.selectedIndex(), 2);
    list.selectNext();
    EXPECT_EQ(list.selectedIndex(), 0);

    Playlist empty;
    empty.selectNext();
    empty.selectPrevious();
    EXPECT_EQ(empty.selectedIndex(), -1);
}

TEST(ShuffleGenerator, PicksTheSameSequenceInEveryRunStartingWithTheFirstEntry)
{
    ShuffleGenerator five;
    QList<int> picks;
    for (int i = 0; i < 8; ++i)
        picks << five.next(5);
    EXPECT_EQ(picks, (QList<int>{0, 0, 4, 1, 1, 3, 1, 0}));

    // The seed moves on whatever the count, so a large list sees the same seeds.
    ShuffleGenerator large;
    EXPECT_EQ(large.next(0), 0);
    EXPECT_EQ(large.next(1000), 31);
    EXPECT_EQ(large.next(1000), 861);
}
