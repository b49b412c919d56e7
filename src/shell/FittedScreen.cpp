#include "shell/FittedScreen.h"

#include "config/ScreenFit.h"
#include "platform/DataFolder.h"
#include "platform/DisplaySize.h"
#include "shell/ScaledInterfaceView.h"

#include <QFile>
#include <QFileInfo>
#include <QScreen>

namespace FittedScreen {

std::optional<double> prepare()
{
    const QString programFolder = QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).absolutePath();
    SettingsStore settings;
    if (!settings.load(configFilePath(DataFolder::of(programFolder))) || !ScreenFit::wanted(settings))
        return std::nullopt;
    // Qt takes its scale factor only when it starts.
    const std::optional<QSize> screen = DisplaySize::ofDefaultScreen();
    const std::optional<double> scale = screen ? ScreenFit::scaleFor(*screen) : std::nullopt;
    if (scale && *scale >= 1)
        qputenv("QT_SCALE_FACTOR", QByteArray::number(*scale, 'g', 12));
    return scale;
}

std::unique_ptr<QWidget> show(QWidget& mainWindow, const QScreen& screen, std::optional<double> scale)
{
    const QRect area = screen.geometry();
    if (scale && *scale < 1)
        return std::make_unique<ScaledInterfaceView>(mainWindow, *scale, area);
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
