#include "home/SpeedBands.h"

#include <algorithm>
#include <cmath>
#include <limits>

const SpeedUnitInfo& speedUnitInfo(SpeedUnit unit)
{
    static const SpeedUnitInfo mph{QStringLiteral("Miles per hour."), QStringLiteral("MPH"), 140,
                                   QStringLiteral(" Miles per hour.")};
    static const SpeedUnitInfo kmph{QStringLiteral("Kilometers per hour."), QStringLiteral("KmPH"), 208,
                                    QStringLiteral(" Kilometers per hour.")};
    static const SpeedUnitInfo knots{QStringLiteral("Knots"), QStringLiteral("Knots"), 140, QStringLiteral(" Knots")};
    switch (unit) {
    case SpeedUnit::Kmph: return kmph;
    case SpeedUnit::Knots: return knots;
    case SpeedUnit::Mph: break;
    }
    return mph;
}

namespace {

using namespace LedColour;

// Whole miles per hour toward zero, held inside the graph's value range so that a wild
// reading cannot overflow it.
int32_t graphValue(double speedMph)
{
    constexpr double Lowest = std::numeric_limits<int32_t>::min();
    constexpr double Highest = std::numeric_limits<int32_t>::max();
    return int32_t(std::trunc(std::clamp(speedMph, Lowest, Highest)));
}

} // namespace

GpsDisplay GpsDisplay::of(double selectedSpeed, double headingDegrees, double speedMph)
{
    const LedColours grey{Grey, Grey};
    const LedColours normal{LightBlue, White};
    if (selectedSpeed == -1)
        return {SpeedBand::Offline, 0, grey, 0, grey, true, std::nullopt};
    if (selectedSpeed < 1)
        return {SpeedBand::Stationary, 0, normal, 0, grey, false, GraphPoint{QColor(0, 0, 0), 0}};
    const int32_t value = graphValue(speedMph);
    if (selectedSpeed <= 69)
        return {SpeedBand::Normal, selectedSpeed, normal, headingDegrees, normal, false,
                GraphPoint{QColor(0, 255, 0), value}};
    if (selectedSpeed <= 99)
        return {SpeedBand::Fast, selectedSpeed, {Yellow, Yellow}, headingDegrees, normal, false,
                GraphPoint{Yellow, value}};
    return {SpeedBand::VeryFast, selectedSpeed, {Red, Red}, headingDegrees, normal, false, GraphPoint{Red, value}};
}
