#include "links/link_codec.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <string_view>

namespace {

using namespace std::string_view_literals;

constexpr std::string_view failure = "\xd7\xaa\xbb\xbb\xca\xa7\xb0\xdc";  // 转换失败 in GBK
constexpr std::string_view thunder_abc = "thunder://QUFhYmNaWg==";
constexpr std::string_view flashget_abc = "Flashget://W0ZMQVNIR0VUXWFiY1tGTEFTSEdFVF0=&1926";
constexpr std::string_view qqdl_abc = "qqdl://YWJj";

struct ConvertCase {
    std::string_view link;
    int target;
    std::string_view expected;
};

TEST(LinkCodecTest, FailureTextIsTheFixedGbkText) {
    EXPECT_EQ(qingyu::convert_link_failure, failure);
}

TEST(LinkCodecTest, ConvertsBetweenTheFourForms) {
    constexpr std::array<ConvertCase, 16> cases{{
        {"abc", 0, "abc"},
        {"abc", 1, thunder_abc},
        {"abc", 2, flashget_abc},
        {"abc", 3, qqdl_abc},
        {thunder_abc, 0, "abc"},
        {flashget_abc, 0, "abc"},
        {qqdl_abc, 0, "abc"},
        {thunder_abc, 1, thunder_abc},
        {flashget_abc, 2, flashget_abc},
        {qqdl_abc, 3, qqdl_abc},
        {thunder_abc, 3, qqdl_abc},
        {qqdl_abc, 2, flashget_abc},
        {flashget_abc, 1, thunder_abc},
        {"http://a.example/f.zip", 0, "http://a.example/f.zip"},
        // A form the link already has is not re-encoded, even when it is not the canonical one.
        {"thunder://QUFhYmNaWg", 1, "thunder://QUFhYmNaWg"},
        {"thunder://QUFhYmNaWg", 3, qqdl_abc},
    }};
    for (const auto& [link, target, expected] : cases) {
        EXPECT_EQ(qingyu::convert_link(link, target), expected) << link << " to " << target;
    }
}

TEST(LinkCodecTest, SchemeTextsAreMatchedWithTheirCase) {
    constexpr std::array<ConvertCase, 9> cases{{
        // Another case of a prefix is no scheme at all: the whole text is the plain URL.
        {"Thunder://QUFhYmNaWg==", 1, "thunder://QUFUaHVuZGVyOi8vUVVGaFltTmFXZz09Wlo="},
        {"FLASHGET://W0ZMQVNIR0VUXWFiY1tGTEFTSEdFVF0=&1926", 3,
         "qqdl://RkxBU0hHRVQ6Ly9XMFpNUVZOSVIwVlVYV0ZpWTF0R1RFRlRTRWRGVkYwPSYxOTI2"},
        {"flashget://W0ZMQVNIR0VUXWFiY1tGTEFTSEdFVF0=&1926", 3,
         "qqdl://Zmxhc2hnZXQ6Ly9XMFpNUVZOSVIwVlVYV0ZpWTF0R1RFRlRTRWRGVkYwPSYxOTI2"},
        {"Thunder://QUFhYmNaWg==", 0, "Thunder://QUFhYmNaWg=="},
        // https holds no "http://" unless one comes later, and then it fails.
        {"https://a.example/f.zip", 3, "qqdl://aHR0cHM6Ly9hLmV4YW1wbGUvZi56aXA="},
        {"https://a.example/go?to=http://b.example/", 3, failure},
        {"https://a.example/go?to=http://b.example/", 0, failure},
        {"see thunder://QUFhYmNaWg==", 0, failure},
        // "http://" starting at the second byte of a double-byte character is no match.
        {"\x81http://x", 3, "qqdl://gWh0dHA6Ly94"},
    }};
    for (const auto& [link, target, expected] : cases) {
        EXPECT_EQ(qingyu::convert_link(link, target), expected) << link << " to " << target;
    }
}

TEST(LinkCodecTest, EmptyLinksAndUnknownTargetsFail) {
    constexpr std::array<ConvertCase, 5> cases{{
        {"", 0, failure},
        {"", 1, failure},
        {"abc", 4, failure},
        {"abc", -1, failure},
        {thunder_abc, 4, failure},
    }};
    for (const auto& [link, target, expected] : cases) {
        EXPECT_EQ(qingyu::convert_link(link, target), expected) << link << " to " << target;
    }
}

TEST(LinkCodecTest, DecodersCutByByteCountWithoutLooking) {
    struct DecodeCase {
        std::string (*decode)(std::string_view);
        std::string_view link;
        std::string_view url;
    };
    constexpr std::array<DecodeCase, 12> cases{{
        {qingyu::decode_thunder, "thunder://WFlhYmNaWg==", "abc"},  // "XYabcZZ"
        {qingyu::decode_thunder, "thunder://YWJjZA==", ""},         // four bytes or fewer
        {qingyu::decode_thunder, "thunder://YWJjZGU=", "c"},
        {qingyu::decode_thunder, "thunder://QUFhYgBjZFpa", ""},  // "AAab", zero, "cdZZ"
        {qingyu::decode_thunder, "thunder://", ""},
        {qingyu::decode_thunder, "thunder:/", ""},
        {qingyu::decode_flashget, "Flashget://W0ZMQVNIR0VUXWFiY1tGTEFTSEdFVF0=", "abc"},
        {qingyu::decode_flashget, "Flashget://W0ZMQVNIR0VUXWFiY1tGTEFTSEdFVF0=&x=1&1926", "abc"},
        {qingyu::decode_flashget, "Flashget://YWJj&1926", ""},
        {qingyu::decode_qqdl, "qqdl://YWJj", "abc"},
        {qingyu::decode_qqdl, "qqdl://YWI", "ab"},  // the zero byte of the missing padding ends it
        {qingyu::decode_qqdl, "qqdl://YW\r\nJ j", "abc"},
    }};
    for (const auto& [decode, link, url] : cases) {
        EXPECT_EQ(decode(link), url) << link;
    }
}

TEST(LinkCodecTest, GbkUrlsTravelAsTheirBytes) {
    constexpr std::string_view url = "http://example.com/\xc7\xe7\xd3\xec.txt";  // 晴屿
    EXPECT_EQ(qingyu::encode_thunder(url),
              "thunder://QUFodHRwOi8vZXhhbXBsZS5jb20vx+fT7C50eHRaWg==");
    EXPECT_EQ(qingyu::encode_qqdl(url), "qqdl://aHR0cDovL2V4YW1wbGUuY29tL8fn0+wudHh0");
    for (int target = 1; target <= 3; ++target) {
        EXPECT_EQ(qingyu::convert_link(qingyu::convert_link(url, target), 0), url);
    }
}

TEST(LinkCodecTest, RandomUrlsComeBackFromEveryScheme) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> byte(1, 255);  // a zero byte would end the decoded text
    for (int round = 0; round < 500; ++round) {
        std::string url(1 + rng() % 120, '\0');
        for (char& c : url) c = static_cast<char>(byte(rng));
        ASSERT_EQ(qingyu::decode_thunder(qingyu::encode_thunder(url)), url);
        ASSERT_EQ(qingyu::decode_flashget(qingyu::encode_flashget(url)), url);
        ASSERT_EQ(qingyu::decode_qqdl(qingyu::encode_qqdl(url)), url);
        const std::string with_scheme = "http://" + url;
        for (int target = 1; target <= 3; ++target) {
            ASSERT_EQ(qingyu::convert_link(qingyu::convert_link(with_scheme, target), 0),
                      with_scheme);
        }
    }
}

}  // namespace
