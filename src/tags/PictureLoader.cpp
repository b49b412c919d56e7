#include "tags/PictureLoader.h"

#include "platform/FileNames.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QtEndian>
#include <csetjmp>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

// libjpeg's header needs size_t and FILE declared first.
#include <jpeglib.h>
#include <png.h>

// libjpeg and libpng report errors by longjmp back into the decode functions below. Those
// functions therefore keep no local object with a destructor: what they fill lives in the
// caller.

namespace {

// Bound the memory of one decoded picture (4 bytes a pixel).
constexpr qint64 kMaxSide = 16384;
constexpr qint64 kMaxPixels = 40'000'000;
constexpr long kMaxJpegWorkingBytes = 256L * 1024 * 1024;

bool tooLarge(qint64 width, qint64 height)
{
    return width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide || width * height > kMaxPixels;
}

// --- JPEG -------------------------------------------------------------------------------

struct JpegErrors {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

[[noreturn]] void jpegErrorExit(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->jump, 1);
}

// A negative level is a warning about corrupt data (a truncated file is one): the picture
// would come out partly grey, so it fails, and at once, rather than after decoding the
// rest of what may claim to be a huge picture from a few bytes.
void jpegEmitMessage(j_common_ptr info, int level)
{
    if (level < 0)
        jpegErrorExit(info);
}

void jpegOutputMessage(j_common_ptr) {}

// The largest DCT reduction (1/1 .. 1/8) that still gives at least `box`.
unsigned int jpegScaleDenominator(const jpeg_decompress_struct& info, const QSize& box)
{
    if (!box.isValid())
        return 1;
    unsigned int denominator = 8;
    while (denominator > 1
           && (info.image_width / denominator < unsigned(box.width())
               || info.image_height / denominator < unsigned(box.height())))
        denominator /= 2;
    return denominator;
}

// Adobe's CMYK JPEGs store the inks inverted; decoded in place, 4 bytes a pixel both ways.
void cmykRowToRgb(uchar* row, int width)
{
    auto* pixel = reinterpret_cast<QRgb*>(row);
    for (int x = 0; x < width; ++x) {
        const uchar* cmyk = row + 4 * x;
        const int k = cmyk[3];
        pixel[x] = qRgb(cmyk[0] * k / 255, cmyk[1] * k / 255, cmyk[2] * k / 255);
    }
}

bool decodeJpeg(const QByteArray& data, const QSize& box, QImage* image)
{
    jpeg_decompress_struct info;
    JpegErrors errors;
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = jpegErrorExit;
    errors.manager.emit_message = jpegEmitMessage;
    errors.manager.output_message = jpegOutputMessage;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    // A progressive picture keeps every coefficient of the full-size picture however small
    // it is decoded; past this libjpeg gives up instead of taking the car PC's memory.
    info.mem->max_memory_to_use = kMaxJpegWorkingBytes;
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(data.constData()), data.size());
    jpeg_read_header(&info, TRUE);
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    info.scale_num = 1;
    info.scale_denom = jpegScaleDenominator(info, box);
    jpeg_calc_output_dimensions(&info);
    if (tooLarge(info.output_width, info.output_height)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    *image = QImage(int(info.output_width), int(info.output_height),
                    cmyk ? QImage::Format_RGB32 : QImage::Format_RGB888);
    if (image->isNull()) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_start_decompress(&info);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image->scanLine(int(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
        if (cmyk)
            cmykRowToRgb(row, image->width());
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

// --- PNG --------------------------------------------------------------------------------

struct PngSource {
    const QByteArray* data;
    qsizetype offset;
};

void pngRead(png_structp png, png_bytep out, size_t length)
{
    auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
    if (qsizetype(length) > source->data->size() - source->offset)
        png_error(png, "truncated");
    std::memcpy(out, source->data->constData() + source->offset, length);
    source->offset += qsizetype(length);
}

[[noreturn]] void pngError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void pngWarning(png_structp, png_const_charp) {}

bool decodePng(const QByteArray& data, QImage* image, std::vector<png_bytep>* rows)
{
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, pngError, pngWarning);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    PngSource source{&data, 0};
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, &source, pngRead);
    png_read_info(png, info);
    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    if (tooLarge(width, height)) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }

    // Whatever the file holds comes out as 8-bit RGBA.
    const int colourType = png_get_color_type(png, info);
    png_set_strip_16(png);
    png_set_expand(png);
    if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);

    *image = QImage(int(width), int(height), QImage::Format_RGBA8888);
    if (image->isNull() || png_get_rowbytes(png, info) != size_t(image->bytesPerLine())) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    rows->resize(height);
    for (png_uint_32 y = 0; y < height; ++y)
        (*rows)[y] = image->scanLine(int(y));
    png_read_image(png, rows->data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

// --- GIF and BMP ------------------------------------------------------------------------
// Qt's readers return what they got from a file that is cut short, so completeness is
// checked here.

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

QImage decodeWithQt(const QByteArray& data, const char* format)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    const QSize size = reader.size();
    if (tooLarge(size.width(), size.height()))
        return {};
    return reader.read();
}

// ----------------------------------------------------------------------------------------

QImage decodeBytes(const QByteArray& data, const QSize& box)
{
    QImage image;
    if (data.startsWith("\xFF\xD8")) {
        if (!decodeJpeg(data, box, &image))
            return {};
    } else if (data.startsWith("\x89PNG\r\n\x1A\n")) {
        std::vector<png_bytep> rows;
        if (!decodePng(data, &image, &rows))
            return {};
    } else if (data.startsWith("GIF87a") || data.startsWith("GIF89a")) {
        if (gifComplete(data))
            image = decodeWithQt(data, "gif");
    } else if (data.startsWith("BM")) {
        if (bmpComplete(data))
            image = decodeWithQt(data, "bmp");
    }
    return image;
}

} // namespace

QImage PictureLoader::load(const QString& path, const QSize& box)
{
    QFile file;
    if (!FileNames::openForReading(file, path) || file.size() > MaxFileBytes)
        return {};
    return decode(file.read(MaxFileBytes), box);
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
