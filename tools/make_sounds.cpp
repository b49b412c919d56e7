// Generates the three interface sounds: a short click, a softer hover blip and a
// two-tone error buzz, as 16-bit mono PCM wave files at 22050 Hz.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int SampleRate = 22050;

struct Tone {
    double hz;
    double seconds;
    double amplitude;   // 0..1
    double decayPerSec; // exponential fade
};

std::vector<int16_t> render(const std::vector<Tone>& tones)
{
    std::vector<int16_t> samples;
    for (const Tone& t : tones) {
        const int count = static_cast<int>(t.seconds * SampleRate);
        for (int i = 0; i < count; ++i) {
            const double time = double(i) / SampleRate;
            const double envelope = t.amplitude * std::exp(-t.decayPerSec * time);
            // A short fade-in avoids a pop at the start of each tone.
            const double attack = std::min(1.0, i / (0.002 * SampleRate));
            const double v = envelope * attack * std::sin(2 * std::numbers::pi * t.hz * time);
            samples.push_back(static_cast<int16_t>(v * 32767));
        }
    }
    return samples;
}

void put32(std::ofstream& out, uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); }
void put16(std::ofstream& out, uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); }

bool writeWave(const std::string& path, const std::vector<int16_t>& samples)
{
    std::ofstream out(path, std::ios::binary);
    const uint32_t dataBytes = uint32_t(samples.size() * 2);
    out.write("RIFF", 4);
    put32(out, 36 + dataBytes);
    out.write("WAVEfmt ", 8);
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, 1); // mono
    put32(out, SampleRate);
    put32(out, SampleRate * 2);
    put16(out, 2);
    put16(out, 16);
    out.write("data", 4);
    put32(out, dataBytes);
    out.write(reinterpret_cast<const char*>(samples.data()), dataBytes);
    return bool(out);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sounds OUTPUT_FOLDER\n");
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "/";
    const bool ok = writeWave(dir + "click.wav", render({{2200, 0.035, 0.6, 90}}))
        && writeWave(dir + "hover.wav", render({{1400, 0.05, 0.35, 60}}))
        && writeWave(dir + "error.wav", render({{440, 0.12, 0.6, 8}, {330, 0.2, 0.6, 8}}));
    if (!ok) {
        std::fprintf(stderr, "make_sounds: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
