#pragma once
// TRead: the GPS reader thread. It reads the port in chunks of at most 90
// bytes, stores a zero byte after each chunk in its 100-byte receive buffer, and hands
// every non-empty chunk to the window thread with a blocking queued call, waiting until
// it has been processed. Nothing is ever written to the port.
//
// Empty and failed reads start the next round; a round that ended early (a port that
// fails at once) is paced to the 100 ms read timeout. Pauses sleep until Stop() wakes
// them, so a termination request is noticed at once and a waiting reader costs no wake-ups.
//
// A read that finds the device gone (a USB receiver pulled, a loose cable) closes the
// port, which frees the device so that the system can give it its old name when it comes
// back. The reader then reopens the port (SerialPort::reopen: the same name, the same line
// settings, exclusive) when that round is over, and again once every ReopenMs while that
// fails; when it succeeds it carries on reading and delivering. A port that could not be
// opened at all (a receiver not plugged in yet, a gpsd not started yet) is handed over
// closed and counts as gone from the start: its first attempt comes ReopenMs later. The
// reader is the only one to touch the port while it runs, so the port may be closed when
// it has ended.
//
// With a BaudSearch (GPSBaud=AUTO) the reader also sets the port's line speed: the
// search's first rate when it starts and whenever the port is reopened, then each rate in
// turn until sentences with a valid checksum arrive. Chunks are delivered meanwhile as
// they are.
//
// The thread object lives on the window thread and is the context of the deliveries, so
// that Stop() can run a delivery the reader is waiting on while it waits for the reader.
#include "gps/BaudSearch.h"
#include "platform/SerialPort.h"

#include <QElapsedTimer>
#include <QMutex>
#include <QThread>
#include <QWaitCondition>

#include <atomic>
#include <functional>
#include <memory>

class TRead : public QThread {
    Q_OBJECT
public:
    static constexpr int ReadSize = 90;
    static constexpr int BufferSize = 100;
    static constexpr int RoundMs = 100;      // the shortest round after an empty or failed read
    static constexpr int ReopenMs = 2000;    // between attempts to open a device that is gone
    static constexpr int StopWaitMs = 2000;  // Stop() gives up after this

    // Runs on the window thread for every chunk: the receive buffer, zero-terminated.
    using DeliverChunk = std::function<void(const char* text)>;

    // Created already running. `port` is open, or closed after its open failed; it must stay
    // alive until Stop() returned true, and the reader may leave it closed.
    TRead(SerialPort& port, DeliverChunk deliver, std::unique_ptr<BaudSearch> search = nullptr, QObject* parent = nullptr);
    // Stops the thread if it still runs.
    ~TRead() override;

    // Window thread: requests termination and waits until the reader has ended, running
    // any delivery it waits on meanwhile (chunks delivered from now on are dropped). True
    // when the thread has ended; false only when it did not end within StopWaitMs, in
    // which case the thread, this object and the port must be left alive.
    bool Stop();

    // Window thread: replaces what a delivery runs (an empty function drops chunks).
    void SetDeliverChunk(DeliverChunk deliver) { m_deliver = std::move(deliver); }

    // Any thread: whether the device is gone and not reopened yet.
    bool DeviceGone() const { return m_deviceGone.load(); }
    // Any thread: the line speed the search settled on, 0 while searching or without one.
    int FoundBaudRate() const { return m_foundRate.load(); }

    // Counters for tests.
    long long Reads() const { return m_reads.load(); }
    long long Deliveries() const { return m_deliveries.load(); }
    long long ReopenAttempts() const { return m_reopenAttempts.load(); }
    long long Reopens() const { return m_reopens.load(); } // the successful attempts

protected:
    void run() override; // TRead::Execute

private:
    void Deliver(); // window thread
    // Sleeps until `ms` after `since` began, or until Stop() wakes it.
    void PauseUntil(const QElapsedTimer& since, int ms);
    // The search's part of a round: what was read, or nothing.
    void SearchRate(int received);

    SerialPort& m_port;
    DeliverChunk m_deliver; // window thread only
    bool m_stopping = false; // window thread only
    QMutex m_pauseLock;      // orders the termination request before a pause's check
    QWaitCondition m_pauseEnds;
    char m_buffer[BufferSize] = {};
    std::atomic<long long> m_reads{0};
    std::atomic<long long> m_deliveries{0};
    std::atomic<long long> m_reopenAttempts{0};
    std::atomic<long long> m_reopens{0};
    std::atomic<bool> m_deviceGone{false};
    std::unique_ptr<BaudSearch> m_search; // reader thread only
    QElapsedTimer m_clock;                // for the search
    std::atomic<int> m_foundRate{0};
};
