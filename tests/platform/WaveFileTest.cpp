// The sound in a WAV file, for the interface sounds: what plays and what is refused.
#include "platform/WaveFile.h"
#include "support/MediaFiles.h"

#include <QDataStream>
#include <QIODevice>
#include <gtest/gtest.h>

namespace {

// A WAV of FRAMES frames of the given format, with CHUNKS before its "fmt " chunk.
QByteArray waveOf(quint16 tag, quint16 channels, quint32 rate, quint16 bits, int frames,
                  const QByteArray& chunks = {})
{
    QByteArray fmt;
    QDataStream f(&fmt, QIODevice::WriteOnly);
    f.setByteOrder(QDataStream::LittleEndian);
    const quint16 block = quint16(channels * bits / 8);
    f << quint16(tag) << channels << rate << quint32(rate * block) << block << bits;
    if (tag == 0xFFFE) // extensible: its sub-format says PCM
        f << quint16(22) << bits << quint32(0) << quint16(1) << quint16(0) << quint32(0x00100000)
          << quint32(0xAA000080) << quint32(0x719B3800);
    QByteArray body = "WAVE" + chunks + "fmt " + QByteArray(4, 0) + fmt + "data" + QByteArray(4, 0)
        + QByteArray(frames * block, '\x11');
    const auto put = [&](qsizetype at, quint32 v) {
        for (int i = 0; i < 4; ++i)
            body[at + i] = char((v >> (8 * i)) & 0xFF);
    };
    const qsizetype fmtAt = 4 + chunks.size();
    put(fmtAt + 4, quint32(fmt.size()));
    put(fmtAt + 8 + fmt.size() + 4, quint32(frames * block));
    QByteArray file = "RIFF" + QByteArray(4, 0) + body;
    for (int i = 0; i < 4; ++i)
        file[4 + i] = char((body.size() >> (8 * i)) & 0xFF);
    return file;
}

} // namespace

TEST(WaveFile, ReadsPlainAndFloatAndExtensibleWaves)
{
    const std::optional<WaveFile::Sound> click = WaveFile::parse(MediaFiles::wave(150));
    ASSERT_TRUE(click);
    EXPECT_EQ(click->channels, 1);
    EXPECT_EQ(click->sampleRate, 8000);
    EXPECT_EQ(click->format, WaveFile::SampleFormat::Signed16);
    EXPECT_EQ(click->frames(), 1200);

    struct Case {
        quint16 tag, channels, bits;
        WaveFile::SampleFormat format;
    };
    for (const Case& c : {Case{1, 2, 8, WaveFile::SampleFormat::Unsigned8}, Case{1, 2, 24, WaveFile::SampleFormat::Signed24},
                          Case{1, 1, 32, WaveFile::SampleFormat::Signed32}, Case{3, 2, 32, WaveFile::SampleFormat::Float32},
                          Case{0xFFFE, 2, 16, WaveFile::SampleFormat::Signed16}}) {
        // An odd-sized chunk before the format, padded to an even size, is stepped over.
        const std::optional<WaveFile::Sound> sound = WaveFile::parse(waveOf(c.tag, c.channels, 44100, c.bits, 10, QByteArray("LIST\x03\0\0\0abc\0", 12)));
        ASSERT_TRUE(sound) << c.tag << " " << c.bits;
        EXPECT_EQ(sound->format, c.format);
        EXPECT_EQ(sound->channels, c.channels);
        EXPECT_EQ(sound->frames(), 10);
    }

    // Cut short in its samples: the whole frames it holds still play.
    const QByteArray cut = waveOf(1, 2, 22050, 16, 100).chopped(6);
    ASSERT_TRUE(WaveFile::parse(cut));
    EXPECT_EQ(WaveFile::parse(cut)->frames(), 98);
}

TEST(WaveFile, RefusesWhatItCannotPlay)
{
    const QByteArray good = waveOf(1, 1, 22050, 16, 10);
    ASSERT_TRUE(WaveFile::parse(good));
    EXPECT_FALSE(WaveFile::parse(QByteArray()));
    EXPECT_FALSE(WaveFile::parse("RIFF\0\0\0\0WAVE"));
    EXPECT_FALSE(WaveFile::parse(QByteArray(good).replace(0, 4, "RIFX")));
    EXPECT_FALSE(WaveFile::parse(good.left(30)));                    // the format cut short
    EXPECT_FALSE(WaveFile::parse(waveOf(2, 1, 22050, 4, 10)));       // ADPCM
    EXPECT_FALSE(WaveFile::parse(waveOf(1, 0, 22050, 16, 10)));      // no channels
    EXPECT_FALSE(WaveFile::parse(waveOf(1, 1, 0, 16, 10)));          // no sample rate
    EXPECT_FALSE(WaveFile::parse(waveOf(1, 1, 22050, 12, 10)));      // 12-bit samples
    EXPECT_FALSE(WaveFile::parse(waveOf(1, 1, 22050, 16, 0)));       // no samples
    QByteArray hugeChunk = good;
    hugeChunk.insert(12, QByteArray("junk\xff\xff\xff\x7f", 8)); // a chunk larger than the file
    EXPECT_FALSE(WaveFile::parse(hugeChunk));
}
