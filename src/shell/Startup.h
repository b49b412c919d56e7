#pragma once
// Program start: the display check, the windows in their order, and an application
// object that keeps an escaping exception from ending the program.
#include "platform/Services.h"

#include <QApplication>
#include <QSize>
#include <memory>
#include <optional>

class MprisService;
class TMainForm;

namespace Startup {

// The message that refuses a screen that is not exactly 800 x 600, or nothing.
std::optional<QString> resolutionRefusal(QSize screen);

// Creates the main window and then, in this order, the system menu, the notice, the
// prompt and the playlist chooser; the options screen, then starts the main window
// (volume, the empty playlist caption, config.ini, the home screen, the timers); and last
// the GPS information screen (which opens the GPS port after the first paint) and the
// phones' dialog (Bluetooth is looked for after the first paint).
std::unique_ptr<TMainForm> createWindows(Services services);

// The MPRIS remote control over the main window on the session bus; nullptr when there is
// none.
std::unique_ptr<MprisService> startRemoteControl(TMainForm& mainWindow);

} // namespace Startup

class KarvexApplication : public QApplication {
public:
    KarvexApplication(int& argc, char** argv);
    // Shows an exception that escaped an event handler instead of ending the program.
    bool notify(QObject* receiver, QEvent* event) override;
};

// Shows what went wrong in a plain message box.
void showException(const char* what);
