#pragma once
// Stand-ins for the services the first screen does not need: the media player, the wave
// player, the speech engine, the mixer and the backlight. Each real service is built on a
// worker thread of its own once start() is called (right after the first paint; the media
// player when media is first wanted), so loading libmpv or espeak-ng keeps neither the first
// paint nor the window thread waiting. A call that needs the real service before it is ready
// waits for it (the backlight's keeps it for later), so a tap made during the start-up is
// acted on as soon as the service is there, not lost.
#include "platform/Backlight.h"
#include "platform/MediaPlayer.h"
#include "platform/Mixer.h"
#include "platform/SpeechEngine.h"
#include "platform/WavePlayer.h"

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

// A service built on a worker thread, at most once. Used from the window thread only.
template <typename Service>
class LateService {
public:
    using Build = std::function<std::unique_ptr<Service>()>;

    explicit LateService(Build build)
        : m_build(std::move(build))
    {
    }

    // Starts building, unless it has started.
    void start()
    {
        if (m_result.valid() || m_built)
            return;
        m_result = std::async(std::launch::async, [this] {
            std::unique_ptr<Service> service = m_build();
            QMetaObject::invokeMethod(&m_readyNews, [this] { runWaiting(); }, Qt::QueuedConnection);
            return service;
        });
    }
    // Runs THEN on the window thread once the service is built: at once when it is,
    // otherwise when it has been built (it is not started for this).
    void whenReady(std::function<void()> then)
    {
        if (isReady()) {
            get();
            then();
        } else {
            m_waiting.push_back(std::move(then));
        }
    }
    bool isReady() const
    {
        return m_built || (m_result.valid() && m_result.wait_for(std::chrono::seconds(0)) == std::future_status::ready);
    }
    // The service, which may be nullptr when it could not be built; starts it if need be
    // and waits until it is built.
    Service* get()
    {
        start();
        if (m_result.valid()) {
            m_service = m_result.get();
            m_built = true;
        }
        return m_service.get();
    }

private:
    void runWaiting()
    {
        get();
        for (const std::function<void()>& then : std::exchange(m_waiting, {}))
            then();
    }

    // In this order: the future, which waits for a build still running when the service
    // goes, ends before the object its news is posted to.
    Build m_build;
    QObject m_readyNews;
    std::vector<std::function<void()>> m_waiting;
    std::future<std::unique_ptr<Service>> m_result;
    std::unique_ptr<Service> m_service;
    // Also when the service came out nullptr: it is not built again.
    bool m_built = false;
};

// The media player; BUILD must return a player (one that fails every open() when mpv is
// missing). It is built when media is first wanted: prepare(), or any call that needs it.
// Until it is ready, the display window and rectangle and the file name are kept here and
// handed on when it is; nothing can be open before then.
class LateMediaPlayer : public MediaPlayer {
public:
    explicit LateMediaPlayer(LateService<MediaPlayer>::Build build);
    void prepare() override { m_player.start(); }

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
    bool hasVideo() const override;
    void setDisplayWindow(QWidget* window) override;
    void setDisplayRect(const QRect& rect) override;
    QString errorText() const override;

private:
    // The real player, with what was kept for it handed on.
    MediaPlayer& real() const;

    // mutable: the const queries may have to wait for the player to be built.
    mutable LateService<MediaPlayer> m_player;
    mutable bool m_handedOn = false;
    QString m_fileName;
    QPointer<QWidget> m_displayWindow;
    std::optional<QRect> m_displayRect;
};

// The wave player; BUILD must return a player (a silent one without a sound device).
class LateWavePlayer : public WavePlayer {
public:
    explicit LateWavePlayer(LateService<WavePlayer>::Build build);
    void startBuilding() { m_player.start(); }
    void play(const QString& fileName) override;

private:
    LateService<WavePlayer> m_player;
};

// Speech is unavailable (speak() returns false) when the real engine could not be built.
class LateSpeechEngine : public SpeechEngine {
public:
    explicit LateSpeechEngine(LateService<SpeechEngine>::Build build);
    void startBuilding() { m_engine.start(); }
    bool speak(const QString& text, Punctuation punctuation) override;

private:
    LateService<SpeechEngine> m_engine;
};

// The mixer; BUILD returns it opened (or failing every call without a card). Reading or
// setting the volume before it is ready waits for it.
class LateMixer : public Mixer {
public:
    explicit LateMixer(LateService<Mixer>::Build build);
    void startBuilding() { m_mixer.start(); }
    uint32_t masterVolume() override;
    void setMasterVolume(uint32_t volume) override;
    void setMasterMute(bool on) override;
    void whenReady(std::function<void()> then) override;

private:
    LateService<Mixer> m_mixer;
};

// The backlight; BUILD returns it, or nullptr where it cannot be set. It is built when a
// brightness is first wanted, and not before startBuilding() (the first paint); until it is
// ready the last brightness wanted is kept, and set once it is. It never waits.
class LateBacklight : public Backlight {
public:
    explicit LateBacklight(LateService<Backlight>::Build build);
    void startBuilding();
    void setPercent(int percent) override;

private:
    void setWanted();

    LateService<Backlight> m_backlight;
    bool m_mayBuild = false;
    std::optional<int> m_wanted;
};
