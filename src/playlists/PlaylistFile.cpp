#include "playlists/PlaylistFile.h"

#include "platform/FileNames.h"
#include "playlists/MediaFolder.h"

#include <QDir>
#include <algorithm>

namespace PlaylistFile {

QString folder(const QString& dataFolder)
{
    return QDir(dataFolder).filePath(FolderName);
}

QString path(const QString& dataFolder, const QString& name)
{
    return QDir(folder(dataFolder)).filePath(name + Extension);
}

QString trimmedName(const QString& typed)
{
    // QString::trimmed() knows other blanks but not every control character.
    const auto blankOrControl = [](QChar c) { return c.unicode() <= 0x20; };
    qsizetype first = 0;
    qsizetype end = typed.size();
    while (first < end && blankOrControl(typed[first]))
        ++first;
    while (end > first && blankOrControl(typed[end - 1]))
        --end;
    return typed.sliced(first, end - first);
}

NameCheck checkName(const QString& name)
{
    const auto unsafe = [](QChar c) { return c == u'/' || c == u'\\' || c.category() == QChar::Other_Control; };
    if (name.startsWith(u'.') || std::any_of(name.begin(), name.end(), unsafe))
        return NameCheck::Unsafe;
    if (name.size() < MinNameLength)
        return NameCheck::TooShort;
    if (name.size() > MaxNameLength)
        return NameCheck::TooLong;
    return NameCheck::Fits;
}

bool fileExists(const QString& path)
{
    return FileNames::exists(path) && !FileNames::isFolder(path);
}

QStringList listedNames(const QString& playlistFolder)
{
    // Hidden and read-only files count; a link could lead anywhere and is left out.
    QStringList names = QDir(playlistFolder)
                            .entryList({QLatin1Char('*') + Extension},
                                       QDir::Files | QDir::Hidden | QDir::NoSymLinks, QDir::Unsorted);
    MediaFolder::sortAlphabetically(names);
    for (QString& name : names) {
        // "ROCK.KPL" has no ".kpl" to take out and is listed whole.
        if (const qsizetype at = name.indexOf(Extension); at >= 0)
            name.remove(at, Extension.size());
    }
    return names;
}

QList<PlaylistEntry> entriesFor(const QStringList& lines)
{
    QList<PlaylistEntry> entries;
    entries.reserve(lines.size());
    for (const QString& line : lines)
        entries.append(PlaylistEntry::forFile(line, fileExists(line) ? EntryColour::Playable : EntryColour::Failed));
    return entries;
}

} // namespace PlaylistFile
