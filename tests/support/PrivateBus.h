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

private:
    QProcess m_daemon;
    QString m_address;
};
