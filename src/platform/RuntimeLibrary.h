#pragma once
// Libraries the first screen does not need are loaded at run time, on the first call of one
// of their functions, instead of being linked: loading and relocating them (and all they
// bring) took most of the start-up time. Such a library is never unloaded: its threads may
// outlive any user, and the leak checker needs its code mapped to the end.
#include <cstdio>
#include <dlfcn.h>

namespace RuntimeLibrary {

// The library SONAME, or nullptr after telling on stderr that Karvex does WITHOUT_IT
// (for example "plays no media").
inline void* open(const char* soname, const char* withoutIt)
{
    void* library = dlopen(soname, RTLD_NOW | RTLD_LOCAL);
    if (!library)
        std::fprintf(stderr, "Karvex %s: %s\n", withoutIt, dlerror());
    return library;
}

// Finds NAME in LIBRARY as FUNCTION; false (and tells) when the library lacks it.
template <typename Function>
bool find(void* library, const char* soname, const char* withoutIt, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(dlsym(library, name));
    if (!function)
        std::fprintf(stderr, "Karvex %s: %s lacks %s\n", withoutIt, soname, name);
    return function != nullptr;
}

} // namespace RuntimeLibrary
