#include "shell/MediaKeys.h"

#include "app/VolumeControl.h"
#include "shell/Mainunit.h"
#include "widgets/TrackBar.h"

#include <QApplication>
#include <QKeyEvent>

#include <algorithm>

namespace {

// A window of ours: the main window or one of the windows it owns (the notice, ...).
bool ownedBy(const QWidget* window, const QWidget* mainWindow)
{
    for (; window; window = window->parentWidget() ? window->parentWidget()->window() : nullptr)
        if (window == mainWindow)
            return true;
    return false;
}

} // namespace

MediaKeys::MediaKeys(TMainForm& mainWindow)
    : QObject(&mainWindow)
    , m_mainWindow(mainWindow)
{
    qApp->installEventFilter(this);
}

MediaKeys::Action MediaKeys::actionOf(int key)
{
    switch (key) {
    case Qt::Key_PageUp:
    case Qt::Key_MediaNext: return &MediaKeys::next;
    case Qt::Key_PageDown:
    case Qt::Key_MediaPrevious: return &MediaKeys::previous;
    case Qt::Key_MediaPlay: return &MediaKeys::play;
    case Qt::Key_MediaPause:
    case Qt::Key_MediaStop: return &MediaKeys::stop;
    case Qt::Key_MediaTogglePlayPause: return &MediaKeys::playPause;
    case Qt::Key_VolumeMute: return &MediaKeys::mute;
    case Qt::Key_VolumeUp: return &MediaKeys::volumeUp;
    case Qt::Key_VolumeDown: return &MediaKeys::volumeDown;
    default: return nullptr;
    }
}

bool MediaKeys::press(int key)
{
    const Action action = actionOf(key);
    if (!action)
        return false;
    (this->*action)();
    return true;
}

void MediaKeys::next()
{
    m_mainWindow.TrackNextBtnClick();
}

void MediaKeys::previous()
{
    m_mainWindow.TrackPrevBtnClick();
}

void MediaKeys::play()
{
    m_mainWindow.PlayBtnClick();
}

void MediaKeys::stop()
{
    m_mainWindow.StopBtnClick();
}

// Pauses while a track (or the phone) plays, else plays.
void MediaKeys::playPause()
{
    const NowPlaying::OtherSource* other = m_mainWindow.nowPlaying().otherSource();
    if (other ? other->playing : m_mainWindow.MediaPlayer1().isPlaying())
        stop();
    else
        play();
}

void MediaKeys::mute()
{
    m_mainWindow.MuteBtnClick();
}

void MediaKeys::volumeUp()
{
    stepVolume(1);
}

void MediaKeys::volumeDown()
{
    stepVolume(-1);
}

void MediaKeys::stepVolume(int steps)
{
    const TrackBar& bar = *m_mainWindow.VolumeBar;
    m_mainWindow.volumeControl().setVolume(std::clamp(bar.position() + steps * bar.step(), bar.minimum(), bar.maximum()));
}

bool MediaKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()
        && ownedBy(static_cast<QWidget*>(watched)->window(), &m_mainWindow) && !QApplication::activeModalWidget()) {
        const auto* keyPress = static_cast<QKeyEvent*>(event);
        // A held volume key steps on; any other held key acts once.
        const bool steps = keyPress->key() == Qt::Key_VolumeUp || keyPress->key() == Qt::Key_VolumeDown;
        if (keyPress->isAutoRepeat() && !steps)
            return actionOf(keyPress->key()) != nullptr;
        return m_mainWindow.FormKeyDown(keyPress->key());
    }
    return QObject::eventFilter(watched, event);
}
