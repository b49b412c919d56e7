#include "mpris/MainFormRemote.h"

#include "home/Welcomeframeunit.h"
#include "mpris/MprisService.h"
#include "playback/NowPlayingTexts.h"
#include "playlists/Mediaframeunit.h"
#include "shell/Mainunit.h"
#include "tags/Trackinfounit.h"
#include "tools/Mymainmenuunit.h"
#include "widgets/TouchButton.h"
#include "widgets/TrackBar.h"

#include <QLabel>
#include <QTimer>
#include <algorithm>

namespace {

constexpr double FullVolume = 65535;

} // namespace

MainFormRemote::MainFormRemote(TMainForm& mainForm)
    : QObject(&mainForm)
    , m_main(mainForm)
{
}

void MainFormRemote::play()
{
    m_main.PlayBtnClick();
}

void MainFormRemote::pause()
{
    m_main.StopBtnClick();
}

void MainFormRemote::stop()
{
    m_main.StopBtnClick();
    MediaPlayer& player = m_main.MediaPlayer1();
    if (player.isOpen())
        player.setPosition(player.start());
}

void MainFormRemote::next()
{
    m_main.TrackNextBtnClick();
}

void MainFormRemote::previous()
{
    m_main.TrackPrevBtnClick();
}

void MainFormRemote::seekTo(qint64 ms)
{
    if (!m_main.MediaPlayer1().isOpen())
        return;
    TMediaFrame& media = *m_main.MediaFrame1;
    media.MediaTrackbarMouseDown();
    media.MediaTrackbar->setPosition(double(ms));
    media.MediaTrackbarMouseUp();
}

void MainFormRemote::setVolume(double volume)
{
    m_main.VolumeBar->setPosition(std::clamp(volume, 0.0, 1.0) * FullVolume);
    m_main.VolumeTimerTimer();
}

void MainFormRemote::setShuffle(bool on)
{
    if (shuffle() != on)
        m_main.MediaFrame1->PlaylistShuffleBtn->click();
}

void MainFormRemote::setRepeat(bool on)
{
    if (repeat() != on)
        m_main.MediaFrame1->PlaylistRepeatBtn->click();
}

bool MainFormRemote::openFile(const QString& path)
{
    Playlist& playlist = m_main.MediaFrame1->playlist();
    if (!playlist.append(path))
        return false;
    playlist.setSelectedIndex(playlist.count() - 1);
    m_main.MediaFrame1->PlayListDblClick();
    return true;
}

void MainFormRemote::quit()
{
    m_main.PlayUiSound(UiSound::Click, LiveSetting::ClickSounds);
    // After the caller has had its answer: closing ends the program.
    QTimer::singleShot(0, m_main.MyMainMenu, &TMyMainMenu::ExitProgram);
}

void MainFormRemote::raise()
{
    if (m_main.isMinimized())
        m_main.showNormal();
    m_main.QWidget::raise();
    m_main.activateWindow();
}

RemoteStatus MainFormRemote::status() const
{
    const MediaPlayer& player = m_main.MediaPlayer1();
    if (!player.isOpen())
        return RemoteStatus::Stopped;
    return player.isPlaying() ? RemoteStatus::Playing : RemoteStatus::Paused;
}

RemoteTrack MainFormRemote::track() const
{
    const MediaPlayer& player = m_main.MediaPlayer1();
    if (!player.isOpen())
        return {};
    const NowPlayingInfo& info = m_main.nowPlaying();
    RemoteTrack track;
    track.path = player.fileName();
    track.entry = m_main.MediaFrame1->playlist().selectedIndex();
    track.lengthMs = player.length();
    // A file without a title tag goes by its name, as the home screen shows it.
    track.title = info.Title == NowPlayingInfo().Title ? NowPlayingTexts::displayName(track.path).trimmed() : info.Title;
    track.artist = info.Artist;
    track.album = info.Album;
    track.genre = info.Genre;
    track.comment = info.Comment;
    return track;
}

qint64 MainFormRemote::positionMs() const
{
    return m_main.MediaPlayer1().position();
}

double MainFormRemote::volume() const
{
    return m_main.VolumeBar->position() / FullVolume;
}

bool MainFormRemote::shuffle() const
{
    return m_main.MediaFrame1->shuffleOn();
}

bool MainFormRemote::repeat() const
{
    return m_main.MediaFrame1->repeatOn();
}

bool MainFormRemote::hasEntries() const
{
    return !m_main.MediaFrame1->playlist().isEmpty();
}

QImage MainFormRemote::picture() const
{
    return m_main.TrackInfoForm->TrackImage->pixmap().toImage();
}

void MainFormRemote::onChange(std::function<void()> changed)
{
    // The taps that change what a remote sees run their handlers first; the home screen's
    // tick catches the rest (a track that ends and the next that starts).
    for (TouchButton* button : {m_main.PlayBtn, m_main.StopBtn, m_main.TrackPrevBtn, m_main.TrackNextBtn})
        connect(button, &QAbstractButton::clicked, this, changed);
    TMediaFrame& media = *m_main.MediaFrame1;
    for (TouchButton* toggle : {media.PlaylistShuffleBtn, media.PlaylistRepeatBtn})
        connect(toggle, &QAbstractButton::toggled, this, changed);
    Playlist& playlist = media.playlist();
    connect(&playlist, &Playlist::entriesReset, this, changed);
    connect(&playlist, &Playlist::entryInserted, this, changed);
    connect(&playlist, &Playlist::entryRemoved, this, changed);
    connect(&playlist, &Playlist::selectionChanged, this, changed);
    connect(media.MediaTrackbar, &TrackBar::released, this, changed);
    connect(m_main.VolumeBar, &TrackBar::positionChanged, this, changed);
    connect(m_main.WelcomeFrame1->SpeedGraphTimer, &QTimer::timeout, this, changed);
}

std::unique_ptr<MprisService> startMpris(TMainForm& mainForm)
{
    return MprisService::startOnSessionBus(*new MainFormRemote(mainForm));
}
