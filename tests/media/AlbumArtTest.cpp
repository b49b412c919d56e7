// The album-art search on real folders and the picture decoders on good and damaged files.
#include "tags/AlbumArt.h"
#include "tags/PictureLoader.h"
#include "media/FfmpegFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void touch(const QString& path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << qPrintable(path);
}

TEST(AlbumArtSearch, TriesTheTracksNameThenItsFolderThenTheProgramFolder)
{
    const QStringList expected = {
        "/music/song.PNG", "/music/song.GIF", "/music/song.JPG", "/music/song.BMP",
        "/music/albumart.PNG", "/music/albumart.GIF", "/music/albumart.JPG", "/music/albumart.BMP",
        "/car/albumart.PNG", "/car/albumart.GIF", "/car/albumart.JPG", "/car/albumart.BMP",
    };
    EXPECT_EQ(AlbumArt::candidates("/music/song.mp3", "/car"), expected);
    // The last four characters go whatever they are.
    EXPECT_EQ(AlbumArt::candidates("/music/a.flac", "/car/").first(), "/music/a..PNG");
}

TEST(AlbumArtSearch, FindsTheFirstExistingPictureIgnoringLetterCase)
{
    QTemporaryDir root;
    QDir(root.path()).mkpath("music");
    QDir(root.path()).mkpath("car");
    const QString music = root.filePath("music/");
    const QString car = root.filePath("car");
    const QString track = music + "song.mp3";

    EXPECT_EQ(AlbumArt::find(track, car), "");

    touch(car + "/albumart.bmp");
    EXPECT_EQ(AlbumArt::find(track, car), car + "/albumart.bmp");

    touch(music + "albumart.PNG");
    EXPECT_EQ(AlbumArt::find(track, car), music + "albumart.PNG");

    touch(music + "song.jpg");
    EXPECT_EQ(AlbumArt::find(track, car), music + "song.jpg");

    // A folder named like a picture is not a picture.
    QDir(music).mkpath("song.PNG");
    EXPECT_EQ(AlbumArt::find(track, car), music + "song.jpg");

    touch(music + "a.png");
    EXPECT_EQ(AlbumArt::find(music + "a.flac", car), music + "albumart.PNG");
}

