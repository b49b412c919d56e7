// The real libmpv player on generated files, with the null audio output.
#include "platform/MpvMediaPlayer.h"
#include "media/FfmpegFile.h"
#include "support/MediaFiles.h"

#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>

namespace {

// Polls `condition` for up to five seconds.
bool eventually(const std::function<bool()>& condition)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > 5000)
            return false;
        QThread::msleep(10);
    }
    return true;
}

// True when `value()` keeps its first reading for `ms`.
bool holdsFor(int ms, const std::function<qint64()>& value)
{
    const qint64 first = value();
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        if (value() != first)
            return false;
        QThread::msleep(10);
    }
    return true;
}

class MpvMediaPlayerTest : public ::testing::Test {
protected:
    QString file(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(name);
        QFile out(path);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        return path;
    }
    QString encode(const QString& name, const QStringList& input) { return ffmpegFile(m_dir.filePath(name), input); }
    bool open(MediaPlayer& player, const QString& path)
    {
        player.setFileName(path);
        return player.open();
    }
    bool atEnd(const MediaPlayer& player) { return player.length() > 0 && player.position() == player.length(); }

    QTemporaryDir m_dir;
    // Plays in real time without a sound device.
    MpvMediaPlayer timed{{{"ao", "null"}}};
    // Plays as fast as it decodes.
    MpvMediaPlayer fast{{{"ao", "null"}, {"ao-null-untimed", "yes"}}};
};

TEST_F(MpvMediaPlayerTest, OpensPausedAndPlaysToTheEndWhereItStaysOpen)
{
    ASSERT_TRUE(open(fast, file("one.wav", MediaFiles::wave(1000)))) << qPrintable(fast.errorText());
    EXPECT_TRUE(fast.isOpen());
    EXPECT_EQ(fast.fileName(), m_dir.filePath("one.wav"));
    EXPECT_NEAR(fast.length(), 1000, 5);
    EXPECT_EQ(fast.position(), 0);
    EXPECT_EQ(fast.start(), 0);
    EXPECT_FALSE(fast.isPlaying());

    ASSERT_TRUE(fast.play());
    EXPECT_TRUE(eventually([&] { return atEnd(fast); }));
    EXPECT_TRUE(fast.isOpen());
    EXPECT_FALSE(fast.isPlaying()) << "a finished track is not playing";
}

TEST_F(MpvMediaPlayerTest, StopPausesInPlaceAndPlayContinuesFromThere)
{
    ASSERT_TRUE(open(timed, file("two.wav", MediaFiles::wave(3000))));
    ASSERT_TRUE(timed.play());
    ASSERT_TRUE(eventually([&] { return timed.position() > 200; }));
    EXPECT_TRUE(timed.isPlaying());
    timed.stop();
    EXPECT_FALSE(timed.isPlaying());
    EXPECT_TRUE(timed.isOpen());
    const qint64 stoppedAt = timed.position();
    EXPECT_TRUE(holdsFor(300, [&] { return timed.position(); }));

    ASSERT_TRUE(timed.play());
    EXPECT_TRUE(eventually([&] { return timed.position() > stoppedAt + 100; }));
    EXPECT_LT(timed.position(), stoppedAt + 1500);
}

TEST_F(MpvMediaPlayerTest, PlayAtTheEndDoesNotRestartButASeekBackDoes)
{
    ASSERT_TRUE(open(timed, file("three.wav", MediaFiles::wave(2000))));
    timed.seekToEnd();
    ASSERT_TRUE(eventually([&] { return atEnd(timed); }));

    timed.play();
    EXPECT_TRUE(holdsFor(300, [&] { return timed.position(); }));
    EXPECT_TRUE(atEnd(timed));

    timed.setPosition(0);
    ASSERT_TRUE(timed.play());
    EXPECT_TRUE(eventually([&] { return timed.position() > 0 && timed.position() < 1000; }));
}

TEST_F(MpvMediaPlayerTest, SetPositionSeeksInMilliseconds)
{
    ASSERT_TRUE(open(timed, file("four.wav", MediaFiles::wave(2000))));
    timed.setPosition(1250);
    EXPECT_TRUE(eventually([&] { return std::abs(timed.position() - 1250) <= 20; })) << timed.position();
}

