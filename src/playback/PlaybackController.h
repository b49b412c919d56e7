#pragma once
// Playback of the playlist's selected entry: the play operation, the Stop, Previous and
// Next buttons, and the once-a-second position update with the advance at a track's end.
// What it starts is written into the now-playing record, which the screens follow.
#include "playback/NowPlaying.h"
#include "playlists/ShuffleGenerator.h"
#include "tags/Id3.h"
#include "tags/TrackTagReading.h"

#include <QString>

class ExternalSource;
class Feedback;
class MediaPlayer;
class Navigator;
class Notices;
class PlayModes;
class Playlist;
class TVideoFrame;

class PlaybackController {
public:
    PlaybackController(MediaPlayer& player, Playlist& playlist, const PlayModes& modes, NowPlaying& nowPlaying,
                       Feedback& feedback, Notices& notices, Navigator& navigator, TVideoFrame& video,
                       const QString& programFolder);

    // While the now-playing record shows another source's track, the buttons act on
    // `source`; the playlist takes over again when it starts an entry.
    void setExternalSource(ExternalSource* source) { m_external = source; }

    // Continues the open track (or restarts it at its end with repeat on); otherwise opens
    // and plays the selected entry, or the first, and shows what it is. Failures are shown
    // as notices and mark the entry red.
    void play();
    // Opens the selected entry at `positionMs` and shows it as play() does, playing or
    // paused there: the track a restart resumes.
    void resume(qint64 positionMs, bool playing);
    // Pauses the open track where it is.
    void stop();
    // Selects the entry before (the last from the first) and plays it.
    void previous();
    // Moves the open track to its end, so that the end-of-track advance starts the next
    // one; with nothing open plays the selected entry.
    void next();

    // The notices for a file that will not open or will not play; the player's error text
    // follows each.
    struct OpenNotices {
        QString openFailed;
        QString playFailed;
    };
    // Closes what is open, opens `filePath` on the video screen's surface, moves it to
    // `positionMs` and plays it when `playing`; false, after its notice, when that failed.
    bool openFile(const QString& filePath, qint64 positionMs, bool playing, const OpenNotices& notices);

    // The position update: shows where the open track is; at its end starts the same
    // track again, a shuffled one or the next one by the playlist's modes. True when it
    // moved on.
    bool PositionTick();

private:
    // The other source, while it has the buttons.
    ExternalSource* external() const;
    bool continueOpenTrack();
    void startSelectedEntry(qint64 positionMs = 0, bool playing = true);
    // Shows the started track with its tags and picture.
    void showTrack(const TrackTags& tags);
    void AdvanceAtEndOfTrack();

    MediaPlayer& m_player;
    Playlist& m_playlist;
    const PlayModes& m_modes;
    NowPlaying& m_nowPlaying;
    Feedback& m_feedback;
    Notices& m_notices;
    Navigator& m_navigator;
    TVideoFrame& m_video;
    QString m_programFolder;
    TID3 m_tags;
    TrackTagReading m_reading;
    // The track last started, as the playlist holds it.
    NowPlaying::Start m_started;
    ShuffleGenerator m_shuffle;
    ExternalSource* m_external = nullptr;
};
