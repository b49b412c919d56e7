#include "config/Settingsunit.h"
#include "dialogs/Myerrorunit.h"
#include "home/Welcomeframeunit.h"
#include "platform/Pointer.h"
#include "playback/Videoframeunit.h"
#include "playlists/Filesframeunit.h"
#include "playlists/Mediaframeunit.h"
#include "shell/Startup.h"
#include "support/TestProgram.h"
#include "tags/Trackinfounit.h"
#include "tools/Mymainmenuunit.h"
#include "tools/Systemframeunit.h"
#include "widgets/CaptionPanel.h"
#include "widgets/TouchButton.h"
#include "widgets/TouchLabel.h"
#include "widgets/TrackBar.h"

#include <QFile>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const QColor Lime(0, 255, 0);
const QColor Red(255, 0, 0);
const QColor Black(0, 0, 0);

const QByteArray AllOn = "ClickSounds=TRUE\r\nOtherSounds=TRUE\r\nSpeechSounds=TRUE\r\n";

class MainFormTest : public ::testing::Test {
protected:
    void TearDown() override { Pointer::show(); }

    QWidget* visibleScreen() const
    {
        QWidget* shown = nullptr;
        for (QWidget* w : QList<QWidget*>{m().WelcomeFrame1, m().MediaFrame1, m().FilesFrame1, m().VideoFrame1,
                                          m().SystemFrame1, m().TrackInfoForm})
            if (!w->isHidden()) {
                EXPECT_EQ(shown, nullptr) << "two screens are visible";
                shown = w;
            }
        return shown;
    }
    TMainForm& m() const { return *program.main; }

    TestProgram program;
};

} // namespace

TEST(Resolution, OnlyExactly800By600IsAccepted)
{
    EXPECT_FALSE(Startup::resolutionRefusal({800, 600}));
    const std::optional<QString> refusal = Startup::resolutionRefusal({1024, 768});
    ASSERT_TRUE(refusal);
    EXPECT_EQ(*refusal, "Karvex must be run at a screen resolution of 800x600\nSystem Reports 1024x768 \n"
                        "Please change to 800x600 and restart Karvex");
    EXPECT_TRUE(Startup::resolutionRefusal({800, 601}));
    EXPECT_TRUE(Startup::resolutionRefusal({600, 800}));
}

TEST_F(MainFormTest, StartUpShowsHomeStartsTimersAndTakesOverTheVolume)
{
    program.fakes.mixer->volume = 32768;
    program.start();

    EXPECT_EQ(visibleScreen(), m().WelcomeFrame1);
    EXPECT_EQ(m().HomeBtn->bevelColour(), Lime);
    EXPECT_EQ(m().PlaylistBtn->bevelColour(), Black);
    EXPECT_TRUE(m().ToolsBtn->isHidden());
    EXPECT_TRUE(m().VolumeTimer->isActive());
    EXPECT_TRUE(m().FlashTimer->isActive());
    EXPECT_TRUE(m().WelcomeFrame1->SpeedGraphTimer->isActive());
    EXPECT_TRUE(m().WelcomeFrame1->TextScrollTimer->isActive());
    EXPECT_EQ(m().WelcomeFrame1->NowPlayingPanel->caption(), "Playlist is empty.");

    EXPECT_EQ(m().VolumeBar->position(), 32768);
    EXPECT_EQ(m().VolumeProgress->text(), "50%");
    EXPECT_EQ(program.fakes.mixer->muteWrites, std::vector<bool>{false});
    // Start-up itself makes no sound and says nothing, whatever the settings say.
    EXPECT_TRUE(program.events().isEmpty());
}

