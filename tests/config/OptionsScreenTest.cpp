#include "config/BrightnessSettings.h"
#include "config/GpsSettings.h"
#include "config/ScreenFit.h"
#include "config/Settingsunit.h"
#include "gps/Gpsinfounit.h"
#include "gps/NmeaReceiver.h"
#include "dialogs/Myerrorunit.h"
#include "support/TestProgram.h"
#include "widgets/ColourStyles.h"
#include "widgets/TabPager.h"
#include "widgets/TouchButton.h"
#include "widgets/TouchLabel.h"
#include "widgets/TouchList.h"

#include <QComboBox>
#include <QFile>
#include <gtest/gtest.h>

namespace {

class OptionsScreenTest : public ::testing::Test {
protected:
    TSettingsForm& o() const { return program.options(); }
    SettingsStore& store() const { return program.main->settings(); }
    TestProgram program;
};

const QByteArray AllOn = "ClickSounds=TRUE\r\nOtherSounds=TRUE\r\nSpeechSounds=TRUE\r\n";

} // namespace

TEST_F(OptionsScreenTest, DefaultsWhenThereIsNoFile)
{
    program.start();
    EXPECT_EQ(store().lines().size(), 15);
    EXPECT_FALSE(program.folder.exists(ConfigFileName));
    EXPECT_TRUE(o().ClickSoundsBtn->isChecked());
    EXPECT_TRUE(o().OtherSoundsBtn->isChecked());
    EXPECT_TRUE(o().SpeechBtn->isChecked());
    EXPECT_FALSE(o().HideMouseBtn->isChecked());
    EXPECT_FALSE(o().GpsBtn->isChecked());
    EXPECT_TRUE(o().NightColourBtn->isChecked());
    EXPECT_FALSE(o().DayColourBtn->isChecked());
    EXPECT_EQ(o().DayThemeList->selectedIndex(), 4);
    EXPECT_EQ(o().NightThemeList->footer(), "Obsidian");
    EXPECT_EQ(ColourStyles::instance().currentIndex(), 5);
    EXPECT_EQ(o().GPSPort->currentText(), "COM8");
    EXPECT_EQ(o().SOCPort->currentText(), "COM2");
    EXPECT_FALSE(o().SOCPort->isEnabled());
    EXPECT_EQ(o().ServiceManualPath->text(), "No Setting");
    EXPECT_EQ(o().ObdiiApplicationPath->text(), "No Setting");
    EXPECT_EQ(o().AdvSmoothTabPager1->currentIndex(), 0);
}

TEST_F(OptionsScreenTest, AnExistingFileIsUsedAsItIs)
{
    program.start(QByteArray("gpsport=com5\r\nDayColours=true\r\nDayTheme=1\r\nNightTheme=x\r\nHideMouse=yes\r\n"));
    EXPECT_FALSE(o().ClickSoundsBtn->isChecked()); // missing means off
    EXPECT_TRUE(store().value(Key::ClickSounds).isEmpty());
    EXPECT_EQ(o().GPSPort->currentText(), "COM5");
    EXPECT_EQ(o().SOCPort->currentIndex(), -1);
    EXPECT_TRUE(o().DayColourBtn->isChecked());
    EXPECT_EQ(store().value(Key::DayColours), "TRUE");
    EXPECT_EQ(ColourStyles::instance().currentIndex(), 1);
    EXPECT_EQ(o().NightThemeList->selectedIndex(), 5);
    EXPECT_EQ(store().value(Key::NightTheme), "5");
    EXPECT_FALSE(o().HideMouseBtn->isChecked());
    // The lower-case line is the one that changes, in place and with the name spelled right.
    o().GPSPort->setCurrentIndex(o().GPSPort->findText("COM3"));
    o().GPSPortChange();
    EXPECT_EQ(store().lines().first(), "GPSPort=COM3");
}

