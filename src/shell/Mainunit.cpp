#include "shell/Mainunit.h"

#include "config/Settingsunit.h"
#include "dialogs/Myerrorunit.h"
#include "dialogs/Mypromptunit.h"
#include "home/Welcomeframeunit.h"
#include "platform/Pointer.h"
#include "platform/SaveFailure.h"
#include "playback/PlaybackController.h"
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

#include <QCloseEvent>
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QTimer>

#include <algorithm>

namespace {

const QColor Lime(0, 255, 0);
const QColor Red(255, 0, 0);
const QColor Black(0, 0, 0);

} // namespace

TMainForm::TMainForm(Services services)
    : QWidget(nullptr, Qt::FramelessWindowHint)
    , m_services(std::move(services))
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

    TrackInfoForm = new TTrackInfoForm(this);
    TrackInfoForm->setGeometry(MiddleArea);
    TrackInfoForm->hide();
    m_playback = std::make_unique<PlaybackController>(*this, m_id3);
    m_resume = std::make_unique<ResumeKeeper>(*this, *m_playback);
    qApp->installEventFilter(this);

    if (m_services.createSpeechEngine)
        m_speech = m_services.createSpeechEngine();
}

TMainForm::~TMainForm() = default;

void TMainForm::afterFirstPaint(std::function<void()> work)
{
    if (m_firstPaintDone || !m_services.startAfterFirstPaint)
        work();
    else
        m_afterFirstPaint.push_back(std::move(work));
}

void TMainForm::firstPaintDone()
{
    if (m_firstPaintDone)
        return;
    m_firstPaintDone = true;
    if (m_services.startAfterFirstPaint)
        m_services.startAfterFirstPaint();
    for (const std::function<void()>& work : std::exchange(m_afterFirstPaint, {}))
        work();
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
    VolumeBar->setRange(0, 65535);
    VolumeBar->setStep(6553, 6553);
    VolumeBar->setShowProgress(false);
    VolumeBar->setValueText(QStringLiteral("-----"));
    VolumeProgress = new ProgressBar(RightBtnPanel);
    VolumeProgress->setObjectName(QStringLiteral("VolumeProgress"));
    VolumeProgress->setGeometry(8, 468, 97, 34);
    VolumeProgress->setRange(0, 65535);
    VolumeProgress->setFormat(QStringLiteral("%.0f%%"));
    MuteBtn = placeButton(RightBtnPanel, "MuteBtn", QStringLiteral("MUTE"), {5, 508, 105, 62}, 27);
    MuteBtn->setCaptionColour(Black);
    MuteBtn->setBevelColour(Black);

    VolumeTimer = new QTimer(this);
    VolumeTimer->setInterval(250);
    FlashTimer = new QTimer(this);
    FlashTimer->setInterval(500);

    connect(HomeBtn, &QAbstractButton::clicked, this, &TMainForm::HomeBtnClick);
    connect(PlaylistBtn, &QAbstractButton::clicked, this, &TMainForm::PlaylistBtnClick);
    connect(TrackBtn, &QAbstractButton::clicked, this, &TMainForm::TrackBtnClick);
    connect(ToolsBtn, &QAbstractButton::clicked, this, &TMainForm::ToolsBtnClick);
    connect(SettingsBtn, &QAbstractButton::clicked, this, &TMainForm::SettingsBtnClick);
    connect(SystemBtn, &QAbstractButton::clicked, this, &TMainForm::SystemBtnClick);
    connect(LeftBtnPanel, &CaptionPanel::clicked, this, &TMainForm::LeftBtnPanelClick);
    connect(RightBtnPanel, &CaptionPanel::clicked, this, &TMainForm::RightBtnPanelClick);
    connect(PlayBtn, &QAbstractButton::clicked, this, &TMainForm::PlayBtnClick);
    connect(StopBtn, &QAbstractButton::clicked, this, &TMainForm::StopBtnClick);
    connect(TrackPrevBtn, &QAbstractButton::clicked, this, &TMainForm::TrackPrevBtnClick);
    connect(TrackNextBtn, &QAbstractButton::clicked, this, &TMainForm::TrackNextBtnClick);
    connect(MuteBtn, &QAbstractButton::clicked, this, &TMainForm::MuteBtnClick);
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
    WelcomeFrame1 = new TWelcomeFrame(this);
    MediaFrame1 = new TMediaFrame(this);
    FilesFrame1 = new TFilesFrame(this);
    VideoFrame1 = new TVideoFrame(this);
    SystemFrame1 = new TSystemFrame(this);
    WelcomeFrame1->setObjectName(QStringLiteral("WelcomeFrame1"));
    MediaFrame1->setObjectName(QStringLiteral("MediaFrame1"));
    FilesFrame1->setObjectName(QStringLiteral("FilesFrame1"));
    VideoFrame1->setObjectName(QStringLiteral("VideoFrame1"));
    SystemFrame1->setObjectName(QStringLiteral("SystemFrame1"));
    for (QWidget* screen : screens()) {
        screen->setGeometry(MiddleArea);
        screen->hide();
    }
}

