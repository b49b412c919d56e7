#pragma once
// A generated drive for the NMEA feeder: one fix a second as a GPS receiver sends it,
// parked, pulling away, a full circle through every heading, then up through the fast and
// very fast speed bands and back to a stop, with the odd damaged or foreign line in it.
#include <QByteArray>

namespace DemoDrive {

// The drive as NMEA 0183 text, one sentence a line, CR LF after each.
QByteArray nmeaText();

} // namespace DemoDrive
