#include "tools/Launcher.h"

#include "config/SettingsStore.h"
#include "app/Feedback.h"
#include "dialogs/Notices.h"
#include "platform/Shell.h"

#include <QFileInfo>

namespace Launcher {

const Target ServiceManual{
    Key::ServiceManualPath,
    QStringLiteral("CONFIG ERROR\n\nNo path is set for a Service Manual.\nSet Car Manual file in Options / Advanced Tab."),
    QStringLiteral("FILE ERROR\n\nCannot locate the Service Manual file. Check the file exists and path is correct in "
                   "config.ini"),
    QStringLiteral("OPEN ERROR\n\nError Loading Service Manual File."),
};

const Target ObdiiApplication{
    Key::ObdiiApplicationPath,
    QStringLiteral("CONFIG ERROR\n\nNo OBDII Application has been set.\nSet OBDII Application in Options / Advanced Tab."),
    QStringLiteral("FILE ERROR\n\nCannot locate the OBDII Application file. Check the file exists and path is correct "
                   "in config.ini"),
    QStringLiteral("OPEN ERROR\n\nError Opening OBDII Application."),
};

bool isFile(const QString& path)
{
    return QFileInfo(path).isFile();
}

bool anyConfigured(const SettingsStore& settings)
{
    return !settings.value(ServiceManual.settingKey).trimmed().isEmpty()
        || !settings.value(ObdiiApplication.settingKey).trimmed().isEmpty();
}

void launch(const SettingsStore& settings, Feedback& feedback, Notices& notices, Shell& shell, const Target& target)
{
    const QString path = settings.value(target.settingKey).trimmed();
    if (path.isEmpty()) {
        notices.ShowErrorNotice(target.notSetNotice);
        return;
    }
    if (!isFile(path)) {
        notices.ShowErrorNotice(target.missingNotice);
        return;
    }
    feedback.Click();
    shell.open(path, [&notices, notice = target.openFailedNotice](bool opened) {
        if (!opened)
            notices.ShowErrorNotice(notice);
    });
}

} // namespace Launcher
