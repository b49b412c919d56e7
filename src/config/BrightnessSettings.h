#pragma once
// The backlight's brightness by day and by night, in percent of full. Start-up writes
// neither: where they are missing Karvex never touches the backlight, as it always did.
#include <QString>

#include <optional>

namespace Key {
inline const QString DayBrightness = QStringLiteral("DayBrightness");
inline const QString NightBrightness = QStringLiteral("NightBrightness");
}

namespace Brightness {
// A brightness value: a whole percent from 1 to 100. Anything else (missing, 0, text)
// is nullopt: leave the backlight as it is.
std::optional<int> percentOf(const QString& value);
// The value of the setting's line for PERCENT: its digits, or "" (no line) for nullopt.
QString textOf(std::optional<int> percent);
// Where a tap on a brightness button goes from PERCENT: the next step down from full
// (100, 80, 60, 40, 30, 20, 10, 5), after the lowest step nullopt, and from there full.
std::optional<int> nextStep(std::optional<int> percent);
}
