// The playlist file reader: any bytes in a ".kpl" file, read into playlist entries, and
// what it read saved and read again. The same bytes as an M3U playlist, and as a file name.
#include "FuzzSupport.h"

#include "platform/FileNames.h"
#include "platform/TextFile.h"
#include "playlists/M3uPlaylist.h"
#include "playlists/PlaylistFile.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    Fuzz::startApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = Fuzz::bytes(data, size);
    const QString path = Fuzz::writeScratchFile(QStringLiteral("fuzz.kpl"), bytes);
    const std::optional<QStringList> lines = TextFile::readLines(path);
    // Zero bytes only is what a power cut leaves: a damaged file, not a list of NULs.
    if (!bytes.isEmpty() && bytes.count('\0') == bytes.size()) {
        Fuzz::check(!lines.has_value(), "a file of zero bytes only was read as a playlist");
        return 0;
    }
    Fuzz::check(lines.has_value(), "a readable playlist file was not read");

    const QList<PlaylistEntry> entries = PlaylistFile::entriesFor(*lines);
    Fuzz::check(entries.size() == lines->size(), "a line of the file was lost or added");

    // Saving what was read and reading it back gives the same paths. Text read from
    // UTF-16 with a broken surrogate pair has no faithful encoding and is left out.
    if (std::all_of(lines->begin(), lines->end(), [](const QString& line) { return line.isValidUtf16(); })) {
        const QString copy = Fuzz::scratchFolder() + QStringLiteral("/copy.kpl");
        Fuzz::check(TextFile::writeLines(copy, *lines), "the playlist could not be saved");
        Fuzz::check(TextFile::readLines(copy) == lines, "a saved playlist reads back differently");
    }

    for (const QString& entry : M3uPlaylist::entriesOf(bytes, QStringLiteral("/music"))) {
        Fuzz::check(entry.startsWith(u'/') || entry.contains(QLatin1String("://")), "an M3U entry is not resolved");
        Fuzz::check(Playlist::storable(entry), "an M3U entry cannot be kept in a playlist");
    }
    Fuzz::check(FileNames::toBytes(FileNames::fromBytes(bytes)) == bytes, "a file name lost a byte");
    return 0;
}
