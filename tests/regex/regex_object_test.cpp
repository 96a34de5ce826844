// The regular-expression object over GBK texts: options, failures as values, groups, the quote
// placeholder, byte positions, replacement, and where its language parts from RegexSearch's.

#include "regex/regex_object.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>

#include "platform/regex_search.h"

namespace qingyu {
namespace {

// GBK: 中 D6D0, 文 CEC4, 背景 B1B3 BEB0, "#引号" 23 D2FD BAC5, full-width Ａ A3C1 and ａ A3E1.
#define ZHONG "\xd6\xd0"
#define WEN "\xce\xc4"
#define QUOTE_WORD "#\xd2\xfd\xba\xc5"

std::string all_matches(const RegexObject& regex) {
    std::string joined;
    for (int n = 1; n <= regex.match_count(); ++n) joined += "[" + regex.match_text(n) + "]";
    return joined;
}

TEST(RegexObjectTest, OptionsAndLanguage) {
    struct Case {
        const char* pattern;
        const char* text;
        bool case_sensitive;
        bool multiline;
        bool global;
        const char* expected;  // every match, each in brackets
    };
    constexpr std::array cases = {
        // Defaults ignore case; case-sensitive does not; beyond ASCII too (full-width letters).
        Case{"ABC", "xabcx", false, true, true, "[abc]"},
        Case{"ABC", "xabcx", true, true, true, ""},
        Case{"\xa3\xc1", "\xa3\xe1", false, true, true, "[\xa3\xe1]"},
        // Lazy against greedy.
        Case{"<b>(.+?)</b>", "<b>1</b><b>2</b>", false, true, true, "[<b>1</b>][<b>2</b>]"},
        Case{"<b>(.+)</b>", "<b>1</b><b>2</b>", false, true, true, "[<b>1</b><b>2</b>]"},
        // Global off keeps the first match only.
        Case{"\\d", "1a2b3", false, true, false, "[1]"},
        // "." refuses a line feed only; "^" and "$" at line breaks only with multiline.
        Case{"a.b", "a\nb a\rb", false, true, true, "[a\rb]"},
        Case{"^\\w", "a\nb\rc", false, true, true, "[a][b][c]"},
        Case{"^\\w", "a\nb\rc", false, false, true, "[a]"},
        Case{"\\w$", "a\nb", false, false, true, "[b]"},
        Case{"\\w$", "a\n", false, false, true, ""},
        Case{"^.+$", "ab\r\ncd", false, true, true, "[ab\r][cd]"},
        // Characters, not bytes: one "." takes a Chinese character.
        Case{"^.$", ZHONG, false, true, true, "[" ZHONG "]"},
        Case{"[\\u4e00-\\u9fa5]+", "ab" ZHONG WEN "cd", false, true, true, "[" ZHONG WEN "]"},
        // Word characters are ASCII: a Chinese character is neither \w nor a word.
        Case{"\\w+", ZHONG "abc", false, true, true, "[abc]"},
        Case{"\\bab", ZHONG "ab", false, true, true, "[ab]"},
        // Escapes without a meaning of their own are the character itself.
        Case{"\\<b\\>", "<b>", false, true, true, "[<b>]"},
        // Empty matches advance one character.
        Case{"a*", "baaa", false, true, true, "[][aaa][]"},
    };
    for (const auto& [pattern, text, case_sensitive, multiline, global, expected] : cases) {
        SCOPED_TRACE(std::string(pattern) + " over " + text);
        RegexObject regex;
        ASSERT_TRUE(regex.create(pattern, text, case_sensitive, multiline, global));
        EXPECT_EQ(all_matches(regex), expected);
    }
}

TEST(RegexObjectTest, GroupsByNumber) {
    RegexObject regex;
    ASSERT_TRUE(regex.create("(\\w+)=(\\d*)(;)?", "a=1;b=2;c="));
    ASSERT_EQ(regex.match_count(), 3);
    EXPECT_EQ(regex.submatch_count(), 3);
    EXPECT_EQ(regex.submatch_text(2, 1), "b");
    EXPECT_EQ(regex.submatch_text(2, 2), "2");
    EXPECT_EQ(regex.submatch_text(3, 2), "");  // took part, matched nothing
    EXPECT_EQ(regex.submatch_text(3, 3), "");  // took no part
}

TEST(RegexObjectTest, NoMatchIsSuccessWithNothing) {
    RegexObject regex;
    EXPECT_TRUE(regex.create("xyz", "abc"));
    EXPECT_EQ(regex.match_count(), 0);
    EXPECT_EQ(regex.submatch_count(), 0);
    EXPECT_EQ(regex.match_text(1), "");
    EXPECT_EQ(regex.pattern(), "xyz");
}

TEST(RegexObjectTest, RefusedPatternGivesFalseAndEmpties) {
    for (const char* pattern : {"(ab", "a[b", "*a", "a\\"}) {
        SCOPED_TRACE(pattern);
        RegexObject regex;
        ASSERT_TRUE(regex.create("(a)", "a"));  // a second create starts from nothing
        EXPECT_FALSE(regex.create(pattern, "ab"));
        EXPECT_EQ(regex.match_count(), 0);
        EXPECT_EQ(regex.submatch_count(), 0);
        EXPECT_EQ(regex.match_text(1), "");
        EXPECT_EQ(regex.submatch_text(1, 1), "");
        EXPECT_EQ(regex.replace("x"), "");
    }
}

TEST(RegexObjectTest, RunawayPatternFailsInsteadOfHanging) {
    RegexObject regex;
    EXPECT_FALSE(regex.create("(x+x+)+y", std::string(5000, 'x')));
    EXPECT_EQ(regex.match_count(), 0);
    EXPECT_EQ(regex.replace("z"), "");
}

TEST(RegexObjectTest, OutOfRangeNumbersGiveEmptyAndNoPosition) {
    RegexObject regex;
    ASSERT_TRUE(regex.create("(a)(b)", "ab ab"));
    constexpr std::array<std::array<int, 2>, 6> numbers = {
        {{0, 1}, {-1, 1}, {3, 1}, {1, 0}, {1, 3}, {1, -2}}};
    for (const auto& [n, m] : numbers) {
        SCOPED_TRACE(testing::Message() << n << "," << m);
        int position = 99;
        EXPECT_EQ(regex.submatch_text(n, m, &position), "");
        EXPECT_EQ(position, -1);
    }
    int position = 99;
    EXPECT_EQ(regex.match_text(3, &position), "");
    EXPECT_EQ(position, -1);
}

TEST(RegexObjectTest, QuotePlaceholder) {
    constexpr std::string_view page = "<a href=\"x.htm\">" QUOTE_WORD "7";
    RegexObject regex;
    ASSERT_TRUE(regex.create("href=" QUOTE_WORD "(.+?)" QUOTE_WORD, page, {}, {}, {}, true));
    EXPECT_EQ(regex.submatch_text(1, 1), "x.htm");
    EXPECT_EQ(regex.pattern(), "href=\"(.+?)\"");

    ASSERT_TRUE(regex.create("href=" QUOTE_WORD "(.+?)" QUOTE_WORD, page));
    EXPECT_EQ(regex.match_count(), 0);
    ASSERT_TRUE(regex.create(QUOTE_WORD "(\\d)", page));
    EXPECT_EQ(regex.submatch_text(1, 1), "7");
}

TEST(RegexObjectTest, PositionIsTheByteOffsetInTheSubject) {
    struct Case {
        const char* pattern;
        const char* text;
        bool case_sensitive;
        int n;
        int m;  // 0: the whole match
        const char* expected_text;
        int expected_position;
    };
    constexpr std::array cases = {
        Case{"ab", "abab", false, 2, 0, "ab", 2},
        Case{"ab", ZHONG WEN "ab", false, 1, 0, "ab", 4},
        Case{"c(" WEN ")", ZHONG "c" WEN, false, 1, 1, WEN, 3},
        // Searching the text from the character index would find earlier occurrences here.
        Case{"a$", ZHONG ZHONG "aa", false, 1, 0, "a", 5},
        Case{"a(a)", "aa", false, 1, 1, "a", 1},
        Case{"ab", "Ab ab", true, 1, 0, "ab", 3},
        // A stray byte that is no GBK character still counts one byte.
        Case{"ab", "\xff" ZHONG "ab", false, 1, 0, "ab", 3},
    };
    for (const auto& [pattern, text, case_sensitive, n, m, expected_text, expected] : cases) {
        SCOPED_TRACE(std::string(pattern) + " over " + text);
        RegexObject regex;
        ASSERT_TRUE(regex.create(pattern, text, case_sensitive));
        int position = -9;
        const std::string found =
            m == 0 ? regex.match_text(n, &position) : regex.submatch_text(n, m, &position);
        EXPECT_EQ(found, expected_text);
        EXPECT_EQ(position, expected);
    }
}

TEST(RegexObjectTest, ReplaceFollowsTheComponentReferences) {
    struct Case {
        const char* pattern;
        const char* replacement;
        bool global;
        const char* expected;
    };
    constexpr std::array cases = {
        Case{"(\\w)(\\d)", "$2$1", true, "1a-2b " ZHONG "c"},
        Case{"(\\w)(\\d)", "$2$1", false, "1a-b2 " ZHONG "c"},
        Case{"b2", "<$`|$&|$'>", false, "a1-<a1-|b2| " ZHONG "c> " ZHONG "c"},
        Case{"(a)1", "$$1 $3 $10 $01 $", false, "$1 $3 a0 a $-b2 " ZHONG "c"},
        Case{"(.)c", "[$1]", true, "a1-b2 [" ZHONG "]"},
    };
    for (const auto& [pattern, replacement, global, expected] : cases) {
        SCOPED_TRACE(std::string(pattern) + " -> " + replacement);
        RegexObject regex;
        ASSERT_TRUE(regex.create(pattern, "a1-b2 " ZHONG "c", {}, {}, global));
        EXPECT_EQ(regex.replace(replacement), expected);
    }
}

TEST(RegexObjectTest, CopySharesResultsAndOutlivesDestroy) {
    RegexObject regex;
    ASSERT_TRUE(regex.create("(\\d+)", "a12b345"));
    const RegexObject copy = regex.copy();
    regex.destroy();
    EXPECT_EQ(regex.match_count(), 0);
    EXPECT_EQ(regex.pattern(), "");
    EXPECT_EQ(copy.match_count(), 2);
    EXPECT_EQ(copy.submatch_text(2, 1), "345");
    EXPECT_EQ(copy.replace("#"), "a#b#");
}

TEST(RegexObjectTest, BoardSettingPattern) {
    // A display setting read out of the board text: "背景(...)" with the value in group 1.
    RegexObject regex;
    ASSERT_TRUE(regex.create("\xb1\xb3\xbe\xb0\\((.+?)\\)",
                             "x\r\n\xb1\xb3\xbe\xb0(#FFF)\xb1\xb3\xbe\xb0(#000)"));
    EXPECT_EQ(regex.submatch_text(1, 1), "#FFF");
}

// The object's language against the platform's byte-level RegexSearch, where they part.
TEST(RegexObjectTest, LanguageDiffersFromRegexSearch) {
    struct Case {
        const char* pattern;
        const char* text;
        int object_matches;
        int search_matches;
    };
    constexpr std::array cases = {
        Case{"a.b", "a\nb", 0, 1},  // "." and a line feed
        Case{"a.b", "a\rb", 1, 1},  // "." and a carriage return
        Case{"^b", "a\nb", 1, 0},   // "^" inside the text
        Case{"a$", "a\nb", 1, 0},   // "$" inside the text
        Case{"ABC", "abc", 1, 0},   // case
        Case{"^.$", ZHONG, 1, 0},   // a Chinese character is one character...
        Case{"^..$", ZHONG, 0, 1},  // ...or two bytes
    };
    for (const auto& [pattern, text, object_matches, search_matches] : cases) {
        SCOPED_TRACE(std::string(pattern) + " over " + text);
        RegexObject object;
        ASSERT_TRUE(object.create(pattern, text));
        EXPECT_EQ(object.match_count(), object_matches);
        platform::RegexSearch search;
        ASSERT_TRUE(search.compile(pattern));
        EXPECT_EQ(static_cast<int>(search.search_all(text).size()), search_matches);
    }
}

}  // namespace
}  // namespace qingyu
