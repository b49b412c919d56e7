// The kiosk session script run against stand-in programs: a Karvex that crashes is started
// again, with the pause and the limit per minute, one that ends with EXIT ends the session.
// xrandr, xset, xmessage, logger, sleep and date are stand-ins that write down how they were
// called, so nothing waits and no display is needed.
#include "RunTool.h"

#include "support/TempFolder.h"
#include "support/TestPaths.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

class KioskSessionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        standIn("xset", "");
        standIn("logger", "");
        standIn("xmessage", "");
        standIn("sleep", "");
        standIn("date", "echo 1000\n");
        xrandrAnswers("", 0);
    }

    // A stand-in command that writes down its name and arguments, then runs `body`.
    void standIn(const QString& name, const QByteArray& body)
    {
        writeScript(name, "echo \"" + name.toUtf8() + " $*\" >> " + folder.file("calls").toUtf8() + "\n" + body);
    }

    void xrandrAnswers(const QByteArray& message, int status)
    {
        standIn("xrandr", "echo '" + message + "' >&2\nexit " + QByteArray::number(status) + "\n");
    }

    // A Karvex that is killed by SIGSEGV on each of its first `crashes` runs and then ends
    // through EXIT; with `after` it first waits until that stand-in has been called.
    void karvexCrashing(int crashes, const QByteArray& after = {})
    {
        const QByteArray waiting =
            after.isEmpty() ? QByteArray() : "until grep -q '^" + after + "' " + folder.file("calls").toUtf8() + "; do :; done\n";
        writeScript("karvex", waiting + "echo karvex >> " + folder.file("calls").toUtf8() + "\n"
                              "runs=$(grep -c '^karvex' " + folder.file("calls").toUtf8() + ")\n"
                              "[ \"$runs\" -gt " + QByteArray::number(crashes) + " ] && exit 0\n"
                              "ulimit -c 0\nkill -SEGV $$\n");
    }

    ToolRun runSession()
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("PATH", folder.path() + ":/usr/bin:/bin");
        const QString script = buildFolder(TestPaths::builtProgramFolder()) + "/packaging/karvex-kiosk-session";
        return runTool("/bin/sh", {script, folder.file("karvex")}, environment, 20000);
    }

    // The stand-ins' calls of `command`, in order.
    QStringList calls(const QString& command) const
    {
        QStringList found;
        for (const QString& line : QString::fromUtf8(folder.read("calls")).split('\n'))
            if (line == command || line.startsWith(command + ' '))
                found << line.mid(command.size()).trimmed();
        return found;
    }

    TempFolder folder;

private:
    void writeScript(const QString& name, const QByteArray& body)
    {
        folder.write(name, "#!/bin/sh\n" + body);
        QFile(folder.file(name)).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
};

} // namespace

TEST_F(KioskSessionTest, EndsWithKarvexWhenTheDriverLeavesWithExit)
{
    karvexCrashing(0);
    const ToolRun run = runSession();
    ASSERT_TRUE(run.finished) << qPrintable(run.output);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(calls("karvex").size(), 1);
    EXPECT_EQ(calls("xrandr"), QStringList{"-s 800x600"});
    EXPECT_EQ(calls("xset"), QStringList{"s off -dpms"});
    EXPECT_TRUE(calls("xmessage").isEmpty());
    EXPECT_TRUE(calls("logger").isEmpty());
}

TEST_F(KioskSessionTest, StartsACrashedKarvexAgainAndWaitsAMinuteAfterFiveRestartsInAMinute)
{
    karvexCrashing(6);
    const ToolRun run = runSession();
    ASSERT_TRUE(run.finished) << qPrintable(run.output);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(calls("karvex").size(), 7);
    EXPECT_EQ(calls("sleep"), (QStringList{"1", "1", "1", "1", "1", "60"}));
    const QStringList notes = calls("logger");
    ASSERT_EQ(notes.size(), 6);
    for (const QString& note : notes)
        EXPECT_TRUE(note.contains("Karvex was killed by signal SEGV")) << qPrintable(note);
    EXPECT_TRUE(notes.last().contains("waits a minute")) << qPrintable(notes.last());
}

TEST_F(KioskSessionTest, SaysOnTheScreenWhyTheDisplayIsNot800x600)
{
    xrandrAnswers("xrandr: Size 800x600 not found in available modes", 1);
    karvexCrashing(0, "xmessage"); // the message is shown beside Karvex, not before it
    const ToolRun run = runSession();
    ASSERT_TRUE(run.finished) << qPrintable(run.output);
    const QStringList messages = calls("xmessage");
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("xrandr says: xrandr: Size 800x600 not found in available modes"))
        << qPrintable(messages[0]);
    EXPECT_EQ(calls("karvex").size(), 1);
}
