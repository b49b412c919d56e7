// Sunrise and sunset against published tables, and daylight by civil twilight.
#include "home/SunTimes.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

// Minutes from `expected` to `actual`.
double minutesOff(const QDateTime& actual, const QDateTime& expected)
{
    return std::abs(expected.secsTo(actual)) / 60.0;
}

QDateTime utc(int y, int m, int d, int h, int min)
{
    return QDateTime(QDate(y, m, d), QTime(h, min), Qt::UTC);
}

struct Published {
    const char* place;
    double latitude, longitude;
    QDate date;
    QDateTime sunrise, sunset; // UTC
};

} // namespace

TEST(SunTimes, SunriseAndSunsetMatchPublishedTablesWithinTwoMinutes)
{
    // timeanddate.com's tables, local times turned to UTC: London 20 June 2024 04:43 and
    // 21:21 BST; London 21 December 2024 08:03 and 15:53 GMT; Sydney 21 December 2024
    // 05:41 and 20:05 AEDT.
    const Published table[] = {
        {"London", 51.5074, -0.1278, QDate(2024, 6, 20), utc(2024, 6, 20, 3, 43), utc(2024, 6, 20, 20, 21)},
        {"London", 51.5074, -0.1278, QDate(2024, 12, 21), utc(2024, 12, 21, 8, 3), utc(2024, 12, 21, 15, 53)},
        {"Sydney", -33.8688, 151.2093, QDate(2024, 12, 21), utc(2024, 12, 20, 18, 41), utc(2024, 12, 21, 9, 5)},
    };
    for (const Published& p : table) {
        SCOPED_TRACE(std::string(p.place) + " " + p.date.toString(Qt::ISODate).toStdString());
        const SunTimes::Crossings day = SunTimes::crossings(p.date, p.latitude, p.longitude, SunTimes::SunriseAltitude);
        ASSERT_EQ(day.kind, SunTimes::Kind::RisesAndSets);
        EXPECT_LE(minutesOff(day.rise, p.sunrise), 2) << day.rise.toString(Qt::ISODate).toStdString();
        EXPECT_LE(minutesOff(day.set, p.sunset), 2) << day.set.toString(Qt::ISODate).toStdString();
    }
    // Tromsø has midnight sun in June and polar night in December.
    EXPECT_EQ(SunTimes::crossings(QDate(2024, 6, 21), 69.65, 18.96, SunTimes::SunriseAltitude).kind, SunTimes::Kind::AlwaysUp);
    EXPECT_EQ(SunTimes::crossings(QDate(2024, 12, 21), 69.65, 18.96, SunTimes::SunriseAltitude).kind, SunTimes::Kind::AlwaysDown);
}

TEST(SunTimes, DaylightLastsFromCivilDawnToCivilDusk)
{
    // London, 21 December: sunset 15:53, civil dusk about 16:35.
    EXPECT_TRUE(SunTimes::isDaylight(utc(2024, 12, 21, 16, 15), 51.5074, -0.1278));
    EXPECT_FALSE(SunTimes::isDaylight(utc(2024, 12, 21, 17, 0), 51.5074, -0.1278));
    // Sydney's summer morning is the evening before in UTC.
    EXPECT_TRUE(SunTimes::isDaylight(utc(2024, 12, 20, 20, 0), -33.8688, 151.2093));
    EXPECT_FALSE(SunTimes::isDaylight(utc(2024, 12, 21, 12, 0), -33.8688, 151.2093));
    EXPECT_TRUE(SunTimes::isDaylight(utc(2024, 6, 21, 23, 30), 69.65, 18.96));
}
