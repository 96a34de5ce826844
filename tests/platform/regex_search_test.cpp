// The byte-level regex search: Perl syntax over GBK bytes, case-sensitive, "." across line
// breaks, "^" and "$" at the ends of the whole text, groups by number, refused and runaway
// patterns as values.

#include "platform/regex_search.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>

namespace qingyu::platform {
namespace {

std::string all_matches(const RegexSearch& regex, std::string_view text) {
    std::string joined;
    for (const auto& match : regex.search_all(text)) {
        joined += std::to_string(match.position) + "[" + match.text + "]";
    }
    return joined;
}

TEST(RegexSearchTest, MatchesLeftToRightWithoutOverlap) {
    struct Case {
        const char* pattern;
        const char* text;
        const char* expected;  // position[text] of every match
    };
    constexpr std::array cases = {
        Case{"aa", "aaaaa", "0[aa]2[aa]"},
        Case{"<b>(.+?)</b>", "<b>1</b>\n<b>2</b>", "0[<b>1</b>]9[<b>2</b>]"},
        Case{"<b>.+</b>", "<b>1</b>\n<b>2</b>", "0[<b>1</b>\n<b>2</b>]"},  // "." takes LF
        Case{"ABC", "abc ABC", "4[ABC]"},                                  // case-sensitive
        Case{"^\\w", "a\nb", "0[a]"},                                      // "^" at the start only
        Case{"\\w$", "a\nb\n", ""},                                        // "$" at the end only
        Case{"\\w$", "a\nb", "2[b]"},
        Case{"\xd6\xd0.", "\xd6\xd0\xce\xc4", "0[\xd6\xd0\xce]"},  // bytes, not characters
        Case{"x*", "ab", "0[]1[]2[]"},
    };
    for (const auto& [pattern, text, expected] : cases) {
        SCOPED_TRACE(std::string(pattern) + " over " + text);
        RegexSearch regex;
        ASSERT_TRUE(regex.compile(pattern));
        EXPECT_EQ(all_matches(regex, text), expected);
    }
}

TEST(RegexSearchTest, GroupsByNumber) {
    RegexSearch regex;
    ASSERT_TRUE(regex.compile("(\\w+)=(\\d+)?(;)"));
    const auto matches = regex.search_all("a=1;b=;");
    ASSERT_EQ(matches.size(), 2u);
    EXPECT_EQ(matches[0].group(0), "a=1;");
    EXPECT_EQ(matches[0].group(1), "a");
    EXPECT_EQ(matches[0].group(2), "1");
    EXPECT_EQ(matches[1].group(2), "");  // took no part
    EXPECT_EQ(matches[1].group(3), ";");
    EXPECT_EQ(matches[1].group(4), "");
    EXPECT_EQ(matches[1].group(-1), "");
}

TEST(RegexSearchTest, SearchFromAPosition) {
    RegexSearch regex;
    ASSERT_TRUE(regex.compile("\\bab"));
    constexpr std::string_view text = "ab xab ab";
    EXPECT_EQ(regex.search_from(text)->position, 0u);
    // The text before `from` still counts: "xab" holds no word start at "ab".
    EXPECT_EQ(regex.search_from(text, 1)->position, 7u);
    EXPECT_FALSE(regex.search_from(text, 8));
    EXPECT_FALSE(regex.search_from(text, 100));

    ASSERT_TRUE(regex.compile("^a"));
    EXPECT_FALSE(regex.search_from("aa", 1));  // "^" belongs to the whole text's start
}

TEST(RegexSearchTest, RefusedAndRunawayPatternsFindNothing) {
    RegexSearch regex;
    for (const char* pattern : {"(ab", "a[b", "*a", "a{2,1}"}) {
        SCOPED_TRACE(pattern);
        EXPECT_FALSE(regex.compile(pattern));
        EXPECT_FALSE(regex.valid());
        EXPECT_TRUE(regex.search_all("ab").empty());
        EXPECT_FALSE(regex.search_from("ab"));
    }
    ASSERT_TRUE(regex.compile("(x+x+)+y"));
    const std::string runaway(5000, 'x');
    EXPECT_TRUE(regex.search_all(runaway).empty());
    EXPECT_FALSE(regex.search_from(runaway));
}

}  // namespace
}  // namespace qingyu::platform
