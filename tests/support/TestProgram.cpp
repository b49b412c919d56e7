#include "support/TestProgram.h"

#include "config/Settingsunit.h"
#include "shell/Startup.h"

#include <QTimer>

void TestProgram::start(const QByteArray* configIni)
{
    if (configIni)
        folder.write(ConfigFileName, *configIni);
    main = Startup::createWindows(fakes.make(folder.path()));
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
