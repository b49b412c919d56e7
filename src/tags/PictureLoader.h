#pragma once
// Decodes album-art pictures (JPEG, PNG, GIF and BMP) with Qt's readers, told apart by
// their content rather than their file name; a file cut short is refused before it is
// decoded.
#include <QImage>
#include <QSize>
#include <QString>

namespace PictureLoader {

// Larger files are not pictures worth decoding.
constexpr qint64 MaxFileBytes = 64 * 1024 * 1024;

// The picture in `path`, stretched to exactly `box` when `box` is valid, else at its own
// size. A large JPEG is decoded at a reduced scale no smaller than `box`. A missing,
// unknown, corrupt or truncated picture gives a null image.
QImage load(const QString& path, const QSize& box = {});
// The same for a picture held in memory (a cover embedded in a media file).
QImage decode(const QByteArray& data, const QSize& box = {});

} // namespace PictureLoader
