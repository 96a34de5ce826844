// Handing texts to the desktop: the recording handler gets the core's text unchanged, and without
// one the text reaches xdg-open as UTF-8 (a stand-in xdg-open on PATH records its argument).

#include "platform/shell.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "loopback_server.h"

namespace qingyu::platform {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// "晴屿" in GBK and in UTF-8.
constexpr std::string_view gbk_name = "\xC7\xE7\xD3\xEC";
constexpr std::string_view utf8_name = "\xE6\x99\xB4\xE5\xB1\xBF";

TEST(ShellTest, TheHandlerGetsTheTextAsGivenAndCanBeRemoved) {
    std::vector<std::string> opened;
    set_open_url_handler([&](const std::string& text) { opened.push_back(text); });
    const std::string link = "thunder://" + std::string(gbk_name);
    open_url(link);
    open_url("http://127.0.0.1/");
    set_open_url_handler({});
    EXPECT_EQ(opened, (std::vector<std::string>{link, "http://127.0.0.1/"}));
}

class XdgOpenTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "qingyu-shell-test-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        const fs::path script = folder_ / "xdg-open";
        std::ofstream(script)
            << "#!/bin/sh\nprintf '%s' \"$1\" > \"$0.tmp\" && mv \"$0.tmp\" \"$0.out\"\n";
        fs::permissions(script, fs::perms::owner_all);
        if (const char* path = std::getenv("PATH")) old_path_ = path;
        setenv("PATH", (folder_.string() + ":" + old_path_.value_or("/usr/bin:/bin")).c_str(), 1);
    }
    void TearDown() override {
        if (old_path_) setenv("PATH", old_path_->c_str(), 1);
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    std::optional<std::string> opened() const {
        std::ifstream in(folder_ / "xdg-open.out", std::ios::binary);
        if (!in) return std::nullopt;
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    fs::path folder_;
    std::optional<std::string> old_path_;
};

TEST_F(XdgOpenTest, TheTextReachesXdgOpenAsUtf8WithoutAShell) {
    // Quotes and a semicolon stay inside the one argument.
    const std::string text = "http://127.0.0.1/" + std::string(gbk_name) + "?a='1';b=\"2\"";
    open_url(text);
    ASSERT_TRUE(test::wait_for([&] { return opened().has_value(); }, 10s));
    EXPECT_EQ(opened(), "http://127.0.0.1/" + std::string(utf8_name) + "?a='1';b=\"2\"");
}

}  // namespace
}  // namespace qingyu::platform
