// What `cmake --install` puts where: one program folder naming the data folder, the desktop
// entry and the kiosk start pointing into it.
#include "RunTool.h"

#include "platform/DataFolder.h"
#include "support/TempFolder.h"
#include "support/TestPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

// The value of `key` in a desktop entry.
QString desktopValue(const QByteArray& entry, const QString& key)
{
    const QRegularExpression line(QStringLiteral("^%1=(.*)$").arg(key), QRegularExpression::MultilineOption);
    return line.match(QString::fromUtf8(entry)).captured(1);
}

} // namespace

TEST(InstallTest, PutsTheProgramSoundsAndLicenceInOneFolderThatTheDesktopEntryStarts)
{
    TempFolder root;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DESTDIR", root.path());
    const ToolRun run = runTool(QStringLiteral("cmake"), {"--install", buildFolder(TestPaths::builtProgramFolder())},
                                environment);
    ASSERT_TRUE(run.finished && run.exitCode == 0) << qPrintable(run.output);

    const QByteArray entry = root.read("usr/share/applications/karvex.desktop");
    const QString executable = desktopValue(entry, "Exec");
    ASSERT_TRUE(executable.endsWith("/karvex")) << entry.constData();
    const QString programFolder = QFileInfo(executable).path();
    EXPECT_EQ(desktopValue(entry, "Path"), programFolder);
    EXPECT_TRUE(QFileInfo(root.path() + executable).isExecutable());
    const QDir installed(root.path() + programFolder);
    EXPECT_EQ(installed.entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name),
              (QStringList{"click.wav", "data-folder", "error.wav", "hover.wav", "karvex", "licence.txt"}));
    EXPECT_EQ(DataFolder::installed(installed.path()), "/var/lib/karvex");

    EXPECT_TRUE(root.exists("usr/share/icons/hicolor/scalable/apps/karvex.svg"));
    const QByteArray session = root.read("usr/libexec/karvex-kiosk-session");
    EXPECT_TRUE(session.contains("xrandr -s 800x600"));
    EXPECT_TRUE(session.contains("program=\"${1:-" + executable.toUtf8() + "}\"")) << session.constData();
    EXPECT_TRUE(QFileInfo(root.file("usr/libexec/karvex-kiosk-session")).isExecutable());
    EXPECT_TRUE(root.read("usr/lib/systemd/system/karvex-kiosk@.service").contains("/usr/libexec/karvex-kiosk-session"));
}
