#include "gps/Commsthreadunit.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QMetaObject>

TRead::TRead(SerialPort& port, DeliverChunk deliver, QObject* parent)
    : QThread(parent)
    , m_port(port)
    , m_deliver(std::move(deliver))
{
    setObjectName(QStringLiteral("TRead"));
    start();
}

TRead::~TRead()
{
    if (isRunning() && !Stop()) {
        // Never reached in practice (a read lasts at most 100 ms). Destroying a running
        // QThread aborts the process, so wait for good.
        wait();
    }
}

void TRead::run()
{
    while (!isInterruptionRequested()) {
        QElapsedTimer round;
        round.start();
        if (m_deviceGone) {
            ++m_reopenAttempts;
            if (!m_port.reopen()) {
                // Still gone: the next attempt in a while, no busy loop meanwhile.
                PauseUntil(round, ReopenMs);
                continue;
            }
            ++m_reopens;
            m_deviceGone = false;
        }
        int received = 0;
        const SerialPort::ReadResult result = m_port.read(m_buffer, ReadSize, received);
        ++m_reads;
        if (result == SerialPort::ReadResult::Data && received > 0) {
            m_buffer[std::min(received, ReadSize)] = '\0';
            if (isInterruptionRequested())
                break;
            QMetaObject::invokeMethod(this, [this] { Deliver(); }, Qt::BlockingQueuedConnection);
            continue;
        }
        if (result == SerialPort::ReadResult::Gone) {
            // Let go of the vanished device; the next round tries to open it again.
            m_port.close();
            m_deviceGone = true;
        }
        // An empty or failed read: the next round, but never faster than the read timeout.
        PauseUntil(round, RoundMs);
    }
}

void TRead::PauseUntil(const QElapsedTimer& since, int ms)
{
    while (!isInterruptionRequested()) {
        const qint64 left = ms - since.elapsed();
        if (left <= 0)
            return;
        QThread::msleep(std::min<qint64>(10, left));
    }
}

void TRead::Deliver()
{
    ++m_deliveries;
    if (m_stopping || !m_deliver)
        return;
    m_deliver(m_buffer);
}

bool TRead::Stop()
{
    m_stopping = true;
    requestInterruption();
    QElapsedTimer waited;
    waited.start();
    while (!wait(QDeadlineTimer(5))) {
        // The reader may be blocked handing over a chunk: let that delivery run (it drops
        // the chunk) so that the reader can see the request.
        QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
        if (waited.elapsed() > StopWaitMs)
            return false;
    }
    return true;
}
