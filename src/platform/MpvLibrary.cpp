// libmpv and the hundreds of libraries it brings (FFmpeg, libass, ...) are loaded at run time
// (RuntimeLibrary.h). This file defines the few libmpv functions the media player calls; the
// first call of mpv_create() loads libmpv (from whichever thread makes it) and every call goes
// on to libmpv's own function. Without libmpv, mpv_create() returns nullptr, as libmpv does
// when it cannot create a player, and the media player stays silent.
#include "platform/RuntimeLibrary.h"

#include <mpv/client.h>

namespace {

// libmpv's own functions, found once it is loaded.
struct Functions {
    decltype(&mpv_create) create = nullptr;
    decltype(&mpv_initialize) initialize = nullptr;
    decltype(&mpv_terminate_destroy) terminateDestroy = nullptr;
    decltype(&mpv_set_option_string) setOptionString = nullptr;
    decltype(&mpv_set_property) setProperty = nullptr;
    decltype(&mpv_get_property) getProperty = nullptr;
    decltype(&mpv_command) command = nullptr;
    decltype(&mpv_command_async) commandAsync = nullptr;
    decltype(&mpv_wait_event) waitEvent = nullptr;
    decltype(&mpv_error_string) errorString = nullptr;
};

Functions loadFunctions()
{
    const RuntimeLibrary library(KARVEX_LIBMPV_SONAME, "plays no media");
    Functions f;
    if (library.find("mpv_create", f.create) && library.find("mpv_initialize", f.initialize)
        && library.find("mpv_terminate_destroy", f.terminateDestroy)
        && library.find("mpv_set_option_string", f.setOptionString)
        && library.find("mpv_set_property", f.setProperty) && library.find("mpv_get_property", f.getProperty)
        && library.find("mpv_command", f.command) && library.find("mpv_command_async", f.commandAsync)
        && library.find("mpv_wait_event", f.waitEvent) && library.find("mpv_error_string", f.errorString))
        return f;
    return {};
}

// Loaded on the first call, from whichever thread makes it.
const Functions& functions()
{
    static const Functions found = loadFunctions();
    return found;
}

bool loaded()
{
    return functions().create != nullptr;
}

} // namespace

// The stand-ins. Every one but mpv_create is only reached with a handle that mpv_create
// returned, or with memory libmpv handed out, so libmpv is loaded by then.
extern "C" {

mpv_handle* mpv_create()
{
    return loaded() ? functions().create() : nullptr;
}

int mpv_initialize(mpv_handle* ctx)
{
    return functions().initialize(ctx);
}

void mpv_terminate_destroy(mpv_handle* ctx)
{
    functions().terminateDestroy(ctx);
}

int mpv_set_option_string(mpv_handle* ctx, const char* name, const char* data)
{
    return functions().setOptionString(ctx, name, data);
}

int mpv_set_property(mpv_handle* ctx, const char* name, mpv_format format, void* data)
{
    return functions().setProperty(ctx, name, format, data);
}

int mpv_get_property(mpv_handle* ctx, const char* name, mpv_format format, void* data)
{
    return functions().getProperty(ctx, name, format, data);
}

int mpv_command(mpv_handle* ctx, const char** args)
{
    return functions().command(ctx, args);
}

int mpv_command_async(mpv_handle* ctx, uint64_t reply_userdata, const char** args)
{
    return functions().commandAsync(ctx, reply_userdata, args);
}

mpv_event* mpv_wait_event(mpv_handle* ctx, double timeout)
{
    return functions().waitEvent(ctx, timeout);
}

const char* mpv_error_string(int error)
{
    return loaded() ? functions().errorString(error) : "libmpv is not installed";
}

} // extern "C"
