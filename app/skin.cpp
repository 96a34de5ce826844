#include "app/skin.h"

#include <span>
#include <string_view>
#include <vector>

#include "platform/files.h"
#include "platform/skin.h"

#if defined(QINGYU_HAVE_RESOURCES)
#include "resources/resources.h"
#endif

namespace qingyu {
namespace {

std::span<const unsigned char> library_bytes() {
#if defined(QINGYU_HAVE_RESOURCES)
    return resources::skin_library_bytes();
#else
    return {};
#endif
}

std::span<const unsigned char> skin_bytes(int number) {
#if defined(QINGYU_HAVE_RESOURCES)
    return resources::skin_bytes(number);
#else
    (void)number;
    return {};
#endif
}

}  // namespace

std::string skin_library_path() {
    return platform::run_directory() + "\\SkinH_EL.dll";
}

void ensure_skin_library() {
    const std::string path = skin_library_path();
    if (platform::file_exists(path)) return;
    const std::span<const unsigned char> bytes = library_bytes();
    // An empty file would stand in for the library for good, since an existing file is never
    // replaced: without the bytes nothing is written.
    if (bytes.empty()) return;
    const std::string_view data(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (platform::write_file(path, data)) platform::set_hidden(path);
}

bool attach_skin(int number) {
    ensure_skin_library();
    std::vector<unsigned char> skin;
    if (number >= 1 && number <= skin_count) {
        const std::span<const unsigned char> bytes = skin_bytes(number);
        skin.assign(bytes.begin(), bytes.end());
    }
    return platform::attach_skin_library(skin_library_path(), skin.empty() ? nullptr : skin.data(),
                                         skin.size(), "", 0, 0, 0);
}

}  // namespace qingyu
