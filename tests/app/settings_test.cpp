// The three settings between the settings file and their controls, through whole runs of the
// program: first run, round trip, odd stored values, and a run directory that is not writable.

#include "app/settings.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>

#include "app/control_names.h"
#include "app/ini_file.h"
#include "app_fixture.h"

namespace qingyu {
namespace {

using test::HeadlessEngine;

// 淫 骚 妞 嫩 騒 荡 粿 裸 色
constexpr std::string_view default_words =
    "\xd2\xf9 \xc9\xa7 \xe6\xa4 \xc4\xdb \xf2\x58 \xb5\xb4 \xbc\x40 \xc2\xe3 \xc9\xab ";

struct Shown {
    std::string keyword;
    std::string blocked_words;
    int page_size_index = -2;
};

Shown shown(const HeadlessEngine& engine) {
    return {engine.text(controls::edit_box1), engine.text(controls::edit_box2),
            engine.selected_index(controls::combo_box1)};
}

class SettingsTest : public test::TempFolderTest {
  protected:
    Shown run_and_look() {
        Shown seen;
        EXPECT_EQ(run_session([&](HeadlessEngine& engine) { seen = shown(engine); }), 0);
        return seen;
    }
};

TEST_F(SettingsTest, FirstRunShowsTheDefaultsAndWritesAllThreeKeys) {
    const Shown seen = run_and_look();
    EXPECT_EQ(seen.keyword, "");
    EXPECT_EQ(seen.blocked_words, default_words);
    EXPECT_EQ(seen.page_size_index, 3);
    EXPECT_EQ(test::read_bytes(settings_file()),
              // [配置]关键词=屏蔽词=淫 骚 妞 嫩 騒 荡 粿 裸 色 每页条数=3
              "[\xc5\xe4\xd6\xc3]\r\n\xb9\xd8\xbc\xfc\xb4\xca=\r\n\xc6\xc1\xb1\xce\xb4\xca="
              "\xd2\xf9 \xc9\xa7 \xe6\xa4 \xc4\xdb \xf2\x58 \xb5\xb4 \xbc\x40 \xc2\xe3 \xc9\xab "
              "\r\n\xc3\xbf\xd2\xb3\xcc\xf5\xca\xfd=3\r\n");
}

TEST_F(SettingsTest, WhatTheUserChangedIsThereNextRun) {
    run_session([](HeadlessEngine& engine) {
        engine.type_text(controls::edit_box1, "\xb5\xe7\xd3\xb0 2014");  // 电影 2014
        ASSERT_TRUE(engine.click(controls::button8));
        engine.type_text(controls::edit_box2, "\xb9\xe3\xb8\xe6 \xb2\xa1\xb6\xbe ");  // 广告 病毒
        engine.key(controls::edit_box2, 13);
        engine.select_item(controls::combo_box1, 1);
    });
    const Shown seen = run_and_look();
    EXPECT_EQ(seen.keyword, "\xb5\xe7\xd3\xb0 2014");  // 电影 2014
    // Saved with its final space, which the reading drops.
    EXPECT_EQ(seen.blocked_words, "\xb9\xe3\xb8\xe6 \xb2\xa1\xb6\xbe");  // 广告 病毒
    EXPECT_EQ(seen.page_size_index, 1);
}

TEST_F(SettingsTest, OddStoredValues) {
    // Stored blocked words and page size; what the window shows; the page size saved at exit.
    struct Case {
        std::string_view blocked_words, page_size;
        std::string_view shown_words;
        int shown_index;
        std::string_view saved_page_size;
    };
    constexpr std::array cases{
        Case{"", "", default_words, 3, "3"},   Case{"   ", "  ", default_words, 3, "3"},
        Case{"'x y '", "'2'", "x y ", 2, "2"}, Case{"''", "letters", default_words, 0, "0"},
        Case{"  w  ", "7", "w", -1, "-1"},     Case{"'open", "2.9", "'open", 2, "2"},
        Case{"w", "-1", "w", -1, "-1"},        Case{"w", "1abc", "w", 1, "1"},
    };
    for (const auto& [words, page_size, shown_words, shown_index, saved] : cases) {
        SCOPED_TRACE("words [" + std::string(words) + "] page size [" + std::string(page_size) +
                     "]");
        // [配置]屏蔽词=
        test::write_bytes(settings_file(),
                          "[\xc5\xe4\xd6\xc3]\r\n\xc6\xc1\xb1\xce\xb4\xca=" + std::string(words) +
                              // 每页条数=
                              "\r\n\xc3\xbf\xd2\xb3\xcc\xf5\xca\xfd=" + std::string(page_size) +
                              "\r\n");
        const Shown seen = run_and_look();
        EXPECT_EQ(seen.blocked_words, shown_words);
        EXPECT_EQ(seen.page_size_index, shown_index);
        const std::string path = settings_write_path();
        // 配置 每页条数
        EXPECT_EQ(read_ini_value(path, "\xc5\xe4\xd6\xc3", "\xc3\xbf\xd2\xb3\xcc\xf5\xca\xfd"),
                  saved);
    }
}

TEST_F(SettingsTest, KeywordKeepsInnerBlanksAndLosesOuterOnesAndQuotes) {
    for (const auto& [stored, expected] :
         std::array<std::pair<std::string_view, std::string_view>, 3>{
             {{" a  b ", "a  b"}, {"\"q\"", "q"}, {"'", "'"}}}) {
        // [配置]关键词=
        test::write_bytes(settings_file(), "[\xc5\xe4\xd6\xc3]\r\n\xb9\xd8\xbc\xfc\xb4\xca=" +
                                               std::string(stored) + "\r\n");
        EXPECT_EQ(run_and_look().keyword, expected);
    }
}

TEST_F(SettingsTest, AnUnwritableRunDirectorySendsTheFileToTheConfigurationFolder) {
    use_unwritable_run_directory();
    EXPECT_EQ(run_session(
                  [](HeadlessEngine& engine) { engine.type_text(controls::edit_box1, "keyword"); }),
              0);
    EXPECT_FALSE(std::filesystem::exists(settings_file()));
    EXPECT_NE(test::read_bytes(config_settings_file()).find("=keyword\r\n"), std::string::npos);
    EXPECT_EQ(run_and_look().keyword, "keyword");
}

TEST(SettingsNumberTest, ReadsLeadingDecimalDigits) {
    constexpr std::array<std::pair<std::string_view, int>, 9> cases{{
        {"", 0},
        {"abc", 0},
        {"3", 3},
        {"-1", -1},
        {"+2", 2},
        {"2.9", 2},
        {"-0.5", 0},
        {"12abc", 12},
        {"99999999999", -1},
    }};
    for (const auto& [text, number] : cases) {
        EXPECT_EQ(settings_number(text), number) << text;
    }
}

}  // namespace
}  // namespace qingyu
