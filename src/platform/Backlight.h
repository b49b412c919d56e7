#pragma once

// The brightness of the screen's backlight. Where the machine has no backlight, or no way
// to set it, every call does nothing.
class Backlight {
public:
    virtual ~Backlight() = default;
    // PERCENT of full brightness, 1 to 100.
    virtual void setPercent(int percent) = 0;
};
