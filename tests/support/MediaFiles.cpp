#include "support/MediaFiles.h"

#include <QBuffer>
#include <QDataStream>
#include <QImage>

namespace MediaFiles {

QByteArray wave(int ms)
{
    constexpr int rate = 8000;
    const int samples = rate * ms / 1000;
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + samples * 2);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << quint32(rate) << quint32(rate * 2) << quint16(2)
        << quint16(16);
    out.writeRawData("data", 4);
    out << quint32(samples * 2);
    for (int i = 0; i < samples; ++i)
        out << qint16((i / 10) % 2 ? 500 : -500);
    return bytes;
}

QByteArray tagged(const QByteArray& audio, const Tag& tag)
{
    const auto field = [](const QByteArray& text, int length) { return text.left(length).leftJustified(length, '\0'); };
    return audio + "TAG" + field(tag.title, 30) + field(tag.artist, 30) + field(tag.album, 30) + field(tag.year, 4)
        + field(tag.comment, 30) + char(tag.genre);
}

QByteArray picture(const QColor& colour, const char* format)
{
    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

} // namespace MediaFiles
