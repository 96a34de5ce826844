#include "cli/terminal_text.h"

#include "platform/codepage.h"

namespace qingyu::cli {

std::string from_terminal(std::string_view utf8) {
    return platform::utf8_to_gbk(utf8);
}

std::string to_terminal(std::string_view gbk) {
    constexpr std::string_view hex = "0123456789ABCDEF";
    const std::string utf8 = platform::gbk_to_utf8(gbk);
    std::string shown;
    shown.reserve(utf8.size());
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            shown += '%';
            shown += hex[byte >> 4];
            shown += hex[byte & 15];
        } else {
            shown += c;
        }
    }
    return shown;
}

}  // namespace qingyu::cli
