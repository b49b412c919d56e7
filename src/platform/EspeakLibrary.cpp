// espeak-ng is loaded at run time (RuntimeLibrary.h): its sound layer brings PulseAudio,
// libsndfile and a dozen codecs, none of which the first screen needs. This file defines the
// espeak-ng functions the speech engine calls; espeak_Initialize() loads the library, and
// without it fails as espeak-ng does when it cannot start, so speech is unavailable.
#include "platform/RuntimeLibrary.h"

#include <espeak-ng/speak_lib.h>

namespace {

struct Functions {
    decltype(&espeak_Initialize) initialize = nullptr;
    decltype(&espeak_SetParameter) setParameter = nullptr;
    decltype(&espeak_Synth) synth = nullptr;
    decltype(&espeak_Cancel) cancel = nullptr;
};

Functions loadFunctions()
{
    const RuntimeLibrary library(KARVEX_LIBESPEAK_SONAME, "speaks nothing");
    Functions f;
    if (library.find("espeak_Initialize", f.initialize) && library.find("espeak_SetParameter", f.setParameter)
        && library.find("espeak_Synth", f.synth) && library.find("espeak_Cancel", f.cancel))
        return f;
    return {};
}

// Loaded on the first call, from whichever thread makes it.
const Functions& functions()
{
    static const Functions found = loadFunctions();
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
