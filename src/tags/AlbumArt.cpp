#include "tags/AlbumArt.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <algorithm>

namespace {

const QStringList kExtensions = {QStringLiteral(".PNG"), QStringLiteral(".GIF"), QStringLiteral(".JPG"),
                                 QStringLiteral(".BMP")};

QString withSeparator(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

// Finds files by name ignoring case, listing each folder at most once.
class CaseInsensitiveFolders {
public:
    QString existingFile(const QString& path)
    {
        const QFileInfo info(path);
        if (info.isFile())
            return path;
        const QString folder = info.path();
        auto listing = m_listings.find(folder);
        if (listing == m_listings.end())
            listing = m_listings.insert(folder, QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name));
        for (const QString& name : *listing) {
            if (name.compare(info.fileName(), Qt::CaseInsensitive) == 0)
                return QDir(folder).filePath(name);
        }
        return {};
    }

private:
    QHash<QString, QStringList> m_listings;
};

} // namespace

QStringList AlbumArt::candidates(const QString& mediaPath, const QString& programFolder)
{
    const QString base = mediaPath.chopped(std::min<qsizetype>(4, mediaPath.size()));
    const QString folder = mediaPath.left(mediaPath.lastIndexOf(QLatin1Char('/')) + 1);
    const QStringList stems = {base, folder + QStringLiteral("albumart"),
                               withSeparator(programFolder) + QStringLiteral("albumart")};
    QStringList result;
    for (const QString& stem : stems) {
        for (const QString& extension : kExtensions)
            result << stem + extension;
    }
    return result;
}

QString AlbumArt::find(const QString& mediaPath, const QString& programFolder)
{
    CaseInsensitiveFolders folders;
    for (const QString& candidate : candidates(mediaPath, programFolder)) {
        const QString found = folders.existingFile(candidate);
        if (!found.isEmpty())
            return found;
    }
    return {};
}
