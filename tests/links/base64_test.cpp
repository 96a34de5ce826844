#include "links/base64.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <functional>
#include <random>
#include <string>
#include <string_view>
#include <utility>

#include "platform/events.h"

namespace {

using namespace std::string_view_literals;

std::string random_bytes(std::mt19937& rng, std::size_t size) {
    std::uniform_int_distribution<int> byte(0, 255);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(byte(rng));
    return bytes;
}

TEST(Base64Test, EncodesWithPaddingOnOneLine) {
    constexpr std::array<std::pair<std::string_view, std::string_view>, 7> cases{{
        {"", ""},
        {"a", "YQ=="},
        {"ab", "YWI="},
        {"abc", "YWJj"},
        {"abcd", "YWJjZA=="},
        {"\0"sv, "AA=="},
        {"\xff\xfe\xfd\xc7\xe7", "//79x+c="},
    }};
    for (const auto& [bytes, text] : cases) {
        EXPECT_EQ(qingyu::base64_encode(bytes), text) << "bytes: " << bytes;
    }

    const std::string long_text = qingyu::base64_encode(std::string(3000, 'x'));
    EXPECT_EQ(long_text.size(), 4000u);
    EXPECT_EQ(long_text.find_first_of("\r\n"), std::string::npos);
}

TEST(Base64Test, DecodesTolerantly) {
    constexpr std::array<std::pair<std::string_view, std::string_view>, 26> cases{{
        // Correct padding gives back what was encoded.
        {"YWJj", "abc"},
        {"YWI=", "ab"},
        {"YQ==", "a"},
        // Spaces, full-width spaces and CR LF pairs are skipped; spaces go before the pairs.
        {"YW Jj", "abc"},
        {"YW\r\nJj", "abc"},
        {"YW\xa1\xa1Jj", "abc"},
        {" Y W\r\nJ j \r\n", "abc"},
        {"YW\r \nJj", "abc"},
        {"", ""},
        {"    ", ""},
        {"\xa1\xa1 \r\n", ""},
        // Missing padding reads as "A": the bytes come out with zero bytes behind them.
        {"YWI", "ab\0"sv},
        {"YQ", "a\0\0"sv},
        // "=" or any other outside character ends the final group: k = 4 keeps 2, k = 3 keeps 1.
        {"YW=", "a"},
        {"YWJjYWI=", "abcab"},
        {"YQ=", "a"},
        {"Y===", ""},
        // Tabs and a lone CR or LF are outside the alphabet, not skipped.
        {"YWI\t", "ab"},
        {"YWI\r", "ab"},
        {"YWI\n", "ab"},
        // A final group that begins outside the alphabet adds nothing; earlier groups stay whole.
        {"YWJj=", "abc"},
        {"YWJj====", "abc"},
        {"YWJj\t", "abc"},
        {"YWJj\xd6\xd0", "abc"},
        // Letters are told apart by case.
        {"ywjj", "\xcb\x08\xe3"},
        {"YWJjYWJj", "abcabc"},
    }};
    for (const auto& [text, bytes] : cases) {
        EXPECT_EQ(qingyu::base64_decode(text), bytes) << "text: " << text;
    }
}

TEST(Base64Test, AGroupEndedEarlyInTheMiddleStillGivesThreeBytes) {
    const std::string bytes = qingyu::base64_decode("YQ==YWJj");
    ASSERT_EQ(bytes.size(), 6u);
    EXPECT_EQ(bytes.substr(0, 1), "a");
    EXPECT_EQ(bytes.substr(3), "abc");
}

TEST(Base64Test, RandomBytesSurviveEncodingSkippedCharactersAndMissingPadding) {
    std::mt19937 rng(20240611);
    constexpr std::array<std::string_view, 3> skipped{" ", "\r\n", "\xa1\xa1"};
    for (int round = 0; round < 2000; ++round) {
        const std::string bytes = random_bytes(rng, rng() % 200);
        const std::string text = qingyu::base64_encode(bytes);
        ASSERT_EQ(qingyu::base64_decode(text), bytes);

        // Skipped characters at places of the encoded text, inserted from the back so that none
        // lands inside another.
        std::array<std::size_t, 5> places{};
        for (std::size_t& place : places) place = rng() % (text.size() + 1);
        std::sort(places.begin(), places.end(), std::greater<>());
        std::string spaced = text;
        for (const std::size_t place : places) {
            spaced.insert(place, skipped[rng() % skipped.size()]);
        }
        ASSERT_EQ(qingyu::base64_decode(spaced), bytes) << spaced;

        const std::size_t padding = text.size() - text.find_last_not_of('=') - 1;
        if (!bytes.empty()) {
            const std::string unpadded = text.substr(0, text.size() - padding);
            ASSERT_EQ(qingyu::base64_decode(unpadded), bytes + std::string(padding, '\0'));
        }
    }
}

class Base64EventsTest : public testing::Test {
  protected:
    void SetUp() override {
        qingyu::platform::set_process_events_hook([this] { ++calls_; });
    }
    void TearDown() override { qingyu::platform::set_process_events_hook({}); }
    int calls_ = 0;
};

TEST_F(Base64EventsTest, TheWindowGetsItsEventsOncePerGroup) {
    const std::string long_text(1001, 'Q');
    const std::array<std::pair<std::string_view, int>, 6> cases{{
        {"", 0},
        {" \r\n ", 0},
        {"YWJj", 1},
        {"YWJjYQ", 2},
        {"YW Jj\r\nYQ==", 2},
        {long_text, 251},
    }};
    for (const auto& [text, groups] : cases) {
        calls_ = 0;
        qingyu::base64_decode(text);
        EXPECT_EQ(calls_, groups) << "text: " << text.substr(0, 20);
    }
}

}  // namespace
