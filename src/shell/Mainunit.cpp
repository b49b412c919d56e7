#include "shell/Mainunit.h"

#include "config/Settingsunit.h"
#include "gps/Gpsinfounit.h"
#include "home/Welcomeframeunit.h"
#include "platform/Pointer.h"
#include "platform/SaveFailure.h"
#include "playback/ResumeKeeper.h"
#include "playback/Videoframeunit.h"
#include "playlists/Filesframeunit.h"
#include "playlists/Mediaframeunit.h"
#include "tags/Trackinfounit.h"
#include "tools/Mymainmenuunit.h"
#include "tools/Systemframeunit.h"
#include "widgets/CaptionPanel.h"
#include "widgets/Placement.h"
#include "widgets/TouchButton.h"
#include "widgets/TrackBar.h"

#include <QApplication>
#include <QCloseEvent>
#include <QTimer>

namespace {

const QColor Lime(0, 255, 0);
const QColor Red(255, 0, 0);
const QColor Black(0, 0, 0);

} // namespace

TMainForm::TMainForm(Services services)
    : QWidget(nullptr, Qt::FramelessWindowHint)
    , m_services(std::move(services))
    , m_feedback(*m_services.wavePlayer,
                 m_services.createSpeechEngine ? m_services.createSpeechEngine() : nullptr, m_live)
    , m_notices(this, *m_services.messageBox, m_feedback)
    , m_firstPaint(m_services.startAfterFirstPaint)
{
    setObjectName(QStringLiteral("TMainForm"));
    setWindowTitle(QStringLiteral("MEDIA"));
    setFixedSize(800, 600);
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);

    buildColumns();
    buildScreens();
    m_resume = std::make_unique<ResumeKeeper>(*this, m_services.dataFolder, m_settings, MediaPlayer1(),
                                              MediaFrame1->playlist(), m_nowPlaying, *m_volume, *m_playback);
    m_keys = new MediaKeys(*this);
}

// The GPS screen's reader feeds the receiver: it stops before the receiver goes.
TMainForm::~TMainForm()
{
    delete GpsInfo;
}

