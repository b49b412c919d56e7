// Karvex: the touch-screen front end of a car PC.
#include "mpris/MprisService.h"
#include "platform/StandardDescriptors.h"
#include "platform/TerminationSignals.h"
#include "shell/FirstPaintReport.h"
#include "shell/FittedScreen.h"
#include "shell/Mainunit.h"
#include "shell/Startup.h"

#include <QMessageBox>
#include <QScreen>

int main(int argc, char** argv)
{
    keepStandardDescriptorsOpen();
    const std::optional<double> fitScale = FittedScreen::prepare();
    KarvexApplication app(argc, argv);
    try {
        const QScreen* screen = QGuiApplication::primaryScreen();
        if (std::optional<QString> refusal = Startup::resolutionRefusal(screen->size()); refusal && !fitScale) {
            QMessageBox box(QMessageBox::NoIcon, QString(), *refusal, QMessageBox::Ok);
            box.exec();
            return 0;
        }
        // A power-off or a stop (SIGTERM), or the terminal or session going away, closes the
        // program as the window's close does, with no box left waiting for a tap.
        TerminationSignals termination;
        Services services = realServices(QCoreApplication::applicationDirPath());
        std::unique_ptr<TMainForm> mainWindow = Startup::createWindows(std::move(services));
        QObject::connect(&termination, &TerminationSignals::received, mainWindow.get(), [&window = *mainWindow] {
            window.notices().setUnattended();
            window.close();
        });
        new FirstPaintReport(mainWindow.get(), [window = mainWindow.get()] { window->firstPaint().firstPaintDone(); });
        const std::unique_ptr<QWidget> surround = FittedScreen::show(*mainWindow, *screen, fitScale);
        // Ends before the main window does. Connecting to the session bus can take long
        // (without one, D-Bus tries to start one), so it waits for the home screen.
        std::unique_ptr<MprisService> mpris;
        mainWindow->firstPaint().afterFirstPaint(
            [&mpris, &window = *mainWindow] { mpris = Startup::startRemoteControl(window); });
        QObject::connect(mainWindow.get(), &TMainForm::closed, &app, &QCoreApplication::quit);
        app.exec();
    } catch (const std::exception& error) {
        showException(error.what());
        return 1; // not the driver's EXIT: the kiosk session starts Karvex again
    }
    return 0;
}
