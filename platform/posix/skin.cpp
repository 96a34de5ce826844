#include "platform/skin.h"

#include <dlfcn.h>

#include <map>
#include <mutex>
#include <string>

#include "platform/files.h"

namespace qingyu::platform {
namespace {

using AttachRes = int (*)(const unsigned char*, int, const char*, int, int, int);

std::mutex library_mutex;

// Each library is loaded once and kept for the process's life: a skin engine keeps hooks into
// the windows, so it is never unloaded. A path that failed is tried again on the next call.
AttachRes entry_point(std::string_view library_path) {
    static std::map<std::string, AttachRes> loaded;
    std::string file_name = native_path(library_path);
    if (file_name.empty()) return nullptr;
    // A bare file name would make dlopen search the system's library folders.
    if (file_name.find('/') == std::string::npos) file_name.insert(0, "./");
    std::lock_guard lock(library_mutex);
    if (const auto found = loaded.find(file_name); found != loaded.end()) return found->second;
    void* library = dlopen(file_name.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) return nullptr;
    auto entry = reinterpret_cast<AttachRes>(dlsym(library, "SkinH_AttachRes"));
    if (!entry) {
        dlclose(library);
        return nullptr;
    }
    loaded.emplace(file_name, entry);
    return entry;
}

}  // namespace

bool attach_skin_library(std::string_view library_path, const unsigned char* skin,
                         std::size_t length, std::string_view password, int hue, int saturation,
                         int brightness) {
    if (length > 0x7FFFFFFF) return false;
    const AttachRes attach = entry_point(library_path);
    if (!attach) return false;
    const std::string password_text(password);
    return attach(skin, static_cast<int>(length), password_text.c_str(), hue, saturation,
                  brightness) == 0;
}

}  // namespace qingyu::platform
