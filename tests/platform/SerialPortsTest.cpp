#include "support/QtPrinters.h"
#include "platform/SerialPort.h"
#include "platform/SerialPortScan.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(SerialPortsDevicePath, ComNamesAreTtySCountedFromZero)
{
    EXPECT_EQ(SerialPorts::devicePath("COM1"), "/dev/ttyS0");
    EXPECT_EQ(SerialPorts::devicePath("COM3"), "/dev/ttyS2");
    EXPECT_EQ(SerialPorts::devicePath("COM10"), "/dev/ttyS9");
    EXPECT_EQ(SerialPorts::devicePath("COM42"), "/dev/ttyS41");
}

TEST(SerialPortsDevicePath, ComIsCaseInsensitive)
{
    EXPECT_EQ(SerialPorts::devicePath("com4"), "/dev/ttyS3");
    EXPECT_EQ(SerialPorts::devicePath("Com2"), "/dev/ttyS1");
}

TEST(SerialPortsDevicePath, SlashNamesAreUsedAsTheyAre)
{
    EXPECT_EQ(SerialPorts::devicePath("/dev/ttyUSB0"), "/dev/ttyUSB0");
    EXPECT_EQ(SerialPorts::devicePath("/dev/serial/by-id/usb-Prolific-if00-port0"),
              "/dev/serial/by-id/usb-Prolific-if00-port0");
}

TEST(SerialPortsDevicePath, OtherNamesAreEmpty)
{
    for (const char* name : {"", "COM", "COM0", "COM-1", "COMx", "COM 1", " COM1", "LPT1",
                             "ttyUSB0", "dev/ttyS0", "COM99999999999999"})
        EXPECT_TRUE(SerialPorts::devicePath(name).isEmpty()) << name;
}

static void touch(const QString& path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
}

TEST(SerialPortsScan, FindsUsbAcmBluetoothAndByIdDevicesInNaturalOrder)
{
    QTemporaryDir dev;
    ASSERT_TRUE(dev.isValid());
    ASSERT_TRUE(QDir(dev.path()).mkpath("serial/by-id"));
    for (const char* name : {"ttyUSB10", "ttyUSB2", "ttyUSB0", "ttyACM1", "ttyACM0", "ttyS0",
                             "rfcomm10", "rfcomm1", "tty1", "null", "serial/by-id/usb-FTDI-if00-port0",
                             "serial/by-id/usb-Arduino-if00"})
        touch(dev.filePath(name));

    const QString root = dev.path();
    EXPECT_EQ(SerialPorts::devicesUnder(root),
              QStringList({root + "/ttyUSB0", root + "/ttyUSB2", root + "/ttyUSB10",
                           root + "/ttyACM0", root + "/ttyACM1",
                           root + "/rfcomm1", root + "/rfcomm10",
                           root + "/serial/by-id/usb-Arduino-if00",
                           root + "/serial/by-id/usb-FTDI-if00-port0"}));
}

TEST(SerialPortsScan, NothingPresentFindsNothing)
{
    QTemporaryDir dev;
    ASSERT_TRUE(dev.isValid());
    EXPECT_TRUE(SerialPorts::devicesUnder(dev.path()).isEmpty());
    EXPECT_TRUE(SerialPorts::devicesUnder(dev.filePath("no-such-folder")).isEmpty());
}

TEST(SerialPortsOffered, TenComNamesThenTheDevicesOfThisMachine)
{
    const QStringList names = SerialPorts::offeredNames();
    ASSERT_GE(names.size(), 10);
    for (int n = 1; n <= 10; ++n)
        EXPECT_EQ(names.at(n - 1), QStringLiteral("COM%1").arg(n));
    EXPECT_EQ(names.mid(10), SerialPorts::devicesUnder("/dev"));
    EXPECT_EQ(names.size(), QSet<QString>(names.begin(), names.end()).size());
    for (const QString& device : names.mid(10)) {
        EXPECT_TRUE(device.startsWith("/dev/")) << device.toStdString();
        EXPECT_EQ(SerialPorts::devicePath(device), device);
    }
}
