#pragma once
#include "platform/Mixer.h"

#include <QString>

// The master volume and mute through ALSA's simple mixer: element "Master" of the card
// "default". The element's own volume range is mapped onto 0-65535 both ways; mute is
// the element's playback switch (off = muted). The mixer is opened for each call, so a
// sound card that comes or goes is followed. Without the card or the element every call
// is silent, the volume reads 0, and ALSA prints nothing.
class AlsaMixer : public Mixer {
public:
    explicit AlsaMixer(const QString& card = QStringLiteral("default"),
                       const QString& element = QStringLiteral("Master"));

    uint32_t masterVolume() override;
    void setMasterVolume(uint32_t volume) override;
    void setMasterMute(bool on) override;

    // The scaling between 0-65535 and the element's range MIN..MAX, rounded to nearest;
    // values outside either range are clamped.
    static uint32_t fromElement(long raw, long min, long max);
    static long toElement(uint32_t volume, long min, long max);

private:
    QString m_card;
    QString m_element;
};
