#include "dialogs/Aboutunit.h"
#include "dialogs/LicenceText.h"
#include "dialogs/Myerrorunit.h"
#include "dialogs/Mypromptunit.h"
#include "tools/Mymainmenuunit.h"
#include "support/TestProgram.h"
#include "support/TestPaths.h"
#include "widgets/TabPager.h"
#include "widgets/TouchButton.h"
#include "widgets/TouchLabel.h"

#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QWindow>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

namespace {
// Speech and sounds off: the read-aloud buttons must speak regardless.
const QByteArray AllOff = "ClickSounds=FALSE\r\nOtherSounds=FALSE\r\nSpeechSounds=FALSE\r\n";

// A tap delivered the way the display delivers it: to the control's window, where Qt drops
// it while a modal dialog blocks that window.
void tapThroughWindow(QWidget* control)
{
    QWindow* window = control->window()->windowHandle();
    ASSERT_NE(window, nullptr);
    const QPointF pos = control->mapTo(control->window(), control->rect().center());
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, pos, pos, window->mapToGlobal(pos), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window, &event);
    }
}
}

TEST(NoticeReadAloud, LeavesOutTheHeadingAndTheFirstParentheses)
{
    EXPECT_EQ(TMyError::spokenText("FILE ERROR\n\nCannot locate the selected program file. Check the file exists."),
              "Cannot locate the selected program file. Check the file exists.");
    EXPECT_EQ(TMyError::spokenText("ExitWindowsEx Error"), "ExitWindowsEx Error");
    EXPECT_EQ(TMyError::spokenText("PLAY ERROR (DRM?)\n\nCould not (really) play (it).\nmpv said (x)"),
              "Could not really play (it).\nmpv said (x)");
    EXPECT_EQ(TMyError::spokenText("A )b( c"), "A b c");
    EXPECT_EQ(TMyError::spokenText("HEADING\n"), "");
}

TEST(NoticeReadAloud, TheButtonSpeaksEvenWithSpeechOff)
{
    TestProgram program;
    program.start(AllOff);
    program.main->notices().ShowErrorNotice("OPEN ERROR\n\nCould not (OPEN) the file.");
    program.main->MyError->ReadMeBtn->click();
    EXPECT_EQ(program.spoken(), QStringList{"Could not OPEN the file."});
    EXPECT_TRUE(program.fakes.wave->played.isEmpty());
}

TEST(Notice, ClosesOverModalDialogsShownBeforeOrAfterIt)
{
    TestProgram program;
    program.start(AllOff);
    TMyError& notice = *program.main->MyError;
    TAboutForm about(program.main->MyMainMenu, program.main->feedback(), program.main->notices(), *program.main->services().shell, program.main->services().programFolder,
                     program.main->services().dataFolder);
    program.main->notices().ShowErrorNotice("OPEN ERROR\n\nShown before the menu.");
    whenModalOpens([&] {
        tapThroughWindow(notice.CloseBtn);
        EXPECT_TRUE(notice.isHidden()) << "a notice shown before the menu opened";
        whenModalOpens([&] {
            program.main->notices().ShowErrorNotice("ExitWindowsEx Error");
            tapThroughWindow(notice.CloseBtn);
            EXPECT_TRUE(notice.isHidden()) << "a notice shown over the about box over the menu";
            about.reject();
        });
        about.exec();
        program.main->MyMainMenu->reject();
    });
    program.main->MyMainMenu->exec();
}

TEST(Texts, EveryLabelOfEveryScreenAndDialogIsPlainText)
{
    TestProgram program;
    program.start();
    TAboutForm about(program.main->MyMainMenu, program.main->feedback(), program.main->notices(), *program.main->services().shell, program.main->services().programFolder,
                     program.main->services().dataFolder);
    int labels = 0;
    for (QWidget* widget : QApplication::allWidgets()) {
        auto* label = qobject_cast<QLabel*>(widget);
        if (label && label->objectName() != "TrackImage") { // the album art shows no text
            EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString() << " of "
                                                          << label->window()->objectName().toStdString();
            ++labels;
        }
    }
    EXPECT_GT(labels, 20);
}

