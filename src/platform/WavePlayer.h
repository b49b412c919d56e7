#pragma once
#include <QString>

// Plays a short wave file in the background. A new sound replaces the one playing;
// a missing file or a machine without a sound device stays silent.
class WavePlayer {
public:
    virtual ~WavePlayer() = default;
    virtual void play(const QString& fileName) = 0;
};
