#pragma once
// How SerialPorts::offeredNames finds the serial devices present, with the device
// folder as a parameter so that it can be tried on a folder of stand-in files.
#include <QString>
#include <QStringList>

namespace SerialPorts {
// DEVROOT/ttyUSB*, DEVROOT/ttyACM*, DEVROOT/rfcomm* (Bluetooth serial links) and
// DEVROOT/serial/by-id/* that exist, as full paths: ttyUSB devices first, then ttyACM,
// then rfcomm, then the by-id links, each group in natural order (ttyUSB2 before
// ttyUSB10), each path once.
QStringList devicesUnder(const QString& devRoot);
}
