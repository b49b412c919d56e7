// Starting where the last run left off when the car's power went: the resume file beside
// config.ini, written on changes and while a track plays, read back after the first paint.
#include "config/Settingsunit.h"
#include "dialogs/Myerrorunit.h"
#include "home/Welcomeframeunit.h"
#include "platform/MpvMediaPlayer.h"
#include "platform/TextFile.h"
#include "playback/NowPlayingTexts.h"
#include "playback/ResumeKeeper.h"
#include "playlists/Mediaframeunit.h"
#include "shell/Startup.h"
#include "support/ChildProcess.h"
#include "support/MediaFiles.h"
#include "support/TestProgram.h"
#include "widgets/CaptionPanel.h"
#include "widgets/TouchButton.h"
#include "widgets/TrackBar.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstdio>

namespace {

constexpr qint64 ResumedAtMs = 6000;

// The program over `folder`, on mpv without sound or picture devices.
std::unique_ptr<TMainForm> realProgram(FakeServices& fakes, const QString& folder)
{
    Services services = fakes.make(folder);
    services.mediaPlayer =
        std::make_unique<MpvMediaPlayer>(QList<MpvMediaPlayer::Option>{{"ao", "null"}, {"vo", "null"}});
    return Startup::createWindows(std::move(services));
}

// The helper: "FOLDER". Plays the second of the folder's two tracks from ResumedAtMs, as a
// driver would, says so once it has been kept, and plays on until it is killed.
int playUntilKilled(const QStringList& arguments)
{
    int argc = 1;
    char name[] = "karvex";
    char* argv[] = {name, nullptr};
    KarvexApplication app(argc, argv);
    const QString folder = arguments.at(0);
    FakeServices fakes;
    std::unique_ptr<TMainForm> main = realProgram(fakes, folder);
    ResumeKeeper& keeper = main->resumeKeeper();
    keeper.RestoreTimerTimer();
    Playlist& playlist = main->MediaFrame1->playlist();
    playlist.append(folder + QStringLiteral("/one.wav"));
    playlist.append(folder + QStringLiteral("/two.wav"));
    playlist.setSelectedIndex(1);
    main->PlayBtnClick();
    main->MediaPlayer1().setPosition(ResumedAtMs);
    keeper.WatchTimerTimer();
    keeper.SaveTimerTimer();
    std::fputs("playing\n", stdout);
    std::fflush(stdout);
    return app.exec();
}

const bool PlayUntilKilledRegistered = ChildProcess::add(QStringLiteral("play-until-killed"), playUntilKilled);

class ResumeTest : public ::testing::Test {
protected:
    void writeResumeFile(const QStringList& lines) const
    {
        ASSERT_TRUE(TextFile::writeLines(ResumeFile::path(program.folder.path()), lines));
    }
    ResumeState kept() const
    {
        return ResumeState::fromLines(TextFile::readLines(ResumeFile::path(program.folder.path())).value_or(QStringList()));
    }
    QString media(const QString& name) const
    {
        program.folder.write(name, MediaFiles::wave(1000));
        return program.folder.file(name);
    }
    void expectNoNotice() const
    {
        EXPECT_TRUE(program.main->MyError->isHidden());
        EXPECT_TRUE(program.fakes.messageBox->shown.isEmpty());
        EXPECT_FALSE(program.fakes.wave->played.contains(UiSound::Error));
    }
    Playlist& playlist() const { return program.main->MediaFrame1->playlist(); }
    ResumeKeeper& keeper() const { return program.main->resumeKeeper(); }

    TestProgram program;
};

} // namespace

TEST(ResumeAfterPowerLoss, AKillMidTrackStartsTheSameTrackAtTheSamePlace)
{
    TempFolder folder;
    folder.write(QStringLiteral("one.wav"), MediaFiles::wave(2000));
    folder.write(QStringLiteral("two.wav"), MediaFiles::wave(30000));
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                ChildProcess::arguments(QStringLiteral("play-until-killed"), {folder.path()}));
    ASSERT_TRUE(child.waitForStarted()) << child.errorString().toStdString();
    while (!child.canReadLine())
        ASSERT_TRUE(child.waitForReadyRead(20000)) << "the helper never played";
    ASSERT_EQ(child.readLine(), "playing\n");
    child.kill();
    ASSERT_TRUE(child.waitForFinished());
    ASSERT_EQ(child.exitStatus(), QProcess::CrashExit);

    FakeServices fakes;
    std::unique_ptr<TMainForm> main = realProgram(fakes, folder.path());
    main->resumeKeeper().RestoreTimerTimer();
    const Playlist& playlist = main->MediaFrame1->playlist();
    ASSERT_EQ(playlist.paths(), QStringList({folder.file("one.wav"), folder.file("two.wav")}));
    EXPECT_EQ(playlist.selectedIndex(), 1);
    MediaPlayer& player = main->MediaPlayer1();
    ASSERT_TRUE(player.isOpen());
    EXPECT_EQ(player.fileName(), folder.file("two.wav"));
    EXPECT_TRUE(player.isPlaying());
    // Kept at most one watch tick before the kill.
    EXPECT_GE(player.position(), ResumedAtMs);
    EXPECT_LT(player.position(), ResumedAtMs + ResumeKeeper::PlayingSaveTicks * ResumeKeeper::WatchIntervalMs);
    EXPECT_EQ(main->WelcomeFrame1->NowPlayingPanel->caption(), NowPlayingTexts::trackOfPlaylist("PLAYLIST", 1, 2));
}

