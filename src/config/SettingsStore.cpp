#include "config/SettingsStore.h"

#include "platform/TextFile.h"

#include <QDir>

namespace {

// The name of a line is what stands before its first "="; a line without one has none.
bool lineHasName(const QString& line, const QString& name)
{
    const qsizetype eq = line.indexOf(u'=');
    return eq >= 0 && QStringView(line).left(eq).compare(name, Qt::CaseInsensitive) == 0;
}

} // namespace

int SettingsStore::indexOf(const QString& name) const
{
    for (int i = 0; i < m_lines.size(); ++i)
        if (lineHasName(m_lines[i], name))
            return i;
    return -1;
}

QString SettingsStore::value(const QString& name) const
{
    const int i = indexOf(name);
    if (i < 0)
        return {};
    const QString& line = m_lines[i];
    return line.mid(line.indexOf(u'=') + 1);
}

void SettingsStore::setValue(const QString& name, const QString& value)
{
    const int i = indexOf(name);
    if (value.isEmpty()) {
        if (i >= 0)
            m_lines.removeAt(i);
        return;
    }
    const QString line = name + u'=' + value;
    if (i >= 0)
        m_lines[i] = line;
    else
        m_lines.append(line);
}

bool SettingsStore::load(const QString& path)
{
    std::optional<QStringList> lines = TextFile::readLines(path);
    if (!lines)
        return false;
    m_lines = *lines;
    return true;
}

bool SettingsStore::save(const QString& path) const
{
    return TextFile::writeLines(path, m_lines);
}

bool SettingsStore::save(const QString& path, int& error) const
{
    return TextFile::writeLines(path, m_lines, error);
}

void SettingsStore::writeDefaults()
{
    setValue(Key::GPSPort, QStringLiteral("COM8"));
    setValue(Key::SOCPort, QStringLiteral("COM2"));
    setValue(Key::SOCLabel1, QStringLiteral("Remote #1"));
    setValue(Key::SOCLabel2, QStringLiteral("Remote #2"));
    setValue(Key::SOCLabel3, QStringLiteral("Remote #3"));
    setValue(Key::SOCLabel4, QStringLiteral("Remote #4"));
    setValue(Key::DayColours, QStringLiteral("FALSE"));
    setValue(Key::ClickSounds, QStringLiteral("TRUE"));
    setValue(Key::OtherSounds, QStringLiteral("TRUE"));
    setValue(Key::SpeechSounds, QStringLiteral("TRUE"));
    setValue(Key::HideMouse, QStringLiteral("FALSE"));
    setValue(Key::ServiceManualPath, QString());
    setValue(Key::ObdiiApplicationPath, QString());
    setValue(Key::GPSEnabled, QStringLiteral("FALSE"));
    // The root folder stands for the drive root of the old "C:\" default.
    setValue(Key::LastMediaPath, QStringLiteral("/"));
    setValue(Key::DayTheme, QStringLiteral("4"));
    setValue(Key::NightTheme, QStringLiteral("5"));
}

QString configFilePath(const QString& dataFolder)
{
    return QDir(dataFolder).filePath(ConfigFileName);
}

namespace SettingText {

bool isOn(const QString& value)
{
    return value.toUpper() == QLatin1String("TRUE");
}

QString fromBool(bool on)
{
    return on ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
}

int themeIndex(const QString& value, int fallback)
{
    bool ok = false;
    const int index = value.toInt(&ok);
    return ok ? index : fallback;
}

} // namespace SettingText
