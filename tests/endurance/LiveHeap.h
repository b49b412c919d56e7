#pragma once
// The bytes the process holds allocated right now, for tests that watch memory stay flat.
// Under AddressSanitizer its own allocator keeps the count (freed blocks sitting in its
// quarantine do not count); otherwise glibc's figures for small and mapped blocks.
#include <cstddef>

#if defined(__SANITIZE_ADDRESS__)
#define KARVEX_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KARVEX_ADDRESS_SANITIZER 1
#endif
#endif

#ifdef KARVEX_ADDRESS_SANITIZER
#include <sanitizer/allocator_interface.h>
#else
#include <malloc.h>
#endif

inline std::size_t liveHeapBytes()
{
#ifdef KARVEX_ADDRESS_SANITIZER
    return __sanitizer_get_current_allocated_bytes();
#else
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
#endif
}
