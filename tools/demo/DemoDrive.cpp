#include "DemoDrive.h"

#include "gps/NmeaReceiver.h"

#include <QString>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

// One stretch of the drive: its length, the speed at its end (reached evenly from the
// speed at its start) and how fast the car turns meanwhile.
struct Stretch {
    int seconds;
    double endMph;
    double degreesPerSecond;
};

// Parked, away, a full circle at town speed, fast (above 69 mph), very fast (from
// 99.5 mph), braking, parked again.
const std::vector<Stretch> Route = {
    {3, 0.2, 0},    {12, 45, 0},    {36, 45, 10},  {10, 85, 0}, {10, 85, -3},
    {8, 110, 0},    {8, 110, 2},    {20, 0.2, 0},  {8, 0.2, 0},
};

constexpr double StartLatitude = 47.3769;
constexpr double StartLongitude = 8.5417;
constexpr double StartHeading = 90;
constexpr int StartSecondOfDay = 10 * 3600;
const char* const Date = "150626";

QByteArray withChecksum(const QByteArray& body)
{
    unsigned char sum = 0;
    for (char c : body)
        sum ^= static_cast<unsigned char>(c);
    return '$' + body + '*' + QByteArray::number(sum, 16).toUpper().rightJustified(2, '0');
}

QByteArray number(double value, int decimals)
{
    return QByteArray::number(value, 'f', decimals);
}

// Degrees as NMEA's ddmm.mmmm (latitude) or dddmm.mmmm (longitude) and a hemisphere.
QByteArray angle(double degrees, int degreeDigits, char positive, char negative)
{
    const double magnitude = std::abs(degrees);
    const int whole = int(magnitude);
    const double minutes = (magnitude - whole) * 60;
    return QByteArray::number(whole).rightJustified(degreeDigits, '0')
        + number(minutes, 4).rightJustified(7, '0') + ',' + (degrees < 0 ? negative : positive);
}

QByteArray utcTime(int secondOfDay)
{
    const QString text = QStringLiteral("%1%2%3.00")
                             .arg(secondOfDay / 3600, 2, 10, QChar('0'))
                             .arg(secondOfDay / 60 % 60, 2, 10, QChar('0'))
                             .arg(secondOfDay % 60, 2, 10, QChar('0'));
    return text.toLatin1();
}

struct Fix {
    int second;
    double latitude;
    double longitude;
    double knots;
    double heading; // 0 to 360
};

QByteArray rmc(const Fix& fix)
{
    return withChecksum("GPRMC," + utcTime(StartSecondOfDay + fix.second) + ",A,"
                        + angle(fix.latitude, 2, 'N', 'S') + ',' + angle(fix.longitude, 3, 'E', 'W') + ','
                        + number(fix.knots, 2) + ',' + number(fix.heading, 1) + ',' + Date + ",,,A");
}

QByteArray gga(const Fix& fix)
{
    return withChecksum("GPGGA," + utcTime(StartSecondOfDay + fix.second) + ',' + angle(fix.latitude, 2, 'N', 'S')
                        + ',' + angle(fix.longitude, 3, 'E', 'W') + ",1,08,0.9,412.5,M,47.3,M,,");
}

// What a receiver adds now and then, and what a noisy line makes of it.
QList<QByteArray> extraLines(const Fix& fix)
{
    QList<QByteArray> lines;
    if (fix.second % 10 == 0) {
        lines << withChecksum("GPGSV,2,1,08,01,40,083,46,02,17,308,41,12,07,344,39,14,22,228,45")
              << withChecksum("GPGSV,2,2,08,15,55,124,44,17,31,204,42,19,11,045,36,24,70,280,48");
    }
    if (fix.second == 0)
        lines << withChecksum("GPTXT,01,01,02,ANTENNA OK");
    if (fix.second % 40 == 5) // bytes lost: the line ends early, without its checksum
        lines << gga(fix).left(24);
    if (fix.second % 45 == 11) { // a bit flipped on the way: the checksum does not match
        QByteArray damaged = withChecksum("GPGSA,A,3,01,02,12,14,15,17,19,24,,,,,1.6,0.9,1.3");
        damaged[12] = '7';
        lines << damaged;
    }
    if (fix.second % 50 == 7) // line noise without any sentence in it
        lines << QByteArray("?~}~?{~}~~?");
    return lines;
}

} // namespace

namespace DemoDrive {

QByteArray nmeaText()
{
    QByteArray text = "# Karvex demo drive: one fix a second, through every speed band and heading\r\n";
    Fix fix{0, StartLatitude, StartLongitude, 0.2 / Nmea::MphPerKnot, StartHeading};
    for (const Stretch& stretch : Route) {
        const double startMph = fix.knots * Nmea::MphPerKnot;
        for (int step = 1; step <= stretch.seconds; ++step) {
            for (const QByteArray& line : QList<QByteArray>{rmc(fix), gga(fix)} + extraLines(fix))
                text += line + "\r\n";
            const double mph = startMph + (stretch.endMph - startMph) * step / stretch.seconds;
            fix.knots = mph / Nmea::MphPerKnot;
            fix.heading = std::fmod(fix.heading + stretch.degreesPerSecond + 360, 360);
            const double nauticalMiles = fix.knots / 3600;
            const double radians = fix.heading * std::numbers::pi / 180;
            fix.latitude += nauticalMiles * std::cos(radians) / 60;
            fix.longitude += nauticalMiles * std::sin(radians) / (60 * std::cos(fix.latitude * std::numbers::pi / 180));
            ++fix.second;
        }
    }
    return text;
}

} // namespace DemoDrive
