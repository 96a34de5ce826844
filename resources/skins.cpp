// The 33 built-in skins, each made from a few chosen colours: the window, its accent and its
// text. Skin 18, a calm blue-grey, dresses the main window.

#include <array>
#include <string_view>
#include <vector>

#include "resources/resources.h"
#include "skin_engine/skin_format.h"

namespace qingyu::resources {
namespace {

using skin::Rgb;

struct Palette {
    std::string_view name;
    Rgb window;
    Rgb accent;
    Rgb text;
    std::uint8_t corner_radius;
};

constexpr Rgb ink{0x20, 0x24, 0x2a};
constexpr Rgb white{0xff, 0xff, 0xff};

// clang-format off
constexpr std::array<Palette, skin_count> palettes{{
    {"Porcelain",   {0xf4, 0xf4, 0xf2}, {0x3a, 0x6e, 0xa5}, ink, 3},
    {"Jade",        {0xe9, 0xf2, 0xec}, {0x2e, 0x8b, 0x57}, ink, 3},
    {"Plum",        {0xf1, 0xea, 0xf2}, {0x8e, 0x44, 0xad}, ink, 3},
    {"Amber",       {0xf7, 0xf0, 0xe1}, {0xc2, 0x7c, 0x0e}, ink, 3},
    {"Coral",       {0xf8, 0xec, 0xe8}, {0xd3, 0x54, 0x3a}, ink, 3},
    {"Slate",       {0xe6, 0xe9, 0xed}, {0x44, 0x55, 0x66}, ink, 2},
    {"Sand",        {0xf3, 0xee, 0xe2}, {0x9c, 0x7a, 0x4b}, ink, 2},
    {"Lagoon",      {0xe5, 0xf3, 0xf5}, {0x11, 0x8a, 0x9e}, ink, 4},
    {"Rose",        {0xf8, 0xea, 0xef}, {0xc2, 0x3b, 0x6b}, ink, 4},
    {"Moss",        {0xec, 0xef, 0xe4}, {0x6b, 0x7f, 0x2a}, ink, 2},
    {"Indigo",      {0xea, 0xeb, 0xf5}, {0x3f, 0x45, 0xa8}, ink, 3},
    {"Copper",      {0xf4, 0xec, 0xe6}, {0xa8, 0x5a, 0x32}, ink, 2},
    {"Frost",       {0xf0, 0xf5, 0xfa}, {0x4a, 0x90, 0xd9}, ink, 5},
    {"Olive",       {0xef, 0xef, 0xe3}, {0x80, 0x80, 0x30}, ink, 2},
    {"Cherry",      {0xf6, 0xe8, 0xe8}, {0xb0, 0x1e, 0x2e}, ink, 3},
    {"Teal",        {0xe6, 0xf2, 0xf0}, {0x1f, 0x7a, 0x70}, ink, 3},
    {"Lavender",    {0xf1, 0xee, 0xf8}, {0x76, 0x5f, 0xb8}, ink, 4},
    {"Mist",        {0xe8, 0xed, 0xf2}, {0x4a, 0x6f, 0x8f}, ink, 3},
    {"Tangerine",   {0xfa, 0xef, 0xe3}, {0xe0, 0x6c, 0x10}, ink, 4},
    {"Pine",        {0xe7, 0xee, 0xe9}, {0x25, 0x5e, 0x3e}, ink, 2},
    {"Graphite",    {0xe4, 0xe4, 0xe4}, {0x3c, 0x3c, 0x3c}, ink, 1},
    {"Sky",         {0xec, 0xf4, 0xfb}, {0x2b, 0x7b, 0xc4}, ink, 4},
    {"Mulberry",    {0xf2, 0xe9, 0xee}, {0x7a, 0x2e, 0x5a}, ink, 3},
    {"Wheat",       {0xf6, 0xf1, 0xe4}, {0xb8, 0x94, 0x3c}, ink, 3},
    {"Denim",       {0xe8, 0xec, 0xf3}, {0x2f, 0x4b, 0x7c}, ink, 2},
    {"Peach",       {0xfb, 0xee, 0xe6}, {0xd9, 0x7b, 0x5a}, ink, 5},
    {"Sage",        {0xed, 0xf1, 0xec}, {0x5d, 0x7a, 0x5d}, ink, 3},
    {"Night",       {0x2b, 0x2f, 0x36}, {0x5a, 0x9b, 0xd5}, {0xe6, 0xe8, 0xeb}, 3},
    {"Ember",       {0x30, 0x2a, 0x28}, {0xe0, 0x7a, 0x3a}, {0xee, 0xe6, 0xe1}, 3},
    {"Forest",      {0x26, 0x30, 0x2a}, {0x5c, 0xb0, 0x7a}, {0xe3, 0xec, 0xe6}, 3},
    {"Ink",         {0x22, 0x24, 0x2c}, {0x8a, 0x7c, 0xd8}, {0xe4, 0xe3, 0xee}, 3},
    {"Paper",       {0xfd, 0xfc, 0xf8}, {0x55, 0x55, 0x55}, ink, 0},
    {"Harbour",     {0xe3, 0xea, 0xee}, {0x1d, 0x5c, 0x7a}, ink, 3},
}};
// clang-format on

Rgb mix(Rgb a, Rgb b, int percent_b) {
    const auto channel = [percent_b](int x, int y) {
        return static_cast<std::uint8_t>((x * (100 - percent_b) + y * percent_b) / 100);
    };
    return {channel(a.red, b.red), channel(a.green, b.green), channel(a.blue, b.blue)};
}

bool is_dark(Rgb colour) {
    return colour.red + colour.green + colour.blue < 3 * 128;
}

skin::Skin skin_of(const Palette& palette) {
    skin::Skin made;
    made.name = palette.name;
    made.corner_radius = palette.corner_radius;
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

const std::array<std::vector<unsigned char>, skin_count>& encoded_skins() {
    static const auto skins = [] {
        std::array<std::vector<unsigned char>, skin_count> all;
        for (std::size_t i = 0; i < palettes.size(); ++i)
            all[i] = encode_skin(skin_of(palettes[i]));
        return all;
    }();
    return skins;
}

}  // namespace

std::span<const unsigned char> skin_bytes(int number) {
    if (number < 1 || number > skin_count) return {};
    return encoded_skins()[static_cast<std::size_t>(number - 1)];
}

}  // namespace qingyu::resources
