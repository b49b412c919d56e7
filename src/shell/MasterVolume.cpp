#include "shell/MasterVolume.h"

#include "app/Feedback.h"
#include "platform/Mixer.h"
#include "widgets/TouchButton.h"
#include "widgets/TrackBar.h"

#include <QCoreApplication>

namespace {

const QColor Red(255, 0, 0);
const QColor Black(0, 0, 0);

} // namespace

MasterVolume::MasterVolume(TrackBar& bar, ProgressBar& progress, TouchButton& muteButton, Mixer& mixer,
                           Feedback& feedback)
    : m_bar(bar)
    , m_progress(progress)
    , m_muteButton(muteButton)
    , m_mixer(mixer)
    , m_feedback(feedback)
{
}

void MasterVolume::start()
{
    m_lastApplied = uint32_t(m_bar.position());
    m_muted = false;
    paintMuteButton(false);
    // The mixer may open only after the first paint. A bar the driver has moved by then
    // keeps its place (applyBar has written it), and a mute tapped meanwhile holds.
    m_mixer.whenReady([this, shown = m_bar.position()] {
        if (m_bar.position() == shown) {
            m_bar.setPosition(m_mixer.masterVolume());
            m_progress.setPosition(m_bar.position());
            m_lastApplied = uint32_t(m_progress.position());
        }
        m_mixer.setMasterMute(m_muted);
    });
}

void MasterVolume::applyBar()
{
    // Compared as the whole number written, so a bar resting between two whole values
    // does not write the same volume four times a second.
    const double wanted = m_bar.position();
    if (uint32_t(wanted) == m_lastApplied)
        return;
    m_lastApplied = uint32_t(wanted);
    m_progress.setPosition(wanted);
    m_mixer.setMasterVolume(m_lastApplied);
    QCoreApplication::processEvents();
}

void MasterVolume::toggleMute()
{
    m_feedback.Click();
    const bool speak = m_feedback.liveSetting(LiveSetting::SpeechSounds);
    m_muted = !m_muted;
    if (speak)
        m_feedback.SpeakText(m_muted ? QStringLiteral("Mute on") : QStringLiteral("Mute off"));
    paintMuteButton(m_muted);
    m_mixer.setMasterMute(m_muted);
}

void MasterVolume::flash()
{
    if (m_muted)
        paintMuteButton(m_muteButton.bevelColour() != Red);
}

void MasterVolume::paintMuteButton(bool red)
{
    const QColor colour = red ? Red : Black;
    m_muteButton.setCaptionColour(colour);
    m_muteButton.setBevelColour(colour);
}

double MasterVolume::volume() const
{
    return m_bar.position();
}

void MasterVolume::setVolume(double volume)
{
    m_bar.setPosition(volume);
    applyBar();
}
