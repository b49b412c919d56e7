#include "mpris/MainFormRemote.h"

#include "app/Feedback.h"
#include "playback/NowPlaying.h"
#include "playback/NowPlayingTexts.h"
#include "platform/MediaPlayer.h"
#include "playlists/Mediaframeunit.h"
#include "app/VolumeControl.h"
#include "shell/Mainunit.h"
#include "tools/Mymainmenuunit.h"

#include <QTimer>
#include <algorithm>

MainFormRemote::MainFormRemote(TMainForm& mainWindow, TMediaFrame& media, TMyMainMenu& menu,
                               const NowPlaying& nowPlaying, MediaPlayer& player, Feedback& feedback)
    : QObject(&mainWindow)
    , m_mainWindow(mainWindow)
    , m_media(media)
    , m_menu(menu)
    , m_nowPlaying(nowPlaying)
    , m_player(player)
    , m_feedback(feedback)
{
}

void MainFormRemote::play()
{
    m_mainWindow.PlayBtnClick();
}

void MainFormRemote::pause()
{
    m_mainWindow.StopBtnClick();
}

void MainFormRemote::stop()
{
    m_mainWindow.StopBtnClick();
    if (m_player.isOpen() && !m_nowPlaying.otherSource())
        m_player.setPosition(m_player.start());
}

void MainFormRemote::next()
{
    m_mainWindow.TrackNextBtnClick();
}

void MainFormRemote::previous()
{
    m_mainWindow.TrackPrevBtnClick();
}

void MainFormRemote::seekTo(qint64 ms)
{
    if (m_player.isOpen())
        m_media.SeekTo(ms);
}

void MainFormRemote::setVolume(double volume)
{
    m_mainWindow.volumeControl().setVolume(std::clamp(volume, 0.0, 1.0) * VolumeControl::FullVolume);
}

void MainFormRemote::setShuffle(bool on)
{
    m_media.setShuffleOn(on);
}

void MainFormRemote::setRepeat(bool on)
{
    m_media.setRepeatOn(on);
}

bool MainFormRemote::openFile(const QString& path)
{
    return m_media.AppendAndPlay(path);
}

void MainFormRemote::quit()
{
    m_feedback.Click();
    // After the caller has had its answer: closing ends the program.
    QTimer::singleShot(0, &m_menu, &TMyMainMenu::ExitProgram);
}

void MainFormRemote::raise()
{
    if (m_mainWindow.isMinimized())
        m_mainWindow.showNormal();
    m_mainWindow.QWidget::raise();
    m_mainWindow.activateWindow();
}

RemoteStatus MainFormRemote::status() const
{
    if (const NowPlaying::OtherSource* other = m_nowPlaying.otherSource())
        return other->playing ? RemoteStatus::Playing : RemoteStatus::Paused;
    if (!m_player.isOpen())
        return RemoteStatus::Stopped;
    return m_player.isPlaying() ? RemoteStatus::Playing : RemoteStatus::Paused;
}

RemoteTrack MainFormRemote::track() const
{
    const NowPlaying::OtherSource* other = m_nowPlaying.otherSource();
    if (!other && !m_player.isOpen())
        return {};
    const NowPlayingInfo& info = m_nowPlaying.info();
    RemoteTrack track;
    // The phone's track is no file: it goes by the phone's name.
    track.path = other ? QStringLiteral("bluetooth:") + other->name : m_player.fileName();
    track.entry = other ? -1 : m_media.playlist().selectedIndex();
    track.lengthMs = other ? other->lengthMs : m_player.length();
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
    if (const NowPlaying::OtherSource* other = m_nowPlaying.otherSource())
        return other->positionMs;
    return m_player.position();
}

double MainFormRemote::volume() const
{
    return m_mainWindow.volumeControl().volume() / VolumeControl::FullVolume;
}

bool MainFormRemote::shuffle() const
{
    return m_media.shuffleOn();
}

bool MainFormRemote::repeat() const
{
    return m_media.repeatOn();
}

bool MainFormRemote::hasEntries() const
{
    return m_nowPlaying.otherSource() || !m_media.playlist().isEmpty();
}

QImage MainFormRemote::picture() const
{
    return m_nowPlaying.trackPicture();
}

void MainFormRemote::onChange(std::function<void()> changed)
{
    // The taps and calls that change what a remote sees announce it; the position update
    // catches the rest (a track that ends and the next that starts).
    connect(&m_mainWindow, &TMainForm::playerTapped, this, changed);
    connect(&m_mainWindow, &TMainForm::volumeChanged, this, changed);
    connect(&m_media, &TMediaFrame::modesChanged, this, changed);
    Playlist& playlist = m_media.playlist();
    connect(&playlist, &Playlist::entriesReset, this, changed);
    connect(&playlist, &Playlist::entryInserted, this, changed);
    connect(&playlist, &Playlist::entryRemoved, this, changed);
    connect(&playlist, &Playlist::selectionChanged, this, changed);
    connect(&m_media, &TMediaFrame::seeked, this, changed);
    connect(&m_nowPlaying, &NowPlaying::trackStarted, this, changed);
    connect(&m_nowPlaying, &NowPlaying::positionChanged, this, changed);
    connect(&m_nowPlaying, &NowPlaying::noMedia, this, changed);
}
