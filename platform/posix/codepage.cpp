#include "platform/codepage.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace qingyu::platform {
namespace {

// How many input bytes a refused sequence at `at` spans; always at least 1.
using SkipRule = std::size_t (*)(std::string_view input, std::size_t at);

std::size_t skip_byte(std::string_view, std::size_t) {
    return 1;
}

std::size_t skip_utf16_unit(std::string_view, std::size_t) {
    return 2;
}

// A lead byte with a byte that can trail it is one double-byte character, even when GBK leaves
// it unassigned (the user-defined areas): skipping it whole keeps its trail byte, which may be
// an ASCII letter or "@", from showing up as a character of its own.
std::size_t skip_gbk_character(std::string_view input, std::size_t at) {
    const auto lead = static_cast<unsigned char>(input[at]);
    if (lead < 0x81 || lead > 0xFE || at + 1 >= input.size()) return 1;
    const auto trail = static_cast<unsigned char>(input[at + 1]);
    return trail >= 0x40 && trail <= 0xFE && trail != 0x7F ? 2 : 1;
}

// One iconv conversion over a whole input. A sequence that the converter refuses (or that is
// cut off at the end) is skipped as `skip` says and stands as `replacement` in the output, so
// nothing stops the conversion and every call ends.
std::string convert(const char* to, const char* from, std::string_view input, SkipRule skip,
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
        // EILSEQ, or EINVAL for input cut off at the end: replace the sequence and go on.
        const std::size_t at = input.size() - in_left;
        const std::size_t skipped = std::min(skip(input, at), in_left);
        in += skipped;
        in_left -= skipped;
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
    return from_utf16le_bytes(convert("UTF-16LE", "UTF-8", utf8, skip_byte, replacement_utf16le));
}

std::string utf16_to_utf8(std::u16string_view utf16) {
    return convert("UTF-8", "UTF-16LE", to_utf16le_bytes(utf16), skip_utf16_unit, replacement_utf8);
}

std::u16string gbk_to_utf16(std::string_view gbk) {
    return from_utf16le_bytes(
        convert("UTF-16LE", "CP936", gbk, skip_gbk_character, replacement_utf16le));
}

std::string utf16_to_gbk(std::u16string_view utf16) {
    return convert("CP936", "UTF-16LE", to_utf16le_bytes(utf16), skip_utf16_unit, "?");
}

std::string gbk_to_utf8(std::string_view gbk) {
    return convert("UTF-8", "CP936", gbk, skip_gbk_character, replacement_utf8);
}

std::string utf8_to_gbk(std::string_view utf8) {
    return utf16_to_gbk(utf8_to_utf16(utf8));
}

}  // namespace qingyu::platform
