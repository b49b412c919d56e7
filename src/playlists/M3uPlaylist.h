#pragma once
// M3U and M3U8 playlists as phones and other players write them: one media path or URL a
// line, "#" lines for the header and the extended information.
#include <QString>
#include <QStringList>

namespace M3uPlaylist {

bool isM3uName(const QString& name);

// The entries of the M3U file at `path`, in order, relative paths resolved against its
// folder, comment and blank lines left out. Nothing when the file cannot be read or is
// larger than any playlist (MaxBytes).
QStringList entries(const QString& path);
constexpr qint64 MaxBytes = 4 * 1024 * 1024;

// The entries of M3U text `bytes` that lies in `folder`.
QStringList entriesOf(const QByteArray& bytes, const QString& folder);

} // namespace M3uPlaylist
