#pragma once
// Saved playlists: one ".kpl" file per playlist in the "playlist" folder of the program's
// data folder, one media path per line (read and written by TextFile's rules), and the
// rules for their names.
#include "playlists/Playlist.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace PlaylistFile {

inline const QString FolderName = QStringLiteral("playlist");
inline const QString Extension = QStringLiteral(".kpl");
constexpr int MinNameLength = 3;
constexpr int MaxNameLength = 20;

// The playlist folder in the program's data folder `dataFolder`.
QString folder(const QString& dataFolder);
// The file of the playlist called `name`.
QString path(const QString& dataFolder, const QString& name);

// A typed name without the blanks and control characters around it.
QString trimmedName(const QString& typed);
// A name that would leave the playlist folder or hide its file is refused whatever its
// length: one holding "/", "\\" or a control character, or starting with a dot.
enum class NameCheck { Fits, TooShort, TooLong, Unsafe };
NameCheck checkName(const QString& name);

// True when `path` is a file (a folder does not count).
bool fileExists(const QString& path);

// The names the chooser lists for the regular files of `playlistFolder` (not links) whose
// names end in ".kpl" in any case, alphabetically: each name with its first ".kpl" (exact
// case) taken out. A missing folder lists nothing.
QStringList listedNames(const QString& playlistFolder);

// Playlist entries for the lines of a playlist file, in order: silver when the file is
// there now, red when it is not.
QList<PlaylistEntry> entriesFor(const QStringList& lines);

} // namespace PlaylistFile
