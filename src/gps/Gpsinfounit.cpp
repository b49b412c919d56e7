#include "gps/Gpsinfounit.h"

#include "config/GpsSettings.h"
#include "config/SettingsStore.h"
#include "gps/Perfgrap.h"
#include "platform/TextFile.h"
#include "app/Feedback.h"
#include "app/FirstPaint.h"
#include "config/LiveSettings.h"
#include "widgets/CaptionPanel.h"
#include "widgets/TabPager.h"
#include "widgets/TouchButton.h"
#include "widgets/Placement.h"
#include "widgets/TouchLabel.h"
#include "widgets/WidgetPainting.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTimer>

namespace {

const QColor Green(0, 128, 0);
const QColor Blue(0, 0, 255);
const QColor Red(255, 0, 0);
const QColor Grey(128, 128, 128);
const QColor Navy(0, 0, 128);
constexpr int PortPixels = 18;

// Text boxes are white with black text whatever the colour style, so that the status
// colours (green, red, blue) stay as they are meant to look.
void makeWhite(QWidget* widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    widget->setPalette(palette);
}

QLineEdit* makeField(QWidget* parent, const char* name, QRect place, Qt::Alignment alignment, int pixels, bool readOnly)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(name));
    field->setGeometry(place);
    field->setAlignment(alignment);
    field->setReadOnly(readOnly);
    QFont font = field->font();
    font.setPixelSize(pixels);
    font.setBold(true);
    field->setFont(font);
    makeWhite(field);
    return field;
}

QPlainTextEdit* makeTextBox(QWidget* parent, const char* name, QRect place, bool readOnly)
{
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(place);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->setReadOnly(readOnly);
    QFont font = box->font();
    font.setPixelSize(14);
    box->setFont(font);
    makeWhite(box);
    return box;
}

// Shows `text` whole in `field`, in type of up to `pixels` pixels that shrinks when the text is
// long, shortened in the middle when even that is too wide.
void showWhole(QLineEdit* field, const QString& text, int pixels)
{
    QFont font = field->font();
    font.setPixelSize(pixels);
    // The room QLineEdit gives its text: inside the frame, 2 pixels either side, and a
    // pixel for the cursor.
    const int room = field->width() - 2 * field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) - 5;
    font = WidgetPainting::fittingFont(font, text, room);
    field->setFont(font);
    field->setText(QFontMetrics(font).elidedText(text, Qt::ElideMiddle, room));
    field->setCursorPosition(0);
}

// `colour`, darkened or lightened as far as it takes to read on the box.
QColor readableIn(const QWidget* box, const QColor& colour)
{
    return WidgetPainting::readableOn(colour, {box->palette().color(QPalette::Base)});
}

void setTextColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Text, readableIn(widget, colour));
    widget->setPalette(palette);
}

// A text for a text box: line breaks as the box shows them, other control characters as
// blanks.
QString shownText(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    for (QChar& c : text)
        if (c.unicode() < 32 && c != QLatin1Char('\n'))
            c = QLatin1Char(' ');
    return text;
}

} // namespace

