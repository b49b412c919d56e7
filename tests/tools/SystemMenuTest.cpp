#include "config/Settingsunit.h"
#include "dialogs/Aboutunit.h"
#include "dialogs/Myerrorunit.h"
#include "dialogs/Myinputunit.h"
#include "dialogs/Mypromptunit.h"
#include "platform/DesktopShell.h"
#include "support/TestProgram.h"
#include "tools/Mymainmenuunit.h"
#include "widgets/TouchButton.h"
#include "widgets/TouchLabel.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace {

// Runs `answer` on the modal Dialog as soon as it is open. The menu lets pending events
// run while it hides, so the dialog may open a few events after the handler starts.
template <class Dialog>
void whenOpen(std::function<void(Dialog&)> answer, int attempts = 50)
{
    whenModalOpens([answer, attempts] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget()))
            answer(*dialog);
        else if (attempts > 0)
            whenOpen<Dialog>(answer, attempts - 1);
        else
            ADD_FAILURE() << "the dialog did not open";
    });
}

class SystemMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        program.start(QByteArray("ClickSounds=TRUE\r\nOtherSounds=TRUE\r\nSpeechSounds=TRUE\r\n"));
        menu().show();
        program.clearEvents();
    }
    TMyMainMenu& menu() const { return *program.main->MyMainMenu; }
    QString noticeShown() const
    {
        const TMyError& notice = *program.main->MyError;
        return notice.isVisible() ? notice.ErrorText->text() : QString();
    }
    void answerPrompt(bool yes)
    {
        whenOpen<TMyPrompt>([this, yes](TMyPrompt& prompt) {
            asked << prompt.PromptDisp->text();
            (yes ? prompt.OkBtn : prompt.CancelBtn)->click();
        });
    }
    void typeOnKeyboard(const QString& command)
    {
        whenOpen<TMyInput>([this, command](TMyInput& keyboard) {
            asked << keyboard.PromptDisp->text();
            keyboard.InputBox->setText(command);
            keyboard.OkBtn->click();
        });
    }

    TestProgram program;
    QStringList asked;
};

} // namespace

TEST_F(SystemMenuTest, ExitAsksFirstThenClosesThePlayerAndTheMainWindow)
{
    QStringList order;
    QObject::connect(program.main.get(), &TMainForm::closed, [&] {
        order = program.fakes.media->calls;
        order << "closed";
    });
    answerPrompt(false);
    menu().ExitBtn->click();
    EXPECT_EQ(asked, QStringList{"Close program and return to Windows?"});
    EXPECT_TRUE(order.isEmpty());
    EXPECT_TRUE(program.fakes.media->calls.isEmpty());
    EXPECT_TRUE(menu().isVisible());

    program.folder.write(ConfigFileName, "");
    answerPrompt(true);
    menu().ExitBtn->click();
    EXPECT_EQ(order, (QStringList{"close", "closed"}));
    EXPECT_TRUE(program.folder.read(ConfigFileName).contains("ClickSounds=TRUE\r\n"));
}

TEST_F(SystemMenuTest, MinimiseFollowsTheOtherSoundsToggleAndEndsTheMenu)
{
    program.options().OtherSoundsBtn->setChecked(false);
    menu().MinimiseBtn->click();
    EXPECT_TRUE(program.events().isEmpty()); // click sounds are on, but this button ignores them
    EXPECT_FALSE(menu().isVisible());
    EXPECT_EQ(menu().result(), QDialog::Accepted);
    EXPECT_TRUE(program.main->windowState() & Qt::WindowMinimized);

    program.options().OtherSoundsBtn->setChecked(true);
    menu().MinimiseBtn->click();
    EXPECT_EQ(program.events(), QStringList{"sound:hover.wav"});
}

TEST_F(SystemMenuTest, ShutdownAsksFirstAndARefusalShowsItsNoticeInPlaceOfTheLast)
{
    answerPrompt(false);
    menu().RestartBtn->click();
    EXPECT_TRUE(program.fakes.power->calls.isEmpty());

    program.fakes.power->result = false;
    program.main->notices().ShowErrorNotice("EARLIER\n\nSomething else.");
    program.clearEvents();
    answerPrompt(true);
    menu().PowerOffBtn->click();
    EXPECT_EQ(noticeShown(), "ExitWindowsEx Error");
    answerPrompt(true);
    menu().RestartBtn->click();
    EXPECT_EQ(asked, (QStringList{"RESTART Computer?", "POWER OFF Computer?", "RESTART Computer?"}));
    EXPECT_EQ(program.fakes.power->calls, (QStringList{"powerOff", "reboot"}));
    EXPECT_EQ(program.events().count("sound:error.wav"), 2);
    EXPECT_TRUE(menu().isVisible());
}

