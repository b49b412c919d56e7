#pragma once
// The program's settings: an ordered list of "Name=Value" lines kept in config.ini.
// Names are compared without regard to case and the first matching line wins; lines
// without "=" and names the program does not know are kept as they are, in place.
#include <QString>
#include <QStringList>

class SettingsStore {
public:
    // The value of the first line named `name`, or "" when none is.
    QString value(const QString& name) const;
    // Replaces the first line named `name` in place (with the name spelled as given), or
    // appends one. An empty value removes that line instead.
    void setValue(const QString& name, const QString& value);

    const QStringList& lines() const { return m_lines; }
    void setLines(const QStringList& lines) { m_lines = lines; }

    // False when the file cannot be read; the store is then unchanged.
    bool load(const QString& path);
    // False when the file cannot be written; the old file then stays whole and `error`
    // holds the errno of what failed.
    bool save(const QString& path) const;
    bool save(const QString& path, int& error) const;

    // Fills the store with the values a car PC starts with when it has no config.ini.
    void writeDefaults();

private:
    int indexOf(const QString& name) const;
    QStringList m_lines;
};

// The setting keys.
namespace Key {
inline const QString GPSPort = QStringLiteral("GPSPort");
inline const QString SOCPort = QStringLiteral("SOCPort");
inline const QString SOCLabel1 = QStringLiteral("SOCLabel1");
inline const QString SOCLabel2 = QStringLiteral("SOCLabel2");
inline const QString SOCLabel3 = QStringLiteral("SOCLabel3");
inline const QString SOCLabel4 = QStringLiteral("SOCLabel4");
inline const QString DayColours = QStringLiteral("DayColours");
inline const QString ClickSounds = QStringLiteral("ClickSounds");
inline const QString OtherSounds = QStringLiteral("OtherSounds");
inline const QString SpeechSounds = QStringLiteral("SpeechSounds");
inline const QString HideMouse = QStringLiteral("HideMouse");
inline const QString ServiceManualPath = QStringLiteral("ServiceManualPath");
inline const QString ObdiiApplicationPath = QStringLiteral("ObdiiApplicationPath");
inline const QString GPSEnabled = QStringLiteral("GPSEnabled");
inline const QString LastMediaPath = QStringLiteral("LastMediaPath");
inline const QString DayTheme = QStringLiteral("DayTheme");
inline const QString NightTheme = QStringLiteral("NightTheme");
// The name phones see when the car PC is made visible to them.
inline const QString BluetoothName = QStringLiteral("BluetoothName");
}

namespace SettingText {
// On/off settings are on exactly when the value, upper-cased, is "TRUE".
bool isOn(const QString& value);
QString fromBool(bool on);
// A theme index: the number, or `fallback` when the text is not a number.
int themeIndex(const QString& value, int fallback);
}

// The name of the settings file in the program folder.
inline const QString ConfigFileName = QStringLiteral("config.ini");
// config.ini in `dataFolder`.
QString configFilePath(const QString& dataFolder);
