#pragma once
#include "platform/Power.h"

#include <QString>
#include <QStringList>

// Restart and power off through systemd: `systemctl reboot` and `systemctl poweroff`.
// A request is refused when systemctl cannot be started or exits non-zero (for example
// when the user may not shut the machine down). systemctl gets an empty standard input,
// so it never waits for a password typed on a terminal.
class SystemdPower : public Power {
public:
    // PROGRAM is run in place of systemctl; tests pass a stand-in script.
    explicit SystemdPower(const QString& program = QStringLiteral("systemctl"));
    bool reboot() override;
    bool powerOff() override;

private:
    bool run(const QStringList& arguments);
    QString m_program;
};
