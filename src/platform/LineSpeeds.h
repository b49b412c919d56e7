#pragma once
// The line speeds a GPS receiver's serial line is run at, as termios names them.
#include <optional>

#include <termios.h>

namespace LineSpeeds {

// The termios speed for `baud` (4800, 9600, 19200, 38400, 57600 or 115200); none for
// other rates.
inline std::optional<speed_t> speedOf(int baud)
{
    switch (baud) {
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    default: return std::nullopt;
    }
}

} // namespace LineSpeeds