TGpsInfo::TGpsInfo(QWidget* mainWindow, NmeaReceiver& receiver, const SettingsStore& settings,
                   const LiveSettings& live, Feedback& feedback, FirstPaint& firstPaint,
                   SerialPortMaker createSerialPort)
    : QDialog(mainWindow, Qt::Dialog | Qt::FramelessWindowHint)
    , m_mainWindow(mainWindow)
    , m_receiver(receiver)
    , m_settings(settings)
    , m_feedback(feedback)
    , m_port(std::move(createSerialPort), [&live] { return live.isOn(LiveSetting::GPSEnabled); },
             [this](const QByteArray& text) { m_receiver.AppendPending(text); })
{
    setObjectName(QStringLiteral("TGpsInfo"));
    setModal(true);
    setFixedSize(596, 480);
    setWindowOpacity(245.0 / 255.0);

    // The controls follow the receiver while the screen is shown; showing it brings them
    // up to date (showEvent).
    m_receiver.LetEventsRun = [] { QCoreApplication::processEvents(); };
    m_receiver.OnPendingChanged = [this] {
        if (isVisible())
            showPending();
    };
    m_receiver.OnLogChanged = [this] {
        if (isVisible())
            showLog();
    };
    m_receiver.OnLastSentenceChanged = [this](bool repaintNow) {
        if (isVisible())
            showLastSentence(repaintNow);
    };
    m_receiver.OnReadingsChanged = [this] {
        if (isVisible())
            showReadings();
    };

    PortWatchTimer = new QTimer(this);
    PortWatchTimer->setInterval(500);
    connect(PortWatchTimer, &QTimer::timeout, this, &TGpsInfo::PortWatchTimerTimer);

    // FormCreate: the readings are -1 (the receiver starts so). The screen's controls are
    // built, the port opened and the reader started once the home screen is up.
    firstPaint.afterFirstPaint([this] {
        buildScreen();
        OpenPort();
    });
}

void TGpsInfo::buildScreen()
{
    auto* panel = new CaptionPanel(QString(), this);
    panel->setObjectName(QStringLiteral("GpsInfoPanel"));
    panel->setGeometry(8, 8, 580, 464);
    panel->setFillColour(Qt::white);
    panel->setCornerRadius(0);
    panel->setBorder(QColor(), 0);

    HeadingLabel = placeLabel(panel, "HeadingLabel", QStringLiteral("GPS INFO"), {14, 4, 300, 56}, 40, true);
    HeadingLabel->setTextColour(Qt::black);
    DoneBtn = new TouchButton(QString(), panel);
    DoneBtn->setObjectName(QStringLiteral("DoneBtn"));
    DoneBtn->setGeometry(500, 4, 72, 58);
    DoneBtn->setGlyph(Glyph::Done);

    AdvSmoothTabPager1 = new TabPager(panel);
    AdvSmoothTabPager1->setObjectName(QStringLiteral("AdvSmoothTabPager1"));
    AdvSmoothTabPager1->setGeometry(4, 66, 572, 394);
    AdvSmoothTabPager1->setTabHeight(44);
    buildInfoPage(AdvSmoothTabPager1->addPage(QStringLiteral("GPS Info")));
    buildAdvancedPage(AdvSmoothTabPager1->addPage(QStringLiteral("Advanced  ")));
    AdvSmoothTabPager1->setCurrentIndex(0);

    connect(DoneBtn, &QAbstractButton::clicked, this, &TGpsInfo::DoneBtnClick);
    connect(ResetGpsBtn, &QAbstractButton::clicked, this, &TGpsInfo::ResetGpsBtnClick);
    connect(ClearGraphBtn, &QAbstractButton::clicked, this, &TGpsInfo::ClearGraphBtnClick);
    connect(Memo1, &QPlainTextEdit::textChanged, this, &TGpsInfo::Memo1Edited);

    showReadings();
    setTextColour(LastSentence, Blue);
}

void TGpsInfo::OpenPort()
{
    const SettingsStore& store = m_settings;
    m_port.Open(store.value(Key::GPSPort), GpsBaud::rateOf(store.value(Key::GPSBaud)));
    showPort();
    emit gpsStatusHintChanged(m_port.StatusHint());
    if (m_port.Reader())
        PortWatchTimer->start();
}

TGpsInfo::~TGpsInfo()
{
    // FormDestroy: the reader ends before the port is closed.
    m_port.Close();
    m_receiver.LetEventsRun = {};
    m_receiver.OnPendingChanged = {};
    m_receiver.OnLogChanged = {};
    m_receiver.OnLastSentenceChanged = {};
    m_receiver.OnReadingsChanged = {};
}

