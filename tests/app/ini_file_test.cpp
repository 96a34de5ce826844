// The settings file's format: the reading rules of the Windows profile functions, and writes
// that change one key's line and keep everything else.

#include "app/ini_file.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>

#include "app_fixture.h"

namespace qingyu {
namespace {

constexpr std::string_view section = "\xc5\xe4\xd6\xc3";  // 配置

TEST(IniFileTest, ReadsValuesByTheProfileRules) {
    const std::string content =
        "; comment\r\n"
        "[other]\r\n"
        "key=elsewhere\r\n"
        " [ \xc5\xe4\xd6\xc3 ] \r\n"  //  [ 配置 ]
        "Plain=value\r\n"
        "  padded  =   a b   \r\n"
        "tabs=\tx\t\r\n"
        "double=\"quoted \"\r\n"
        "single='it'\r\n"
        "mixed=\"half'\r\n"
        "bare quote=\"\r\n"
        "empty=\r\n"
        "inner=a\"b\"\r\n"
        "equals=a=b\r\n"
        "lf only=yes\n"
        "\x81\x41=upper trail byte\r\n"
        "[next]\r\n"
        "late=no";
    struct Case {
        std::string_view section, key, expected;
    };
    constexpr std::array cases{
        Case{section, "plain", "value"},   Case{section, "PADDED", "a b"},
        Case{section, "tabs", "x"},        Case{section, "double", "quoted "},
        Case{section, "single", "it"},     Case{section, "mixed", "\"half'"},
        Case{section, "bare quote", "\""}, Case{section, "empty", ""},
        Case{section, "inner", "a\"b\""},  Case{section, "equals", "a=b"},
        Case{section, "lf only", "yes"},   Case{section, "\x81\x41", "upper trail byte"},
        Case{section, "\x81\x61", ""},  // a trail byte is not an ASCII letter
        Case{section, "key", ""},       // only in another section
        Case{section, "late", ""},         Case{"OTHER", "key", "elsewhere"},
        Case{"next", "late", "no"},        Case{"missing", "plain", ""},
    };
    for (const auto& [wanted_section, key, expected] : cases) {
        SCOPED_TRACE(std::string(key));
        EXPECT_EQ(ini_value(content, wanted_section, key), expected);
    }
}

TEST(IniFileTest, SectionNamesEndAtASingleByteBracket) {
    // The trail byte of 乚 is the byte of "]".
    const std::string content = "[\x81\x5dx]\r\nk=found\r\n";  // [乚x]k=found
    EXPECT_EQ(ini_value(content, "\x81\x5dx", "k"), "found");  // 乚x
}

TEST(IniFileTest, ReadsAtMostTheValueLimitWithoutSplittingACharacter) {
    const std::string long_value(ini_value_limit + 50, 'x');
    EXPECT_EQ(ini_value("[s]\r\nk=" + long_value, "s", "k"), long_value.substr(0, ini_value_limit));

    const std::string across = std::string(ini_value_limit - 1, 'x') + "\xc5\xe4";  // 配
    EXPECT_EQ(ini_value("[s]\r\nk=" + across, "s", "k"), across.substr(0, ini_value_limit - 1));
}

TEST(IniFileTest, WritesChangeOnlyTheKeysLine) {
    struct Case {
        std::string_view before, after;
    };
    constexpr std::array cases{
        Case{"", "[\xc5\xe4\xd6\xc3]\r\nk=v\r\n"},                    // [配置]k=v
        Case{"[\xc5\xe4\xd6\xc3]", "[\xc5\xe4\xd6\xc3]\r\nk=v\r\n"},  // [配置] [配置]k=v
        // [配置]k=oldother=1 [配置]k=vother=1
        Case{"[\xc5\xe4\xd6\xc3]\r\nk=old\r\nother=1\r\n",
             "[\xc5\xe4\xd6\xc3]\r\nk=v\r\nother=1\r\n"},
        // ; note\n[配置]\n K = old \nx=1 ; note\n[配置]\nk=v\nx=1
        Case{"; note\n[\xc5\xe4\xd6\xc3]\n K = old \nx=1", "; note\n[\xc5\xe4\xd6\xc3]\nk=v\nx=1"},
        // [配置]a=1[next]k=x [配置]a=1k=v[next]k=x
        Case{"[\xc5\xe4\xd6\xc3]\r\na=1\r\n\r\n[next]\r\nk=x\r\n",
             "[\xc5\xe4\xd6\xc3]\r\na=1\r\nk=v\r\n\r\n[next]\r\nk=x\r\n"},
        // [other]x=1[配置]k=v
        Case{"[other]\r\nx=1", "[other]\r\nx=1\r\n[\xc5\xe4\xd6\xc3]\r\nk=v\r\n"},
    };
    for (const auto& [before, after] : cases) {
        SCOPED_TRACE(std::string(before));
        EXPECT_EQ(ini_with_value(before, section, "k", "v"), after);
    }
}

TEST(IniFileTest, AValueStaysOnItsLine) {
    const std::string content = ini_with_value("", section, "k", "a\r\nb=c\nd");
    EXPECT_EQ(content, "[\xc5\xe4\xd6\xc3]\r\nk=a  b=c d\r\n");  // [配置]k=a  b=c d
    EXPECT_EQ(ini_value(content, section, "b"), "");
}

class IniFileOnDiskTest : public test::TempFolderTest {};

TEST_F(IniFileOnDiskTest, WritesCreateTheFileAndKeepOtherKeys) {
    const std::string path = run_directory.string() + "\\test.ini";
    EXPECT_EQ(read_ini_value(path, section, "a"), "");
    ASSERT_TRUE(write_ini_value(path, section, "a", " 1 "));
    ASSERT_TRUE(write_ini_value(path, section, "b", "2"));
    ASSERT_TRUE(write_ini_value(path, section, "a", "3"));
    // [配置]a=3b=2
    EXPECT_EQ(test::read_bytes(run_directory / "test.ini"), "[\xc5\xe4\xd6\xc3]\r\na=3\r\nb=2\r\n");
    EXPECT_EQ(read_ini_value(path, section, "b"), "2");

    EXPECT_FALSE(write_ini_value(run_directory.string() + "\\missing\\x.ini", section, "a", "1"));
}

}  // namespace
}  // namespace qingyu
