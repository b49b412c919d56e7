#include "playback/ResumeKeeper.h"

#include "platform/FileNames.h"
#include "platform/TextFile.h"
#include "playback/PlaybackController.h"
#include "app/VolumeControl.h"
#include "config/SettingsStore.h"
#include "playback/NowPlaying.h"
#include "platform/MediaPlayer.h"
#include "playlists/PlaylistFile.h"

#include <QEvent>
#include <QWidget>
#include <QTimer>
#include <QtDebug>

namespace {

// The entry whose file is open: the selected one when it is that file, else the first.
int entryOf(const Playlist& playlist, const QString& file)
{
    if (const PlaylistEntry* selected = playlist.entryAt(playlist.selectedIndex()); selected && selected->FilePath == file)
        return playlist.selectedIndex();
    return int(playlist.paths().indexOf(file));
}

} // namespace

ResumeKeeper::ResumeKeeper(QWidget& window, const QString& dataFolder, const SettingsStore& settings,
                           MediaPlayer& player, Playlist& playlist, NowPlaying& nowPlaying, VolumeControl& volume,
                           PlaybackController& playback)
    : m_window(window)
    , m_dataFolder(dataFolder)
    , m_settings(settings)
    , m_player(player)
    , m_playlist(playlist)
    , m_nowPlaying(nowPlaying)
    , m_volume(volume)
    , m_playback(playback)
{
    WatchTimer = new QTimer(this);
    WatchTimer->setInterval(WatchIntervalMs);
    WatchTimer->setTimerType(Qt::PreciseTimer);
    SaveTimer = new QTimer(this);
    SaveTimer->setSingleShot(true);
    SaveTimer->setInterval(0);
    connect(WatchTimer, &QTimer::timeout, this, &ResumeKeeper::WatchTimerTimer);
    connect(SaveTimer, &QTimer::timeout, this, &ResumeKeeper::SaveTimerTimer);

    const auto saveSoon = [this] {
        if (m_active)
            SaveTimer->start();
    };
    connect(&m_playlist, &Playlist::entriesReset, this, saveSoon);
    connect(&m_playlist, &Playlist::entryInserted, this, saveSoon);
    connect(&m_playlist, &Playlist::entryRemoved, this, saveSoon);
    connect(&m_playlist, &Playlist::entryMoved, this, saveSoon);
    connect(&m_playlist, &Playlist::selectionChanged, this, saveSoon);
    m_window.installEventFilter(this);
}

QString ResumeKeeper::path() const
{
    return ResumeFile::path(m_dataFolder);
}

bool ResumeKeeper::keeping() const
{
    return ResumeFile::enabled(m_settings.value(Key::ResumePlayback));
}

bool ResumeKeeper::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_window && event->type() == QEvent::Paint && !m_restoreAsked) {
        m_restoreAsked = true;
        m_window.removeEventFilter(this);
        // After the painted picture has reached the screen.
        QTimer::singleShot(0, this, &ResumeKeeper::RestoreTimerTimer);
    }
    return false;
}

void ResumeKeeper::RestoreTimerTimer()
{
    if (m_active)
        return;
    m_active = true;
    WatchTimer->start();
    const std::optional<QStringList> lines = keeping() ? TextFile::readLines(path()) : std::nullopt;
    if (!lines)
        return;
    m_lastWritten = *lines;
    const ResumeState state = ResumeState::fromLines(*lines);

    Playlist& playlist = m_playlist;
    if (!state.entries.isEmpty()) {
        playlist.replaceAll(PlaylistFile::entriesFor(state.entries));
        if (!state.playlistName.isEmpty())
            m_nowPlaying.setPlaylistName(state.playlistName);
    }
    // A file gone since stays a red entry; nothing is tried, so no notice says so.
    if (state.track >= 0 && PlaylistFile::fileExists(state.entries.at(state.track))) {
        playlist.setSelectedIndex(state.track);
        m_pending = state;
        m_playback.resume(state.positionMs, state.playing);
    }
    playlist.setSelectedIndex(state.selected);
    if (state.volume)
        m_volume.setVolume(double(*state.volume));
    m_lastSample = sample();
}

ResumeKeeper::PlayerSample ResumeKeeper::sample() const
{
    MediaPlayer& player = m_player;
    if (!player.isOpen())
        return {};
    return {player.fileName(), player.isPlaying()};
}

void ResumeKeeper::WatchTimerTimer()
{
    if (m_player.isOpen())
        m_pending.reset();
    const PlayerSample now = sample();
    if (now != m_lastSample) {
        m_lastSample = now;
        m_playingTicks = 0;
        SaveTimerTimer();
    } else if (now.playing && ++m_playingTicks >= PlayingSaveTicks) {
        m_playingTicks = 0;
        SaveTimerTimer();
    }
}

ResumeState ResumeKeeper::current() const
{
    const Playlist& playlist = m_playlist;
    MediaPlayer& player = m_player;
    ResumeState state;
    state.entries = playlist.paths();
    state.playlistName = m_nowPlaying.info().PlaylistName;
    state.selected = playlist.selectedIndex();
    state.volume = uint32_t(m_volume.volume());
    if (player.isOpen()) {
        state.track = entryOf(playlist, player.fileName());
        if (state.track >= 0) {
            state.positionMs = player.position();
            state.playing = player.isPlaying();
        }
    } else if (m_pending && state.entries.value(m_pending->track) == m_pending->entries.at(m_pending->track)) {
        state.track = m_pending->track;
        state.positionMs = m_pending->positionMs;
        state.playing = m_pending->playing;
    }
    return state;
}

void ResumeKeeper::SaveTimerTimer()
{
    SaveTimer->stop();
    if (!m_active || !keeping())
        return;
    const QStringList lines = current().toLines();
    if (lines == m_lastWritten)
        return;
    if (!TextFile::writeLines(path(), lines)) {
        // Said once: a full or read-only card fails every time.
        if (!m_writeFailed)
            qWarning().noquote() << "Karvex: cannot save" << path();
        m_writeFailed = true;
        return;
    }
    m_writeFailed = false;
    m_lastWritten = lines;
}

void ResumeKeeper::ResumePlaybackChanged(bool on)
{
    if (on)
        SaveTimerTimer();
}

void ResumeKeeper::finish()
{
    SaveTimerTimer();
    m_active = false;
    WatchTimer->stop();
}
