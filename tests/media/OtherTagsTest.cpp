// Tags and covers of files that carry no ID3v1 block, made by ffmpeg as taggers make them.
#include "media/FfmpegFile.h"
#include "tags/AlbumArt.h"
#include "tags/AsfHeader.h"
#include "tags/Id3.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>
#include <memory>
#include <taglib/tbytevectorstream.h>

namespace {

const QSize Box(280, 280);

// A FLAC picture block, the form Vorbis comments carry a cover in.
QByteArray flacPictureBlock(const QByteArray& png)
{
    QByteArray block;
    const auto number = [&block](quint32 value) {
        char bytes[4];
        qToBigEndian(value, bytes);
        block.append(bytes, 4);
    };
    number(3); // front cover
    number(9);
    block.append("image/png");
    number(0); // no description
    for (quint32 value : {32u, 32u, 24u, 0u})
        number(value);
    number(quint32(png.size()));
    return block + png;
}

bool reddish(const QImage& image)
{
    if (image.isNull())
        return false;
    const QColor c = image.pixelColor(image.width() / 2, image.height() / 2);
    return c.red() > 200 && c.green() < 60 && c.blue() < 60;
}

class OtherTagsTest : public ::testing::Test {
protected:
    // One set of files for every test: ffmpeg is not fast.
    static void SetUpTestSuite()
    {
        dir = std::make_unique<QTemporaryDir>();
        const QString cover = ffmpegFile(path("cover.png"), {"-f", "lavfi", "-i", "color=red:s=32x32", "-frames:v", "1"});
        if (cover.isEmpty())
            return;
        QFile png(cover);
        png.open(QIODevice::ReadOnly);
        const QString vorbisCover = "METADATA_BLOCK_PICTURE=" + flacPictureBlock(png.readAll()).toBase64();

        const QStringList tags = {"-metadata", "title=Night Drive", "-metadata", "artist=The Motorway",
                                  "-metadata", "album=Long Roads", "-metadata", "date=2004",
                                  "-metadata", "comment=Live", "-metadata", "genre=Synthpop"};
        const QStringList tone = {"-f", "lavfi", "-i", "sine=duration=0.2"};
        const QStringList withCover = tone + QStringList{"-i", cover, "-map", "0", "-map", "1", "-c:v", "copy",
                                                         "-disposition:v", "attached_pic"};
        for (const auto& [name, arguments] : std::initializer_list<std::pair<const char*, QStringList>>{
                 {"v2.mp3", withCover + tags},
                 {"a.m4a", withCover + QStringList{"-c:a", "aac"} + tags},
                 {"a.flac", withCover + tags},
                 {"a.ogg", tone + QStringList{"-c:a", "libvorbis", "-metadata", vorbisCover} + tags},
                 {"a.opus", tone + QStringList{"-c:a", "libopus"} + tags},
                 {"a.wma", withCover + tags},
                 // Both tags, the ID3v1 title cut at its 30 characters; ID3v2 genre as a code.
                 {"both.mp3", withCover + QStringList{"-write_id3v1", "1", "-metadata", "title=" + LongTitle,
                                                 "-metadata", "genre=(67)"}},
                 {"code.mp3", tone + QStringList{"-metadata", "genre=(67)", "-metadata", "title=  Spaced \t"}},
             }) {
            if (ffmpegFile(path(name), arguments).isEmpty())
                return;
        }
        made = true;
    }
    static void TearDownTestSuite() { dir.reset(); }
    void SetUp() override
    {
        if (!made)
            GTEST_SKIP() << "ffmpeg cannot make the files";
    }
    static QString path(const QString& name) { return dir->filePath(name); }
    // The picture the track panel shows for `name`.
    QImage trackPicture(const QString& name)
    {
        id3.ReadID3(path(name));
        return AlbumArt::picture(path(name), path("car"), id3.Cover(), Box);
    }

