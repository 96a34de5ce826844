#include "web/text_ops.h"

#include <gtest/gtest.h>

#include <array>

#include "web/charset.h"
#include "web/cookie_ops.h"
#include "web/url_ops.h"

namespace qingyu {
namespace {

// GBK bytes used below: 你 = C4 E3, 好 = BA C3, 字 = D7 D6, and 丂 = 81 40 whose trail byte is "@".
constexpr std::string_view ni_hao = "\xc4\xe3\xba\xc3";

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
        Case{"\x81\x40@", "@", 1, true, 3},                 // never at a trail byte
        Case{"\xc4\xe3\xba\xc3", "\xe3\xba", 1, true, -1},  // a span across two characters
        Case{"\xc4\xe3\xba\xc3", "\xba\xc3", 1, true, 3},
        Case{"\xd7\xd6"
             "A",
             "a", 1, false, 3},
    };
    for (const auto& [text, needle, start, case_sensitive, expected] : cases) {
        EXPECT_EQ(find_text(text, needle, start, case_sensitive), expected)
            << text << " / " << needle;
    }
}

TEST(TextRules, LowerTrimRemoveSplit) {
    EXPECT_EQ(to_lower_ascii("AbC\xc4\xe3Z"), "abc\xc4\xe3z");
    EXPECT_EQ(to_lower_ascii("\x81\x41"), "\x81\x41");  // a trail byte "A" is not a letter
    EXPECT_EQ(trim_spaces("  \xa1\xa1 a b\xa1\xa1 "), "a b");
    EXPECT_EQ(trim_spaces("\ta\r\n"), "\ta\r\n");
    EXPECT_EQ(trim_spaces("\xa1\xa1"), "");
    EXPECT_EQ(trim_spaces("x\xb0\xa1\xa1"), "x\xb0\xa1\xa1");  // 啊 (B0 A1) then a lone A1
    EXPECT_EQ(remove_spaces(" a \xa1\xa1 b "), "ab");

    using Pieces = std::vector<std::string>;
    EXPECT_EQ(split_text("a;b;;c;", ";"), (Pieces{"a", "b", "", "c"}));
    EXPECT_EQ(split_text("", ";"), Pieces{});
    EXPECT_EQ(split_text(";", ";"), Pieces{""});
    EXPECT_EQ(join_unique("a; b; a; ; ; b", "; "), "a; b; ");
    EXPECT_EQ(find_item({"x", "y"}, "y"), 2);
    EXPECT_EQ(find_item({"x", "y"}, "z"), -1);
}

TEST(TextBetween, Markers) {
    struct Case {
        std::string_view text, start, end, expected;
    };
    constexpr std::array cases{
        Case{"<a href=\"x.htm\">", "href=\"", "\"", "x.htm"},
        Case{"<a href=\"x.htm\">", "href=#\xd2\xfd\xba\xc5", "#\xd2\xfd\xba\xc5", "x.htm"},
        Case{"[1][2]", "[", "]", "1"},
        Case{"end] start[", "start[", "]", ""},
        Case{"ab", "a", "b", ""},
        Case{"abc", "", "b", "a"},
        Case{"abc", "a", "", ""},
        Case{"AbC", "a", "c", "b"},  // markers ignore case by default
        Case{"abc", "x", "c", ""},
    };
    for (const auto& [text, start, end, expected] : cases) {
        EXPECT_EQ(text_between(text, start, end), expected) << text;
    }
    EXPECT_EQ(text_between("AbC", "a", "c", 1, true), "");
    EXPECT_EQ(header_value("Location:  http://a/b:c  "), "http://a/b:c");
    EXPECT_EQ(header_value("no colon"), "");
}

TEST(UrlOps, HostPortPath) {
    struct Case {
        std::string_view address, host, host_port;
        int port;
        std::string_view path;
    };
    constexpr std::array cases{
        Case{"http://Www.Example.COM/A/b?q=1", "www.example.com", "www.example.com", 80,
             "/A/b?q=1"},
        Case{"HTTPS://host.cn/x", "host.cn", "host.cn", 443, "/x"},
        Case{"host.cn:8080/p", "host.cn", "host.cn:8080", 8080, "/p"},
        Case{"http://host.cn:abc/", "host.cn", "host.cn:abc", 0, "/"},
        Case{"host.cn", "host.cn", "host.cn", 80, "/"},
        Case{"host.cn?q=1", "host.cn?q=1", "host.cn?q=1", 80, "/"},
        Case{"a.cn/go?to=http://b.cn/x", "b.cn", "b.cn", 80, "/x"},
    };
    for (const auto& [address, host, host_port, port, path] : cases) {
        EXPECT_EQ(url_host(address), host) << address;
        EXPECT_EQ(url_host(address, true), host_port) << address;
        EXPECT_EQ(url_port(address), port) << address;
        EXPECT_EQ(url_path(address), path) << address;
    }
}

TEST(Cookies, MergeKeepsReceivedFirstAndDropsDeleted) {
    struct Case {
        std::string_view sent, received, merged;
    };
    constexpr std::array cases{
        Case{"a=1; b=2", "b=3", "b=3; a=1"},
        Case{"a=1; b=2", "b=deleted", "a=1"},
        Case{"a=1 2; a=3", "", "a=12"},
        Case{"", "x=1;y=2", "x=1; y=2"},
        Case{"", "", ""},
    };
    for (const auto& [sent, received, merged] : cases) {
        std::string sent_set(sent), received_set(received);
        EXPECT_EQ(merge_cookies(sent_set, received_set), merged) << sent << " + " << received;
        EXPECT_EQ(sent_set, merged);
        EXPECT_EQ(received_set.find(' '), std::string::npos);
    }
    EXPECT_EQ(cookie_name(" sid =1"), "sid");
    EXPECT_EQ(cookie_name(" flag "), "flag");
    EXPECT_TRUE(has_cookie_named({"a=1", "b=2"}, "b"));
    EXPECT_FALSE(has_cookie_named({"a=1"}, "A"));
}

TEST(Charset, Utf8ToGbk) {
    EXPECT_EQ(utf8_to_ansi("\xe4\xbd\xa0\xe5\xa5\xbd"), ni_hao);
    EXPECT_EQ(utf8_to_ansi("plain ascii"), "plain ascii");
    EXPECT_EQ(utf8_to_ansi(std::string_view("a\0b", 3)), std::string_view("a\0b", 3));
    EXPECT_EQ(utf8_to_ansi(""), "");
    EXPECT_EQ(utf8_to_ansi("\xf0\x9f\x98\x80"), "??");  // no GBK form: the default character
    EXPECT_EQ(utf8_to_wide("A\xe4\xbd\xa0"), std::string_view("A\0\x60\x4f", 4));
    EXPECT_EQ(utf8_to_wide("\xff"), "\xfd\xff");  // invalid UTF-8 becomes U+FFFD
}

}  // namespace
}  // namespace qingyu
