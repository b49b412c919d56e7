// A GPS receiver unplugged and plugged back in: the device is a pseudo-terminal reached
// through a symlink of a stable name (as /dev/serial/by-id/... is); unplugging closes the
// master and removes the link (as udev does), plugging in makes a new pseudo-terminal and
// points the same name at it.
#include "GpsTestPrinters.h"
#include "PtyPair.h"
#include "gps/Commsthreadunit.h"
#include "gps/GpsPort.h"
#include "platform/TermiosSerialPort.h"
#include "support/EventSpin.h"
#include "support/TempFolder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <gtest/gtest.h>

#include <memory>
#include <termios.h>
#include <unistd.h>

namespace {

// The receiver's stable name: a symlink in a temporary folder.
class StableName {
public:
    QString path() const { return m_folder.file(QStringLiteral("gps-receiver")); }
    bool pointAt(const QString& device) const
    {
        unplug();
        return ::symlink(QFile::encodeName(device).constData(), QFile::encodeName(path()).constData()) == 0;
    }
    void unplug() const { ::unlink(QFile::encodeName(path()).constData()); }

private:
    TempFolder m_folder;
};

// The receiver: a pseudo-terminal whose slave the stable name points at.
struct Receiver {
    explicit Receiver(const StableName& name) { plugged = pty.ok() && name.pointAt(pty.slavePath()); }
    PtyPair pty;
    bool plugged = false;
};

// What the port's side of the pseudo-terminal is set to (tcgetattr on the master gives the
// slave's settings on Linux): 4800 baud, 8N1, raw, no flow control, VMIN 0 / VTIME 1.
void expectGpsLineSettings(int master)
{
    termios t{};
    ASSERT_EQ(::tcgetattr(master, &t), 0);
    EXPECT_EQ(::cfgetispeed(&t), speed_t(B4800));
    EXPECT_EQ(::cfgetospeed(&t), speed_t(B4800));
    EXPECT_EQ(t.c_cflag & CSIZE, tcflag_t(CS8));
    EXPECT_FALSE(t.c_cflag & PARENB);
    EXPECT_FALSE(t.c_cflag & CSTOPB);
    EXPECT_FALSE(t.c_cflag & CRTSCTS);
    EXPECT_TRUE(t.c_cflag & CREAD);
    EXPECT_TRUE(t.c_cflag & CLOCAL);
    EXPECT_FALSE(t.c_iflag & (IXON | IXOFF | IXANY | ICRNL | INLCR | IGNCR | ISTRIP));
    EXPECT_FALSE(t.c_oflag & OPOST);
    EXPECT_FALSE(t.c_lflag & (ICANON | ECHO | ISIG | IEXTEN));
    EXPECT_EQ(t.c_cc[VMIN], 0);
    EXPECT_EQ(t.c_cc[VTIME], 1);
}

// A new pseudo-terminal starts at another speed, so 4800 shows the port's own settings.
void expectNotYetGpsSettings(int master)
{
    termios t{};
    ASSERT_EQ(::tcgetattr(master, &t), 0);
    ASSERT_NE(::cfgetispeed(&t), speed_t(B4800));
}

const QByteArray Before = "$GPGGA,092750.000,5321.6802,N,00630.3372,W,1,8,1.03,61.7,M,55.2,M,,*76\r\n";
const QByteArray After = "$GPRMC,092751.000,A,5321.6802,N,00630.3371,W,0.06,31.66,280511,,,A*45\r\n";

} // namespace

// ---------------------------------------------------------------------------------------
// TermiosSerialPort::reopen

TEST(TermiosSerialPort, ReopenOpensTheSameNameAgainWithTheSameSettings)
{
    StableName name;
    TermiosSerialPort port;
    EXPECT_FALSE(port.reopen()); // nothing opened yet

    auto first = std::make_unique<Receiver>(name);
    ASSERT_TRUE(first->plugged);
    ASSERT_TRUE(port.open(name.path()));
    port.close();
    first.reset();
    name.unplug();
    EXPECT_FALSE(port.reopen()); // nothing there
    EXPECT_FALSE(port.isOpen());

    Receiver second(name);
    ASSERT_TRUE(second.plugged);
    expectNotYetGpsSettings(second.pty.master());
    ASSERT_TRUE(port.reopen());
    EXPECT_TRUE(port.isOpen());
    expectGpsLineSettings(second.pty.master());
    TermiosSerialPort other; // exclusive, as after open
    EXPECT_FALSE(other.open(name.path()));
    EXPECT_FALSE(other.open(second.pty.slavePath()));
    port.close();
    EXPECT_TRUE(other.open(name.path()));
}

