#pragma once
// Code-page conversions between the core's GBK (code page 936) text and Unicode.
// These are the only places where text changes encoding; the core calls them at its edges.

#include <string>
#include <string_view>

namespace qingyu::platform {

// UTF-8 to UTF-16. Invalid sequences become U+FFFD, one per offending byte, as the
// system conversion does; an empty input gives an empty output.
std::u16string utf8_to_utf16(std::string_view utf8);

// UTF-16 to UTF-8. A lone surrogate becomes U+FFFD.
std::string utf16_to_utf8(std::u16string_view utf16);

// GBK to UTF-16. A byte sequence that is not valid GBK becomes U+FFFD.
std::u16string gbk_to_utf16(std::string_view gbk);

// UTF-16 to GBK. A character that GBK cannot hold becomes the code page's default character "?".
std::string utf16_to_gbk(std::u16string_view utf16);

// Shorthands for the edges (terminal, file names, UI).
std::string gbk_to_utf8(std::string_view gbk);
std::string utf8_to_gbk(std::string_view utf8);

}  // namespace qingyu::platform
