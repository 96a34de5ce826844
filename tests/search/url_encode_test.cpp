#include "search/url_encode.h"

#include <gtest/gtest.h>

#include <array>

namespace qingyu {
namespace {

TEST(UrlEncode, Cases) {
    struct Case {
        std::string_view text;
        bool keep_safe, to_utf8;
        std::string_view expected;
    };
    constexpr std::array cases{
        Case{"abc \xc4\xe3\xba\xc3", true, true, "abc%20%E4%BD%A0%E5%A5%BD"},  // abc 你好
        Case{"a_b~c/d.e-1", true, true, "a%5Fb%7Ec%2Fd.e-1"},
        Case{"\xc9\xab", false, true, "%E8%89%B2"},  // 色
        Case{"ab", false, true, "%61%62"},
        Case{"\xc4\xe3\xba\xc3", true, false, "%C4%E3%BA%C3"},
        Case{"\t\n", true, false, "%09%0A"},
        Case{"Az09.-", true, true, "Az09.-"},
        Case{"", true, true, ""},
        Case{"+*", true, false, "%2B%2A"},
        Case{"\x80\xff", true, false, "%80%FF"},
        // Bytes that are not GBK become U+FFFD before the UTF-8 step; the rest stays.
        Case{"\xff-", true, true, "%EF%BF%BD-"},
        Case{"a\xc4", true, true, "a%EF%BF%BD"},
    };
    for (const auto& [text, keep_safe, to_utf8, expected] : cases) {
        EXPECT_EQ(url_encode(text, keep_safe, to_utf8), expected) << text;
    }
}

}  // namespace
}  // namespace qingyu
