#pragma once
// The settings of the GPS receiver's line and of the colours that follow the sun.
// Neither is written by start-up: a config.ini without them reads 4800 baud and fixed
// colours, as it always did.
#include <QString>
#include <QStringList>

#include <optional>

namespace Key {
inline const QString GPSBaud = QStringLiteral("GPSBaud");
inline const QString AutoDayNight = QStringLiteral("AutoDayNight");
}

namespace GpsBaud {
inline const QString Auto = QStringLiteral("AUTO");
constexpr int DefaultRate = 4800;
// The rates a receiver is tried at, in this order, under AUTO.
inline constexpr int Rates[] = {4800, 9600, 19200, 38400, 57600, 115200};
// What the Hardware tab offers: the rates, then AUTO.
QStringList offered();
// A GPSBaud value: one of the rates, or nullopt for AUTO (any letter case). Anything else
// (missing, empty, a rate the line cannot take) is the default rate.
std::optional<int> rateOf(const QString& value);
}
