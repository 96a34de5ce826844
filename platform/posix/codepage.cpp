#include "platform/codepage.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace qingyu::platform {
namespace {

// One iconv conversion over a whole input. Input that the converter refuses is skipped one
// unit at a time and stands as `replacement` in the output, so nothing stops the conversion.
std::string convert(const char* to, const char* from, std::string_view input, std::size_t unit,
                    std::string_view replacement) {
    std::string output;
    if (input.empty()) return output;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return output;
    output.resize(input.size() * 4 + 16);
    char* in = const_cast<char*>(input.data());
    std::size_t in_left = input.size();
    std::size_t used = 0;
    while (in_left > 0) {
        char* out = output.data() + used;
        std::size_t out_left = output.size() - used;
        std::size_t rc = iconv(cd, &in, &in_left, &out, &out_left);
        used = output.size() - out_left;
        if (rc != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) {
            output.resize(output.size() * 2);
            continue;
        }
        // EILSEQ or EINVAL (truncated input at the end): replace one unit and go on.
        std::size_t skip = std::min(unit, in_left);
        in += skip;
        in_left -= skip;
        if (output.size() - used < replacement.size()) output.resize(output.size() * 2 + 16);
        std::memcpy(output.data() + used, replacement.data(), replacement.size());
        used += replacement.size();
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    output.resize(used);
    iconv_close(cd);
    return output;
}

std::u16string from_utf16le_bytes(const std::string& bytes) {
    std::u16string text(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        text[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                        (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    }
    return text;
}

std::string to_utf16le_bytes(std::u16string_view text) {
    std::string bytes(text.size() * 2, '\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        bytes[2 * i] = static_cast<char>(text[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<char>(text[i] >> 8);
    }
    return bytes;
}

constexpr std::string_view replacement_utf16le = "\xFD\xFF";  // U+FFFD
constexpr std::string_view replacement_utf8 = "\xEF\xBF\xBD";

}  // namespace

std::u16string utf8_to_utf16(std::string_view utf8) {
    return from_utf16le_bytes(convert("UTF-16LE", "UTF-8", utf8, 1, replacement_utf16le));
}

std::string utf16_to_utf8(std::u16string_view utf16) {
    return convert("UTF-8", "UTF-16LE", to_utf16le_bytes(utf16), 2, replacement_utf8);
}

std::u16string gbk_to_utf16(std::string_view gbk) {
    return from_utf16le_bytes(convert("UTF-16LE", "CP936", gbk, 1, replacement_utf16le));
}

std::string utf16_to_gbk(std::u16string_view utf16) {
    return convert("CP936", "UTF-16LE", to_utf16le_bytes(utf16), 2, "?");
}

std::string gbk_to_utf8(std::string_view gbk) {
    return convert("UTF-8", "CP936", gbk, 1, replacement_utf8);
}

std::string utf8_to_gbk(std::string_view utf8) {
    return utf16_to_gbk(utf8_to_utf16(utf8));
}

}  // namespace qingyu::platform