TEST(Prompt, ReturnsTheAnswerAndForgetsTheQuestion)
{
    TestProgram program;
    program.start(QByteArray("ClickSounds=TRUE\r\n"));
    TMyPrompt& prompt = *program.main->MyPrompt;

    whenModalOpens([&] {
        EXPECT_EQ(prompt.PromptDisp->text(), "Delete it?");
        prompt.ReadMeBtn->click();
        prompt.OkBtn->click();
    });
    EXPECT_TRUE(program.main->notices().AskYesNo("Delete it?"));
    EXPECT_TRUE(prompt.PromptDisp->text().isEmpty());
    EXPECT_EQ(program.spoken(), QStringList{"Delete it?"});

    whenModalOpens([&] { prompt.CancelBtn->click(); });
    EXPECT_FALSE(program.main->notices().AskYesNo("Exit?"));
    EXPECT_EQ(prompt.result(), TMyPrompt::Cancel);
    EXPECT_TRUE(prompt.PromptDisp->text().isEmpty());
    EXPECT_EQ(program.fakes.wave->played, (QStringList{"click.wav", "click.wav"}));
}

TEST(About, ShowsTheLicenceBesideTheProgram)
{
    TestProgram program;
    program.folder.write("licence.txt", "Line one\r\nLine two\r\n");
    program.start();
    TAboutForm about(program.main.get(), program.main->feedback(), program.main->notices(), *program.main->services().shell, program.main->services().programFolder,
                     program.main->services().dataFolder);
    EXPECT_EQ(about.LicenceDisplay->toPlainText(), "Line one\nLine two");
    EXPECT_EQ(about.AdvSmoothTabPager1->currentIndex(), 0);
    EXPECT_TRUE(about.Tab1->rect().contains(about.DataFolderDisplay->geometry())) << "the last line is cut off";
}

TEST(About, ShipsTheProjectLicence)
{
    QFile shipped(TestPaths::builtProgramFolder() + "/licence.txt");
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    EXPECT_TRUE(shipped.readAll().contains("Karvex"));
}

TEST(About, MissingLicenceLeavesTheBoxEmptyWithoutANotice)
{
    TestProgram program;
    program.start();
    TAboutForm about(program.main.get(), program.main->feedback(), program.main->notices(), *program.main->services().shell, program.main->services().programFolder,
                     program.main->services().dataFolder);
    EXPECT_TRUE(about.LicenceDisplay->toPlainText().isEmpty());
    EXPECT_TRUE(program.main->MyError->isHidden());
}

TEST(About, ThankYouAndWebSite)
{
    TestProgram program;
    program.start(AllOff);
    TAboutForm about(program.main.get(), program.main->feedback(), program.main->notices(), *program.main->services().shell, program.main->services().programFolder,
                     program.main->services().dataFolder);
    about.VoiceHelpBtn->click();
    ASSERT_EQ(program.spoken().size(), 1);
    EXPECT_TRUE(program.spoken().first().startsWith("thank you for using kar vex.. "));

    about.SiteLinkClick();
    EXPECT_EQ(program.fakes.shell->opened, QStringList{about.SiteLink->text()});
    EXPECT_TRUE(program.main->MyError->isHidden());

    program.fakes.shell->openResult = false;
    about.Image1->click();
    EXPECT_EQ(program.main->MyError->ErrorText->text(),
              "OPEN ERROR\n\nError Loading Web Browser. Default browser configured?");
}

TEST(About, PutsEachWrappedParagraphOfTheLicenceOnOneLine)
{
    const QStringList file{"Karvex - Media On The Move", "Copyright (c) 2026 The Karvex developers", "",
                           "Permission is hereby granted, free of charge, to any person obtaining a copy",
                           "of this software and associated documentation files (the \"Software\"), to deal",
                           "in the Software without restriction.", "", "THE END."};
    EXPECT_EQ(LicenceText::forDisplay(file),
              "Karvex - Media On The Move\nCopyright (c) 2026 The Karvex developers\n\n"
              "Permission is hereby granted, free of charge, to any person obtaining a copy of this software and "
              "associated documentation files (the \"Software\"), to deal in the Software without restriction.\n\nTHE END.");
}
