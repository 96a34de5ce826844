#include "web/charset.h"

#include "platform/codepage.h"

namespace qingyu {

std::string utf8_to_wide(std::string_view utf8) {
    const std::u16string wide = platform::utf8_to_utf16(utf8);
    std::string bytes(wide.size() * 2, '\0');
    for (std::size_t i = 0; i < wide.size(); ++i) {
        bytes[2 * i] = static_cast<char>(wide[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<char>(wide[i] >> 8);
    }
    return bytes;
}

std::string utf8_to_ansi(std::string_view utf8) {
    return platform::utf16_to_gbk(platform::utf8_to_utf16(utf8));
}

}  // namespace qingyu
