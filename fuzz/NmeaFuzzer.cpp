// NMEA cutting and decoding, fed the way the reader thread hands text to the window
// thread: chunks of at most 90 bytes, each ending at its first zero byte.
#include "FuzzSupport.h"

#include "gps/Commsthreadunit.h"
#include "gps/NmeaReceiver.h"

#include <algorithm>
#include <cstring>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    Fuzz::startApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks the chunk length, as the port's timing would.
    const size_t chunkLength = 1 + data[0] % TRead::ReadSize;
    ++data;
    --size;

    // What is left after cutting, and one more chunk.
    const qsizetype longest = NmeaReceiver::MaxPendingLength + TRead::ReadSize;
    NmeaReceiver receiver;
    for (size_t at = 0; at < size; at += chunkLength) {
        const size_t length = std::min(chunkLength, size - at);
        const char* chunk = reinterpret_cast<const char*>(data + at);
        receiver.AppendPending(QByteArray(chunk, qsizetype(strnlen(chunk, length))));

        Fuzz::check(receiver.Pending().size() <= longest, "the pending text grows without bound");
        Fuzz::check(receiver.Log().size() <= NmeaReceiver::MaxLogLines, "the sentence log grows without bound");
    }

    for (const QString& line : receiver.Log())
        Fuzz::check(line.size() <= longest, "a logged sentence is longer than the pending text can be");
    return 0;
}
