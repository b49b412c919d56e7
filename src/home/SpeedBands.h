#pragma once
// Speed units and the speed bands that decide what the home screen's speedometer,
// compass and the speed history show each second.
#include <QColor>
#include <QString>
#include <cstdint>
#include <optional>

enum class SpeedUnit { Mph, Kmph, Knots };

struct SpeedUnitInfo {
    QString spokenName;   // said when the unit is chosen
    QString dialText;     // on the speedometer's face
    double gaugeMaximum;
    QString reportPhrase; // follows the number in the spoken reports
};
const SpeedUnitInfo& speedUnitInfo(SpeedUnit unit);

enum class SpeedBand { Offline, Stationary, Normal, Fast, VeryFast };

// The two colours of the LED digits' gradient, top to bottom.
struct LedColours {
    QColor top;
    QColor bottom;
    bool operator==(const LedColours&) const = default;
};

namespace LedColour {
inline const QColor LightBlue(227, 239, 255);
inline const QColor White(255, 255, 255);
inline const QColor Grey(128, 128, 128);
inline const QColor Red(255, 0, 0);
inline const QColor Yellow(255, 255, 0);
}

struct GraphPoint {
    QColor colour;
    int32_t value;
};

// What the speed and heading displays show for one set of readings.
struct GpsDisplay {
    SpeedBand band;
    double speed; // speed LED and gauge
    LedColours speedColours;
    double heading; // compass LED and gauge
    LedColours compassColours;
    bool offline; // the GPS status indicator is shown
    std::optional<GraphPoint> graphPoint;

    // selectedSpeed is the reading in the chosen unit (-1 before the first fix), whose
    // band is decided by 1, 69 and 99; the graph always gets whole miles per hour.
    static GpsDisplay of(double selectedSpeed, double headingDegrees, double speedMph);
};
