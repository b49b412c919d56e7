// config.ini as the program meets it at start-up: any bytes read by the settings store
// and applied to the screens, then saved and read again.
#include "FuzzSupport.h"

#include "config/SettingsStore.h"
#include "config/Settingsunit.h"
#include "support/TestProgram.h"
#include "widgets/TouchButton.h"

namespace {

// One program for the whole run, started from the default settings; every input is a new
// config.ini that it reads and applies again.
TestProgram* program = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    Fuzz::startApplication(argc, argv);
    program = new TestProgram;
    program->start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    program->fakes.forgetRecords(); // the clicks and phrases of the last input
    program->folder.write(ConfigFileName, Fuzz::bytes(data, size));
    TSettingsForm& options = program->options();
    options.LoadAndApplySettings();
    SettingsStore& store = program->main->settings();

    // The options screen shows what the file says.
    const auto shows = [&](const TouchButton* toggle, const QString& key) {
        return toggle->isChecked() == SettingText::isOn(store.value(key));
    };
    Fuzz::check(shows(options.ClickSoundsBtn, Key::ClickSounds) && shows(options.OtherSoundsBtn, Key::OtherSounds)
                    && shows(options.SpeechBtn, Key::SpeechSounds) && shows(options.HideMouseBtn, Key::HideMouse)
                    && shows(options.GpsBtn, Key::GPSEnabled) && shows(options.DayColourBtn, Key::DayColours),
                "a toggle does not show its setting");

    // Saving keeps every line, known or not, and reads back the same.
    const QString copy = Fuzz::scratchFolder() + QStringLiteral("/config.ini");
    Fuzz::check(store.save(copy), "the settings could not be saved");
    SettingsStore reread;
    Fuzz::check(reread.load(copy), "saved settings could not be read");
    if (std::all_of(store.lines().begin(), store.lines().end(), [](const QString& line) { return line.isValidUtf16(); }))
        Fuzz::check(reread.lines() == store.lines(), "saved settings read back differently");
    return 0;
}