TEST_F(OptionsScreenTest, OddColourValuesBecomeNightAndThemesOutOfRangeSelectNothing)
{
    ColourStyles::instance().apply(2);
    program.start(QByteArray("DayColours=yes\r\nDayTheme=12\r\nNightTheme=-1\r\n"));
    EXPECT_TRUE(o().NightColourBtn->isChecked());
    EXPECT_EQ(store().value(Key::DayColours), "FALSE");
    EXPECT_EQ(o().DayThemeList->selectedIndex(), -1);
    EXPECT_EQ(o().DayThemeList->footer(), "Footer");
    EXPECT_EQ(store().value(Key::DayTheme), "12");
    EXPECT_EQ(ColourStyles::instance().currentIndex(), 2);

    o().DayColourBtn->click();
    EXPECT_EQ(ColourStyles::instance().currentIndex(), 2);
}

TEST_F(OptionsScreenTest, SoundTogglesClickAndSpeakByTheirOwnRules)
{
    program.start(AllOn);
    program.clearEvents();
    o().ClickSoundsBtn->click(); // off: silent, spoken
    EXPECT_EQ(program.events(), QStringList{"speak:Click sounds disabled"});
    program.clearEvents();
    o().ClickSoundsBtn->click(); // on: clicks once
    EXPECT_EQ(program.events(), (QStringList{"sound:click.wav", "speak:Click sounds enabled"}));

    program.clearEvents();
    o().SpeechBtn->click(); // off: nothing said
    EXPECT_EQ(program.events(), QStringList{"sound:click.wav"});
    program.clearEvents();
    o().SpeechBtn->click();
    EXPECT_EQ(program.events(), (QStringList{"sound:click.wav", "speak:Speech enabled"}));

    program.clearEvents();
    o().OtherSoundsBtn->click();
    EXPECT_EQ(program.events(), (QStringList{"sound:click.wav", "speak:Other sounds disabled"}));
    program.clearEvents();
    o().GpsBtn->click();
    EXPECT_EQ(program.events(), (QStringList{"sound:click.wav", "speak:G P S Enabled"}));
    program.clearEvents();
    o().HideMouseBtn->click();
    EXPECT_EQ(program.events(), (QStringList{"sound:click.wav", "speak:Cursor hidden"}));
    o().HideMouseBtn->click();

    EXPECT_EQ(store().value(Key::ClickSounds), "TRUE");
    EXPECT_EQ(store().value(Key::SpeechSounds), "TRUE");
    EXPECT_EQ(store().value(Key::OtherSounds), "FALSE");
    EXPECT_EQ(store().value(Key::GPSEnabled), "TRUE");
    EXPECT_EQ(store().value(Key::HideMouse), "FALSE");
}

TEST_F(OptionsScreenTest, ColourModeButtonsAlwaysLeaveOneDown)
{
    program.start(AllOn);
    program.clearEvents();
    o().DayColourBtn->click();
    EXPECT_TRUE(o().DayColourBtn->isChecked());
    EXPECT_FALSE(o().NightColourBtn->isChecked());
    EXPECT_EQ(ColourStyles::instance().currentIndex(), 4);
    EXPECT_EQ(program.events(), (QStringList{"sound:click.wav", "speak:Day light colors"}));

    // Pressing the one already down speaks and applies again; it stays down.
    ColourStyles::instance().apply(0);
    program.clearEvents();
    o().DayColourBtn->click();
    EXPECT_TRUE(o().DayColourBtn->isChecked());
    EXPECT_FALSE(o().NightColourBtn->isChecked());
    EXPECT_EQ(ColourStyles::instance().currentIndex(), 4);
    EXPECT_EQ(program.events(), (QStringList{"sound:click.wav", "speak:Day light colors"}));

    o().NightColourBtn->click();
    EXPECT_EQ(store().value(Key::DayColours), "FALSE");
    EXPECT_EQ(ColourStyles::instance().currentIndex(), 5);
}

