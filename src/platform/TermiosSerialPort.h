#pragma once
// The real SerialPort: a POSIX terminal device through termios.
//
// open: the port name goes through SerialPorts::devicePath ("COM3" -> /dev/ttyS2, a path
// as it is); the device is opened read-write without becoming the controlling terminal,
// claimed exclusively (flock and TIOCEXCL, so a port another program holds fails like a
// missing one, and nobody else can open it afterwards), and set to 4800 baud (or the rate
// of setBaudRate: 9600, 19200, 38400, 57600 or 115200), 8 data bits,
// no parity, 1 stop bit, raw, no flow control, VMIN 0 / VTIME 1. The line settings found
// at open are restored at close.
//
// reopen: open again with the name last given to open, so a name that stands for a
// device path or symlink (COM3, /dev/ttyUSB0, /dev/serial/by-id/...) is looked up afresh
// and the device found there gets the same line settings.
//
// read: waits up to 100 ms for the first byte; from then on lets bytes gather for 80 ms
// (GatheringRead), or returns at once when maxBytes are already there. So a read wakes
// the reading thread twice, not for every few bytes a slow receiver sends, and a byte
// waits at most 80 ms for its read to return. Data when
// something arrived; Timeout when nothing did; Gone when the device reports a hang-up or
// an error (an unplugged adapter, the master side of a pseudo-terminal closed), which a
// plain read cannot tell from a timeout.
#include "platform/SerialPort.h"

#include <QString>

#include <termios.h>

class TermiosSerialPort : public SerialPort {
public:
    static constexpr int ReadTimeoutMs = 100;

    TermiosSerialPort();
    ~TermiosSerialPort() override;

    bool open(const QString& name) override;
    bool reopen() override;
    bool isOpen() const override { return m_fd >= 0; }
    bool setBaudRate(int baud) override;
    ReadResult read(char* buffer, int maxBytes, int& received) override;
    void purge() override;
    void close() override;

    // The open file descriptor, or -1 (tests).
    int descriptor() const { return m_fd; }

private:
    int m_fd = -1;
    QString m_name; // last given to open
    speed_t m_speed = B4800;
    termios m_saved{};
};