TEST_F(MainFormTest, ControlsStandAtTheirPlaces)
{
    program.start();
    EXPECT_EQ(m().size(), QSize(800, 600));
    EXPECT_EQ(m().LeftBtnPanel->geometry(), QRect(8, 8, 125, 589));
    EXPECT_EQ(m().RightBtnPanel->geometry(), QRect(667, 8, 125, 589));
    EXPECT_EQ(m().HomeBtn->geometry(), QRect(5, 32, 105, 62));
    EXPECT_EQ(m().TrackNextBtn->geometry(), QRect(56, 508, 54, 62));
    EXPECT_EQ(m().VolumeBar->geometry(), QRect(8, 168, 97, 294));
    EXPECT_EQ(m().MuteBtn->geometry(), QRect(5, 508, 105, 62));
    EXPECT_EQ(m().MediaFrame1->geometry(), QRect(136, 5, 528, 595));
    EXPECT_EQ(m().TrackInfoForm->geometry(), QRect(136, 5, 528, 595));
    EXPECT_EQ(m().HomeBtn->text(), "HOME");
    EXPECT_EQ(m().SettingsBtn->text(), "Options");
}

TEST_F(MainFormTest, ShowScreenMapsNumbersAndMarksTheActiveButton)
{
    program.start();
    m().ShowScreen(0);
    EXPECT_EQ(visibleScreen(), m().TrackInfoForm);
    EXPECT_EQ(m().TrackBtn->bevelColour(), Lime);
    EXPECT_EQ(m().HomeBtn->bevelColour(), Black);

    m().ShowScreen(3);
    EXPECT_EQ(visibleScreen(), m().FilesFrame1);
    EXPECT_EQ(m().PlaylistBtn->bevelColour(), Red);
    EXPECT_EQ(m().TrackBtn->bevelColour(), Black);

    // The video screen leaves the outlines of the screen before.
    m().ShowScreen(4);
    EXPECT_EQ(visibleScreen(), m().VideoFrame1);
    EXPECT_EQ(m().PlaylistBtn->bevelColour(), Red);

    m().ShowScreen(5);
    EXPECT_EQ(visibleScreen(), m().SystemFrame1);
    EXPECT_EQ(m().ToolsBtn->bevelColour(), Lime);
    EXPECT_EQ(m().PlaylistBtn->bevelColour(), Black);

    m().ShowScreen(7);
    EXPECT_EQ(visibleScreen(), m().WelcomeFrame1);
    EXPECT_EQ(m().HomeBtn->bevelColour(), Lime);

    m().ShowScreen(9);
    m().ShowScreen(-1);
    EXPECT_EQ(visibleScreen(), m().WelcomeFrame1);
    EXPECT_EQ(m().HomeBtn->bevelColour(), Lime);
}

TEST_F(MainFormTest, NavigationButtonsClickThenSpeakThenAct)
{
    program.start(AllOn);
    struct Case {
        TouchButton* button;
        QString phrase;
        QWidget* screen;
    };
    const QList<Case> cases = {{m().PlaylistBtn, "Play list", m().MediaFrame1},
                               {m().TrackBtn, "Track.", m().TrackInfoForm},
                               {m().ToolsBtn, "Tools", m().SystemFrame1},
                               {m().HomeBtn, "Home", m().WelcomeFrame1}};
    for (const Case& c : cases) {
        program.clearEvents();
        c.button->click();
        EXPECT_EQ(program.events(), (QStringList{"sound:click.wav", "speak:" + c.phrase}));
        EXPECT_EQ(visibleScreen(), c.screen) << c.phrase.toStdString();
    }
}

TEST_F(MainFormTest, DialogButtonsAcknowledgeBeforeTheDialogOpens)
{
    program.start(AllOn);
    QStringList seenWhenOpen;
    whenModalOpens([&] {
        seenWhenOpen = program.events();
        EXPECT_TRUE(m().SettingsForm->isVisible());
        m().SettingsForm->reject();
    });
    m().SettingsBtn->click();
    EXPECT_EQ(seenWhenOpen, (QStringList{"sound:click.wav", "speak:Options"}));

    program.clearEvents();
    whenModalOpens([&] {
        seenWhenOpen = program.events();
        EXPECT_TRUE(m().MyMainMenu->isVisible());
        m().MyMainMenu->reject();
    });
    m().SystemBtn->click();
    EXPECT_EQ(seenWhenOpen, (QStringList{"sound:click.wav", "speak:System."}));
}

