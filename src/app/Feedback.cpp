#include "app/Feedback.h"

#include "platform/SpeechEngine.h"
#include "platform/WavePlayer.h"

Feedback::Feedback(WavePlayer& sounds, std::unique_ptr<SpeechEngine> speech, const LiveSettings& live)
    : m_sounds(sounds)
    , m_speech(std::move(speech))
    , m_live(live)
{
}

Feedback::~Feedback() = default;

void Feedback::PlayUiSound(const QString& sound, LiveSetting gate)
{
    if (m_live.isOn(gate))
        m_sounds.play(sound);
}

void Feedback::Click()
{
    PlayUiSound(UiSound::Click, LiveSetting::ClickSounds);
}

void Feedback::SpeakText(const QString& text)
{
    if (m_speech)
        m_speech->speak(text, SpeechEngine::Punctuation::Silent);
}

void Feedback::SpeakPunctuated(const QString& text)
{
    if (m_speech)
        m_speech->speak(text, SpeechEngine::Punctuation::Spoken);
}

void Feedback::Announce(const QString& text)
{
    if (m_live.isOn(LiveSetting::SpeechSounds))
        SpeakText(text);
}

void Feedback::ClickAndSpeak(const QString& phrase)
{
    Click();
    Announce(phrase);
}

void Feedback::releaseSpeech()
{
    m_speech.reset();
}
