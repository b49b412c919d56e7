#include "platform/DesktopShell.h"

#include <QFileInfo>
#include <QProcess>

DesktopShell::DesktopShell(const QString& opener)
    : m_opener(opener)
{
}

bool DesktopShell::open(const QString& target)
{
    if (target.isEmpty())
        return false;
    const QFileInfo file(target);
    if (file.isFile() && file.isExecutable()
        && QProcess::startDetached(file.absoluteFilePath(), {}, file.absolutePath()))
        return true;
    return QProcess::startDetached(m_opener, {target});
}

int DesktopShell::runCommand(const QString& command)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), command});
    if (!process.waitForStarted(-1))
        return -1;
    process.waitForFinished(-1);
    if (process.exitStatus() != QProcess::NormalExit)
        return -1;
    return process.exitCode();
}
