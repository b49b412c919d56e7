#pragma once
// The options screen. Its toggles show the live on/off settings that every other screen
// consults; every change is written into the settings at once (before the tap's click and
// speech, which follow the new value) and the done button saves config.ini.
#include "config/LiveSettings.h"

#include <QDialog>

class Backlight;
class Feedback;
class FileOpenDialog;
class FirstPaint;
class NmeaReceiver;
class Notices;
class QComboBox;
class ResumeKeeper;
class SettingsAppliers;
class QTimer;
class TabPager;
class TouchButton;
class TouchLabel;
class TouchList;
class ToggleGroup;

class TSettingsForm : public QDialog {
    Q_OBJECT
public:
    // The settings are loaded from and saved to `configPath`; the sun rule follows `gps`.
    TSettingsForm(QWidget* mainWindow, SettingsStore& settings, const QString& configPath, SettingsAppliers& appliers,
                  Feedback& feedback, Notices& notices, FileOpenDialog& fileOpenDialog, Backlight& backlight,
                  ResumeKeeper& resume, const NmeaReceiver& gps);

    // Reads config.ini (the defaults when it cannot be read) and shows and applies every
    // setting, as at start-up; silently.
    void LoadAndApplySettings();
    // Gives the Hardware page's lists their type, lists the serial ports present (and
    // gpsd) and selects the ones set.
    void completeHardwarePage();

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
    TouchButton* FitToScreenBtn;
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
    void FitToScreenBtnClick();
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
    // The service manual's or the OBDII program's path was chosen.
    void launcherPathChanged();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void buildGeneralPage(QWidget* page);
    void buildThemesPage(QWidget* page);
    void buildHardwarePage(QWidget* page);
    void buildAdvancedPage(QWidget* page);
    void applyColourMode(bool daylight);
    void storeToggle(const QString& key, bool on);
    void followToggles();
    void onBrightnessTapped(bool daylight);
    void showBrightness(bool daylight);
    void applyBrightness(bool daylight);
    void onThemeSelected(TouchList* list, const QString& key, TouchButton* modeButton, int index);
    void onPortChosen(QComboBox* list, const QString& key);
    void choosePath(const QString& title, const QString& filter, const QString& key, TouchLabel* label);
    void speak(const QString& text);
    void click();

    SettingsStore& m_settings;
    QString m_configPath;
    SettingsAppliers& m_appliers;
    Feedback& m_feedback;
    Notices& m_notices;
    FileOpenDialog& m_fileOpenDialog;
    Backlight& m_backlight;
    ResumeKeeper& m_resume;
    const NmeaReceiver& m_gps;
    ToggleGroup* m_colourMode;
    // True while the settings are being applied: nothing clicks or speaks.
    bool m_applying = false;
};

// The nine colour themes offered, by index.
extern const QStringList ThemeNames;
