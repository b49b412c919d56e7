#pragma once
#include "platform/SpeechEngine.h"

#include <memory>

// The speech engine on espeak-ng, speaking through the machine's sound output in
// espeak's own background thread. espeak-ng is initialised once per process and never
// terminated (a second espeak_Initialize after espeak_Terminate crashes), so any number
// of engines may be created and destroyed; they all share that one synthesiser.
class EspeakSpeechEngine : public SpeechEngine {
public:
    // An engine, or nullptr when speech is unavailable: no sound device to speak
    // through, or espeak-ng cannot start (no voice data).
    static std::unique_ptr<SpeechEngine> create();
    // The same without asking for a sound device first: on a machine without one each
    // sentence then fails inside espeak's thread, unseen by the caller. For tests.
    static std::unique_ptr<SpeechEngine> createWithoutDeviceCheck();

    ~EspeakSpeechEngine() override;

    // Drops what is being spoken or waiting, then queues TEXT and returns at once. An
    // empty text only silences. Punctuation::Spoken reads every punctuation mark by its
    // name (so "," is heard as "comma").
    bool speak(const QString& text, Punctuation punctuation = Punctuation::Silent) override;

    // Whether the machine offers a sound output espeak can play through: a PulseAudio
    // (or PipeWire) server, or an ALSA "default" device that opens or is busy.
    static bool soundDeviceAvailable();

private:
    EspeakSpeechEngine() = default;
};
