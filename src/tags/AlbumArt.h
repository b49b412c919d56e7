#pragma once
// Where a track's album art is looked for.
#include <QByteArray>
#include <QImage>
#include <QSize>
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

// The track's picture, decoded to `box` by PictureLoader: a candidate with the track's own
// name, else `embeddedCover` (TID3::Cover), else the albumart candidates. A null image
// when there is none, or when the first one found cannot be decoded.
QImage picture(const QString& mediaPath, const QString& programFolder, const QByteArray& embeddedCover,
               const QSize& box);

} // namespace AlbumArt
