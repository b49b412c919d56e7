// The floor of Karvex's start-up figures: an empty black 800 x 600 Qt Widgets window,
// started, shown and reported like Karvex's main window, so that bench/measure-process.sh
// can time both the same way in the same run.
#include "shell/FirstPaintReport.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::FramelessWindowHint);
    window.setWindowTitle(QStringLiteral("MEDIA"));
    window.setFixedSize(800, 600);
    window.setAutoFillBackground(true);
    QPalette black = window.palette();
    black.setColor(QPalette::Window, Qt::black);
    window.setPalette(black);
    new FirstPaintReport(&window, nullptr);
    window.move(QGuiApplication::primaryScreen()->geometry().topLeft());
    window.show();
    return app.exec();
}
