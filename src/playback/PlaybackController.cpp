#include "playback/PlaybackController.h"

#include "app/Feedback.h"
#include "app/Navigator.h"
#include "dialogs/Notices.h"
#include "playback/ExternalSource.h"
#include "playback/NowPlaying.h"
#include "playback/NowPlayingTexts.h"
#include "playback/Videoframeunit.h"
#include "platform/FileNames.h"
#include "platform/MediaPlayer.h"
#include "playlists/PlayModes.h"
#include "playlists/Playlist.h"
#include "tags/Trackinfounit.h"

PlaybackController::PlaybackController(MediaPlayer& player, Playlist& playlist, const PlayModes& modes,
                                       NowPlaying& nowPlaying, Feedback& feedback, Notices& notices,
                                       Navigator& navigator, TVideoFrame& video, const QString& programFolder)
    : m_player(player)
    , m_playlist(playlist)
    , m_modes(modes)
    , m_nowPlaying(nowPlaying)
    , m_feedback(feedback)
    , m_notices(notices)
    , m_navigator(navigator)
    , m_video(video)
    , m_programFolder(programFolder)
    , m_reading(m_tags, programFolder, TTrackInfoForm::PictureSize)
{
    // A read that outlasted the wait shows when it ends, if its track is still the one open.
    QObject::connect(&m_reading, &TrackTagReading::ready, &m_reading, [this](const TrackTags& tags) {
        if (m_player.isOpen() && m_player.fileName() == tags.path)
            showTrack(tags);
    });
}

ExternalSource* PlaybackController::external() const
{
    return m_nowPlaying.otherSource() ? m_external : nullptr;
}

void PlaybackController::play()
{
    // On the playlist screen Play is the playlist's: it takes over from the other source.
    if (ExternalSource* source = external(); source && m_navigator.currentScreen() != Navigator::Playlist) {
        source->play();
        return;
    }
    m_nowPlaying.endOtherSource();
    if (!continueOpenTrack())
        startSelectedEntry();
}

// True when the open track plays on: it was not at its end, or repeat restarted it.
bool PlaybackController::continueOpenTrack()
{
    if (!m_player.isOpen())
        return false;
    if (m_player.length() != m_player.position())
        return m_player.play();
    if (!m_modes.repeatOn())
        return false;
    m_player.setPosition(0);
    return m_player.play();
}

void PlaybackController::resume(qint64 positionMs, bool playing)
{
    startSelectedEntry(positionMs, playing);
}

void PlaybackController::startSelectedEntry(qint64 positionMs, bool playing)
{
    if (m_playlist.isEmpty()) {
        m_notices.ShowErrorNotice(QStringLiteral("PLAYLIST EMPTY!\n\nThere are no media files in the Playlist.  "
                                                 "Select File(s) to add to the Playlist."));
        m_navigator.ShowScreen(Navigator::Files);
        return;
    }
    if (m_playlist.selectedIndex() < 0)
        m_playlist.setSelectedIndex(0);
    const int index = m_playlist.selectedIndex();
    const PlaylistEntry* entry = m_playlist.entryAt(index);
    if (!entry) {
        m_notices.ShowErrorNotice(QStringLiteral("UNKNOWN ERROR\n\nError retrieving media file name."));
        return;
    }
    const QString displayText = entry->DisplayText;
    const QString filePath = entry->FilePath;

    if (!FileNames::exists(filePath)) {
        m_notices.ShowErrorNotice(QStringLiteral("File ERROR\n\nThe selected media file is not available or does "
                                                 "not exist. Select another track in the Playlist."));
        m_playlist.setTextColor(index, EntryColour::Failed);
        return;
    }

    // Drawn now, before the open keeps the window thread busy.
    m_nowPlaying.startLoading(displayText);
    const OpenNotices notices{QStringLiteral("OPEN ERROR\n\nCould not OPEN the selected media file.\n"),
                              QStringLiteral("PLAY ERROR (DRM?)\n\nCould not PLAY the selected media file.\n")};
    if (!openFile(filePath, positionMs, playing, notices)) {
        m_playlist.setTextColor(index, EntryColour::Failed);
        return;
    }

    m_playlist.setTextColor(index, EntryColour::Playable);
    m_started = {index, m_playlist.count(), displayText, m_player.length()};
    NowPlayingInfo& info = m_nowPlaying.info();
    info.FileName = FileNames::shown(fileNamePart(filePath));
    if (const std::optional<TrackTags> tags = m_reading.start(filePath)) {
        showTrack(*tags);
    } else {
        // A file whose tags take long shows by its name until they come.
        info = {info.PlaylistName, info.FileName};
        m_nowPlaying.startTrack(m_started, QImage());
    }
    // A video is never left playing unseen.
    if (playing && m_player.hasVideo())
        m_navigator.ShowScreen(Navigator::Video);
}

bool PlaybackController::openFile(const QString& filePath, qint64 positionMs, bool playing,
                                  const OpenNotices& notices)
{
    m_nowPlaying.endOtherSource();
    m_player.close();
    m_player.setFileName(filePath);
    if (!m_player.open()) {
        m_notices.ShowErrorNotice(notices.openFailed + m_player.errorText());
        return false;
    }
    m_video.AttachPlayer();
    if (positionMs > 0)
        m_player.setPosition(positionMs);
    if (playing && !m_player.play()) {
        m_notices.ShowErrorNotice(notices.playFailed + m_player.errorText());
        return false;
    }
    return true;
}

void PlaybackController::showTrack(const TrackTags& tags)
{
    // A file whose tags cannot be read plays on with the tag texts it had.
    if (const std::optional<TID3>& read = tags.tags) {
        NowPlayingInfo& info = m_nowPlaying.info();
        info.Album = read->Album();
        info.Artist = read->Artist();
        info.Comment = read->Comment();
        info.Genre = read->Genre();
        info.Title = read->Title();
        info.Year = read->Year();
    }
    m_nowPlaying.startTrack(m_started, tags.picture);
}

void PlaybackController::stop()
{
    ExternalSource* source = external();
    if (!source && !m_player.isOpen())
        return;
    m_feedback.Announce(QStringLiteral("Pause"));
    if (source)
        source->pause();
    else
        m_player.stop();
    m_feedback.Click();
}

void PlaybackController::previous()
{
    m_feedback.Announce(QStringLiteral("Previous Track"));
    if (ExternalSource* source = external()) {
        source->previous();
        return;
    }
    m_player.close();
    m_playlist.selectPrevious();
    play();
}

void PlaybackController::next()
{
    m_feedback.ClickAndSpeak(QStringLiteral("Next Track"));
    if (ExternalSource* source = external())
        source->next();
    else if (m_player.isOpen())
        m_player.seekToEnd();
    else
        play();
}

bool PlaybackController::PositionTick()
{
    if (ExternalSource* source = external()) {
        source->showPosition();
        return false;
    }
    if (!m_player.isOpen()) {
        m_nowPlaying.showNoMedia();
        return false;
    }
    const qint64 length = m_player.length();
    const qint64 position = m_player.position();
    m_nowPlaying.showPosition(position, length, NowPlayingTexts::displayName(m_player.fileName()));
    if (length != position)
        return false;
    AdvanceAtEndOfTrack();
    return true;
}

void PlaybackController::AdvanceAtEndOfTrack()
{
    if (m_modes.repeatOn())
        m_player.setPosition(m_player.start());
    else if (m_modes.shuffleOn())
        m_playlist.setSelectedIndex(m_shuffle.next(m_playlist.count()));
    else
        m_playlist.selectNext();
    if (m_playlist.selectedIndex() >= 0)
        play();
}
