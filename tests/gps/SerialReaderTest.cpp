// The serial reader: TermiosSerialPort and TRead on a real pseudo-terminal
// pair, GpsPort's opening, per-chunk GPSEnabled check and shutdown, with doubles where a
// behaviour cannot be made on a pseudo-terminal.
#include "GpsTestPrinters.h"
#include "PtyPair.h"
#include "gps/Commsthreadunit.h"
#include "gps/GpsPort.h"
#include "platform/TermiosSerialPort.h"
#include "support/Doubles.h"
#include "support/EventSpin.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include <sys/resource.h>

namespace {

QByteArray nmeaBytes(int count)
{
    QByteArray bytes;
    for (int i = 0; bytes.size() < count; ++i)
        bytes += "$GPRMC,0102" + QByteArray::number(10 + i % 50) + ",A,4807.038,N,01131.000,E,012.3,045.7,230394,,*6A\r\n";
    return bytes.left(count);
}

// A port whose every read fails at once, as an unplugged adapter's does, and that opens
// again whenever asked.
class FailingPort : public SerialPort {
public:
    bool open(const QString&) override { return m_open = true; }
    bool reopen() override { return m_open = true; }
    bool isOpen() const override { return m_open; }
    bool setBaudRate(int) override { return true; }
    ReadResult read(char*, int, int& received) override
    {
        received = 0;
        ++reads;
        return ReadResult::Gone;
    }
    void purge() override {}
    void close() override { m_open = false; }
    std::atomic<int> reads{0};

private:
    bool m_open = false;
};

// A port that takes the full read timeout and records whether it was purged or closed
// while a read was running, or read after it was closed.
struct ProbeState {
    std::atomic<int> reading{0};
    std::atomic<bool> closed{false};
    std::atomic<bool> misuse{false};
    std::atomic<int> purges{0};
};

class ProbePort : public SerialPort {
public:
    explicit ProbePort(std::shared_ptr<ProbeState> state) : m_state(std::move(state)) {}
    bool open(const QString&) override { return m_open = true; }
    bool reopen() override { return m_open = true; }
    bool isOpen() const override { return m_open; }
    bool setBaudRate(int) override { return true; }
    ReadResult read(char* buffer, int maxBytes, int& received) override
    {
        ++m_state->reading;
        if (m_state->closed)
            m_state->misuse = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        const QByteArray chunk = "$GPGGA,1,2,3\r\n";
        received = int(std::min<qsizetype>(maxBytes, chunk.size()));
        memcpy(buffer, chunk.constData(), size_t(received));
        if (m_state->closed)
            m_state->misuse = true;
        --m_state->reading;
        return ReadResult::Data;
    }
    void purge() override
    {
        ++m_state->purges;
        if (m_state->reading > 0)
            m_state->misuse = true;
    }
    void close() override
    {
        if (m_state->reading > 0)
            m_state->misuse = true;
        m_open = false;
        m_state->closed = true;
    }

private:
    std::shared_ptr<ProbeState> m_state;
    bool m_open = false;
};

// Another program holding the device with flock(1), until destroyed.
class OtherHolder {
public:
    explicit OtherHolder(const QString& path)
    {
        const QString flock = QStandardPaths::findExecutable("flock");
        if (flock.isEmpty())
            return;
        // --no-fork: the holder is flock itself (then sleep), so killing it frees the device.
        m_process.start(flock, {"--exclusive", "--no-fork", path, "sleep", "30"});
        m_started = m_process.waitForStarted(3000);
    }
    ~OtherHolder()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(3000);
        }
    }
    bool started() const { return m_started; }

private:
    QProcess m_process;
    bool m_started = false;
};

} // namespace

// ---------------------------------------------------------------------------------------
// TermiosSerialPort

