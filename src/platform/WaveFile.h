#pragma once
// The sound in a WAV file: its format and its samples, as an interface sound player needs
// them. Plain PCM (8-bit unsigned, 16, 24 and 32-bit signed) and 32-bit float, also in the
// extensible format; anything else (compressed WAVs, damaged files) is no sound.
#include <QByteArray>
#include <QString>

#include <optional>

namespace WaveFile {

enum class SampleFormat { Unsigned8, Signed16, Signed24, Signed32, Float32 };

struct Sound {
    int channels = 0;
    int sampleRate = 0;
    SampleFormat format = SampleFormat::Signed16;
    int frameBytes = 0;
    // Whole frames only: a file cut short keeps what it holds.
    QByteArray samples;
    qint64 frames() const { return frameBytes ? samples.size() / frameBytes : 0; }
};

// Interface sounds are short; a larger file is not read.
constexpr qint64 MaxFileBytes = 16 * 1024 * 1024;

std::optional<Sound> parse(const QByteArray& bytes);
// The sound of the regular file PATH, read whole when it is at most MaxFileBytes.
std::optional<Sound> read(const QString& path);

} // namespace WaveFile
