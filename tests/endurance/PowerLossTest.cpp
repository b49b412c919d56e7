// The car's power can go at any moment, also while config.ini or a playlist is being
// saved. A helper process saves two different contents in turn without end and is killed
// at a random moment, again and again; every time, the program's own reader must find one
// of the two contents whole.
#include "config/SettingsStore.h"
#include "platform/TextFile.h"
#include "playlists/PlaylistFile.h"
#include "support/ChildProcess.h"
#include "support/TempFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <optional>
#include <random>
#include <thread>

namespace {

constexpr int Kills = 120;
constexpr int MaxKillDelayMs = 25;
// QSaveFile writes into an unnamed file and gives it its name only when complete, but a
// kill between the two steps of replacing an existing file can leave the named temporary
// behind; those must stay rare.
constexpr int MaxLeftovers = Kills / 10;

// One kind of saved file: how the program writes and reads it, and two complete contents
// of different sizes (a kill in the middle of either shows as a text matching neither).
struct SavedKind {
    const char* name;
    QString (*pathIn)(const QString& folder);
    bool (*save)(const QString& path, const QStringList& lines);
    std::optional<QStringList> (*read)(const QString& path);
    QStringList (*contents)(int which);
};

QStringList settingsContents(int which)
{
    SettingsStore store;
    store.writeDefaults();
    store.setValue(Key::GPSPort, which == 0 ? QStringLiteral("COM3") : QStringLiteral("/dev/ttyUSB0"));
    QStringList lines = store.lines();
    for (int i = 0; i < 800 + which * 150; ++i)
        lines << QStringLiteral("Preset%1=Radio station %2, stored from the steering wheel").arg(i).arg(i * (which + 2));
    return lines;
}

QStringList playlistContents(int which)
{
    // The first is Windows-1252; the second holds names only UTF-8 can carry.
    const QString place = which == 0 ? QStringLiteral("Café") : QStringLiteral("東京");
    QStringList paths;
    for (int i = 0; i < 2500 - which * 400; ++i)
        paths << QStringLiteral("/media/usb/Music/Artist %1/%2 Sessions/Track %3.mp3").arg(i / 12).arg(place).arg(i % 12 + 1);
    return paths;
}

const SavedKind SettingsFile{
    "settings",
    [](const QString& folder) { return QDir(folder).filePath(ConfigFileName); },
    [](const QString& path, const QStringList& lines) {
        SettingsStore store;
        store.setLines(lines);
        return store.save(path);
    },
    [](const QString& path) -> std::optional<QStringList> {
        SettingsStore store;
        if (!store.load(path))
            return std::nullopt;
        return store.lines();
    },
    settingsContents,
};

const SavedKind PlaylistFileKind{
    "playlist",
    [](const QString& folder) { return PlaylistFile::path(folder, QStringLiteral("Road trip")); },
    TextFile::writeLines,
    TextFile::readLines,
    playlistContents,
};

void PrintTo(const SavedKind* kind, std::ostream* out)
{
    *out << kind->name;
}

const SavedKind& kindNamed(const QString& name)
{
    return name == QLatin1String(SettingsFile.name) ? SettingsFile : PlaylistFileKind;
}

// The helper: "KIND PATH". Says it has started, then saves the two contents in turn until
// it is killed.
int saveForever(const QStringList& arguments)
{
    const SavedKind& kind = kindNamed(arguments.at(0));
    const QString path = arguments.at(1);
    const QStringList contents[] = {kind.contents(0), kind.contents(1)};
    std::fputs("saving\n", stdout);
    std::fflush(stdout);
    for (int round = 0;; ++round)
        if (!kind.save(path, contents[round % 2]))
            return 1;
}

const bool SaveForeverRegistered = ChildProcess::add(QStringLiteral("save-forever"), saveForever);

class PowerLossTest : public ::testing::TestWithParam<const SavedKind*> {
protected:
    // Starts the helper and kills it at a random moment once it is saving.
    void killWhileSaving(const QString& path, int delayMs)
    {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(),
                    ChildProcess::arguments(QStringLiteral("save-forever"), {QLatin1String(GetParam()->name), path}));
        ASSERT_TRUE(child.waitForStarted()) << child.errorString().toStdString();
        while (!child.canReadLine())
            ASSERT_TRUE(child.waitForReadyRead()) << "the helper never started saving";
        ASSERT_EQ(child.readLine(), "saving\n");
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
        child.kill();
        ASSERT_TRUE(child.waitForFinished());
        ASSERT_EQ(child.exitStatus(), QProcess::CrashExit) << "the helper stopped saving by itself";
    }

    TempFolder folder;
};

} // namespace

TEST_P(PowerLossTest, AKillMidSaveLeavesTheOldOrTheNewFileWhole)
{
    const SavedKind& kind = *GetParam();
    const QString path = kind.pathIn(folder.path());
    const QString parent = QFileInfo(path).path();
    ASSERT_TRUE(QDir().mkpath(parent));
    const QStringList contents[] = {kind.contents(0), kind.contents(1)};
    ASSERT_TRUE(kind.save(path, contents[0]));

    std::mt19937 random(kind.contents(0).size());
    std::uniform_int_distribution<int> delayMs(0, MaxKillDelayMs);
    int found[2] = {0, 0};
    for (int kill = 0; kill < Kills; ++kill) {
        killWhileSaving(path, delayMs(random));
        if (HasFatalFailure())
            return;
        const std::optional<QStringList> lines = kind.read(path);
        ASSERT_TRUE(lines) << "the file is gone after kill " << kill;
        const int which = *lines == contents[0] ? 0 : *lines == contents[1] ? 1 : -1;
        ASSERT_NE(which, -1) << "kill " << kill << " left " << lines->size() << " lines, a partial file";
        ++found[which];
    }
    EXPECT_GT(found[0], 0);
    EXPECT_GT(found[1], 0) << "the kills must land at different moments of the saving";

    QStringList leftovers = QDir(parent).entryList(QDir::Files | QDir::Hidden);
    leftovers.removeAll(QFileInfo(path).fileName());
    EXPECT_LE(leftovers.size(), MaxLeftovers) << leftovers.join(", ").toStdString();
}

INSTANTIATE_TEST_SUITE_P(SavedFiles, PowerLossTest, ::testing::Values(&SettingsFile, &PlaylistFileKind),
                         [](const ::testing::TestParamInfo<const SavedKind*>& info) {
                             return std::string(info.param->name);
                         });
