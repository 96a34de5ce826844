#pragma once
// The skin engine: a library file loaded at run time by its path, entry point SkinH_AttachRes.

#include <cstddef>
#include <string_view>

namespace qingyu::platform {

// Loads the library (once per process) and calls SkinH_AttachRes(skin, length, password, hue,
// saturation, brightness). False when the library cannot be loaded, lacks the entry point, or
// the entry point reports failure.
bool attach_skin_library(std::string_view library_path, const unsigned char* skin,
                         std::size_t length, std::string_view password, int hue, int saturation,
                         int brightness);

}  // namespace qingyu::platform
