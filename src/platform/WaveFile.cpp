#include "platform/WaveFile.h"

#include "platform/RegularFile.h"

namespace WaveFile {

namespace {

quint32 le(const QByteArray& bytes, qsizetype at, int size)
{
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | quint8(bytes[at + i]);
    return value;
}

constexpr quint16 PcmTag = 1;
constexpr quint16 FloatTag = 3;
constexpr quint16 ExtensibleTag = 0xFFFE;

// The format of a "fmt " chunk of SIZE bytes at AT, or nothing when it cannot be played.
std::optional<Sound> formatOf(const QByteArray& bytes, qsizetype at, quint32 size)
{
    if (size < 16)
        return std::nullopt;
    quint16 tag = quint16(le(bytes, at, 2));
    if (tag == ExtensibleTag) {
        if (size < 40)
            return std::nullopt;
        tag = quint16(le(bytes, at + 24, 2)); // the sub-format's first two bytes
    }
    Sound sound;
    sound.channels = int(le(bytes, at + 2, 2));
    sound.sampleRate = int(le(bytes, at + 4, 4));
    const int bits = int(le(bytes, at + 14, 2));
    if (tag == PcmTag && bits == 8)
        sound.format = SampleFormat::Unsigned8;
    else if (tag == PcmTag && bits == 16)
        sound.format = SampleFormat::Signed16;
    else if (tag == PcmTag && bits == 24)
        sound.format = SampleFormat::Signed24;
    else if (tag == PcmTag && bits == 32)
        sound.format = SampleFormat::Signed32;
    else if (tag == FloatTag && bits == 32)
        sound.format = SampleFormat::Float32;
    else
        return std::nullopt;
    sound.frameBytes = sound.channels * bits / 8;
    const bool sensible = sound.channels >= 1 && sound.channels <= 8 && sound.sampleRate >= 1000
        && sound.sampleRate <= 384000 && int(le(bytes, at + 12, 2)) == sound.frameBytes;
    return sensible ? std::optional(sound) : std::nullopt;
}

} // namespace

std::optional<Sound> parse(const QByteArray& bytes)
{
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return std::nullopt;
    std::optional<Sound> sound;
    qsizetype at = 12;
    while (at + 8 <= bytes.size()) {
        const QByteArray id = bytes.mid(at, 4);
        const quint32 size = le(bytes, at + 4, 4);
        const qsizetype body = at + 8;
        const qsizetype held = qMin<qsizetype>(size, bytes.size() - body);
        if (id == "fmt ") {
            if (held < qsizetype(size))
                return std::nullopt;
            sound = formatOf(bytes, body, size);
            if (!sound)
                return std::nullopt;
        } else if (id == "data") {
            if (!sound) // the format comes first
                return std::nullopt;
            sound->samples = bytes.mid(body, held - held % sound->frameBytes);
            return sound->samples.isEmpty() ? std::nullopt : sound;
        }
        at = body + qsizetype(size) + (size & 1); // chunks are padded to an even size
    }
    return std::nullopt;
}

std::optional<Sound> read(const QString& path)
{
    const std::optional<QByteArray> bytes = RegularFile::read(path, MaxFileBytes);
    return bytes ? parse(*bytes) : std::nullopt;
}

} // namespace WaveFile