TEST_F(MpvMediaPlayerTest, OpeningAnotherFileIgnoresTheEventsOfTheFirst)
{
    ASSERT_TRUE(open(fast, file("short.wav", MediaFiles::wave(500))));
    ASSERT_TRUE(fast.play());
    ASSERT_TRUE(eventually([&] { return atEnd(fast); }));

    ASSERT_TRUE(open(fast, file("long.wav", MediaFiles::wave(1500))));
    EXPECT_NEAR(fast.length(), 1500, 5);
    EXPECT_EQ(fast.position(), 0);
    ASSERT_TRUE(fast.play());
    EXPECT_TRUE(eventually([&] { return atEnd(fast); }));
}

TEST_F(MpvMediaPlayerTest, CloseLeavesNothingOpen)
{
    ASSERT_TRUE(open(fast, file("five.wav", MediaFiles::wave(500))));
    fast.close();
    EXPECT_FALSE(fast.isOpen());
    EXPECT_EQ(fast.length(), 0);
    EXPECT_EQ(fast.position(), 0);
    fast.close();
    EXPECT_FALSE(fast.play());
    EXPECT_FALSE(fast.errorText().isEmpty());
}

TEST_F(MpvMediaPlayerTest, OpenFailuresSayWhyAndLeaveNothingOpen)
{
    ASSERT_TRUE(open(fast, file("good.wav", MediaFiles::wave(500))));

    EXPECT_FALSE(open(fast, m_dir.filePath("missing.wav")));
    EXPECT_FALSE(fast.isOpen());
    EXPECT_FALSE(fast.errorText().isEmpty());

    EXPECT_FALSE(open(fast, file("text.wav", QByteArray(4000, 'x'))));
    EXPECT_FALSE(fast.isOpen());
    EXPECT_FALSE(fast.errorText().isEmpty());

    // A name mpv would otherwise take for a protocol is still a local file.
    EXPECT_FALSE(open(fast, QStringLiteral("av://lavfi:sine")));

    // A pipe is refused before mpv would wait for a writer.
    const QString pipe = m_dir.filePath("pipe.mp3");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_FALSE(open(fast, pipe));
    EXPECT_EQ(fast.errorText(), "not a regular file");

    EXPECT_TRUE(open(fast, m_dir.filePath("good.wav")));
    EXPECT_TRUE(fast.errorText().isEmpty());
}

TEST_F(MpvMediaPlayerTest, PlaysTheCompressedFormatsTheBrowserOffers)
{
    for (const char* extension : {"mp3", "ogg", "aac", "mp4", "wma", "au"}) {
        SCOPED_TRACE(extension);
        const QString path = encode(QStringLiteral("tone.") + extension, {"-f", "lavfi", "-i", "sine=duration=1", "-ac", "2"});
        if (path.isEmpty())
            GTEST_SKIP() << "ffmpeg cannot make the file";
        ASSERT_TRUE(open(fast, path)) << qPrintable(fast.errorText());
        EXPECT_NEAR(fast.length(), 1000, 120);
        EXPECT_FALSE(fast.hasVideo());
        ASSERT_TRUE(fast.play());
        EXPECT_TRUE(eventually([&] { return atEnd(fast); }));
    }
}

TEST_F(MpvMediaPlayerTest, TellsVideoFromCoverArt)
{
    const QString video = encode("clip.mp4", {"-f", "lavfi", "-i", "testsrc=duration=1:size=64x48", "-f", "lavfi",
                                              "-i", "sine=duration=1", "-shortest"});
    const QString cover = m_dir.filePath("cover.png");
    QImage picture(32, 32, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(cover));
    const QString song = encode("song.mp3", {"-f", "lavfi", "-i", "sine=duration=1", "-i", cover, "-map", "0",
                                             "-map", "1", "-disposition:v", "attached_pic"});
    if (video.isEmpty() || song.isEmpty())
        GTEST_SKIP() << "ffmpeg cannot make the files";

    ASSERT_TRUE(open(fast, video)) << qPrintable(fast.errorText());
    EXPECT_TRUE(fast.hasVideo());
    ASSERT_TRUE(fast.play());
    EXPECT_TRUE(eventually([&] { return atEnd(fast); }));

    ASSERT_TRUE(open(fast, song)) << qPrintable(fast.errorText());
    EXPECT_FALSE(fast.hasVideo());
}

} // namespace
