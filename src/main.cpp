// Karvex: the touch-screen front end of a car PC.
#include "shell/Mainunit.h"
#include "shell/Startup.h"

#include <QMessageBox>
#include <QScreen>

int main(int argc, char** argv)
{
    KarvexApplication app(argc, argv);
    try {
        const QScreen* screen = QGuiApplication::primaryScreen();
        if (std::optional<QString> refusal = Startup::resolutionRefusal(screen->size())) {
            QMessageBox box(QMessageBox::NoIcon, QString(), *refusal, QMessageBox::Ok);
            box.exec();
            return 0;
        }
        std::unique_ptr<TMainForm> mainForm =
            Startup::createWindows(realServices(QCoreApplication::applicationDirPath()));
        mainForm->move(screen->geometry().topLeft());
        mainForm->show();
        QObject::connect(mainForm.get(), &TMainForm::closed, &app, &QCoreApplication::quit);
        app.exec();
    } catch (const std::exception& error) {
        showException(error.what());
    }
    return 0;
}