TEST_F(OptionsScreenTest, ChoosingANightThemeInDaylightChangesOnlyTheNightSetting)
{
    program.start(AllOn);
    o().DayColourBtn->click();
    program.clearEvents();
    o().NightThemeList->setSelectedIndex(7);
    EXPECT_EQ(program.events(), QStringList{"speak:Whidbey"}); // no click for list choices
    EXPECT_EQ(o().NightThemeList->footer(), "Whidbey");
    EXPECT_EQ(store().value(Key::NightTheme), "7");
    EXPECT_EQ(ColourStyles::instance().currentIndex(), 4);

    o().NightColourBtn->click();
    EXPECT_EQ(ColourStyles::instance().currentIndex(), 7);
    o().NightThemeList->setSelectedIndex(8);
    EXPECT_EQ(ColourStyles::instance().currentIndex(), 8);
}

TEST_F(OptionsScreenTest, FitToScreenIsReadAndWrittenAndAsksForARestart)
{
    program.start(AllOn + "FitToScreen=TRUE\r\n");
    ASSERT_TRUE(o().FitToScreenBtn->isChecked());
    program.clearEvents();
    o().FitToScreenBtn->click();
    EXPECT_EQ(store().value(Key::FitToScreen), "FALSE");
    EXPECT_EQ(program.main->MyError->ErrorText->text(),
              "RESTART REQUIRED\n\nChanged Display Settings Require You Save And Restart This Program.");
    EXPECT_EQ(program.events(), (QStringList{"sound:error.wav", "speak:Fit to screen off"}));
}

TEST(ScreenFit, ScalesTheInterfaceToTheLargestSizeThatFits)
{
    EXPECT_EQ(ScreenFit::scaleFor({1024, 600}), 1.0);
    EXPECT_EQ(ScreenFit::scaleFor({1920, 1080}), 1.8);
    EXPECT_EQ(ScreenFit::scaleFor({1280, 800}), 800.0 / 600);
    EXPECT_EQ(ScreenFit::scaleFor({1024, 768}), 1.28);
    EXPECT_EQ(ScreenFit::scaleFor({800, 600}), std::nullopt) << "nothing to fit";
    EXPECT_EQ(ScreenFit::scaleFor({800, 480}), 0.8);
    EXPECT_EQ(ScreenFit::scaleFor({640, 480}), 0.8);
    EXPECT_EQ(ScreenFit::scaleFor({640, 400}), std::nullopt) << "too small to read";
}

TEST_F(OptionsScreenTest, PickingAPortAsksForARestart)
{
    program.start(AllOn);
    program.clearEvents();
    o().GPSPort->setCurrentIndex(o().GPSPort->findText("COM3"));
    o().GPSPortChange();
    EXPECT_EQ(program.main->MyError->ErrorText->text(),
              "RESTART REQUIRED\n\nChanged to Com Port Settings Require You Save And Restart This Program.");
    EXPECT_EQ(program.events(), (QStringList{"sound:error.wav", "speak:COM3"}));
    EXPECT_EQ(store().value(Key::GPSPort), "COM3");
}

TEST_F(OptionsScreenTest, PathPickersAskTheRightQuestionAndKeepOnCancel)
{
    program.start();
    program.fakes.fileDialog->answers = {QString(), "/car/manual.pdf", "/car/obd"};
    o().ServiceManualPathBtn->click();
    EXPECT_EQ(o().ServiceManualPath->text(), "No Setting");
    EXPECT_TRUE(store().value(Key::ServiceManualPath).isEmpty());

    o().ServiceManualPathBtn->click();
    EXPECT_EQ(o().ServiceManualPath->text(), "/car/manual.pdf");
    EXPECT_EQ(store().lines().last(), "ServiceManualPath=/car/manual.pdf");
    o().ObdiiApplicationPathBtn->click();
    EXPECT_EQ(store().lines().last(), "ObdiiApplicationPath=/car/obd");

    const auto& requests = program.fakes.fileDialog->requests;
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].title, "Select Service Manual File");
    EXPECT_EQ(requests[0].filter,
              "Text files (*.txt,*.rtf,*.doc)|*.TXT;*.RTF;*.DOC|HTML Files (*.html)|*.HTM;*.HTML|Adobe Acrobat (*.pdf)|*.PDF");
    EXPECT_EQ(requests[2].title, "Select OBDII Application");
    EXPECT_EQ(requests[2].filter,
              "Programs and scripts|*|Application Files (*.exe,*.com,*.bat,*.cmd)|*.EXE;*.COM;*.BAT;*.CMD");
}