TEST_F(MainFormTest, SoundAndSpeechFollowTheirToggles)
{
    program.start(QByteArray("ClickSounds=FALSE\r\nSpeechSounds=TRUE\r\n"));
    m().PlaylistBtn->click();
    EXPECT_EQ(program.events(), QStringList{"speak:Play list"});

    program.options().SpeechBtn->setChecked(false);
    program.options().ClickSoundsBtn->setChecked(true);
    program.clearEvents();
    m().HomeBtn->click();
    EXPECT_EQ(program.events(), QStringList{"sound:click.wav"});
}

TEST_F(MainFormTest, WithoutSpeechEveryButtonStillWorks)
{
    program.fakes.speechAvailable = false;
    program.start(AllOn);
    EXPECT_TRUE(m().feedback().SpeechUnavailable());
    m().PlaylistBtn->click();
    EXPECT_EQ(visibleScreen(), m().MediaFrame1);
    EXPECT_EQ(program.events(), QStringList{"sound:click.wav"});
}

TEST_F(MainFormTest, ColumnBackgroundTapsTogglePointerWhateverHideMouseSays)
{
    program.start();
    ASSERT_FALSE(Pointer::isHidden());
    m().LeftBtnPanelClick();
    EXPECT_TRUE(Pointer::isHidden());
    m().RightBtnPanelClick();
    EXPECT_FALSE(Pointer::isHidden());
    EXPECT_EQ(m().settings().value(Key::HideMouse), "FALSE");
    EXPECT_TRUE(program.events().isEmpty());
}

TEST_F(MainFormTest, ActivationHidesThePointerOnlyWhenHideMouseIsOn)
{
    program.start(QByteArray("HideMouse=TRUE\r\n"));
    EXPECT_TRUE(Pointer::isHidden());
    m().ApplicationEvents1Deactivate();
    EXPECT_FALSE(Pointer::isHidden());
    m().ApplicationEvents1Activate();
    EXPECT_TRUE(Pointer::isHidden());
    m().ApplicationEvents1Minimize();
    EXPECT_FALSE(Pointer::isHidden());
    m().ApplicationEvents1Restore();
    EXPECT_TRUE(Pointer::isHidden());

    program.options().HideMouseBtn->setChecked(false);
    m().ApplicationEvents1Deactivate();
    m().ApplicationEvents1Activate();
    EXPECT_FALSE(Pointer::isHidden());
}

TEST_F(MainFormTest, ClosingSavesTheDefaultsAndShowsThePointer)
{
    program.start();
    m().LeftBtnPanelClick();
    m().close();
    EXPECT_FALSE(Pointer::isHidden());
    EXPECT_TRUE(program.fakes.messageBox->shown.isEmpty());
    const QByteArray saved = program.folder.read(ConfigFileName);
    EXPECT_TRUE(saved.startsWith("GPSPort=COM8\r\nSOCPort=COM2\r\n"));
    EXPECT_TRUE(saved.endsWith("LastMediaPath=/\r\nDayTheme=4\r\nNightTheme=5\r\n"));
    EXPECT_EQ(saved.count("\r\n"), 15);
}

TEST_F(MainFormTest, ClosingWhenTheFileCannotBeWrittenSaysSoAndStillCloses)
{
    program.start(AllOn);
    QFile::setPermissions(program.folder.file(ConfigFileName), QFile::ReadOwner);
    m().close();
    EXPECT_EQ(program.fakes.messageBox->shown,
              QStringList{"FILE ERROR\n\nError Saving config.ini\nTry running Karvex as Administrator"});
    EXPECT_FALSE(m().isVisible());
}

// Told to end by a power-off, the program leaves no box waiting for a tap nobody will make.
TEST_F(MainFormTest, AnUnattendedCloseThatCannotSaveWaitsForNobody)
{
    program.start(AllOn);
    QFile::setPermissions(program.folder.file(ConfigFileName), QFile::ReadOwner);
    m().notices().setUnattended();
    m().close();
    EXPECT_TRUE(program.fakes.messageBox->shown.isEmpty());
    EXPECT_FALSE(m().isVisible());
}

