#pragma once
// The nmea_feeder tool as a child process: a stand-in receiver on a pseudo-terminal.
#include "support/TestPaths.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <QStringList>

inline QString feederPath()
{
    return TestPaths::builtToolsFolder() + "/nmea_feeder";
}

// The feeder, started with `arguments`; its device path once it has printed it.
class Feeder {
public:
    explicit Feeder(const QStringList& arguments)
    {
        m_process.start(feederPath(), arguments);
        if (!m_process.waitForStarted(5000))
            return;
        QElapsedTimer t;
        t.start();
        while (!m_process.canReadLine() && t.elapsed() < 5000)
            m_process.waitForReadyRead(100);
        m_device = QString::fromLocal8Bit(m_process.readLine()).trimmed();
    }
    ~Feeder()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            if (!m_process.waitForFinished(3000))
                m_process.kill();
            m_process.waitForFinished(3000);
        }
    }
    const QString& device() const { return m_device; }
    QProcess& process() { return m_process; }

private:
    QProcess m_process;
    QString m_device;
};