TEST_F(OptionsScreenTest, TurningAPageSpeaksItsCaptionAsItStands)
{
    program.start(AllOn);
    program.clearEvents();
    o().AdvSmoothTabPager1->setCurrentIndex(2);
    EXPECT_EQ(program.spoken(), QStringList{"Hardware  "});
}

TEST_F(OptionsScreenTest, DoneSavesEveryToggleToTheFile)
{
    program.start();
    o().ClickSoundsBtn->click();
    o().GpsBtn->click();
    o().DayColourBtn->click();
    o().DoneBtnClick();
    EXPECT_EQ(o().result(), QDialog::Accepted);
    const QByteArray saved = program.folder.read(ConfigFileName);
    EXPECT_TRUE(saved.contains("\r\nClickSounds=FALSE\r\n"));
    EXPECT_TRUE(saved.contains("\r\nGPSEnabled=TRUE\r\n"));
    EXPECT_TRUE(saved.contains("\r\nDayColours=TRUE\r\n"));
    EXPECT_TRUE(program.fakes.messageBox->shown.isEmpty());
}

TEST_F(OptionsScreenTest, DoneWithAReadOnlyFileSaysSoClosesAndKeepsTheSettings)
{
    program.start(QByteArray("ClickSounds=TRUE\r\n"));
    const QString path = program.folder.file(ConfigFileName);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    o().ClickSoundsBtn->click();
    whenModalOpens([&] { o().DoneBtn->click(); });
    o().exec();
    EXPECT_EQ(o().result(), QDialog::Accepted);
    EXPECT_FALSE(o().isVisible());
    EXPECT_EQ(program.fakes.messageBox->shown, QStringList{"FILE ERROR\n\nError Saving config.ini"});
    EXPECT_EQ(program.folder.read(ConfigFileName), QByteArray("ClickSounds=TRUE\r\n"));
    EXPECT_FALSE(program.main->feedback().liveSetting(LiveSetting::ClickSounds));
}

TEST_F(OptionsScreenTest, TheGpsLineSpeedIsChosenBesideThePortAndAbsentMeans4800)
{
    program.start(AllOn);
    EXPECT_EQ(o().GPSBaud->currentText(), "4800");
    EXPECT_TRUE(store().value(Key::GPSBaud).isEmpty());
    ASSERT_NE(program.fakes.serial, nullptr);
    EXPECT_EQ(program.fakes.serial->baudRates, std::vector<int>{4800});
    EXPECT_EQ(o().GPSBaud->count(), 7);

    program.clearEvents();
    o().GPSBaud->setCurrentIndex(o().GPSBaud->findText("AUTO"));
    o().GPSBaudChange();
    EXPECT_TRUE(program.main->MyError->ErrorText->text().startsWith("RESTART REQUIRED"));
    EXPECT_EQ(program.events(), (QStringList{"sound:error.wav", "speak:AUTO"}));
    EXPECT_EQ(store().value(Key::GPSBaud), "AUTO");
}

