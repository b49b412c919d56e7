#pragma once
// The start of a program whose interface is fitted to the panel (config.ini's FitToScreen):
// Qt is told the scale before the application object exists, and the main window is shown
// centred on the screen with black around it.
#include <QWidget>
#include <memory>

class QScreen;

namespace FittedScreen {

// Run before the application object is made. When the data folder's config.ini asks for it
// and the primary screen can hold the interface, sets Qt's scale factor so that the
// interface fills the screen in one direction, and returns true: the screen size check is
// then passed.
bool prepare();

// Shows `mainWindow` centred on `screen`; returns the black window around it when it does
// not fill the screen (it lives as long as the main window).
std::unique_ptr<QWidget> show(QWidget& mainWindow, const QScreen& screen);

} // namespace FittedScreen
