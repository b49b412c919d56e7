#pragma once
// The live on/off settings: tested at the moment of use, read from the settings, which
// the options screen writes on every toggle.
#include "config/SettingsStore.h"

enum class LiveSetting { ClickSounds, OtherSounds, SpeechSounds, HideMouse, GPSEnabled, DayColours };

class LiveSettings {
public:
    explicit LiveSettings(const SettingsStore& store)
        : m_store(store)
    {
    }

    bool isOn(LiveSetting setting) const;

private:
    const SettingsStore& m_store;
};
