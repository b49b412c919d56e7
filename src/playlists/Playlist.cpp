#include "playlists/Playlist.h"

#include "platform/FileNames.h"

QString fileNamePart(const QString& path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

PlaylistEntry PlaylistEntry::forFile(const QString& path, const QColor& colour)
{
    QString display = FileNames::shown(fileNamePart(path));
    display.replace(QLatin1Char('_'), QLatin1Char(' '));
    return {display, path, colour};
}

const PlaylistEntry* Playlist::entryAt(int index) const
{
    return contains(index) ? &m_entries[index] : nullptr;
}

QStringList Playlist::paths() const
{
    QStringList result;
    result.reserve(count());
    for (const PlaylistEntry& entry : m_entries)
        result << entry.FilePath;
    return result;
}

void Playlist::setTextColor(int index, const QColor& colour)
{
    if (!contains(index) || m_entries[index].TextColor == colour)
        return;
    m_entries[index].TextColor = colour;
    emit entryColourChanged(index);
}

bool Playlist::storable(const QString& path)
{
    return !path.contains(u'\n') && !path.contains(u'\r');
}

bool Playlist::append(const QString& path)
{
    if (!storable(path))
        return false;
    m_entries.append(PlaylistEntry::forFile(path));
    emit entryInserted(count() - 1);
    return true;
}

void Playlist::replaceAll(const QList<PlaylistEntry>& entries)
{
    m_entries = entries;
    m_selected = -1;
    emit entriesReset();
    emit selectionChanged(m_selected);
}

void Playlist::clear()
{
    replaceAll({});
}

void Playlist::removeAt(int index)
{
    if (!contains(index))
        return;
    m_entries.removeAt(index);
    const int before = m_selected;
    if (m_selected == index)
        m_selected = -1;
    else if (m_selected > index)
        --m_selected;
    emit entryRemoved(index);
    if (m_selected != before)
        emit selectionChanged(m_selected);
}

void Playlist::move(int from, int to)
{
    if (!contains(from) || !contains(to) || from == to)
        return;
    m_entries.move(from, to);
    const int before = m_selected;
    if (m_selected == from)
        m_selected = to;
    else if (from < to && m_selected > from && m_selected <= to)
        --m_selected;
    else if (from > to && m_selected >= to && m_selected < from)
        ++m_selected;
    emit entryMoved(from, to);
    if (m_selected != before)
        emit selectionChanged(m_selected);
}

void Playlist::setSelectedIndex(int index)
{
    if (!contains(index))
        index = -1;
    if (index == m_selected)
        return;
    m_selected = index;
    emit selectionChanged(m_selected);
}

void Playlist::selectPrevious()
{
    if (m_selected == 0)
        setSelectedIndex(count() - 1);
    else if (m_selected > 0)
        setSelectedIndex(m_selected - 1);
}

void Playlist::selectNext()
{
    if (!isEmpty())
        setSelectedIndex((m_selected + 1) % count());
}
