#include "web/text_ops.h"

#include <gtest/gtest.h>

#include <array>

namespace qingyu {
namespace {

// GBK bytes used below: 你 = C4 E3, 好 = BA C3, 字 = D7 D6, 啊 = B0 A1, and 丂 = 81 40 whose
// trail byte is "@"; 81 41 and 81 61 are two different characters whose trail bytes are "A"
// and "a".
using Pieces = std::vector<std::string>;

TEST(FindText, RespectsDoubleByteCharactersAndCase) {
    struct Case {
        std::string_view text, needle;
        int start;
        bool case_sensitive;
        int expected;
    };
    constexpr std::array cases{
        Case{"abcabc", "bc", 1, true, 2},
        Case{"abcabc", "bc", 3, true, 5},
        Case{"abcabc", "BC", 1, true, -1},
        Case{"abcabc", "BC", 1, false, 2},
        Case{"abc", "x", 1, true, -1},
        Case{"abc", "a", 0, true, 1},
        Case{"abc", "a", 9, true, -1},
        Case{"abc", "", 2, true, 2},
        Case{"", "", 1, true, -1},
        Case{"\x81\x40@", "@", 1, true, 3},                 // never at a trail byte
        Case{"\x81\x40@", "@", 2, true, 3},                 // a start inside a character
        Case{"\xc4\xe3\xba\xc3", "\xe3\xba", 1, true, -1},  // a span across two characters
        Case{"\xc4\xe3\xba\xc3", "\xba\xc3", 1, true, 3},
        Case{"\xd7\xd6"
             "A",
             "a", 1, false, 3},
        Case{"\x81\x41", "\x81\x61", 1, false, -1},  // trail bytes are not letters
        Case{"x\x81\x41Y", "\x81\x41y", 1, false, 2},
    };
    for (const auto& [text, needle, start, case_sensitive, expected] : cases) {
        EXPECT_EQ(find_text(text, needle, start, case_sensitive), expected)
            << text << " / " << needle << " from " << start;
    }
    EXPECT_TRUE(contains_text("Hello", "LL", false));
    EXPECT_FALSE(contains_text("Hello", "LL"));
}

TEST(TextRules, LowerTrimRemove) {
    EXPECT_EQ(to_lower_ascii("AbC\xc4\xe3Z"), "abc\xc4\xe3z");
    EXPECT_EQ(to_lower_ascii("\x81\x41"), "\x81\x41");  // a trail byte "A" is not a letter
    EXPECT_EQ(trim_spaces("  \xa1\xa1 a b\xa1\xa1 "), "a b");
    EXPECT_EQ(trim_spaces("\ta\r\n"), "\ta\r\n");
    EXPECT_EQ(trim_spaces("\xa1\xa1"), "");
    EXPECT_EQ(trim_spaces("x\xb0\xa1\xa1"), "x\xb0\xa1\xa1");  // 啊 then a lone A1
    EXPECT_EQ(remove_spaces(" a \xa1\xa1 b "), "ab");
    EXPECT_EQ(remove_spaces("\xb0\xa1\xa1\xa1"), "\xb0\xa1");  // 啊 stays, the space after goes
}

TEST(TextRules, ReplaceAll) {
    struct Case {
        std::string_view text, from, to, expected;
    };
    constexpr std::array cases{
        Case{"a-b-c", "-", "+", "a+b+c"},
        Case{"aaa", "aa", "b", "ba"},
        Case{"abc", "", "x", "abc"},
        Case{"A-a", "a", "x", "A-x"},              // exact bytes
        Case{"\x81\x40@", "@", "#", "\x81\x40#"},  // the trail byte "@" stays
        Case{"x\xc4\xe3y", "\xc4\xe3", "", "xy"},
    };
    for (const auto& [text, from, to, expected] : cases) {
        EXPECT_EQ(replace_all(text, from, to), expected) << text;
    }
}

TEST(TextRules, SplitJoinAndFindItem) {
    struct Case {
        std::string_view text, separator;
        Pieces pieces;
    };
    const std::array cases{
        Case{"a;b;;c;", ";", {"a", "b", "", "c"}},
        Case{"", ";", {}},
        Case{";", ";", {""}},
        Case{"abc", ";", {"abc"}},
        Case{"a; b", "; ", {"a", "b"}},
        Case{"\x81;x;y", ";", {"\x81;x", "y"}},  // 81 3B is one character, not a separator
    };
    for (const auto& [text, separator, pieces] : cases) {
        EXPECT_EQ(split_text(text, separator), pieces) << text;
    }
    EXPECT_EQ(join_texts({"a", "", "b"}, "; "), "a; ; b");
    EXPECT_EQ(join_unique("a; b; a; ; ; b", "; "), "a; b; ");
    EXPECT_EQ(join_unique("", "; "), "");
    EXPECT_EQ(find_item({"x", "y", "y"}, "y"), 2);
    EXPECT_EQ(find_item({"x", "y"}, "Y"), -1);
    EXPECT_EQ(find_item({}, ""), -1);
}

TEST(TextBetween, Markers) {
    struct Case {
        std::string_view text, start, end, expected;
    };
    constexpr std::array cases{
        Case{"<a href=\"x.htm\">", "href=\"", "\"", "x.htm"},
        Case{"<a href=\"x.htm\">", "href=#\xd2\xfd\xba\xc5", "#\xd2\xfd\xba\xc5", "x.htm"},
        Case{"\"a\":\"b\"", "#\xd2\xfd\xba\xc5:#\xd2\xfd\xba\xc5", "#\xd2\xfd\xba\xc5", "b"},
        Case{"[1][2]", "[", "]", "1"},
        Case{"end] start[", "start[", "]", ""},
        Case{"ab", "a", "b", ""},
        Case{"abc", "", "b", "a"},
        Case{"abc", "a", "", ""},
        Case{"", "", "a", ""},
        Case{"AbC", "a", "c", "b"},  // markers ignore case by default
        Case{"abc", "x", "c", ""},
        Case{"a", "a", "a", ""},
        Case{"\x81[x]", "[", "]", ""},  // 81 5B is one character: its "[" is no marker
        Case{"\x81[[x]", "[", "]", "x"},
    };
    for (const auto& [text, start, end, expected] : cases) {
        EXPECT_EQ(text_between(text, start, end), expected) << text;
    }
    EXPECT_EQ(text_between("AbC", "a", "c", 1, true), "");
    EXPECT_EQ(text_between("<1><2>", "<", ">", 2), "2");
    EXPECT_EQ(text_between("<1>", "<", ">", -5), "1");
}

TEST(HeaderValue, TextAfterTheFirstColonTrimmed) {
    EXPECT_EQ(header_value("Location:  http://a/b:c  "), "http://a/b:c");
    EXPECT_EQ(header_value("X:\xa1\xa1v\t"), "v\t");
    EXPECT_EQ(header_value("X:"), "");
    EXPECT_EQ(header_value("no colon"), "");
}

}  // namespace
}  // namespace qingyu
