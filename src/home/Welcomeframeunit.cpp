#include "home/Welcomeframeunit.h"

#include "app/Feedback.h"
#include "dialogs/Notices.h"
#include "gps/NmeaReceiver.h"
#include "home/GpsReports.h"
#include "playback/NowPlaying.h"
#include "playback/NowPlayingTexts.h"
#include "widgets/CaptionPanel.h"
#include "widgets/LedNumber.h"
#include "widgets/RoundGauge.h"
#include "widgets/Placement.h"
#include "widgets/TouchButton.h"
#include "widgets/TouchLabel.h"
#include "widgets/TrackBar.h"
#include "widgets/WidgetPainting.h"

#include <QMouseEvent>
#include <QTimer>
#include <utility>

namespace {

const QString NoMediaSelected = QStringLiteral("No Media Selected   ");
const QString GpsOffline = QStringLiteral("GPS OFFLINE\n\nWaiting For GPS Data");
// Shown instead of the last speed once the receiver has sent no valid fix for 3 seconds.
const QString GpsStale = QStringLiteral("GPS OFFLINE\n\nNo GPS Fix For 3 Seconds: GPS Input Is Off, Or The Receiver Stopped Sending Or Was Unplugged.");
const QString TickerGap = QStringLiteral("   ");
// The gauges print their value with three digits ("045"), the LED numbers as "045.90".
const QString GaugeFormat = QStringLiteral("%03.0f");
constexpr int ClockPixels = 30;

QString ledText(double value)
{
    return QString::asprintf("%06.2f", value);
}

RoundGauge* makeGauge(QWidget* parent, const char* name, QRect place)
{
    auto* gauge = new RoundGauge(parent);
    gauge->setObjectName(QLatin1String(name));
    gauge->setGeometry(place);
    gauge->setValueFormat(GaugeFormat);
    return gauge;
}

LedNumber* makeLed(QWidget* parent, const char* name, QRect place)
{
    auto* led = new LedNumber(ledText(0), parent);
    led->setObjectName(QLatin1String(name));
    led->setGeometry(place);
    return led;
}

void showColours(LedNumber* led, const LedColours& colours)
{
    led->setColours(colours.top, colours.bottom);
}

} // namespace

TWelcomeFrame::TWelcomeFrame(QWidget* parent, NowPlaying& nowPlaying, const NmeaReceiver& gps, Feedback& feedback,
                             Notices& notices)
    : QWidget(parent)
    , m_gps(gps)
    , m_feedback(feedback)
    , m_notices(notices)
{
    setObjectName(QStringLiteral("TWelcomeFrame"));
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);

    buildClock();
    buildSpeedAndHeading();
    buildNowPlaying();

    SpeedGraphTimer = new QTimer(this);
    SpeedGraphTimer->setInterval(1000);
    TextScrollTimer = new QTimer(this);
    TextScrollTimer->setInterval(200);
    connect(SpeedGraphTimer, &QTimer::timeout, this, &TWelcomeFrame::SpeedGraphTimerTimer);
    connect(TextScrollTimer, &QTimer::timeout, this, &TWelcomeFrame::TextScrollTimerTimer);
    followNowPlaying(nowPlaying);
}

void TWelcomeFrame::followNowPlaying(NowPlaying& nowPlaying)
{
    connect(&nowPlaying, &NowPlaying::loading, this, [this](const QString& text) {
        SetNowPlayingText(text);
        NowPlayingStatus->repaint();
    });
    connect(&nowPlaying, &NowPlaying::trackStarted, this, [this, &nowPlaying] {
        const NowPlaying::Start& start = nowPlaying.lastStart();
        const NowPlayingInfo& info = nowPlaying.info();
        SetNowPlayingText(NowPlayingTexts::ticker(start.displayText, info) + QStringLiteral("   "));
        NowPlayingProgress->setPosition(0);
        NowPlayingProgress->setRange(0, double(start.lengthMs));
        const NowPlaying::OtherSource* other = nowPlaying.otherSource();
        NowPlayingPanel->setCaption(
            other ? other->name : NowPlayingTexts::trackOfPlaylist(info.PlaylistName, start.entry, start.entryCount));
    });
    connect(&nowPlaying, &NowPlaying::positionChanged, this, [this](qint64 position, qint64 length, const QString& name) {
        NowPlayingProgress->setRange(0, double(length));
        NowPlayingProgress->setPosition(double(position));
        NowPlayingStatus->setToolTip(name);
    });
    connect(&nowPlaying, &NowPlaying::noMedia, this, [this] {
        NowPlayingStatus->setToolTip(NoMediaSelected);
        NowPlayingProgress->setPosition(0);
    });
    connect(&nowPlaying, &NowPlaying::playlistEmptied, this,
            [this] { NowPlayingPanel->setCaption(NowPlayingTexts::EmptyPlaylist); });
}