QList<QWidget*> TMainForm::screens() const
{
    return {WelcomeFrame1, MediaFrame1, FilesFrame1, VideoFrame1, SystemFrame1};
}

QString TMainForm::configPath() const
{
    return QDir(dataFolder()).filePath(ConfigFileName);
}

// ---------------------------------------------------------------- feedback

bool TMainForm::liveSetting(LiveSetting setting) const
{
    return SettingsForm && SettingsForm->isOn(setting);
}

void TMainForm::PlayUiSound(const QString& sound, LiveSetting gate)
{
    if (liveSetting(gate))
        m_services.wavePlayer->play(sound);
}

void TMainForm::SpeakText(const QString& text)
{
    if (m_speech)
        m_speech->speak(text, SpeechEngine::Punctuation::Silent);
}

void TMainForm::SpeakPunctuated(const QString& text)
{
    if (m_speech)
        m_speech->speak(text, SpeechEngine::Punctuation::Spoken);
}

void TMainForm::ClickAndSpeak(const QString& phrase)
{
    PlayUiSound(UiSound::Click, LiveSetting::ClickSounds);
    if (liveSetting(LiveSetting::SpeechSounds))
        SpeakText(phrase);
}

void TMainForm::ShowErrorNotice(const QString& text)
{
    MyError->hide();
    PlayUiSound(UiSound::Error, LiveSetting::OtherSounds);
    MyError->showNotice(text);
}

void TMainForm::ShowMessage(const QString& text)
{
    m_services.messageBox->show(this, text);
}

bool TMainForm::AskYesNo(const QString& question)
{
    return MyPrompt->ask(question);
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

    const QList<QWidget*> all = screens();
    for (int i = 0; i < all.size(); ++i)
        all[i]->setVisible(i + 1 == screen);
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
    ClickAndSpeak(QStringLiteral("Home"));
    ShowScreen(Home);
}

void TMainForm::PlaylistBtnClick()
{
    ClickAndSpeak(QStringLiteral("Play list"));
    ShowScreen(Playlist);
}

void TMainForm::TrackBtnClick()
{
    ClickAndSpeak(QStringLiteral("Track."));
    ShowScreen(TrackInfo);
}

void TMainForm::ToolsBtnClick()
{
    ClickAndSpeak(QStringLiteral("Tools"));
    ShowScreen(VehicleTools);
}

void TMainForm::SettingsBtnClick()
{
    ClickAndSpeak(QStringLiteral("Options"));
    SettingsForm->exec();
}

