#include "home/GpsReports.h"

#include <cmath>

namespace {

// The sentence for a display that shows no movement, if it does.
std::optional<QString> notMoving(const ShownGps& shown)
{
    if (shown.offline)
        return QStringLiteral("No G P S information available.");
    if (shown.stationary)
        return QStringLiteral("You are stationary.");
    return std::nullopt;
}

// The number on an LED display cut to a whole number toward zero: "045.90" -> "45".
QString wholeNumber(const QString& ledText)
{
    return QString::number(std::trunc(ledText.toDouble()), 'f', 0);
}

QString speedPart(const ShownGps& shown)
{
    return QStringLiteral("Speed. ") + wholeNumber(shown.speedLed)
        + (shown.unit ? speedUnitInfo(*shown.unit).reportPhrase : QString());
}

QString headingPart(const ShownGps& shown)
{
    return QStringLiteral("Direction. ") + wholeNumber(shown.compassLed) + QStringLiteral(" degrees.");
}

} // namespace

namespace GpsReports {

QString speed(const ShownGps& shown)
{
    return notMoving(shown).value_or(speedPart(shown));
}

QString heading(const ShownGps& shown)
{
    return notMoving(shown).value_or(headingPart(shown));
}

QString full(const ShownGps& shown)
{
    return notMoving(shown).value_or(speedPart(shown) + QStringLiteral(". ") + headingPart(shown));
}

} // namespace GpsReports
