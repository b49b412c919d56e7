#include "playback/PlaybackController.h"

#include "home/Welcomeframeunit.h"
#include "playback/NowPlayingTexts.h"
#include "playback/Videoframeunit.h"
#include "platform/FileNames.h"
#include "playlists/Mediaframeunit.h"
#include "shell/Mainunit.h"
#include "tags/AlbumArt.h"
#include "tags/Id3.h"
#include "tags/Trackinfounit.h"
#include "widgets/CaptionPanel.h"
#include "widgets/TouchLabel.h"
#include "widgets/TrackBar.h"

PlaybackController::PlaybackController(TMainForm& mainForm, TID3& tags)
    : m_main(mainForm)
    , m_tags(tags)
{
}

void PlaybackController::play()
{
    if (!continueOpenTrack())
        startSelectedEntry();
}

// True when the open track plays on: it was not at its end, or repeat restarted it.
bool PlaybackController::continueOpenTrack()
{
    MediaPlayer& player = m_main.MediaPlayer1();
    if (!player.isOpen())
        return false;
    if (player.length() != player.position())
        return player.play();
    if (!m_main.MediaFrame1->repeatOn())
        return false;
    player.setPosition(0);
    return player.play();
}

void PlaybackController::resume(qint64 positionMs, bool playing)
{
    startSelectedEntry(positionMs, playing);
}

void PlaybackController::startSelectedEntry(qint64 positionMs, bool playing)
{
    TMediaFrame& media = *m_main.MediaFrame1;
    Playlist& playlist = media.playlist();
    if (playlist.isEmpty()) {
        m_main.ShowErrorNotice(QStringLiteral("PLAYLIST EMPTY!\n\nThere are no media files in the Playlist.  "
                                              "Select File(s) to add to the Playlist."));
        m_main.ShowScreen(TMainForm::Files);
        return;
    }
    if (playlist.selectedIndex() < 0)
        playlist.setSelectedIndex(0);
    const int index = playlist.selectedIndex();
    const PlaylistEntry* entry = playlist.entryAt(index);
    if (!entry) {
        m_main.ShowErrorNotice(QStringLiteral("UNKNOWN ERROR\n\nError retrieving media file name."));
        return;
    }
    const QString displayText = entry->DisplayText;
    const QString filePath = entry->FilePath;

    if (!FileNames::exists(filePath)) {
        m_main.ShowErrorNotice(QStringLiteral("File ERROR\n\nThe selected media file is not available or does not "
                                              "exist. Select another track in the Playlist."));
        playlist.setTextColor(index, EntryColour::Failed);
        return;
    }

    // Drawn now, before the open keeps the window thread busy.
    const QString loading = NowPlayingTexts::loading(displayText);
    media.NowPlayingDisplay->setText(loading);
    m_main.WelcomeFrame1->SetNowPlayingText(loading);
    media.NowPlayingDisplay->repaint();
    m_main.WelcomeFrame1->NowPlayingStatus->repaint();

    MediaPlayer& player = m_main.MediaPlayer1();
    player.close();
    player.setFileName(filePath);
    if (!player.open()) {
        m_main.ShowErrorNotice(QStringLiteral("OPEN ERROR\n\nCould not OPEN the selected media file.\n")
                               + player.errorText());
        playlist.setTextColor(index, EntryColour::Failed);
        return;
    }
    m_main.VideoFrame1->AttachPlayer();
    if (positionMs > 0)
        player.setPosition(positionMs);
    if (playing && !player.play()) {
        m_main.ShowErrorNotice(QStringLiteral("PLAY ERROR (DRM?)\n\nCould not PLAY the selected media file.\n")
                               + player.errorText());
        playlist.setTextColor(index, EntryColour::Failed);
        return;
    }

    readTags(filePath);
    showTrackPanel(filePath);
    showNowPlaying(index, displayText);
    // A video is never left playing unseen.
    if (playing && player.hasVideo())
        m_main.ShowScreen(TMainForm::Video);
}

void PlaybackController::readTags(const QString& filePath)
{
    NowPlayingInfo& info = m_main.nowPlaying();
    info.FileName = FileNames::shown(fileNamePart(filePath));
    try {
        m_tags.ReadID3(filePath);
    } catch (const TagReadError&) {
        return; // the file plays on with the tag texts it had
    }
    info.Album = m_tags.Album();
    info.Artist = m_tags.Artist();
    info.Comment = m_tags.Comment();
    info.Genre = m_tags.Genre();
    info.Title = m_tags.Title();
    info.Year = m_tags.Year();
}

void PlaybackController::showTrackPanel(const QString& filePath)
{
    m_main.TrackInfoForm->ShowTrack(m_main.nowPlaying());
    m_main.TrackInfoForm->ShowAlbumArt(
        AlbumArt::picture(filePath, m_main.programFolder(), m_tags.Cover(), TTrackInfoForm::PictureSize));
}

void PlaybackController::showNowPlaying(int index, const QString& displayText)
{
    const NowPlayingInfo& info = m_main.nowPlaying();
    Playlist& playlist = m_main.MediaFrame1->playlist();
    playlist.setTextColor(index, EntryColour::Playable);
    TWelcomeFrame& home = *m_main.WelcomeFrame1;
    home.SetNowPlayingText(NowPlayingTexts::ticker(displayText, info) + QStringLiteral("   "));
    home.NowPlayingProgress->setPosition(0);
    home.NowPlayingProgress->setRange(0, double(m_main.MediaPlayer1().length()));
    home.NowPlayingPanel->setCaption(NowPlayingTexts::trackOfPlaylist(info.PlaylistName, index, playlist.count()));
}

void PlaybackController::stop()
{
    MediaPlayer& player = m_main.MediaPlayer1();
    if (!player.isOpen())
        return;
    if (m_main.liveSetting(LiveSetting::SpeechSounds))
        m_main.SpeakText(QStringLiteral("Pause"));
    player.stop();
    m_main.PlayUiSound(UiSound::Click, LiveSetting::ClickSounds);
}

void PlaybackController::previous()
{
    if (m_main.liveSetting(LiveSetting::SpeechSounds))
        m_main.SpeakText(QStringLiteral("Previous Track"));
    m_main.MediaPlayer1().close();
    m_main.MediaFrame1->playlist().selectPrevious();
    play();
}

void PlaybackController::next()
{
    m_main.ClickAndSpeak(QStringLiteral("Next Track"));
    MediaPlayer& player = m_main.MediaPlayer1();
    if (player.isOpen())
        player.seekToEnd();
    else
        play();
}
