#include "platform/AlsaWavePlayer.h"
#include "platform/AlsaQuiet.h"
#include "platform/WaveFile.h"

#include <QDir>
#include <QFileInfo>

#include <alsa/asoundlib.h>

namespace {

snd_pcm_format_t alsaFormat(WaveFile::SampleFormat format)
{
    switch (format) {
    case WaveFile::SampleFormat::Unsigned8: return SND_PCM_FORMAT_U8;
    case WaveFile::SampleFormat::Signed16: return SND_PCM_FORMAT_S16_LE;
    case WaveFile::SampleFormat::Signed24: return SND_PCM_FORMAT_S24_3LE;
    case WaveFile::SampleFormat::Signed32: return SND_PCM_FORMAT_S32_LE;
    case WaveFile::SampleFormat::Float32: return SND_PCM_FORMAT_FLOAT_LE;
    }
    return SND_PCM_FORMAT_UNKNOWN;
}

constexpr unsigned LatencyMicroseconds = 80000;

} // namespace

AlsaWavePlayer::AlsaWavePlayer(const QString& programFolder, const QString& device)
    : m_programFolder(programFolder)
    , m_device(device.toUtf8())
    , m_worker([this] { run(); })
{
}

AlsaWavePlayer::~AlsaWavePlayer()
{
    {
        const std::lock_guard<std::mutex> hold(m_lock);
        m_quit = true;
    }
    m_wake.notify_all();
    m_worker.join();
}

QString AlsaWavePlayer::resolve(const QString& fileName) const
{
    if (fileName.isEmpty())
        return {};
    const QFileInfo here(fileName);
    if (here.isFile())
        return here.absoluteFilePath();
    if (!m_programFolder.isEmpty()) {
        const QFileInfo beside(QDir(m_programFolder).filePath(fileName));
        if (beside.isFile())
            return beside.absoluteFilePath();
    }
    return {};
}

void AlsaWavePlayer::play(const QString& fileName)
{
    const QString path = resolve(fileName);
    if (path.isEmpty())
        return;
    {
        const std::lock_guard<std::mutex> hold(m_lock);
        m_request = path;
    }
    m_wake.notify_all();
}

AlsaWavePlayer::Played AlsaWavePlayer::lastPlayed() const
{
    const std::lock_guard<std::mutex> hold(m_lock);
    return m_played;
}

void AlsaWavePlayer::run()
{
    for (;;) {
        QString path;
        {
            std::unique_lock<std::mutex> hold(m_lock);
            m_wake.wait(hold, [this] { return m_quit || m_request; });
            if (m_quit)
                return;
            path = *std::exchange(m_request, std::nullopt);
            m_played = {path, 0, false};
        }
        playOne(path);
    }
}

bool AlsaWavePlayer::interrupted()
{
    const std::lock_guard<std::mutex> hold(m_lock);
    return m_quit || m_request;
}

void AlsaWavePlayer::playOne(const QString& path)
{
    const std::optional<WaveFile::Sound> sound = WaveFile::read(path);
    if (!sound)
        return;
    const AlsaQuiet quiet;
    snd_pcm_t* pcm = nullptr;
    if (snd_pcm_open(&pcm, m_device.constData(), SND_PCM_STREAM_PLAYBACK, 0) < 0)
        return;
    const bool ready = snd_pcm_set_params(pcm, alsaFormat(sound->format), SND_PCM_ACCESS_RW_INTERLEAVED,
                                          unsigned(sound->channels), unsigned(sound->sampleRate), 1,
                                          LatencyMicroseconds)
        == 0;
    // Written in pieces of 20 ms, so that a new sound takes over at once.
    const snd_pcm_uframes_t piece = snd_pcm_uframes_t(qMax(1, sound->sampleRate / 50));
    const char* next = sound->samples.constData();
    qint64 left = sound->frames();
    while (ready && left > 0 && !interrupted()) {
        const snd_pcm_sframes_t written =
            snd_pcm_writei(pcm, next, qMin<snd_pcm_uframes_t>(piece, snd_pcm_uframes_t(left)));
        if (written < 0) {
            if (snd_pcm_recover(pcm, int(written), 1) < 0)
                break;
            continue;
        }
        next += written * sound->frameBytes;
        left -= written;
        const std::lock_guard<std::mutex> hold(m_lock);
        m_played.frames += written;
    }
    // What is still in the device's buffer plays out unless another sound comes first.
    snd_pcm_sframes_t queued = 0;
    while (ready && left == 0 && !interrupted() && snd_pcm_delay(pcm, &queued) == 0 && queued > 0) {
        std::unique_lock<std::mutex> hold(m_lock);
        m_wake.wait_for(hold, std::chrono::milliseconds(10), [this] { return m_quit || m_request; });
    }
    const bool toTheEnd = ready && left == 0 && !interrupted();
    snd_pcm_drop(pcm);
    snd_pcm_close(pcm);
    const std::lock_guard<std::mutex> hold(m_lock);
    m_played.toTheEnd = toTheEnd;
}
