#pragma once
// What is playing, as the screens and the remote control show it: the playlist's name, the
// last started track's tags and picture, and where the open track is. The playback
// controller writes it; each change is announced, and whoever shows it follows.
#include "playback/NowPlayingInfo.h"

#include <QImage>
#include <QObject>

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

signals:
    void playlistEmptied();
    void loading(const QString& text);
    void trackStarted();
    void positionChanged(qint64 positionMs, qint64 lengthMs, const QString& name);
    void noMedia();

private:
    NowPlayingInfo m_info;
    QImage m_trackPicture;
    Start m_start;
};
