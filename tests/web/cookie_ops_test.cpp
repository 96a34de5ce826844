#include "web/cookie_ops.h"

#include <gtest/gtest.h>

#include <array>

namespace qingyu {
namespace {

TEST(Cookies, MergeKeepsReceivedFirstAndDropsDeleted) {
    struct Case {
        std::string_view sent, received, merged;
    };
    constexpr std::array cases{
        Case{"a=1; b=2", "b=3", "b=3; a=1"},
        Case{"a=1; b=2", "b=deleted", "a=1"},
        Case{"a=deleted; b=2", "", "b=2"},
        Case{"a=1 2; a=3", "", "a=12"},  // spaces go; of two sent entries the first stays
        Case{"", "x=1;y=2", "x=1; y=2"},
        Case{"x=1", "x=1; x=1", "x=1"},  // exact repeats once
        Case{"", "", ""},
    };
    for (const auto& [sent, received, merged] : cases) {
        std::string sent_set(sent), received_set(received);
        EXPECT_EQ(merge_cookies(sent_set, received_set), merged) << sent << " + " << received;
        EXPECT_EQ(sent_set, merged);
        EXPECT_EQ(received_set.find(' '), std::string::npos);
    }
}

TEST(Cookies, NamesCompareExactly) {
    EXPECT_EQ(cookie_name(" sid =1"), "sid");
    EXPECT_EQ(cookie_name(" flag "), "flag");
    EXPECT_EQ(cookie_name("a=b=c"), "a");
    EXPECT_TRUE(has_cookie_named({"a=1", "b=2"}, "b"));
    EXPECT_FALSE(has_cookie_named({"a=1"}, "A"));
    EXPECT_FALSE(has_cookie_named({}, ""));
}

}  // namespace
}  // namespace qingyu
