// The demo program folder that make_demo prepares: media the program can read and play,
// a playlist, a config.ini for the feeder, and a drive through every speed band.
#include "RunTool.h"

#include "config/SettingsStore.h"
#include "gps/NmeaReceiver.h"
#include "home/SpeedBands.h"
#include "platform/MpvMediaPlayer.h"
#include "platform/TextFile.h"
#include "playlists/MediaFolder.h"
#include "playlists/PlaylistFile.h"
#include "support/TempFolder.h"
#include "support/TestPaths.h"
#include "tags/AlbumArt.h"
#include "tags/Id3.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QStandardPaths>
#include <gtest/gtest.h>
#include <set>

namespace {

struct DemoFolder {
    TempFolder folder;
    ToolRun run;
    QString path(const QString& name) const { return folder.file(name); }
    QString media() const { return folder.file(QStringLiteral("media")); }
    QString mediaFile(const QString& name) const { return QDir(media()).filePath(name); }
};

// Made once for all tests: encoding the media takes a few seconds.
const DemoFolder& demo()
{
    static DemoFolder made = [] {
        DemoFolder d;
        d.run = runTool(TestPaths::builtToolsFolder() + QStringLiteral("/make_demo"),
                        {TestPaths::builtProgramFolder(), d.folder.path()});
        return d;
    }();
    return made;
}

class DemoFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(QStringLiteral("ffmpeg")).isEmpty())
            GTEST_SKIP() << "ffmpeg is not installed";
        ASSERT_TRUE(demo().run.finished && demo().run.exitCode == 0) << qPrintable(demo().run.output);
    }
};

struct ExpectedTag {
    QString fileName;
    QString title;
    QString artist;
    QString year;
    QString genre;
};

// The checksum after "*" matches the text between "$" and "*".
bool hasValidChecksum(const QByteArray& line)
{
    const int star = line.lastIndexOf('*');
    if (!line.startsWith('$') || star < 0 || star + 3 != line.size())
        return false;
    unsigned char sum = 0;
    for (int i = 1; i < star; ++i)
        sum ^= static_cast<unsigned char>(line[i]);
    bool ok = false;
    return line.mid(star + 1).toUInt(&ok, 16) == sum && ok;
}

QList<QByteArray> driveLines()
{
    QFile file(demo().path(QStringLiteral("demo-drive.nmea")));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<QByteArray> lines;
    for (const QByteArray& line : file.readAll().split('\n'))
        if (!line.trimmed().isEmpty() && !line.startsWith('#'))
            lines << line.chopped(line.endsWith('\r') ? 1 : 0);
    return lines;
}

} // namespace

TEST_F(DemoFolderTest, TracksCarryTheTagsTheReaderExpects)
{
    const QList<ExpectedTag> expected = {
        {"Coastal Road.mp3", "Coastal Road", "The Demo Drivers", "2026", "Pop"},
        {"Night_Drive_Home.ogg", "Night Drive Home", "The Demo Drivers", "2026", "Ambient"},
        {"Morning Commute.mp3", "Morning Commute", QString::fromUtf8("Zoë and the Wipers"), "2025", "Jazz"},
    };
    for (const ExpectedTag& track : expected) {
        TID3 tags;
        ASSERT_TRUE(tags.ReadID3v1(demo().mediaFile(track.fileName))) << qPrintable(track.fileName);
        EXPECT_EQ(tags.Title(), track.title);
        EXPECT_EQ(tags.Artist(), track.artist);
        EXPECT_EQ(tags.Album(), QStringLiteral("Karvex Demo Drive"));
        EXPECT_EQ(tags.Year(), track.year);
        EXPECT_EQ(tags.Genre(), track.genre);
    }
}

TEST_F(DemoFolderTest, FileBrowserListsMp3OggVideoAndAnUnderscoredName)
{
    const QStringList files = MediaFolder::mediaFiles(demo().media());
    EXPECT_EQ(files, (QStringList{"City Lights.mp4", "Coastal Road.mp3", "Morning Commute.mp3", "Night_Drive_Home.ogg"}));
}

TEST_F(DemoFolderTest, PlayerOpensEveryMediaFileAndFindsTheVideo)
{
    MpvMediaPlayer player{{{"ao", "null"}, {"ao-null-untimed", "yes"}}};
    for (const QString& name : MediaFolder::mediaFiles(demo().media())) {
        player.setFileName(demo().mediaFile(name));
        ASSERT_TRUE(player.open()) << qPrintable(name) << ": " << qPrintable(player.errorText());
        EXPECT_GT(player.length(), 5000) << qPrintable(name);
        EXPECT_EQ(player.hasVideo(), name.endsWith(QLatin1String(".mp4"))) << qPrintable(name);
        player.close();
    }
}

