#include "platform/DesktopShell.h"

#include <QFileInfo>
#include <QProcess>

DesktopShell::DesktopShell(const QString& opener)
    : m_opener(opener)
{
}

DesktopShell::~DesktopShell()
{
    // An opener that is still running (xdg-open waits for some browsers) is ended when its
    // process object goes; what it started runs on.
    for (QProcess* opener : m_openers->findChildren<QProcess*>())
        opener->disconnect();
}

void DesktopShell::open(const QString& target, Opened done)
{
    const auto report = [done = std::move(done)](bool opened) {
        if (done)
            done(opened);
    };
    if (target.isEmpty()) {
        report(false);
        return;
    }
    const QFileInfo file(target);
    if (file.isFile() && file.isExecutable()
        && QProcess::startDetached(file.absoluteFilePath(), {}, file.absolutePath())) {
        report(true);
        return;
    }
    auto* opener = new QProcess(m_openers.get());
    opener->setProcessChannelMode(QProcess::ForwardedChannels);
    opener->setStandardInputFile(QProcess::nullDevice());
    QObject::connect(opener, &QProcess::finished, opener, [opener, report](int exitCode, QProcess::ExitStatus status) {
        opener->deleteLater();
        report(status == QProcess::NormalExit && exitCode == 0);
    });
    QObject::connect(opener, &QProcess::errorOccurred, opener, [opener, report](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        opener->deleteLater();
        report(false);
    });
    opener->start(m_opener, {target});
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
