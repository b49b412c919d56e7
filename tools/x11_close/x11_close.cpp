// x11_close TITLE: sends WM_DELETE_WINDOW to every top-level window named TITLE on
// $DISPLAY, the close request a window manager sends. Exits 1 when no window matched.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstring>

namespace {

// Windows may vanish while the tree is walked; such errors are not ours to report.
int ignoreErrors(Display*, XErrorEvent*)
{
    return 0;
}

bool hasTitle(Display* display, Window window, const char* title)
{
    char* name = nullptr;
    if (!XFetchName(display, window, &name) || !name)
        return false;
    const bool match = std::strcmp(name, title) == 0;
    XFree(name);
    return match;
}

int closeMatching(Display* display, Window parent, const char* title, Atom protocols, Atom deleteWindow)
{
    Window root = 0;
    Window parentOut = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, parent, &root, &parentOut, &children, &count))
        return 0;
    int closed = 0;
    for (unsigned int i = 0; i < count; ++i) {
        if (hasTitle(display, children[i], title)) {
            XEvent event{};
            event.xclient.type = ClientMessage;
            event.xclient.window = children[i];
            event.xclient.message_type = protocols;
            event.xclient.format = 32;
            event.xclient.data.l[0] = long(deleteWindow);
            event.xclient.data.l[1] = CurrentTime;
            XSendEvent(display, children[i], False, NoEventMask, &event);
            ++closed;
        }
        closed += closeMatching(display, children[i], title, protocols, deleteWindow);
    }
    if (children)
        XFree(children);
    return closed;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: x11_close WINDOW_TITLE\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "x11_close: cannot open the display\n");
        return 2;
    }
    XSetErrorHandler(ignoreErrors);
    const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    const Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    const int closed = closeMatching(display, DefaultRootWindow(display), argv[1], protocols, deleteWindow);
    XSync(display, False);
    XCloseDisplay(display);
    return closed > 0 ? 0 : 1;
}
