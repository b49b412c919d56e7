// The interface sounds' WAV reader: any bytes, and what it accepts is whole frames of a
// format the sound device is asked for.
#include "platform/WaveFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<WaveFile::Sound> sound = WaveFile::parse(bytes);
    if (!sound)
        return 0;
    const bool whole = sound->frameBytes > 0 && sound->samples.size() % sound->frameBytes == 0
        && sound->frames() > 0 && sound->samples.size() <= bytes.size();
    const bool sensible = sound->channels >= 1 && sound->channels <= 8 && sound->sampleRate >= 1000
        && sound->sampleRate <= 384000;
    if (!whole || !sensible)
        std::abort();
    return 0;
}
