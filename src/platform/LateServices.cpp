#include "platform/LateServices.h"

LateMediaPlayer::LateMediaPlayer(LateService<MediaPlayer>::Build build)
    : m_player(std::move(build))
{
}

MediaPlayer& LateMediaPlayer::real() const
{
    MediaPlayer& player = *m_player.get();
    if (!m_handedOn) {
        m_handedOn = true;
        if (!m_fileName.isEmpty())
            player.setFileName(m_fileName);
        if (m_displayWindow)
            player.setDisplayWindow(m_displayWindow);
        if (m_displayRect)
            player.setDisplayRect(*m_displayRect);
    }
    return player;
}

bool LateMediaPlayer::isOpen() const
{
    return m_player.isReady() && real().isOpen();
}

void LateMediaPlayer::setFileName(const QString& path)
{
    if (m_player.isReady())
        real().setFileName(path);
    else
        m_fileName = path;
}

QString LateMediaPlayer::fileName() const
{
    return m_player.isReady() ? real().fileName() : m_fileName;
}

bool LateMediaPlayer::open()
{
    return real().open();
}

void LateMediaPlayer::close()
{
    if (m_player.isReady())
        real().close();
}

bool LateMediaPlayer::play()
{
    return real().play();
}

void LateMediaPlayer::stop()
{
    if (m_player.isReady())
        real().stop();
}

bool LateMediaPlayer::isPlaying() const
{
    return m_player.isReady() && real().isPlaying();
}

void LateMediaPlayer::seekToEnd()
{
    real().seekToEnd();
}

void LateMediaPlayer::setPosition(qint64 ms)
{
    real().setPosition(ms);
}

qint64 LateMediaPlayer::position() const
{
    return m_player.isReady() ? real().position() : 0;
}

qint64 LateMediaPlayer::length() const
{
    return m_player.isReady() ? real().length() : 0;
}

qint64 LateMediaPlayer::start() const
{
    return m_player.isReady() ? real().start() : 0;
}

bool LateMediaPlayer::hasVideo() const
{
    return m_player.isReady() && real().hasVideo();
}

void LateMediaPlayer::setDisplayWindow(QWidget* window)
{
    if (m_player.isReady())
        real().setDisplayWindow(window);
    else
        m_displayWindow = window;
}

void LateMediaPlayer::setDisplayRect(const QRect& rect)
{
    if (m_player.isReady())
        real().setDisplayRect(rect);
    else
        m_displayRect = rect;
}

QString LateMediaPlayer::errorText() const
{
    return m_player.isReady() ? real().errorText() : QString();
}

LateWavePlayer::LateWavePlayer(LateService<WavePlayer>::Build build)
    : m_player(std::move(build))
{
}

void LateWavePlayer::play(const QString& fileName)
{
    m_player.get()->play(fileName);
}

LateSpeechEngine::LateSpeechEngine(LateService<SpeechEngine>::Build build)
    : m_engine(std::move(build))
{
}

bool LateSpeechEngine::speak(const QString& text, Punctuation punctuation)
{
    SpeechEngine* engine = m_engine.get();
    return engine && engine->speak(text, punctuation);
}

LateMixer::LateMixer(LateService<Mixer>::Build build)
    : m_mixer(std::move(build))
{
}

uint32_t LateMixer::masterVolume()
{
    return m_mixer.get()->masterVolume();
}

void LateMixer::setMasterVolume(uint32_t volume)
{
    m_mixer.get()->setMasterVolume(volume);
}

void LateMixer::setMasterMute(bool on)
{
    m_mixer.get()->setMasterMute(on);
}

void LateMixer::whenReady(std::function<void()> then)
{
    m_mixer.whenReady(std::move(then));
}

LateBacklight::LateBacklight(LateService<Backlight>::Build build)
    : m_backlight(std::move(build))
{
}

void LateBacklight::startBuilding()
{
    m_mayBuild = true;
    if (m_wanted)
        m_backlight.start();
}

void LateBacklight::setPercent(int percent)
{
    m_wanted = percent;
    m_backlight.whenReady([this] { setWanted(); });
    if (m_mayBuild)
        m_backlight.start();
}

void LateBacklight::setWanted()
{
    Backlight* real = m_backlight.get();
    if (real && m_wanted)
        real->setPercent(*m_wanted);
    m_wanted.reset();
}