void TGpsInfo::buildInfoPage(QWidget* page)
{
    page->setObjectName(QStringLiteral("Tab1"));
    Port = makeField(page, "Port", {8, 8, 220, 40}, Qt::AlignCenter, PortPixels, true);
    Speed = makeField(page, "Speed", {236, 8, 90, 40}, Qt::AlignRight | Qt::AlignVCenter, 24, true);
    SpeedUnitLabel = placeLabel(page, "SpeedUnitLabel", QStringLiteral("MPH"), {330, 8, 60, 40}, 20, true);
    Heading = makeField(page, "Heading", {396, 8, 90, 40}, Qt::AlignRight | Qt::AlignVCenter, 24, true);
    HeadingUnitLabel = placeLabel(page, "HeadingUnitLabel", QStringLiteral("Deg."), {490, 8, 60, 40}, 20, true);

    ClearGraphBtn = new TouchButton(QStringLiteral(" Clear "), page);
    ClearGraphBtn->setObjectName(QStringLiteral("ClearGraphBtn"));
    ClearGraphBtn->setGeometry(8, 64, 130, 96);
    ClearGraphBtn->setFontPixelSize(22);

    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    KphDisplay = placeLabel(page, "KphDisplay", QStringLiteral("0"), {160, 58, 260, 34}, 24, true, right);
    KphCaption = placeLabel(page, "KphCaption", QStringLiteral("KNOTS"), {430, 58, 120, 34}, 20, true);
    MphDisplay = placeLabel(page, "MphDisplay", QStringLiteral("0"), {160, 94, 260, 34}, 24, true, right);
    MphCaption = placeLabel(page, "MphCaption", QStringLiteral("MPH"), {430, 94, 120, 34}, 20, true);
    KmphDisp = placeLabel(page, "KmphDisp", QStringLiteral("0"), {160, 130, 260, 34}, 24, true, right);
    KmphCaption = placeLabel(page, "KmphCaption", QStringLiteral("KmPH"), {430, 130, 120, 34}, 20, true);

    // The speed history: bars, navy grid every 10 pixels, step 1, automatic scale.
    SpeedGraph = new TPerformanceGraph(page);
    SpeedGraph->setObjectName(QStringLiteral("SpeedGraph"));
    SpeedGraph->setGeometry(8, 174, 551, 158);
    SpeedGraph->SetGraphKind(pgBar);
    SpeedGraph->SetForeColor(Navy);
    SpeedGraph->SetGridSize(10);
    SpeedGraph->SetStepSize(1);
    SpeedGraph->SetScale(0);
    SpeedGraph->SetGradient(100);
    SpeedGraph->SetPenWidth(1);
    SpeedGraphCaption = placeLabel(SpeedGraph, "SpeedGraphCaption", QStringLiteral("History (MPH)"), {4, 2, 200, 22}, 15, true);
    // The caption sits on the graph: it keeps the graph's own background under it.
    SpeedGraphCaption->setAutoFillBackground(true);
    QPalette captionBack = SpeedGraphCaption->palette();
    captionBack.setColor(QPalette::Window, SpeedGraph->BackColor());
    SpeedGraphCaption->setPalette(captionBack);
    SpeedGraphCaption->setTextColour(Qt::white);
}

void TGpsInfo::buildAdvancedPage(QWidget* page)
{
    page->setObjectName(QStringLiteral("Tab2"));
    Memo1 = makeTextBox(page, "Memo1", {8, 8, 464, 96}, false);
    QFont bold = Memo1->font();
    bold.setBold(true);
    Memo1->setFont(bold);
    setTextColour(Memo1, Grey);

    ResetGpsBtn = new TouchButton(QString(), page);
    ResetGpsBtn->setObjectName(QStringLiteral("ResetGpsBtn"));
    ResetGpsBtn->setGeometry(484, 8, 72, 58);
    ResetGpsBtn->setGlyph(Glyph::Restart);

    GPSLog = makeTextBox(page, "GPSLog", {8, 112, 548, 180}, true);
    LastSentence = makeField(page, "LastSentence", {8, 300, 548, 36}, Qt::AlignLeft | Qt::AlignVCenter, 14, true);
}

