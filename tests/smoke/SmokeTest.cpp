// Starts the built program for real on a virtual X display, as a driver's car PC would.
#include "config/SettingsStore.h"
#include "media/FfmpegFile.h"
#include "platform/TextFile.h"
#include "playback/ResumeState.h"
#include "support/TempFolder.h"
#include "support/TestPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>

namespace {

// Polls `done` every 50 ms for at most `ms`.
template <typename Done>
bool waitFor(Done done, int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms)
            return false;
        QThread::msleep(50);
    }
    return true;
}

// An Xvfb server of one screen size on a display number of its own. It does not reset when
// its last client leaves (the check that it is up is one), so that a program connecting at
// that moment is not refused.
class VirtualDisplay {
public:
    explicit VirtualDisplay(QSize size)
    {
        for (int number = 60 + int(QCoreApplication::applicationPid() % 200); number < 400 && !m_ready; number += 7) {
            const QString lock = QStringLiteral("/tmp/.X%1-lock").arg(number);
            if (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number)) || QFile::exists(lock))
                continue;
            m_name = QStringLiteral(":%1").arg(number);
            m_server.start(QStringLiteral("Xvfb"), {m_name, "-screen", "0",
                                                    QStringLiteral("%1x%2x24").arg(size.width()).arg(size.height()),
                                                    "-nolisten", "tcp", "-noreset"});
            m_ready = m_server.waitForStarted()
                && waitFor([&] { return run("xdpyinfo", {}) == 0 || m_server.state() == QProcess::NotRunning; }, 5000)
                && m_server.state() == QProcess::Running
                && ownsLock(lock);
            if (!m_ready)
                stop();
        }
    }
    ~VirtualDisplay() { stop(); }

    bool ready() const { return m_ready; }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", m_name);
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.remove("WAYLAND_DISPLAY");
        return env;
    }

    int run(const QString& program, const QStringList& arguments) const
    {
        QProcess process;
        process.setProcessEnvironment(environment());
        process.start(program, arguments);
        if (!process.waitForFinished(10000))
            return -1;
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    QImage screenshot() const
    {
        QProcess process;
        process.setProcessEnvironment(environment());
        process.start("import", {"-window", "root", "png:-"});
        process.waitForFinished(10000);
        return QImage::fromData(process.readAllStandardOutput(), "PNG");
    }

private:
    // Another test may have started a server on the same number at the same moment: the
    // display is ours only when the lock file names our server.
    bool ownsLock(const QString& lock) const
    {
        QFile file(lock);
        return file.open(QIODevice::ReadOnly) && file.readAll().trimmed().toLongLong() == m_server.processId();
    }

    void stop()
    {
        if (m_server.state() != QProcess::NotRunning) {
            m_server.terminate();
            if (!m_server.waitForFinished(3000))
                m_server.kill();
            m_server.waitForFinished(3000);
        }
    }

    QProcess m_server;
    QString m_name;
    bool m_ready = false;
};

// A copy of the built program in a folder of its own, so its config.ini is the test's.
class InstalledProgram {
public:
    InstalledProgram()
    {
        const QDir built(TestPaths::builtProgramFolder());
        for (const char* name : {"karvex", "click.wav", "hover.wav", "error.wav", "licence.txt"})
            QFile::copy(built.filePath(QLatin1String(name)), m_folder.file(QLatin1String(name)));
        QFile::setPermissions(m_folder.file("karvex"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    const TempFolder& folder() const { return m_folder; }

    // Starts the program in `karvex` on `display`.
    bool start(QProcess& karvex, const VirtualDisplay& display) const
    {
        karvex.setProcessEnvironment(display.environment());
        karvex.start(m_folder.file("karvex"), {});
        return karvex.waitForStarted();
    }

private:
    TempFolder m_folder;
};

QString closeTool()
{
    return TestPaths::builtToolsFolder() + QStringLiteral("/x11_close");
}

bool hasColourNear(const QImage& image, QRect area, QColor colour)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) == colour)
                return true;
    return false;
}

const QRect HomeButton(8 + 5, 8 + 32, 105, 62);
const QRect PlaylistButton(8 + 5, 8 + 100, 105, 62);
const QColor Lime(0, 255, 0);

// The screen once the home screen is painted with HOME outlined, or the last screenshot
// taken in the five seconds given for that.
QImage homeScreen(const VirtualDisplay& display)
{
    QImage screen;
    waitFor([&] {
        screen = display.screenshot();
        return !screen.isNull() && hasColourNear(screen, HomeButton, Lime);
    }, 5000);
    return screen;
}