void TMainForm::SystemBtnClick()
{
    ClickAndSpeak(QStringLiteral("System."));
    MyMainMenu->move(geometry().center() - MyMainMenu->rect().center());
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

// ---------------------------------------------------------------- playback

void TMainForm::PlayBtnClick()
{
    m_playback->play();
}

void TMainForm::StopBtnClick()
{
    m_playback->stop();
}

void TMainForm::TrackPrevBtnClick()
{
    m_playback->previous();
}

void TMainForm::TrackNextBtnClick()
{
    m_playback->next();
}

namespace {

using KeyHandler = void (TMainForm::*)();

// What each key does; nullptr for a key the window leaves alone.
KeyHandler handlerOf(int key)
{
    switch (key) {
    case Qt::Key_PageUp:
    case Qt::Key_MediaNext: return &TMainForm::TrackNextBtnClick;
    case Qt::Key_PageDown:
    case Qt::Key_MediaPrevious: return &TMainForm::TrackPrevBtnClick;
    case Qt::Key_MediaPlay: return &TMainForm::PlayBtnClick;
    case Qt::Key_MediaPause:
    case Qt::Key_MediaStop: return &TMainForm::StopBtnClick;
    case Qt::Key_MediaTogglePlayPause: return &TMainForm::PlayPauseKey;
    case Qt::Key_VolumeMute: return &TMainForm::MuteBtnClick;
    case Qt::Key_VolumeUp: return &TMainForm::VolumeUpKey;
    case Qt::Key_VolumeDown: return &TMainForm::VolumeDownKey;
    default: return nullptr;
    }
}

// A window of ours: the main window or one of the windows it owns (the notice, ...).
bool ownedBy(const QWidget* window, const QWidget* mainWindow)
{
    for (; window; window = window->parentWidget() ? window->parentWidget()->window() : nullptr)
        if (window == mainWindow)
            return true;
    return false;
}

} // namespace

bool TMainForm::FormKeyDown(int key)
{
    const KeyHandler handler = handlerOf(key);
    if (!handler)
        return false;
    (this->*handler)();
    return true;
}

void TMainForm::PlayPauseKey()
{
    if (MediaPlayer1().isPlaying())
        StopBtnClick();
    else
        PlayBtnClick();
}

void TMainForm::VolumeUpKey()
{
    stepVolume(1);
}

void TMainForm::VolumeDownKey()
{
    stepVolume(-1);
}

void TMainForm::stepVolume(int steps)
{
    VolumeBar->setPosition(
        std::clamp(VolumeBar->position() + steps * VolumeBar->step(), VolumeBar->minimum(), VolumeBar->maximum()));
    VolumeTimerTimer();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    // The keys act wherever the buttons could be tapped: not under a modal dialog.
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()
        && ownedBy(static_cast<QWidget*>(watched)->window(), this) && !QApplication::activeModalWidget()) {
        const auto* press = static_cast<QKeyEvent*>(event);
        // A held volume key steps on; any other held key acts once.
        const bool steps = press->key() == Qt::Key_VolumeUp || press->key() == Qt::Key_VolumeDown;
        if (press->isAutoRepeat() && !steps)
            return handlerOf(press->key()) != nullptr;
        return FormKeyDown(press->key());
    }
    return QWidget::eventFilter(watched, event);
}

// ---------------------------------------------------------------- volume and mute

void TMainForm::StartVolume()
{
    m_lastAppliedVolume = uint32_t(VolumeBar->position());
    m_muted = false;
    MuteBtn->setCaptionColour(Black);
    MuteBtn->setBevelColour(Black);
    // The mixer may open only after the first paint. A bar the driver has moved by then
    // keeps its place (the volume timer has written it), and a mute tapped meanwhile holds.
    m_services.mixer->whenReady([this, shown = VolumeBar->position()] {
        if (VolumeBar->position() == shown) {
            VolumeBar->setPosition(m_services.mixer->masterVolume());
            VolumeProgress->setPosition(VolumeBar->position());
            m_lastAppliedVolume = uint32_t(VolumeProgress->position());
        }
        m_services.mixer->setMasterMute(m_muted);
    });
}

void TMainForm::VolumeTimerTimer()
{
    // Compared as the whole number written, so a bar resting between two whole values
    // does not write the same volume four times a second.
    const double wanted = VolumeBar->position();
    if (uint32_t(wanted) == m_lastAppliedVolume)
        return;
    m_lastAppliedVolume = uint32_t(wanted);
    VolumeProgress->setPosition(wanted);
    m_services.mixer->setMasterVolume(m_lastAppliedVolume);
    QCoreApplication::processEvents();
}

void TMainForm::MuteBtnClick()
{
    PlayUiSound(UiSound::Click, LiveSetting::ClickSounds);
    const bool speak = liveSetting(LiveSetting::SpeechSounds);
    m_muted = !m_muted;
    if (speak)
        SpeakText(m_muted ? QStringLiteral("Mute on") : QStringLiteral("Mute off"));
    const QColor colour = m_muted ? Red : Black;
    MuteBtn->setCaptionColour(colour);
    MuteBtn->setBevelColour(colour);
    m_services.mixer->setMasterMute(m_muted);
}

void TMainForm::FlashTimerTimer()
{
    if (!m_muted)
        return;
    const QColor colour = MuteBtn->bevelColour() == Red ? Black : Red;
    MuteBtn->setBevelColour(colour);
    MuteBtn->setCaptionColour(colour);
}

// ---------------------------------------------------------------- application events

void TMainForm::ApplicationEvents1Activate()
{
    if (liveSetting(LiveSetting::HideMouse))
        Pointer::hide();
}

void TMainForm::ApplicationEvents1Restore()
{
    if (liveSetting(LiveSetting::HideMouse))
        Pointer::hide();
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
    if (int error = 0; !m_settings.save(configPath(), error))
        ShowMessage(QStringLiteral("FILE ERROR\n\nError Saving config.ini")
                    + SaveFailure::reasonLine(error, QStringLiteral("Try running Karvex as Administrator")));
    Pointer::show();
    QCoreApplication::processEvents();
    m_speech.reset();
}
