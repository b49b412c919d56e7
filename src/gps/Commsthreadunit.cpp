#include "gps/Commsthreadunit.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QMetaObject>

TRead::TRead(SerialPort& port, DeliverChunk deliver, std::unique_ptr<BaudSearch> search, QObject* parent)
    : QThread(parent)
    , m_port(port)
    , m_deliver(std::move(deliver))
    , m_search(std::move(search))
{
    setObjectName(QStringLiteral("TRead"));
    m_deviceGone = !m_port.isOpen();
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
    m_clock.start();
    if (m_search)
        m_port.setBaudRate(m_search->Restart(m_clock.elapsed()));
    if (m_deviceGone) // the open has just failed
        PauseUntil(m_clock, ReopenMs);
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
            if (m_search) {
                m_foundRate = 0;
                m_port.setBaudRate(m_search->Restart(m_clock.elapsed()));
            }
        }
        int received = 0;
        const SerialPort::ReadResult result = m_port.read(m_buffer, ReadSize, received);
        ++m_reads;
        if (m_search && result != SerialPort::ReadResult::Gone)
            SearchRate(result == SerialPort::ReadResult::Data ? received : 0);
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

void TRead::SearchRate(int received)
{
    if (m_search->Found())
        return;
    if (const std::optional<int> next = m_search->Received(m_buffer, received, m_clock.elapsed()))
        m_port.setBaudRate(*next);
    else if (m_search->Found())
        m_foundRate = m_search->Rate();
}

void TRead::PauseUntil(const QElapsedTimer& since, int ms)
{
    QMutexLocker lock(&m_pauseLock);
    while (!isInterruptionRequested()) {
        const qint64 left = ms - since.elapsed();
        if (left <= 0)
            return;
        m_pauseEnds.wait(&m_pauseLock, QDeadlineTimer(left));
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
    {
        QMutexLocker lock(&m_pauseLock);
        requestInterruption();
    }
    m_pauseEnds.wakeAll();
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
