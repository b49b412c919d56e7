// The driver's phone through a stand-in BlueZ (python3-dbusmock's bluez5 template) on a
// private bus: pairing confirmed on the screen, the phone's player as the source, and a
// car without an adapter.
#include "dialogs/Myerrorunit.h"
#include "dialogs/Mypromptunit.h"
#include "home/Welcomeframeunit.h"
#include "mpris/MainFormRemote.h"
#include "phone/PhoneForm.h"
#include "platform/BluezBluetooth.h"
#include "playlists/Mediaframeunit.h"
#include "support/EventSpin.h"
#include "support/MediaFiles.h"
#include "support/PrivateBus.h"
#include "support/TestProgram.h"
#include "widgets/CaptionPanel.h"
#include "widgets/TouchButton.h"
#include "widgets/TouchLabel.h"
#include "widgets/TouchList.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QApplication>
#include <QStandardPaths>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const QString Phone = QStringLiteral("/org/bluez/hci0/dev_AA_BB_CC_DD_EE_FF");
const QString PhonePlayerPath = Phone + QStringLiteral("/player0");
const QByteArray SpeechOn = "ClickSounds=TRUE\r\nOtherSounds=TRUE\r\nSpeechSounds=TRUE\r\n";

// Python that talks to the stand-in: `mock(path)` is its control interface at `path`.
const QString Prelude = QStringLiteral(
    "import dbus\n"
    "bus = dbus.SystemBus()\n"
    "def mock(path, interface='org.freedesktop.DBus.Mock'):\n"
    "    return dbus.Interface(bus.get_object('org.bluez', path), interface)\n"
    "bluez = mock('/', 'org.bluez.Mock')\n"
    "phone = '/org/bluez/hci0/dev_AA_BB_CC_DD_EE_FF'\n"
    "player = phone + '/player0'\n"
    "def change(properties):\n"
    "    mock(player).EmitSignal('org.freedesktop.DBus.Properties', 'PropertiesChanged', 'sa{sv}as',\n"
    "        ['org.bluez.MediaPlayer1', dbus.Dictionary(properties, signature='sv'), dbus.Array([], signature='s')])\n"
    "def track(title, seconds):\n"
    "    return dbus.Dictionary({'Title': title, 'Artist': 'The Drivers', 'Album': 'Roads',\n"
    "                            'Duration': dbus.UInt32(seconds * 1000)}, signature='sv')\n");

class PhoneTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!PrivateBus::standInsAvailable())
            GTEST_SKIP() << "dbus-daemon or python3-dbusmock is not installed";
        ASSERT_FALSE(bus.address().isEmpty()) << "the private bus did not start";
        connection = QDBusConnection::connectToBus(bus.address(), QStringLiteral("phone-test"));
        ASSERT_TRUE(connection.isConnected());
        program.adjustServices = [address = bus.address()](Services& services) {
            services.connectBluetooth = [address] { return BluezBluetooth::onBus(address); };
        };
    }
    void TearDown() override
    {
        program.main.reset();
        bluez.kill();
        bluez.waitForFinished();
        QDBusConnection::disconnectFromBus(QStringLiteral("phone-test"));
    }

    void startBluez()
    {
        bus.startStandIn(bluez, QStringLiteral("bluez5"));
        ASSERT_TRUE(spinUntil([&] { return connection.interface()->isServiceRegistered(QStringLiteral("org.bluez")).value(); }, 10000));
    }
    // Runs `code` (after the prelude) against the stand-in.
    void run(const QString& code)
    {
        QProcess script;
        bus.startClient(script, PrivateBus::Python, {"-c", Prelude + code});
        ASSERT_TRUE(spinUntil([&] { return script.state() == QProcess::NotRunning; }, 10000));
        ASSERT_EQ(script.exitCode(), 0) << script.readAllStandardError().toStdString();
    }
    // A paired, connected phone whose player is paused.
    void connectPhone()
    {
        run("bluez.AddAdapter('hci0', 'car')\n"
            "bluez.AddDevice('hci0', 'AA:BB:CC:DD:EE:FF', 'Pixel <b>7</b>')\n"
            "bluez.PairDevice('hci0', 'AA:BB:CC:DD:EE:FF', 5898764)\n"
            "bluez.ConnectDevice('hci0', 'AA:BB:CC:DD:EE:FF')\n"
            "mock('/').AddObject(player, 'org.bluez.MediaPlayer1', {'Status': 'paused', 'Position': dbus.UInt32(0),\n"
            "    'Device': dbus.ObjectPath(phone), 'Track': track('First', 200)},\n"
            "    [(m, '', '', '') for m in ('Play', 'Pause', 'Next', 'Previous')])\n"
            "mock('/').EmitSignal('org.freedesktop.DBus.ObjectManager', 'InterfacesAdded', 'oa{sa{sv}}',\n"
            "    [dbus.ObjectPath(player), {'org.bluez.MediaPlayer1': mock(player, 'org.freedesktop.DBus.Properties')\n"
            "     .GetAll('org.bluez.MediaPlayer1')}])\n");
    }
    void playOnPhone(const QString& title)
    {
        run(QStringLiteral("change({'Status': 'playing', 'Track': track('%1', 240)})\n").arg(title));
    }
    // The method calls the stand-in has logged so far.
    QString calls()
    {
        m_logged += QString::fromUtf8(bluez.readAllStandardOutput());
        return m_logged;
    }
    bool phoneIsSource() { return spinUntil([&] { return program.main->nowPlaying().otherSource() != nullptr; }); }
    QString ticker() const { return program.main->WelcomeFrame1->NowPlayingStatus->text(); }
    TPhoneForm& phones() const { return *program.main->findChild<TPhoneForm*>(); }
    // A track of the playlist playing in the car.
    QString playLocalTrack()
    {
        program.folder.write(QStringLiteral("local_song.mp3"), MediaFiles::wave(50));
        const QString song = program.folder.file(QStringLiteral("local_song.mp3"));
        program.main->MediaFrame1->AppendAndPlay(song);
        program.fakes.media->pos = 42000;
        return song;
    }

    PrivateBus bus;
    QDBusConnection connection{QString()};
    QProcess bluez;
    TestProgram program;

