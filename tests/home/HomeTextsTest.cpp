// The home screen's plain logic: clock texts, speed bands, spoken reports and the
// date-and-time settings opener.
#include "home/DateTimeSettings.h"
#include "home/GpsReports.h"
#include "home/HomeClock.h"
#include "home/SpeedBands.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace LedColour;

namespace {

HomeClock clockAt(const QDateTime& now, const QString& longTimeFormat)
{
    return HomeClock([now] { return now; }, QLocale(QLocale::English, QLocale::UnitedStates), longTimeFormat);
}

const QDateTime Afternoon(QDate(2012, 3, 8), QTime(15, 45, 7));

} // namespace

TEST(HomeClock, DateHasNoLeadingZerosAndDashes)
{
    EXPECT_EQ(clockAt(Afternoon, "HH:mm:ss").texts().date, "8-3-2012");
    EXPECT_EQ(clockAt(QDateTime(QDate(2026, 12, 31), QTime(0, 0)), "HH:mm:ss").texts().date, "31-12-2026");
}

TEST(HomeClock, TwelveHourTimeKeepsItsMarkerAndOneTrailingBlank)
{
    EXPECT_EQ(clockAt(Afternoon, "h:mm:ss AP").texts().time, "3:45 PM ");
    EXPECT_EQ(clockAt(QDateTime(QDate(2012, 3, 8), QTime(9, 5, 59)), "h:mm:ss AP").texts().time, "9:05 AM ");
    // The zone that a long format may carry does not get in the way.
    EXPECT_EQ(HomeClock::hoursAndMinutes("3:45:07 PM UTC"), "3:45 PM ");
}

TEST(HomeClock, WithoutAMarkerTheTimeEndsInTwoBlanks)
{
    EXPECT_EQ(clockAt(Afternoon, "HH:mm:ss").texts().time, "15:45  ");
    EXPECT_EQ(HomeClock::hoursAndMinutes("15:45:07 CET"), "15:45  ");
}

TEST(HomeClock, MarkerRules)
{
    EXPECT_EQ(HomeClock::hoursAndMinutes("AM 3:45:07 PM"), "AM 3:45 PM ") << "PM wins over AM";
    EXPECT_EQ(HomeClock::hoursAndMinutes("3:45:07 pm"), "3:45 PM ") << "lower-case markers count";
    EXPECT_EQ(HomeClock::hoursAndMinutes("3:45 PM"), "3:45 PM ") << "a format without seconds";
    EXPECT_EQ(HomeClock::hoursAndMinutes("15.45.07"), "15:45  ") << "fields separated by dots";
    EXPECT_EQ(HomeClock::hoursAndMinutes(""), std::nullopt);
}

TEST(HomeClock, LocalesWithoutDigitsAroundAColonTakeTheTimeItself)
{
    for (const char* name : {"ko_KR", "ja_JP", "ar_EG", "fr_CA", "en_US", "de_DE", "fi_FI"}) {
        const QLocale locale(QString::fromLatin1(name));
        const QString format = locale.timeFormat(QLocale::LongFormat);
        const bool twelveHour = HomeClock::hoursAndMinutes(QTime(9, 5), format).endsWith("AM ");
        const QString time = HomeClock([] { return Afternoon; }, locale, format).texts().time;
        EXPECT_EQ(time, twelveHour ? "3:45 PM " : "15:45  ") << name << " " << format.toStdString();
    }
    EXPECT_EQ(HomeClock::hoursAndMinutes(QTime(0, 7), "a h'a' m"), "12:07 AM ");
    EXPECT_EQ(HomeClock::hoursAndMinutes(QTime(12, 0), "AP h"), "12:00 PM ");
    EXPECT_EQ(HomeClock::hoursAndMinutes(QTime(0, 7), "H'h' mm 'am'"), "0:07  ");
}

TEST(SpeedBands, EdgesOfTheBands)
{
    struct Case {
        double speed;
        SpeedBand band;
        QColor speedTop;
        QColor graphColour;
    };
    const QColor Lime(0, 255, 0);
    for (const Case& c : {Case{0.4, SpeedBand::Stationary, LightBlue, Qt::black}, Case{1, SpeedBand::Normal, LightBlue, Lime},
                          Case{69.0, SpeedBand::Normal, LightBlue, Lime}, Case{69.01, SpeedBand::Fast, Yellow, Yellow},
                          Case{99.0, SpeedBand::Fast, Yellow, Yellow}, Case{99.5, SpeedBand::VeryFast, Red, Red}}) {
        const GpsDisplay shown = GpsDisplay::of(c.speed, 180.5, c.speed);
        EXPECT_EQ(shown.band, c.band) << c.speed;
        EXPECT_EQ(shown.speedColours.top, c.speedTop) << c.speed;
        ASSERT_TRUE(shown.graphPoint) << c.speed;
        EXPECT_EQ(shown.graphPoint->colour, c.graphColour) << c.speed;
        EXPECT_FALSE(shown.offline);
    }
}

