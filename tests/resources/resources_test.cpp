// The built-in skins, the skin format, the skin maker and the skin engine library.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "platform/skin.h"
#include "resources/resources.h"
#include "skin_engine/skin_format.h"

namespace qingyu {
namespace {

namespace fs = std::filesystem;

std::string file_bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void write_bytes(const fs::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

std::string text_of(std::span<const unsigned char> bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// A folder of this process's own, so that tests run side by side do not share files.
fs::path scratch_folder(const std::string& name) {
    const fs::path folder =
        fs::path(testing::TempDir()) / ("qingyu-resources-" + std::to_string(getpid())) / name;
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

TEST(Skins, EveryBuiltInSkinIsWholeAndReadable) {
    for (int number = 1; number <= resources::skin_count; ++number) {
        const auto bytes = resources::skin_bytes(number);
        ASSERT_GE(bytes.size(), 4u) << number;
        EXPECT_EQ(text_of(bytes.first(4)), ".SHE") << number;
        const auto decoded = skin::decode_skin(bytes.data(), bytes.size());
        ASSERT_TRUE(decoded) << number;
        EXPECT_FALSE(decoded->name.empty()) << number;
        EXPECT_EQ(skin::encode_skin(*decoded), std::vector(bytes.begin(), bytes.end()));
    }
    for (const int number : {0, 34, -1}) EXPECT_TRUE(resources::skin_bytes(number).empty());
}

TEST(Skins, DamagedOrCutSkinsAreRefused) {
    const auto bytes = resources::skin_bytes(18);
    struct Damage {
        const char* what;
        std::size_t at;  // byte to flip
    };
    constexpr Damage damages[] = {{"magic", 1}, {"name", 6}, {"colour", 20}, {"checksum", 0}};
    for (const Damage& damage : damages) {
        std::vector<unsigned char> damaged(bytes.begin(), bytes.end());
        const std::size_t at = damage.at ? damage.at : damaged.size() - 1;
        damaged[at] ^= 0x01;
        EXPECT_FALSE(skin::decode_skin(damaged.data(), damaged.size())) << damage.what;
    }
    std::vector<unsigned char> longer(bytes.begin(), bytes.end());
    longer.push_back(0);
    EXPECT_FALSE(skin::decode_skin(longer.data(), longer.size()));
    for (std::size_t length = 0; length < bytes.size(); ++length)
        EXPECT_FALSE(skin::decode_skin(bytes.data(), length)) << length;
    EXPECT_FALSE(skin::decode_skin(nullptr, 0));
}

TEST(Skins, AdjustingTurnsTheHueAndKeepsAZeroShiftExact) {
    const auto bytes = resources::skin_bytes(18);
    const skin::Skin mist = *skin::decode_skin(bytes.data(), bytes.size());
    EXPECT_EQ(skin::adjust_skin(mist, 0, 0, 0), mist);
    EXPECT_NE(skin::adjust_skin(mist, 180, 0, 0).colours[skin::highlight],
              mist.colours[skin::highlight]);
    EXPECT_EQ(skin::adjust_skin(mist, 0, 0, -100).colours[skin::window], (skin::Rgb{0, 0, 0}));
    // A pure red turned a third of the way round is pure green.
    skin::Skin red = mist;
    red.colours[skin::window] = {255, 0, 0};
    EXPECT_EQ(skin::adjust_skin(red, 120, 0, 0).colours[skin::window], (skin::Rgb{0, 255, 0}));
    EXPECT_EQ(skin::adjust_skin(red, 0, -100, 0).colours[skin::window], (skin::Rgb{255, 255, 255}));
}

int run_skin_maker(const fs::path& table, const fs::path& folder) {
    const std::string command = std::string("\"") + MAKE_SKINS + "\" \"" + table.string() +
                                "\" \"" + folder.string() + "\" 2>/dev/null";
    return std::system(command.c_str());
}

TEST(SkinMaker, MakesTheCarriedSkinsFromThePaletteTable) {
    const fs::path folder = scratch_folder("made");
    ASSERT_EQ(run_skin_maker(PALETTE_TABLE, folder), 0);
    for (int number = 1; number <= resources::skin_count; ++number) {
        const std::string name = (number < 10 ? "0" : "") + std::to_string(number) + ".she";
        EXPECT_EQ(file_bytes(folder / name), text_of(resources::skin_bytes(number))) << name;
    }
}

TEST(SkinMaker, RefusesATableThatIsNotWhole) {
    std::vector<std::string> lines;
    std::istringstream table(file_bytes(PALETTE_TABLE));
    for (std::string line; std::getline(table, line);) lines.push_back(line);
    std::size_t line_18 = 0;
    while (line_18 < lines.size() && !lines[line_18].starts_with("18 ")) ++line_18;
    ASSERT_LT(line_18, lines.size());

    struct Fault {
        const char* what;
        std::string replacement;  // for skin 18's line; empty drops it
    };
    const Fault faults[] = {
        {"missing line", ""},
        {"out of order", "19 Mist #e8edf2 #4a6f8f #20242a 3"},
        {"bad colour", "18 Mist #e8edg2 #4a6f8f #20242a 3"},
        {"short colour", "18 Mist #e8edf #4a6f8f #20242a 3"},
        {"missing field", "18 Mist #e8edf2 #4a6f8f #20242a"},
        {"extra field", "18 Mist #e8edf2 #4a6f8f #20242a 3 3"},
        {"negative corner", "18 Mist #e8edf2 #4a6f8f #20242a -1"},
    };
    const fs::path folder = scratch_folder("refused");
    for (const Fault& fault : faults) {
        std::string text;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const std::string& line = i == line_18 ? fault.replacement : lines[i];
            if (!line.empty()) text += line + "\n";
        }
        write_bytes(folder / "palettes.txt", text);
        EXPECT_NE(run_skin_maker(folder / "palettes.txt", folder), 0) << fault.what;
    }
    EXPECT_NE(run_skin_maker(folder / "none.txt", folder), 0);
}

TEST(SkinLibrary, CarriedBytesAreTheBuiltLibrary) {
    EXPECT_EQ(text_of(resources::skin_library_bytes()), file_bytes(SKIN_LIBRARY_FILE));
}

TEST(SkinLibrary, AttachesOnlyThroughALoadableLibraryWithItsEntryPoint) {
    const auto skin = resources::skin_bytes(18);
    const fs::path folder = scratch_folder("attach");
    write_bytes(folder / "not-a-library.dll", "MZ this is not a library");
    const std::string not_a_library = folder / "not-a-library.dll";
    const std::string missing = folder / "missing.dll";
    for (const std::string& path : {not_a_library, missing, std::string(LIBRARY_WITHOUT_ENTRY)}) {
        EXPECT_FALSE(platform::attach_skin_library(path, skin.data(), skin.size(), "", 0, 0, 0))
            << path;
    }
}

TEST(SkinLibrary, TheWrittenLibraryTakesSkinsAndRefusesWhatIsNotOne) {
    // Written as the program writes it, into a folder with a Chinese name, and named by a GBK
    // path with "\" separators.
    const fs::path folder = scratch_folder("\xE7\x9A\xAE\xE8\x82\xA4");  // 皮肤 in UTF-8
    write_bytes(folder / "SkinH_EL.dll", text_of(resources::skin_library_bytes()));
    const std::string path = folder.parent_path().string() + "\\\xC6\xA4\xB7\xF4\\SkinH_EL.dll";

    const auto skin = resources::skin_bytes(18);
    EXPECT_TRUE(platform::attach_skin_library(path, skin.data(), skin.size(), "", 0, 0, 0));
    // The library stays loaded: a second skin goes through the same library.
    const auto other = resources::skin_bytes(3);
    EXPECT_TRUE(platform::attach_skin_library(path, other.data(), other.size(), "", 20, 10, -10));

    EXPECT_FALSE(platform::attach_skin_library(path, nullptr, 0, "", 0, 0, 0));
    const unsigned char junk[] = ".SHE-but-nothing-else";
    EXPECT_FALSE(platform::attach_skin_library(path, junk, sizeof junk, "", 0, 0, 0));
    EXPECT_FALSE(platform::attach_skin_library(path, skin.data(), skin.size() - 1, "", 0, 0, 0));
}

}  // namespace
}  // namespace qingyu
