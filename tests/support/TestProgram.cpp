#include "support/TestProgram.h"

#include "config/Settingsunit.h"
#include "shell/Startup.h"

#include <QTimer>

void TestProgram::start(const QByteArray* configIni)
{
    if (configIni)
        folder.write(ConfigFileName, *configIni);
    Services services = fakes.make(folder.path());
    if (adjustServices)
        adjustServices(services);
    main = Startup::createWindows(std::move(services));
}

TSettingsForm& TestProgram::options() const
{
    return *main->SettingsForm;
}

QStringList TestProgram::spoken() const
{
    return fakes.speech ? fakes.speech->spoken : QStringList();
}

void whenModalOpens(std::function<void()> answer)
{
    QTimer::singleShot(0, std::move(answer));
}
