#pragma once
// The main window: two columns of touch buttons around a middle area that shows one screen
// at a time. It builds the screens, each with the few collaborators it uses (Startup.h
// makes the other windows and starts it).
#include "app/FirstPaint.h"
#include "app/Feedback.h"
#include "app/Navigator.h"
#include "config/SettingsAppliers.h"
#include "dialogs/Notices.h"
#include "gps/NmeaReceiver.h"
#include "playback/NowPlaying.h"
#include "playback/PlaybackController.h"
#include "platform/Services.h"
#include "shell/MasterVolume.h"
#include "shell/MediaKeys.h"

#include <QWidget>
#include <memory>

class CaptionPanel;
class ProgressBar;
class QTimer;
class ResumeKeeper;
class TouchButton;
class TrackBar;

class TWelcomeFrame;
class TMediaFrame;
class TFilesFrame;
class TVideoFrame;
class TSystemFrame;
class TTrackInfoForm;
class TMyMainMenu;
class TMyError;
class TMyPrompt;
class TOpenPlaylistForm;
class TSettingsForm;
class TGpsInfo;

class TMainForm : public QWidget, public Navigator {
    Q_OBJECT
public:
    explicit TMainForm(Services services);
    ~TMainForm() override;

    Services& services() { return m_services; }
    MediaPlayer& MediaPlayer1() { return *m_services.mediaPlayer; }
    SettingsStore& settings() { return m_settings; }
    SettingsAppliers& settingsAppliers() { return m_settingsAppliers; }
    Feedback& feedback() { return m_feedback; }
    Notices& notices() { return m_notices; }
    NowPlaying& nowPlaying() { return m_nowPlaying; }
    FirstPaint& firstPaint() { return m_firstPaint; }
    NmeaReceiver& gpsReceiver() { return m_gps; }
    ResumeKeeper& resumeKeeper() { return *m_resume; }
    VolumeControl& volumeControl() { return *m_volume; }
    PlaybackController& playback() { return *m_playback; }

    void ShowScreen(int screen) override;
    int currentScreen() const override { return m_screen; }

    // Controls: the left column, the right column and the timers.
    CaptionPanel *LeftBtnPanel, *RightBtnPanel;
    TouchButton *HomeBtn, *PlaylistBtn, *TrackBtn, *ToolsBtn, *SettingsBtn, *SystemBtn, *TrackPrevBtn, *TrackNextBtn;
    TouchButton *PlayBtn, *StopBtn, *MuteBtn;
    TrackBar* VolumeBar;
    ProgressBar* VolumeProgress;
    QTimer *VolumeTimer, *FlashTimer;

    // The screens of the middle area.
    TWelcomeFrame* WelcomeFrame1;
    TMediaFrame* MediaFrame1;
    TFilesFrame* FilesFrame1;
    TVideoFrame* VideoFrame1;
    TSystemFrame* SystemFrame1;
    TTrackInfoForm* TrackInfoForm;

    // The program's other windows, made by the start-up after the main window and owned by it.
    TMyMainMenu* MyMainMenu = nullptr;
    TMyError* MyError = nullptr;
    TMyPrompt* MyPrompt = nullptr;
    TOpenPlaylistForm* OpenPlaylistForm = nullptr;
    TSettingsForm* SettingsForm = nullptr;
    TGpsInfo* GpsInfo = nullptr;

    // Navigation.
    void HomeBtnClick();
    void PlaylistBtnClick();
    void TrackBtnClick();
    void ToolsBtnClick();
    void SettingsBtnClick();
    void SystemBtnClick();
    void LeftBtnPanelClick();
    void RightBtnPanelClick();
    // Playback.
    void PlayBtnClick() { m_playback->play(); }
    void StopBtnClick() { m_playback->stop(); }
    void TrackPrevBtnClick() { m_playback->previous(); }
    void TrackNextBtnClick() { m_playback->next(); }
    // The keys (MediaKeys.h); true when `key` was one of them and is used up.
    bool FormKeyDown(int key) { return m_keys->press(key); }
    // Volume and mute.
    void StartVolume() { m_volume->start(); }
    void VolumeTimerTimer() { m_volume->applyBar(); }
    void MuteBtnClick() { m_volume->toggleMute(); }
    void FlashTimerTimer() { m_volume->flash(); }
    bool isMuted() const { return m_volume->muted(); }
    // Application activation.
    void ApplicationEvents1Activate();
    void ApplicationEvents1Deactivate();
    void ApplicationEvents1Minimize();
    void ApplicationEvents1Restore();

    // Saves the settings and lets go of the player and the speech engine; run when the
    // window closes.
    void FormClose();

signals:
    // The window has closed and saved the settings: the program ends.
    void closed();
    // A player button of the right or left column was tapped.
    void playerTapped();
    // The volume bar moved.
    void volumeChanged();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildColumns();
    void buildScreens();

    Services m_services;
    SettingsStore m_settings;
    LiveSettings m_live{m_settings};
    Feedback m_feedback;
    Notices m_notices;
    FirstPaint m_firstPaint;
    SettingsAppliers m_settingsAppliers;
    NowPlaying m_nowPlaying;
    NmeaReceiver m_gps;
    QList<QWidget*> m_screens;
    std::unique_ptr<PlaybackController> m_playback;
    std::unique_ptr<MasterVolume> m_volume;
    std::unique_ptr<ResumeKeeper> m_resume;
    MediaKeys* m_keys;
    int m_screen = 0;
    bool m_closed = false;
};