// Whether the screen shows the red of the test clip somewhere in `area`, looked at every
// 10 pixels (the video output's scaling blurs the exact colour).
bool showsRed(const QImage& image, QRect area)
{
    for (int y = area.top(); y <= area.bottom(); y += 10)
        for (int x = area.left(); x <= area.right(); x += 10) {
            const QColor colour = image.pixelColor(x, y);
            if (colour.red() > 200 && colour.green() < 60 && colour.blue() < 60)
                return true;
        }
    return false;
}

// The share of the interface's pixels in `reference` (an 800 x 600 screen) that `fitted`
// shows alike at `scale` from `origin`, leaving out the clock and the scrolling ticker.
double shareAlike(const QImage& reference, const QImage& fitted, QPoint origin, double scale)
{
    const QRect clock(136, 0, 528, 100), ticker(136, 470, 528, 130);
    int alike = 0, compared = 0;
    for (int y = 0; y < reference.height(); y += 2)
        for (int x = 0; x < reference.width(); x += 2) {
            if (clock.contains(x, y) || ticker.contains(x, y))
                continue;
            const QColor want = reference.pixelColor(x, y);
            const QColor got = fitted.pixelColor(origin + QPoint(int((x + 0.5) * scale), int((y + 0.5) * scale)));
            ++compared;
            alike += std::abs(want.red() - got.red()) + std::abs(want.green() - got.green())
                    + std::abs(want.blue() - got.blue()) < 60;
        }
    return double(alike) / compared;
}

class SmokeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* tool : {"Xvfb", "xdpyinfo", "xdotool", "import"})
            if (QStandardPaths::findExecutable(tool).isEmpty())
                GTEST_SKIP() << tool << " is not installed";
    }
};

} // namespace

TEST_F(SmokeTest, StartsAt800By600WithHomeOutlinedAndSavesDefaultsOnClose)
{
    VirtualDisplay display({800, 600});
    ASSERT_TRUE(display.ready());
    InstalledProgram program;
    QProcess karvex;
    ASSERT_TRUE(program.start(karvex, display));
    ASSERT_TRUE(waitFor([&] { return display.run("xdotool", {"search", "--name", "^MEDIA$"}) == 0; }, 15000))
        << "the main window did not appear";

    const QImage screen = homeScreen(display);
    ASSERT_EQ(screen.size(), QSize(800, 600));
    EXPECT_TRUE(hasColourNear(screen, HomeButton, Lime)) << "HOME is not outlined lime";
    EXPECT_FALSE(hasColourNear(screen, {8 + 5, 8 + 100, 105, 62}, Lime)) << "Playlist is outlined lime";

    ASSERT_EQ(display.run(closeTool(), {"MEDIA"}), 0);
    ASSERT_TRUE(karvex.waitForFinished(10000));
    EXPECT_EQ(karvex.exitCode(), 0);
    const QByteArray saved = program.folder().read(ConfigFileName);
    EXPECT_EQ(saved.count("\r\n"), 15);
    EXPECT_TRUE(saved.contains("GPSPort=COM8\r\n"));
    EXPECT_TRUE(saved.contains("LastMediaPath=/\r\n"));
}

