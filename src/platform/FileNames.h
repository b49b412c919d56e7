#pragma once
// File names as the file system holds them: bytes, usually UTF-8, but a name written by an
// old car radio or a Windows stick may hold bytes that are not. Such a name is kept in a
// QString without loss: every byte that is not part of valid UTF-8 becomes one character of
// a private range (U+F780 + byte - 0x80), and toBytes gives back the very same bytes. The
// characters survive every QString operation and the program's text files (which keep
// them as UTF-8), so a playlist entry opens the same file again.
//
// Qt's own file classes cannot reach such a file (they encode names as plain UTF-8 and
// leave them out of folder listings), so every path that may come from the file system is
// tested, listed and opened through this unit.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

class QFile;

namespace FileNames {

QString fromBytes(QByteArrayView bytes);
QByteArray toBytes(QStringView name);
// The name for the screen and for speech: each byte that is not UTF-8 as its
// Windows-1252 character, the code page of the sticks such names come from.
QString shown(QStringView name);

// Existence tests that follow symbolic links, as opening does.
bool exists(const QString& path);
bool isFile(const QString& path);
bool isFolder(const QString& path);
// Opens `file`, unbuffered, for reading the file at `path`; false when it cannot be opened
// or is a folder.
bool openForReading(QFile& file, const QString& path);

struct Entry {
    QString name;
    bool folder = false;
    // Starts with a dot.
    bool hidden = false;
};
// The ordinary files and the folders of `folder`, in the order the file system gives them;
// nothing when it cannot be read.
QList<Entry> entries(const QString& folder);

} // namespace FileNames
