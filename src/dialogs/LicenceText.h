#pragma once
// The licence as the About box shows it: the file is wrapped at a fixed width of its own,
// and the box wraps at its own width, so each paragraph is put back on one line for the
// box to wrap as one. Short lines (a title, a copyright line) keep their breaks.
#include <QString>
#include <QStringList>

namespace LicenceText {

QString forDisplay(const QStringList& lines);

} // namespace LicenceText