TEST_F(SystemMenuTest, ManageFilesAndAboutHideTheMenuFirst)
{
    menu().AdvSmoothButton1->click();
    EXPECT_FALSE(menu().isVisible());
    EXPECT_EQ(program.fakes.shell->opened, QStringList{"/"});

    menu().show();
    QObject* aboutOwner = nullptr;
    whenOpen<TAboutForm>([&](TAboutForm& about) {
        aboutOwner = menu().isVisible() ? nullptr : about.parent();
        about.AdvSmoothButton1->click();
    });
    menu().AdvSmoothButton2->click();
    EXPECT_EQ(aboutOwner, program.main.get()) << "over the main window, the menu being hidden";
    EXPECT_TRUE(menu().findChildren<TAboutForm*>().isEmpty());
}

TEST_F(SystemMenuTest, RunProgramCancelledClicksAgainAndRunsNothing)
{
    menu().AdvSmoothButton3->click();
    EXPECT_FALSE(menu().isVisible());
    ASSERT_EQ(program.fakes.fileDialog->requests.size(), 1u);
    EXPECT_EQ(program.fakes.fileDialog->requests[0].title, "Select Program To Run");
    EXPECT_EQ(program.events(), QStringList(2, "sound:click.wav"));
    EXPECT_TRUE(program.fakes.shell->opened.isEmpty());
}

TEST_F(SystemMenuTest, RunProgramOpensOnlyAFileThatIsThere)
{
    program.folder.write("tool", "x");
    for (const QString& chosen : {program.folder.file("removed meanwhile"), program.folder.path(),
                                  program.folder.file("tool")})
        program.fakes.fileDialog->answers.push_back(chosen);
    const QString missing = "FILE ERROR\n\nCannot locate the selected program file. Check the file exists.";
    menu().AdvSmoothButton3->click();
    EXPECT_EQ(noticeShown(), missing);
    EXPECT_EQ(program.events(), (QStringList{"sound:click.wav", "sound:error.wav"}));
    menu().AdvSmoothButton3->click();
    EXPECT_EQ(noticeShown(), missing);
    EXPECT_TRUE(program.fakes.shell->opened.isEmpty());

    program.fakes.shell->openResult = false;
    program.clearEvents();
    menu().AdvSmoothButton3->click();
    EXPECT_EQ(program.fakes.shell->opened, QStringList{program.folder.file("tool")});
    EXPECT_EQ(noticeShown(), "OPEN ERROR\n\nError Running Program.");
    EXPECT_EQ(program.events(), (QStringList{"sound:click.wav", "sound:click.wav", "sound:error.wav"}));
}

TEST_F(SystemMenuTest, RunCommandRunsTheTypedCommandWithoutItsBlanks)
{
    typeOnKeyboard("   echo 'a  b'  ");
    menu().AdvSmoothButton4->click();
    EXPECT_EQ(asked, QStringList{"Enter an Operating System command to Execute (Run)."});
    EXPECT_EQ(program.fakes.shell->commands, QStringList{"echo 'a  b'"});

    whenOpen<TMyInput>([](TMyInput& keyboard) {
        EXPECT_EQ(keyboard.symbolKeys(), SymbolKeys::Allowed);
        keyboard.InputBox->setText("reboot");
        keyboard.CancelBtn->click();
    });
    menu().AdvSmoothButton4->click();
    EXPECT_EQ(program.fakes.shell->commands.size(), 1);
}

TEST_F(SystemMenuTest, TapsMadeWhileACommandRunsAreDropped)
{
    TouchButton* playlist = program.main->PlaylistBtn;
    int clicks = 0;
    QObject::connect(playlist, &QAbstractButton::clicked, [&] { ++clicks; });
    program.fakes.shell->whileRunning = [playlist] {
        const QPointF centre = playlist->rect().center();
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
            QCoreApplication::postEvent(playlist, new QMouseEvent(type, centre, playlist->mapToGlobal(centre), Qt::LeftButton,
                                                                  type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                                                                  Qt::NoModifier));
    };
    typeOnKeyboard("sleep 5");
    menu().AdvSmoothButton4->click();
    QCoreApplication::processEvents();
    EXPECT_EQ(clicks, 0);
    ASSERT_EQ(program.fakes.shell->commands, QStringList{"sleep 5"});
}

TEST_F(SystemMenuTest, RunCommandWaitsForTheRealInterpreter)
{
    program.main->services().shell = std::make_unique<DesktopShell>();
    typeOnKeyboard("  sleep 0.2; echo done > '" + program.folder.file("out.txt") + "'  ");
    menu().AdvSmoothButton4->click();
    // Complete as soon as the handler returns: the command was waited for.
    EXPECT_EQ(program.folder.read("out.txt"), "done\n");
}
