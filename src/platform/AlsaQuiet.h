#pragma once
// Keeps ALSA's error messages off stderr on this thread while the object lives (a probe
// of a missing sound card prints half a dozen lines otherwise). Other threads, such as
// mpv's audio output, keep their own handling.
#include <alsa/asoundlib.h>
#include <dlfcn.h>

class AlsaQuiet {
public:
    AlsaQuiet()
    {
        if (setLocal())
            m_previous = setLocal()(&AlsaQuiet::ignore);
    }
    ~AlsaQuiet()
    {
        if (setLocal())
            setLocal()(m_previous);
    }
    AlsaQuiet(const AlsaQuiet&) = delete;
    AlsaQuiet& operator=(const AlsaQuiet&) = delete;

private:
    using SetLocal = snd_local_error_handler_t (*)(snd_local_error_handler_t);
    // alsa-lib 1.2.8 declares snd_lib_error_set_local outside its extern "C" block, so
    // C++ cannot link to it by name; it is looked up instead (absent before 1.1.9).
    static SetLocal setLocal()
    {
        static const SetLocal function =
            reinterpret_cast<SetLocal>(dlsym(RTLD_DEFAULT, "snd_lib_error_set_local"));
        return function;
    }
    static void ignore(const char*, int, const char*, int, const char*, va_list) {}

    snd_local_error_handler_t m_previous = nullptr;
};