TEST(TermiosSerialPort, OpensAPseudoTerminalAt4800Raw)
{
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    TermiosSerialPort port;
    ASSERT_TRUE(port.open(pty.slavePath()));
    EXPECT_TRUE(port.isOpen());
    termios t{};
    ASSERT_EQ(::tcgetattr(port.descriptor(), &t), 0);
    EXPECT_EQ(::cfgetispeed(&t), speed_t(B4800));
    EXPECT_EQ(::cfgetospeed(&t), speed_t(B4800));
    EXPECT_EQ(t.c_cflag & CSIZE, tcflag_t(CS8));
    EXPECT_FALSE(t.c_cflag & PARENB);
    EXPECT_FALSE(t.c_cflag & CSTOPB);
    EXPECT_FALSE(t.c_cflag & CRTSCTS);
    EXPECT_TRUE(t.c_cflag & CREAD);
    EXPECT_FALSE(t.c_iflag & (IXON | IXOFF | ICRNL | INLCR | IGNCR));
    EXPECT_FALSE(t.c_lflag & (ICANON | ECHO | ISIG));
    EXPECT_EQ(t.c_cc[VMIN], 0);
    EXPECT_EQ(t.c_cc[VTIME], 1);
    port.close();
    EXPECT_FALSE(port.isOpen());
}

TEST(TermiosSerialPort, MissingOrUnusableDevicesFail)
{
    TermiosSerialPort port;
    EXPECT_FALSE(port.open("/dev/karvex-no-such-tty"));
    EXPECT_FALSE(port.open("COM99")); // /dev/ttyS98
    EXPECT_FALSE(port.open(""));
    EXPECT_FALSE(port.open("NONE"));
    EXPECT_FALSE(port.open("/dev/null")); // not a terminal
    EXPECT_FALSE(port.isOpen());
}

TEST(TermiosSerialPort, DeviceHeldByAnotherProgramFailsLikeAMissingOne)
{
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    std::optional<bool> openedWhileHeld;
    {
        OtherHolder other(pty.slavePath());
        if (!other.started())
            GTEST_SKIP() << "flock(1) not available";
        // flock(1) takes its lock right after it starts.
        TermiosSerialPort port;
        QElapsedTimer t;
        t.start();
        bool opened = true;
        while (t.elapsed() < 3000 && (opened = port.open(pty.slavePath())))
            port.close(), QThread::msleep(20);
        openedWhileHeld = opened;
    }
    EXPECT_EQ(openedWhileHeld, false);
    TermiosSerialPort port;
    EXPECT_TRUE(port.open(pty.slavePath())); // free again
}

TEST(TermiosSerialPort, OpenPortIsExclusive)
{
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    TermiosSerialPort first;
    ASSERT_TRUE(first.open(pty.slavePath()));
    TermiosSerialPort second;
    EXPECT_FALSE(second.open(pty.slavePath()));
    first.close();
    EXPECT_TRUE(second.open(pty.slavePath()));
}

TEST(TermiosSerialPort, ReadsAtMostMaxBytesAndPassesBytesUnchanged)
{
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    TermiosSerialPort port;
    ASSERT_TRUE(port.open(pty.slavePath()));
    const QByteArray sent = nmeaBytes(400) + QByteArray("\r\n\x01\xff", 4);
    ASSERT_TRUE(pty.write(sent));
    QByteArray got;
    char buffer[100];
    QElapsedTimer t;
    t.start();
    while (got.size() < sent.size() && t.elapsed() < 3000) {
        int received = -1;
        const auto result = port.read(buffer, 90, received);
        if (result == SerialPort::ReadResult::Data) {
            ASSERT_GE(received, 1);
            ASSERT_LE(received, 90);
            got += QByteArray(buffer, received);
        }
    }
    EXPECT_EQ(got, sent);
}

TEST(TermiosSerialPort, ReadWaitsFor90BytesOrTheTimeout)
{
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    TermiosSerialPort port;
    ASSERT_TRUE(port.open(pty.slavePath()));
    char buffer[100];
    int received = -1;

    // Nothing arrives: a timeout after 100 ms.
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(port.read(buffer, 90, received), SerialPort::ReadResult::Timeout);
    EXPECT_EQ(received, 0);
    EXPECT_GE(t.elapsed(), 90);
    EXPECT_LT(t.elapsed(), 500);

    // 30 bytes: returned once more could have gathered (80 ms), not at once.
    ASSERT_TRUE(pty.write(nmeaBytes(30)));
    t.restart();
    EXPECT_EQ(port.read(buffer, 90, received), SerialPort::ReadResult::Data);
    EXPECT_EQ(received, 30);
    EXPECT_GE(t.elapsed(), 70);

    // 90 bytes waiting: returned at once.
    ASSERT_TRUE(pty.write(nmeaBytes(200)));
    QThread::msleep(20);
    t.restart();
    EXPECT_EQ(port.read(buffer, 90, received), SerialPort::ReadResult::Data);
    EXPECT_EQ(received, 90);
    EXPECT_LT(t.elapsed(), 50);
}

