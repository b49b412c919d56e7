#pragma once
#include <QString>
#include <QStringList>

// A serial line opened at 4800 baud (or the rate set with setBaudRate), 8 data bits, no
// parity, one stop bit, raw, with a 100 ms read timeout. "COMn" names /dev/ttyS{n-1}; a
// name beginning with "/" is a device path used as it is. The gpsd source (GpsdPort) is
// read through the same interface.
class SerialPort {
public:
    enum class ReadResult { Data, Timeout, Gone };

    virtual ~SerialPort() = default;
    // Exclusive open with the line settings above; false when the port is missing,
    // held by another program or refuses the settings.
    virtual bool open(const QString& name) = 0;
    // Opens again the name last given to open, in the same way, whether that open
    // succeeded or not (for a device that went away, or was not there yet, and may be
    // there now under that name); false when that fails or open was never called.
    virtual bool reopen() = 0;
    virtual bool isOpen() const = 0;
    // The line speed from now on: applied at once when open (dropping what was received
    // at the old speed), and kept for later opens. False for a rate the line cannot take.
    virtual bool setBaudRate(int baud) = 0;
    // Waits up to the read timeout; on Data, `received` holds 1..maxBytes bytes. Gone:
    // the device went away (or the port is closed); it stays gone until opened again.
    virtual ReadResult read(char* buffer, int maxBytes, int& received) = 0;
    // Drops whatever the driver holds unread or unsent.
    virtual void purge() = 0;
    virtual void close() = 0;
};

namespace SerialPorts {
// The device path a port name stands for ("COM3" -> "/dev/ttyS2", "/dev/x" -> itself);
// empty for a name that is neither.
QString devicePath(const QString& name);
// "COM1".."COM10" followed by the serial devices present on this machine.
QStringList offeredNames();
}
