#include "platform/DisplaySize.h"

#include <X11/Xlib.h>
#include <memory>
#include <thread>

namespace DisplaySize {

namespace {

// An X server that resets because its last client has just left (the session's `xset`, a
// check that it is up) refuses connections for a moment.
Display* openDisplay()
{
    constexpr int Attempts = 40;
    constexpr std::chrono::milliseconds Pause(50);
    Display* display = XOpenDisplay(nullptr);
    for (int attempt = 1; !display && attempt < Attempts && !qEnvironmentVariableIsEmpty("DISPLAY"); ++attempt) {
        std::this_thread::sleep_for(Pause);
        display = XOpenDisplay(nullptr);
    }
    return display;
}

} // namespace

std::optional<QSize> ofDefaultScreen()
{
    // The connection stays open while the program runs: closing it could reset the server
    // just as Qt makes its own connection, which would then be refused.
    static const std::unique_ptr<Display, int (*)(Display*)> display(openDisplay(), XCloseDisplay);
    if (!display)
        return std::nullopt;
    const int screen = DefaultScreen(display.get());
    return QSize(DisplayWidth(display.get(), screen), DisplayHeight(display.get(), screen));
}

} // namespace DisplaySize