void TMainForm::buildColumns()
{
    LeftBtnPanel = new CaptionPanel(QStringLiteral(" Main Menu"), this);
    LeftBtnPanel->setObjectName(QStringLiteral("LeftBtnPanel"));
    LeftBtnPanel->setGeometry(8, 8, 125, 589);
    RightBtnPanel = new CaptionPanel(QStringLiteral(" Media"), this);
    RightBtnPanel->setObjectName(QStringLiteral("RightBtnPanel"));
    RightBtnPanel->setGeometry(667, 8, 125, 589);

    HomeBtn = placeButton(LeftBtnPanel, "HomeBtn", QStringLiteral("HOME"), {5, 32, 105, 62}, 21);
    PlaylistBtn = placeButton(LeftBtnPanel, "PlaylistBtn", QStringLiteral("Playlist"), {5, 100, 105, 62}, 21);
    TrackBtn = placeButton(LeftBtnPanel, "TrackBtn", QStringLiteral("Track"), {3, 168, 105, 62}, 21);
    ToolsBtn = placeButton(LeftBtnPanel, "ToolsBtn", QStringLiteral("Tools"), {3, 236, 105, 62}, 21);
    ToolsBtn->hide();
    SettingsBtn = placeButton(LeftBtnPanel, "SettingsBtn", QStringLiteral("Options"), {4, 371, 105, 62}, 21);
    SystemBtn = placeButton(LeftBtnPanel, "SystemBtn", QStringLiteral("System"), {4, 439, 105, 62}, 21);
    TrackPrevBtn = placeButton(LeftBtnPanel, "TrackPrevBtn", QString(), {3, 508, 54, 62}, 21, Glyph::Previous);
    TrackNextBtn = placeButton(LeftBtnPanel, "TrackNextBtn", QString(), {56, 508, 54, 62}, 21, Glyph::Next);

    PlayBtn = placeButton(RightBtnPanel, "PlayBtn", QString(), {5, 32, 105, 62}, 21, Glyph::Play);
    StopBtn = placeButton(RightBtnPanel, "StopBtn", QString(), {5, 100, 105, 62}, 21, Glyph::Stop);

    VolumeBar = new TrackBar(Qt::Vertical, RightBtnPanel);
    VolumeBar->setObjectName(QStringLiteral("VolumeBar"));
    VolumeBar->setGeometry(8, 168, 97, 294);
    VolumeBar->setRange(0, VolumeControl::FullVolume);
    VolumeBar->setStep(6553, 6553);
    VolumeBar->setShowProgress(false);
    VolumeBar->setValueText(QStringLiteral("-----"));
    VolumeProgress = new ProgressBar(RightBtnPanel);
    VolumeProgress->setObjectName(QStringLiteral("VolumeProgress"));
    VolumeProgress->setGeometry(8, 468, 97, 34);
    VolumeProgress->setRange(0, VolumeControl::FullVolume);
    VolumeProgress->setFormat(QStringLiteral("%.0f%%"));
    MuteBtn = placeButton(RightBtnPanel, "MuteBtn", QStringLiteral("MUTE"), {5, 508, 105, 62}, 27);
    MuteBtn->setCaptionColour(Black);
    MuteBtn->setBevelColour(Black);
    m_volume = std::make_unique<MasterVolume>(*VolumeBar, *VolumeProgress, *MuteBtn, *m_services.mixer, m_feedback);

    VolumeTimer = new QTimer(this);
    VolumeTimer->setInterval(250);
    FlashTimer = new QTimer(this);
    FlashTimer->setInterval(500);

    using Handler = void (TMainForm::*)();
    const std::pair<TouchButton*, Handler> taps[] = {
        {HomeBtn, &TMainForm::HomeBtnClick},         {PlaylistBtn, &TMainForm::PlaylistBtnClick},
        {TrackBtn, &TMainForm::TrackBtnClick},       {ToolsBtn, &TMainForm::ToolsBtnClick},
        {SettingsBtn, &TMainForm::SettingsBtnClick}, {SystemBtn, &TMainForm::SystemBtnClick},
        {PlayBtn, &TMainForm::PlayBtnClick},         {StopBtn, &TMainForm::StopBtnClick},
        {TrackPrevBtn, &TMainForm::TrackPrevBtnClick}, {TrackNextBtn, &TMainForm::TrackNextBtnClick},
        {MuteBtn, &TMainForm::MuteBtnClick}};
    for (const auto& [button, handler] : taps)
        connect(button, &QAbstractButton::clicked, this, handler);
    for (TouchButton* player : {PlayBtn, StopBtn, TrackPrevBtn, TrackNextBtn})
        connect(player, &QAbstractButton::clicked, this, &TMainForm::playerTapped);
    connect(LeftBtnPanel, &CaptionPanel::clicked, this, &TMainForm::LeftBtnPanelClick);
    connect(RightBtnPanel, &CaptionPanel::clicked, this, &TMainForm::RightBtnPanelClick);
    connect(VolumeBar, &TrackBar::positionChanged, this, &TMainForm::volumeChanged);
    connect(VolumeTimer, &QTimer::timeout, this, &TMainForm::VolumeTimerTimer);
    connect(FlashTimer, &QTimer::timeout, this, &TMainForm::FlashTimerTimer);
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive)
            ApplicationEvents1Activate();
        else if (state == Qt::ApplicationInactive)
            ApplicationEvents1Deactivate();
    });
}

void TMainForm::buildScreens()
{
    MediaPlayer& player = MediaPlayer1();
    WelcomeFrame1 = new TWelcomeFrame(this, m_nowPlaying, m_gps, m_feedback, m_notices);
    MediaFrame1 = new TMediaFrame(this, player, m_nowPlaying, m_feedback, m_notices, *this, m_services.dataFolder);
    VideoFrame1 = new TVideoFrame(this, player);
    m_playback = std::make_unique<PlaybackController>(player, MediaFrame1->playlist(), *MediaFrame1, m_nowPlaying,
                                                      m_feedback, m_notices, *this, *VideoFrame1,
                                                      m_services.programFolder);
    FilesFrame1 = new TFilesFrame(this, m_firstPaint, m_settingsAppliers, m_settings, MediaFrame1->playlist(),
                                  *m_playback, m_feedback, m_notices);
    SystemFrame1 = new TSystemFrame(this, m_settings, m_settingsAppliers, m_feedback, m_notices, *m_services.shell);
    WelcomeFrame1->setObjectName(QStringLiteral("WelcomeFrame1"));
    MediaFrame1->setObjectName(QStringLiteral("MediaFrame1"));
    FilesFrame1->setObjectName(QStringLiteral("FilesFrame1"));
    VideoFrame1->setObjectName(QStringLiteral("VideoFrame1"));
    SystemFrame1->setObjectName(QStringLiteral("SystemFrame1"));
    m_screens = {WelcomeFrame1, MediaFrame1, FilesFrame1, VideoFrame1, SystemFrame1};
    for (QWidget* screen : m_screens) {
        screen->setGeometry(MiddleArea);
        screen->hide();
    }
    TrackInfoForm = new TTrackInfoForm(this, m_nowPlaying, m_feedback);
    TrackInfoForm->setGeometry(MiddleArea);
    TrackInfoForm->hide();

    WelcomeFrame1->setPositionTick([this] { return m_playback->PositionTick(); });
    connect(MediaFrame1, &TMediaFrame::playRequested, this, &TMainForm::PlayBtnClick);
    connect(SystemFrame1, &TSystemFrame::toolsConfigured, ToolsBtn, &QWidget::setVisible);
}

