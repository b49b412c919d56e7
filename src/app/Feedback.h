#pragma once
// What every tap gives back: the interface sounds and speech, each gated by the live
// settings, with the tap's "click, then speak when speech is on" in one place.
#include "config/LiveSettings.h"

#include <QString>
#include <memory>

class SpeechEngine;
class WavePlayer;

// The interface sounds.
namespace UiSound {
inline const QString Click = QStringLiteral("click.wav");
inline const QString Hover = QStringLiteral("hover.wav");
inline const QString Error = QStringLiteral("error.wav");
}

class Feedback {
public:
    // `speech` may be null: speech is then unavailable and every spoken text is dropped.
    Feedback(WavePlayer& sounds, std::unique_ptr<SpeechEngine> speech, const LiveSettings& live);
    ~Feedback();

    const LiveSettings& live() const { return m_live; }
    bool liveSetting(LiveSetting setting) const { return m_live.isOn(setting); }
    bool SpeechUnavailable() const { return !m_speech; }

    // Plays `sound` when the live setting `gate` is on.
    void PlayUiSound(const QString& sound, LiveSetting gate);
    // The click of a tap, when ClickSounds is on.
    void Click();
    // Speaks `text` at once, cutting off whatever is being said, whatever the settings say
    // (read-aloud buttons and dialogs that speak their own text).
    void SpeakText(const QString& text);
    // The same with punctuation marks read by name (typed keys).
    void SpeakPunctuated(const QString& text);
    // Speaks `text` when SpeechSounds is on.
    void Announce(const QString& text);
    // How a button acknowledges a tap: the click, then `phrase` when speech is on.
    void ClickAndSpeak(const QString& phrase);

    // Lets go of the speech engine (the program is closing); speech is silent from then on.
    void releaseSpeech();

private:
    WavePlayer& m_sounds;
    std::unique_ptr<SpeechEngine> m_speech;
    const LiveSettings& m_live;
};
