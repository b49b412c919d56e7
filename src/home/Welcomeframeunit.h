#pragma once
// The home screen: clock, speedometer and compass fed by the GPS, and what is playing.
// Its once-a-second tick also runs the playback's position update and gives the speed
// history graph its point.
#include "home/DateTimeSettings.h"
#include "home/HomeClock.h"
#include "home/SpeedBands.h"

#include <QWidget>
#include <functional>
#include <optional>

class CaptionPanel;
class LedNumber;
class ProgressBar;
class QTimer;
class RoundGauge;
class Feedback;
class NmeaReceiver;
class Notices;
class NowPlaying;
class ToggleGroup;
struct ShownGps;
class TouchButton;
class TouchLabel;

class TWelcomeFrame : public QWidget {
    Q_OBJECT
public:
    // Shows what `nowPlaying` announces and the readings of `gps`.
    TWelcomeFrame(QWidget* parent, NowPlaying& nowPlaying, const NmeaReceiver& gps, Feedback& feedback,
                  Notices& notices);

    // Run by each tick after the clock: the playback's position update, true when it moved
    // on to another track (the speed and heading then wait for the next tick).
    void setPositionTick(std::function<bool()> tick) { m_positionTick = std::move(tick); }

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

signals:
    // The GPS information screen should open.
    void gpsInfoRequested();
    // A point for the speed history graph, in the colour of its speed band.
    void speedGraphPoint(const QColor& colour, double value);

protected:
    // Taps and double taps on the labels.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildClock();
    void buildSpeedAndHeading();
    void buildNowPlaying();
    void followNowPlaying(NowPlaying& nowPlaying);
    void ShowDateAndTime();
    void ShowSpeedAndHeading();
    void SelectUnit(SpeedUnit unit, TouchButton* toggle);
    ShownGps shownGps() const;
    void labelTapped(QObject* label);

    const NmeaReceiver& m_gps;
    Feedback& m_feedback;
    Notices& m_notices;
    std::function<bool()> m_positionTick;
    ToggleGroup* m_units;
    HomeClock m_clock;
    DateTimeSettings m_dateTimeSettings;
    bool m_tickerRunning = false;
    QObject* m_pressedLabel = nullptr; // the label a finger is on
};
