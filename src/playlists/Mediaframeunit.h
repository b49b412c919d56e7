#pragma once
// The playlist and now-playing screen: the playlist with its editing buttons, the Repeat
// and Shuffle modes, what is playing and where, and the track bar to seek with.
#include "playlists/PlayModes.h"
#include "playlists/Playlist.h"
#include "playlists/SavedPlaylists.h"

#include <QWidget>

class Feedback;
class MediaPlayer;
class Navigator;
class Notices;
class NowPlaying;
class TOpenPlaylistForm;
class TouchButton;
class TouchLabel;
class TouchList;
class ToggleGroup;
class TrackBar;

class TMediaFrame : public QWidget, public PlayModes {
    Q_OBJECT
public:
    TMediaFrame(QWidget* parent, MediaPlayer& player, NowPlaying& nowPlaying, Feedback& feedback, Notices& notices,
                Navigator& navigator, const QString& dataFolder);

    // The chooser that Open Playlist shows, once start-up has made it.
    void setPlaylistChooser(TOpenPlaylistForm* chooser) { m_chooser = chooser; }

    Playlist& playlist() { return m_playlist; }
    bool repeatOn() const override;
    bool shuffleOn() const override;
    // Switches Repeat or Shuffle as a tap on its toggle does, when it is not `on` already.
    void setRepeatOn(bool on);
    void setShuffleOn(bool on);
    // Moves the open track to `ms` as a drag of the track bar does.
    void SeekTo(qint64 ms);
    // Appends the file at `path` and plays it as a double tap on it does; false, with
    // nothing added, when the path cannot be a playlist entry.
    bool AppendAndPlay(const QString& path);
    // True from finger-down to finger-up on MediaTrackbar.
    bool trackbarDragging() const { return m_trackbarDragging; }

    // Refreshes the now-playing line, position, length and track bar for the open track.
    void ShowPlayerPosition(qint64 position, qint64 length, const QString& displayName);
    // The same with nothing open.
    void ShowNoMedia();

    TouchButton* OpenPlaylistBtn;
    TouchButton* SavePlaylistBtn;
    TouchButton* NewPlaylistBtn;
    TouchList* PlayList;
    TouchButton* PlaylistTrackAddBtn;
    TouchButton* PlaylistTrackUpBtn;
    TouchButton* PlaylistTrackDownBtn;
    TouchButton* PlaylistTrackRemoveBtn;
    TouchLabel* NowPlayingDisplay;
    TouchLabel* MediaPosDisplay;
    TouchLabel* MediaLenDisplay;
    TrackBar* MediaTrackbar;
    TouchButton* PlaylistShuffleBtn;
    TouchButton* PlaylistRepeatBtn;

    // Saved playlists.
    void OpenPlaylistBtnClick();
    void SavePlaylistBtnClick();

    // Editing and modes.
    void NewPlaylistBtnClick();
    void PlaylistTrackRemoveBtnClick();
    void PlaylistTrackUpBtnClick();
    void PlaylistTrackDownBtnClick();
    void PlaylistTrackAddBtnClick();
    void PlaylistRepeatBtnClick();
    void PlaylistShuffleBtnClick();

    // Now playing and seeking.
    void PlayListDblClick();
    void NowPlayingDisplayClick();
    void MediaTrackbarMouseDown();
    void MediaTrackbarMouseUp();

signals:
    // The play operation should run, as a tap on the play button runs it.
    void playRequested();
    // Repeat or Shuffle was switched.
    void modesChanged();
    // The track bar was let go: the open track moved there.
    void seeked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildPlaylistControls();
    void buildNowPlayingControls();
    void followPlaylist();
    void reportModeChange(bool on, const QString& spokenOn, const QString& spokenOff, const QString& shownOn,
                          const QString& shownOff);
    void speak(const QString& text);
    void followNowPlaying(NowPlaying& nowPlaying);

    MediaPlayer& m_player;
    NowPlaying& m_nowPlaying;
    Feedback& m_feedback;
    Notices& m_notices;
    Navigator& m_navigator;
    SavedPlaylists m_savedPlaylists;
    TOpenPlaylistForm* m_chooser = nullptr;
    Playlist m_playlist;
    ToggleGroup* m_modes;
    bool m_trackbarDragging = false;
};
