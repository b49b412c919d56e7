// espeak-ng is loaded at run time (RuntimeLibrary.h): its sound layer brings PulseAudio,
// libsndfile and a dozen codecs, none of which the first screen needs. This file defines the
// espeak-ng functions the speech engine calls; espeak_Initialize() loads the library, and
// without it fails as espeak-ng does when it cannot start, so speech is unavailable.
#include "platform/RuntimeLibrary.h"

#include <espeak-ng/speak_lib.h>
#include <mutex>

namespace {

struct Functions {
    decltype(&espeak_Initialize) initialize = nullptr;
    decltype(&espeak_SetParameter) setParameter = nullptr;
    decltype(&espeak_Synth) synth = nullptr;
    decltype(&espeak_Cancel) cancel = nullptr;
};

constexpr const char* WithoutIt = "speaks nothing";

template <typename Function>
bool find(void* library, const char* name, Function& function)
{
    return RuntimeLibrary::find(library, KARVEX_LIBESPEAK_SONAME, WithoutIt, name, function);
}

const Functions& functions()
{
    static std::once_flag loaded;
    static Functions found;
    std::call_once(loaded, [] {
        void* library = RuntimeLibrary::open(KARVEX_LIBESPEAK_SONAME, WithoutIt);
        Functions f;
        if (library && find(library, "espeak_Initialize", f.initialize)
            && find(library, "espeak_SetParameter", f.setParameter) && find(library, "espeak_Synth", f.synth)
            && find(library, "espeak_Cancel", f.cancel))
            found = f;
    });
    return found;
}

} // namespace

// Every one but espeak_Initialize is only called once it has succeeded.
extern "C" {

int espeak_Initialize(espeak_AUDIO_OUTPUT output, int buflength, const char* path, int options)
{
    return functions().initialize ? functions().initialize(output, buflength, path, options) : EE_INTERNAL_ERROR;
}

espeak_ERROR espeak_SetParameter(espeak_PARAMETER parameter, int value, int relative)
{
    return functions().setParameter(parameter, value, relative);
}

espeak_ERROR espeak_Synth(const void* text, size_t size, unsigned int position, espeak_POSITION_TYPE positionType,
                          unsigned int endPosition, unsigned int flags, unsigned int* uniqueIdentifier,
                          void* userData)
{
    return functions().synth(text, size, position, positionType, endPosition, flags, uniqueIdentifier, userData);
}

espeak_ERROR espeak_Cancel()
{
    return functions().cancel();
}

} // extern "C"