TEST_F(SmokeTest, RefusesAnotherResolutionAndEndsWithCodeZero)
{
    VirtualDisplay display({1024, 768});
    ASSERT_TRUE(display.ready());
    InstalledProgram program;
    QProcess karvex;
    ASSERT_TRUE(program.start(karvex, display));
    ASSERT_TRUE(waitFor([&] { return display.run("xdotool", {"search", "--name", "Karvex"}) == 0; }, 15000))
        << "no message box appeared";
    EXPECT_NE(display.run("xdotool", {"search", "--name", "^MEDIA$"}), 0) << "a main window was created";

    // With no window manager the key goes to the window under the pointer: the message,
    // centred on the screen, whose OK button is the default.
    waitFor([&] {
        display.run("xdotool", {"mousemove", "512", "384", "key", "Return"});
        return karvex.waitForFinished(300);
    }, 10000);
    ASSERT_EQ(karvex.state(), QProcess::NotRunning);
    EXPECT_EQ(karvex.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(karvex.exitCode(), 0);
    EXPECT_FALSE(program.folder().exists(ConfigFileName));
}

// Every video played opens a new video output in mpv; on an X server without hardware
// OpenGL, as here, the second one used to end the program.
// The wave player and the speech engine that the tap's click and words need are still
// being built 50 ms after the first paint: the tap waits for them and is acted on.
TEST_F(SmokeTest, ActsOnATapMadeRightAfterTheFirstPaint)
{
    VirtualDisplay display({800, 600});
    ASSERT_TRUE(display.ready());
    InstalledProgram program;
    QProcess karvex;
    QProcessEnvironment environment = display.environment();
    environment.insert("KARVEX_REPORT_FIRST_PAINT", "1");
    karvex.setProcessEnvironment(environment);
    karvex.start(program.folder().file("karvex"), {});
    ASSERT_TRUE(karvex.waitForStarted());
    QByteArray report;
    ASSERT_TRUE(waitFor([&] {
        karvex.waitForReadyRead(0);
        report += karvex.readAllStandardError();
        return report.contains("first paint at ");
    }, 15000)) << report.toStdString();
    QThread::msleep(50);
    display.run("xdotool", {"mousemove", "65", "139", "click", "1"}); // Playlist

    QImage screen;
    EXPECT_TRUE(waitFor([&] {
        screen = display.screenshot();
        return !screen.isNull() && hasColourNear(screen, PlaylistButton, Lime);
    }, 5000));
    EXPECT_FALSE(hasColourNear(screen, HomeButton, Lime));
    ASSERT_EQ(display.run(closeTool(), {"MEDIA"}), 0);
    ASSERT_TRUE(karvex.waitForFinished(10000));
    EXPECT_EQ(karvex.exitCode(), 0);
}

TEST_F(SmokeTest, PlaysAVideoAgainAndAgainWithTheRealVideoOutput)
{
    VirtualDisplay display({800, 600});
    ASSERT_TRUE(display.ready());
    InstalledProgram program;
    // A one-second red clip alone in its playlist: at its end, the next entry is itself.
    const QString clip = ffmpegFile(program.folder().file("red.mp4"),
                                    {"-f", "lavfi", "-i", "color=c=red:s=320x240:d=1:r=10", "-pix_fmt", "yuv420p"});
    if (clip.isEmpty())
        GTEST_SKIP() << "ffmpeg could not make the clip";
    ASSERT_TRUE(QDir(program.folder().path()).mkdir("playlist"));
    program.folder().write("playlist/Clip.kpl", clip.toUtf8() + "\r\n");
    QProcess karvex;
    ASSERT_TRUE(program.start(karvex, display));
    ASSERT_TRUE(waitFor([&] { return display.run("xdotool", {"search", "--name", "^MEDIA$"}) == 0; }, 15000));
    ASSERT_TRUE(hasColourNear(homeScreen(display), HomeButton, Lime));

    const auto tap = [&](int x, int y, QStringList extra = {}) {
        display.run("xdotool", QStringList{"mousemove", QString::number(x), QString::number(y), "click"} + extra << "1");
        QThread::msleep(700);
    };
    const QRect videoArea(140, 60, 500, 400);
    // Waits for the clip on the screen; false at once when Karvex has ended.
    const auto videoShown = [&] {
        bool shown = false;
        waitFor([&] { return karvex.state() != QProcess::Running || (shown = showsRed(display.screenshot(), videoArea)); }, 8000);
        return shown;
    };
    const auto ended = [&] {
        karvex.waitForFinished(1000);
        return "Karvex ended:\n" + karvex.readAllStandardError().toStdString();
    };
    tap(65, 139); // Playlist
    tap(221, 30); // Open Playlist
    tap(240, 120); // the only saved playlist
    tap(252, 516); // OPEN
    for (int play = 1; play <= 3; ++play) {
        tap(65, 139); // back to the playlist screen
        tap(250, 66, {"--repeat", "2", "--delay", "80"}); // double-tap the clip
        ASSERT_TRUE(videoShown()) << "at play " << play << ": " << ended();
    }
    // The end-of-track advance plays it again every second or two.
    QThread::msleep(5000);
    ASSERT_TRUE(videoShown()) << "after the advance: " << ended();

    ASSERT_EQ(display.run(closeTool(), {"MEDIA"}), 0);
    ASSERT_TRUE(karvex.waitForFinished(10000));
    EXPECT_EQ(karvex.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(karvex.exitCode(), 0) << karvex.readAllStandardError().toStdString();
}

// The ignition goes off: the power-off sends SIGTERM, and Karvex closes as the window's
// close does, keeping where the playing track was at that moment.
TEST_F(SmokeTest, ClosesLikeTheWindowOnSigtermAndKeepsThePositionOfThatMoment)
{
    VirtualDisplay display({800, 600});
    ASSERT_TRUE(display.ready());
    InstalledProgram program;
    const QString track = ffmpegFile(program.folder().file("tone.wav"), {"-f", "lavfi", "-i", "sine=duration=60"});
    if (track.isEmpty())
        GTEST_SKIP() << "ffmpeg could not make the track";
    program.folder().write("resume.txt", "Selected=0\r\nTrack=0\r\nPosition=10000\r\nPlaying=TRUE\r\nEntry=" + track.toUtf8() + "\r\n");
    const auto written = [&] { return ResumeState::fromLines(TextFile::readLines(program.folder().file("resume.txt")).value_or(QStringList())); };
    const ResumeState before = written();
    QProcess karvex;
    ASSERT_TRUE(program.start(karvex, display));

    // The file is written anew once the track plays on from where it was.
    ResumeState playing;
    ASSERT_TRUE(waitFor([&] { return (playing = written()) != before; }, 15000));
    QElapsedTimer sincePlaying;
    sincePlaying.start();
    QThread::msleep(2500);
    ::kill(pid_t(karvex.processId()), SIGTERM);
    const qint64 expectedMs = playing.positionMs + sincePlaying.elapsed();
    QElapsedTimer closing;
    closing.start();
    ASSERT_TRUE(karvex.waitForFinished(10000));
    EXPECT_LT(closing.elapsed(), 2000);
    EXPECT_EQ(karvex.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(karvex.exitCode(), 0);
    EXPECT_TRUE(program.folder().exists(ConfigFileName)) << "the settings were not saved";
    const ResumeState last = written();
    EXPECT_TRUE(last.playing);
    EXPECT_NEAR(double(last.positionMs), double(expectedMs), 1000);
}

// With FitToScreen=TRUE the interface fills the panel in one direction, centred, drawn at the
// panel's scale; a tap lands on what is drawn under it.
TEST_F(SmokeTest, FitsTheInterfaceToPanelsOfOtherSizes)
{
    InstalledProgram program;
    program.folder().write(ConfigFileName, "FitToScreen=TRUE\r\n");
    const auto homeOn = [&](QSize size, QProcess& karvex, VirtualDisplay& display) {
        EXPECT_TRUE(program.start(karvex, display));
        EXPECT_TRUE(waitFor([&] { return display.run("xdotool", {"search", "--name", "^MEDIA$"}) == 0; }, 15000))
            << "state " << karvex.state() << " exit " << karvex.exitCode() << ": "
            << karvex.readAllStandardError().toStdString() << karvex.readAllStandardOutput().toStdString();
        QImage screen;
        waitFor([&] { return (screen = display.screenshot()).size() == size && hasColourNear(screen, HomeButton, Lime); }, 3000);
        QThread::msleep(1500); // the first second's readings
        return display.screenshot();
    };
    const auto close = [&](QProcess& karvex, VirtualDisplay& display) {
        EXPECT_EQ(display.run(closeTool(), {"MEDIA"}), 0);
        EXPECT_TRUE(karvex.waitForFinished(10000));
    };
    VirtualDisplay plain({800, 600});
    ASSERT_TRUE(plain.ready());
    QProcess reference;
    const QImage unfitted = homeOn({800, 600}, reference, plain);
    close(reference, plain);

    // Drawn at a scale, edges are smoothed differently from the 800 x 600 picture's.
    struct Panel { QSize size; QPoint origin; double scale; double alike; };
    for (const Panel panel : {Panel{{1024, 600}, {112, 0}, 1.0, 0.97}, Panel{{1280, 800}, {106, 0}, 4.0 / 3, 0.9},
                              Panel{{800, 480}, {80, 0}, 0.8, 0.9}}) {
        SCOPED_TRACE(panel.size.width());
        VirtualDisplay display(panel.size);
        ASSERT_TRUE(display.ready());
        QProcess karvex;
        const QImage fitted = homeOn(panel.size, karvex, display);
        ASSERT_EQ(fitted.size(), panel.size);
        EXPECT_GT(shareAlike(unfitted, fitted, panel.origin, panel.scale), panel.alike);
        EXPECT_EQ(fitted.pixelColor(panel.origin.x() / 2, panel.size.height() / 2), QColor(Qt::black)) << "not black around";

        const QPoint playlist = panel.origin + (PlaylistButton.center() * panel.scale);
        display.run("xdotool", {"mousemove", QString::number(playlist.x()), QString::number(playlist.y()), "click", "1"});
        const QRect scaledPlaylist(panel.origin + PlaylistButton.topLeft() * panel.scale, PlaylistButton.size() * panel.scale);
        EXPECT_TRUE(waitFor([&] { return hasColourNear(display.screenshot(), scaledPlaylist, Lime); }, 5000))
            << "the tap did not show the playlist screen";
        close(karvex, display);
    }
}