TEST_F(OptionsScreenTest, ColoursFollowTheSunAtTheFixOnlyWhenAskedAndNoDialogIsOpen)
{
    program.start(QByteArray("AutoDayNight=TRUE\r\nGPSEnabled=TRUE\r\nDayColours=TRUE\r\n"));
    EXPECT_TRUE(o().AutoDayNightBtn->isChecked());
    o().DayNightTimerTimer(); // no fix yet
    EXPECT_TRUE(o().DayColourBtn->isChecked());

    // London, 22:00 UTC on 21 December: night. Under an open dialog nothing changes.
    const QByteArray night = Nmea::WithChecksum("GNRMC,220000.00,A,5130.44,N,00007.67,W,10.0,90.0,211224,,,A");
    program.main->GpsInfo->DeliverChunk((night + "\r\n$GNGGA,1\r\n").constData());
    o().show();
    o().DayNightTimerTimer();
    EXPECT_TRUE(o().DayColourBtn->isChecked());
    o().hide();
    o().DayNightTimerTimer();
    EXPECT_TRUE(o().NightColourBtn->isChecked());
    EXPECT_EQ(store().value(Key::DayColours), "FALSE");

    // Noon, with the option switched off: the colours stay as they are.
    o().AutoDayNightBtn->click();
    EXPECT_EQ(store().value(Key::AutoDayNight), "FALSE");
    const QByteArray noon = Nmea::WithChecksum("GNRMC,120000.00,A,5130.44,N,00007.67,W,10.0,90.0,211224,,,A");
    program.main->GpsInfo->DeliverChunk((noon + "\r\n$GNGGA,1\r\n").constData());
    o().DayNightTimerTimer();
    EXPECT_TRUE(o().NightColourBtn->isChecked());
}

TEST_F(OptionsScreenTest, TheBacklightFollowsTheColourModeWhereItsBrightnessIsSet)
{
    program.start(QByteArray("DayBrightness=80\r\nNightBrightness=20\r\nDayColours=FALSE\r\n"));
    EXPECT_EQ(program.fakes.backlight->percents, std::vector<int>{20});
    EXPECT_EQ(o().DayBrightnessBtn->text(), "Day Brightness\n80%");
    o().DayColourBtn->click();
    o().NightColourBtn->click();
    EXPECT_EQ(program.fakes.backlight->percents, (std::vector<int>{20, 80, 20}));
}

TEST_F(OptionsScreenTest, WithoutABrightnessTheBacklightAndTheFileAreLeftAlone)
{
    const QByteArray file = "DayBrightness=bright\r\nDayColours=TRUE\r\n";
    program.start(file);
    o().NightColourBtn->click();
    o().DayColourBtn->click();
    EXPECT_TRUE(program.fakes.backlight->percents.empty());
    EXPECT_EQ(o().NightBrightnessBtn->text(), "Night Brightness\nNot Set");
    o().DoneBtnClick();
    const QByteArray saved = program.folder.read(ConfigFileName);
    EXPECT_TRUE(saved.startsWith(file)) << saved.constData();
    EXPECT_FALSE(saved.contains("NightBrightness"));
}

TEST_F(OptionsScreenTest, ABrightnessButtonStepsDownAndSetsTheBacklightOnlyInItsOwnMode)
{
    program.start(AllOn + "NightBrightness=45\r\n");
    program.fakes.backlight->percents.clear();
    program.clearEvents();
    o().NightBrightnessBtn->click();
    EXPECT_EQ(program.events(), (QStringList{"sound:click.wav", "speak:Night brightness 40 percent"}));
    EXPECT_EQ(store().value(Key::NightBrightness), "40");
    EXPECT_EQ(o().NightBrightnessBtn->text(), "Night Brightness\n40%");

    o().DayBrightnessBtn->click();
    EXPECT_EQ(store().value(Key::DayBrightness), "100");
    EXPECT_EQ(program.spoken().last(), "Day brightness 100 percent");

    for (int tap = 0; tap < 5; ++tap)
        o().NightBrightnessBtn->click();
    EXPECT_EQ(program.spoken().last(), "Night brightness not set");
    EXPECT_FALSE(store().lines().join(u'\n').contains("NightBrightness"));
    EXPECT_EQ(program.fakes.backlight->percents, (std::vector<int>{40, 30, 20, 10, 5}));
}
