#pragma once
// The header of a Windows Media (ASF) file, checked before TagLib reads its tags. TagLib
// takes the number of entries of a tag list from the file and goes on making entries after
// the file has ended: a damaged count of 65 532 in a file of 875 bytes costs it half a
// second (13 s under the sanitizers). A header whose objects fit in it, and whose tag lists
// fit in their objects, bounds that work by the size of the file.
namespace TagLib {
class IOStream;
}

namespace AsfHeader {

// True when `stream` starts with an ASF header in which an object does not fit in what
// holds it, or a tag list claims more entries than its object can hold. Leaves the stream
// at its start.
bool isDamaged(TagLib::IOStream& stream);

} // namespace AsfHeader
