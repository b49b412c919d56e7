#pragma once
// The playlist's Repeat and Shuffle modes, as what plays on at the end of a track reads them.

class PlayModes {
public:
    virtual ~PlayModes() = default;
    virtual bool repeatOn() const = 0;
    virtual bool shuffleOn() const = 0;
};
