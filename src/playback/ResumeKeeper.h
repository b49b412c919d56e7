#pragma once
// Keeps the resume file up to date while Karvex runs and restores from it once the main
// window has first been painted. It writes only when something worth keeping changed: the
// playlist or its selection (a burst of changes in one go is one write), a track starting
// or stopping, and every few seconds while one plays, so a power cut loses at most that
// much of the position and an SD card is not worn. ResumePlayback off restores and writes
// nothing.
#include "playback/ResumeState.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <optional>

class MediaPlayer;
class NowPlaying;
class PlaybackController;
class Playlist;
class QTimer;
class QWidget;
class SettingsStore;
class VolumeControl;

class ResumeKeeper : public QObject {
    Q_OBJECT
public:
    // How often the player is looked at, and how many looks apart a playing track's
    // position is written.
    static constexpr int WatchIntervalMs = 1000;
    static constexpr int PlayingSaveTicks = 5;

    // Restores once `window` has first been painted; the file is in `dataFolder`.
    ResumeKeeper(QWidget& window, const QString& dataFolder, const SettingsStore& settings, MediaPlayer& player,
                 Playlist& playlist, NowPlaying& nowPlaying, VolumeControl& volume, PlaybackController& playback);

    QString path() const;

    // Restores the playlist, its selection, the volume and the open track at its position,
    // playing again when it was, as a Play tap shows it; then starts keeping the file.
    // Runs once; a missing or damaged file, or files gone since, give what is still there.
    void RestoreTimerTimer();
    // Writes when the open track started or stopped, and while it plays every
    // PlayingSaveTicks-th time.
    void WatchTimerTimer();
    // Writes what is there now (when it differs from what was written last).
    void SaveTimerTimer();
    // ResumePlayback was switched; switched on, the file is brought up to date at once.
    void ResumePlaybackChanged(bool on);
    // The window closes: writes a last time and stops.
    void finish();

    QTimer* WatchTimer;
    QTimer* SaveTimer;

protected:
    // Waits for the main window's first paint.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct PlayerSample {
        QString file;
        bool playing = false;
        bool operator==(const PlayerSample&) const = default;
    };

    bool keeping() const;
    PlayerSample sample() const;
    ResumeState current() const;

    QWidget& m_window;
    QString m_dataFolder;
    const SettingsStore& m_settings;
    MediaPlayer& m_player;
    Playlist& m_playlist;
    NowPlaying& m_nowPlaying;
    VolumeControl& m_volume;
    PlaybackController& m_playback;
    bool m_active = false;
    bool m_restoreAsked = false;
    PlayerSample m_lastSample;
    int m_playingTicks = 0;
    QStringList m_lastWritten;
    bool m_writeFailed = false;
    // The restored track while the player has not opened it yet (a player that becomes
    // ready after the first paint): written as it was, so an early power cut keeps it.
    std::optional<ResumeState> m_pending;
};
