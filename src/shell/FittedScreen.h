#pragma once
// The start of a program whose interface is fitted to the panel (config.ini's FitToScreen):
// Qt is told the scale before the application object exists, and the main window is shown
// centred on the screen with black around it.
#include <QWidget>
#include <memory>
#include <optional>

class QScreen;

namespace FittedScreen {

// Run before the application object is made. When the data folder's config.ini asks for it
// and the primary screen can hold the interface, returns the scale at which the interface
// fills the screen in one direction: the screen size check is then passed. At scales of 1
// and above Qt's own scale factor is set to it.
std::optional<double> prepare();

// Shows `mainWindow` centred on `screen`, at `scale` when it is below 1; returns the window
// around it when it does not fill the screen: black, or the view that draws it scaled (it
// lives as long as the main window).
std::unique_ptr<QWidget> show(QWidget& mainWindow, const QScreen& screen, std::optional<double> scale);

} // namespace FittedScreen
