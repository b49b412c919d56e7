#pragma once
// The media player the whole program plays through: open, play, stop, seek and
// query a file. Positions and lengths are milliseconds.
#include <QRect>
#include <QString>

class QWidget;

class MediaPlayer {
public:
    virtual ~MediaPlayer() = default;

    // True while a file is open (the device identifier is not 0).
    virtual bool isOpen() const = 0;
    virtual void setFileName(const QString& path) = 0;
    virtual QString fileName() const = 0;
    // Opens the file named by setFileName and waits until it is ready; false on failure
    // (errorText() then says why).
    virtual bool open() = 0;
    // Closes whatever is open and waits until it is closed.
    virtual void close() = 0;
    // Plays from the current position; at the end of the media it does not restart.
    virtual bool play() = 0;
    // Pauses in place: the file stays open at its position.
    virtual void stop() = 0;
    // True while the open file plays: neither paused nor at its end.
    virtual bool isPlaying() const = 0;
    virtual void seekToEnd() = 0;
    virtual void setPosition(qint64 ms) = 0;
    virtual qint64 position() const = 0;
    virtual qint64 length() const = 0;
    virtual qint64 start() const = 0;
    // True when the open file has a picture track of its own (cover art in an audio file
    // does not count).
    virtual bool hasVideo() const { return false; }
    // Where video is drawn.
    virtual void setDisplayWindow(QWidget* window) = 0;
    virtual void setDisplayRect(const QRect& rect) = 0;
    // A short text for the last failure of open or play.
    virtual QString errorText() const = 0;
    // Media may soon be wanted (the driver went to a media screen): a player that is
    // loaded only when needed starts loading now, in the background.
    virtual void prepare() {}
};
