#pragma once
// The texts that tell the driver what is playing: on the playlist screen, the home
// screen and the track panel.
#include "playback/NowPlayingInfo.h"

#include <QString>

namespace NowPlayingTexts {

// The home screen's now-playing caption while the playlist has not started a track.
inline const QString EmptyPlaylist = QStringLiteral("Playlist is empty.");

// Shown while a file is being opened.
QString loading(const QString& displayText);
// The home screen's ticker: the entry's text, then the tags when the track has a title.
QString ticker(const QString& displayText, const NowPlayingInfo& info);
// "PLAYLIST Track 3/12" for the entry at `index` (0-based).
QString trackOfPlaylist(const QString& playlistName, int index, int count);
// "Pos: 1 Mins 1 Secs" for `label` "Pos" and 61500 ms.
QString minutesAndSeconds(const QString& label, qint64 ms);
// "Pos: -- Mins -- Secs" while nothing is open.
QString noMinutesAndSeconds(const QString& label);
// The open file's name without folders, underscores as spaces, trimmed, then three spaces.
QString displayName(const QString& filePath);
// The track details box.
QString details(const QString& filePath, const NowPlayingInfo& info);

// The track panel's texts for the last started track.
struct TrackPanel {
    QString FilenameDisplay;
    QString TrackTitle;
    QString TrackAlbum;
    QString TrackGenreYear;
    QString TrackArtist;
    QString TrackComments;

    static TrackPanel of(const NowPlayingInfo& info);
};

// What the track panel's read-aloud button says for the texts it shows.
QString spokenTrack(const QString& title, const QString& artist, const QString& album, const QString& genreYear);

} // namespace NowPlayingTexts
