#include "platform/SystemdPower.h"

#include <QProcess>

SystemdPower::SystemdPower(const QString& program)
    : m_program(program)
{
}

bool SystemdPower::reboot()
{
    return run({QStringLiteral("reboot")});
}

bool SystemdPower::powerOff()
{
    return run({QStringLiteral("poweroff")});
}

bool SystemdPower::run(const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(m_program, arguments);
    if (!process.waitForStarted(-1))
        return false;
    process.waitForFinished(-1);
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}
