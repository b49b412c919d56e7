#include "playback/ResumeState.h"

#include <QDir>

#include <algorithm>

namespace {

const QString Volume = QStringLiteral("Volume");
const QString PlaylistName = QStringLiteral("PlaylistName");
const QString Selected = QStringLiteral("Selected");
const QString Track = QStringLiteral("Track");
const QString Position = QStringLiteral("Position");
const QString Playing = QStringLiteral("Playing");
const QString Entry = QStringLiteral("Entry");

QString line(const QString& name, const QString& value)
{
    return name + u'=' + value;
}

int indexIn(const QString& value, qsizetype count)
{
    bool ok = false;
    const int index = value.toInt(&ok);
    return ok && index >= 0 && index < count ? index : -1;
}

} // namespace

QStringList ResumeState::toLines() const
{
    QStringList lines;
    if (volume)
        lines << line(Volume, QString::number(*volume));
    lines << line(PlaylistName, playlistName) << line(Selected, QString::number(selected))
          << line(Track, QString::number(track)) << line(Position, QString::number(positionMs))
          << line(Playing, playing ? QStringLiteral("TRUE") : QStringLiteral("FALSE"));
    for (const QString& entry : entries)
        lines << line(Entry, entry);
    return lines;
}

ResumeState ResumeState::fromLines(const QStringList& lines)
{
    ResumeState state;
    QString selected, track, position, playing, volume;
    for (const QString& text : lines) {
        const qsizetype equals = text.indexOf(u'=');
        if (equals < 0)
            continue;
        const QString name = text.left(equals);
        const QString value = text.mid(equals + 1);
        if (name == Entry) {
            state.entries << value;
        } else if (name == PlaylistName) {
            state.playlistName = value;
        } else if (name == Selected) {
            selected = value;
        } else if (name == Track) {
            track = value;
        } else if (name == Position) {
            position = value;
        } else if (name == Playing) {
            playing = value;
        } else if (name == Volume) {
            volume = value;
        }
    }
    // The indexes are read once every entry is known, whatever order the lines came in.
    state.selected = indexIn(selected, state.entries.size());
    state.track = indexIn(track, state.entries.size());
    if (state.track >= 0) {
        state.positionMs = std::max<qint64>(position.toLongLong(), 0);
        state.playing = playing.toUpper() == QLatin1String("TRUE");
    }
    bool ok = false;
    if (const uint level = volume.toUInt(&ok); ok && level <= 65535)
        state.volume = level;
    return state;
}

namespace ResumeFile {

QString path(const QString& dataFolder)
{
    return QDir(dataFolder).filePath(FileName);
}

bool enabled(const QString& settingValue)
{
    return settingValue.toUpper() != QLatin1String("FALSE");
}

} // namespace ResumeFile
