#pragma once
// UTF-8 bodies to the core's GBK text.

#include <string>
#include <string_view>

namespace qingyu {

// UTF-16 little-endian bytes, no terminating zero; invalid UTF-8 becomes U+FFFD.
std::string utf8_to_wide(std::string_view utf8);
// GBK bytes, no terminating zero; characters GBK cannot hold become "?". Zero bytes convert as any.
std::string utf8_to_ansi(std::string_view utf8);

}  // namespace qingyu
