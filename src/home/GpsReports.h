#pragma once
// The spoken speed and heading reports. They read what the home screen shows, not fresh
// readings: whether the GPS status indicator is up, whether the compass digits are grey
// (not moving), and the numbers on the two LED displays.
#include "home/SpeedBands.h"

#include <QString>
#include <optional>

struct ShownGps {
    bool offline = false;
    bool stationary = false;
    QString speedLed;   // as shown, "045.90"
    QString compassLed;
    std::optional<SpeedUnit> unit;
};

namespace GpsReports {
// "Speed. 45 Miles per hour."
QString speed(const ShownGps& shown);
// "Direction. 270 degrees."
QString heading(const ShownGps& shown);
// "Speed. 45 Miles per hour.. Direction. 270 degrees."
QString full(const ShownGps& shown);
}
