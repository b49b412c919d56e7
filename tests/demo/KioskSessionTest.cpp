// The kiosk session script against a stand-in Karvex. xrandr, xset, xmessage, logger, sleep
// and date are stand-ins that write down how they were called, so nothing waits and no
// display is needed.
#include "RunTool.h"

#include "support/TempFolder.h"
#include "support/TestPaths.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>
#include <gtest/gtest.h>

namespace {

class KioskSessionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"xset", "logger", "xmessage", "sleep", "xrandr"})
            writeScript(name, record(name));
        writeScript("date", record("date") + "echo 1000\n");
    }

    QByteArray record(const QByteArray& name) const
    {
        return "echo \"" + name + " $*\" >> " + folder.file("calls").toUtf8() + "\n";
    }

    void writeScript(const QString& name, const QByteArray& body)
    {
        folder.write(name, "#!/bin/sh\n" + body);
        QFile(folder.file(name)).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // A Karvex killed by SIGSEGV on each of its first `crashes` runs, then left with EXIT.
    void karvex(int crashes, const QByteArray& before = {})
    {
        writeScript("karvex", before + record("karvex") + "[ $(grep -c '^karvex' " + folder.file("calls").toUtf8()
                                  + ") -gt " + QByteArray::number(crashes) + " ] && exit 0\nulimit -c 0\nkill -SEGV $$\n");
    }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("PATH", folder.path() + ":/usr/bin:/bin");
        return environment;
    }

    static QString script()
    {
        return buildFolder(TestPaths::builtProgramFolder()) + "/packaging/karvex-kiosk-session";
    }

    ToolRun runSession() { return runTool("/bin/sh", {script(), folder.file("karvex")}, environment(), 20000); }

    // The session sent SIGTERM (as systemctl stop does) once Karvex has started, with a
    // sleep that really waits, as the session's watchdog over a closing Karvex needs.
    ToolRun stopSession()
    {
        writeScript("sleep", record("sleep") + "exec /bin/sleep \"$@\"\n");
        QProcess session;
        session.setProcessEnvironment(environment());
        session.setProcessChannelMode(QProcess::MergedChannels);
        session.start("/bin/sh", {script(), folder.file("karvex")});
        const QDeadlineTimer started(10000);
        while (calls("karvex").isEmpty() && !started.hasExpired())
            QThread::msleep(10);
        session.terminate();
        ToolRun run;
        run.finished = session.waitForFinished(20000) && session.exitStatus() == QProcess::NormalExit;
        if (!run.finished)
            session.kill();
        run.exitCode = session.exitCode();
        run.output = QString::fromLocal8Bit(session.readAll());
        return run;
    }

    // The arguments of each call of `command`, in order.
    QStringList calls(const QString& command) const
    {
        QStringList found;
        for (const QString& line : QString::fromUtf8(folder.read("calls")).split('\n'))
            if (line.section(' ', 0, 0) == command)
                found << line.section(' ', 1);
        return found;
    }

    TempFolder folder;
};

} // namespace

TEST_F(KioskSessionTest, EndsWhenTheDriverLeavesWithExit)
{
    karvex(0);
    const ToolRun run = runSession();
    ASSERT_TRUE(run.finished && run.exitCode == 0) << qPrintable(run.output);
    EXPECT_EQ(calls("karvex").size(), 1);
    EXPECT_EQ(calls("xrandr"), QStringList{"-s 800x600"});
    EXPECT_TRUE(calls("xmessage").isEmpty());
    EXPECT_TRUE(calls("logger").isEmpty());
}

TEST_F(KioskSessionTest, StartsACrashedKarvexAgainAndWaitsAMinuteAfterFiveRestartsInAMinute)
{
    karvex(6);
    const ToolRun run = runSession();
    ASSERT_TRUE(run.finished && run.exitCode == 0) << qPrintable(run.output);
    EXPECT_EQ(calls("karvex").size(), 7);
    EXPECT_EQ(calls("sleep"), (QStringList{"1", "1", "1", "1", "1", "60"}));
    const QStringList notes = calls("logger");
    ASSERT_EQ(notes.size(), 6);
    EXPECT_EQ(notes.filter("Karvex was killed by signal SEGV").size(), 6);
    EXPECT_TRUE(notes.last().contains("waits a minute")) << qPrintable(notes.last());
}

TEST_F(KioskSessionTest, SaysOnTheScreenWhyTheDisplayIsNot800x600)
{
    writeScript("xrandr", "echo 'xrandr: Size 800x600 not found in available modes' >&2\nexit 1\n");
    // The message is shown beside Karvex, not before it: Karvex waits until it is up.
    karvex(0, "until grep -q '^xmessage' " + folder.file("calls").toUtf8() + "; do :; done\n");
    const ToolRun run = runSession();
    ASSERT_TRUE(run.finished) << qPrintable(run.output);
    const QStringList messages = calls("xmessage");
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("xrandr says: xrandr: Size 800x600 not found")) << qPrintable(messages[0]);
}

TEST_F(KioskSessionTest, StoppedItClosesKarvexAndDoesNotStartItAgain)
{
    // Karvex ends on SIGTERM, which the session would otherwise take for a crash.
    writeScript("karvex", record("karvex") + "exec /bin/sleep 30\n");
    const ToolRun run = stopSession();
    ASSERT_TRUE(run.finished && run.exitCode == 0) << qPrintable(run.output);
    EXPECT_EQ(calls("karvex").size(), 1);
    EXPECT_FALSE(calls("sleep").contains("1")); // no restart pause
    EXPECT_TRUE(calls("logger").isEmpty()) << qPrintable(calls("logger").join('\n'));
}

TEST_F(KioskSessionTest, StoppedItKillsAKarvexThatDoesNotCloseAfterFourSeconds)
{
    writeScript("karvex", record("karvex") + "trap '' TERM\nexec /bin/sleep 30\n");
    const ToolRun run = stopSession();
    ASSERT_TRUE(run.finished && run.exitCode == 0) << qPrintable(run.output);
    EXPECT_EQ(calls("karvex").size(), 1);
    const QStringList notes = calls("logger");
    ASSERT_EQ(notes.size(), 1);
    EXPECT_TRUE(notes[0].contains("it was killed")) << qPrintable(notes[0]);
}
