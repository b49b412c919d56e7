#pragma once
// The home screen: clock, speed and heading, and what is playing.
#include "playlists/ShuffleGenerator.h"

#include <QWidget>

class CaptionPanel;
class ProgressBar;
class QTimer;
class TMainForm;
class TouchLabel;

class TWelcomeFrame : public QWidget {
    Q_OBJECT
public:
    explicit TWelcomeFrame(TMainForm* mainForm);

    // Starts the once-a-second home update and the 200 ms ticker.
    void startTimers();

    // Sets the now-playing text and its hint together.
    void SetNowPlayingText(const QString& text);

    CaptionPanel* NowPlayingPanel;
    TouchLabel* NowPlayingStatus;
    ProgressBar* NowPlayingProgress;
    QTimer* SpeedGraphTimer;
    QTimer* TextScrollTimer;

    // The once-a-second update.
    void SpeedGraphTimerTimer();

private:
    // Brings the position displays of this screen and the playlist screen up to date with
    // the player; true when the open track has reached its end.
    bool UpdateMediaDisplays();
    // Starts the same track again, a shuffled one or the next one, by the playlist's modes.
    void AdvanceAtEndOfTrack();

    TMainForm* m_mainForm;
    ShuffleGenerator m_shuffle;
};
