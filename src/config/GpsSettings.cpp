#include "config/GpsSettings.h"

#include <algorithm>
#include <iterator>

namespace GpsBaud {

QStringList offered()
{
    QStringList names;
    for (const int rate : Rates)
        names << QString::number(rate);
    names << Auto;
    return names;
}

std::optional<int> rateOf(const QString& value)
{
    if (value.compare(Auto, Qt::CaseInsensitive) == 0)
        return std::nullopt;
    bool ok = false;
    const int rate = value.toInt(&ok);
    if (ok && std::find(std::begin(Rates), std::end(Rates), rate) != std::end(Rates))
        return rate;
    return DefaultRate;
}

} // namespace GpsBaud
