#include "config/Settingsunit.h"
#include "dialogs/Myerrorunit.h"
#include "platform/DesktopShell.h"
#include "support/TestProgram.h"
#include "tools/Systemframeunit.h"
#include "widgets/TouchButton.h"
#include "widgets/TouchLabel.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <gtest/gtest.h>

namespace {

const QByteArray AllOn = "ClickSounds=TRUE\r\nOtherSounds=TRUE\r\nSpeechSounds=TRUE\r\n";

class VehicleToolsTest : public ::testing::Test {
protected:
    TSystemFrame& tools() const { return *program.main->SystemFrame1; }
    // The notice on screen, or "" when none is.
    QString noticeShown() const
    {
        const TMyError& notice = *program.main->MyError;
        return notice.isVisible() ? notice.ErrorText->text() : QString();
    }
    TestProgram program;
};

struct LauncherCase {
    const char* key;
    TouchButton* TSystemFrame::*button;
    const char* notSet;
    const char* missing;
    const char* openFailed;
};

const LauncherCase Launchers[] = {
    {"ServiceManualPath", &TSystemFrame::CarManualBtn,
     "CONFIG ERROR\n\nNo path is set for a Service Manual.\nSet Car Manual file in Options / Advanced Tab.",
     "FILE ERROR\n\nCannot locate the Service Manual file. Check the file exists and path is correct in config.ini",
     "OPEN ERROR\n\nError Loading Service Manual File."},
    {"ObdiiApplicationPath", &TSystemFrame::ObdiiBtn,
     "CONFIG ERROR\n\nNo OBDII Application has been set.\nSet OBDII Application in Options / Advanced Tab.",
     "FILE ERROR\n\nCannot locate the OBDII Application file. Check the file exists and path is correct in config.ini",
     "OPEN ERROR\n\nError Opening OBDII Application."},
};

} // namespace

TEST_F(VehicleToolsTest, SwitchCaptionsAndPortLineComeFromConfigIni)
{
    program.start(QByteArray("SOCLabel2=Fog lights\r\nClickSounds=TRUE\r\n"));
    EXPECT_EQ(tools().SOCLabel2->text(), "Fog lights");
    EXPECT_EQ(tools().SOCInfoBox->text(), "Seriel Controller: () ");

    TestProgram defaults;
    defaults.start();
    EXPECT_EQ(defaults.main->SystemFrame1->SOCLabel4->text(), "Remote #4");
    EXPECT_EQ(defaults.main->SystemFrame1->SOCInfoBox->text(), "Seriel Controller: (COM2) ");
}

TEST_F(VehicleToolsTest, SwitchesOnlyClickAndNeverStayDown)
{
    program.start(AllOn);
    for (TouchButton* button : {tools().SocSwitch1, tools().SocSwitch2, tools().SocSwitch3, tools().SocSwitch4}) {
        button->click();
        EXPECT_FALSE(button->isChecked());
        EXPECT_EQ(button->text(), "OFF");
    }
    EXPECT_EQ(program.events(), QStringList(4, "sound:click.wav"));
    EXPECT_TRUE(program.fakes.shell->opened.isEmpty());

    program.options().ClickSoundsBtn->setChecked(false);
    program.clearEvents();
    tools().SocSwitch3->click();
    EXPECT_TRUE(program.events().isEmpty());
}

TEST_F(VehicleToolsTest, ToolsButtonShowsWhileALauncherPathIsSet)
{
    program.start(QByteArray("ServiceManualPath=   \r\n"));
    EXPECT_TRUE(program.main->ToolsBtn->isHidden());
    program.folder.write("obd.sh", "#!/bin/sh\n");
    program.fakes.fileDialog->answers.push_back(program.folder.file("obd.sh"));
    program.options().ObdiiApplicationPathBtnClick();
    EXPECT_FALSE(program.main->ToolsBtn->isHidden());

    TestProgram withManual;
    withManual.start(QByteArray("ServiceManualPath=/cars/manual.pdf\r\n"));
    EXPECT_FALSE(withManual.main->ToolsBtn->isHidden());
}