TEST(SpeedBands, StandingStillShowsZeroesWithAGreyCompass)
{
    const GpsDisplay shown = GpsDisplay::of(0.4, 271.3, 0.4);
    EXPECT_EQ(shown.speed, 0);
    EXPECT_EQ(shown.heading, 0);
    EXPECT_EQ(shown.speedColours, (LedColours{LightBlue, White}));
    EXPECT_EQ(shown.compassColours, (LedColours{Grey, Grey}));
    EXPECT_EQ(shown.graphPoint->value, 0);
}

TEST(SpeedBands, OfflineShowsGreyZeroesAndAddsNoPoint)
{
    const GpsDisplay shown = GpsDisplay::of(-1, -1, -1);
    EXPECT_EQ(shown.band, SpeedBand::Offline);
    EXPECT_TRUE(shown.offline);
    EXPECT_EQ(shown.speed, 0);
    EXPECT_EQ(shown.speedColours, (LedColours{Grey, Grey}));
    EXPECT_EQ(shown.compassColours, (LedColours{Grey, Grey}));
    EXPECT_FALSE(shown.graphPoint);
}

TEST(SpeedBands, MovingShowsTheReadingsAndGraphsWholeMilesPerHour)
{
    // 112 km/h is about 69.6 mph: very fast in km/h, and the graph gets 69.
    const GpsDisplay shown = GpsDisplay::of(112, 45.7, 112 / 1.609344);
    EXPECT_EQ(shown.band, SpeedBand::VeryFast);
    EXPECT_EQ(shown.speed, 112);
    EXPECT_EQ(shown.heading, 45.7);
    EXPECT_EQ(shown.speedColours, (LedColours{Red, Red}));
    EXPECT_EQ(shown.compassColours, (LedColours{LightBlue, White}));
    EXPECT_EQ(shown.graphPoint->colour, Red);
    EXPECT_EQ(shown.graphPoint->value, 69);
    // A reading beyond the graph's range is held at its end instead of overflowing.
    EXPECT_EQ(GpsDisplay::of(1e12, 0, 1e12).graphPoint->value, 2147483647);
}

TEST(GpsReports, OfflineAndStationaryReportsSayTheSameThreeTimes)
{
    const ShownGps offline{true, true, "000.00", "000.00", SpeedUnit::Mph};
    const ShownGps stationary{false, true, "000.00", "000.00", SpeedUnit::Mph};
    for (const auto& report : {&GpsReports::speed, &GpsReports::heading, &GpsReports::full}) {
        EXPECT_EQ(report(offline), "No G P S information available.");
        EXPECT_EQ(report(stationary), "You are stationary.");
    }
}

TEST(GpsReports, MovingReportsReadTheWholeNumbersShown)
{
    const ShownGps mph{false, false, "045.90", "270.00", SpeedUnit::Mph};
    EXPECT_EQ(GpsReports::speed(mph), "Speed. 45 Miles per hour.");
    EXPECT_EQ(GpsReports::heading(mph), "Direction. 270 degrees.");
    EXPECT_EQ(GpsReports::full(mph), "Speed. 45 Miles per hour.. Direction. 270 degrees.");
    const ShownGps knots{false, false, "012.70", "359.90", SpeedUnit::Knots};
    EXPECT_EQ(GpsReports::full(knots), "Speed. 12 Knots. Direction. 359 degrees.");
    const ShownGps noUnit{false, false, "101.99", "001.00", std::nullopt};
    EXPECT_EQ(GpsReports::speed(noUnit), "Speed. 101");
}

namespace {

struct Started {
    QString program;
    QStringList arguments;
};

DateTimeSettings settingsWith(const QStringList& installed, const QStringList& desktops, QList<Started>* started)
{
    return DateTimeSettings(
        [installed](const QString& name) { return installed.contains(name) ? "/usr/bin/" + name : QString(); },
        desktops,
        [started](const QString& program, const QStringList& arguments) {
            started->append({program, arguments});
            return true;
        });
}

} // namespace

TEST(DateTimeSettings, TheRunningDesktopsOwnSettingsComeFirst)
{
    QList<Started> started;
    const QStringList both{"gnome-control-center", "kcmshell5"};
    EXPECT_TRUE(settingsWith(both, {"KDE"}, &started).open());
    ASSERT_EQ(started.size(), 1);
    EXPECT_EQ(started[0].program, "/usr/bin/kcmshell5");
    EXPECT_EQ(started[0].arguments, QStringList{"kcm_clock"});

    EXPECT_EQ(settingsWith(both, {"ubuntu", "GNOME"}, &started).command(),
              (DateTimeSettings::Command{"/usr/bin/gnome-control-center", {"datetime"}}));
    // An unknown desktop gets the first one installed.
    EXPECT_EQ(settingsWith({"kcmshell5", "lxqt-admin-time"}, {"sway"}, &started).command()->program,
              "/usr/bin/kcmshell5");
}

TEST(DateTimeSettings, WithNoneInstalledNothingStarts)
{
    QList<Started> started;
    EXPECT_FALSE(settingsWith({}, {"GNOME"}, &started).open());
    EXPECT_TRUE(started.isEmpty());
}
