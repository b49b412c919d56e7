#include "support/PrivateBus.h"

#include <QProcessEnvironment>
#include <QStandardPaths>

PrivateBus::PrivateBus()
{
    m_daemon.start(QStringLiteral("dbus-daemon"), {"--session", "--nofork", "--print-address=1"});
    if (m_daemon.waitForStarted() && m_daemon.waitForReadyRead(10000))
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
}

PrivateBus::~PrivateBus()
{
    m_daemon.kill();
    m_daemon.waitForFinished();
}

void PrivateBus::startClient(QProcess& client, const QString& program, const QStringList& arguments) const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_address);
    env.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), m_address);
    client.setProcessEnvironment(env);
    client.start(program, arguments);
}

void PrivateBus::startStandIn(QProcess& standIn, const QString& templateName) const
{
    startClient(standIn, Python, {"-m", "dbusmock", "--template", templateName});
}

bool PrivateBus::standInsAvailable()
{
    return !QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty()
        && QProcess::execute(Python, {"-c", "import dbusmock"}) == 0;
}
