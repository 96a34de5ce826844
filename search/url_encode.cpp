#include "search/url_encode.h"

#include "platform/codepage.h"

namespace qingyu {
namespace {

bool is_safe(unsigned char byte) {
    return byte == '-' || byte == '.' || (byte >= '0' && byte <= '9') ||
           (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z');
}

}  // namespace

std::string url_encode(std::string_view text, bool keep_safe, bool to_utf8) {
    static constexpr char hex[] = "0123456789ABCDEF";
    const std::string utf8 = to_utf8 ? platform::gbk_to_utf8(text) : std::string();
    const std::string_view bytes = to_utf8 ? std::string_view(utf8) : text;
    std::string encoded;
    encoded.reserve(bytes.size() * 3);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (keep_safe && is_safe(byte)) {
            encoded.push_back(c);
        } else {
            encoded.push_back('%');
            encoded.push_back(hex[byte >> 4]);
            encoded.push_back(hex[byte & 0x0F]);
        }
    }
    return encoded;
}

}  // namespace qingyu
