#include "web/charset.h"

#include <gtest/gtest.h>

#include "platform/codepage.h"

namespace qingyu {
namespace {

// 你好: UTF-8 E4 BD A0 E5 A5 BD, GBK C4 E3 BA C3, UTF-16 U+4F60 U+597D.
constexpr std::string_view ni_hao_utf8 = "\xe4\xbd\xa0\xe5\xa5\xbd";
constexpr std::string_view ni_hao_gbk = "\xc4\xe3\xba\xc3";

TEST(Charset, Utf8ToAnsi) {
    EXPECT_EQ(utf8_to_ansi(ni_hao_utf8), ni_hao_gbk);
    EXPECT_EQ(utf8_to_ansi("plain ascii"), "plain ascii");
    EXPECT_EQ(utf8_to_ansi(std::string_view("a\0b", 3)), std::string_view("a\0b", 3));
    EXPECT_EQ(utf8_to_ansi(""), "");
    EXPECT_EQ(utf8_to_ansi("\xe3\x80\x80"), "\xa1\xa1");  // the full-width space
    EXPECT_EQ(utf8_to_ansi("\xf0\x9f\x98\x80"), "??");    // no GBK form: one "?" a unit
    EXPECT_EQ(utf8_to_ansi("a\xff"
                           "b"),
              "a?b");  // U+FFFD has no GBK form
}

TEST(Charset, Utf8ToWide) {
    EXPECT_EQ(utf8_to_wide("A\xe4\xbd\xa0"), std::string_view("A\0\x60\x4f", 4));
    EXPECT_EQ(utf8_to_wide("\xf0\x9f\x98\x80"),
              std::string_view("\x3d\xd8\x00\xde", 4));  // a surrogate pair
    EXPECT_EQ(utf8_to_wide(""), "");
    // Invalid UTF-8 becomes U+FFFD, one per offending byte, and nothing after it is lost.
    EXPECT_EQ(utf8_to_wide("\xff"), "\xfd\xff");
    EXPECT_EQ(utf8_to_wide("\xc0\x80"
                           "A"),
              std::string_view("\xfd\xff\xfd\xff"
                               "A\0",
                               6));
    EXPECT_EQ(utf8_to_wide("\xe4\xbd"), "\xfd\xff\xfd\xff");  // cut off at the end
}

TEST(Codepage, GbkAndUnicodeBothWays) {
    EXPECT_EQ(platform::gbk_to_utf8(ni_hao_gbk), ni_hao_utf8);
    EXPECT_EQ(platform::utf8_to_gbk(ni_hao_utf8), ni_hao_gbk);
    EXPECT_EQ(platform::gbk_to_utf16(ni_hao_gbk), u"\u4f60\u597d");
    EXPECT_EQ(platform::utf16_to_gbk(u"\u4f60\u597d"), ni_hao_gbk);
    EXPECT_EQ(platform::utf16_to_utf8(u"\u4f60"), "\xe4\xbd\xa0");
    EXPECT_EQ(platform::gbk_to_utf8(""), "");
}

TEST(Codepage, RefusedInputIsReplacedAndTheRestKept) {
    // A byte that starts no character, a lead byte without its trail, a lead byte at the end.
    EXPECT_EQ(platform::gbk_to_utf16("\xff"
                                     "A"),
              u"\ufffdA");
    EXPECT_EQ(platform::gbk_to_utf16("\x81 A"), u"\ufffd A");
    EXPECT_EQ(platform::gbk_to_utf16("A\x81"), u"A\ufffd");
    // An unassigned double-byte character (user-defined area) is one character: its trail byte
    // "@" must not appear on its own.
    EXPECT_EQ(platform::gbk_to_utf16("\xa1\x40"
                                     "B"),
              u"\ufffdB");
    // A lone surrogate.
    EXPECT_EQ(platform::utf16_to_gbk(u"\xd800"
                                     "A"),
              "?A");
    EXPECT_EQ(platform::utf16_to_utf8(u"\xdc00"
                                      "A"),
              "\xef\xbf\xbd"
              "A");
}

}  // namespace
}  // namespace qingyu