TEST_F(MainFormTest, NoticesReplaceEachOtherAndSoundTheirError)
{
    program.start(AllOn);
    m().notices().ShowErrorNotice("FIRST\n\nOne.");
    m().notices().ShowErrorNotice("SECOND\n\nTwo.");
    EXPECT_TRUE(m().MyError->isVisible());
    EXPECT_EQ(m().MyError->ErrorText->text(), "SECOND\n\nTwo.");
    EXPECT_EQ(program.fakes.wave->played, (QStringList{"error.wav", "error.wav"}));

    program.options().OtherSoundsBtn->setChecked(false);
    m().notices().ShowErrorNotice("THIRD\n\nThree.");
    EXPECT_EQ(program.fakes.wave->played.size(), 2);
    EXPECT_EQ(m().MyError->ErrorText->text(), "THIRD\n\nThree.");

    m().MyError->CloseBtn->click();
    EXPECT_FALSE(m().MyError->isVisible());
    EXPECT_EQ(program.fakes.wave->played.last(), "click.wav");
}

TEST_F(MainFormTest, VolumeTimerWritesOnlyWhenTheBarMoved)
{
    program.fakes.mixer->volume = 13106;
    program.start();
    m().VolumeTimerTimer();
    EXPECT_TRUE(program.fakes.mixer->writes.empty());

    m().VolumeBar->setPosition(39321.7);
    m().VolumeTimerTimer();
    EXPECT_EQ(program.fakes.mixer->writes, std::vector<uint32_t>{39321});
    EXPECT_EQ(m().VolumeProgress->text(), "60%");
    m().VolumeTimerTimer();
    EXPECT_EQ(program.fakes.mixer->writes.size(), 1u);
}

TEST_F(MainFormTest, MuteTappedTwiceBeforeAFlashEndsBlackAndUnmuted)
{
    program.start();
    m().MuteBtn->click();
    m().MuteBtn->click();
    m().FlashTimerTimer();
    EXPECT_FALSE(m().isMuted());
    EXPECT_FALSE(program.fakes.mixer->muted);
    EXPECT_EQ(m().MuteBtn->bevelColour(), Black);
    EXPECT_EQ(m().MuteBtn->captionColour(), Black);
}

TEST_F(MainFormTest, MuteTurnsRedFlashesAndEndsBlack)
{
    program.start(AllOn);
    m().MuteBtn->click();
    EXPECT_TRUE(m().isMuted());
    EXPECT_TRUE(program.fakes.mixer->muted);
    EXPECT_EQ(m().MuteBtn->bevelColour(), Red);
    EXPECT_EQ(m().MuteBtn->captionColour(), Red);
    EXPECT_EQ(program.spoken(), QStringList{"Mute on"});

    m().FlashTimerTimer();
    EXPECT_EQ(m().MuteBtn->bevelColour(), Black);
    m().FlashTimerTimer();
    EXPECT_EQ(m().MuteBtn->captionColour(), Red);

    // The bar still sets the volume while muted, and does not unmute.
    m().VolumeBar->setPosition(6553);
    m().VolumeTimerTimer();
    EXPECT_TRUE(program.fakes.mixer->muted);

    m().MuteBtn->click();
    EXPECT_FALSE(program.fakes.mixer->muted);
    EXPECT_EQ(m().MuteBtn->bevelColour(), Black);
    m().FlashTimerTimer();
    EXPECT_EQ(m().MuteBtn->bevelColour(), Black);
    EXPECT_EQ(program.spoken(), (QStringList{"Mute on", "Mute off"}));
}

namespace {
class ThrowingWidget : public QWidget {
protected:
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::User)
            throw std::runtime_error("the handler failed");
        return QWidget::event(e);
    }
};
} // namespace

TEST(Application, AnExceptionInAHandlerIsShownAndTheProgramGoesOn)
{
    ThrowingWidget widget;
    QString shown;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    QEvent event(QEvent::User);
    EXPECT_NO_THROW(QCoreApplication::sendEvent(&widget, &event));
    EXPECT_EQ(shown, "the handler failed");
}
