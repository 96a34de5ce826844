#pragma once
// Our skin file format (".SHE"): a name, a table of colour roles and two metrics, closed by a
// checksum so that a damaged file is refused. FORMAT.md beside this file gives the layout.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qingyu::skin {

enum ColourRole : std::size_t {
    window,
    window_text,
    base,
    alternate_base,
    text,
    button,
    button_text,
    highlight,
    highlighted_text,
    tool_tip_base,
    link,
    border,
    role_count,
};

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Rgb&) const = default;
};

struct Skin {
    std::string name;  // UTF-8, at most 255 bytes
    std::array<Rgb, role_count> colours{};
    std::uint8_t border_width = 1;
    std::uint8_t corner_radius = 0;
    bool operator==(const Skin&) const = default;
};

inline constexpr std::uint8_t format_version = 1;

std::vector<unsigned char> encode_skin(const Skin& skin);
// Nothing when the data is not a whole, undamaged skin of a version we read.
std::optional<Skin> decode_skin(const unsigned char* data, std::size_t length);

// Hue turned by `hue` degrees, saturation and brightness moved by percent (-100 to 100);
// all zero leaves the skin as it is.
Skin adjust_skin(const Skin& skin, int hue, int saturation, int brightness);

}  // namespace qingyu::skin
