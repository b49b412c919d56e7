#pragma once
// The vehicle tools' quick launchers: a service manual document and an OBDII diagnostic
// program, each kept as a full path in the settings and opened through the desktop.
#include <QString>

class Feedback;
class Notices;
class SettingsStore;
class Shell;

namespace Launcher {

struct Target {
    QString settingKey;
    QString notSetNotice;
    QString missingNotice;
    QString openFailedNotice;
};

extern const Target ServiceManual;
extern const Target ObdiiApplication;

// True when a file (or a link to one) is at `path`; a folder does not count.
bool isFile(const QString& path);

// True while a service manual or OBDII path is set (blanks only count as not set).
bool anyConfigured(const SettingsStore& settings);

// Reads the target's path afresh and opens it: a path that is not set or names no file
// gets its notice instead; otherwise the click sound, then the desktop opens the path,
// with a notice when it refuses or its opener fails.
void launch(const SettingsStore& settings, Feedback& feedback, Notices& notices, Shell& shell, const Target& target);

} // namespace Launcher
