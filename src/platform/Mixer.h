#pragma once
#include <cstdint>

// The machine's master output volume (0-65535) and mute. Without a usable mixer every
// call is silent and the volume reads 0.
class Mixer {
public:
    virtual ~Mixer() = default;
    virtual uint32_t masterVolume() = 0;
    virtual void setMasterVolume(uint32_t volume) = 0;
    virtual void setMasterMute(bool on) = 0;
};
