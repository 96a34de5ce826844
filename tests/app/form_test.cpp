// The window's form as data: names, places on the pages, the result list's columns.

#include "app/form.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>
#include <string_view>

#include "app/control_names.h"

namespace qingyu {
namespace {

TEST(FormTest, EveryControlHasItsOwnNameAndFitsItsPage) {
    const platform::FormSpec form = main_form(Services{});
    std::set<std::string> names;
    for (const auto& control : form.controls) {
        SCOPED_TRACE(control.name);
        EXPECT_TRUE(names.insert(control.name).second);
        EXPECT_GE(control.page, 0);
        EXPECT_LE(control.page, 4);
        if (control.page > 0) {
            // Inside the tab control's 608 x 392 pixels.
            EXPECT_LE(control.rect.x + control.rect.width, 608);
            EXPECT_LE(control.rect.y + control.rect.height, 392);
        }
    }
}

TEST(FormTest, TheResultListHasItsFiveColumns) {
    const platform::FormSpec form = main_form(Services{});
    const platform::ControlSpec* list = nullptr;
    for (const auto& control : form.controls) {
        if (control.name == controls::report_list1) list = &control;
    }
    ASSERT_NE(list, nullptr);
    constexpr std::array<std::pair<std::string_view, int>, 5> expected{{
        // 文件名 文件大小 分享者 分享时间 下载次数
        {"\xce\xc4\xbc\xfe\xc3\xfb", 238},
        {"\xce\xc4\xbc\xfe\xb4\xf3\xd0\xa1", 60},
        {"\xb7\xd6\xcf\xed\xd5\xdf", 110},
        {"\xb7\xd6\xcf\xed\xca\xb1\xbc\xe4", 111},
        {"\xcf\xc2\xd4\xd8\xb4\xce\xca\xfd", 58},
    }};
    ASSERT_EQ(list->columns.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(list->columns[i].caption, expected[i].first);
        EXPECT_EQ(list->columns[i].width, expected[i].second);
    }
}

}  // namespace
}  // namespace qingyu
