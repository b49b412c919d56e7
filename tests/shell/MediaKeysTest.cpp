// The media keys of a keyboard or steering-wheel interface do what their buttons do, with
// the same click and speech, whichever screen is shown.
#include "config/Settingsunit.h"
#include "dialogs/Myerrorunit.h"
#include "playlists/Mediaframeunit.h"
#include "support/MediaFiles.h"
#include "support/TestProgram.h"
#include "widgets/TouchButton.h"
#include "widgets/TrackBar.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <gtest/gtest.h>

namespace {

const QByteArray AllOn = "ClickSounds=TRUE\r\nOtherSounds=TRUE\r\nSpeechSounds=TRUE\r\n";

struct KeyCase {
    const char* name;
    int key;
    bool playing;
    TouchButton* TMainForm::*button;
    int screen;
};

void PrintTo(const KeyCase& c, std::ostream* out)
{
    *out << c.name;
}

// A program playing (or paused in) the first of two tracks, on `screen`.
struct Car : TestProgram {
    Car(bool playing, int screen)
    {
        start(AllOn);
        for (const char* name : {"a.wav", "b.wav"}) {
            folder.write(name, MediaFiles::wave(1000));
            main->MediaFrame1->playlist().append(folder.file(name));
        }
        main->PlayBtnClick();
        if (!playing)
            fakes.media->stop();
        main->ShowScreen(screen);
        clearEvents();
        fakes.media->calls.clear();
    }
    QStringList record() const
    {
        QStringList calls = fakes.media->calls;
        calls.replaceInStrings(folder.path(), QString());
        return events() + calls
            + QStringList{QString::number(main->MediaFrame1->playlist().selectedIndex()), QString::number(main->isMuted())};
    }
};

void press(QWidget* target, int key, bool autoRepeat = false)
{
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, QString(), autoRepeat);
    QCoreApplication::sendEvent(target, &event);
}

QWidget* shownScreen(TMainForm& main)
{
    for (QWidget* child : main.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child->isVisible() && child->geometry() == TMainForm::MiddleArea)
            return child;
    return &main;
}

class MediaKeysTest : public ::testing::TestWithParam<KeyCase> {};

} // namespace

TEST_P(MediaKeysTest, DoesWhatItsButtonDoes)
{
    const KeyCase& c = GetParam();
    Car byKey(c.playing, c.screen);
    press(shownScreen(*byKey.main), c.key);
    Car byTap(c.playing, c.screen);
    (byTap.main.get()->*c.button)->click();
    EXPECT_FALSE(byKey.record().isEmpty());
    EXPECT_EQ(byKey.record(), byTap.record());
}

INSTANTIATE_TEST_SUITE_P(
    Keys, MediaKeysTest,
    ::testing::Values(KeyCase{"Play", Qt::Key_MediaPlay, false, &TMainForm::PlayBtn, TMainForm::Home},
                      KeyCase{"Pause", Qt::Key_MediaPause, true, &TMainForm::StopBtn, TMainForm::Playlist},
                      KeyCase{"Stop", Qt::Key_MediaStop, true, &TMainForm::StopBtn, TMainForm::TrackInfo},
                      KeyCase{"ToggleWhilePlaying", Qt::Key_MediaTogglePlayPause, true, &TMainForm::StopBtn, TMainForm::Home},
                      KeyCase{"ToggleWhilePaused", Qt::Key_MediaTogglePlayPause, false, &TMainForm::PlayBtn, TMainForm::Files},
                      KeyCase{"Next", Qt::Key_MediaNext, true, &TMainForm::TrackNextBtn, TMainForm::Playlist},
                      KeyCase{"Previous", Qt::Key_MediaPrevious, true, &TMainForm::TrackPrevBtn, TMainForm::Home},
                      KeyCase{"Mute", Qt::Key_VolumeMute, true, &TMainForm::MuteBtn, TMainForm::Video},
                      KeyCase{"PageUp", Qt::Key_PageUp, true, &TMainForm::TrackNextBtn, TMainForm::Home},
                      KeyCase{"PageDown", Qt::Key_PageDown, true, &TMainForm::TrackPrevBtn, TMainForm::Home}),
    [](const ::testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

TEST(MediaKeys, VolumeKeysMoveTheBarOneStepAndAHeldKeyStepsOn)
{
    Car car(true, TMainForm::Home);
    TrackBar& bar = *car.main->VolumeBar;
    bar.setPosition(3 * bar.step());
    press(car.main.get(), Qt::Key_VolumeUp);
    EXPECT_EQ(car.fakes.mixer->volume, uint32_t(4 * bar.step())) << "the mixer follows at once";
    press(car.main.get(), Qt::Key_VolumeDown);
    press(car.main.get(), Qt::Key_VolumeDown, true);
    EXPECT_EQ(bar.position(), 2 * bar.step());
    for (int i = 0; i < 20; ++i)
        press(car.main.get(), Qt::Key_VolumeUp, true);
    EXPECT_EQ(bar.position(), bar.maximum());
}

TEST(MediaKeys, ActOverTheNoticeButNotUnderAModalDialogNorWhenHeld)
{
    Car car(true, TMainForm::Home);
    TMainForm& main = *car.main;
    main.notices().ShowErrorNotice("FILE ERROR");
    car.fakes.media->calls.clear();
    press(main.MyError, Qt::Key_MediaStop);
    EXPECT_EQ(car.fakes.media->calls, QStringList{"stop"});

    press(&main, Qt::Key_MediaPlay, true);
    EXPECT_EQ(car.fakes.media->calls, QStringList{"stop"}) << "a held key acts once";

    whenModalOpens([&] {
        press(main.SettingsForm, Qt::Key_MediaPlay);
        main.SettingsForm->reject();
    });
    main.SettingsBtnClick();
    EXPECT_EQ(car.fakes.media->calls, QStringList{"stop"});
}
