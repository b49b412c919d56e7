#pragma once
// The demo's media folder: short tracks in MP3 and OGG with ID3v1 tags, a picture named
// after one track, the folder's "albumart" picture and a video clip. The sound and the
// pictures are made here; ffmpeg only encodes them.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace DemoMedia {

// An ID3v1 tag (version 1.1, with the track number).
struct Tag {
    QString title;
    QString artist;
    QString album;
    QString year;
    QString comment;
    QString genre; // a name from the standard genre table
    int track;
};

// The 128-byte "TAG" block for the end of a file, texts in Windows-1252; empty when the
// genre is not in the table.
QByteArray id3v1Block(const Tag& tag);

// Writes every media file and picture into `folder` (which must exist) and returns the
// media files' names in playlist order; on failure `error` says why and the list is empty.
QStringList write(const QString& folder, QString& error);

} // namespace DemoMedia
