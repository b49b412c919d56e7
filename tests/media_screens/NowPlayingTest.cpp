#include "playback/NowPlaying.h"

#include <gtest/gtest.h>

TEST(NowPlaying, AnnouncesEachStartWithItsOwnPictureAndAnEmptiedPlaylist)
{
    NowPlaying nowPlaying;
    int started = 0;
    QObject::connect(&nowPlaying, &NowPlaying::trackStarted, [&] { ++started; });
    QImage cover(4, 4, QImage::Format_RGB32);
    cover.fill(Qt::blue);

    nowPlaying.info().Title = "With Cover";
    nowPlaying.startTrack({0, 2, "with cover", 50}, cover);
    ASSERT_EQ(started, 1);
    EXPECT_EQ(nowPlaying.lastStart().displayText, "with cover");
    EXPECT_EQ(nowPlaying.trackPicture(), cover);

    // A track that found no picture has none of its own, whatever is still shown.
    nowPlaying.startTrack({1, 2, "plain", 50}, QImage());
    EXPECT_EQ(started, 2);
    EXPECT_TRUE(nowPlaying.trackPicture().isNull());

    int emptied = 0;
    QObject::connect(&nowPlaying, &NowPlaying::playlistEmptied, [&] { ++emptied; });
    nowPlaying.setPlaylistName("Drive");
    nowPlaying.emptyPlaylist();
    EXPECT_EQ(emptied, 1);
    EXPECT_EQ(nowPlaying.info().PlaylistName, "PLAYLIST");
}