// ---------------------------------------------------------------- screens

void TMainForm::ShowScreen(int screen)
{
    if (screen == 0)
        screen = TrackInfo;
    else if (screen == 7)
        screen = Home;
    update();
    if (screen < Home || screen > TrackInfo)
        return;

    for (int i = 0; i < m_screens.size(); ++i)
        m_screens[i]->setVisible(i + 1 == screen);
    TrackInfoForm->setVisible(screen == TrackInfo);
    m_screen = screen;
    if (screen != Home && screen != VehicleTools)
        MediaPlayer1().prepare(); // the driver is choosing media: have the player ready

    if (screen != Video) {
        HomeBtn->setBevelColour(screen == Home ? Lime : Black);
        PlaylistBtn->setBevelColour(screen == Playlist ? Lime : screen == Files ? Red : Black);
        ToolsBtn->setBevelColour(screen == VehicleTools ? Lime : Black);
        TrackBtn->setBevelColour(screen == TrackInfo ? Lime : Black);
    }
    update();
}

void TMainForm::HomeBtnClick()
{
    m_feedback.ClickAndSpeak(QStringLiteral("Home"));
    ShowScreen(Home);
}

void TMainForm::PlaylistBtnClick()
{
    m_feedback.ClickAndSpeak(QStringLiteral("Play list"));
    ShowScreen(Playlist);
}

void TMainForm::TrackBtnClick()
{
    m_feedback.ClickAndSpeak(QStringLiteral("Track."));
    ShowScreen(TrackInfo);
}

void TMainForm::ToolsBtnClick()
{
    m_feedback.ClickAndSpeak(QStringLiteral("Tools"));
    ShowScreen(VehicleTools);
}

void TMainForm::SettingsBtnClick()
{
    m_feedback.ClickAndSpeak(QStringLiteral("Options"));
    SettingsForm->exec();
}

void TMainForm::SystemBtnClick()
{
    m_feedback.ClickAndSpeak(QStringLiteral("System."));
    centreOnWindow(*MyMainMenu, *this);
    MyMainMenu->exec();
}

void TMainForm::LeftBtnPanelClick()
{
    Pointer::toggle();
}

void TMainForm::RightBtnPanelClick()
{
    Pointer::toggle();
}

// ---------------------------------------------------------------- application events

void TMainForm::ApplicationEvents1Activate()
{
    if (m_live.isOn(LiveSetting::HideMouse))
        Pointer::hide();
}

void TMainForm::ApplicationEvents1Restore()
{
    ApplicationEvents1Activate();
}

void TMainForm::ApplicationEvents1Deactivate()
{
    Pointer::show();
}

void TMainForm::ApplicationEvents1Minimize()
{
    Pointer::show();
}

void TMainForm::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::WindowStateChange) {
        const auto* change = static_cast<QWindowStateChangeEvent*>(event);
        if (isMinimized())
            ApplicationEvents1Minimize();
        else if (change->oldState() & Qt::WindowMinimized)
            ApplicationEvents1Restore();
    }
    QWidget::changeEvent(event);
}

// ---------------------------------------------------------------- closing

void TMainForm::closeEvent(QCloseEvent* event)
{
    FormClose();
    event->accept();
    emit closed();
}

void TMainForm::FormClose()
{
    if (m_closed)
        return;
    m_closed = true;
    m_resume->finish();
    // The player's video output lives in a window of ours; it must go while that does.
    if (MediaPlayer1().isOpen())
        MediaPlayer1().close();
    if (int error = 0; !m_settings.save(configFilePath(m_services.dataFolder), error))
        m_notices.ShowMessage(QStringLiteral("FILE ERROR\n\nError Saving config.ini")
                              + SaveFailure::reasonLine(error, QStringLiteral("Try running Karvex as Administrator")));
    Pointer::show();
    QCoreApplication::processEvents();
    m_feedback.releaseSpeech();
}
