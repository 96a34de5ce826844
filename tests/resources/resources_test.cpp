// The built-in skins, the skin format and the skin engine library.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "platform/skin.h"
#include "resources/resources.h"
#include "skin_engine/skin_format.h"

namespace qingyu {
namespace {

std::string file_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(Skins, EveryBuiltInSkinIsWholeAndReadable) {
    for (int number = 1; number <= resources::skin_count; ++number) {
        const auto bytes = resources::skin_bytes(number);
        ASSERT_GE(bytes.size(), 4u) << number;
        EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), ".SHE") << number;
        const auto decoded = skin::decode_skin(bytes.data(), bytes.size());
        ASSERT_TRUE(decoded) << number;
        EXPECT_EQ(skin::encode_skin(*decoded), std::vector(bytes.begin(), bytes.end()));
    }
    for (const int number : {0, 34, -1}) EXPECT_TRUE(resources::skin_bytes(number).empty());
}

TEST(Skins, DamagedOrCutSkinsAreRefused) {
    const auto bytes = resources::skin_bytes(18);
    std::vector<unsigned char> damaged(bytes.begin(), bytes.end());
    damaged[10] ^= 0x01;
    EXPECT_FALSE(skin::decode_skin(damaged.data(), damaged.size()));
    EXPECT_FALSE(skin::decode_skin(bytes.data(), bytes.size() - 1));
    EXPECT_FALSE(skin::decode_skin(nullptr, 0));
}

TEST(Skins, AdjustingTurnsTheHueAndKeepsAZeroShiftExact) {
    const auto bytes = resources::skin_bytes(18);
    const skin::Skin mist = *skin::decode_skin(bytes.data(), bytes.size());
    EXPECT_EQ(skin::adjust_skin(mist, 0, 0, 0), mist);
    const skin::Skin turned = skin::adjust_skin(mist, 180, 0, 0);
    EXPECT_NE(turned.colours[skin::highlight], mist.colours[skin::highlight]);
    EXPECT_EQ(skin::adjust_skin(mist, 0, 0, -100).colours[skin::window], (skin::Rgb{0, 0, 0}));
}

TEST(SkinLibrary, CarriedBytesAreTheBuiltLibrary) {
    const auto carried = resources::skin_library_bytes();
    EXPECT_EQ(std::string(carried.begin(), carried.end()), file_bytes(SKIN_LIBRARY_FILE));
}

// One test, in this order: a library once loaded stays loaded for the process's life.
TEST(SkinLibrary, AttachesOnlyThroughARealLibraryWithItsEntryPoint) {
    const auto skin = resources::skin_bytes(18);
    const std::string not_a_library = testing::TempDir() + "not-a-library.dll";
    std::ofstream(not_a_library) << "MZ this is not a library";
    EXPECT_FALSE(
        platform::attach_skin_library(not_a_library, skin.data(), skin.size(), "", 0, 0, 0));
    EXPECT_FALSE(platform::attach_skin_library(testing::TempDir() + "missing.dll", skin.data(),
                                               skin.size(), "", 0, 0, 0));

    EXPECT_TRUE(
        platform::attach_skin_library(SKIN_LIBRARY_FILE, skin.data(), skin.size(), "", 0, 0, 0));
    // The engine refuses what is not a skin.
    EXPECT_FALSE(platform::attach_skin_library(SKIN_LIBRARY_FILE, nullptr, 0, "", 0, 0, 0));
    const unsigned char junk[] = ".SHE-but-nothing-else";
    EXPECT_FALSE(platform::attach_skin_library(SKIN_LIBRARY_FILE, junk, sizeof junk, "", 0, 0, 0));
}

}  // namespace
}  // namespace qingyu