    static inline std::unique_ptr<QTemporaryDir> dir;
    static inline bool made = false;
    static inline const QString LongTitle = "A Title Longer Than Thirty Characters Here";
    TID3 id3;
};

TEST_F(OtherTagsTest, ReadsTheTagsOfEveryFormatWithoutID3v1)
{
    for (const char* name : {"v2.mp3", "a.m4a", "a.flac", "a.ogg", "a.opus"}) {
        SCOPED_TRACE(name);
        id3.ReadID3(path(name));
        EXPECT_EQ(id3.Title(), "Night Drive");
        EXPECT_EQ(id3.Artist(), "The Motorway");
        EXPECT_EQ(id3.Album(), "Long Roads");
        EXPECT_EQ(id3.Year(), "2004");
        EXPECT_EQ(id3.Comment(), "Live");
        EXPECT_EQ(id3.Genre(), "Synthpop");
    }
}

TEST_F(OtherTagsTest, AnID3v1BlockWinsOverID3v2)
{
    id3.ReadID3(path("both.mp3"));
    EXPECT_EQ(id3.Title(), LongTitle.left(30));
    EXPECT_EQ(id3.Genre(), "Other") << "ID3v1 has no code for a genre given as text";
    EXPECT_TRUE(reddish(AlbumArt::picture(path("both.mp3"), path("car"), id3.Cover(), Box)));
}

TEST_F(OtherTagsTest, ID3v2TextsAreTrimmedDefaultedAndCodedGenresNamedFromTheTable)
{
    id3.ReadID3(path("v2.mp3"));
    id3.ReadID3(path("code.mp3"));
    EXPECT_EQ(id3.Title(), "Spaced");
    EXPECT_EQ(id3.Genre(), "Psychadelic");
    EXPECT_EQ(id3.Artist(), "Unknown Artist");
    EXPECT_EQ(id3.Album(), "Unknown Album");
    EXPECT_EQ(id3.Year(), "No Year");
}

TEST_F(OtherTagsTest, TheEmbeddedCoverComesAfterTheTracksOwnPictureAndBeforeAlbumart)
{
    for (const char* name : {"v2.mp3", "a.m4a", "a.flac", "a.ogg"})
        EXPECT_TRUE(reddish(trackPicture(name))) << name;
    EXPECT_TRUE(trackPicture("a.opus").isNull());

    QImage blue(16, 16, QImage::Format_RGB32);
    blue.fill(Qt::blue);
    ASSERT_TRUE(blue.save(path("albumart.png")));
    EXPECT_TRUE(reddish(trackPicture("v2.mp3")));
    EXPECT_EQ(trackPicture("a.opus").pixelColor(5, 5), QColor(Qt::blue));
    ASSERT_TRUE(blue.save(path("v2.JPG")));
    EXPECT_FALSE(reddish(trackPicture("v2.mp3")));
    QFile::remove(path("albumart.png"));
    QFile::remove(path("v2.JPG"));
}

// A Windows Media file as ffmpeg writes it, its header damaged here and there.
TEST_F(OtherTagsTest, AWindowsMediaFileIsReadOnlyWhenItsHeaderHoldsTogether)
{
    id3.ReadID3(path("a.wma"));
    EXPECT_EQ(id3.Title(), "Night Drive");
    EXPECT_EQ(id3.Album(), "Long Roads");

    QFile file(path("a.wma"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray good = file.readAll();
    const auto isDamaged = [](QByteArray bytes) {
        TagLib::ByteVector data(bytes.constData(), unsigned(bytes.size()));
        TagLib::ByteVectorStream stream(data);
        return AsfHeader::isDamaged(stream);
    };
    const auto patched = [&good](const char* guid, qsizetype offset, QByteArray value) {
        const qsizetype at = good.indexOf(QByteArray::fromHex(guid));
        EXPECT_GT(at, 0) << guid;
        return QByteArray(good).replace(at + offset, value.size(), value);
    };
    const char* fileProperties = "a1dcab8c47a9cf118ee400c00c205365";
    const char* extendedContentDescription = "40a4d0d207e3d21197f000a0c95ea850";
    const char* headerExtension = "b503bf5f2ea9cf118ee300c00c205365";
    const char* metadata = "eacbf8c5af5b77488467aa8c44fa4cca";
    EXPECT_FALSE(isDamaged(good));
    EXPECT_FALSE(isDamaged(QByteArray(5000, 'x'))) << "not a Windows Media file";
    EXPECT_TRUE(isDamaged(good.left(400))) << "cut short in its header";
    EXPECT_TRUE(isDamaged(patched(extendedContentDescription, 24, "\xFF\xFF"))) << "65535 entries";
    EXPECT_TRUE(isDamaged(patched(fileProperties, 16, QByteArray(8, '\0')))) << "an object of no size";
    EXPECT_TRUE(isDamaged(patched(headerExtension, 16, QByteArray("\xFF\xFF\0\0", 4)))) << "beyond the header";
    EXPECT_TRUE(isDamaged(patched(headerExtension, 42, QByteArray("\xFF\0\0\0", 4)))) << "objects beyond it";
    EXPECT_TRUE(isDamaged(patched(metadata, 24, "\xFF\xFF"))) << "65535 entries in the extension";

    const QString damaged = path("damaged.wma");
    QFile copy(damaged);
    ASSERT_TRUE(copy.open(QIODevice::WriteOnly));
    copy.write(patched(extendedContentDescription, 24, "\xFF\xFF"));
    copy.close();
    id3.ReadID3(damaged);
    EXPECT_EQ(id3.Title(), "Unknown Title");
}

TEST_F(OtherTagsTest, AFileTagLibCannotReadGivesDefaults)
{
    const QString junk = path("junk.m4a");
    QFile file(junk);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(5000, '\x7F'));
    file.close();
    id3.ReadID3(path("v2.mp3"));
    id3.ReadID3(junk);
    EXPECT_EQ(id3.Title(), "Unknown Title");
    EXPECT_EQ(id3.Genre(), "No Genre");
    EXPECT_TRUE(id3.Cover().isEmpty());
}

} // namespace