void TWelcomeFrame::buildClock()
{
    AdvSmoothPanel1 = new CaptionPanel(QStringLiteral(" Karvex"), this);
    AdvSmoothPanel1->setObjectName(QStringLiteral("AdvSmoothPanel1"));
    AdvSmoothPanel1->setGeometry(8, 8, 512, 82);
    TopDateOutput = placeLabel(AdvSmoothPanel1, "TopDateOutput", QString(), {12, 32, 310, 42}, ClockPixels, true, Qt::AlignLeft | Qt::AlignVCenter);
    TopTimeOutput = placeLabel(AdvSmoothPanel1, "TopTimeOutput", QString(), {322, 32, 178, 42}, ClockPixels, true, Qt::AlignRight | Qt::AlignVCenter);
    for (TouchLabel* label : {TopDateOutput, TopTimeOutput})
        label->installEventFilter(this);
    connect(AdvSmoothPanel1, &CaptionPanel::clicked, this, &TWelcomeFrame::AdvSmoothPanel1Click);
    ShowDateAndTime();
}

void TWelcomeFrame::buildSpeedAndHeading()
{
    MphBtn = placeButton(this, "MphBtn", QStringLiteral("MPH"), {8, 98, 96, 50}, 20);
    KmphBtn = placeButton(this, "KmphBtn", QStringLiteral("KmPH"), {108, 98, 96, 50}, 20);
    KnotsBtn = placeButton(this, "KnotsBtn", QStringLiteral("Knots"), {208, 98, 96, 50}, 20);
    m_units = new ToggleGroup(false, this);
    for (TouchButton* toggle : {MphBtn, KmphBtn, KnotsBtn})
        m_units->add(toggle);
    m_units->setDown(MphBtn);

    SpeedStatusDisplay = placeButton(this, "SpeedStatusDisplay", QStringLiteral("GPS"), {318, 101, 48, 44}, 20);
    SpeedStatusDisplay->setFontPixelSize(15);
    SpeedStatusDisplay->setFaceColour(LedColour::Red);
    SpeedStatusDisplay->hide();
    AdvSmoothButton1 = placeButton(this, "AdvSmoothButton1", QString(), {374, 98, 70, 50}, 20);
    AdvSmoothButton1->setGlyph(Glyph::Globe);
    ReadMeBtn = placeButton(this, "ReadMeBtn", QString(), {450, 98, 70, 50}, 20);
    ReadMeBtn->setGlyph(Glyph::ReadAloud);

    const SpeedUnitInfo& mph = speedUnitInfo(SpeedUnit::Mph);
    SpeedGuage = makeGauge(this, "SpeedGuage", {8, 154, 252, 252});
    SpeedGuage->setRange(0, mph.gaugeMaximum);
    SpeedGuage->setDivisions(14);
    SpeedGuage->setMinorTicks(1);
    SpeedGuage->setDialText(mph.dialText);
    CompassGuage = makeGauge(this, "CompassGuage", {268, 154, 252, 252});
    CompassGuage->setRange(0, 360);
    CompassGuage->setDivisions(8);
    CompassGuage->setSweep(0, 360);
    CompassGuage->setTickLabels({"N", "NE", "E", "SE", "S", "SW", "W", "NW"});

    SpeedLed = makeLed(this, "SpeedLed", {24, 408, 220, 56});
    CompassLed = makeLed(this, "CompassLed", {284, 408, 220, 56});

    connect(MphBtn, &QAbstractButton::clicked, this, &TWelcomeFrame::MphBtnClick);
    connect(KmphBtn, &QAbstractButton::clicked, this, &TWelcomeFrame::KmphBtnClick);
    connect(KnotsBtn, &QAbstractButton::clicked, this, &TWelcomeFrame::KnotsBtnClick);
    connect(SpeedGuage, &RoundGauge::clicked, this, &TWelcomeFrame::SpeedGuageClick);
    connect(SpeedLed, &LedNumber::clicked, this, &TWelcomeFrame::SpeedGuageClick);
    connect(CompassGuage, &RoundGauge::clicked, this, &TWelcomeFrame::CompassGuageClick);
    connect(CompassLed, &LedNumber::clicked, this, &TWelcomeFrame::CompassGuageClick);
    connect(SpeedStatusDisplay, &QAbstractButton::clicked, this, &TWelcomeFrame::SpeedStatusDisplayClick);
    connect(AdvSmoothButton1, &QAbstractButton::clicked, this, &TWelcomeFrame::AdvSmoothButton1Click);
    connect(ReadMeBtn, &QAbstractButton::clicked, this, &TWelcomeFrame::ReadMeBtnClick);
}