private:
    QString m_logged;
};

} // namespace

TEST_F(PhoneTest, WithoutAdapterOrServiceThePhonesDialogSaysWhy)
{
    program.start();
    EXPECT_TRUE(spinUntil([&] { return phones().StatusDisplay->text().contains("bluetoothd"); }));

    startBluez();
    EXPECT_TRUE(spinUntil([&] { return phones().StatusDisplay->text().contains("no Bluetooth adapter"); }));
    whenModalOpens([] {});
    phones().VisibleBtnClick();
    EXPECT_TRUE(program.main->MyError->isVisible());
}

TEST_F(PhoneTest, APhoneAskingToPairIsConfirmedWithItsCodeAndTrusted)
{
    startBluez();
    run("bluez.AddAdapter('hci0', 'car')\nbluez.AddDevice('hci0', 'AA:BB:CC:DD:EE:FF', 'Pixel 7')\n");
    program.start(SpeechOn);
    ASSERT_TRUE(spinUntil([&] { return phones().StatusDisplay->text().startsWith("Tap Make Visible"); }));

    phones().VisibleBtnClick();
    EXPECT_TRUE(spinUntil([&] { return calls().contains("Set /org/bluez/hci0 org.bluez.Adapter1.Discoverable True"); }));
    EXPECT_TRUE(calls().contains("Set /org/bluez/hci0 org.bluez.Adapter1.Alias \"Karvex\""));

    // bluetoothd asks the default agent, as it does when the phone shows the code.
    QString agent;
    for (const QString& name : connection.interface()->registeredServiceNames().value())
        if (name.startsWith(u':') && name != connection.baseService()
            && name != connection.interface()->serviceOwner(QStringLiteral("org.bluez")).value())
            agent = name;
    QDBusMessage ask = QDBusMessage::createMethodCall(agent, BluezBluetooth::AgentPath, QStringLiteral("org.bluez.Agent1"),
                                                      QStringLiteral("RequestConfirmation"));
    ask << QVariant::fromValue(QDBusObjectPath(Phone)) << 4021u;
    // The prompt opens once the call has come round through the bus.
    QString question;
    QTimer answerer;
    QObject::connect(&answerer, &QTimer::timeout, [&] {
        if (QApplication::activeModalWidget() != program.main->MyPrompt)
            return;
        answerer.stop();
        question = program.main->MyPrompt->PromptDisp->text();
        program.main->MyPrompt->OkBtn->click();
    });
    answerer.start(20);
    const QDBusPendingCall answer = connection.asyncCall(ask, 10000);
    ASSERT_TRUE(spinUntil([&] { return answer.isFinished(); }, 10000));
    EXPECT_FALSE(answer.isError()) << answer.error().message().toStdString();
    EXPECT_EQ(question, "Pair with the phone Pixel 7?\nCode 004021");
    EXPECT_TRUE(program.spoken().contains("Pair with the phone Pixel 7? Code 0 0 4 0 2 1"));
    EXPECT_TRUE(spinUntil([&] { return calls().contains("Set " + Phone + " org.bluez.Device1.Trusted True"); }));

    run("bluez.PairDevice('hci0', 'AA:BB:CC:DD:EE:FF', 5898764)\n");
    EXPECT_TRUE(spinUntil([&] { return phones().PhoneList->count() == 1; }));
    EXPECT_EQ(phones().PhoneList->itemText(0), "Pixel 7");
}

