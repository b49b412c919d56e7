#pragma once
// The receiver read through gpsd: the local gpsd (port name "gpsd") or one named
// "gpsd://HOST:PORT" ("gpsd://HOST" for port 2947). gpsd keeps the device, so navigation
// software can use the same receiver, and brings its own hot-plug and baud detection.
//
// open connects over TCP and asks for gpsd's NMEA stream
// (?WATCH={"enable":true,"nmea":true}); read hands over that stream like a serial line's
// bytes (gpsd's own JSON replies are lines without "$", which the sentence cutting
// skips), gathering bytes as TermiosSerialPort does (GatheringRead). A gpsd that is not running fails the open like a missing device; one that goes away
// makes read report Gone, and reopen connects again (also after a failed open).
#include "platform/SerialPort.h"

#include <QString>

class GpsdPort : public SerialPort {
public:
    static constexpr int DefaultPort = 2947;
    static constexpr int ReadTimeoutMs = 100;
    static constexpr int ConnectTimeoutMs = 1000;

    // Whether a port name stands for gpsd: "gpsd" (any letter case) or "gpsd://...".
    static bool isGpsdName(const QString& name);
    // Whether a gpsd answers on this machine's port 2947 within `timeoutMs`.
    static bool localGpsdAnswers(int timeoutMs = 300);

    GpsdPort() = default;
    ~GpsdPort() override;

    bool open(const QString& name) override;
    bool reopen() override;
    bool isOpen() const override { return m_fd >= 0; }
    bool setBaudRate(int) override { return true; } // gpsd sets the receiver's speed
    ReadResult read(char* buffer, int maxBytes, int& received) override;
    void purge() override;
    void close() override;

private:
    int m_fd = -1;
    QString m_name; // last given to open
};
