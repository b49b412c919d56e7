#pragma once
// Opens the desktop's own date and time settings, where one is installed: the one of the
// running desktop first, else the first one found. Started detached, without a shell;
// with none installed nothing happens.
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class DateTimeSettings {
public:
    struct Command {
        QString program; // full path
        QStringList arguments;
        bool operator==(const Command&) const = default;
    };
    // The full path of an installed program, or empty.
    using FindProgram = std::function<QString(const QString& name)>;
    using StartDetached = std::function<bool(const QString& program, const QStringList& arguments)>;

    // By default: programs on PATH, the desktops named by XDG_CURRENT_DESKTOP, QProcess.
    DateTimeSettings();
    DateTimeSettings(FindProgram find, QStringList currentDesktops, StartDetached start);

    // The settings program to run, if any is installed.
    std::optional<Command> command() const;
    // Starts it; false when there is none or it could not be started.
    bool open() const;

private:
    FindProgram m_find;
    QStringList m_currentDesktops;
    StartDetached m_start;
};
