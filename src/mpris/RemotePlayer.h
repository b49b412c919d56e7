#pragma once
// The player as a remote control (a phone, a steering-wheel interface, playerctl) sees it:
// the controls it may use and the state it may read. Every control acts exactly as the
// matching tap on the screen does, click and speech included.
#include <QImage>
#include <QString>
#include <functional>

enum class RemoteStatus { Stopped, Paused, Playing };

// The open track; `path` is empty while nothing is open.
struct RemoteTrack {
    QString path;
    // The playlist entry the track was started from, -1 when there is none.
    int entry = -1;
    // The entry's name as the playlist shows it.
    QString shownName;
    qint64 lengthMs = 0;
    QString title;
    QString artist;
    QString album;
    QString genre;
    QString comment;

    bool operator==(const RemoteTrack&) const = default;
};

class RemotePlayer {
public:
    virtual ~RemotePlayer() = default;

    virtual void play() = 0;
    virtual void pause() = 0;
    // Pauses and goes back to the start of the track.
    virtual void stop() = 0;
    virtual void next() = 0;
    virtual void previous() = 0;
    // Moves the open track to `ms` as the track bar does.
    virtual void seekTo(qint64 ms) = 0;
    // 0 (silent) to 1 (full), as the volume bar.
    virtual void setVolume(double volume) = 0;
    virtual void setShuffle(bool on) = 0;
    virtual void setRepeat(bool on) = 0;
    // Appends the file at `path` to the playlist and plays it; false, and nothing added,
    // when the path cannot be a playlist entry.
    virtual bool openFile(const QString& path) = 0;
    // The program's exit.
    virtual void quit() = 0;
    // Brings the window to the front.
    virtual void raise() = 0;

    virtual RemoteStatus status() const = 0;
    virtual RemoteTrack track() const = 0;
    virtual qint64 positionMs() const = 0;
    virtual double volume() const = 0;
    virtual bool shuffle() const = 0;
    virtual bool repeat() const = 0;
    virtual bool hasEntries() const = 0;
    // The picture the track panel shows; null when it shows none.
    virtual QImage picture() const = 0;

    // `changed` runs, on the window thread, whenever the state above may have changed.
    virtual void onChange(std::function<void()> changed) = 0;
};
