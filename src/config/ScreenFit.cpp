#include "config/ScreenFit.h"

#include <algorithm>

namespace ScreenFit {

namespace {

// The smallest screen fitted is 640 x 480: below that texts are too small to read at arm's
// length.
constexpr double SmallestScale = 0.8;

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
