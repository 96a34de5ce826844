#include "skin_engine/skin_format.h"

#include <algorithm>
#include <cmath>

namespace qingyu::skin {
namespace {

constexpr unsigned char magic[4] = {'.', 'S', 'H', 'E'};

// FNV-1a over every byte before the checksum.
std::uint32_t checksum(const unsigned char* data, std::size_t length) {
    std::uint32_t hash = 2166136261u;
    for (std::size_t i = 0; i < length; ++i) {
        hash ^= data[i];
        hash *= 16777619u;
    }
    return hash;
}

struct Hsv {
    double hue, saturation, value;
};

Hsv to_hsv(Rgb colour) {
    const double r = colour.red / 255.0, g = colour.green / 255.0, b = colour.blue / 255.0;
    const double high = std::max({r, g, b}), low = std::min({r, g, b}), span = high - low;
    double hue = 0;
    if (span > 0) {
        if (high == r) {
            hue = 60 * std::fmod((g - b) / span, 6.0);
        } else if (high == g) {
            hue = 60 * ((b - r) / span + 2);
        } else {
            hue = 60 * ((r - g) / span + 4);
        }
    }
    if (hue < 0) hue += 360;
    return {hue, high > 0 ? span / high : 0, high};
}

Rgb to_rgb(Hsv hsv) {
    const double c = hsv.value * hsv.saturation;
    const double x = c * (1 - std::fabs(std::fmod(hsv.hue / 60, 2.0) - 1));
    const double m = hsv.value - c;
    double r = 0, g = 0, b = 0;
    switch (static_cast<int>(hsv.hue / 60) % 6) {
        case 0:
            r = c, g = x;
            break;
        case 1:
            r = x, g = c;
            break;
        case 2:
            g = c, b = x;
            break;
        case 3:
            g = x, b = c;
            break;
        case 4:
            r = x, b = c;
            break;
        default:
            r = c, b = x;
            break;
    }
    const auto channel = [m](double v) {
        return static_cast<std::uint8_t>(std::clamp(std::lround((v + m) * 255), 0L, 255L));
    };
    return {channel(r), channel(g), channel(b)};
}

}  // namespace

std::vector<unsigned char> encode_skin(const Skin& skin) {
    std::vector<unsigned char> bytes(std::begin(magic), std::end(magic));
    bytes.push_back(format_version);
    const std::size_t name_length = std::min<std::size_t>(skin.name.size(), 255);
    bytes.push_back(static_cast<unsigned char>(name_length));
    bytes.insert(bytes.end(), skin.name.begin(), skin.name.begin() + name_length);
    bytes.push_back(static_cast<unsigned char>(role_count));
    for (const Rgb& colour : skin.colours) {
        bytes.insert(bytes.end(), {colour.red, colour.green, colour.blue});
    }
    bytes.push_back(skin.border_width);
    bytes.push_back(skin.corner_radius);
    const std::uint32_t sum = checksum(bytes.data(), bytes.size());
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back((sum >> shift) & 0xFF);
    return bytes;
}

std::optional<Skin> decode_skin(const unsigned char* data, std::size_t length) {
    if (!data || length < 4 + 1 + 1 + 1 + 2 + 4) return std::nullopt;
    if (!std::equal(std::begin(magic), std::end(magic), data)) return std::nullopt;
    std::uint32_t stored = 0;
    for (int i = 0; i < 4; ++i) stored |= std::uint32_t{data[length - 4 + i]} << (8 * i);
    if (stored != checksum(data, length - 4)) return std::nullopt;
    if (data[4] != format_version) return std::nullopt;

    Skin skin;
    std::size_t at = 5;
    const std::size_t name_length = data[at++];
    const std::size_t expected = at + name_length + 1 + 3 * role_count + 2 + 4;
    if (length != expected || data[at + name_length] != role_count) return std::nullopt;
    skin.name.assign(reinterpret_cast<const char*>(data + at), name_length);
    at += name_length + 1;
    for (Rgb& colour : skin.colours) {
        colour = {data[at], data[at + 1], data[at + 2]};
        at += 3;
    }
    skin.border_width = data[at++];
    skin.corner_radius = data[at++];
    return skin;
}

Skin adjust_skin(const Skin& skin, int hue, int saturation, int brightness) {
    if (hue == 0 && saturation == 0 && brightness == 0) return skin;
    Skin adjusted = skin;
    for (Rgb& colour : adjusted.colours) {
        Hsv hsv = to_hsv(colour);
        hsv.hue = std::fmod(hsv.hue + hue % 360 + 360, 360.0);
        hsv.saturation =
            std::clamp(hsv.saturation * (1 + std::clamp(saturation, -100, 100) / 100.0), 0.0, 1.0);
        hsv.value =
            std::clamp(hsv.value * (1 + std::clamp(brightness, -100, 100) / 100.0), 0.0, 1.0);
        colour = to_rgb(hsv);
    }
    return adjusted;
}

}  // namespace qingyu::skin