// ---------------------------------------------------------------------------------------
// TRead

TEST(TRead, ReceiverPluggedBackInIsReopenedAndReadOn)
{
    StableName name;
    auto first = std::make_unique<Receiver>(name);
    ASSERT_TRUE(first->plugged);
    TermiosSerialPort port;
    ASSERT_TRUE(port.open(name.path()));
    QByteArray got;
    TRead reader(port, [&](const char* text) { got += text; });

    ASSERT_TRUE(first->pty.write(Before));
    ASSERT_TRUE(spinUntil([&] { return got == Before; }));
    EXPECT_FALSE(reader.DeviceGone());

    // Unplugged.
    first->pty.closeMaster();
    name.unplug();
    ASSERT_TRUE(spinUntil([&] { return reader.DeviceGone(); }));
    ASSERT_TRUE(spinUntil([&] { return reader.ReopenAttempts() >= 1; }));
    // No busy loop while it is gone: reads and attempts come at the reopen pace (about one
    // a second), where a spinning reader would make thousands.
    const long long before = reader.Reads() + reader.ReopenAttempts();
    spinFor(1500);
    EXPECT_LE(reader.Reads() + reader.ReopenAttempts() - before, 6);
    EXPECT_TRUE(reader.DeviceGone());
    EXPECT_EQ(reader.Reopens(), 0);

    // Plugged back in under the same name.
    first.reset();
    Receiver second(name);
    ASSERT_TRUE(second.plugged);
    expectNotYetGpsSettings(second.pty.master());
    ASSERT_TRUE(spinUntil([&] { return reader.Reopens() == 1; }));
    EXPECT_FALSE(reader.DeviceGone());
    ASSERT_TRUE(second.pty.write(After));
    EXPECT_TRUE(spinUntil([&] { return got == Before + After; }));
    expectGpsLineSettings(second.pty.master());
    TermiosSerialPort other; // held exclusively again
    EXPECT_FALSE(other.open(name.path()));

    EXPECT_TRUE(reader.Stop());
    port.close();
    EXPECT_TRUE(other.open(name.path())); // and let go at the end
}

TEST(TRead, StopsAtOnceWhileTheReceiverIsGone)
{
    StableName name;
    Receiver receiver(name);
    ASSERT_TRUE(receiver.plugged);
    TermiosSerialPort port;
    ASSERT_TRUE(port.open(name.path()));
    TRead reader(port, [](const char*) {});
    receiver.pty.closeMaster();
    name.unplug();
    // Waiting between reopen attempts.
    ASSERT_TRUE(spinUntil([&] { return reader.ReopenAttempts() >= 1; }));
    QElapsedTimer t;
    t.start();
    EXPECT_TRUE(reader.Stop());
    EXPECT_LT(t.elapsed(), TRead::ReopenMs / 2); // not waiting out the pause between attempts
    EXPECT_TRUE(reader.isFinished());
}

TEST(TRead, ReceiverBackButHeldElsewhereIsTriedAgainUntilFree)
{
    StableName name;
    auto first = std::make_unique<Receiver>(name);
    ASSERT_TRUE(first->plugged);
    TermiosSerialPort port;
    ASSERT_TRUE(port.open(name.path()));
    QByteArray got;
    TRead reader(port, [&](const char* text) { got += text; });
    first->pty.closeMaster();
    name.unplug();
    ASSERT_TRUE(spinUntil([&] { return reader.DeviceGone(); }));
    first.reset();

    // Back, but another program claimed it first.
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    TermiosSerialPort holder;
    ASSERT_TRUE(holder.open(pty.slavePath()));
    ASSERT_TRUE(name.pointAt(pty.slavePath()));
    const long long attempts = reader.ReopenAttempts();
    ASSERT_TRUE(spinUntil([&] { return reader.ReopenAttempts() >= attempts + 2; }, 3 * TRead::ReopenMs));
    EXPECT_EQ(reader.Reopens(), 0);
    EXPECT_TRUE(reader.DeviceGone());

    holder.close();
    ASSERT_TRUE(spinUntil([&] { return reader.Reopens() == 1; }));
    ASSERT_TRUE(pty.write(After));
    EXPECT_TRUE(spinUntil([&] { return got == After; }));
    expectGpsLineSettings(pty.master());
    EXPECT_TRUE(reader.Stop());
}

