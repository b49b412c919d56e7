// The backlight: its device found in a backlight class folder of the test's own, set
// through a stand-in logind (python3-dbusmock's template) on a private bus.
#include "platform/LateServices.h"
#include "platform/LogindBacklight.h"
#include "support/EventSpin.h"
#include "support/PrivateBus.h"
#include "support/TempFolder.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <atomic>
#include <gtest/gtest.h>

namespace {

const QString Logind = QStringLiteral("org.freedesktop.login1");

// A device folder NAME under SYSFS, with MAX as its max_brightness unless MAX is null.
void addDevice(const TempFolder& sysfs, const QString& name, const QByteArray& max)
{
    QDir(sysfs.path()).mkpath(name);
    if (!max.isNull())
        sysfs.write(name + QStringLiteral("/max_brightness"), max);
}

class LogindBacklightTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!PrivateBus::standInsAvailable())
            GTEST_SKIP() << "dbus-daemon or python3-dbusmock is not installed";
        ASSERT_FALSE(bus.address().isEmpty()) << "the private bus did not start";
        connection = QDBusConnection::connectToBus(bus.address(), QStringLiteral("backlight-test"));
        ASSERT_TRUE(connection.isConnected());
        addDevice(sysfs, QStringLiteral("acpi_video0"), "937\n");
    }
    void TearDown() override
    {
        logind.kill();
        logind.waitForFinished();
        QDBusConnection::disconnectFromBus(QStringLiteral("backlight-test"));
    }

    // Starts the stand-in logind with the session c1, which takes SetBrightness calls.
    void startLogind()
    {
        bus.startStandIn(logind, QStringLiteral("logind"));
        ASSERT_TRUE(spinUntil([&] { return connection.interface()->isServiceRegistered(Logind).value(); }, 10000));
        mock(QStringLiteral("/org/freedesktop/login1"), QStringLiteral("AddSession"),
             {QStringLiteral("c1"), QStringLiteral("seat0"), 1000u, QStringLiteral("driver"), true});
        mock(QStringLiteral("/org/freedesktop/login1/session/c1"), QStringLiteral("AddMethod"),
             {QStringLiteral("org.freedesktop.login1.Session"), QStringLiteral("SetBrightness"), QStringLiteral("ssu"),
              QString(), QString()});
    }
    void mock(const QString& path, const QString& method, const QVariantList& arguments)
    {
        QDBusMessage call = QDBusMessage::createMethodCall(Logind, path, QStringLiteral("org.freedesktop.DBus.Mock"), method);
        call.setArguments(arguments);
        const QDBusMessage reply = connection.call(call);
        ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << qPrintable(reply.errorMessage());
    }
    // The arguments of the SetBrightness calls the stand-in has logged so far.
    QStringList brightnessCalls()
    {
        m_logged += QString::fromUtf8(logind.readAllStandardOutput());
        const QString method = QStringLiteral(" SetBrightness ");
        QStringList calls;
        for (const QString& line : m_logged.split(u'\n'))
            if (line.contains(method))
                calls << line.mid(line.indexOf(method) + method.size());
        return calls;
    }

    PrivateBus bus;
    QDBusConnection connection{QString()};
    QProcess logind;
    TempFolder sysfs;

private:
    QString m_logged;
};

} // namespace

TEST(BacklightDevice, IsTheFirstByNameWithAMaximumAndPercentsScaleOntoIt)
{
    TempFolder sysfs;
    EXPECT_FALSE(BacklightDevice::first(sysfs.path()));
    EXPECT_FALSE(BacklightDevice::first(sysfs.file("missing")));

    addDevice(sysfs, "zz_backlight", "255\n");
    addDevice(sysfs, "acpi_video0", "0\n");
    addDevice(sysfs, "amdgpu_bl0", QByteArray());
    // The kernel's devices are links to their folders elsewhere.
    TempFolder devices;
    addDevice(devices, "intel_backlight", "937\n");
    ASSERT_TRUE(QFile::link(devices.file("intel_backlight"), sysfs.file("intel_backlight")));

    const std::optional<BacklightDevice> device = BacklightDevice::first(sysfs.path());
    ASSERT_TRUE(device);
    EXPECT_EQ(device->name, "intel_backlight");
    EXPECT_EQ(device->valueFor(100), 937);
    EXPECT_EQ(device->valueFor(50), 469);
    EXPECT_EQ(device->valueFor(1), 9);
    EXPECT_EQ((BacklightDevice{"small", 7}.valueFor(5)), 1) << "never black";
}

TEST_F(LogindBacklightTest, SetsTheDeviceInTheSessionThroughLogindFromAWorker)
{
    ASSERT_NO_FATAL_FAILURE(startLogind());
    const BacklightDevice device = *BacklightDevice::first(sysfs.path());
    // As the program builds it: on a worker, after the first paint.
    LateBacklight backlight([&] { return LogindBacklight::create(device, connection, QStringLiteral("c1")); });
    backlight.setPercent(30);
    backlight.startBuilding();
    ASSERT_TRUE(spinUntil([&] { return brightnessCalls().size() == 1; }, 10000));
    backlight.setPercent(100);
    ASSERT_TRUE(spinUntil([&] { return brightnessCalls().size() == 2; }, 10000));
    EXPECT_EQ(brightnessCalls(), (QStringList{R"("backlight" "acpi_video0" 281)", R"("backlight" "acpi_video0" 937)"}));
}

TEST_F(LogindBacklightTest, WithoutLogindThereIsNone)
{
    EXPECT_FALSE(LogindBacklight::create(*BacklightDevice::first(sysfs.path()), connection, QStringLiteral("c1")));
}

TEST(LateBacklight, IsLookedForOnceAndNotBeforeTheFirstPaint)
{
    std::atomic<int> searches{0};
    {
        LateBacklight none([&]() -> std::unique_ptr<Backlight> {
            ++searches;
            return nullptr;
        });
        none.setPercent(50);
        EXPECT_EQ(searches, 0);
        none.startBuilding();
        ASSERT_TRUE(spinUntil([&] { return searches == 1; }));
        spinFor(50);
        none.setPercent(70);
    } // waits for any search still running
    EXPECT_EQ(searches, 1);
}
