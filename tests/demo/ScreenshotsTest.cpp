// scripts/screenshots.sh, as CI runs it: Karvex in the demo setting on Xvfb, one picture a
// screen, and a failure when the program does not start.
#include "RunTool.h"

#include "support/TempFolder.h"
#include "support/TestPaths.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QStandardPaths>
#include <functional>
#include <gtest/gtest.h>

namespace {

const QStringList Screens = {"playlist", "track", "home", "gps", "files", "options", "system", "video"};

QString script()
{
    return QDir(TestPaths::sourceFolder()).filePath(QStringLiteral("scripts/screenshots.sh"));
}

int pixelsWhere(const QImage& image, QRect area, const std::function<bool(QColor)>& test)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += test(image.pixelColor(x, y)) ? 1 : 0;
    return count;
}

class ScreenshotsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* tool : {"Xvfb", "xdpyinfo", "xdotool", "import", "ffmpeg"})
            if (QStandardPaths::findExecutable(tool).isEmpty())
                GTEST_SKIP() << tool << " is not installed";
    }
};

} // namespace

TEST_F(ScreenshotsTest, SavesEveryScreenWithThePlaylistPlayingAndItsAlbumArt)
{
    TempFolder out;
    const ToolRun run = runTool(QStringLiteral("bash"),
                                {script(), out.path(), buildFolder(TestPaths::builtProgramFolder())},
                                QProcessEnvironment::systemEnvironment(), 100000);
    ASSERT_TRUE(run.finished) << qPrintable(run.output);
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.output);

    for (const QString& screen : Screens)
        EXPECT_EQ(QImage(out.file(screen + ".png")).size(), QSize(800, 600)) << qPrintable(screen);

    const QImage home(out.file("home.png"));
    const QImage playlist(out.file("playlist.png"));
    const QImage track(out.file("track.png"));
    EXPECT_NE(home, playlist);
    // The Playlist button is outlined lime on its screen.
    const QRect playlistButton(8 + 5, 8 + 100, 105, 62);
    EXPECT_GT(pixelsWhere(playlist, playlistButton, [](QColor c) { return c == QColor(0, 255, 0); }), 0);
    EXPECT_EQ(pixelsWhere(home, playlistButton, [](QColor c) { return c == QColor(0, 255, 0); }), 0);
    // The first track's own picture, a sunset, fills the track screen's picture.
    const QRect picture(136 + 127, 5 + 74, 280, 280);
    const int sunset = pixelsWhere(track, picture, [](QColor c) { return c.red() > 200 && c.blue() < 130 && c.green() > 60; });
    EXPECT_GT(sunset, 280 * 280 / 10);
}

TEST_F(ScreenshotsTest, FailsWhenTheProgramDoesNotStart)
{
    // A build whose program ends at once, with the real tools.
    TempFolder build;
    const QDir built(TestPaths::builtProgramFolder());
    ASSERT_TRUE(QDir(build.path()).mkpath("bin"));
    for (const QString& name : QStringList{"click.wav", "hover.wav", "error.wav", "licence.txt"})
        ASSERT_TRUE(QFile::copy(built.filePath(name), build.file("bin/" + name)));
    build.write("bin/karvex", "#!/bin/sh\nexit 3\n");
    QFile::setPermissions(build.file("bin/karvex"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ASSERT_TRUE(QFile::link(TestPaths::builtToolsFolder(), build.file("devtools")));

    TempFolder out;
    const ToolRun run = runTool(QStringLiteral("bash"), {script(), out.path(), build.path()},
                                QProcessEnvironment::systemEnvironment(), 100000);
    ASSERT_TRUE(run.finished) << qPrintable(run.output);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.output.contains("Karvex did not start")) << qPrintable(run.output);
    EXPECT_TRUE(QDir(out.path()).entryList(QDir::Files).isEmpty());
}
