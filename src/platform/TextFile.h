#pragma once
// Reading and writing the program's line-oriented text files (config.ini, playlists,
// licence.txt).
//
// Reading: a byte-order mark of UTF-16 LE, UTF-16 BE or UTF-8 (tested in that order)
// decides the encoding, otherwise Windows-1252. A NUL character ends the text. Lines end
// at CR LF, a lone CR or a lone LF; a break at the very end makes no empty last line.
//
// Writing: every line followed by CR LF, in Windows-1252 without a mark, unless a line
// holds a character Windows-1252 cannot represent: then the whole file is UTF-8 with a
// byte-order mark, so nothing is turned into "?". The file is replaced atomically.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace TextFile {

QString decode(const QByteArray& bytes);
QStringList splitLines(const QString& text);
QByteArray encodeLines(const QStringList& lines);

// nullopt when the file cannot be read.
std::optional<QStringList> readLines(const QString& path);
// False when the file cannot be written; an existing file then stays as it was.
bool writeLines(const QString& path, const QStringList& lines);

// Windows-1252, the 8-bit code page of the car PC's files.
QString fromWindows1252(const QByteArray& bytes);
// nullopt when a character has no Windows-1252 byte.
std::optional<QByteArray> toWindows1252(const QString& text);

} // namespace TextFile
