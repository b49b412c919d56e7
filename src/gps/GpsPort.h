#pragma once
// The GPS port's life for one run, without any window: opening the port named
// by GPSPort with its status texts, the reader thread, the per-chunk check of GPSEnabled,
// and the shutdown that stops the reader before the port is closed. TGpsInfo's
// FormCreate and FormDestroy are thin calls into this.
//
// A port that cannot be opened at start is not given up: the reader tries it again as it
// does a device that was unplugged, so a receiver plugged in later, a USB device that
// enumerates after start-up or a gpsd started later is read once it is there.
#include "config/GpsSettings.h"
#include "gps/Commsthreadunit.h"
#include "platform/SerialPort.h"

#include <QByteArray>
#include <QColor>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class GpsPort {
public:
    // The port for a name (a serial line, or gpsd).
    using CreatePort = std::function<std::unique_ptr<SerialPort>(const QString& portName)>;
    // Window thread, per chunk: whether GPS input is enabled (GpsBtn down) ...
    using IsEnabled = std::function<bool()>;
    // ... and, when it is, the chunk as 8-bit text up to its first zero byte.
    using ReceiveText = std::function<void(const QByteArray& text)>;

    static const QColor OpenColour;  // RGB 0,128,0
    static const QColor ErrorColour; // RGB 255,0,0

    GpsPort(CreatePort createPort, IsEnabled isEnabled, ReceiveText receiveText);
    // Close().
    ~GpsPort();

    // FormCreate steps 2-8: "NONE" (exactly) opens nothing; any other name, the empty one
    // included, is tried at `baudRate`, or with the rates searched in turn when it is
    // nullopt (GPSBaud=AUTO). The reader starts whenever there is a port to try, opened
    // or not: it reads one that opened and keeps trying one that did not. Call once.
    void Open(const QString& portName, std::optional<int> baudRate = GpsBaud::DefaultRate);
    // FormDestroy: stop the reader (joined), then purge and close the port. Safe to call
    // more than once.
    void Close();

    // The port-open flag: whether the port has been opened (at Open, or later by the
    // reader) and not closed by Close.
    bool PortOpen() const;
    // What the screen's Port field shows, and in which colour (empty until Open): the name
    // in green while the port is open; "ERROR " and the name in red until a port that
    // could not be opened is; the name in red while the device is gone (unplugged, gpsd
    // stopped) until it is reopened.
    QString PortText() const;
    QColor PortColour() const;
    // The GPS status hint set by Open (empty when the port opened).
    const QString& StatusHint() const { return m_statusHint; }

    // The reader while it runs (whenever a port is tried), the port while it is owned.
    TRead* Reader() const { return m_reader.get(); }
    SerialPort* Port() const { return m_port.get(); }

    // The chunk hand-over (DeliverChunk), public for tests.
    void DeliverChunk(const char* text);

private:
    CreatePort m_createPort;
    IsEnabled m_isEnabled;
    ReceiveText m_receiveText;
    std::unique_ptr<SerialPort> m_port;
    std::unique_ptr<TRead> m_reader;
    bool m_openedAtStart = false;
    QString m_portName;
    QString m_portText; // as Open left it
    QString m_statusHint;
};
