#pragma once
// The settings file's format, read and written by hand because its reading rules must hold
// exactly as the Windows private-profile functions apply them: sections in brackets, one
// "key=value" per line, names compared without ASCII case, blanks around values dropped, a value
// wholly in matching single or double quotes loses them, at most ini_value_limit bytes of a
// value, and a missing file, section or key reads as the empty text. Texts are GBK.

#include <cstddef>
#include <string>
#include <string_view>

namespace qingyu {

inline constexpr std::size_t ini_value_limit = 10239;

// The value of `key` in `section` of the file's content.
std::string ini_value(std::string_view content, std::string_view section, std::string_view key);

// The content with `key` in `section` set to `value`: the key's line replaced where it exists,
// else added at the end of the section, the section added at the end when missing. Every other
// line is kept as it was. Line breaks inside the value become spaces, so that a value stays on
// its line.
std::string ini_with_value(std::string_view content, std::string_view section, std::string_view key,
                           std::string_view value);

// The same on a file: a missing or unreadable file reads as empty text.
std::string read_ini_value(std::string_view path, std::string_view section, std::string_view key);
// Creates the file when missing. False when it cannot be written, or when it exists but cannot
// be read (its other lines would be lost).
bool write_ini_value(std::string_view path, std::string_view section, std::string_view key,
                     std::string_view value);

}  // namespace qingyu
