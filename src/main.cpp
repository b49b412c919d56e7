// Karvex: the touch-screen front end of a car PC.
#include "mpris/MainFormRemote.h"
#include "mpris/MprisService.h"
#include "platform/StandardDescriptors.h"
#include "shell/Mainunit.h"
#include "shell/Startup.h"

#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <ctime>

namespace {

// With KARVEX_REPORT_FIRST_PAINT set, prints the monotonic time at which the main window's
// first paint has reached the display, for bench/measure-process.sh.
class FirstPaintReport : public QObject {
public:
    explicit FirstPaintReport(QWidget* window)
        : QObject(window)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, this, [] { // after the painted picture is flushed
                timespec now{};
                clock_gettime(CLOCK_MONOTONIC, &now);
                std::fprintf(stderr, "first paint at %lld.%09ld\n", static_cast<long long>(now.tv_sec), now.tv_nsec);
            });
        }
        return false;
    }
};

} // namespace

int main(int argc, char** argv)
{
    keepStandardDescriptorsOpen();
    KarvexApplication app(argc, argv);
    try {
        const QScreen* screen = QGuiApplication::primaryScreen();
        if (std::optional<QString> refusal = Startup::resolutionRefusal(screen->size())) {
            QMessageBox box(QMessageBox::NoIcon, QString(), *refusal, QMessageBox::Ok);
            box.exec();
            return 0;
        }
        std::unique_ptr<TMainForm> mainForm =
            Startup::createWindows(realServices(QCoreApplication::applicationDirPath()));
        if (qEnvironmentVariableIsSet("KARVEX_REPORT_FIRST_PAINT"))
            new FirstPaintReport(mainForm.get());
        mainForm->move(screen->geometry().topLeft());
        mainForm->show();
        // Ends before the main window does.
        const std::unique_ptr<MprisService> mpris = startMpris(*mainForm);
        QObject::connect(mainForm.get(), &TMainForm::closed, &app, &QCoreApplication::quit);
        app.exec();
    } catch (const std::exception& error) {
        showException(error.what());
        return 1; // not the driver's EXIT: the kiosk session starts Karvex again
    }
    return 0;
}
