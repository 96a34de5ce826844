#include "platform/skin.h"

#include <dlfcn.h>

#include <mutex>
#include <string>

#include "platform/files.h"

namespace qingyu::platform {
namespace {

using AttachRes = int (*)(const unsigned char*, int, const char*, int, int, int);

std::mutex library_mutex;
AttachRes loaded_entry = nullptr;

// Loads the library once for the process's life: a skin engine keeps hooks into the window, so
// it is never unloaded.
AttachRes entry_point(std::string_view library_path) {
    std::lock_guard lock(library_mutex);
    if (loaded_entry) return loaded_entry;
    void* library = dlopen(native_path(library_path).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) return nullptr;
    auto entry = reinterpret_cast<AttachRes>(dlsym(library, "SkinH_AttachRes"));
    if (!entry) {
        dlclose(library);
        return nullptr;
    }
    loaded_entry = entry;
    return entry;
}

}  // namespace

bool attach_skin_library(std::string_view library_path, const unsigned char* skin,
                         std::size_t length, std::string_view password, int hue, int saturation,
                         int brightness) {
    AttachRes attach = entry_point(library_path);
    if (!attach || length > 0x7FFFFFFF) return false;
    const std::string password_text(password);
    return attach(skin, static_cast<int>(length), password_text.c_str(), hue, saturation,
                  brightness) == 0;
}

}  // namespace qingyu::platform
