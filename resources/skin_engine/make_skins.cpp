// Makes the built-in skin files from the palette table (resources/skins/palettes.txt).
// Usage: qingyu_make_skins <palettes.txt> <output folder>
// Writes <output folder>/01.she to 33.she; exits with 1 and a message when the table is not
// exactly 33 well-formed lines numbered 1 to 33 in order.

#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "resources/resources.h"
#include "skin_engine/skin_format.h"

namespace {

using qingyu::skin::Rgb;
namespace skin = qingyu::skin;

using qingyu::resources::skin_count;
constexpr Rgb white{0xff, 0xff, 0xff};

struct Palette {
    std::string name;
    Rgb window;
    Rgb accent;
    Rgb text;
    int corner_radius = 0;
};

std::optional<Rgb> parse_colour(const std::string& text) {
    if (text.size() != 7 || text[0] != '#') return std::nullopt;
    unsigned value = 0;
    for (std::size_t i = 1; i < text.size(); ++i) {
        const char c = text[i];
        unsigned digit;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else {
            return std::nullopt;
        }
        value = value * 16 + digit;
    }
    return Rgb{static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
               static_cast<std::uint8_t>(value)};
}

// One table line: number, name, window, accent, text, corner radius.
std::optional<Palette> parse_line(const std::string& line, int expected_number) {
    std::istringstream fields(line);
    int number = 0, corner = -1;
    std::string name, window, accent, text, rest;
    if (!(fields >> number >> name >> window >> accent >> text >> corner) || (fields >> rest))
        return std::nullopt;
    const auto w = parse_colour(window), a = parse_colour(accent), t = parse_colour(text);
    if (number != expected_number || !w || !a || !t || corner < 0 || corner > 20 ||
        name.size() > 255)
        return std::nullopt;
    return Palette{name, *w, *a, *t, corner};
}

Rgb mix(Rgb a, Rgb b, int percent_b) {
    const auto channel = [percent_b](int x, int y) {
        return static_cast<std::uint8_t>((x * (100 - percent_b) + y * percent_b) / 100);
    };
    return {channel(a.red, b.red), channel(a.green, b.green), channel(a.blue, b.blue)};
}

bool is_dark(Rgb colour) {
    return colour.red + colour.green + colour.blue < 3 * 128;
}

// The other roles follow from the three chosen colours: white fields (a shade lighter than the
// window on dark skins), buttons and borders tinted with the accent, the accent as highlight
// and link colour.
skin::Skin skin_of(const Palette& palette) {
    skin::Skin made;
    made.name = palette.name;
    made.corner_radius = static_cast<std::uint8_t>(palette.corner_radius);
    const Rgb field = is_dark(palette.window) ? mix(palette.window, white, 6) : white;
    auto& c = made.colours;
    c[skin::window] = palette.window;
    c[skin::window_text] = palette.text;
    c[skin::base] = field;
    c[skin::alternate_base] = mix(field, palette.accent, 6);
    c[skin::text] = palette.text;
    c[skin::button] = mix(palette.window, palette.accent, 10);
    c[skin::button_text] = palette.text;
    c[skin::highlight] = palette.accent;
    c[skin::highlighted_text] = white;
    c[skin::tool_tip_base] = mix(field, palette.accent, 12);
    c[skin::link] = palette.accent;
    c[skin::border] = mix(palette.window, palette.accent, 45);
    return made;
}

std::optional<std::vector<Palette>> read_table(const char* path) {
    std::ifstream in(path);
    if (!in) {
        std::cerr << path << ": cannot be read\n";
        return std::nullopt;
    }
    std::vector<Palette> palettes;
    std::string line;
    for (int line_number = 1; std::getline(in, line); ++line_number) {
        const auto first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos || line[first] == '#') continue;
        const auto palette = parse_line(line, static_cast<int>(palettes.size()) + 1);
        if (!palette) {
            std::cerr << path << ':' << line_number << ": not a palette line, or out of order\n";
            return std::nullopt;
        }
        palettes.push_back(*palette);
    }
    if (palettes.size() != skin_count) {
        std::cerr << path << ": " << palettes.size() << " palettes instead of " << skin_count
                  << '\n';
        return std::nullopt;
    }
    return palettes;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: qingyu_make_skins <palettes.txt> <output folder>\n";
        return 1;
    }
    const auto palettes = read_table(argv[1]);
    if (!palettes) return 1;
    for (std::size_t i = 0; i < palettes->size(); ++i) {
        const std::string number = std::to_string(i + 1);
        const std::string path =
            std::string(argv[2]) + (number.size() < 2 ? "/0" : "/") + number + ".she";
        const std::vector<unsigned char> bytes = skin::encode_skin(skin_of((*palettes)[i]));
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) {
            std::cerr << path << ": cannot be written\n";
            return 1;
        }
    }
    return 0;
}
