#include "playlists/MediaFolder.h"

#include "platform/FileNames.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>
#include <algorithm>

namespace MediaFolder {

const QStringList Patterns = {
    QStringLiteral("*.mp3"), QStringLiteral("*.mid"), QStringLiteral("*.wav"), QStringLiteral("*.wma"),
    QStringLiteral("*.cda"), QStringLiteral("*.mp4"), QStringLiteral("*.aac"), QStringLiteral("*.au"),
    QStringLiteral("*.ogg"), QStringLiteral("*.raw"), QStringLiteral("*.vox"),
    QStringLiteral("*.flac"), QStringLiteral("*.m4a"), QStringLiteral("*.opus"), QStringLiteral("*.mkv"),
    QStringLiteral("*.webm"), QStringLiteral("*.avi"), QStringLiteral("*.mov"), QStringLiteral("*.m3u"),
    QStringLiteral("*.m3u8"),
};

bool isMediaFileName(const QString& name)
{
    // Every pattern is "*" followed by an extension.
    return std::any_of(Patterns.cbegin(), Patterns.cend(), [&name](const QString& pattern) {
        return name.endsWith(QStringView(pattern).sliced(1), Qt::CaseInsensitive);
    });
}

void sortAlphabetically(QStringList& names)
{
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int caseless = QString::compare(a, b, Qt::CaseInsensitive);
        return caseless != 0 ? caseless < 0 : a < b;
    });
}

namespace {

// The names of the not hidden files (or folders) of `folder` that `wanted` accepts, sorted.
template <typename Wanted>
QStringList entryNames(const QString& folder, bool folders, Wanted wanted)
{
    QStringList names;
    for (const FileNames::Entry& entry : FileNames::entries(folder)) {
        if (entry.folder == folders && !entry.hidden && wanted(entry.name))
            names.append(entry.name);
    }
    sortAlphabetically(names);
    return names;
}

} // namespace

QStringList mediaFiles(const QString& folder)
{
    return entryNames(folder, false, isMediaFileName);
}

QStringList subfolders(const QString& folder)
{
    return entryNames(folder, true, [](const QString&) { return true; });
}

QString folderPath(const QString& path)
{
    return QDir::cleanPath(QDir(path).absolutePath());
}

QStringList pathFromRoot(const QString& folder)
{
    QStringList folders{QStringLiteral("/")};
    QString path;
    for (const QString& part : folder.split(u'/', Qt::SkipEmptyParts)) {
        path += u'/' + part;
        folders.append(path);
    }
    return folders;
}

QString filePath(const QString& folder, const QString& name)
{
    return folder + u'/' + name;
}

namespace {

Drive driveFor(const QStorageInfo& volume)
{
    const QString label = volume.name();
    return {volume.rootPath(),
            label.isEmpty() ? volume.rootPath() : volume.rootPath() + QStringLiteral(" [") + label.toUpper() + u']'};
}

} // namespace

QList<Drive> drives()
{
    QList<Drive> volumes;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        const bool onDevice = volume.device().startsWith("/dev/");
        const bool known = std::any_of(volumes.cbegin(), volumes.cend(),
                                       [&root](const Drive& drive) { return drive.rootPath == root; });
        // Files bind-mounted into place are no drives.
        if (root != QStringLiteral("/") && onDevice && volume.isReady() && !known && QFileInfo(root).isDir())
            volumes.append(driveFor(volume));
    }
    std::sort(volumes.begin(), volumes.end(),
              [](const Drive& a, const Drive& b) { return a.rootPath < b.rootPath; });
    volumes.prepend(driveFor(QStorageInfo::root()));
    return volumes;
}

int driveOf(const QList<Drive>& drives, const QString& folder)
{
    int best = -1;
    for (int i = 0; i < drives.size(); ++i) {
        const QString& root = drives[i].rootPath;
        const bool holds = folder == root || folder.startsWith(root.endsWith(u'/') ? root : root + u'/');
        if (holds && (best < 0 || root.size() > drives[best].rootPath.size()))
            best = i;
    }
    return best;
}

} // namespace MediaFolder
