// The NMEA feeder tool and the reader end to end: the feeder's pseudo-terminal read by
// TermiosSerialPort and TRead, the text cut and decoded by NmeaReceiver.
#include "Feeder.h"
#include "GpsTestPrinters.h"
#include "gps/GpsPort.h"
#include "gps/NmeaReceiver.h"
#include "platform/TermiosSerialPort.h"
#include "support/EventSpin.h"
#include "support/TestPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

const QByteArray Capture =
    "# a recorder comment\n"
    "$GPGGA,030719.000,3747.0873,S,17518.8938,E,1,08,1.1,59.9,M,23.7,M,,0000*7D\n"
    "$GPRMC,030719.000,A,3747.0873,S,17518.8938,E,12.3,45.7,311214,,,A*76\n"
    "\n"
    "$GPGGA,030720.000,3747.0875,S,17518.8938,E,1,08,1.1,59.8,M,23.7,M,,0000*70\r\n"
    "$GPRMC,030720.000,A,3747.0875,S,17518.8938,E,20.5,270,311214,,,A*50\r\n"
    "$GPGSA,A,3,17,28,06,01,30,20,26,13,,,,,1.8,1.1,1.5*33\n";

} // namespace

TEST(NmeaFeeder, SendsTheLinesAsAReceiverDoesAndTheyAreDecoded)
{
    if (!QFileInfo(feederPath()).isExecutable())
        GTEST_SKIP() << "nmea_feeder not built at " << feederPath().toStdString();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile file(dir.filePath("fix.log"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(Capture);
    file.close();

    Feeder feeder({"--once", "--interval", "200", file.fileName()});
    ASSERT_TRUE(feeder.device().startsWith("/dev/")) << feeder.device().toStdString();

    NmeaReceiver receiver;
    QByteArray raw;
    QList<int> chunkSizes;
    GpsPort gps([](const QString&) { return std::make_unique<TermiosSerialPort>(); }, [] { return true; },
                [&](const QByteArray& text) {
                    raw += text;
                    chunkSizes << int(text.size());
                    receiver.AppendPending(text);
                });
    gps.Open(feeder.device());
    ASSERT_TRUE(gps.PortOpen()) << gps.PortText().toStdString();

    QElapsedTimer t;
    t.start();
    const QByteArray expected =
        "$GPGGA,030719.000,3747.0873,S,17518.8938,E,1,08,1.1,59.9,M,23.7,M,,0000*7D\r\n"
        "$GPRMC,030719.000,A,3747.0873,S,17518.8938,E,12.3,45.7,311214,,,A*76\r\n"
        "$GPGGA,030720.000,3747.0875,S,17518.8938,E,1,08,1.1,59.8,M,23.7,M,,0000*70\r\n"
        "$GPRMC,030720.000,A,3747.0875,S,17518.8938,E,20.5,270,311214,,,A*50\r\n"
        "$GPGSA,A,3,17,28,06,01,30,20,26,13,,,,,1.8,1.1,1.5*33\r\n";
    EXPECT_TRUE(spinUntil([&] { return raw.size() >= expected.size(); }, 8000));
    // Comments and empty lines left out, every line ended by CR LF.
    EXPECT_EQ(raw, expected);
    // 370 bytes at 480 bytes a second, in reads of up to 90 bytes.
    EXPECT_GE(t.elapsed(), 500);
    for (int size : chunkSizes)
        EXPECT_LE(size, 90);
    EXPECT_GE(chunkSizes.size(), 5);

    EXPECT_EQ(receiver.Log().size(), 5);
    // The second RMC is decoded once the GSA after it has arrived.
    EXPECT_EQ(receiver.Readings().SpeedKnots, 20.5);
    EXPECT_EQ(receiver.Readings().HeadingDegrees, 270);
    EXPECT_EQ(receiver.Heading, "270");
    EXPECT_EQ(receiver.MphDisplay, Nmea::FloatToStr(20.5 * 1.15077945));

    gps.Close();
    // --once: it ends by itself once the text has been read.
    EXPECT_TRUE(feeder.process().state() == QProcess::NotRunning || feeder.process().waitForFinished(5000));
    EXPECT_EQ(feeder.process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(feeder.process().exitCode(), 0);
}

TEST(NmeaFeeder, LoopsAndSkipsTextNobodyReads)
{
    if (!QFileInfo(feederPath()).isExecutable())
        GTEST_SKIP() << "nmea_feeder not built at " << feederPath().toStdString();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile file(dir.filePath("fix.log"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("$GPRMC,030719.000,A,3747.0873,S,17518.8938,E,1.5,45.7,311214,,,A*42\n");
    file.close();
    const QString link = dir.filePath("gps");

    Feeder feeder({"--interval", "100", "--rate", "100000", "--link", link, file.fileName()});
    ASSERT_TRUE(feeder.device().startsWith("/dev/"));
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), feeder.device());
    QThread::msleep(4000); // ~40 bursts (2.8 KiB) nobody reads: dropped above 1 KiB

    QByteArray raw;
    GpsPort gps([](const QString&) { return std::make_unique<TermiosSerialPort>(); }, [] { return true; },
                [&](const QByteArray& text) { raw += text; });
    gps.Open(link); // the link works as GPSPort
    ASSERT_TRUE(gps.PortOpen());
    EXPECT_TRUE(spinUntil([&] { return raw.count("\r\n") >= 3; }, 3000));
    EXPECT_LT(raw.size(), 1400); // the backlog was dropped, not kept
    gps.Close();

    feeder.process().terminate();
    EXPECT_TRUE(feeder.process().waitForFinished(3000));
    EXPECT_EQ(feeder.process().exitStatus(), QProcess::NormalExit);
    EXPECT_FALSE(QFileInfo::exists(link)); // removed at exit
}
