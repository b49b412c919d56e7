#include "shell/Startup.h"

#include "config/Settingsunit.h"
#include "dialogs/Myerrorunit.h"
#include "dialogs/Mypromptunit.h"
#include "gps/Gpsinfounit.h"
#include "home/Welcomeframeunit.h"
#include "mpris/MainFormRemote.h"
#include "mpris/MprisService.h"
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
void startMainWindow(TMainForm& main)
{
    TSettingsForm& options = *main.SettingsForm;
    main.StartVolume();
    main.nowPlaying().emptyPlaylist();
    options.LoadAndApplySettings();
    main.ShowScreen(TMainForm::Home);
    main.VolumeTimer->start();
    main.FlashTimer->start();
    main.WelcomeFrame1->startTimers();
    options.DayNightTimer->start();
    // Looking for devices, asking for gpsd and loading the lists' type are nothing the home
    // screen waits for.
    main.firstPaint().afterFirstPaint([&options] { options.completeHardwarePage(); });
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
    auto mainForm = std::make_unique<TMainForm>(std::move(services));
    TMainForm* main = mainForm.get();
    Services& platform = main->services();
    Feedback& feedback = main->feedback();
    Notices& notices = main->notices();
    main->MyMainMenu = new TMyMainMenu(main, platform, feedback, notices);
    main->MyError = new TMyError(main, feedback);
    main->MyPrompt = new TMyPrompt(main, feedback);
    notices.attach(main->MyError, main->MyPrompt);
    main->OpenPlaylistForm = new TOpenPlaylistForm(main, feedback, notices, platform.dataFolder);
    main->MediaFrame1->setPlaylistChooser(main->OpenPlaylistForm);

    main->SettingsForm = new TSettingsForm(main, main->settings(), configFilePath(platform.dataFolder), main->settingsAppliers(),
                                           feedback, notices, *platform.fileOpenDialog, main->resumeKeeper(),
                                           main->gpsReceiver());
    QObject::connect(main->SettingsForm, &TSettingsForm::launcherPathChanged, main->SystemFrame1,
                     &TSystemFrame::updateToolsButton);
    startMainWindow(*main);
    main->VideoFrame1->ApplyColourMode(feedback.liveSetting(LiveSetting::DayColours));
    QObject::connect(main->SettingsForm, &TSettingsForm::colourModeChanged, main->VideoFrame1,
                     &TVideoFrame::ApplyColourMode);

    main->GpsInfo = new TGpsInfo(main, main->gpsReceiver(), main->settings(), feedback.live(), feedback,
                                 main->firstPaint(), platform.createSerialPort);
    TouchButton* gpsMark = main->WelcomeFrame1->SpeedStatusDisplay;
    gpsMark->setToolTip(main->GpsInfo->GpsStatusHint());
    QObject::connect(main->GpsInfo, &TGpsInfo::gpsStatusHintChanged, gpsMark, &QWidget::setToolTip);
    QObject::connect(main->WelcomeFrame1, &TWelcomeFrame::gpsInfoRequested, main->GpsInfo, &QDialog::exec);
    QObject::connect(main->WelcomeFrame1, &TWelcomeFrame::speedGraphPoint, main->GpsInfo, &TGpsInfo::AddGraphPoint);
    return mainForm;
}

std::unique_ptr<MprisService> startRemoteControl(TMainForm& main)
{
    auto* remote = new MainFormRemote(main, *main.MediaFrame1, *main.MyMainMenu, main.nowPlaying(), main.MediaPlayer1(),
                                      main.feedback());
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
