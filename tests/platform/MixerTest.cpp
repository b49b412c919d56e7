#include "support/QtPrinters.h"
#include "platform/AlsaMixer.h"

#include <QFileInfo>
#include <QTemporaryFile>
#include <gtest/gtest.h>

#include <cstdio>
#include <unistd.h>

TEST(AlsaMixerScale, ElementRangeMapsOntoFullScale)
{
    EXPECT_EQ(AlsaMixer::fromElement(0, 0, 87), 0u);
    EXPECT_EQ(AlsaMixer::fromElement(87, 0, 87), 65535u);
    EXPECT_EQ(AlsaMixer::fromElement(-5000, -10000, 0), 32768u); // rounded to nearest
    EXPECT_EQ(AlsaMixer::fromElement(127, 0, 255), 32639u);
    EXPECT_EQ(AlsaMixer::toElement(0, 0, 87), 0);
    EXPECT_EQ(AlsaMixer::toElement(65535, 0, 87), 87);
    EXPECT_EQ(AlsaMixer::toElement(32768, 0, 100), 50);
    EXPECT_EQ(AlsaMixer::toElement(32768, -10000, 0), -5000);
}

TEST(AlsaMixerScale, OutOfRangeValuesAreClamped)
{
    EXPECT_EQ(AlsaMixer::fromElement(500, 0, 255), 65535u);
    EXPECT_EQ(AlsaMixer::fromElement(-1, 0, 255), 0u);
    EXPECT_EQ(AlsaMixer::toElement(70000, 0, 255), 255);
    // A degenerate range reads 0 and writes its only value.
    EXPECT_EQ(AlsaMixer::fromElement(3, 3, 3), 0u);
    EXPECT_EQ(AlsaMixer::toElement(40000, 3, 3), 3);
}

TEST(AlsaMixerScale, EveryElementStepSurvivesTheRoundTrip)
{
    for (long max : {31L, 87L, 100L, 255L, 1000L, 65535L}) {
        for (long raw = 0; raw <= max; raw += (max > 1000 ? 97 : 1))
            ASSERT_EQ(AlsaMixer::toElement(AlsaMixer::fromElement(raw, 0, max), 0, max), raw) << max;
    }
}

namespace {

// Runs ACTION with stderr going to a file; returns what was written there.
template <typename F>
std::string capturedStderr(F action)
{
    QTemporaryFile file;
    if (!file.open())
        return "<no capture file>";
    std::fflush(stderr);
    const int saved = dup(STDERR_FILENO);
    dup2(file.handle(), STDERR_FILENO);
    action();
    std::fflush(stderr);
    dup2(saved, STDERR_FILENO);
    close(saved);
    file.seek(0);
    return file.readAll().toStdString();
}

} // namespace

TEST(AlsaMixerWithoutCard, ReadsZeroWritesNothingAndStaysQuiet)
{
    AlsaMixer mixer(QStringLiteral("hw:77"));
    uint32_t volume = 12345;
    const std::string printed = capturedStderr([&] {
        volume = mixer.masterVolume();
        mixer.setMasterVolume(40000);
        mixer.setMasterMute(true);
        mixer.setMasterMute(false);
    });
    EXPECT_EQ(volume, 0u);
    EXPECT_EQ(printed, "");
}

TEST(AlsaMixerWithoutCard, MissingElementReadsZero)
{
    AlsaMixer mixer(QStringLiteral("default"), QStringLiteral("No Such Element"));
    EXPECT_EQ(mixer.masterVolume(), 0u);
    mixer.setMasterVolume(1000);
    mixer.setMasterMute(true);
    EXPECT_EQ(mixer.masterVolume(), 0u);
}

// The machine's own mixer is only read, and only where there is no sound card: a test
// must not change a developer's volume.
TEST(AlsaMixerDefault, MachineWithoutSoundCardReadsZero)
{
    if (QFileInfo::exists("/dev/snd"))
        GTEST_SKIP() << "this machine has sound devices";
    AlsaMixer mixer;
    const std::string printed = capturedStderr([&] {
        EXPECT_EQ(mixer.masterVolume(), 0u);
        mixer.setMasterVolume(65535);
        mixer.setMasterMute(false);
    });
    EXPECT_EQ(printed, "");
}
