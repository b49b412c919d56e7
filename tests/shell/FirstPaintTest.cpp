// What the home screen does not show waits for its first paint, and a tap made before the
// late services are ready is neither lost nor undone when they arrive.
#include "config/Settingsunit.h"
#include "gps/Gpsinfounit.h"
#include "platform/LateServices.h"
#include "shell/Mainunit.h"
#include "shell/Startup.h"
#include "support/Doubles.h"
#include "support/TempFolder.h"
#include "widgets/TouchButton.h"
#include "widgets/TrackBar.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace {

// A mixer that opens when the test says so, as the program's opens after the first paint.
class OpeningMixer : public FakeMixer {
public:
    void whenReady(std::function<void()> then) override { waiting.push_back(std::move(then)); }
    void open()
    {
        for (const std::function<void()>& then : std::exchange(waiting, {}))
            then();
    }
    std::vector<std::function<void()>> waiting;
};

class FirstPaintTest : public ::testing::Test {
protected:
    void start()
    {
        folder.write(ConfigFileName, "GPSPort=COM3\r\nGPSEnabled=TRUE\r\n");
        Services services = fakes.make(folder.path());
        auto opening = std::make_unique<OpeningMixer>();
        opening->volume = 30000;
        mixer = opening.get();
        services.mixer = std::move(opening);
        services.startAfterFirstPaint = [this] { ++servicesStarted; };
        main = Startup::createWindows(std::move(services));
    }

    TempFolder folder;
    FakeServices fakes;
    OpeningMixer* mixer = nullptr;
    int servicesStarted = 0;
    std::unique_ptr<TMainForm> main;
};

bool waitUntil(const std::function<bool()>& done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

} // namespace

TEST_F(FirstPaintTest, ThePortsAndTheGpsScreenWaitForTheFirstPaintThenComeInOrder)
{
    start();
    EXPECT_EQ(fakes.serial, nullptr);
    EXPECT_EQ(main->GpsInfo->Port, nullptr);
    EXPECT_EQ(main->SettingsForm->GPSPort->count(), 0);
    EXPECT_EQ(servicesStarted, 0);

    main->firstPaint().firstPaintDone();
    EXPECT_EQ(servicesStarted, 1);
    ASSERT_NE(fakes.serial, nullptr);
    EXPECT_EQ(fakes.serial->openedNames, QStringList{"COM3"});
    ASSERT_NE(main->GpsInfo->Port, nullptr);
    EXPECT_EQ(main->GpsInfo->Port->text(), "COM3");

    main->firstPaint().firstPaintDone(); // once only
    EXPECT_EQ(servicesStarted, 1);
    EXPECT_EQ(fakes.serial->openedNames.size(), 1);
}

TEST_F(FirstPaintTest, TheVolumeBarShowsTheMixerWhenItOpens)
{
    start();
    EXPECT_EQ(mixer->reads, 0);
    mixer->open();
    EXPECT_EQ(int(main->VolumeBar->position()), 30000);
    EXPECT_EQ(mixer->muteWrites, std::vector<bool>{false});
}

TEST_F(FirstPaintTest, WhatTheDriverDidBeforeTheMixerOpenedHolds)
{
    start();
    main->VolumeBar->setPosition(12000);
    main->MuteBtnClick();
    mixer->open();
    EXPECT_EQ(int(main->VolumeBar->position()), 12000);
    EXPECT_EQ(mixer->muted, true);
}

TEST(LateServices, AreBuiltOnAWorkerAndWaitedForOnlyWhenNeeded)
{
    const std::thread::id windowThread = std::this_thread::get_id();
    std::atomic<int> built{0};
    std::thread::id builtOn;
    LateMixer mixer([&]() -> std::unique_ptr<Mixer> {
        builtOn = std::this_thread::get_id();
        ++built;
        auto fake = std::make_unique<FakeMixer>();
        fake->volume = 777;
        return fake;
    });
    bool readyRan = false;
    mixer.whenReady([&] {
        EXPECT_EQ(std::this_thread::get_id(), windowThread);
        readyRan = true;
    });
    EXPECT_EQ(built, 0); // asking when it is ready does not build it
    mixer.startBuilding();
    EXPECT_TRUE(waitUntil([&] { return readyRan; }));
    EXPECT_NE(builtOn, windowThread);
    EXPECT_EQ(mixer.masterVolume(), 777u);
    EXPECT_EQ(built, 1);

    // The media player is built once media is wanted; what was set meanwhile is handed on.
    FakeMediaPlayer* real = nullptr;
    LateMediaPlayer player([&]() -> std::unique_ptr<MediaPlayer> {
        auto fake = std::make_unique<FakeMediaPlayer>();
        real = fake.get();
        return fake;
    });
    player.setFileName("/media/song.mp3");
    EXPECT_FALSE(player.isOpen());
    EXPECT_EQ(player.position(), 0);
    EXPECT_EQ(real, nullptr);
    player.prepare();
    player.open(); // waits for the build
    ASSERT_NE(real, nullptr);
    EXPECT_EQ(real->calls, QStringList{"open /media/song.mp3"});
}