void TWelcomeFrame::buildNowPlaying()
{
    NowPlayingPanel = new CaptionPanel(QString(), this);
    NowPlayingPanel->setObjectName(QStringLiteral("NowPlayingPanel"));
    NowPlayingPanel->setGeometry(8, 470, 512, 118);

    NowPlayingStatus = placeLabel(NowPlayingPanel, "NowPlayingStatus", QStringLiteral("Karvex Mobile Media"),
                                 {10, 28, 440, 38}, 22, true, Qt::AlignLeft | Qt::AlignVCenter);
    NowPlayingStatus->installEventFilter(this);

    NowPlayingProgress = new ProgressBar(NowPlayingPanel);
    NowPlayingProgress->setObjectName(QStringLiteral("NowPlayingProgress"));
    NowPlayingProgress->setGeometry(10, 74, 440, 30);
    NowPlayingProgress->setFormat(QStringLiteral("%.0f%%"));

    NowPlayingReadMeBtn = placeButton(NowPlayingPanel, "NowPlayingReadMeBtn", QString(), {456, 30, 48, 74}, 20);
    NowPlayingReadMeBtn->setGlyph(Glyph::ReadAloud);
    connect(NowPlayingReadMeBtn, &QAbstractButton::clicked, this, &TWelcomeFrame::NowPlayingReadMeBtnClick);
}

void TWelcomeFrame::startTimers()
{
    SpeedGraphTimer->start();
    TextScrollTimer->start();
}

void TWelcomeFrame::SetNowPlayingText(const QString& text)
{
    NowPlayingStatus->setToolTip(text);
    NowPlayingStatus->setText(text);
}

std::optional<SpeedUnit> TWelcomeFrame::selectedUnit() const
{
    if (MphBtn->isChecked())
        return SpeedUnit::Mph;
    if (KmphBtn->isChecked())
        return SpeedUnit::Kmph;
    if (KnotsBtn->isChecked())
        return SpeedUnit::Knots;
    return std::nullopt;
}

// ---------------------------------------------------------------- the tick

void TWelcomeFrame::SpeedGraphTimerTimer()
{
    ShowDateAndTime();
    if (m_positionTick && m_positionTick())
        return; // the speed and heading displays wait for the next tick
    ShowSpeedAndHeading();
}

void TWelcomeFrame::ShowDateAndTime()
{
    const HomeClock::Texts texts = m_clock.texts();
    // Fitted only when a text changes: the time once a minute, the date once a day.
    for (const auto& [label, text] : {std::pair{TopDateOutput, texts.date}, std::pair{TopTimeOutput, texts.time}}) {
        if (label->text() == text)
            continue;
        label->setFont(WidgetPainting::fittingFont(WidgetPainting::touchFont(ClockPixels, true), text, label->width()));
        label->setText(text);
    }
}

void TWelcomeFrame::ShowSpeedAndHeading()
{
    // Readings that have gone stale are shown as no fix at all.
    const bool stale = m_gps.FixIsStale();
    const bool live = !stale;
    const GpsReadings& readings = m_gps.Readings();
    const std::optional<SpeedUnit> unit = selectedUnit();
    double selectedSpeed = -1;
    if (live && unit) {
        switch (*unit) {
        case SpeedUnit::Mph: selectedSpeed = readings.SpeedMph; break;
        case SpeedUnit::Kmph: selectedSpeed = readings.SpeedKmph; break;
        case SpeedUnit::Knots: selectedSpeed = readings.SpeedKnots; break;
        }
    }
    const GpsDisplay shown =
        GpsDisplay::of(selectedSpeed, live ? readings.HeadingDegrees : -1, live ? readings.SpeedMph : -1);

    SpeedLed->setText(ledText(shown.speed));
    SpeedGuage->setValue(shown.speed);
    showColours(SpeedLed, shown.speedColours);
    CompassLed->setText(ledText(shown.heading));
    CompassGuage->setValue(shown.heading);
    showColours(CompassLed, shown.compassColours);
    SpeedStatusDisplay->setVisible(shown.offline);
    if (shown.offline)
        SpeedStatusDisplay->setToolTip(stale ? GpsStale : GpsOffline);
    if (shown.graphPoint)
        emit speedGraphPoint(shown.graphPoint->colour, shown.graphPoint->value);
}

