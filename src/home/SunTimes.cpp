#include "home/SunTimes.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double J2000 = 2451545.0; // Julian day of 2000-01-01 12:00 UTC
constexpr double Obliquity = 23.4397;

double radians(double degrees)
{
    return degrees * std::numbers::pi / 180;
}

double degrees(double radians)
{
    return radians * 180 / std::numbers::pi;
}

QDateTime fromJulianDay(double julianDay)
{
    const double days = julianDay - J2000;
    const QDateTime noon(QDate(2000, 1, 1), QTime(12, 0), Qt::UTC);
    return noon.addMSecs(qint64(std::llround(days * 86400000.0)));
}

} // namespace

SunTimes::Crossings SunTimes::crossings(QDate date, double latitude, double longitude, double altitude)
{
    // Mean solar noon of that date at this longitude, in days from J2000.
    const double meanNoon = double(date.toJulianDay()) - J2000 - longitude / 360;
    const double anomaly = std::fmod(357.5291 + 0.98560028 * meanNoon, 360);
    const double m = radians(anomaly);
    const double centre = 1.9148 * std::sin(m) + 0.0200 * std::sin(2 * m) + 0.0003 * std::sin(3 * m);
    const double eclipticLongitude = radians(std::fmod(anomaly + centre + 180 + 102.9372, 360));
    const double transit = J2000 + meanNoon + 0.0053 * std::sin(m) - 0.0069 * std::sin(2 * eclipticLongitude);
    const double declination = std::asin(std::sin(eclipticLongitude) * std::sin(radians(Obliquity)));

    const double phi = radians(latitude);
    const double cosHourAngle = (std::sin(radians(altitude)) - std::sin(phi) * std::sin(declination))
        / (std::cos(phi) * std::cos(declination));
    if (cosHourAngle < -1)
        return {Kind::AlwaysUp, {}, {}};
    if (cosHourAngle > 1)
        return {Kind::AlwaysDown, {}, {}};
    const double halfDay = degrees(std::acos(cosHourAngle)) / 360;
    return {Kind::RisesAndSets, fromJulianDay(transit - halfDay), fromJulianDay(transit + halfDay)};
}

bool SunTimes::isDaylight(const QDateTime& utc, double latitude, double longitude)
{
    // The day around the nearest solar noon holds the instant if any does; the days
    // either side cover a place far from Greenwich near midnight UTC.
    const QDate date = utc.toUTC().date();
    for (int offset = -1; offset <= 1; ++offset) {
        const Crossings day = crossings(date.addDays(offset), latitude, longitude, CivilTwilightAltitude);
        if (day.kind == Kind::RisesAndSets && utc >= day.rise && utc <= day.set)
            return true;
        if (offset == 0 && day.kind != Kind::RisesAndSets)
            return day.kind == Kind::AlwaysUp;
    }
    return false;
}
