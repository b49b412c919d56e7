#pragma once
// The tags of media files that carry no ID3v1 block — ID3v2, Vorbis comments (OGG, Opus,
// FLAC), MP4 atoms, ASF (WMA), APE — and the cover pictures embedded in them, read with
// TagLib. Only the tags are read, never the audio, and never more than 16 MB of a file in
// at most 1024 reads, so a long video or a damaged file costs little more than a song;
// what is not a regular file is not opened, and a Windows Media file whose header does not
// hold together (AsfHeader) reads as untagged.
#include <QByteArray>
#include <QString>
#include <optional>

namespace TagLibReader {

// The six texts as the file's tag gives them, trimmed like ID3v1 texts; empty for what the
// tag lacks. A numeric ID3v2 genre ("17", "(17)") is named from the ID3v1 genre table.
struct Texts {
    QString album, artist, comment, genre, title, year;
};
struct Contents {
    // nullopt when the file has no tag TagLib can read.
    std::optional<Texts> texts;
    // The bytes of the picture embedded in the file: its front cover, else its first
    // picture; empty when it has none.
    QByteArray cover;
};
Contents read(const QString& path);

} // namespace TagLibReader
