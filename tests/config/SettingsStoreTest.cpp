#include "config/BrightnessSettings.h"
#include "config/SettingsStore.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

TEST(SettingsStore, FirstSaveWithoutAFileIsTheFifteenDefaultLines)
{
    TempFolder folder;
    SettingsStore store;
    EXPECT_FALSE(store.load(folder.file("config.ini")));
    store.writeDefaults();
    ASSERT_TRUE(store.save(folder.file("config.ini")));
    EXPECT_EQ(folder.read("config.ini"),
              QByteArray("GPSPort=COM8\r\nSOCPort=COM2\r\nSOCLabel1=Remote #1\r\nSOCLabel2=Remote #2\r\n"
                         "SOCLabel3=Remote #3\r\nSOCLabel4=Remote #4\r\nDayColours=FALSE\r\nClickSounds=TRUE\r\n"
                         "OtherSounds=TRUE\r\nSpeechSounds=TRUE\r\nHideMouse=FALSE\r\nGPSEnabled=FALSE\r\n"
                         "LastMediaPath=/\r\nDayTheme=4\r\nNightTheme=5\r\n"));
}

TEST(SettingsStore, NamesMatchWithoutCaseAndTheFirstLineWins)
{
    SettingsStore store;
    store.setLines({"[Karvex]", "gpsport=COM3", "GPSPort=COM4", "Other=1"});
    EXPECT_EQ(store.value(Key::GPSPort), "COM3");

    store.setValue(Key::GPSPort, "COM5");
    EXPECT_EQ(store.lines(), (QStringList{"[Karvex]", "GPSPort=COM5", "GPSPort=COM4", "Other=1"}));
}

TEST(SettingsStore, NamesAndValuesAreNotTrimmed)
{
    SettingsStore store;
    store.setLines({"GPSPort = COM3", "Path=a=b c "});
    EXPECT_EQ(store.value(Key::GPSPort), "");
    EXPECT_EQ(store.value("GPSPort "), " COM3");
    EXPECT_EQ(store.value("Path"), "a=b c ");
}

TEST(SettingsStore, LinesWithoutEqualsNeverMatchAndStayInPlace)
{
    SettingsStore store;
    store.setLines({"GPSPort", "; note", "GPSPort=COM1"});
    EXPECT_EQ(store.value(Key::GPSPort), "COM1");
    store.setValue(Key::ClickSounds, "TRUE");
    EXPECT_EQ(store.lines(), (QStringList{"GPSPort", "; note", "GPSPort=COM1", "ClickSounds=TRUE"}));
}

TEST(SettingsStore, AnEmptyValueRemovesOnlyTheFirstMatchingLine)
{
    SettingsStore store;
    store.setLines({"A=1", "ServiceManualPath=/x", "B=2", "servicemanualpath=/y"});
    store.setValue(Key::ServiceManualPath, "");
    EXPECT_EQ(store.lines(), (QStringList{"A=1", "B=2", "servicemanualpath=/y"}));
    store.setValue("Missing", "");
    EXPECT_EQ(store.lines().size(), 3);
}

TEST(SettingsStore, LoadKeepsEverythingAndSaveWritesItBackWithoutTheMark)
{
    TempFolder folder;
    folder.write("config.ini", "\xEF\xBB\xBF" "[Car]\nGPSPort=COM3\rUnknown=caf\xC3\xA9\r\n\r\nx\n");
    SettingsStore store;
    ASSERT_TRUE(store.load(folder.file("config.ini")));
    EXPECT_EQ(store.lines(), (QStringList{"[Car]", "GPSPort=COM3", QStringLiteral(u"Unknown=café"), "", "x"}));
    ASSERT_TRUE(store.save(folder.file("config.ini")));
    EXPECT_EQ(folder.read("config.ini"), QByteArray("[Car]\r\nGPSPort=COM3\r\nUnknown=caf\xE9\r\n\r\nx\r\n"));
}

TEST(SettingsStore, ALineWithANulKeepsEveryLineAfterIt)
{
    TempFolder folder;
    constexpr char raw[] = "GPSPort=NONE\r\nClickSounds=TRUE\r\nbad\0line\r\nDayColours=TRUE\r\nSOCLabel1=after\r\n";
    const QByteArray config(raw, sizeof raw - 1);
    folder.write("config.ini", config);
    SettingsStore store;
    ASSERT_TRUE(store.load(folder.file("config.ini")));
    EXPECT_EQ(store.value(Key::SOCLabel1), "after");
    ASSERT_TRUE(store.save(folder.file("config.ini")));
    EXPECT_EQ(folder.read("config.ini"), config);
}

TEST(SettingsText, OnOnlyForSomeCaseOfTrue)
{
    EXPECT_TRUE(SettingText::isOn("TRUE"));
    EXPECT_TRUE(SettingText::isOn("true"));
    EXPECT_TRUE(SettingText::isOn("True"));
    EXPECT_FALSE(SettingText::isOn(" TRUE"));
    EXPECT_FALSE(SettingText::isOn("yes"));
    EXPECT_FALSE(SettingText::isOn(""));
}

TEST(SettingsText, ThemeIndexFallsBackOnlyForNonNumbers)
{
    EXPECT_EQ(SettingText::themeIndex("7", 4), 7);
    EXPECT_EQ(SettingText::themeIndex("12", 4), 12);
    EXPECT_EQ(SettingText::themeIndex("-1", 4), -1);
    EXPECT_EQ(SettingText::themeIndex("blue", 4), 4);
    EXPECT_EQ(SettingText::themeIndex("", 5), 5);
}

TEST(BrightnessSettings, OnlyWholePercentsFromOneToAHundredSetTheBacklight)
{
    EXPECT_EQ(Brightness::percentOf("1"), 1);
    EXPECT_EQ(Brightness::percentOf("100"), 100);
    for (const char* leftAlone : {"", "0", "101", "-20", "50%", "2.5", "bright"})
        EXPECT_EQ(Brightness::percentOf(leftAlone), std::nullopt) << leftAlone;
}
