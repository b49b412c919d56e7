// Receivers as they are sold today: the line speed found by trying the rates (GPSBaud=AUTO)
// on the feeder's pseudo-terminal, and a receiver read through a real gpsd run by gpsfake.
#include "Feeder.h"
#include "GpsTestPrinters.h"
#include "gps/BaudSearch.h"
#include "gps/GpsPort.h"
#include "gps/NmeaReceiver.h"
#include "platform/GpsdPort.h"
#include "platform/TermiosSerialPort.h"
#include "support/EventSpin.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A multi-constellation receiver's drive: GNGGA and GNRMC at a steady 12.3 knots.
QByteArray drive(int fixes)
{
    QByteArray text;
    for (int i = 0; i < fixes; ++i) {
        const QByteArray time = QByteArray::number(120000 + i) + ".00";
        text += Nmea::WithChecksum("GNGGA," + time + ",4807.0380,N,01131.0000,E,1,08,0.9,545.4,M,46.9,M,,") + "\r\n";
        text += Nmea::WithChecksum("GNRMC," + time + ",A,4807.0380,N,01131.0000,E,12.3,45.7,091226,,,A") + "\r\n";
    }
    return text;
}

QString writeFile(const QTemporaryDir& dir, const QByteArray& text)
{
    QFile file(dir.filePath("drive.nmea"));
    file.open(QIODevice::WriteOnly);
    file.write(text);
    return file.fileName();
}

// A loopback port nobody listens on at the moment.
int freePort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0
        && ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(fd);
    return port;
}

// A gpsd run by gpsfake on a free loopback port, playing a drive once, a sentence every
// 50 ms.
class Gpsfake {
public:
    static QString program() { return QStandardPaths::findExecutable("gpsfake"); }
    Gpsfake()
        : m_name(QStringLiteral("gpsd://127.0.0.1:%1").arg(freePort()))
    {
    }
    ~Gpsfake()
    {
        // Told to stop, gpsfake ends its gpsd but may linger itself.
        stop();
        if (!m_process.waitForFinished(1000))
            m_process.kill();
        m_process.waitForFinished(2000);
    }
    // The port name of its gpsd.
    const QString& name() const { return m_name; }

    bool start(const QByteArray& drive)
    {
        m_process.setStandardInputFile(QProcess::nullDevice());
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(program(), {"-1", "-q", "-c", "0.05", "-P", m_name.section(':', -1), writeFile(m_dir, drive)});
        return m_process.waitForStarted(5000);
    }
    // gpsfake ends its gpsd.
    void stop() { m_process.terminate(); }

private:
    QString m_name;
    QTemporaryDir m_dir;
    QProcess m_process;
};

// The ports of the gpsd tests: gpsd only.
std::unique_ptr<SerialPort> gpsdPort(const QString& portName)
{
    if (GpsdPort::isGpsdName(portName))
        return std::make_unique<GpsdPort>();
    return nullptr;
}

} // namespace

TEST(BaudSearch, TriesEachRateInTurnUntilAValidSentenceAndStaysThere)
{
    BaudSearch search(1000);
    EXPECT_EQ(search.Restart(0), 4800);
    const QByteArray noise = "\x8f$G\xa1PRMC*00\r\n$GPGGA,1,2*7F\n";
    EXPECT_EQ(search.Received(noise.constData(), int(noise.size()), 999), std::nullopt);
    EXPECT_EQ(search.Received(nullptr, 0, 1000), 9600); // a timeout ends the dwell too
    EXPECT_EQ(search.Received(noise.constData(), int(noise.size()), 2000), 19200);

    // A valid sentence cut across two reads.
    const QByteArray good = Nmea::WithChecksum("GNRMC,1,A,,,,,12.3,45.7,,,,A") + "\r\n";
    EXPECT_EQ(search.Received(good.constData(), 10, 2100), std::nullopt);
    EXPECT_EQ(search.Received(good.constData() + 10, int(good.size()) - 10, 2200), std::nullopt);
    EXPECT_TRUE(search.Found());
    EXPECT_EQ(search.Received(noise.constData(), int(noise.size()), 99999), std::nullopt);
    EXPECT_EQ(search.Rate(), 19200);

    // After the last rate the first comes again; a reopened port starts over.
    EXPECT_EQ(search.Restart(0), 4800);
    qint64 now = 0;
    for (const int rate : {9600, 19200, 38400, 57600, 115200, 4800})
        EXPECT_EQ(search.Received(nullptr, 0, now += 1000), rate);
}

