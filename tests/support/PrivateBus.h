#pragma once
// A dbus-daemon of the test's own, so nothing of the machine's buses is touched.
#include <QProcess>
#include <QString>
#include <QStringList>

class PrivateBus {
public:
    PrivateBus();
    ~PrivateBus();
    // Empty when the daemon did not start.
    QString address() const { return m_address; }

    // A client process that has this bus as its session bus and as its system bus.
    void startClient(QProcess& client, const QString& program, const QStringList& arguments) const;
    // python3-dbusmock's stand-in for a system service, from `template` ("logind", "bluez5").
    void startStandIn(QProcess& standIn, const QString& templateName) const;

    // Debian's python3-dbusmock is seen by the system's own Python only.
    static inline const QString Python = QStringLiteral("/usr/bin/python3");
    // Whether dbus-daemon and python3-dbusmock are there (tests skip without them).
    static bool standInsAvailable();

private:
    QProcess m_daemon;
    QString m_address;
};
