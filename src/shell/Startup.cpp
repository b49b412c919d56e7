#include "shell/Startup.h"

#include "config/Settingsunit.h"
#include "dialogs/Myerrorunit.h"
#include "dialogs/Mypromptunit.h"
#include "gps/Gpsinfounit.h"
#include "home/Welcomeframeunit.h"
#include "mpris/MainFormRemote.h"
#include "mpris/MprisService.h"
#include "phone/PhoneForm.h"
#include "phone/PhoneSource.h"
#include "playback/NowPlaying.h"
#include "playback/Videoframeunit.h"
#include "playlists/Mediaframeunit.h"
#include "playlists/Openplaylistunit.h"
#include "shell/Mainunit.h"
#include "tools/Mymainmenuunit.h"
#include "tools/Systemframeunit.h"
#include "widgets/TouchButton.h"

#include <QMessageBox>
#include <QTimer>

namespace Startup {

namespace {

// The main window's start state, in this order: the volume, the empty playlist caption,
// the settings, the home screen and the timers.
void startMainWindow(TMainForm& mainWindow)
{
    TSettingsForm& options = *mainWindow.SettingsForm;
    mainWindow.StartVolume();
    mainWindow.nowPlaying().emptyPlaylist();
    options.LoadAndApplySettings();
    mainWindow.ShowScreen(TMainForm::Home);
    mainWindow.VolumeTimer->start();
    mainWindow.FlashTimer->start();
    mainWindow.WelcomeFrame1->startTimers();
    options.DayNightTimer->start();
    // Looking for devices, asking for gpsd and loading the lists' type are nothing the home
    // screen waits for.
    mainWindow.firstPaint().afterFirstPaint([&options] { options.completeHardwarePage(); });
}

// The driver's phone as a source and its pairing, once Bluetooth has been looked for.
void startPhones(TMainForm& mainWindow, TPhoneForm& phones)
{
    Services& platform = mainWindow.services();
    if (!platform.connectBluetooth)
        return;
    Bluetooth* bluetooth = platform.connectBluetooth().release();
    bluetooth->setParent(&mainWindow);
    auto* source = new PhoneSource(*bluetooth, mainWindow.nowPlaying(), mainWindow.MediaPlayer1(), &mainWindow);
    mainWindow.playback().setExternalSource(source);
    phones.attach(*bluetooth);
}

} // namespace

std::optional<QString> resolutionRefusal(QSize screen)
{
    if (screen == QSize(800, 600))
        return std::nullopt;
    return QStringLiteral("Karvex must be run at a screen resolution of 800x600\n")
        + QStringLiteral("System Reports ") + QString::number(screen.width()) + u'x' + QString::number(screen.height())
        + QStringLiteral(" \n") + QStringLiteral("Please change to 800x600 and restart Karvex");
}

std::unique_ptr<TMainForm> createWindows(Services services)
{
    auto owner = std::make_unique<TMainForm>(std::move(services));
    TMainForm* mainWindow = owner.get();
    Services& platform = mainWindow->services();
    Feedback& feedback = mainWindow->feedback();
    Notices& notices = mainWindow->notices();
    mainWindow->MyMainMenu = new TMyMainMenu(mainWindow, platform, feedback, notices);
    mainWindow->MyError = new TMyError(mainWindow, feedback);
    mainWindow->MyPrompt = new TMyPrompt(mainWindow, feedback);
    notices.attach(mainWindow->MyError, mainWindow->MyPrompt);
    mainWindow->OpenPlaylistForm = new TOpenPlaylistForm(mainWindow, feedback, notices, platform.dataFolder);
    mainWindow->MediaFrame1->setPlaylistChooser(mainWindow->OpenPlaylistForm);

    mainWindow->SettingsForm = new TSettingsForm(
        mainWindow, mainWindow->settings(), configFilePath(platform.dataFolder), mainWindow->settingsAppliers(), feedback,
        notices, *platform.fileOpenDialog, *platform.backlight, mainWindow->resumeKeeper(), mainWindow->gpsReceiver());
    QObject::connect(mainWindow->SettingsForm, &TSettingsForm::launcherPathChanged, mainWindow->SystemFrame1,
                     &TSystemFrame::updateToolsButton);
    startMainWindow(*mainWindow);
    mainWindow->VideoFrame1->ApplyColourMode(feedback.liveSetting(LiveSetting::DayColours));
    QObject::connect(mainWindow->SettingsForm, &TSettingsForm::colourModeChanged, mainWindow->VideoFrame1,
                     &TVideoFrame::ApplyColourMode);

    mainWindow->GpsInfo = new TGpsInfo(mainWindow, mainWindow->gpsReceiver(), mainWindow->settings(), feedback.live(), feedback,
                                 mainWindow->firstPaint(), platform.createSerialPort);
    TouchButton* gpsMark = mainWindow->WelcomeFrame1->SpeedStatusDisplay;
    gpsMark->setToolTip(mainWindow->GpsInfo->GpsStatusHint());
    QObject::connect(mainWindow->GpsInfo, &TGpsInfo::gpsStatusHintChanged, gpsMark, &QWidget::setToolTip);
    QObject::connect(mainWindow->WelcomeFrame1, &TWelcomeFrame::gpsInfoRequested, mainWindow->GpsInfo, &QDialog::exec);
    QObject::connect(mainWindow->WelcomeFrame1, &TWelcomeFrame::speedGraphPoint, mainWindow->GpsInfo, &TGpsInfo::AddGraphPoint);

    auto* phones = new TPhoneForm(mainWindow, feedback, notices, mainWindow->settings());
    QObject::connect(mainWindow->MyMainMenu, &TMyMainMenu::phonesRequested, phones, &TPhoneForm::open);
    // Connecting to the system bus and asking bluetoothd are nothing the home screen waits for.
    mainWindow->firstPaint().afterFirstPaint([mainWindow, phones] { startPhones(*mainWindow, *phones); });
    return owner;
}

std::unique_ptr<MprisService> startRemoteControl(TMainForm& mainWindow)
{
    auto* remote = new MainFormRemote(mainWindow, *mainWindow.MediaFrame1, *mainWindow.MyMainMenu, mainWindow.nowPlaying(), mainWindow.MediaPlayer1(),
                                      mainWindow.feedback());
    return MprisService::startOnSessionBus(*remote);
}

} // namespace Startup

KarvexApplication::KarvexApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Karvex"));
}

bool KarvexApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        showException(error.what());
    } catch (...) {
        showException("Unknown error");
    }
    return false;
}

void showException(const char* what)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Karvex"), QString::fromLocal8Bit(what), QMessageBox::Ok);
    box.exec();
}
