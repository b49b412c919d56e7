#include "support/QtPrinters.h"
#include "platform/DesktopShell.h"
#include "platform/SystemdPower.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeScript(const QString& path, const QByteArray& body, bool executable = true)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(body);
    file.close();
    if (executable)
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser);
}

// Polls for a file that a detached program writes; bounded.
bool waitForFile(const QString& path, int timeoutMs = 10000)
{
    QElapsedTimer clock;
    clock.start();
    while (!QFileInfo(path).isFile() || QFileInfo(path).size() == 0) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QThread::msleep(10);
    }
    return true;
}

// Opens TARGET and lets the event loop run until the shell reports the outcome; nullopt
// when it has not after ten seconds.
std::optional<bool> openAndWait(Shell& shell, const QString& target)
{
    std::optional<bool> outcome;
    QEventLoop loop;
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    shell.open(target, [&](bool opened) {
        outcome = opened;
        loop.quit();
    });
    if (!outcome)
        loop.exec();
    return outcome;
}

} // namespace

TEST(DesktopShellRunCommand, RunsThroughShAndWaits)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString out = dir.filePath("out.txt");
    DesktopShell shell;
    // Redirection and the sleep are the shell's: the file is complete when the call returns.
    EXPECT_EQ(shell.runCommand("sleep 0.2; echo hello > '" + out + "'"), 0);
    EXPECT_EQ(readAll(out), "hello\n");
}

TEST(DesktopShellRunCommand, ReturnsTheExitStatus)
{
    DesktopShell shell;
    EXPECT_EQ(shell.runCommand("exit 3"), 3);
    EXPECT_EQ(shell.runCommand("true"), 0);
    EXPECT_EQ(shell.runCommand("false"), 1);
    EXPECT_EQ(shell.runCommand("no-such-command-karvex-test 2>/dev/null"), 127);
}

TEST(DesktopShellRunCommand, QuotedPathsWithBlanksReachTheCommandWhole)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QDir(dir.path()).mkdir("a folder"));
    const QString target = dir.filePath("a folder/my file.txt");
    DesktopShell shell;
    // The caller trims the typed command; what remains goes to sh exactly as typed.
    EXPECT_EQ(shell.runCommand("printf '%s|' \"two words\" 'and  more' > \"" + target + "\""), 0);
    EXPECT_EQ(readAll(target), "two words|and  more|");
}

TEST(DesktopShellRunCommand, KilledBySignalIsMinusOne)
{
    DesktopShell shell;
    EXPECT_EQ(shell.runCommand("kill -9 $$"), -1);
}

TEST(DesktopShellRunCommand, StandardInputIsEmptySoReadersDoNotHang)
{
    DesktopShell shell;
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(shell.runCommand("cat > /dev/null"), 0);
    EXPECT_LT(clock.elapsed(), 5000);
}

TEST(DesktopShellOpen, StartsAnExecutableDetachedInItsOwnFolder)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QDir(dir.path()).mkdir("prog dir"));
    const QString script = dir.filePath("prog dir/run me.sh");
    const QString marker = dir.filePath("marker.txt");
    writeScript(script, "#!/bin/sh\npwd > \"" + marker.toUtf8() + ".tmp\"\nmv \"" + marker.toUtf8()
                            + ".tmp\" \"" + marker.toUtf8() + "\"\n");

    DesktopShell shell("/no-such-opener"); // only the program may start
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(openAndWait(shell, script), true);
    EXPECT_LT(clock.elapsed(), 2000); // not waited for
    ASSERT_TRUE(waitForFile(marker));
    EXPECT_EQ(QString::fromUtf8(readAll(marker)).trimmed(),
              QFileInfo(dir.filePath("prog dir")).canonicalFilePath());
}

TEST(DesktopShellOpen, TheTargetIsNeverInterpretedByAShell)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // Run through sh in its folder, this name would also create "injected" there.
    const QString script = dir.filePath("go; touch injected; .sh");
    const QString ran = dir.filePath("ran");
    writeScript(script, "#!/bin/sh\necho yes > ran.tmp && mv ran.tmp ran\n");
    DesktopShell shell("/no-such-opener");
    EXPECT_EQ(openAndWait(shell, script), true);
    ASSERT_TRUE(waitForFile(ran));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("injected")));
}

