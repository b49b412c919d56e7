#include "home/DateTimeSettings.h"

#include <QProcess>
#include <QStandardPaths>

namespace {

struct Candidate {
    QString desktop; // as named in XDG_CURRENT_DESKTOP
    QString program;
    QStringList arguments;
};

const QList<Candidate>& candidates()
{
    static const QList<Candidate> list{
        {QStringLiteral("GNOME"), QStringLiteral("gnome-control-center"), {QStringLiteral("datetime")}},
        {QStringLiteral("KDE"), QStringLiteral("kcmshell6"), {QStringLiteral("kcm_clock")}},
        {QStringLiteral("KDE"), QStringLiteral("kcmshell5"), {QStringLiteral("kcm_clock")}},
        {QStringLiteral("X-Cinnamon"), QStringLiteral("cinnamon-settings"), {QStringLiteral("calendar")}},
        {QStringLiteral("LXQt"), QStringLiteral("lxqt-admin-time"), {}},
        {QStringLiteral("XFCE"), QStringLiteral("time-admin"), {}},
    };
    return list;
}

} // namespace

DateTimeSettings::DateTimeSettings()
    : DateTimeSettings([](const QString& name) { return QStandardPaths::findExecutable(name); },
                       qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'), Qt::SkipEmptyParts),
                       [](const QString& program, const QStringList& arguments) {
                           return QProcess::startDetached(program, arguments);
                       })
{
}

DateTimeSettings::DateTimeSettings(FindProgram find, QStringList currentDesktops, StartDetached start)
    : m_find(std::move(find)), m_currentDesktops(std::move(currentDesktops)), m_start(std::move(start))
{
}

std::optional<DateTimeSettings::Command> DateTimeSettings::command() const
{
    std::optional<Command> firstFound;
    for (const Candidate& candidate : candidates()) {
        const QString path = m_find(candidate.program);
        if (path.isEmpty())
            continue;
        const Command found{path, candidate.arguments};
        if (m_currentDesktops.contains(candidate.desktop, Qt::CaseInsensitive))
            return found;
        if (!firstFound)
            firstFound = found;
    }
    return firstFound;
}

bool DateTimeSettings::open() const
{
    const std::optional<Command> settings = command();
    return settings && m_start(settings->program, settings->arguments);
}
