#pragma once
// Libraries the first screen does not need are loaded at run time, on the first call of one
// of their functions, instead of being linked: loading and relocating them (and all they
// bring) took most of the start-up time. Such a library is never unloaded: its threads may
// outlive any user, and the leak checker needs its code mapped to the end.
#include <cstdio>
#include <dlfcn.h>

class RuntimeLibrary {
public:
    // Opens SONAME; without it, tells on stderr that Karvex does WITHOUT_IT (for example
    // "plays no media").
    RuntimeLibrary(const char* soname, const char* withoutIt)
        : m_soname(soname)
        , m_withoutIt(withoutIt)
        , m_library(dlopen(soname, RTLD_NOW | RTLD_LOCAL))
    {
        if (!m_library)
            std::fprintf(stderr, "Karvex %s: %s\n", withoutIt, dlerror());
    }

    // Finds NAME as FUNCTION; false (and tells) when the library is not there or lacks it.
    template <typename Function>
    bool find(const char* name, Function& function) const
    {
        if (!m_library)
            return false;
        function = reinterpret_cast<Function>(dlsym(m_library, name));
        if (!function)
            std::fprintf(stderr, "Karvex %s: %s lacks %s\n", m_withoutIt, m_soname, name);
        return function != nullptr;
    }

private:
    const char* m_soname;
    const char* m_withoutIt;
    void* m_library;
};