// ---------------------------------------------------------------------------------------
// GpsPort

TEST(GpsPort, CarriesOnWhenTheReceiverIsPluggedBackIn)
{
    StableName name;
    auto first = std::make_unique<Receiver>(name);
    ASSERT_TRUE(first->plugged);
    QByteArray got;
    GpsPort gps([](const QString&) { return std::make_unique<TermiosSerialPort>(); }, [] { return true; },
                [&](const QByteArray& text) { got += text; });
    gps.Open(name.path());
    ASSERT_TRUE(gps.PortOpen());
    ASSERT_NE(gps.Reader(), nullptr);
    ASSERT_TRUE(first->pty.write(Before));
    ASSERT_TRUE(spinUntil([&] { return got == Before; }));

    first->pty.closeMaster();
    name.unplug();
    ASSERT_TRUE(spinUntil([&] { return gps.Reader()->DeviceGone(); }));
    EXPECT_TRUE(gps.PortOpen()); // the screen shows the same port; the reader carries on
    first.reset();

    Receiver second(name);
    ASSERT_TRUE(second.plugged);
    ASSERT_TRUE(spinUntil([&] { return gps.Reader()->Reopens() == 1; }));
    ASSERT_TRUE(second.pty.write(After));
    EXPECT_TRUE(spinUntil([&] { return got == Before + After; }));
    expectGpsLineSettings(second.pty.master());

    QElapsedTimer t;
    t.start();
    gps.Close();
    EXPECT_LT(t.elapsed(), TRead::ReopenMs / 2);
    EXPECT_EQ(gps.Reader(), nullptr);
    TermiosSerialPort again; // the device is free again
    EXPECT_TRUE(again.open(name.path()));
}

TEST(GpsPort, ReadsAReceiverThatIsPluggedInAfterStart)
{
    StableName name; // nothing there yet
    QByteArray got;
    GpsPort gps([](const QString&) { return std::make_unique<TermiosSerialPort>(); }, [] { return true; },
                [&](const QByteArray& text) { got += text; });
    gps.Open(name.path());
    EXPECT_FALSE(gps.PortOpen());
    EXPECT_EQ(gps.PortText(), "ERROR " + name.path());
    EXPECT_EQ(gps.PortColour(), GpsPort::ErrorColour);
    ASSERT_NE(gps.Reader(), nullptr);

    // Tried again at the reopen pace, no busy loop meanwhile.
    spinFor(3000);
    EXPECT_GE(gps.Reader()->ReopenAttempts(), 1);
    EXPECT_LE(gps.Reader()->ReopenAttempts() + gps.Reader()->Reads(), 2);
    EXPECT_FALSE(gps.PortOpen());

    Receiver receiver(name);
    ASSERT_TRUE(receiver.plugged);
    ASSERT_TRUE(spinUntil([&] { return gps.PortOpen(); }));
    EXPECT_EQ(gps.PortText(), name.path());
    EXPECT_EQ(gps.PortColour(), GpsPort::OpenColour);
    ASSERT_TRUE(receiver.pty.write(After));
    EXPECT_TRUE(spinUntil([&] { return got == After; }));
    expectGpsLineSettings(receiver.pty.master());
    gps.Close();
}

TEST(GpsPort, ClosesAtOnceWhileTheReceiverIsGone)
{
    StableName name;
    Receiver receiver(name);
    ASSERT_TRUE(receiver.plugged);
    GpsPort gps([](const QString&) { return std::make_unique<TermiosSerialPort>(); }, [] { return true; }, {});
    gps.Open(name.path());
    ASSERT_TRUE(gps.PortOpen());
    receiver.pty.closeMaster();
    name.unplug();
    ASSERT_TRUE(spinUntil([&] { return gps.Reader()->ReopenAttempts() >= 1; }));
    QElapsedTimer t;
    t.start();
    gps.Close(); // purges and closes a port the reader already closed
    EXPECT_LT(t.elapsed(), TRead::ReopenMs / 2);
    EXPECT_FALSE(gps.PortOpen());
    EXPECT_EQ(gps.Port(), nullptr);
}
