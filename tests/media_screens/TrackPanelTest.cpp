// The track information panel: what a started track fills in, the album art found for
// it, and the read-aloud button.
#include "MediaScreenTest.h"

#include "config/Settingsunit.h"
#include "media/FfmpegFile.h"
#include "playback/NowPlayingTexts.h"
#include "playlists/Mediaframeunit.h"
#include "tags/Trackinfounit.h"
#include "widgets/TouchButton.h"
#include "widgets/TouchLabel.h"

#include <QFile>
#include <QLabel>

using MediaFiles::Tag;

namespace {

const QColor RedArt(220, 30, 30);
const QColor GreenArt(30, 200, 30);
const QColor BlueArt(30, 30, 220);

bool near(const QColor& a, const QColor& b)
{
    return std::abs(a.red() - b.red()) < 24 && std::abs(a.green() - b.green()) < 24
        && std::abs(a.blue() - b.blue()) < 24;
}

class TrackPanelTest : public MediaScreenTest {
protected:
    void SetUp() override { start(); }
    QSize pictureSize() const { return m().TrackInfoForm->TrackImage->pixmap().size(); }
    QColor pictureColour() const
    {
        const QImage image = m().TrackInfoForm->TrackImage->pixmap().toImage();
        return image.pixelColor(image.width() / 2, image.height() / 2);
    }
    // Starts `path` afresh, as a double-click on its row does.
    void playFile(const QString& name)
    {
        addTrack(name);
        playlist().setSelectedIndex(playlist().count() - 1);
        m().MediaPlayer1().close();
        m().PlayBtnClick();
        ASSERT_TRUE(notice().isEmpty()) << notice().toStdString();
    }
    void readAloud()
    {
        program.clearEvents();
        m().TrackInfoForm->ReadMeBtn->click();
    }
};

} // namespace

TEST_F(TrackPanelTest, AlbumArtIsTakenFromTheTrackItsFolderOrTheProgramFolderInThatOrder)
{
    EXPECT_EQ(pictureSize(), QSize(250, 250)) << "the built-in picture before any track";
    writeFile("music/song.jpg", MediaFiles::picture(RedArt, "JPG"));
    writeFile("music/albumart.PNG", MediaFiles::picture(GreenArt, "PNG"));
    writeFile("albumart.bmp", MediaFiles::picture(BlueArt, "BMP"));

    playFile("music/song.mp3");
    EXPECT_EQ(pictureSize(), QSize(280, 280));
    EXPECT_TRUE(near(pictureColour(), RedArt));

    playFile("music/other.mp3");
    EXPECT_TRUE(near(pictureColour(), GreenArt));

    playFile("elsewhere/track.mp3");
    EXPECT_TRUE(near(pictureColour(), BlueArt));

    // With no picture anywhere the last one stays.
    QFile::remove(program.folder.file("albumart.bmp"));
    playFile("lonely/track.mp3");
    EXPECT_TRUE(near(pictureColour(), BlueArt));
}

TEST_F(TrackPanelTest, ATrackTaggedOnlyTheModernWayShowsItsTagsAndEmbeddedCover)
{
    const QString cover = writeFile("cover.png", MediaFiles::picture(RedArt, "PNG"));
    writeFile("music/albumart.png", MediaFiles::picture(GreenArt, "PNG"));
    const QString track = ffmpegFile(program.folder.file("music/modern.mp3"),
                                     {"-f", "lavfi", "-i", "sine=duration=0.2", "-i", cover, "-map", "0", "-map", "1",
                                      "-c:v", "copy", "-disposition:v", "attached_pic", "-metadata", "title=Night Drive",
                                      "-metadata", "artist=The Motorway", "-metadata", "date=2004", "-metadata", "genre=17"});
    if (track.isEmpty())
        GTEST_SKIP() << "ffmpeg cannot make the file";
    playlist().append(track);
    m().PlayBtnClick();
    ASSERT_TRUE(notice().isEmpty()) << notice().toStdString();
    EXPECT_EQ(m().TrackInfoForm->TrackTitle->text(), "Night Drive");
    EXPECT_EQ(m().TrackInfoForm->TrackArtist->text(), "The Motorway");
    EXPECT_EQ(m().TrackInfoForm->TrackGenreYear->text(), "Rock 2004 ");
    EXPECT_TRUE(near(pictureColour(), RedArt));
}

TEST_F(TrackPanelTest, ACorruptPictureEndsTheSearchAndLeavesThePreviousPicture)
{
    writeFile("good/albumart.png", MediaFiles::picture(GreenArt, "PNG"));
    playFile("good/a.mp3");
    ASSERT_TRUE(near(pictureColour(), GreenArt));

    QByteArray truncated = MediaFiles::picture(RedArt, "JPG");
    truncated.truncate(truncated.size() / 3);
    writeFile("bad/b.jpg", truncated);
    writeFile("bad/albumart.png", MediaFiles::picture(BlueArt, "PNG"));
    playFile("bad/b.mp3");
    EXPECT_TRUE(near(pictureColour(), GreenArt));

    writeFile("worse/c.JPG", "\xFF\xD8\xFF\xE0 not a picture at all");
    playFile("worse/c.mp3");
    EXPECT_TRUE(near(pictureColour(), GreenArt));
}

TEST_F(TrackPanelTest, ReadAloudBeforeAnyTrackSpeaksTheArtistLineEvenWithSpeechOff)
{
    program.options().SpeechBtn->setChecked(false);
    readAloud();
    EXPECT_EQ(program.events(), QStringList{"speak:. by No Information Available"});
}

TEST_F(TrackPanelTest, ReadAloudSpeaksTitleArtistAlbumAndGenreWithYear)
{
    addTrack("full.mp3", MediaFiles::tagged(MediaFiles::wave(50), {"Song Title", "The Artist", "The Album", "1999", "", 17}));
    m().PlayBtnClick();
    readAloud();
    EXPECT_EQ(program.events(), QStringList{"speak:Song Title. by The Artist. from the album, The Album. Rock 1999"});

    playFile("no_album.mp3");
    readAloud();
    EXPECT_EQ(program.events(), QStringList{"speak:no_album.mp3. by Unknown Artist"});
}

TEST(TrackPanelTexts, GenreAndYearAreEachLeftOutWhenUnknown)
{
    NowPlayingInfo info;
    info.FileName = "f.mp3";
    info.Title = "Unknown Title (live)";
    info.Album = "The Unknown Album";
    info.Genre = "No Genre";
    info.Year = "1984";
    auto panel = NowPlayingTexts::TrackPanel::of(info);
    EXPECT_EQ(panel.TrackTitle, "f.mp3");
    EXPECT_EQ(panel.TrackAlbum, "");
    EXPECT_EQ(panel.TrackGenreYear, " 1984 ");

    info.Year = "No Year";
    info.Genre = "Jazz";
    EXPECT_EQ(NowPlayingTexts::TrackPanel::of(info).TrackGenreYear, "Jazz");
    info.Genre = "No Genre";
    EXPECT_EQ(NowPlayingTexts::TrackPanel::of(info).TrackGenreYear, "");

    EXPECT_EQ(NowPlayingTexts::spokenTrack(" \tTitle\n", "  ", "\x01", " 1984 "), "Title. 1984");
}
