// The ID3v1 reader on whatever a media file may end with.
#include "FuzzSupport.h"

#include "tags/Id3.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    Fuzz::startApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = Fuzz::writeScratchFile(QStringLiteral("track.mp3"), Fuzz::bytes(data, size));
    TID3 tag;
    tag.ReadID3(path);

    // Every item has a text to show, tidied the way the screens show it.
    for (const QString* item : {&tag.Album(), &tag.Artist(), &tag.Comment(), &tag.Genre(), &tag.Title(), &tag.Year()}) {
        Fuzz::check(!item->isEmpty(), "a tag item is empty after reading");
        Fuzz::check(TID3::trimmed(*item) == *item, "a tag item is not trimmed");
    }
    Fuzz::check(tag.Year().size() <= 4 || tag.Year() == tag.NoYear, "the year is longer than its field");
    return 0;
}
