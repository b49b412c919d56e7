#include "platform/EspeakSpeechEngine.h"
#include "platform/AlsaQuiet.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>

#include <alsa/asoundlib.h>
#include <espeak-ng/speak_lib.h>

namespace {

// espeak_Initialize, once per process; true when it succeeded.
bool initialiseEspeak()
{
    static const bool initialised = [] {
        // DONT_EXIT: without it a missing voice data folder ends the whole process.
        const int sampleRate = espeak_Initialize(AUDIO_OUTPUT_PLAYBACK, 0, nullptr,
                                                 espeakINITIALIZE_DONT_EXIT);
        return sampleRate > 0;
    }();
    return initialised;
}

} // namespace

bool EspeakSpeechEngine::soundDeviceAvailable()
{
    // espeak's audio layer (pcaudiolib) tries PulseAudio first, then ALSA.
    if (!qEnvironmentVariableIsEmpty("PULSE_SERVER"))
        return true;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo::exists(QDir(runtime).filePath(QStringLiteral("pulse/native"))))
        return true;

    const AlsaQuiet quiet;
    snd_pcm_t* pcm = nullptr;
    const int result = snd_pcm_open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK);
    if (result == 0)
        snd_pcm_close(pcm);
    // Busy: the device is there, another program (or the media player) is using it.
    return result == 0 || result == -EBUSY;
}

std::unique_ptr<SpeechEngine> EspeakSpeechEngine::create()
{
    if (!soundDeviceAvailable())
        return nullptr;
    return createWithoutDeviceCheck();
}

std::unique_ptr<SpeechEngine> EspeakSpeechEngine::createWithoutDeviceCheck()
{
    if (!initialiseEspeak())
        return nullptr;
    return std::unique_ptr<SpeechEngine>(new EspeakSpeechEngine);
}

EspeakSpeechEngine::~EspeakSpeechEngine()
{
    // Silence, but keep espeak initialised for the rest of the process.
    espeak_Cancel();
}

bool EspeakSpeechEngine::speak(const QString& text, Punctuation punctuation)
{
    // Purge before speak: whatever is playing or queued is dropped.
    espeak_Cancel();
    if (text.isEmpty())
        return true;

    // Commands are queued in order, so the setting applies to this text and no other.
    const int mode = punctuation == Punctuation::Spoken ? espeakPUNCT_ALL : espeakPUNCT_NONE;
    if (espeak_SetParameter(espeakPUNCTUATION, mode, 0) != EE_OK)
        return false;

    const QByteArray utf8 = text.toUtf8();
    return espeak_Synth(utf8.constData(), size_t(utf8.size()) + 1, 0, POS_CHARACTER, 0,
                        espeakCHARS_UTF8, nullptr, nullptr)
        == EE_OK;
}
