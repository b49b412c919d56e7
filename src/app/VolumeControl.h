#pragma once
// The master volume as the volume bar sets it, for what restores or steers it from outside
// the screen (the resume file, a remote control).

class VolumeControl {
public:
    static constexpr double FullVolume = 65535;

    virtual ~VolumeControl() = default;
    // 0 (silent) to FullVolume, as the bar shows it.
    virtual double volume() const = 0;
    // Moves the bar to `volume` and applies it at once, as the volume timer would.
    virtual void setVolume(double volume) = 0;
};
