#include "shell/FittedScreen.h"

#include "config/ScreenFit.h"
#include "platform/DataFolder.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

namespace FittedScreen {

bool prepare(int& argc, char** argv)
{
    const QString programFolder = QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).absolutePath();
    SettingsStore settings;
    if (!settings.load(configFilePath(DataFolder::of(programFolder))) || !ScreenFit::wanted(settings))
        return false;
    // Qt takes its scale factor only when it starts: a first, short-lived connection to
    // the display measures the screen.
    QSize screen;
    {
        QGuiApplication measure(argc, argv);
        screen = QGuiApplication::primaryScreen()->size();
    }
    const std::optional<double> scale = ScreenFit::scaleFor(screen);
    if (!scale)
        return false;
    qputenv("QT_SCALE_FACTOR", QByteArray::number(*scale, 'g', 12));
    return true;
}

std::unique_ptr<QWidget> show(QWidget& mainWindow, const QScreen& screen)
{
    const QRect area = screen.geometry();
    std::unique_ptr<QWidget> surround;
    if (area.size() != mainWindow.size()) {
        surround = std::make_unique<QWidget>(nullptr, Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
        surround->setAutoFillBackground(true);
        QPalette black = surround->palette();
        black.setColor(QPalette::Window, Qt::black);
        surround->setPalette(black);
        surround->setGeometry(area);
        surround->show();
    }
    QRect place(QPoint(), mainWindow.size());
    place.moveCenter(area.center());
    mainWindow.move(place.topLeft());
    mainWindow.show();
    return surround;
}

} // namespace FittedScreen
