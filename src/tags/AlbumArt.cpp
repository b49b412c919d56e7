#include "tags/AlbumArt.h"

#include "platform/FileNames.h"
#include "tags/PictureLoader.h"

#include <QHash>
#include <algorithm>

namespace {

// The first candidates are named after the track, one for each extension.
constexpr qsizetype kOwnCandidates = 4;
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
        if (FileNames::isFile(path))
            return path;
        const qsizetype slash = path.lastIndexOf(u'/');
        const QString folder = path.left(slash + 1);
        const QString fileName = path.mid(slash + 1);
        auto listing = m_listings.find(folder);
        if (listing == m_listings.end())
            listing = m_listings.insert(folder, FileNames::entries(folder.isEmpty() ? QStringLiteral(".") : folder));
        for (const FileNames::Entry& entry : *listing) {
            if (!entry.folder && entry.name.compare(fileName, Qt::CaseInsensitive) == 0)
                return folder + entry.name;
        }
        return {};
    }

    QString firstExisting(const QStringList& paths)
    {
        for (const QString& path : paths) {
            if (const QString found = existingFile(path); !found.isEmpty())
                return found;
        }
        return {};
    }

private:
    QHash<QString, QList<FileNames::Entry>> m_listings;
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
    return CaseInsensitiveFolders().firstExisting(candidates(mediaPath, programFolder));
}

QImage AlbumArt::picture(const QString& mediaPath, const QString& programFolder, const QByteArray& embeddedCover,
                         const QSize& box)
{
    const QStringList all = candidates(mediaPath, programFolder);
    CaseInsensitiveFolders folders;
    if (const QString own = folders.firstExisting(all.first(kOwnCandidates)); !own.isEmpty())
        return PictureLoader::load(own, box);
    if (!embeddedCover.isEmpty())
        return PictureLoader::decode(embeddedCover, box);
    if (const QString shared = folders.firstExisting(all.sliced(kOwnCandidates)); !shared.isEmpty())
        return PictureLoader::load(shared, box);
    return {};
}