TEST(GpsBaudAuto, FindsA9600BaudReceiverOnAPseudoTerminal)
{
    if (!QFileInfo(feederPath()).isExecutable())
        GTEST_SKIP() << "nmea_feeder not built at " << feederPath().toStdString();
    QTemporaryDir dir;
    Feeder feeder({"--baud", "9600", "--interval", "300", writeFile(dir, drive(5))});
    ASSERT_TRUE(feeder.device().startsWith("/dev/")) << feeder.device().toStdString();

    NmeaReceiver receiver;
    GpsPort gps([](const QString&) { return std::make_unique<TermiosSerialPort>(); }, [] { return true; },
                [&](const QByteArray& text) { receiver.AppendPending(text); });
    gps.Open(feeder.device(), std::nullopt);
    ASSERT_TRUE(gps.PortOpen());
    // 4800 gets noise for its dwell, then 9600 reads the sentences.
    EXPECT_TRUE(spinUntil([&] { return receiver.SentencesDecoded() > 0; }, 15000));
    EXPECT_EQ(gps.Reader()->FoundBaudRate(), 9600);
    EXPECT_EQ(receiver.Readings().SpeedKnots, 12.3);
    gps.Close();
}

TEST(Gpsd, AReceiverThroughGpsfakeIsDecodedAndItsEndShownLikeAnUnplugging)
{
    if (Gpsfake::program().isEmpty())
        GTEST_SKIP() << "gpsfake is not installed (packages gpsd, gpsd-clients)";
    Gpsfake fake;
    const QString& name = fake.name();
    ASSERT_TRUE(fake.start(drive(40)));
    GpsdPort probe;
    ASSERT_TRUE(spinUntil([&] { return probe.open(name); }, 15000)) << "gpsd did not answer on " << name.toStdString();
    probe.close();

    NmeaReceiver receiver;
    GpsPort gps(gpsdPort, [] { return true; }, [&](const QByteArray& text) { receiver.AppendPending(text); });
    gps.Open(name);
    ASSERT_TRUE(gps.PortOpen());
    EXPECT_EQ(gps.PortColour(), GpsPort::OpenColour);
    EXPECT_TRUE(spinUntil([&] { return receiver.SentencesDecoded() >= 3; }, 15000));
    EXPECT_EQ(receiver.Readings().SpeedKnots, 12.3);
    EXPECT_EQ(receiver.Heading, "45");
    EXPECT_TRUE(receiver.Log().first().startsWith("$GN")) << receiver.Log().first().toStdString();

    // gpsd goes away (gpsfake ends it when told to stop): the port shows as gone.
    fake.stop();
    EXPECT_TRUE(spinUntil([&] { return gps.PortColour() == GpsPort::ErrorColour; }, 10000));
    gps.Close();
}

TEST(Gpsd, AGpsdStartedAfterTheOpenIsReadOnceItAnswers)
{
    if (Gpsfake::program().isEmpty())
        GTEST_SKIP() << "gpsfake is not installed (packages gpsd, gpsd-clients)";
    Gpsfake fake;
    NmeaReceiver receiver;
    GpsPort gps(gpsdPort, [] { return true; }, [&](const QByteArray& text) { receiver.AppendPending(text); });
    gps.Open(fake.name());
    EXPECT_FALSE(gps.PortOpen());
    EXPECT_EQ(gps.PortText(), "ERROR " + fake.name());

    ASSERT_TRUE(fake.start(drive(100)));
    EXPECT_TRUE(spinUntil([&] { return receiver.SentencesDecoded() >= 3; }, 15000));
    EXPECT_TRUE(gps.PortOpen());
    EXPECT_EQ(gps.PortColour(), GpsPort::OpenColour);
    EXPECT_EQ(receiver.Readings().SpeedKnots, 12.3);
    gps.Close();
}
