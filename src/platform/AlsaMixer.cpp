#include "platform/AlsaMixer.h"
#include "platform/AlsaQuiet.h"

#include <QByteArray>
#include <QSocketNotifier>

#include <alsa/asoundlib.h>
#include <algorithm>
#include <vector>

namespace {

constexpr uint32_t FullScale = 65535;

snd_mixer_elem_t* findElement(snd_mixer_t* mixer, const QString& name)
{
    const QByteArray bytes = name.toUtf8();
    snd_mixer_selem_id_t* id = nullptr;
    snd_mixer_selem_id_alloca(&id);
    snd_mixer_selem_id_set_index(id, 0);
    snd_mixer_selem_id_set_name(id, bytes.constData());
    return snd_mixer_find_selem(mixer, id);
}

} // namespace

struct AlsaMixer::Open {
    snd_mixer_t* mixer = nullptr;
    snd_mixer_elem_t* element = nullptr;
    bool watched = false;
    std::vector<QSocketNotifier*> watches;

    ~Open()
    {
        // A watch may be the one whose signal is running: it goes when that is over.
        for (QSocketNotifier* watch : watches) {
            watch->setEnabled(false);
            watch->deleteLater();
        }
        if (mixer)
            snd_mixer_close(mixer);
    }
};

AlsaMixer::AlsaMixer(const QString& card, const QString& element)
    : m_card(card), m_element(element)
{
}

AlsaMixer::~AlsaMixer() = default;

bool AlsaMixer::openCard()
{
    if (m_open)
        return true;
    const AlsaQuiet quiet;
    auto opened = std::make_unique<Open>();
    if (snd_mixer_open(&opened->mixer, 0) < 0) {
        opened->mixer = nullptr;
        return false;
    }
    const QByteArray cardName = m_card.toUtf8();
    if (snd_mixer_attach(opened->mixer, cardName.constData()) < 0
        || snd_mixer_selem_register(opened->mixer, nullptr, nullptr) < 0 || snd_mixer_load(opened->mixer) < 0)
        return false;
    opened->element = findElement(opened->mixer, m_element);
    if (!opened->element)
        return false;
    m_open = std::move(opened);
    return true;
}

AlsaMixer::Open* AlsaMixer::open()
{
    if (!openCard())
        return nullptr;
    if (m_open->watched)
        return m_open.get();
    m_open->watched = true;
    const int count = snd_mixer_poll_descriptors_count(m_open->mixer);
    std::vector<pollfd> descriptors(size_t(std::max(count, 0)));
    if (count > 0 && snd_mixer_poll_descriptors(m_open->mixer, descriptors.data(), unsigned(count)) == count) {
        for (const pollfd& descriptor : descriptors) {
            auto* watch = new QSocketNotifier(descriptor.fd, QSocketNotifier::Read);
            QObject::connect(watch, &QSocketNotifier::activated, watch, [this] { takeEvents(); });
            m_open->watches.push_back(watch);
        }
    }
    return m_open.get();
}

void AlsaMixer::takeEvents()
{
    if (!m_open)
        return;
    const AlsaQuiet quiet;
    // An error here is the card gone; a removed element is gone with it.
    if (snd_mixer_handle_events(m_open->mixer) < 0 || findElement(m_open->mixer, m_element) != m_open->element)
        m_open.reset();
}

uint32_t AlsaMixer::fromElement(long raw, long min, long max)
{
    if (max <= min)
        return 0;
    raw = std::clamp(raw, min, max);
    const long long span = (long long)max - min;
    return uint32_t((((long long)raw - min) * FullScale + span / 2) / span);
}

long AlsaMixer::toElement(uint32_t volume, long min, long max)
{
    if (max <= min)
        return min;
    volume = std::min(volume, FullScale);
    const long long span = (long long)max - min;
    return long(min + ((long long)volume * span + FullScale / 2) / FullScale);
}

uint32_t AlsaMixer::masterVolume()
{
    const Open* opened = open();
    if (!opened || !snd_mixer_selem_has_playback_volume(opened->element))
        return 0;
    // The values ALSA keeps from the card's events: no system call.
    long min = 0, max = 0, raw = 0;
    if (snd_mixer_selem_get_playback_volume_range(opened->element, &min, &max) < 0
        || snd_mixer_selem_get_playback_volume(opened->element, SND_MIXER_SCHN_FRONT_LEFT, &raw) < 0)
        return 0;
    return fromElement(raw, min, max);
}

void AlsaMixer::setMasterVolume(uint32_t volume)
{
    const Open* opened = open();
    if (!opened || !snd_mixer_selem_has_playback_volume(opened->element))
        return;
    const AlsaQuiet quiet;
    long min = 0, max = 0;
    if (snd_mixer_selem_get_playback_volume_range(opened->element, &min, &max) == 0
        && snd_mixer_selem_set_playback_volume_all(opened->element, toElement(volume, min, max)) < 0)
        m_open.reset(); // the card went away; the next call opens it again
}

void AlsaMixer::setMasterMute(bool on)
{
    const Open* opened = open();
    if (!opened || !snd_mixer_selem_has_playback_switch(opened->element))
        return;
    const AlsaQuiet quiet;
    if (snd_mixer_selem_set_playback_switch_all(opened->element, on ? 0 : 1) < 0)
        m_open.reset();
}
