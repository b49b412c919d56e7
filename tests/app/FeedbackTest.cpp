#include "app/Feedback.h"
#include "support/Doubles.h"

#include <gtest/gtest.h>

namespace {

class FeedbackTest : public ::testing::Test {
protected:
    Feedback feedbackWith(std::unique_ptr<SpeechEngine> speech)
    {
        return Feedback(sounds, std::move(speech), live);
    }
    void set(const QString& key, const char* value) { store.setValue(key, QString::fromLatin1(value)); }

    FeedbackLog log;
    FakeWavePlayer sounds{&log};
    SettingsStore store;
    LiveSettings live{store};
};

} // namespace

TEST_F(FeedbackTest, ATapClicksThenSpeaksEachOnlyWhileItsSettingIsOn)
{
    Feedback feedback = feedbackWith(std::make_unique<FakeSpeechEngine>(&log));
    feedback.ClickAndSpeak("Home");
    EXPECT_TRUE(log.events.isEmpty()) << "both settings are off without config.ini's lines";

    set(Key::ClickSounds, "true");
    set(Key::SpeechSounds, "TRUE");
    feedback.ClickAndSpeak("Home");
    EXPECT_EQ(log.events, (QStringList{"sound:click.wav", "speak:Home"}));

    // Read at the moment of use: the options screen's next toggle counts at once.
    log.events.clear();
    set(Key::ClickSounds, "FALSE");
    feedback.ClickAndSpeak("Home");
    feedback.PlayUiSound(UiSound::Error, LiveSetting::OtherSounds);
    EXPECT_EQ(log.events, QStringList{"speak:Home"});

    // Read-aloud buttons speak whatever the speech setting says.
    log.events.clear();
    set(Key::SpeechSounds, "FALSE");
    feedback.Announce("Not this");
    feedback.SpeakText("This");
    EXPECT_EQ(log.events, QStringList{"speak:This"});
}

TEST_F(FeedbackTest, WithoutASpeechEngineOrAfterReleasingItNothingIsSpoken)
{
    set(Key::SpeechSounds, "TRUE");
    Feedback silent = feedbackWith(nullptr);
    EXPECT_TRUE(silent.SpeechUnavailable());
    silent.ClickAndSpeak("Home");

    Feedback speaking = feedbackWith(std::make_unique<FakeSpeechEngine>(&log));
    EXPECT_FALSE(speaking.SpeechUnavailable());
    speaking.releaseSpeech();
    speaking.SpeakText("Gone");
    EXPECT_TRUE(log.events.isEmpty());
}
