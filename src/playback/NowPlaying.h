#pragma once
// What is playing, as the screens and the remote control show it: the playlist's name, the
// last started track's tags and picture, and where the open track is. The playback
// controller writes it; each change is announced, and whoever shows it follows.
#include "playback/NowPlayingInfo.h"

#include <QImage>
#include <QObject>
#include <optional>

class NowPlaying : public QObject {
    Q_OBJECT
public:
    // A track that has just started, as the playlist holds it.
    struct Start {
        int entry = -1;
        int entryCount = 0;
        QString displayText;
        qint64 lengthMs = 0;
    };

    // A source other than the playlist (the driver's phone), while it plays instead.
    struct OtherSource {
        QString name;
        bool playing = false;
        qint64 positionMs = 0;
        qint64 lengthMs = 0;
    };

    const NowPlayingInfo& info() const { return m_info; }
    NowPlayingInfo& info() { return m_info; }
    // The started track's picture (its own, its folder's or the program's album art); null
    // when it found none.
    const QImage& trackPicture() const { return m_trackPicture; }
    const Start& lastStart() const { return m_start; }

    void setPlaylistName(const QString& name) { m_info.PlaylistName = name; }
    // The playlist was emptied: its name is the default again.
    void emptyPlaylist();
    // The entry `displayText` is being opened.
    void startLoading(const QString& displayText);
    // A track started, with the tags already in info() and `picture` (null: none found).
    void startTrack(const Start& start, const QImage& picture);
    // The position tick: the open track at `positionMs` of `lengthMs`, named `name`.
    void showPosition(qint64 positionMs, qint64 lengthMs, const QString& name);
    // The position tick with nothing open.
    void showNoMedia();

    // Null while the playlist is the source.
    const OtherSource* otherSource() const { return m_other ? &*m_other : nullptr; }
    // `source` plays the track `tags` in place of the playlist's, which is kept: shown as a
    // started track.
    void startOtherTrack(const OtherSource& source, const NowPlayingInfo& tags);
    // The other source's position tick.
    void showOtherPosition(bool playing, qint64 positionMs, qint64 lengthMs);
    // The playlist is the source again: its last started track is shown again.
    void endOtherSource();

signals:
    void playlistEmptied();
    void loading(const QString& text);
    void trackStarted();
    void positionChanged(qint64 positionMs, qint64 lengthMs, const QString& name);
    void noMedia();
    void otherSourceEnded();

private:
    NowPlayingInfo m_info;
    QImage m_trackPicture;
    Start m_start;
    std::optional<OtherSource> m_other;
    // The playlist's track while another source plays.
    NowPlayingInfo m_playlistInfo;
    Start m_playlistStart;
    QImage m_playlistPicture;
};
