// The reader of tags other than ID3v1 (TagLib) and of the covers embedded in media files,
// on whatever a file may hold. The first byte chooses the file's extension, which is how
// TagLib picks its parser; the rest is the file.
#include "FuzzSupport.h"

#include "tags/AlbumArt.h"
#include "tags/Id3.h"

#include <iterator>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    Fuzz::startApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const char* const extensions[] = {"mp3", "ogg", "opus", "flac", "m4a", "wma", "ape", "wav", "mkv"};
    if (size == 0)
        return 0;
    const QString name = QStringLiteral("track.") + QLatin1String(extensions[data[0] % std::size(extensions)]);
    const QString path = Fuzz::writeScratchFile(name, Fuzz::bytes(data + 1, size - 1));

    TID3 tag;
    tag.ReadID3(path);
    for (const QString* item : {&tag.Album(), &tag.Artist(), &tag.Comment(), &tag.Genre(), &tag.Title(), &tag.Year()}) {
        Fuzz::check(!item->isEmpty(), "a tag item is empty after reading");
        Fuzz::check(TID3::trimmed(*item) == *item, "a tag item is not trimmed");
    }

    // No picture is named after the track here, so the embedded cover is the one looked at.
    const QSize box(280, 280);
    const QImage picture = AlbumArt::picture(path, Fuzz::scratchFolder() + QStringLiteral("/none"), tag.Cover(), box);
    Fuzz::check(picture.isNull() || picture.size() == box, "a cover was not fitted to its box");
    return 0;
}
