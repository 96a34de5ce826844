// The services file: defaults, where the file is looked for, its format, and one clear error
// line for every fault, with which the program ends before any window.

#include "app/services.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>

#include "app_fixture.h"

namespace qingyu {
namespace {

class ServicesTest : public test::TempFolderTest {
  protected:
    std::string write_services(std::string_view name, std::string_view content) {
        const std::filesystem::path file = root / name;
        test::write_bytes(file, content);
        return file.string();
    }
};

TEST_F(ServicesTest, WithoutAFileThePublicHostsAndNoCredential) {
    std::filesystem::remove(run_directory / services_file_name);
    const ServicesResult result = load_services("");
    ASSERT_TRUE(result.services) << result.error;
    const Services& services = *result.services;
    EXPECT_EQ(services.search_host, "www.baidu.com");
    EXPECT_EQ(services.storage_host, "pan.baidu.com");
    EXPECT_EQ(services.pop3_port, 110);
    EXPECT_EQ(services.smtp_port, 25);
    EXPECT_EQ(services.mail_account, "");
    EXPECT_EQ(services.mail_password, "");
}

TEST_F(ServicesTest, ReadsEveryKindOfLine) {
    const std::string file = write_services("services.conf",
                                            "# the sandbox\r\n"
                                            "\r\n"
                                            "  search_host = 127.0.0.1:8001  \r\n"
                                            "maker_site=http://127.0.0.1:8002/\r\n"
                                            "pop3_port = 1110\r\n"
                                            "mail_account = board@example.com\r\n"
                                            "mail_password = p#ss = word\r\n"
                                            "qq_time_service = https://127.0.0.1:8003\n");
    const ServicesResult result = load_services(file);
    ASSERT_TRUE(result.services) << result.error;
    const Services& services = *result.services;
    EXPECT_EQ(services.search_host, "127.0.0.1:8001");
    EXPECT_EQ(services.maker_site, "http://127.0.0.1:8002");
    EXPECT_EQ(services.fallback_pattern_address(), "http://127.0.0.1:8002/bd.txt");
    EXPECT_EQ(services.pop3_port, 1110);
    EXPECT_EQ(services.smtp_port, 25);
    EXPECT_EQ(services.mail_account, "board@example.com");
    EXPECT_EQ(services.mail_password, "p#ss = word");
    EXPECT_EQ(services.qq_time_service, "https://127.0.0.1:8003");
    EXPECT_EQ(services.storage_host, "pan.baidu.com");
}

TEST_F(ServicesTest, TheFileNextToTheProgramIsUsedUnlessOneIsNamed) {
    test::write_bytes(run_directory / "qingyu-services.conf", "ping_host = 127.0.0.1:9\n");
    const ServicesResult beside = load_services("");
    ASSERT_TRUE(beside.services) << beside.error;
    EXPECT_EQ(beside.services->ping_host, "127.0.0.1:9");

    const ServicesResult named = load_services(write_services("named.conf", "ping_host = x\n"));
    ASSERT_TRUE(named.services) << named.error;
    EXPECT_EQ(named.services->ping_host, "x");

    test::write_bytes(run_directory / "qingyu-services.conf", "\nping_host\n");
    EXPECT_EQ(load_services("").error,
              (run_directory / "qingyu-services.conf").string() + ":2: expected 'key = value'");
}

TEST_F(ServicesTest, EveryFaultIsOneLineNamingFileAndLine) {
    struct Case {
        std::string_view content;
        int line;
        std::string_view reason;
    };
    constexpr std::array cases{
        Case{"search_host www.baidu.com\n", 1, "expected 'key = value'"},
        Case{"# note\n\ncolour = red\n", 3, "unknown key 'colour'"},
        Case{"pop3_port = 11o\n", 1, "bad port '11o'"},
        Case{"smtp_port = 70000\n", 1, "bad port '70000'"},
        Case{"smtp_port = 0\n", 1, "bad port '0'"},
        Case{"search_host = a\r\nsmtp_port =\r\n", 2, "bad port ''"},
        Case{"maker_site = www.example.com\n", 1, "http://"},
        Case{"maker_site = http://\n", 1, "http://"},
        Case{"search_host = http://www.example.com\n", 1, "host name"},
        Case{"qq_chat_service = http://wpa-qq.example\n", 1, "'-'"},
        Case{"ping_host = a\nping_host = b\n", 2, "given twice"},
        Case{"storage_host =\n", 1, "empty value"},
    };
    for (const auto& [content, line, reason] : cases) {
        SCOPED_TRACE(std::string(content));
        const std::string file = write_services("bad.conf", content);
        const ServicesResult result = load_services(file);
        EXPECT_FALSE(result.services);
        const std::string prefix = file + ":" + std::to_string(line) + ": ";
        EXPECT_EQ(result.error.substr(0, prefix.size()), prefix);
        EXPECT_NE(result.error.find(reason), std::string::npos) << result.error;
        EXPECT_EQ(result.error.find('\n'), std::string::npos);
    }

    const std::string missing = (root / "missing.conf").string();
    const ServicesResult result = load_services(missing);
    EXPECT_FALSE(result.services);
    EXPECT_EQ(result.error.substr(0, missing.size() + 2), missing + ": ");
}

TEST_F(ServicesTest, TheProgramEndsWithTheErrorLineAndNoWindow) {
    const std::string file = write_services("bad.conf", "pop3_port = pop\n");
    test::HeadlessEngine engine;
    testing::internal::CaptureStderr();
    const int status = run_program(engine, ProgramOptions{file});
    const std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_EQ(status, 2);
    EXPECT_FALSE(engine.is_open());
    EXPECT_EQ(engine.text(""), "");
    EXPECT_EQ(printed, "qingyu: " + file + ":1: bad port 'pop' for 'pop3_port' (1 to 65535)\n");
    EXPECT_FALSE(std::filesystem::exists(settings_file()));
}

}  // namespace
}  // namespace qingyu