TEST(TermiosSerialPort, BytesTricklingInWakeTheReaderOncePerRead)
{
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    TermiosSerialPort port;
    ASSERT_TRUE(port.open(pty.slavePath()));
    char buffer[100];
    int received = 0;
    // A slow receiver: a few bytes every 5 ms, as a 4800-baud line brings them.
    std::thread receiver([&] {
        for (int i = 0; i < 15; ++i) {
            pty.write("$GP");
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    });
    rusage before{};
    rusage after{};
    getrusage(RUSAGE_THREAD, &before);
    const auto result = port.read(buffer, 90, received);
    getrusage(RUSAGE_THREAD, &after);
    receiver.join();
    EXPECT_EQ(result, SerialPort::ReadResult::Data);
    EXPECT_GE(received, 3);
    // Each time the thread went to sleep: once for the read, not once a piece.
    EXPECT_LE(after.ru_nvcsw - before.ru_nvcsw, 3);
}

TEST(TermiosSerialPort, VanishedDeviceIsGoneNotATimeout)
{
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    TermiosSerialPort port;
    ASSERT_TRUE(port.open(pty.slavePath()));
    ASSERT_TRUE(pty.write("$GP"));
    QThread::msleep(20);
    pty.closeMaster();
    char buffer[100];
    int received = 0;
    // What was sent before can still arrive; then the device is gone, at once each time.
    auto result = port.read(buffer, 90, received);
    if (result == SerialPort::ReadResult::Data)
        result = port.read(buffer, 90, received);
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(result, SerialPort::ReadResult::Gone);
    EXPECT_EQ(port.read(buffer, 90, received), SerialPort::ReadResult::Gone);
    EXPECT_LT(t.elapsed(), 50);
}

TEST(TermiosSerialPort, CloseRestoresTheLineSettingsFoundAtOpen)
{
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    termios before{};
    ASSERT_EQ(::tcgetattr(pty.master(), &before), 0);
    before.c_lflag |= ICANON;
    ::cfsetispeed(&before, B9600);
    ::cfsetospeed(&before, B9600);
    ASSERT_EQ(::tcsetattr(pty.master(), TCSANOW, &before), 0);

    TermiosSerialPort port;
    ASSERT_TRUE(port.open(pty.slavePath()));
    termios during{};
    ::tcgetattr(pty.master(), &during);
    EXPECT_FALSE(during.c_lflag & ICANON);
    port.close();
    termios after{};
    ::tcgetattr(pty.master(), &after);
    EXPECT_TRUE(after.c_lflag & ICANON);
    EXPECT_EQ(::cfgetispeed(&after), speed_t(B9600));
}

// ---------------------------------------------------------------------------------------
// TRead

TEST(TRead, DeliversChunksOfAtMost90BytesOnTheWindowThread)
{
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    TermiosSerialPort port;
    ASSERT_TRUE(port.open(pty.slavePath()));
    QByteArray got;
    int chunks = 0;
    bool allOnWindowThread = true;
    bool allWithinLimit = true;
    TRead reader(port, [&](const char* text) {
        allOnWindowThread &= QThread::currentThread() == qApp->thread();
        const QByteArray chunk(text);
        allWithinLimit &= chunk.size() >= 1 && chunk.size() <= 90;
        got += chunk;
        ++chunks;
    });
    const QByteArray sent = nmeaBytes(1000);
    ASSERT_TRUE(pty.write(sent));
    EXPECT_TRUE(spinUntil([&] { return got.size() >= sent.size(); }));
    EXPECT_EQ(got, sent);
    EXPECT_GE(chunks, 12);
    EXPECT_TRUE(allOnWindowThread);
    EXPECT_TRUE(allWithinLimit);
    EXPECT_TRUE(reader.Stop());
    EXPECT_TRUE(reader.isFinished());
}

TEST(TRead, StopsPromptlyWithTheFeedRunning)
{
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    TermiosSerialPort port;
    ASSERT_TRUE(port.open(pty.slavePath()));
    std::atomic<bool> feeding{true};
    std::thread feeder([&] {
        const QByteArray bytes = nmeaBytes(48);
        while (feeding) {
            pty.write(bytes);
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    });
    int deliveries = 0;
    TRead reader(port, [&](const char*) { ++deliveries; });
    spinFor(400);
    EXPECT_GT(deliveries, 0);
    QElapsedTimer t;
    t.start();
    EXPECT_TRUE(reader.Stop());
    EXPECT_LT(t.elapsed(), 300);
    EXPECT_TRUE(reader.isFinished());
    const int atStop = deliveries;
    spinFor(200);
    EXPECT_EQ(deliveries, atStop);
    port.close(); // the reader has ended: nothing touches the port any more
    feeding = false;
    feeder.join();
}

TEST(TRead, StopReleasesAReaderWaitingOnADelivery)
{
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    TermiosSerialPort port;
    ASSERT_TRUE(port.open(pty.slavePath()));
    int deliveries = 0;
    TRead reader(port, [&](const char*) { ++deliveries; });
    ASSERT_TRUE(pty.write(nmeaBytes(300)));
    QThread::msleep(300); // the window thread is busy: the reader waits on its delivery
    QElapsedTimer t;
    t.start();
    EXPECT_TRUE(reader.Stop());
    EXPECT_LT(t.elapsed(), 300);
    EXPECT_EQ(deliveries, 0); // the chunk it waited with was dropped
    EXPECT_EQ(reader.Deliveries(), 1);
}

TEST(TRead, EmptyReadsThatReturnAtOnceArePacedToTheReadTimeout)
{
    FakeSerialPort port; // an empty queue times out at once
    ASSERT_TRUE(port.open("COM1"));
    TRead reader(port, [](const char*) {});
    spinFor(500);
    EXPECT_GE(reader.Reads(), 3);
    EXPECT_LE(reader.Reads(), 8);
    EXPECT_TRUE(reader.Stop());
}

TEST(TRead, FailingReadsBackOffAndStillStopAtOnce)
{
    FailingPort port;
    port.open("COM1");
    TRead reader(port, [](const char*) {});
    spinFor(500);
    EXPECT_GE(port.reads.load(), 3);
    EXPECT_LE(port.reads.load(), 8);
    QElapsedTimer t;
    t.start();
    EXPECT_TRUE(reader.Stop());
    EXPECT_LT(t.elapsed(), 50);
}

TEST(TRead, UnpluggedPseudoTerminalDoesNotSpin)
{
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    TermiosSerialPort port;
    ASSERT_TRUE(port.open(pty.slavePath()));
    TRead reader(port, [](const char*) {});
    spinFor(100);
    pty.closeMaster();
    const long long before = reader.Reads();
    spinFor(500);
    EXPECT_LE(reader.Reads() - before, 8);
    QElapsedTimer t;
    t.start();
    EXPECT_TRUE(reader.Stop());
    EXPECT_LT(t.elapsed(), 50);
}

TEST(TRead, FakePortChunksAreDeliveredInOrder)
{
    FakeSerialPort port;
    port.open("COM1");
    port.chunks = {QByteArray(200, 'a'), "bc", QByteArray(95, 'd')};
    QList<QByteArray> got;
    TRead reader(port, [&](const char* text) { got << QByteArray(text); });
    EXPECT_TRUE(spinUntil([&] { return got.size() == 6; }));
    EXPECT_EQ(got, (QList<QByteArray>{QByteArray(90, 'a'), QByteArray(90, 'a'), QByteArray(20, 'a'), "bc",
                                      QByteArray(90, 'd'), QByteArray(5, 'd')}));
    EXPECT_TRUE(reader.Stop());
}

// ---------------------------------------------------------------------------------------
// GpsPort: FormCreate and FormDestroy of the GPS screen

TEST(GpsPort, NoneOpensNothing)
{
    int created = 0;
    GpsPort gps([&](const QString&) { ++created; return std::make_unique<FakeSerialPort>(); }, [] { return true; }, {});
    gps.Open("NONE");
    EXPECT_EQ(created, 0);
    EXPECT_FALSE(gps.PortOpen());
    EXPECT_EQ(gps.Reader(), nullptr);
    EXPECT_EQ(gps.PortText(), "NO COM PORT");
    EXPECT_EQ(gps.PortColour(), QColor(255, 0, 0));
    EXPECT_EQ(gps.StatusHint(), "NO GPS PORT\n\nSelect COM Port for GPS in the Hardware section of Options.");
    gps.Close(); // closes nothing
}

TEST(GpsPort, OtherLetterCaseIsTriedAsAPortName)
{
    FakeSerialPort* port = nullptr;
    GpsPort gps([&](const QString&) { auto p = std::make_unique<FakeSerialPort>(); p->openResult = false; port = p.get(); return p; },
                [] { return true; }, {});
    gps.Open("none");
    ASSERT_NE(port, nullptr);
    EXPECT_FALSE(gps.PortOpen());
    EXPECT_EQ(gps.PortText(), "ERROR none");
    EXPECT_EQ(gps.StatusHint(), "INVALID PORT\n\nSelect correct GPS COM Port. none could not be opened.");
}

TEST(GpsPort, MissingNameFailsWithTrailingBlank)
{
    GpsPort gps([](const QString&) { return std::make_unique<TermiosSerialPort>(); }, [] { return true; }, {});
    gps.Open("");
    EXPECT_FALSE(gps.PortOpen());
    EXPECT_EQ(gps.PortText(), "ERROR ");
    EXPECT_EQ(gps.PortColour(), QColor(255, 0, 0));
    EXPECT_EQ(gps.StatusHint(), "INVALID PORT\n\nSelect correct GPS COM Port.  could not be opened.");
    ASSERT_NE(gps.Reader(), nullptr); // trying it again, as any name but NONE
    EXPECT_TRUE(gps.Reader()->DeviceGone());
}

TEST(GpsPort, MissingDeviceFails)
{
    GpsPort gps([](const QString&) { return std::make_unique<TermiosSerialPort>(); }, [] { return true; }, {});
    gps.Open("/dev/karvex-no-such-tty");
    EXPECT_FALSE(gps.PortOpen());
    EXPECT_EQ(gps.PortText(), "ERROR /dev/karvex-no-such-tty");
}

TEST(GpsPort, DeviceHeldByAnotherProgramIsReportedLikeAMissingOne)
{
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    OtherHolder other(pty.slavePath());
    if (!other.started())
        GTEST_SKIP() << "flock(1) not available";
    // Wait until the other program holds it.
    TermiosSerialPort probe;
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 3000 && probe.open(pty.slavePath())) {
        probe.close();
        QThread::msleep(20);
    }
    GpsPort gps([](const QString&) { return std::make_unique<TermiosSerialPort>(); }, [] { return true; }, {});
    gps.Open(pty.slavePath());
    EXPECT_FALSE(gps.PortOpen());
    EXPECT_EQ(gps.PortText(), "ERROR " + pty.slavePath());
    ASSERT_NE(gps.Reader(), nullptr); // waiting for the other program to let go
    EXPECT_TRUE(gps.Reader()->DeviceGone());
}

TEST(GpsPort, OpenPortDeliversTextWhileGpsIsEnabled)
{
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    bool enabled = true;
    bool checkedOnWindowThread = true;
    int checks = 0;
    QByteArray got;
    GpsPort gps([](const QString&) { return std::make_unique<TermiosSerialPort>(); },
                [&] {
                    ++checks;
                    checkedOnWindowThread &= QThread::currentThread() == qApp->thread();
                    return enabled;
                },
                [&](const QByteArray& text) { got += text; });
    gps.Open(pty.slavePath());
    ASSERT_TRUE(gps.PortOpen());
    EXPECT_EQ(gps.PortText(), pty.slavePath());
    EXPECT_EQ(gps.PortColour(), QColor(0, 128, 0));
    EXPECT_TRUE(gps.StatusHint().isEmpty());
    ASSERT_NE(gps.Reader(), nullptr);
    EXPECT_TRUE(gps.Reader()->isRunning());

    ASSERT_TRUE(pty.write("$GPGGA,first\r\n"));
    EXPECT_TRUE(spinUntil([&] { return got.size() == 14; }));

    // Disabled: chunks received meanwhile are lost.
    enabled = false;
    const int checksBefore = checks;
    ASSERT_TRUE(pty.write("$GPGGA,lost\r\n"));
    EXPECT_TRUE(spinUntil([&] { return checks > checksBefore; }));
    spinFor(150);
    EXPECT_EQ(got, "$GPGGA,first\r\n");

    // Enabled again: delivery resumes with the next chunk.
    enabled = true;
    ASSERT_TRUE(pty.write("$GPGGA,again\r\n"));
    EXPECT_TRUE(spinUntil([&] { return got.size() == 28; }));
    EXPECT_EQ(got, "$GPGGA,first\r\n$GPGGA,again\r\n");
    EXPECT_TRUE(checkedOnWindowThread);

    gps.Close();
    EXPECT_FALSE(gps.PortOpen());
    EXPECT_EQ(gps.Reader(), nullptr);
    EXPECT_EQ(gps.Port(), nullptr);
    // The device is free again.
    TermiosSerialPort again;
    EXPECT_TRUE(again.open(pty.slavePath()));
}

TEST(GpsPort, ZeroByteEndsTheDeliveredText)
{
    QList<QByteArray> got;
    // The fake's chunk is queued before the reader starts (the fake is not thread-safe).
    GpsPort gps(
        [](const QString&) {
            auto p = std::make_unique<FakeSerialPort>();
            p->chunks.push_back(QByteArray("$GP\0rest", 8));
            return p;
        },
        [] { return true; }, [&](const QByteArray& text) { got << text; });
    gps.DeliverChunk("abc");
    EXPECT_EQ(got, QList<QByteArray>{"abc"});
    got.clear();
    gps.Open("COM1");
    EXPECT_TRUE(spinUntil([&] { return !got.isEmpty(); }));
    EXPECT_EQ(got.first(), "$GP");
    gps.Close();
}

TEST(GpsPort, ShutdownStopsTheReaderBeforeThePortIsClosed)
{
    auto state = std::make_shared<ProbeState>();
    int received = 0;
    GpsPort gps([&](const QString&) { return std::make_unique<ProbePort>(state); }, [] { return true; },
                [&](const QByteArray&) { ++received; });
    gps.Open("COM3");
    ASSERT_TRUE(gps.PortOpen());
    spinFor(350);
    EXPECT_GT(received, 0);
    QElapsedTimer t;
    t.start();
    gps.Close(); // while a read is running
    EXPECT_LT(t.elapsed(), 300);
    EXPECT_TRUE(state->closed);
    EXPECT_EQ(state->purges, 1);
    EXPECT_FALSE(state->misuse);
    EXPECT_EQ(gps.Port(), nullptr);
    EXPECT_EQ(gps.Reader(), nullptr);
    gps.Close(); // a second time: nothing
    EXPECT_EQ(state->purges, 1);
}

TEST(GpsPort, ShutdownWithTheRealPortAndTheFeedRunning)
{
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    std::atomic<bool> feeding{true};
    std::thread feeder([&] {
        const QByteArray bytes = nmeaBytes(480);
        while (feeding) {
            pty.write(bytes);
            std::this_thread::sleep_for(std::chrono::milliseconds(1000));
        }
    });
    QByteArray got;
    {
        GpsPort gps([](const QString&) { return std::make_unique<TermiosSerialPort>(); }, [] { return true; },
                    [&](const QByteArray& text) { got += text; });
        gps.Open(pty.slavePath());
        ASSERT_TRUE(gps.PortOpen());
        spinFor(300);
    } // the destructor closes
    EXPECT_GT(got.size(), 0);
    feeding = false;
    feeder.join();
}
