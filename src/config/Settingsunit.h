#pragma once
// The options screen. Its toggles are, for the whole run, the live on/off settings that
// every other screen consults; every change is written into the settings at once and the
// done button saves config.ini. Building it loads and applies config.ini and completes
// the main window's start state.
#include "shell/Mainunit.h"

#include <QDialog>

class QComboBox;
class QTimer;
class TabPager;
class TouchButton;
class TouchLabel;
class TouchList;
class ToggleGroup;

class TSettingsForm : public QDialog {
    Q_OBJECT
public:
    explicit TSettingsForm(TMainForm* mainForm);

    // The live value of an on/off setting.
    bool isOn(LiveSetting setting) const;

    // Reads config.ini (the defaults when it cannot be read) and shows and applies every
    // setting, as at start-up.
    void LoadAndApplySettings();

    // Sets the application-wide colour style to theme `index` (0..8); any other index
    // changes nothing.
    static void ApplyColourStyle(int index);

    TouchLabel* AdvSmoothLabel5;
    TouchButton* DoneBtn;
    TabPager* AdvSmoothTabPager1;
    // General
    TouchLabel* AdvSmoothLabel1;
    TouchButton* DayColourBtn;
    TouchButton* NightColourBtn;
    TouchLabel* AdvSmoothLabel2;
    TouchButton* ClickSoundsBtn;
    TouchButton* OtherSoundsBtn;
    TouchButton* SpeechBtn;
    // Day and night colours by the sun at the GPS position, checked once a minute.
    TouchButton* AutoDayNightBtn;
    QTimer* DayNightTimer;
    // Start where the last run left off (ResumePlayback).
    TouchButton* ResumePlaybackBtn;
    // Themes
    TouchList* DayThemeList;
    TouchList* NightThemeList;
    // Hardware
    TouchLabel* AdvSmoothLabel6;
    TouchButton* HideMouseBtn;
    // The backlight's brightness in daylight and night colours (DayBrightness,
    // NightBrightness): each tap steps it down.
    TouchButton* DayBrightnessBtn;
    TouchButton* NightBrightnessBtn;
    TouchLabel* AdvSmoothLabel7;
    TouchLabel* Label2;
    TouchButton* GpsBtn;
    QComboBox* GPSPort;
    QComboBox* GPSBaud;
    TouchLabel* SOCLabel3;
    QComboBox* SOCPort;
    // Advanced
    TouchLabel* AdvSmoothLabel3;
    TouchLabel* Label3;
    TouchLabel* ServiceManualPath;
    TouchButton* ServiceManualPathBtn;
    TouchLabel* Label5;
    TouchLabel* ObdiiApplicationPath;
    TouchButton* ObdiiApplicationPathBtn;

    void DayColourBtnClick();
    void NightColourBtnClick();
    void DayThemeListItemSelectionChanged(int previous, int current);
    void NightThemeListItemSelectionChanged(int previous, int current);
    void ClickSoundsBtnClick();
    void OtherSoundsBtnClick();
    void SpeechBtnClick();
    void HideMouseBtnClick();
    void DayBrightnessBtnClick();
    void NightBrightnessBtnClick();
    void GpsBtnClick();
    void GPSPortChange();
    void GPSBaudChange();
    void AutoDayNightBtnClick();
    void ResumePlaybackBtnClick();
    void DayNightTimerTimer();
    void SOCPortChange();
    void ServiceManualPathBtnClick();
    void ObdiiApplicationPathBtnClick();
    void AdvSmoothTabPager1Change(int page);
    void DoneBtnClick();

signals:
    // The colour mode changed: daylight (true) or night (false).
    void colourModeChanged(bool daylight);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void buildGeneralPage(QWidget* page);
    void buildThemesPage(QWidget* page);
    void buildHardwarePage(QWidget* page);
    void buildAdvancedPage(QWidget* page);
    // Gives the Hardware page's lists their type, lists the serial ports present (and
    // gpsd) and selects the ones set.
    void completeHardwarePage();
    void applyColourMode(bool daylight);
    void onBrightnessTapped(bool daylight);
    void showBrightness(bool daylight);
    void applyBrightness(bool daylight);
    void onThemeSelected(TouchList* list, const QString& key, TouchButton* modeButton, int index);
    void onPortChosen(QComboBox* list, const QString& key);
    void choosePath(const QString& title, const QString& filter, const QString& key, TouchLabel* label);
    void speak(const QString& text);
    void click();

    TMainForm* m_mainForm;
    ToggleGroup* m_colourMode;
};

// The nine colour themes offered, by index.
extern const QStringList ThemeNames;