// ---------------------------------------------------------------- mirroring the receiver

void TGpsInfo::showPending()
{
    m_updatingMemo = true;
    Memo1->setPlainText(shownText(TextFile::fromWindows1252(m_receiver.Pending())));
    m_updatingMemo = false;
}

void TGpsInfo::Memo1Edited()
{
    // Memo1Change for a change made in the box itself: the box shows line breaks as CR LF.
    if (m_updatingMemo)
        return;
    QString text = Memo1->toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    const std::optional<QByteArray> bytes = TextFile::toWindows1252(text);
    m_receiver.SetPending(bytes ? *bytes : text.toLatin1());
}

void TGpsInfo::showLog()
{
    GPSLog->setPlainText(shownText(m_receiver.Log().join(QLatin1Char('\n'))));
}

void TGpsInfo::showLastSentence(bool repaintNow)
{
    LastSentence->setText(shownText(m_receiver.LastSentence));
    LastSentence->setCursorPosition(0);
    switch (m_receiver.LastSentenceKind) {
    case NmeaReceiver::SentenceKind::Rmc: setTextColour(LastSentence, Green); break;
    case NmeaReceiver::SentenceKind::Damaged: setTextColour(LastSentence, Red); break;
    case NmeaReceiver::SentenceKind::Other: setTextColour(LastSentence, Blue); break;
    }
    if (repaintNow)
        LastSentence->repaint();
}

void TGpsInfo::showReadings()
{
    KphDisplay->setText(m_receiver.KphDisplay);
    MphDisplay->setText(m_receiver.MphDisplay);
    KmphDisp->setText(m_receiver.KmphDisp);
    Speed->setText(m_receiver.Speed);
    Heading->setText(m_receiver.Heading);
}

void TGpsInfo::showReceiver()
{
    showPending();
    showLog();
    showLastSentence(false);
    showReadings();
}

void TGpsInfo::PortWatchTimerTimer()
{
    // The text changes only together with the colour (a port opened late turns green).
    if (Port->palette().color(QPalette::Text) != readableIn(Port, m_port.PortColour()))
        showPort();
}

void TGpsInfo::showPort()
{
    // The colour first: a green one means the port has been opened, so the text is its name.
    const QColor colour = m_port.PortColour();
    showWhole(Port, m_port.PortText(), PortPixels);
    setTextColour(Port, colour);
}

// ---------------------------------------------------------------- buttons

void TGpsInfo::click()
{
    m_feedback.Click();
}

void TGpsInfo::DoneBtnClick()
{
    click();
    done(QDialog::Accepted);
    hide();
}

void TGpsInfo::ResetGpsBtnClick()
{
    click();
    m_receiver.Reset();
}

void TGpsInfo::AddGraphPoint(const QColor& colour, double value)
{
    if (!SpeedGraph)
        return;
    SpeedGraph->DataPoint(colour, value);
    SpeedGraph->Update();
}

void TGpsInfo::ClearGraphBtnClick()
{
    click();
    for (int i = 0; i < 999; ++i) {
        SpeedGraph->DataPoint(Red, 0);
        SpeedGraph->Update();
    }
}

// ---------------------------------------------------------------- window

void TGpsInfo::paintEvent(QPaintEvent*)
{
    // The blue frame around the white panel, as the other dialogs have.
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0, 0, 255));
}

void TGpsInfo::keyPressEvent(QKeyEvent* event)
{
    // ResetGpsBtn is the screen's default button; the screen has no cancel button, so
    // Escape does not close it (DoneBtn does).
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        ResetGpsBtnClick();
        return;
    }
    if (event->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(event);
}

void TGpsInfo::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    showReceiver();
    centreOnWindow(*this, *m_mainWindow);
}
