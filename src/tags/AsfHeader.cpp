#include "tags/AsfHeader.h"

#include <taglib/tbytevector.h>
#include <taglib/tiostream.h>

#include <algorithm>
#include <optional>

namespace AsfHeader {

namespace {

using TagLib::ByteVector;
using Offset = unsigned long long;

const ByteVector HeaderGuid("\x30\x26\xB2\x75\x8E\x66\xCF\x11\xA6\xD9\x00\xAA\x00\x62\xCE\x6C", 16);
const ByteVector HeaderExtensionGuid("\xB5\x03\xBF\x5F\x2E\xA9\xCF\x11\x8E\xE3\x00\xC0\x0C\x20\x53\x65", 16);
const ByteVector ExtendedContentDescriptionGuid("\x40\xA4\xD0\xD2\x07\xE3\xD2\x11\x97\xF0\x00\xA0\xC9\x5E\xA8\x50",
                                                16);
const ByteVector MetadataGuid("\xEA\xCB\xF8\xC5\xAF\x5B\x77\x48\x84\x67\xAA\x8C\x44\xFA\x4C\xCA", 16);
const ByteVector MetadataLibraryGuid("\x94\x1C\x23\x44\x98\x94\xD1\x49\xA1\x41\x1D\x13\x4E\x45\x70\x54", 16);

// Every object starts with its GUID and its size, the header object then has the number of
// its objects and two reserved bytes.
constexpr Offset ObjectHeadBytes = 24;
constexpr Offset HeaderHeadBytes = 30;
// The header extension's own fields before its objects: a GUID, a reserved word and the
// size of its objects (the last four bytes).
constexpr Offset ExtensionFieldsBytes = 22;
// The least one entry of a tag list takes: the length of its name, the type and the length
// of its value; an entry of the metadata objects adds a language or reserved word and a
// stream number, and its value length is a double word.
constexpr Offset ContentEntryBytes = 6;
constexpr Offset MetadataEntryBytes = 12;

// `length` bytes at `at`; empty when the stream has fewer.
ByteVector read(TagLib::IOStream& stream, Offset at, unsigned int length)
{
    stream.seek(long(at));
    ByteVector bytes = stream.readBlock(length);
    return bytes.size() == length ? bytes : ByteVector();
}

// A list of entries, its count a word after the object's head.
bool listFits(TagLib::IOStream& stream, Offset at, Offset size, Offset entryBytes)
{
    constexpr Offset countBytes = 2;
    if (size < ObjectHeadBytes + countBytes)
        return false;
    const ByteVector count = read(stream, at + ObjectHeadBytes, countBytes);
    return !count.isEmpty() && count.toUShort(false) * entryBytes <= size - ObjectHeadBytes - countBytes;
}

bool extensionObjectFits(TagLib::IOStream& stream, const ByteVector& guid, Offset at, Offset size)
{
    if (guid == MetadataGuid || guid == MetadataLibraryGuid)
        return listFits(stream, at, size, MetadataEntryBytes);
    return true;
}

// The objects from `begin`, each fitting before `end`: `count` of them, or when no count
// is given as many as fill the space up to `end`.
template <typename ObjectFits>
bool objectsFit(TagLib::IOStream& stream, Offset begin, Offset end, std::optional<unsigned int> count,
                ObjectFits objectFits)
{
    Offset at = begin;
    for (unsigned int n = 0; count ? n < *count : at < end; ++n) {
        const ByteVector head = read(stream, at, ObjectHeadBytes);
        if (head.isEmpty())
            return false;
        const auto size = Offset(head.toLongLong(16, false));
        if (size < ObjectHeadBytes || size > end - at || !objectFits(head.mid(0, 16), at, size))
            return false;
        at += size;
    }
    return true;
}

bool headerObjectFits(TagLib::IOStream& stream, const ByteVector& guid, Offset at, Offset size)
{
    if (guid == ExtendedContentDescriptionGuid)
        return listFits(stream, at, size, ContentEntryBytes);
    if (guid != HeaderExtensionGuid)
        return true;
    if (size < ObjectHeadBytes + ExtensionFieldsBytes)
        return false;
    const ByteVector objectBytes = read(stream, at + ObjectHeadBytes + ExtensionFieldsBytes - 4, 4);
    const Offset begin = at + ObjectHeadBytes + ExtensionFieldsBytes;
    return !objectBytes.isEmpty() && objectBytes.toUInt(false) <= size - ObjectHeadBytes - ExtensionFieldsBytes
        && objectsFit(stream, begin, begin + objectBytes.toUInt(false), std::nullopt,
                      [&stream](const ByteVector& inner, Offset innerAt, Offset innerSize) {
                          return extensionObjectFits(stream, inner, innerAt, innerSize);
                      });
}

} // namespace

bool isDamaged(TagLib::IOStream& stream)
{
    bool damaged = false;
    if (read(stream, 0, 16) == HeaderGuid) {
        const ByteVector head = read(stream, 0, HeaderHeadBytes);
        const auto headerSize = head.isEmpty() ? 0 : Offset(head.toLongLong(16, false));
        const Offset end = std::min(headerSize, Offset(std::max(stream.length(), 0L)));
        damaged = headerSize < HeaderHeadBytes || end < HeaderHeadBytes
            || !objectsFit(stream, HeaderHeadBytes, end, head.toUInt(24, false),
                           [&stream](const ByteVector& guid, Offset at, Offset size) {
                               return headerObjectFits(stream, guid, at, size);
                           });
    }
    stream.seek(0);
    return damaged;
}

} // namespace AsfHeader
