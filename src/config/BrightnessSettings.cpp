#include "config/BrightnessSettings.h"

#include <algorithm>
#include <iterator>

namespace Brightness {

namespace {
constexpr int Steps[] = {100, 80, 60, 40, 30, 20, 10, 5};
}

std::optional<int> percentOf(const QString& value)
{
    bool ok = false;
    const int percent = value.toInt(&ok);
    return ok && percent >= 1 && percent <= 100 ? std::optional<int>(percent) : std::nullopt;
}

QString textOf(std::optional<int> percent)
{
    return percent ? QString::number(*percent) : QString();
}

std::optional<int> nextStep(std::optional<int> percent)
{
    if (!percent)
        return Steps[0];
    const auto below = std::find_if(std::begin(Steps), std::end(Steps), [&](int step) { return step < *percent; });
    return below != std::end(Steps) ? std::optional<int>(*below) : std::nullopt;
}

} // namespace Brightness
