#include "platform/AlsaMixer.h"
#include "platform/AlsaQuiet.h"

#include <QByteArray>

#include <alsa/asoundlib.h>
#include <algorithm>
#include <functional>

namespace {

constexpr uint32_t FullScale = 65535;

// Opens the mixer of CARD, finds ELEMENT and hands it to USE; false when any step fails.
// ALSA's error messages are kept off stderr for the time of the call (on this thread).
bool withElement(const QString& card, const QString& element,
                 const std::function<void(snd_mixer_elem_t*)>& use)
{
    const AlsaQuiet quiet;
    bool found = false;
    snd_mixer_t* mixer = nullptr;
    if (snd_mixer_open(&mixer, 0) == 0) {
        const QByteArray cardName = card.toUtf8();
        const QByteArray elementName = element.toUtf8();
        if (snd_mixer_attach(mixer, cardName.constData()) == 0
            && snd_mixer_selem_register(mixer, nullptr, nullptr) == 0
            && snd_mixer_load(mixer) == 0) {
            snd_mixer_selem_id_t* id = nullptr;
            if (snd_mixer_selem_id_malloc(&id) == 0) {
                snd_mixer_selem_id_set_index(id, 0);
                snd_mixer_selem_id_set_name(id, elementName.constData());
                if (snd_mixer_elem_t* elem = snd_mixer_find_selem(mixer, id)) {
                    use(elem);
                    found = true;
                }
                snd_mixer_selem_id_free(id);
            }
        }
        snd_mixer_close(mixer);
    }
    return found;
}

} // namespace

AlsaMixer::AlsaMixer(const QString& card, const QString& element)
    : m_card(card), m_element(element)
{
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
    uint32_t volume = 0;
    withElement(m_card, m_element, [&](snd_mixer_elem_t* elem) {
        if (!snd_mixer_selem_has_playback_volume(elem))
            return;
        long min = 0, max = 0, raw = 0;
        if (snd_mixer_selem_get_playback_volume_range(elem, &min, &max) == 0
            && snd_mixer_selem_get_playback_volume(elem, SND_MIXER_SCHN_FRONT_LEFT, &raw) == 0)
            volume = fromElement(raw, min, max);
    });
    return volume;
}

void AlsaMixer::setMasterVolume(uint32_t volume)
{
    withElement(m_card, m_element, [&](snd_mixer_elem_t* elem) {
        if (!snd_mixer_selem_has_playback_volume(elem))
            return;
        long min = 0, max = 0;
        if (snd_mixer_selem_get_playback_volume_range(elem, &min, &max) == 0)
            snd_mixer_selem_set_playback_volume_all(elem, toElement(volume, min, max));
    });
}

void AlsaMixer::setMasterMute(bool on)
{
    withElement(m_card, m_element, [&](snd_mixer_elem_t* elem) {
        if (snd_mixer_selem_has_playback_switch(elem))
            snd_mixer_selem_set_playback_switch_all(elem, on ? 0 : 1);
    });
}
