#pragma once
// The tag reader: the 128-byte ID3v1 block at the end of a media file, or, for a file
// without one, its other tags (TagLibReader), decoded into six texts, with a default text
// for every item the file does not provide; and the cover picture embedded in the file.
#include <QByteArray>
#include <QString>
#include <stdexcept>

// A tagged file that could be opened but not read to its end.
class TagReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TID3 {
public:
    // Size of the ID3v1 block and of the genre table.
    static constexpr int BlockSize = 128;
    static constexpr int GenreCount = 148;

    // Reads the tag of the file into the six results and fills what it lacks with the
    // defaults; an ID3v1 block wins over every other tag. Reads the embedded cover too.
    // Throws TagReadError when the file opened but reading failed; the results then keep
    // their previous values, and there is no cover.
    void ReadID3(const QString& path);
    // True when the file has an ID3v1 block and the results were set from it; otherwise
    // the results are left as they were. Throws TagReadError like ReadID3.
    bool ReadID3v1(const QString& path);
    // `all`: every result becomes its default; otherwise only the empty ones do.
    void ClearID3(bool all);

    // `text` without leading and trailing spaces and control characters, the way tag
    // texts are shown.
    static QString trimmed(const QString& text);
    // The genre table's name for `code`; codes past the table's end are "Other".
    static QString genreName(int code);

    const QString& Album() const { return m_album; }
    const QString& Artist() const { return m_artist; }
    const QString& Comment() const { return m_comment; }
    const QString& Genre() const { return m_genre; }
    const QString& Title() const { return m_title; }
    const QString& Year() const { return m_year; }
    // The picture embedded in the file last read, as encoded there; empty when it has none.
    const QByteArray& Cover() const { return m_cover; }

    QString NoAlbum = QStringLiteral("Unknown Album");
    QString NoArtist = QStringLiteral("Unknown Artist");
    QString NoComment = QStringLiteral("No Additional Information");
    QString NoGenre = QStringLiteral("No Genre");
    QString NoTitle = QStringLiteral("Unknown Title");
    QString NoYear = QStringLiteral("No Year");

private:
    QString m_album;
    QString m_artist;
    QString m_comment;
    QString m_genre;
    QString m_title;
    QString m_year;
    QByteArray m_cover;
};
