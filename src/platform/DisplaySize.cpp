#include "platform/DisplaySize.h"

#include <X11/Xlib.h>

namespace DisplaySize {

std::optional<QSize> ofDefaultScreen()
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return std::nullopt;
    const int screen = DefaultScreen(display);
    const QSize size(DisplayWidth(display, screen), DisplayHeight(display, screen));
    XCloseDisplay(display);
    return size;
}

} // namespace DisplaySize