TEST_F(PhoneTest, APlayingPhoneBecomesTheSourceAndTheButtonsReachIt)
{
    startBluez();
    connectPhone();
    program.start(SpeechOn);
    playLocalTrack();
    auto* remote = new MainFormRemote(*program.main, *program.main->MediaFrame1, *program.main->MyMainMenu,
                                      program.main->nowPlaying(), program.main->MediaPlayer1(), program.main->feedback());

    playOnPhone("Night <i>Drive</i>");
    ASSERT_TRUE(phoneIsSource());
    EXPECT_FALSE(program.fakes.media->isPlaying());
    EXPECT_TRUE(program.fakes.media->isOpen());
    EXPECT_TRUE(ticker().contains("Night <i>Drive</i>   Roads   The Drivers")) << ticker().toStdString();
    EXPECT_EQ(program.main->WelcomeFrame1->NowPlayingPanel->caption(), "Pixel <b>7</b>");
    EXPECT_EQ(remote->status(), RemoteStatus::Playing);
    EXPECT_EQ(remote->track().title, "Night <i>Drive</i>");
    EXPECT_EQ(remote->track().lengthMs, 240000);

    for (TouchButton* button : {program.main->PlayBtn, program.main->StopBtn, program.main->TrackPrevBtn, program.main->TrackNextBtn})
        button->click();
    for (const char* method : {"Play", "Pause", "Previous", "Next"})
        EXPECT_TRUE(spinUntil([&] { return calls().contains(QStringLiteral(" %1\n").arg(QLatin1String(method))); })) << method;
    EXPECT_TRUE(program.spoken().contains("Next Track"));
    EXPECT_EQ(program.fakes.media->pos, 42000) << "the playlist's track stays where it was";
}

TEST_F(PhoneTest, ADisconnectOrADoubleTapHandsBackToThePlaylist)
{
    startBluez();
    connectPhone();
    program.start();
    playLocalTrack();
    playOnPhone("Far Away");
    ASSERT_TRUE(phoneIsSource());

    program.main->MediaFrame1->PlayListDblClick();
    EXPECT_EQ(program.main->nowPlaying().otherSource(), nullptr);
    EXPECT_TRUE(program.fakes.media->isPlaying());
    EXPECT_TRUE(spinUntil([&] { return calls().contains(" Pause\n"); }));

    run("change({'Status': 'paused'})\n");
    spinFor(2 * BluezBluetooth::AnnounceMs); // changes closer together are taken in as one
    playOnPhone("Far Away");
    ASSERT_TRUE(phoneIsSource());
    run("mock('/').RemoveObject(player)\n"
        "mock('/').EmitSignal('org.freedesktop.DBus.ObjectManager', 'InterfacesRemoved', 'oas',\n"
        "    [dbus.ObjectPath(player), ['org.bluez.MediaPlayer1']])\n");
    EXPECT_TRUE(spinUntil([&] { return program.main->nowPlaying().otherSource() == nullptr; }));
    EXPECT_TRUE(ticker().startsWith("local song")) << ticker().toStdString();
}

TEST_F(PhoneTest, AFloodOfOddPropertiesNeitherBlocksNorBreaks)
{
    startBluez();
    connectPhone();
    program.start();
    playOnPhone("Start");
    ASSERT_TRUE(phoneIsSource());

    run("for i in range(500):\n"
        "    change({'Track': track('Song %d ' % i + 'x' * 5000, 200)})\n"
        "change({'Position': 'soon', 'Track': dbus.Dictionary(\n"
        "    {'Title': dbus.Int32(7), 'Duration': 'long', 'Artist': dbus.Array([1, 2], signature='i')}, signature='sv')})\n");
    EXPECT_TRUE(spinUntil([&] { return program.main->nowPlaying().info().Title == "Unknown Title"; }));
    EXPECT_EQ(program.main->nowPlaying().otherSource()->lengthMs, 0);
    EXPECT_EQ(program.main->nowPlaying().info().Artist, "Unknown Artist");
}
