#include "config/LiveSettings.h"

bool LiveSettings::isOn(LiveSetting setting) const
{
    const QString& key = [setting]() -> const QString& {
        switch (setting) {
        case LiveSetting::ClickSounds: return Key::ClickSounds;
        case LiveSetting::OtherSounds: return Key::OtherSounds;
        case LiveSetting::SpeechSounds: return Key::SpeechSounds;
        case LiveSetting::HideMouse: return Key::HideMouse;
        case LiveSetting::GPSEnabled: return Key::GPSEnabled;
        case LiveSetting::DayColours: break;
        }
        return Key::DayColours;
    }();
    return SettingText::isOn(m_store.value(key));
}
