#include "config/ScreenFit.h"

#include <algorithm>

namespace ScreenFit {

namespace {

// Qt's widgets are drawn whole only at scales of 1 and above: below 1 each control's
// picture lands at its unscaled place and is cut off, so a smaller panel is not fitted.
constexpr double SmallestScale = 1.0;

} // namespace

bool wanted(const SettingsStore& settings)
{
    return SettingText::isOn(settings.value(Key::FitToScreen));
}

std::optional<double> scaleFor(QSize screen)
{
    if (screen == InterfaceSize)
        return std::nullopt;
    const double scale = std::min(double(screen.width()) / InterfaceSize.width(),
                                  double(screen.height()) / InterfaceSize.height());
    if (scale < SmallestScale)
        return std::nullopt;
    return scale;
}

} // namespace ScreenFit
