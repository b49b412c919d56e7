#pragma once
// The playlist and now-playing screen: the playlist with its editing buttons, the Repeat
// and Shuffle modes, what is playing and where, and the track bar to seek with.
#include "playlists/Playlist.h"

#include <QWidget>

class TMainForm;
class TouchButton;
class TouchLabel;
class TouchList;
class ToggleGroup;
class TrackBar;

class TMediaFrame : public QWidget {
    Q_OBJECT
public:
    explicit TMediaFrame(TMainForm* mainForm);

    Playlist& playlist() { return m_playlist; }
    bool repeatOn() const;
    bool shuffleOn() const;
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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildPlaylistControls();
    void buildNowPlayingControls();
    void followPlaylist();
    void reportModeChange(bool on, const QString& spokenOn, const QString& spokenOff, const QString& shownOn,
                          const QString& shownOff);
    void speak(const QString& text);

    TMainForm* m_mainForm;
    Playlist m_playlist;
    ToggleGroup* m_modes;
    bool m_trackbarDragging = false;
};