// A stand-in for xdg-open, so no test starts a real editor, file manager or browser: it
// writes each argument on a line of its own into LOG, and fails (as xdg-open does when no
// application is set for a file type) on a target whose name ends in ".none".
class DesktopShellOpener : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        opener = dir.filePath("opener");
        writeScript(opener, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '"
                                + log().toUtf8() + ".tmp'\nmv '" + log().toUtf8() + ".tmp' '"
                                + log().toUtf8() + "'\ncase \"$1\" in *.none) exit 3;; esac\n");
    }
    QString log() const { return dir.filePath("opened.log"); }
    // What the opener was given, once it has run.
    QByteArray opened()
    {
        if (!waitForFile(log()))
            return "<opener never ran>";
        const QByteArray arguments = readAll(log());
        QFile::remove(log());
        return arguments;
    }
    QTemporaryDir dir;
    QString opener;
};

TEST_F(DesktopShellOpener, DocumentsFoldersAndAddressesGoToTheOpenerAsOneArgument)
{
    const QString document = dir.filePath("service manual.txt");
    writeScript(document, "text\n", false);
    DesktopShell shell(opener);
    EXPECT_EQ(openAndWait(shell, document), true);
    EXPECT_EQ(opened(), document.toUtf8() + "\n");
    EXPECT_EQ(openAndWait(shell, dir.path()), true);
    EXPECT_EQ(opened(), dir.path().toUtf8() + "\n");
    EXPECT_EQ(openAndWait(shell, "http://www.example.com/?a=1&b=2"), true);
    EXPECT_EQ(opened(), "http://www.example.com/?a=1&b=2\n");
}

TEST_F(DesktopShellOpener, AnOpenerThatFailsIsAFailure)
{
    DesktopShell shell(opener);
    const QString manual = dir.filePath("manual.none");
    EXPECT_EQ(openAndWait(shell, manual), false);
    EXPECT_EQ(opened(), manual.toUtf8() + "\n");
}

TEST_F(DesktopShellOpener, AnExecutableThatIsNoProgramGoesToTheOpener)
{
    const QString photo = dir.filePath("photo.jpg");
    writeScript(photo, "not a program", true); // execute bit, as on FAT media
    DesktopShell shell(opener);
    EXPECT_EQ(openAndWait(shell, photo), true);
    EXPECT_EQ(opened(), photo.toUtf8() + "\n");
}

// Without xdg-open (xdg-utils not installed) nothing but programs can be opened.
TEST_F(DesktopShellOpener, NoOpenerMeansRefused)
{
    DesktopShell shell(dir.filePath("no-such-opener"));
    EXPECT_EQ(openAndWait(shell, dir.path()), false);
    EXPECT_EQ(openAndWait(shell, "http://www.example.com/"), false);
}

TEST(DesktopShellOpen, AnEmptyTargetIsRefused)
{
    DesktopShell shell("/bin/true");
    EXPECT_EQ(openAndWait(shell, ""), false);
}

class SystemdPowerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    // A stand-in for systemctl that records its arguments and exits with STATUS.
    QString standIn(int status)
    {
        const QString path = dir.filePath(QStringLiteral("systemctl-%1").arg(status));
        writeScript(path, "#!/bin/sh\necho \"$@\" >> '" + log().toUtf8() + "'\nexit "
                              + QByteArray::number(status) + "\n");
        return path;
    }
    QString log() const { return dir.filePath("calls.log"); }
    QTemporaryDir dir;
};

TEST_F(SystemdPowerTest, RebootAndPowerOffAskSystemctl)
{
    SystemdPower power(standIn(0));
    EXPECT_TRUE(power.reboot());
    EXPECT_TRUE(power.powerOff());
    EXPECT_EQ(readAll(log()), "reboot\npoweroff\n");
}

TEST_F(SystemdPowerTest, NonZeroExitIsARefusal)
{
    SystemdPower power(standIn(1));
    EXPECT_FALSE(power.reboot());
    EXPECT_FALSE(power.powerOff());
    EXPECT_EQ(readAll(log()), "reboot\npoweroff\n");
}

TEST_F(SystemdPowerTest, AProgramThatCannotStartIsARefusal)
{
    SystemdPower power(dir.filePath("no-such-systemctl"));
    EXPECT_FALSE(power.reboot());
    EXPECT_FALSE(power.powerOff());
}
