#pragma once
#include <cstdint>
#include <functional>

// The machine's master output volume (0-65535) and mute. Without a usable mixer every
// call is silent and the volume reads 0.
class Mixer {
public:
    virtual ~Mixer() = default;
    virtual uint32_t masterVolume() = 0;
    virtual void setMasterVolume(uint32_t volume) = 0;
    virtual void setMasterMute(bool on) = 0;
    // Runs THEN on the window thread once the mixer is open: at once here; later for a
    // mixer that opens in the background (the program's opens after the first paint).
    virtual void whenReady(std::function<void()> then) { then(); }
};
