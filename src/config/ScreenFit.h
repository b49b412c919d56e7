#pragma once
// Fitting the 800 x 600 interface to a panel of another size: with FitToScreen on, the
// whole interface is drawn at one scale, the largest at which it fits the screen, and
// centred on it.
#include "config/SettingsStore.h"

#include <QSize>
#include <optional>

namespace Key {
inline const QString FitToScreen = QStringLiteral("FitToScreen");
}

namespace ScreenFit {

inline constexpr QSize InterfaceSize(800, 600);

// Whether `settings` ask for the interface to be fitted to the screen.
bool wanted(const SettingsStore& settings);

// The scale at which the interface fills `screen` in one direction and fits in the other;
// nothing when the screen is exactly the interface's size (nothing to fit) or smaller than
// 640 x 480.
std::optional<double> scaleFor(QSize screen);

} // namespace ScreenFit
