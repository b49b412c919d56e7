#pragma once
// The size of the X display the program will show on, asked before Qt starts (Qt takes
// its scale factor only then). Asked of the X server directly: a second application object
// made and dropped only to measure the screen can leave Qt's X connection hanging.
#include <QSize>
#include <optional>

namespace DisplaySize {

// The default screen of $DISPLAY in pixels; nothing without a display to open.
std::optional<QSize> ofDefaultScreen();

} // namespace DisplaySize
