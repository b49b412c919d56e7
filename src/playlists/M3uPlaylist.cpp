#include "playlists/M3uPlaylist.h"

#include "platform/FileNames.h"
#include "platform/TextFile.h"
#include "playlists/MediaFolder.h"

#include <QDir>
#include <QFile>
#include <algorithm>

namespace M3uPlaylist {

namespace {

bool hasScheme(const QString& line)
{
    const qsizetype colon = line.indexOf(QLatin1String("://"));
    return colon > 1 && std::all_of(line.cbegin(), line.cbegin() + colon, [](QChar c) { return c.isLetter(); });
}

// The path a line means. Its bytes are usually the file name's own (UTF-8, or whatever the
// stick holds); a Windows player writes its code page instead, so when the bytes name no
// file but their Windows-1252 reading does, that reading is taken.
QString resolved(const QByteArray& line, const QString& folder)
{
    QStringList readings{FileNames::fromBytes(line), TextFile::fromWindows1252(line)};
    for (QString& path : readings) {
        // A Windows player separates folders with backslashes.
        if (!path.contains(u'/') && path.contains(u'\\') && !(path.size() > 1 && path[1] == u':'))
            path.replace(u'\\', u'/');
        if (!path.startsWith(u'/') && !hasScheme(path))
            path = MediaFolder::filePath(folder, path);
    }
    if (!FileNames::exists(readings[0]) && FileNames::exists(readings[1]))
        return readings[1];
    return readings[0];
}

} // namespace

bool isM3uName(const QString& name)
{
    return name.endsWith(QLatin1String(".m3u"), Qt::CaseInsensitive)
        || name.endsWith(QLatin1String(".m3u8"), Qt::CaseInsensitive);
}

QStringList entriesOf(const QByteArray& bytes, const QString& folder)
{
    QByteArray text = bytes.startsWith("\xEF\xBB\xBF") ? bytes.sliced(3) : bytes;
    // Lines end at CR LF, LF or a lone CR.
    text.replace('\r', '\n');
    QStringList result;
    for (const QByteArray& rawLine : text.split('\n')) {
        const QByteArray line = rawLine.trimmed();
        if (!line.isEmpty() && !line.startsWith('#'))
            result.append(resolved(line, folder));
    }
    return result;
}

QStringList entries(const QString& path)
{
    QFile file;
    if (!FileNames::openForReading(file, path) || file.size() > MaxBytes)
        return {};
    return entriesOf(file.read(MaxBytes), path.left(path.lastIndexOf(u'/')));
}

} // namespace M3uPlaylist
