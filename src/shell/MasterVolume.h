#pragma once
// The master volume and mute behind the right column's volume bar and MUTE button.
#include "app/VolumeControl.h"

#include <cstdint>

class Feedback;
class Mixer;
class ProgressBar;
class TouchButton;
class TrackBar;

class MasterVolume : public VolumeControl {
public:
    MasterVolume(TrackBar& bar, ProgressBar& progress, TouchButton& muteButton, Mixer& mixer, Feedback& feedback);

    // Shows the mixer's volume on the bar once the mixer is open, unmuted.
    void start();
    // Writes the bar's volume to the mixer when it changed.
    void applyBar();
    // Mutes or unmutes, with the tap's click and speech.
    void toggleMute();
    // Flashes the mute button while muted.
    void flash();
    bool muted() const { return m_muted; }

    double volume() const override;
    void setVolume(double volume) override;

private:
    void paintMuteButton(bool red);

    TrackBar& m_bar;
    ProgressBar& m_progress;
    TouchButton& m_muteButton;
    Mixer& m_mixer;
    Feedback& m_feedback;
    uint32_t m_lastApplied = 0;
    bool m_muted = false;
};
