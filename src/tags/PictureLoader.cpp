#include "tags/PictureLoader.h"

#include "platform/FileNames.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QtEndian>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

// Bound the memory of one decoded picture (4 bytes a pixel). The pixel bound also bounds
// what libjpeg keeps of a progressive JPEG (every coefficient of the full picture).
constexpr qint64 kMaxSide = 16384;
constexpr qint64 kMaxPixels = 40'000'000;
// What Qt's readers may allocate for one picture: the largest allowed, 4 bytes a pixel.
constexpr int kMaxAllocationMegabytes = int(kMaxPixels * 4 / (1024 * 1024)) + 1;

bool tooLarge(qint64 width, qint64 height)
{
    return width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide || width * height > kMaxPixels;
}

// Qt's readers return what they got from a file that is cut short (the rest painted grey
// or transparent), so completeness is checked here first.

// A JPEG holds its segments one after the other from the start-of-image marker to the
// end-of-image marker; a segment's length covers it (an Exif thumbnail inside included),
// and the coded data after a start of scan runs to the next marker that is not a restart
// or a stuffed 0xFF.
bool jpegComplete(const QByteArray& data)
{
    const auto* bytes = reinterpret_cast<const uchar*>(data.constData());
    const qsizetype size = data.size();
    qsizetype at = 2; // after the start-of-image marker
    while (at + 1 < size) {
        if (bytes[at] != 0xFF)
            return false;
        const uchar marker = bytes[at + 1];
        if (marker == 0xFF) { // fill byte
            ++at;
            continue;
        }
        if (marker == 0xD9) // end of image
            return true;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) { // no length
            at += 2;
            continue;
        }
        if (at + 3 >= size)
            return false;
        const qsizetype length = bytes[at + 2] << 8 | bytes[at + 3];
        if (length < 2)
            return false;
        at += 2 + length;
        if (marker != 0xDA) // start of scan
            continue;
        while (at < size) {
            const auto* ff = static_cast<const uchar*>(std::memchr(bytes + at, 0xFF, size_t(size - at)));
            if (!ff || ff + 1 >= bytes + size)
                return false;
            at = ff - bytes;
            const uchar next = ff[1];
            if (next != 0x00 && !(next >= 0xD0 && next <= 0xD7))
                break;
            at += 2;
        }
    }
    return false;
}

// A PNG ends with its IEND chunk (length, type, CRC).
bool pngComplete(const QByteArray& data)
{
    return data.size() > 8 + 12 && data.indexOf("IEND", 8) >= 0;
}

// A GIF ends with its trailer byte, and Qt paints every frame onto a canvas of the size
// its header gives, so that size must be one we accept.
bool gifComplete(const QByteArray& data)
{
    if (data.size() < 10 || !data.endsWith(';'))
        return false;
    const auto* bytes = reinterpret_cast<const uchar*>(data.constData());
    return !tooLarge(qFromLittleEndian<quint16>(bytes + 6), qFromLittleEndian<quint16>(bytes + 8));
}

// An uncompressed BMP holds every row its header announces. Run-length coded ones vary in
// size and are left to Qt.
bool bmpComplete(const QByteArray& data)
{
    const auto* bytes = reinterpret_cast<const uchar*>(data.constData());
    if (data.size() < 26)
        return false;
    const qint64 pixelsAt = qFromLittleEndian<quint32>(bytes + 10);
    const quint32 headerSize = qFromLittleEndian<quint32>(bytes + 14);
    qint64 width = 0;
    qint64 height = 0;
    int bitsPerPixel = 0;
    if (headerSize == 12) {
        width = qFromLittleEndian<quint16>(bytes + 18);
        height = qFromLittleEndian<quint16>(bytes + 20);
        bitsPerPixel = qFromLittleEndian<quint16>(bytes + 24);
    } else {
        if (data.size() < 34)
            return false;
        constexpr quint32 uncompressed = 0;
        constexpr quint32 bitFields = 3;
        const quint32 compression = qFromLittleEndian<quint32>(bytes + 30);
        if (compression != uncompressed && compression != bitFields)
            return true;
        width = std::abs(qint64(qFromLittleEndian<qint32>(bytes + 18)));
        height = std::abs(qint64(qFromLittleEndian<qint32>(bytes + 22)));
        bitsPerPixel = qFromLittleEndian<quint16>(bytes + 28);
    }
    if (tooLarge(width, height) || bitsPerPixel <= 0 || bitsPerPixel > 64)
        return false;
    const qint64 rowBytes = (width * bitsPerPixel + 31) / 32 * 4;
    return pixelsAt + rowBytes * height <= data.size();
}

QImage decodeWithQt(const QByteArray& data, const char* format, const QSize& box)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAllocationLimit(kMaxAllocationMegabytes);
    const QSize size = reader.size();
    if (tooLarge(size.width(), size.height()))
        return {};
    // Qt's JPEG reader decodes straight to a fraction of the size (libjpeg's DCT
    // scaling) no smaller than the box, then scales that; the others decode, then scale.
    if (box.isValid())
        reader.setScaledSize(box);
    return reader.read();
}

QImage decodeBytes(const QByteArray& data, const QSize& box)
{
    if (data.startsWith("\xFF\xD8"))
        return jpegComplete(data) ? decodeWithQt(data, "jpeg", box) : QImage();
    if (data.startsWith("\x89PNG\r\n\x1A\n"))
        return pngComplete(data) ? decodeWithQt(data, "png", box) : QImage();
    if (data.startsWith("GIF87a") || data.startsWith("GIF89a"))
        return gifComplete(data) ? decodeWithQt(data, "gif", box) : QImage();
    if (data.startsWith("BM"))
        return bmpComplete(data) ? decodeWithQt(data, "bmp", box) : QImage();
    return {};
}

} // namespace

QImage PictureLoader::load(const QString& path, const QSize& box)
{
    QFile file;
    if (!FileNames::openForReading(file, path) || file.size() > MaxFileBytes)
        return {};
    // Read what the file holds: a read of the largest size allowed would first allocate it.
    return decode(file.read(file.size()), box);
}

QImage PictureLoader::decode(const QByteArray& data, const QSize& box)
{
    if (data.size() > MaxFileBytes)
        return {};
    try {
        const QImage image = decodeBytes(data, box);
        if (image.isNull() || !box.isValid() || image.size() == box)
            return image;
        return image.scaled(box, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    } catch (const std::bad_alloc&) {
        return {};
    }
}
