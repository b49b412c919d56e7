#pragma once
// TRead: the GPS reader thread. It reads the port in chunks of at most 90
// bytes, stores a zero byte after each chunk in its 100-byte receive buffer, and hands
// every non-empty chunk to the window thread with a blocking queued call, waiting until
// it has been processed. Nothing is ever written to the port.
//
// Empty and failed reads start the next round; a round that ended early (a port that
// fails at once, for example because the receiver was unplugged) is paced to the 100 ms
// read timeout, in slices short enough to notice a termination request at once.
//
// The thread object lives on the window thread and is the context of the deliveries, so
// that Stop() can run a delivery the reader is waiting on while it waits for the reader.
#include "platform/SerialPort.h"

#include <QThread>

#include <atomic>
#include <functional>

class TRead : public QThread {
    Q_OBJECT
public:
    static constexpr int ReadSize = 90;
    static constexpr int BufferSize = 100;
    static constexpr int RoundMs = 100;      // the shortest round after an empty or failed read
    static constexpr int StopWaitMs = 2000;  // Stop() gives up after this

    // Runs on the window thread for every chunk: the receive buffer, zero-terminated.
    using DeliverChunk = std::function<void(const char* text)>;

    // Created already running. `port` must stay open and alive until Stop() returned true.
    TRead(SerialPort& port, DeliverChunk deliver, QObject* parent = nullptr);
    // Stops the thread if it still runs.
    ~TRead() override;

    // Window thread: requests termination and waits until the reader has ended, running
    // any delivery it waits on meanwhile (chunks delivered from now on are dropped). True
    // when the thread has ended; false only when it did not end within StopWaitMs, in
    // which case the thread, this object and the port must be left alive.
    bool Stop();

    // Window thread: replaces what a delivery runs (an empty function drops chunks).
    void SetDeliverChunk(DeliverChunk deliver) { m_deliver = std::move(deliver); }

    // Counters for tests.
    long long Reads() const { return m_reads.load(); }
    long long Deliveries() const { return m_deliveries.load(); }

protected:
    void run() override; // TRead::Execute

private:
    void Deliver(); // window thread
    void Pause(int ms);

    SerialPort& m_port;
    DeliverChunk m_deliver; // window thread only
    bool m_stopping = false; // window thread only
    char m_buffer[BufferSize] = {};
    std::atomic<long long> m_reads{0};
    std::atomic<long long> m_deliveries{0};
};
