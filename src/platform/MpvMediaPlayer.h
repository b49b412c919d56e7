#pragma once
// The media player on libmpv.
//
// Open and close block the calling thread until mpv reports the outcome on its own event
// queue, for at most a few seconds. Events are matched to the request through mpv's
// playlist entry ids, so the late events of a file closed earlier are recognised and
// skipped.
//
// A finished track stays open, paused at its end (keep-open); from the moment mpv reports
// the end of the file, position() equals length(). stop() pauses in place. Video is drawn
// into the display window on X11; elsewhere video output is null. Without a sound device
// audio goes to mpv's null output, which keeps time like a real one.
#include "platform/MediaPlayer.h"

#include <QByteArray>
#include <QList>
#include <QPointer>
#include <QWidget>
#include <utility>

struct mpv_handle;
struct mpv_event;

class MpvMediaPlayer : public MediaPlayer {
public:
    using Option = std::pair<QByteArray, QByteArray>;

    // `extraOptions` are mpv options set after the player's own, for example
    // MpvMediaPlayer player{{{"ao", "null"}, {"ao-null-untimed", "yes"}}} to play as fast
    // as it decodes without a sound device.
    explicit MpvMediaPlayer(const QList<Option>& extraOptions = {});
    ~MpvMediaPlayer() override;
    MpvMediaPlayer(const MpvMediaPlayer&) = delete;
    MpvMediaPlayer& operator=(const MpvMediaPlayer&) = delete;

    bool isOpen() const override;
    void setFileName(const QString& path) override;
    QString fileName() const override;
    bool open() override;
    void close() override;
    bool play() override;
    void stop() override;
    bool isPlaying() const override;
    void seekToEnd() override;
    void setPosition(qint64 ms) override;
    qint64 position() const override;
    qint64 length() const override;
    qint64 start() const override;
    void setDisplayWindow(QWidget* window) override;
    void setDisplayRect(const QRect& rect) override;
    QString errorText() const override;
    bool hasVideo() const override;

private:
    // What mpv's events have told so far.
    struct EventState {
        // The command whose reply open() waits for; replies to others are not needed.
        quint64 awaitedRequest = 0;
        bool replied = false;
        int replyError = 0;
        qint64 replyEntryId = 0;
        qint64 startedEntryId = 0;
        qint64 loadedEntryId = 0;
        qint64 endedEntryId = 0;
        int endError = 0;
        // Set when a seek has been carried out and playback is ready at the new place.
        bool restarted = false;
    };

    void handleEvent(const mpv_event& event) const;
    // Handles every event mpv has queued, without waiting.
    void drainEvents() const;
    // Handles events until `done()` holds or the bounded wait runs out; false on timeout.
    template <typename Done>
    bool waitUntil(Done done);
    void sendCommand(std::initializer_list<const char*> arguments, quint64 request);
    void seek(const char* target, const char* mode);
    double doubleProperty(const char* name) const;
    bool videoOutputConfigured() const;

    mpv_handle* m_mpv = nullptr;
    QString m_fileName;
    QPointer<QWidget> m_displayWindow;
    quint64 m_lastRequest = 0;
    // Updated while events are handled, which the const queries do as well.
    mutable EventState m_events;
    // mpv's playlist entry of the open file; 0 while nothing is open.
    mutable qint64 m_openEntryId = 0;
    mutable QString m_error;
};