TEST_F(ResumeTest, KeepsThePlaylistOnChangesAndThePositionWhilePlaying)
{
    program.start();
    keeper().RestoreTimerTimer();
    const QString first = media("first.wav");
    const QString second = media("second.wav");
    playlist().append(first);
    playlist().append(second);
    EXPECT_TRUE(keeper().SaveTimer->isActive()) << "a burst of changes is written once, after it";
    keeper().SaveTimerTimer();
    EXPECT_EQ(kept().entries, QStringList({first, second}));
    EXPECT_EQ(kept().track, -1);

    playlist().setSelectedIndex(1);
    program.main->PlayBtnClick();
    keeper().WatchTimerTimer();
    EXPECT_EQ(kept().track, 1) << "a track starting is written at once";
    EXPECT_TRUE(kept().playing);

    program.fakes.media->pos = 42000;
    for (int tick = 1; tick < ResumeKeeper::PlayingSaveTicks; ++tick)
        keeper().WatchTimerTimer();
    EXPECT_EQ(kept().positionMs, 0) << "written more often than every few seconds";
    keeper().WatchTimerTimer();
    EXPECT_EQ(kept().positionMs, 42000);

    program.main->StopBtnClick();
    keeper().WatchTimerTimer();
    EXPECT_FALSE(kept().playing) << "a track stopping is written at once";
    const QByteArray paused = program.folder.read(ResumeFile::FileName);
    program.fakes.media->pos = 50000;
    for (int tick = 0; tick < 2 * ResumeKeeper::PlayingSaveTicks; ++tick)
        keeper().WatchTimerTimer();
    EXPECT_EQ(program.folder.read(ResumeFile::FileName), paused) << "nothing is written while paused";
}

TEST_F(ResumeTest, RestoresAPausedTrackWhereItWasWithoutPlaying)
{
    const QString first = media("first.wav");
    const QString second = media("second.wav");
    writeResumeFile({"Volume=26212", "PlaylistName=Road Trip", "Selected=0", "Track=1", "Position=61000",
                     "Playing=FALSE", "Entry=" + first, "Entry=" + second});
    program.start();
    keeper().RestoreTimerTimer();
    EXPECT_EQ(playlist().selectedIndex(), 0);
    EXPECT_EQ(program.fakes.media->fileName(), second);
    EXPECT_TRUE(program.fakes.media->isOpen());
    EXPECT_EQ(program.fakes.media->pos, 61000);
    EXPECT_FALSE(program.fakes.media->playing);
    EXPECT_EQ(program.main->VolumeBar->position(), 26212);
    EXPECT_EQ(program.fakes.mixer->volume, 26212u);
    EXPECT_EQ(program.main->WelcomeFrame1->NowPlayingPanel->caption(), NowPlayingTexts::trackOfPlaylist("Road Trip", 1, 2));
    expectNoNotice();
}

TEST_F(ResumeTest, ADamagedFileGivesTheEmptyStartAndNoNotice)
{
    program.folder.write(ResumeFile::FileName, QByteArray("\x89PNG\r\n\x1a\n\0\0garbage", 18));
    program.start();
    keeper().RestoreTimerTimer();
    EXPECT_TRUE(playlist().isEmpty());
    EXPECT_TRUE(program.fakes.media->calls.isEmpty());
    EXPECT_EQ(program.main->WelcomeFrame1->NowPlayingPanel->caption(), "Playlist is empty.");
    expectNoNotice();
}

TEST_F(ResumeTest, FilesGoneSinceAreRedAndNothingIsOpened)
{
    const QString kept = media("kept.wav");
    const QString gone = program.folder.file("gone.wav");
    writeResumeFile({"Selected=1", "Track=1", "Position=5000", "Playing=TRUE", "Entry=" + kept, "Entry=" + gone});
    program.start();
    keeper().RestoreTimerTimer();
    ASSERT_EQ(playlist().count(), 2);
    EXPECT_EQ(playlist().entryAt(0)->TextColor, EntryColour::Playable);
    EXPECT_EQ(playlist().entryAt(1)->TextColor, EntryColour::Failed);
    EXPECT_EQ(playlist().selectedIndex(), 1);
    EXPECT_TRUE(program.fakes.media->calls.isEmpty());
    expectNoNotice();
}

TEST_F(ResumeTest, SwitchedOffNothingIsRestoredOrWritten)
{
    const QString first = media("first.wav");
    const QStringList before{"Track=0", "Playing=TRUE", "Entry=" + first};
    writeResumeFile(before);
    program.start(QByteArray("ResumePlayback=FALSE\r\n"));
    EXPECT_FALSE(program.options().ResumePlaybackBtn->isChecked());
    keeper().RestoreTimerTimer();
    EXPECT_TRUE(playlist().isEmpty());
    playlist().append(first);
    playlist().append(first);
    keeper().SaveTimerTimer();
    EXPECT_EQ(kept().entries, QStringList{first});

    program.options().ResumePlaybackBtn->click();
    EXPECT_EQ(program.main->settings().value(Key::ResumePlayback), "TRUE");
    EXPECT_EQ(kept().entries, QStringList({first, first})) << "switched on, the file is brought up to date at once";
}
