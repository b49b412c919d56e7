#pragma once
// The home screen: clock, speed and heading, and what is playing.
#include <QWidget>

class CaptionPanel;
class QTimer;
class TMainForm;

class TWelcomeFrame : public QWidget {
    Q_OBJECT
public:
    explicit TWelcomeFrame(TMainForm* mainForm);

    // Starts the once-a-second home update and the 200 ms ticker.
    void startTimers();

    CaptionPanel* NowPlayingPanel;
    QTimer* SpeedGraphTimer;
    QTimer* TextScrollTimer;

private:
    TMainForm* m_mainForm;
};
