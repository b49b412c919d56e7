#pragma once
// The GPS information screen. Created hidden at start-up, last of the
// windows; its construction (FormCreate) opens the GPS port and starts the reader, its
// destruction (FormDestroy) stops the reader and closes the port. It exists for the whole
// run and decodes input whether shown or not; it is shown modally from the home screen
// and hidden again with DoneBtn.
//
// The logic lives in plain classes: GpsPort (the port and reader) and NmeaReceiver
// (pending text, sentence log, RMC decoding). The screen mirrors their state into its
// controls while it is shown, and once each time it is shown; while hidden (nearly all
// the time) a line costs no text box a refill.
#include "gps/GpsPort.h"
#include "gps/NmeaReceiver.h"
#include "platform/SerialPort.h"

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;
class QTimer;
class TabPager;
class Feedback;
class FirstPaint;
class LiveSettings;
class SettingsStore;
class TouchButton;
class TouchLabel;
class TPerformanceGraph;

class TGpsInfo : public QDialog {
    Q_OBJECT
public:
    using SerialPortMaker = std::function<std::unique_ptr<SerialPort>(const QString& portName)>;

    // FormCreate: readings -1, then the port named by GPSPort is opened and read into
    // `receiver` (which outlives the screen).
    TGpsInfo(QWidget* mainWindow, NmeaReceiver& receiver, const SettingsStore& settings, const LiveSettings& live,
             Feedback& feedback, FirstPaint& firstPaint, SerialPortMaker createSerialPort);
    // FormDestroy: stops the reader, then closes the port. Touches nothing of the main
    // window, so it may run after the main window's own members are gone.
    ~TGpsInfo() override;

    // The GPS readings: -1 until the first decoded RMC sentence.
    double SpeedKnots() const { return m_receiver.Readings().SpeedKnots; }
    double SpeedMph() const { return m_receiver.Readings().SpeedMph; }
    double SpeedKmph() const { return m_receiver.Readings().SpeedKmph; }
    double HeadingDegrees() const { return m_receiver.Readings().HeadingDegrees; }
    // A valid fix came, and none for the last 3 seconds: the readings are out of date.
    bool FixIsStale() const { return m_receiver.FixIsStale(); }
    // Where and when the last valid fix was taken.
    const std::optional<GpsFix>& LastFix() const { return m_receiver.LastFix(); }
    // The monotonic clock that the age of a fix is measured with (tests set their own).
    void setMonotonicClock(std::function<qint64()> clock) { m_receiver.MonotonicMs = std::move(clock); }

    // The GPS status hint set at start-up: empty when the port opened; the home
    // screen's SpeedStatusDisplay takes it (gpsStatusHintChanged is emitted once, when the
    // port has been opened after the first paint).
    QString GpsStatusHint() const { return m_port.StatusHint(); }
    bool PortOpen() const { return m_port.PortOpen(); }

    // The logic behind the screen, for tests.
    const NmeaReceiver& receiver() const { return m_receiver; }
    const GpsPort& port() const { return m_port; }

    // Controls, built once the home screen has been painted.
    TouchLabel* HeadingLabel = nullptr; // "GPS INFO"
    TouchButton* DoneBtn = nullptr;
    TabPager* AdvSmoothTabPager1 = nullptr;
    // Tab1 "GPS Info"
    QLineEdit* Port = nullptr;
    QLineEdit* Speed = nullptr;
    TouchLabel* SpeedUnitLabel = nullptr; // "MPH"
    QLineEdit* Heading = nullptr;
    TouchLabel* HeadingUnitLabel = nullptr; // "Deg."
    TouchLabel* KphDisplay = nullptr;
    TouchLabel* KphCaption = nullptr; // "KNOTS"
    TouchLabel* MphDisplay = nullptr;
    TouchLabel* MphCaption = nullptr; // "MPH"
    TouchLabel* KmphDisp = nullptr;
    TouchLabel* KmphCaption = nullptr; // "KmPH"
    TouchButton* ClearGraphBtn = nullptr;
    TPerformanceGraph* SpeedGraph = nullptr;
    TouchLabel* SpeedGraphCaption = nullptr; // "History (MPH)"
    // Tab2 "Advanced  "
    QPlainTextEdit* Memo1 = nullptr;
    TouchButton* ResetGpsBtn = nullptr;
    QPlainTextEdit* GPSLog = nullptr;
    QLineEdit* LastSentence = nullptr;
    // Keeps the Port field with the port: red while the device is gone or not opened yet.
    QTimer* PortWatchTimer = nullptr;

    // Handlers.
    void DoneBtnClick();
    void ResetGpsBtnClick();
    void ClearGraphBtnClick();
    void PortWatchTimerTimer();
    // Opens the port named in the settings and starts the reader.
    void OpenPort();

    // DeliverChunk: what the reader runs on the window thread for each chunk
    // (the receive buffer, zero-terminated); drops it while GPS input is disabled.
    void DeliverChunk(const char* text) { m_port.DeliverChunk(text); }

    // Adds a point to the speed history graph (once its controls are built).
    void AddGraphPoint(const QColor& colour, double value);

signals:
    void gpsStatusHintChanged(const QString& hint);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildScreen();
    void buildInfoPage(QWidget* page);
    void buildAdvancedPage(QWidget* page);
    void showPending();
    void showLog();
    void showLastSentence(bool repaintNow);
    void showReadings();
    void showReceiver(); // all of the above
    void showPort();
    void Memo1Edited();
    void click();

    QWidget* m_mainWindow;
    NmeaReceiver& m_receiver;
    const SettingsStore& m_settings;
    Feedback& m_feedback;
    GpsPort m_port;
    bool m_updatingMemo = false;
};
