#pragma once
// Runs a tool or script of the build to its end, for the tests of the demo and install.
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QStringList>

struct ToolRun {
    bool finished = false; // in time, and not killed by a signal
    int exitCode = -1;
    QString output; // standard output and error, for the failure message
};

inline ToolRun runTool(const QString& program, const QStringList& arguments,
                       const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
                       int timeoutMs = 60000)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    ToolRun run;
    run.finished = process.waitForFinished(timeoutMs) && process.exitStatus() == QProcess::NormalExit;
    if (!run.finished)
        process.kill();
    run.exitCode = process.exitCode();
    run.output = QString::fromLocal8Bit(process.readAll());
    return run;
}

// The build folder that holds the built program folder.
inline QString buildFolder(const QString& programFolder)
{
    return QFileInfo(programFolder).absoluteDir().absolutePath();
}
