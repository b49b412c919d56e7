#pragma once
// Where a track's album art is looked for.
#include <QString>
#include <QStringList>

namespace AlbumArt {

// The picture files to try for the media file at `mediaPath`, in order: the track's own
// name with a picture extension in place of its last four characters, then "albumart" in
// the track's folder, then "albumart" in `programFolder`; each as PNG, GIF, JPG, BMP.
QStringList candidates(const QString& mediaPath, const QString& programFolder);

// The first candidate that exists as a file, its name matched without regard to letter
// case; empty when there is none.
QString find(const QString& mediaPath, const QString& programFolder);

} // namespace AlbumArt
