#pragma once
// The main window: two columns of touch buttons around a middle area that shows one
// screen at a time. It owns what more than one screen needs: the platform services,
// the settings, the speech engine, the now-playing record and the program's windows.
#include "config/SettingsStore.h"
#include "platform/Services.h"
#include "shell/NowPlayingInfo.h"
#include "tags/Id3.h"

#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class CaptionPanel;
class PlaybackController;
class ResumeKeeper;
class ProgressBar;
class QTimer;
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

// The live on/off settings: the down states of the options screen's toggles.
enum class LiveSetting { ClickSounds, OtherSounds, SpeechSounds, HideMouse, GPSEnabled, DayColours };

// The interface sounds.
namespace UiSound {
inline const QString Click = QStringLiteral("click.wav");
inline const QString Hover = QStringLiteral("hover.wav");
inline const QString Error = QStringLiteral("error.wav");
}

class TMainForm : public QWidget {
    Q_OBJECT
public:
    // Screens of the middle area, by number.
    enum Screen { Home = 1, Playlist = 2, Files = 3, Video = 4, VehicleTools = 5, TrackInfo = 6 };
    static constexpr QRect MiddleArea{136, 5, 528, 595};

    explicit TMainForm(Services services);
    ~TMainForm() override;

    // Platform services and files.
    Services& services() { return m_services; }
    MediaPlayer& MediaPlayer1() { return *m_services.mediaPlayer; }
    QString programFolder() const { return m_services.programFolder; }
    // Where config.ini, the playlists and anything else saved between runs live.
    QString dataFolder() const { return m_services.dataFolder; }
    QString configPath() const;
    SettingsStore& settings() { return m_settings; }
    // Screens whose controls show settings register here; the options screen runs them,
    // in registration order, right after config.ini is loaded.
    using SettingsApplier = std::function<void(const SettingsStore&)>;
    void addSettingsApplier(SettingsApplier applier) { m_settingsAppliers.push_back(std::move(applier)); }
    const std::vector<SettingsApplier>& settingsAppliers() const { return m_settingsAppliers; }
    NowPlayingInfo& nowPlaying() { return m_nowPlaying; }
    // Runs WORK once the first screen has been painted, so that the start shows the home
    // screen as soon as it can (at once when the services start nothing after the paint).
    void afterFirstPaint(std::function<void()> work);
    // The program's first paint has reached the display: starts the services and the work
    // that waited for it, in the order it was asked for.
    void firstPaintDone();
    // Keeps the resume file and restores from it after the first paint.
    ResumeKeeper& resumeKeeper() { return *m_resume; }
    bool SpeechUnavailable() const { return !m_speech; }

    // Feedback that every screen gives.
    bool liveSetting(LiveSetting setting) const;
    // Plays `sound` when the live setting `gate` is on.
    void PlayUiSound(const QString& sound, LiveSetting gate);
    // Speaks `text` at once, cutting off whatever is being said; nothing without speech.
    void SpeakText(const QString& text);
    // Speaks with punctuation marks read by name (for typed keys).
    void SpeakPunctuated(const QString& text);
    // How a button acknowledges a tap: the click when ClickSounds is on, then `phrase`
    // when SpeechSounds is on.
    void ClickAndSpeak(const QString& phrase);
    // Shows `text` in the modeless notice, replacing any notice already shown.
    void ShowErrorNotice(const QString& text);
    // Plain modal message box (save failures and similar).
    void ShowMessage(const QString& text);
    // Modal yes/no question; true when confirmed.
    bool AskYesNo(const QString& question);

    void ShowScreen(int screen);
    int currentScreen() const { return m_screen; }

    // Controls.
    CaptionPanel* LeftBtnPanel;
    CaptionPanel* RightBtnPanel;
    TouchButton* HomeBtn;
    TouchButton* PlaylistBtn;
    TouchButton* TrackBtn;
    TouchButton* ToolsBtn;
    TouchButton* SettingsBtn;
    TouchButton* SystemBtn;
    TouchButton* TrackPrevBtn;
    TouchButton* TrackNextBtn;
    TouchButton* PlayBtn;
    TouchButton* StopBtn;
    TrackBar* VolumeBar;
    ProgressBar* VolumeProgress;
    TouchButton* MuteBtn;
    QTimer* VolumeTimer;
    QTimer* FlashTimer;

    TWelcomeFrame* WelcomeFrame1;
    TMediaFrame* MediaFrame1;
    TFilesFrame* FilesFrame1;
    TVideoFrame* VideoFrame1;
    TSystemFrame* SystemFrame1;
    TTrackInfoForm* TrackInfoForm;

    // The program's other windows, created after the main window in start-up order and
    // owned by it.
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
    void PlayBtnClick();
    void StopBtnClick();
    void TrackPrevBtnClick();
    void TrackNextBtnClick();
    // Page Up plays the next track and Page Down the previous one; the media keys (of a
    // keyboard or a steering-wheel interface) do what their buttons do, and volume up and
    // down move VolumeBar one step. True when `key` was one of them and is used up.
    bool FormKeyDown(int key);
    // Pauses while a track plays, else plays.
    void PlayPauseKey();
    void VolumeUpKey();
    void VolumeDownKey();

    // Volume and mute.
    void StartVolume();
    void VolumeTimerTimer();
    void MuteBtnClick();
    void FlashTimerTimer();
    bool isMuted() const { return m_muted; }

    // Application activation.
    void ApplicationEvents1Activate();
    void ApplicationEvents1Deactivate();
    void ApplicationEvents1Minimize();
    void ApplicationEvents1Restore();

    // Saves the settings and lets go of the speech engine; run when the window closes.
    void FormClose();

signals:
    // The window has closed and saved the settings: the program ends.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    // Sees the keys of the window's controls before they do.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildColumns();
    void buildScreens();
    QList<QWidget*> screens() const;
    void stepVolume(int steps);

    Services m_services;
    SettingsStore m_settings;
    std::vector<SettingsApplier> m_settingsAppliers;
    NowPlayingInfo m_nowPlaying;
    TID3 m_id3;
    std::unique_ptr<PlaybackController> m_playback;
    std::unique_ptr<ResumeKeeper> m_resume;
    std::unique_ptr<SpeechEngine> m_speech;
    int m_screen = 0;
    std::vector<std::function<void()>> m_afterFirstPaint;
    bool m_firstPaintDone = false;
    uint32_t m_lastAppliedVolume = 0;
    bool m_muted = false;
    bool m_closed = false;
};
