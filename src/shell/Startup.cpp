#include "shell/Startup.h"

#include "config/Settingsunit.h"
#include "dialogs/Myerrorunit.h"
#include "dialogs/Mypromptunit.h"
#include "gps/Gpsinfounit.h"
#include "home/Welcomeframeunit.h"
#include "widgets/TouchButton.h"
#include "playlists/Openplaylistunit.h"
#include "shell/Mainunit.h"
#include "tools/Mymainmenuunit.h"

#include <QMessageBox>

namespace Startup {

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
    main->MyMainMenu = new TMyMainMenu(main);
    main->MyError = new TMyError(main);
    main->MyPrompt = new TMyPrompt(main);
    main->OpenPlaylistForm = new TOpenPlaylistForm(main);
    main->SettingsForm = new TSettingsForm(main);
    main->GpsInfo = new TGpsInfo(main);
    TouchButton* gpsMark = main->WelcomeFrame1->SpeedStatusDisplay;
    gpsMark->setToolTip(main->GpsInfo->GpsStatusHint());
    QObject::connect(main->GpsInfo, &TGpsInfo::gpsStatusHintChanged, gpsMark, &QWidget::setToolTip);
    return mainForm;
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
