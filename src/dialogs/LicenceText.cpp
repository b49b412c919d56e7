#include "dialogs/LicenceText.h"

namespace LicenceText {

namespace {

// Licences are wrapped at 70 to 80 characters: a line this long was broken by that wrapping.
constexpr qsizetype WrappedLine = 60;

} // namespace

QString forDisplay(const QStringList& lines)
{
    QString text;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        text += line;
        if (i + 1 == lines.size())
            break;
        const bool runsOn = line.size() >= WrappedLine && !lines[i + 1].trimmed().isEmpty();
        text += runsOn ? u' ' : u'\n';
    }
    return text;
}

} // namespace LicenceText
