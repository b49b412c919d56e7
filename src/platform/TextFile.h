#pragma once
// Reading and writing the program's line-oriented text files (config.ini, playlists,
// licence.txt).
//
// Reading: a byte-order mark of UTF-16 LE, UTF-16 BE or UTF-8 (tested in that order)
// decides the encoding, otherwise Windows-1252. A NUL is a character like any other and
// is written back as it came. Lines end at CR LF, a lone CR or a lone LF; a break at the
// very end makes no empty last line.
//
// Writing: every line followed by CR LF, in Windows-1252 without a mark, unless a line
// holds a character Windows-1252 cannot represent, or the bytes would begin like a mark
// (a first line starting "þÿ", "ÿþ" or "ï»¿"): then the whole file is UTF-8 with a
// byte-order mark, so nothing is turned into "?" and the file reads back as it was.
//
// Saving replaces the file atomically: the text goes into a new file beside it, every
// write is checked and the data synced to the disk before the new file is renamed over
// the old one. A full disk or any other failure leaves the old file whole. A symbolic link
// in the file's place is replaced by the file, never written through.
//
// Only regular files are read, and none larger than any real one of these files (a
// power cut or a mistake can leave a huge one, or a device, in its place), and a file of
// nothing but zero bytes, which a power cut leaves on some file systems, counts as damaged.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace TextFile {

QString decode(const QByteArray& bytes);
QStringList splitLines(const QString& text);
QByteArray encodeLines(const QStringList& lines);

constexpr qint64 MaxFileBytes = 16 * 1024 * 1024;
constexpr qsizetype MaxLineLength = 32 * 1024;

enum class ReadFailure { Unreadable, TooLarge, Damaged };

// nullopt when the file cannot be read, is not a regular file, is over MaxFileBytes,
// holds a line over MaxLineLength characters or is only zero bytes; `why` then tells which.
std::optional<QStringList> readLines(const QString& path);
std::optional<QStringList> readLines(const QString& path, ReadFailure& why);
// False when the file cannot be written; an existing file then stays as it was, and
// `error` holds the errno of what failed (EACCES for a file marked read-only).
bool writeLines(const QString& path, const QStringList& lines);
bool writeLines(const QString& path, const QStringList& lines, int& error);

// Windows-1252, the 8-bit code page of the car PC's files.
QString fromWindows1252(const QByteArray& bytes);
// nullopt when a character has no Windows-1252 byte.
std::optional<QByteArray> toWindows1252(const QString& text);

} // namespace TextFile
