#pragma once
#include "platform/Backlight.h"

#include <QDBusConnection>
#include <QString>

#include <memory>
#include <optional>

// A backlight device of the kernel's backlight class (/sys/class/backlight/NAME).
struct BacklightDevice {
    QString name;
    int maxBrightness = 0;

    // The first device by name under CLASSFOLDER whose max_brightness reads as a number
    // above 0, or nullopt.
    static std::optional<BacklightDevice> first(const QString& classFolder = QStringLiteral("/sys/class/backlight"));
    // The device's brightness value for PERCENT of full, rounded, never below 1: some
    // panels go black at 0.
    int valueFor(int percent) const;
};

// The backlight set through logind (org.freedesktop.login1.Session.SetBrightness), which
// lets the user of the session in front set it without root or a setuid helper.
class LogindBacklight : public Backlight {
public:
    // The first device's backlight in the session the program runs in (XDG_SESSION_ID, or
    // logind's "auto" without it), on the system bus; nullptr without a device or a session.
    // Waits for logind's answer: not for the window thread.
    static std::unique_ptr<Backlight> forThisSession();
    // DEVICE's backlight in the logind session SESSIONID (empty: logind's "auto", the
    // caller's own); nullptr when logind does not answer with the session. Waits likewise.
    static std::unique_ptr<Backlight> create(const BacklightDevice& device, const QDBusConnection& systemBus,
                                             const QString& sessionId);

    // Sends the request and does not wait for its answer; a refusal (the session is not
    // in front, say) changes nothing and is not reported.
    void setPercent(int percent) override;

private:
    LogindBacklight(BacklightDevice device, const QDBusConnection& bus, QString sessionPath);

    BacklightDevice m_device;
    QDBusConnection m_bus;
    QString m_sessionPath;
};
