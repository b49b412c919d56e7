#pragma once
// What the media file browser shows of the file system: the drives (mounted volumes),
// the folders on the way from the root to a folder, its subfolders and its media files.
// A folder that cannot be read, or is gone, simply has no entries.
#include <QList>
#include <QString>
#include <QStringList>

namespace MediaFolder {

// The name patterns of media files ("*.mp3" ...), matched without regard to case.
extern const QStringList Patterns;
bool isMediaFileName(const QString& name);

// Sorts folder entry names as a person reads them: letter case aside, then by case so
// the order is always the same.
void sortAlphabetically(QStringList& names);

// The ordinary, not hidden files of `folder` whose names match a pattern, sorted. Names
// that are not UTF-8 are kept as FileNames holds them.
QStringList mediaFiles(const QString& folder);
// The not hidden subfolders of `folder`, sorted.
QStringList subfolders(const QString& folder);

// `path` made absolute and clean: "/" for the root, no separator at the end otherwise.
QString folderPath(const QString& path);
// The folders from the root down to `folder` itself ("/", "/home", "/home/car").
QStringList pathFromRoot(const QString& folder);
// `folder`, a separator and `name`, whatever the folder ends with: a file in the root is
// "//name", and is played and stored so.
QString filePath(const QString& folder, const QString& name);

struct Drive {
    QString rootPath;
    // The mount point, and the volume's label in capitals when it has one.
    QString caption;
};
// The root, then the other mounted volumes of block devices, by mount point.
QList<Drive> drives();
// The index in `drives` of the one that holds `folder`: the longest mount point on its
// path; -1 when none is.
int driveOf(const QList<Drive>& drives, const QString& folder);

} // namespace MediaFolder