// ---------------------------------------------------------------- ticker

void TWelcomeFrame::TextScrollTimerTimer()
{
    if (!m_tickerRunning)
        return;
    const QString text = NowPlayingStatus->text();
    if (text.isEmpty())
        return;
    // A character outside the basic plane is two code units; they move together.
    const qsizetype first = text.at(0).isHighSurrogate() && text.size() > 1 ? 2 : 1;
    NowPlayingStatus->setText(text.mid(first) + text.left(first));
}

void TWelcomeFrame::NowPlayingStatusClick()
{
    if (m_tickerRunning) {
        m_tickerRunning = false;
        NowPlayingStatus->setText(NowPlayingStatus->toolTip());
    } else {
        NowPlayingStatus->setToolTip(NowPlayingStatus->text());
        NowPlayingStatus->setText(NowPlayingStatus->text() + TickerGap);
        m_tickerRunning = true;
    }
}

// ---------------------------------------------------------------- units

void TWelcomeFrame::MphBtnClick()
{
    SelectUnit(SpeedUnit::Mph, MphBtn);
}

void TWelcomeFrame::KmphBtnClick()
{
    SelectUnit(SpeedUnit::Kmph, KmphBtn);
}

void TWelcomeFrame::KnotsBtnClick()
{
    SelectUnit(SpeedUnit::Knots, KnotsBtn);
}

void TWelcomeFrame::SelectUnit(SpeedUnit unit, TouchButton* toggle)
{
    const SpeedUnitInfo& info = speedUnitInfo(unit);
    m_feedback.ClickAndSpeak(info.spokenName);
    SpeedGuage->setDialText(info.dialText);
    SpeedGuage->setRange(0, info.gaugeMaximum);
    // Down before the tick, so that the displays and the graph follow the new unit at once.
    m_units->setDown(toggle);
    SpeedGraphTimerTimer();
}

// ---------------------------------------------------------------- reports

ShownGps TWelcomeFrame::shownGps() const
{
    return {!SpeedStatusDisplay->isHidden(), CompassLed->topColour() == LedColour::Grey, SpeedLed->text(),
            CompassLed->text(), selectedUnit()};
}

void TWelcomeFrame::SpeedGuageClick()
{
    m_feedback.Announce(GpsReports::speed(shownGps()));
}

void TWelcomeFrame::CompassGuageClick()
{
    m_feedback.Announce(GpsReports::heading(shownGps()));
}

void TWelcomeFrame::ReadMeBtnClick()
{
    m_feedback.SpeakText(GpsReports::full(shownGps()));
}

void TWelcomeFrame::NowPlayingReadMeBtnClick()
{
    m_feedback.SpeakText(NowPlayingStatus->toolTip());
}

void TWelcomeFrame::AdvSmoothPanel1Click()
{
    m_feedback.Announce(TopTimeOutput->text());
}

void TWelcomeFrame::TopDateOutputDblClick()
{
    m_dateTimeSettings.open();
}

void TWelcomeFrame::SpeedStatusDisplayClick()
{
    m_feedback.Click();
    m_notices.ShowErrorNotice(SpeedStatusDisplay->toolTip());
}

void TWelcomeFrame::AdvSmoothButton1Click()
{
    m_feedback.ClickAndSpeak(QStringLiteral("G P S Info"));
    emit gpsInfoRequested();
}

// ---------------------------------------------------------------- label taps

bool TWelcomeFrame::eventFilter(QObject* watched, QEvent* event)
{
    const auto* mouse = dynamic_cast<QMouseEvent*>(event);
    if (!mouse || mouse->button() != Qt::LeftButton)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonDblClick:
        if (watched == TopDateOutput) {
            m_pressedLabel = nullptr;
            TopDateOutputDblClick();
            return true;
        }
        [[fallthrough]]; // elsewhere the second tap of a double tap is a tap of its own
    case QEvent::MouseButtonPress:
        m_pressedLabel = watched;
        return true;
    case QEvent::MouseButtonRelease:
        if (watched == m_pressedLabel && static_cast<QWidget*>(watched)->rect().contains(mouse->position().toPoint()))
            labelTapped(watched);
        m_pressedLabel = nullptr;
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void TWelcomeFrame::labelTapped(QObject* label)
{
    if (label == NowPlayingStatus)
        NowPlayingStatusClick();
    else
        AdvSmoothPanel1Click();
}
