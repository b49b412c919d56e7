#pragma once
// The home screen: clock, speedometer and compass fed by the GPS, and what is playing.
// Its once-a-second tick also keeps the playlist screen's position displays current,
// feeds the speed history graph and moves on at the end of a track.
#include "home/DateTimeSettings.h"
#include "home/HomeClock.h"
#include "home/SpeedBands.h"
#include "playlists/ShuffleGenerator.h"

#include <QWidget>
#include <optional>

class CaptionPanel;
class LedNumber;
class ProgressBar;
class QTimer;
class RoundGauge;
class TMainForm;
class ToggleGroup;
struct ShownGps;
class TouchButton;
class TouchLabel;

class TWelcomeFrame : public QWidget {
    Q_OBJECT
public:
    explicit TWelcomeFrame(TMainForm* mainForm);

    // Starts the once-a-second home update and the 200 ms ticker.
    void startTimers();

    // Sets the now-playing text and its hint together.
    void SetNowPlayingText(const QString& text);

    // The clock and the date-and-time settings opener (tests put in their own).
    void setClock(const HomeClock& clock) { m_clock = clock; }
    void setDateTimeSettings(const DateTimeSettings& settings) { m_dateTimeSettings = settings; }

    // The unit whose toggle is down.
    std::optional<SpeedUnit> selectedUnit() const;
    // True while the now-playing text scrolls.
    bool tickerRunning() const { return m_tickerRunning; }

    // Controls.
    CaptionPanel* AdvSmoothPanel1;
    TouchLabel* TopDateOutput;
    TouchLabel* TopTimeOutput;
    TouchButton* MphBtn;
    TouchButton* KmphBtn;
    TouchButton* KnotsBtn;
    RoundGauge* SpeedGuage;
    RoundGauge* CompassGuage;
    LedNumber* SpeedLed;
    LedNumber* CompassLed;
    TouchButton* SpeedStatusDisplay;
    TouchButton* AdvSmoothButton1;
    TouchButton* ReadMeBtn;
    CaptionPanel* NowPlayingPanel;
    TouchLabel* NowPlayingStatus;
    ProgressBar* NowPlayingProgress;
    TouchButton* NowPlayingReadMeBtn;
    QTimer* SpeedGraphTimer;
    QTimer* TextScrollTimer;

    // The once-a-second update.
    void SpeedGraphTimerTimer();

    // Ticker.
    void TextScrollTimerTimer();
    void NowPlayingStatusClick();

    // Units.
    void MphBtnClick();
    void KmphBtnClick();
    void KnotsBtnClick();

    // Spoken reports, notices and screens.
    void SpeedGuageClick();
    void CompassGuageClick();
    void ReadMeBtnClick();
    void NowPlayingReadMeBtnClick();
    void AdvSmoothPanel1Click();
    void TopDateOutputDblClick();
    void SpeedStatusDisplayClick();
    void AdvSmoothButton1Click();

protected:
    // Taps and double taps on the labels.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildClock();
    void buildSpeedAndHeading();
    void buildNowPlaying();
    void ShowDateAndTime();
    // Brings the position displays of this screen and the playlist screen up to date with
    // the player; true when the open track has reached its end.
    bool UpdateMediaDisplays();
    // Starts the same track again, a shuffled one or the next one, by the playlist's modes.
    void AdvanceAtEndOfTrack();
    void ShowSpeedAndHeading();
    void SelectUnit(SpeedUnit unit, TouchButton* toggle);
    ShownGps shownGps() const;
    void labelTapped(QObject* label);

    TMainForm* m_mainForm;
    ToggleGroup* m_units;
    ShuffleGenerator m_shuffle;
    HomeClock m_clock;
    DateTimeSettings m_dateTimeSettings;
    bool m_tickerRunning = false;
    QObject* m_pressedLabel = nullptr; // the label a finger is on
};
