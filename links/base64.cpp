#include "links/base64.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/events.h"
#include "web/text_ops.h"

namespace qingyu {
namespace {

constexpr std::string_view alphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// The six-bit value of every byte, -1 for bytes outside the alphabet.
constexpr std::array<std::int8_t, 256> make_values() {
    std::array<std::int8_t, 256> values{};
    values.fill(-1);
    for (std::size_t i = 0; i < alphabet.size(); ++i) {
        values[static_cast<unsigned char>(alphabet[i])] = static_cast<std::int8_t>(i);
    }
    return values;
}
constexpr std::array<std::int8_t, 256> values = make_values();

int value_of(char c) {
    return values[static_cast<unsigned char>(c)];
}

char* put_triple(char* out, std::uint32_t triple) {
    out[0] = static_cast<char>((triple >> 16) & 0xFF);
    out[1] = static_cast<char>((triple >> 8) & 0xFF);
    out[2] = static_cast<char>(triple & 0xFF);
    return out + 3;
}

// Reads one group of up to four characters into 24 bits. Places past the end count as 0; the
// reading stops at the first character outside the alphabet, whose 1-based place is returned
// (0 when the group was read in full). Places not read count as 0 too.
int read_group(const char* group, std::size_t size, std::uint32_t& triple) {
    if (size == 4) {
        const int v0 = value_of(group[0]);
        const int v1 = value_of(group[1]);
        const int v2 = value_of(group[2]);
        const int v3 = value_of(group[3]);
        if ((v0 | v1 | v2 | v3) >= 0) {
            triple = static_cast<std::uint32_t>(v0 << 18 | v1 << 12 | v2 << 6 | v3);
            return 0;
        }
    }
    triple = 0;
    for (std::size_t place = 0; place < size; ++place) {
        const int value = value_of(group[place]);
        if (value < 0) return static_cast<int>(place) + 1;
        triple |= static_cast<std::uint32_t>(value) << (18 - 6 * place);
    }
    return 0;
}

// Whether the text may hold spaces or CR LF pairs; one memchr per byte value is far faster than
// find_first_of.
bool holds_skipped(std::string_view text) {
    constexpr auto npos = std::string_view::npos;
    return text.find(' ') != npos || text.find('\r') != npos || text.find('\xA1') != npos;
}

// How many of the final group's three bytes stay, by the place where its reading stopped.
std::size_t bytes_kept(int stop_place) {
    switch (stop_place) {
        case 0:
            return 3;
        case 4:
            return 2;
        case 3:
            return 1;
        default:
            return 0;
    }
}

}  // namespace

std::string base64_encode(std::string_view bytes) {
    std::string text((bytes.size() + 2) / 3 * 4, '=');
    char* out = text.data();
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    std::size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        const std::uint32_t triple = byte(i) << 16 | byte(i + 1) << 8 | byte(i + 2);
        out[0] = alphabet[triple >> 18];
        out[1] = alphabet[(triple >> 12) & 63];
        out[2] = alphabet[(triple >> 6) & 63];
        out[3] = alphabet[triple & 63];
        out += 4;
    }
    const std::size_t left = bytes.size() - i;
    if (left > 0) {
        const std::uint32_t triple = byte(i) << 16 | (left == 2 ? byte(i + 1) << 8 : 0u);
        out[0] = alphabet[triple >> 18];
        out[1] = alphabet[(triple >> 12) & 63];
        if (left == 2) out[2] = alphabet[(triple >> 6) & 63];
    }
    return text;
}

std::string base64_decode(std::string_view text) {
    // Most links hold nothing to skip; only then is the text copied.
    std::string cleaned;
    if (holds_skipped(text)) {
        cleaned = replace_all(remove_spaces(text), "\r\n", "");
        text = cleaned;
    }
    const std::size_t groups = (text.size() + 3) / 4;
    std::string bytes(groups * 3, '\0');
    char* out = bytes.data();
    int stop_place = 0;
    for (std::size_t at = 0; at < text.size(); at += 4) {
        std::uint32_t triple = 0;
        stop_place =
            read_group(text.data() + at, std::min<std::size_t>(4, text.size() - at), triple);
        out = put_triple(out, triple);
        platform::process_events();
    }
    if (groups > 0) bytes.resize(bytes.size() - 3 + bytes_kept(stop_place));
    return bytes;
}

}  // namespace qingyu
