#include "platform/MpvWavePlayer.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>

#include <clocale>
#include <mpv/client.h>

MpvWavePlayer::MpvWavePlayer(const QString& programFolder)
    : m_programFolder(programFolder)
{
    // libmpv refuses to start unless LC_NUMERIC is "C" (Qt sets it from the environment).
    std::setlocale(LC_NUMERIC, "C");
    m_mpv = mpv_create();
    if (!m_mpv)
        return;
    const char* const options[][2] = {
        {"config", "no"},
        {"terminal", "no"},
        {"input-default-bindings", "no"},
        {"input-vo-keyboard", "no"},
        {"load-scripts", "no"},
        {"osc", "no"},
        {"ytdl", "no"},
        {"vo", "null"},
        {"video", "no"},
        {"audio-display", "no"},
        {"idle", "yes"},
        {"keep-open", "yes"},
        // The first output that works; null keeps playback going without a device.
        {"ao", "pulse,alsa,null"},
        {"audio-fallback-to-null", "yes"},
    };
    for (const auto& option : options)
        mpv_set_option_string(m_mpv, option[0], option[1]);
    if (mpv_initialize(m_mpv) < 0) {
        mpv_terminate_destroy(m_mpv);
        m_mpv = nullptr;
    }
}

MpvWavePlayer::~MpvWavePlayer()
{
    if (m_mpv)
        mpv_terminate_destroy(m_mpv);
}

QString MpvWavePlayer::resolve(const QString& fileName) const
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

void MpvWavePlayer::play(const QString& fileName)
{
    if (!m_mpv)
        return;
    drainEvents();
    const QString path = resolve(fileName);
    if (path.isEmpty())
        return;
    // An absolute path: mpv never takes it for a protocol ("x://") or an option.
    const QByteArray utf8 = path.toUtf8();
    const char* command[] = {"loadfile", utf8.constData(), "replace", nullptr};
    mpv_command_async(m_mpv, 0, command);
}

QString MpvWavePlayer::loadedPath() const
{
    if (!m_mpv)
        return {};
    char* value = mpv_get_property_string(m_mpv, "path");
    if (!value)
        return {};
    const QString path = QString::fromUtf8(value);
    mpv_free(value);
    return path;
}

void MpvWavePlayer::drainEvents()
{
    // Nothing here waits for mpv's events; taking them keeps its queue from filling.
    while (mpv_wait_event(m_mpv, 0)->event_id != MPV_EVENT_NONE) {
    }
}