// Pictures written by Qt, then read back by the loader.
class PictureLoaderTest : public ::testing::Test {
protected:
    static QImage sample(QImage::Format format = QImage::Format_RGB32)
    {
        QImage image(120, 80, QImage::Format_RGB32);
        image.fill(QColor(200, 30, 40));
        return image.convertToFormat(format);
    }
    QString save(const QImage& image, const char* format, const QString& name)
    {
        const QString path = m_dir.filePath(name);
        EXPECT_TRUE(image.save(path, format)) << format;
        return path;
    }
    QByteArray read(const QString& path)
    {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }
    QString write(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    // Qt writes no GIF; ffmpeg does.
    QString gif(const QString& name, const QString& lavfiSource)
    {
        return ffmpegFile(m_dir.filePath(name), {"-f", "lavfi", "-t", "0.1", "-i", lavfiSource, "-frames:v", "1", "-vf",
                                                 "split[a][b];[a]palettegen[p];[b][p]paletteuse"});
    }
    static void expectReddish(const QImage& image)
    {
        ASSERT_FALSE(image.isNull());
        const QColor centre = image.pixelColor(image.width() / 2, image.height() / 2);
        EXPECT_NEAR(centre.red(), 200, 12);
        EXPECT_NEAR(centre.green(), 30, 12);
        EXPECT_NEAR(centre.blue(), 40, 12);
    }

    QTemporaryDir m_dir;
};

TEST_F(PictureLoaderTest, DecodesEveryFormatStretchedToTheBox)
{
    const QSize box(280, 280);
    QStringList paths = {save(sample(), "PNG", "a.PNG"), save(sample(), "JPG", "a.JPG"),
                         save(sample(), "BMP", "a.BMP")};
    const QString redGif = gif("a.GIF", "color=c=0xC81E28:size=120x80");
    if (!redGif.isEmpty())
        paths << redGif;
    for (const QString& path : paths) {
        SCOPED_TRACE(path.toStdString());
        const QImage image = PictureLoader::load(path, box);
        EXPECT_EQ(image.size(), box);
        expectReddish(image);
    }
    EXPECT_EQ(PictureLoader::load(paths.first()).size(), QSize(120, 80));
}

TEST_F(PictureLoaderTest, DecodesThePngAndJpegColourVariants)
{
    expectReddish(PictureLoader::load(save(sample(QImage::Format_Indexed8), "PNG", "palette.png")));
    expectReddish(PictureLoader::load(save(sample(QImage::Format_RGBA64), "PNG", "deep.png")));
    expectReddish(PictureLoader::load(save(sample(QImage::Format_ARGB32), "PNG", "alpha.png")));

    QImage grey(64, 64, QImage::Format_Grayscale16);
    grey.fill(QColor(128, 128, 128));
    for (const char* format : {"PNG", "JPG"}) {
        const QImage image = PictureLoader::load(save(grey, format, QStringLiteral("grey.") + format));
        ASSERT_FALSE(image.isNull()) << format;
        EXPECT_NEAR(qGray(image.pixel(32, 32)), 128, 3) << format;
    }
}

TEST_F(PictureLoaderTest, TellsFormatsApartByContentNotName)
{
    expectReddish(PictureLoader::load(save(sample(), "PNG", "really-a-png.JPG")));
    EXPECT_TRUE(PictureLoader::load(write("text.JPG", "not a picture at all")).isNull());
}

TEST_F(PictureLoaderTest, ALargeJpegIsDecodedStraightToTheBox)
{
    QImage big(2400, 1600, QImage::Format_RGB32);
    big.fill(QColor(200, 30, 40));
    const QImage image = PictureLoader::load(save(big, "JPG", "big.jpg"), QSize(280, 280));
    EXPECT_EQ(image.size(), QSize(280, 280));
    expectReddish(image);
}

TEST_F(PictureLoaderTest, DamagedPicturesGiveANullImage)
{
    // Larger, varied pictures, so that a cut really loses pixel data.
    QImage noise(200, 200, QImage::Format_RGB32);
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, qRgb(x * 7 % 256, y * 13 % 256, (x * y) % 256));
    QStringList goodFiles = {save(noise, "PNG", "good.PNG"), save(noise, "JPG", "good.JPG"),
                             save(noise, "BMP", "good.BMP")};
    const QString testGif = gif("good.GIF", "testsrc=size=200x200");
    if (!testGif.isEmpty())
        goodFiles << testGif;
    for (const QString& goodFile : goodFiles) {
        const QString format = goodFile.right(3);
        SCOPED_TRACE(format.toStdString());
        const QByteArray good = read(goodFile);
        ASSERT_FALSE(PictureLoader::load(goodFile).isNull());

        EXPECT_TRUE(PictureLoader::load(write("half." + format, good.left(good.size() / 2))).isNull());
        EXPECT_TRUE(PictureLoader::load(write("head." + format, good.left(12))).isNull());

        // The signature kept, everything after it overwritten.
        QByteArray garbled = good;
        for (qsizetype i = 8; i < garbled.size(); ++i)
            garbled[i] = char(0xA5 ^ (i * 31));
        EXPECT_TRUE(PictureLoader::load(write("garbled." + format, garbled)).isNull());
    }
    EXPECT_TRUE(PictureLoader::load(write("empty.PNG", {})).isNull());
    EXPECT_TRUE(PictureLoader::load(m_dir.filePath("missing.PNG")).isNull());
}

TEST_F(PictureLoaderTest, AJpegIsTakenUpToItsEndMarker)
{
    const QByteArray good = read(save(sample(), "JPG", "whole.jpg"));
    ASSERT_TRUE(good.endsWith("\xFF\xD9"));
    // Bytes after the end (a camera's padding) do not matter; a missing end marker does.
    expectReddish(PictureLoader::load(write("padded.jpg", good + QByteArray(100, '\0'))));
    EXPECT_TRUE(PictureLoader::load(write("no-end.jpg", good.chopped(2))).isNull());
}

TEST_F(PictureLoaderTest, AGifWhoseCanvasIsTooLargeIsRefused)
{
    const QString testGif = gif("small.GIF", "testsrc=size=200x200");
    if (testGif.isEmpty())
        GTEST_SKIP() << "ffmpeg could not write a GIF";
    QByteArray bytes = read(testGif);
    ASSERT_FALSE(PictureLoader::load(write("small.GIF", bytes)).isNull());
    // The header's canvas stretched to 200 x 65535: every frame would be painted on it.
    bytes[8] = char(0xFF);
    bytes[9] = char(0xFF);
    EXPECT_TRUE(PictureLoader::load(write("tall.GIF", bytes), QSize(280, 280)).isNull());
}

TEST_F(PictureLoaderTest, AFlippedByteInPngImageDataIsCaught)
{
    QByteArray bytes = read(save(sample(), "PNG", "flip.png"));
    const qsizetype data = bytes.indexOf("IDAT");
    ASSERT_GT(data, 0);
    bytes[data + 10] = char(bytes[data + 10] ^ 0xFF);
    EXPECT_TRUE(PictureLoader::load(write("flipped.png", bytes)).isNull());
}

} // namespace