TEST_F(VehicleToolsTest, LaunchersRefuseUnsetAndMissingPathsWithoutAClick)
{
    program.start(AllOn);
    QDir(program.folder.path()).mkdir("a folder");
    for (const LauncherCase& c : Launchers) {
        SCOPED_TRACE(c.key);
        for (const auto& [path, text] : {std::pair{QString("  "), c.notSet},
                                         std::pair{program.folder.file("a folder"), c.missing},
                                         std::pair{program.folder.file("deleted.pdf"), c.missing}}) {
            program.main->settings().setValue(c.key, path);
            program.clearEvents();
            (tools().*c.button)->click();
            EXPECT_EQ(noticeShown(), text);
            EXPECT_EQ(program.events(), QStringList{"sound:error.wav"});
        }
    }
    EXPECT_TRUE(program.fakes.shell->opened.isEmpty());
}

TEST_F(VehicleToolsTest, LaunchersClickThenOpenTheTrimmedPathReadAfresh)
{
    program.start(AllOn);
    program.folder.write("one.pdf", "1");
    program.folder.write("two.pdf", "2");
    program.main->settings().setValue(Key::ServiceManualPath, "  " + program.folder.file("one.pdf") + " ");
    tools().CarManualBtn->click();
    program.main->settings().setValue(Key::ServiceManualPath, program.folder.file("two.pdf"));
    tools().CarManualBtn->click();
    EXPECT_EQ(program.fakes.shell->opened, (QStringList{program.folder.file("one.pdf"), program.folder.file("two.pdf")}));
    EXPECT_EQ(noticeShown(), "");

    program.fakes.shell->openResult = false;
    for (const LauncherCase& c : Launchers) {
        program.main->settings().setValue(c.key, program.folder.file("one.pdf"));
        program.clearEvents();
        (tools().*c.button)->click();
        EXPECT_EQ(noticeShown(), c.openFailed);
        EXPECT_EQ(program.events(), (QStringList{"sound:click.wav", "sound:error.wav"}));
    }
}

TEST_F(VehicleToolsTest, TheDesktopShellStartsTheObdiiProgram)
{
    program.adjustServices = [](Services& services) { services.shell = std::make_unique<DesktopShell>(); };
    program.start();
    const QString script = program.folder.file("obd tool.sh");
    program.folder.write("obd tool.sh", "#!/bin/sh\necho \"$#\" > started.tmp && mv started.tmp started\n");
    QFile::setPermissions(script, QFile::permissions(script) | QFileDevice::ExeOwner);
    program.main->settings().setValue(Key::ObdiiApplicationPath, script);

    tools().ObdiiBtn->click();
    QElapsedTimer clock;
    clock.start();
    while (!program.folder.exists("started") && clock.elapsed() < 10000)
        QThread::msleep(10);
    // Started in its own folder, without arguments.
    EXPECT_EQ(program.folder.read("started"), "0\n");
    EXPECT_EQ(noticeShown(), "");
}

TEST_F(VehicleToolsTest, AnOpenerThatFailsOnTheManualIsReportedWithoutFreezingTheScreen)
{
    // The opener that xdg-open would be, with no application for the manual's file type.
    const QString opener = program.folder.file("opener");
    program.folder.write("opener", "#!/bin/sh\nexit 4\n");
    QFile::setPermissions(opener, QFile::permissions(opener) | QFileDevice::ExeOwner);
    program.adjustServices = [&](Services& services) { services.shell = std::make_unique<DesktopShell>(opener); };
    program.start();
    program.folder.write("manual.xyz", "");
    program.main->settings().setValue(Key::ServiceManualPath, program.folder.file("manual.xyz"));

    tools().CarManualBtn->click();
    EXPECT_EQ(noticeShown(), "") << "the opener is not waited for";
    QElapsedTimer clock;
    clock.start();
    while (noticeShown().isEmpty() && clock.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_EQ(noticeShown(), "OPEN ERROR\n\nError Loading Service Manual File.");
}
