#pragma once
// Sunrise, sunset and civil twilight at a place and date, by the standard solar
// position formulas (mean anomaly, equation of centre, ecliptic longitude, declination,
// hour angle), good to about a minute away from the poles.
#include <QDate>
#include <QDateTime>

class SunTimes {
public:
    // Altitudes of the sun's centre, in degrees: the published sunrise and sunset (refraction
    // and the sun's radius), and the end and start of civil twilight.
    static constexpr double SunriseAltitude = -0.833;
    static constexpr double CivilTwilightAltitude = -6;

    enum class Kind { RisesAndSets, AlwaysUp, AlwaysDown };
    struct Crossings {
        Kind kind;
        QDateTime rise; // UTC; only for RisesAndSets
        QDateTime set;
    };

    // When the sun crosses `altitude` rising and setting about the solar noon of `date`
    // at this place (latitude north positive, longitude east positive).
    static Crossings crossings(QDate date, double latitude, double longitude, double altitude);

    // Whether `utc` lies between civil dawn and civil dusk at this place.
    static bool isDaylight(const QDateTime& utc, double latitude, double longitude);
};
