#pragma once
// Media files for the screen tests, built byte by byte.
#include <QByteArray>
#include <QColor>
#include <QString>

namespace MediaFiles {

struct Tag {
    QByteArray title;
    QByteArray artist;
    QByteArray album;
    QByteArray year;
    QByteArray comment;
    int genre = 255;
};

// A mono 16-bit PCM wave of a quiet tone, `ms` long.
QByteArray wave(int ms);
// `audio` followed by an ID3v1 block holding `tag`.
QByteArray tagged(const QByteArray& audio, const Tag& tag);
// A picture of one colour, encoded in `format` ("PNG", "JPG", "BMP", "GIF").
QByteArray picture(const QColor& colour, const char* format);

} // namespace MediaFiles