TEST_F(DemoFolderTest, OneTrackHasItsOwnPictureAndTheOthersTheFolderPicture)
{
    const QString own = AlbumArt::find(demo().mediaFile("Coastal Road.mp3"), demo().folder.path());
    EXPECT_EQ(own, demo().mediaFile("Coastal Road.JPG"));
    const QString folderPicture = AlbumArt::find(demo().mediaFile("Night_Drive_Home.ogg"), demo().folder.path());
    EXPECT_EQ(folderPicture, demo().mediaFile("albumart.PNG"));
    EXPECT_EQ(QImage(own).size(), QSize(300, 300));
    EXPECT_EQ(QImage(folderPicture).size(), QSize(300, 300));
}

TEST_F(DemoFolderTest, SavedPlaylistListsEveryMediaFileInCrLfLines)
{
    const QString playlistFolder = PlaylistFile::folder(demo().folder.path());
    EXPECT_EQ(PlaylistFile::listedNames(playlistFolder), QStringList{"Demo Drive"});
    const std::optional<QStringList> lines = TextFile::readLines(PlaylistFile::path(demo().folder.path(), "Demo Drive"));
    ASSERT_TRUE(lines.has_value());
    EXPECT_EQ(*lines, (QStringList{demo().mediaFile("Coastal Road.mp3"), demo().mediaFile("Night_Drive_Home.ogg"),
                                   demo().mediaFile("Morning Commute.mp3"), demo().mediaFile("City Lights.mp4")}));
    QFile raw(PlaylistFile::path(demo().folder.path(), "Demo Drive"));
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    EXPECT_EQ(raw.readAll().count("\r\n"), 4);
}

TEST_F(DemoFolderTest, ConfigReadsGpsFromTheFeederLinkAndBrowsesTheMedia)
{
    SettingsStore settings;
    ASSERT_TRUE(settings.load(demo().path(ConfigFileName)));
    EXPECT_EQ(settings.value(Key::GPSPort), demo().path("gps-receiver"));
    EXPECT_TRUE(SettingText::isOn(settings.value(Key::GPSEnabled)));
    EXPECT_EQ(settings.value(Key::LastMediaPath), demo().media());
    EXPECT_EQ(settings.value(Key::ClickSounds), "TRUE");
    EXPECT_EQ(settings.lines().size(), 15);
    EXPECT_EQ(demo().folder.read(ConfigFileName).count("\r\n"), 15);
}

TEST_F(DemoFolderTest, ProgramIsCopiedWithItsSoundsAndLicence)
{
    for (const QString& name : QStringList{"karvex", "click.wav", "hover.wav", "error.wav", "licence.txt"}) {
        const QFileInfo copy(demo().path(name));
        EXPECT_TRUE(copy.isFile() && !copy.isSymLink()) << qPrintable(name);
        EXPECT_EQ(copy.size(), QFileInfo(QDir(TestPaths::builtProgramFolder()).filePath(name)).size())
            << qPrintable(name);
    }
    EXPECT_TRUE(QFileInfo(demo().path("karvex")).isExecutable());
}

TEST_F(DemoFolderTest, DriveDecodesThroughEverySpeedBandAndHeading)
{
    NmeaReceiver receiver;
    std::set<SpeedBand> bands;
    std::set<int> compassPoints; // eight sectors of 45 degrees
    for (const QByteArray& line : driveLines()) {
        receiver.AppendPending(line + "\r\n");
        const GpsReadings& readings = receiver.Readings();
        bands.insert(GpsDisplay::of(readings.SpeedMph, readings.HeadingDegrees, readings.SpeedMph).band);
        if (readings.HeadingDegrees >= 0)
            compassPoints.insert(int(readings.HeadingDegrees / 45) % 8);
    }
    EXPECT_EQ(bands, (std::set<SpeedBand>{SpeedBand::Offline, SpeedBand::Stationary, SpeedBand::Normal,
                                          SpeedBand::Fast, SpeedBand::VeryFast}));
    EXPECT_EQ(compassPoints.size(), 8u);
}

TEST_F(DemoFolderTest, DriveHasValidRmcSentencesAndAFewDamagedAndForeignLines)
{
    int rmc = 0;
    int foreign = 0;
    int damaged = 0;
    int damagedRmc = 0;
    for (const QByteArray& line : driveLines()) {
        if (!hasValidChecksum(line))
            ++(line.startsWith("$GPRMC,") ? damagedRmc : damaged);
        else if (line.startsWith("$GPRMC,"))
            ++rmc;
        else
            ++foreign;
    }
    EXPECT_EQ(damagedRmc, 0);
    EXPECT_GT(rmc, 100);
    EXPECT_GT(foreign, rmc);
    EXPECT_GE(damaged, 3);
    EXPECT_LT(damaged, rmc / 10);
}
