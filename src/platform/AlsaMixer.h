#pragma once
#include "platform/Mixer.h"

#include <QString>

#include <memory>

// The master volume and mute through ALSA's simple mixer: element "Master" of the card
// "default". The element's own volume range is mapped onto 0-65535 both ways; mute is
// the element's playback switch (off = muted).
//
// The mixer is opened on first use and then kept open, watched through its own poll
// descriptors on the window thread's event loop: ALSA keeps the element's values up to
// date from the card's events, so reading the volume makes no system call. When the
// card goes away (a USB sound card unplugged) the mixer is closed and the next call
// opens it again, so a card that comes back is found. Without the card or the element
// every call is silent, the volume reads 0, and ALSA prints nothing.
class AlsaMixer : public Mixer {
public:
    explicit AlsaMixer(const QString& card = QStringLiteral("default"),
                       const QString& element = QStringLiteral("Master"));
    ~AlsaMixer() override;

    // Opens the card's mixer unless it is open; may be called on any thread, before the
    // window thread's first use (which then starts watching it). True when it is open.
    bool openCard();

    uint32_t masterVolume() override;
    void setMasterVolume(uint32_t volume) override;
    void setMasterMute(bool on) override;

    // The scaling between 0-65535 and the element's range MIN..MAX, rounded to nearest;
    // values outside either range are clamped.
    static uint32_t fromElement(long raw, long min, long max);
    static long toElement(uint32_t volume, long min, long max);

private:
    struct Open; // the open mixer, its element and the watches of its descriptors

    // The element, opening the mixer first when it is not open and watching it on the
    // window thread; null without one.
    Open* open();
    // A watched descriptor is ready: ALSA takes in the card's events.
    void takeEvents();

    QString m_card;
    QString m_element;
    std::unique_ptr<Open> m_open;
};
