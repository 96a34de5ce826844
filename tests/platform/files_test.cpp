// Files and folders on Linux: GBK core paths with "\" against real UTF-8 file names, the private
// temporary folder, whole-file replacement and folders that cannot be written.

#include "platform/files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

namespace qingyu::platform {
namespace {

namespace fs = std::filesystem;

// "誠" is D5 5C in GBK: its second byte is the byte of "\".
constexpr std::string_view gbk_trail_5c = "\xD5\x5C";
constexpr std::string_view utf8_trail_5c = "\xE8\xAA\xA0";

// Sets an environment variable for the test's lifetime and restores it after.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (old_) {
            setenv(name_, old_->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

// A private folder for each test, removed with everything in it at the end.
class FilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "qingyu-files-test-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(root_ / "locked", fs::perms::owner_all, ignored);
        fs::remove_all(root_, ignored);
    }

    // The core's form of a path under the test folder: "\" separators.
    std::string core_path(std::string_view relative) const {
        return root_.string() + "\\" + std::string(relative);
    }
    static std::string slurp(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static unsigned mode_of(const fs::path& path) {
        struct stat info {};
        return lstat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
    }

    fs::path root_;
};

TEST_F(FilesTest, NativePathConvertsBeforeTurningBackslashesIntoSlashes) {
    struct Case {
        std::string_view core;
        std::string_view native;
    };
    static const std::array<Case, 4> cases{{
        {"C:\\a\\b.txt", "C:/a/b.txt"},
        {"/home/u\\\xC7\xE7\xD3\xEC.ini", "/home/u/\xE6\x99\xB4\xE5\xB1\xBF.ini"},
        {"/d\\\xD5\x5C\\f", "/d/\xE8\xAA\xA0/f"},
        {"", ""},
    }};
    for (const auto& [core, native] : cases) EXPECT_EQ(native_path(core), native) << core;
}

TEST_F(FilesTest, GbkNameWithABackslashTrailByteRoundTrips) {
    const std::string folder = std::string("dir") + std::string(gbk_trail_5c);
    fs::create_directory(root_ / ("dir" + std::string(utf8_trail_5c)));
    const std::string path = core_path(folder + "\\" + std::string(gbk_trail_5c) + ".txt");

    EXPECT_FALSE(file_exists(path));
    constexpr std::string_view bytes{"bin\0ary\x5C\xFF", 9};
    ASSERT_TRUE(write_file(path, bytes));
    EXPECT_TRUE(file_exists(path));
    const fs::path on_disk =
        root_ / ("dir" + std::string(utf8_trail_5c)) / (std::string(utf8_trail_5c) + ".txt");
    EXPECT_TRUE(fs::is_regular_file(on_disk));
    EXPECT_EQ(read_file(path), std::optional<std::string>(bytes));
}

TEST_F(FilesTest, WriteFileReplacesTheWholeFileAndLeavesNothingElse) {
    const fs::path file = root_ / "settings.ini";
    const std::string path = core_path("settings.ini");
    ASSERT_TRUE(write_file(path, "a long first version of the file"));
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    // A second name for the first version: an in-place rewrite would change it too.
    fs::create_hard_link(file, root_ / "old-version");

    ASSERT_TRUE(write_file(path, "short"));
    EXPECT_EQ(slurp(file), "short");
    EXPECT_EQ(slurp(root_ / "old-version"), "a long first version of the file");
    EXPECT_EQ(mode_of(file), 0640u);
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(root_)) ++entries;
    EXPECT_EQ(entries, 2);

    ASSERT_TRUE(write_file(path, ""));
    EXPECT_EQ(read_file(path), std::optional<std::string>(""));
}

TEST_F(FilesTest, WriteFileThroughALinkKeepsTheLink) {
    fs::create_directory(root_ / "real");
    fs::create_directory_symlink(root_ / "real", root_ / "linked");
    fs::create_symlink(root_ / "real" / "target.txt", root_ / "link.txt");

    ASSERT_TRUE(write_file(core_path("link.txt"), "through"));
    EXPECT_TRUE(fs::is_symlink(root_ / "link.txt"));
    EXPECT_EQ(slurp(root_ / "real" / "target.txt"), "through");
    ASSERT_TRUE(write_file(core_path("linked\\inside.txt"), "inside"));
    EXPECT_EQ(slurp(root_ / "real" / "inside.txt"), "inside");
}

TEST_F(FilesTest, FailuresComeBackAsValues) {
    fs::create_directory(root_ / "folder");
    std::ofstream(root_ / "plain") << "x";

    EXPECT_FALSE(write_file(core_path("missing\\file.txt"), "x"));
    EXPECT_FALSE(fs::exists(root_ / "missing"));
    EXPECT_FALSE(write_file(core_path("folder"), "x"));
    EXPECT_TRUE(fs::is_directory(root_ / "folder"));
    EXPECT_TRUE(fs::is_empty(root_ / "folder"));
    EXPECT_FALSE(write_file("", "x"));

    EXPECT_EQ(read_file(core_path("missing.txt")), std::nullopt);
    EXPECT_EQ(read_file(core_path("folder")), std::nullopt);
    EXPECT_FALSE(file_exists(core_path("missing.txt")));
    EXPECT_FALSE(file_exists(""));
    EXPECT_TRUE(file_exists(core_path("folder")));
    EXPECT_FALSE(set_hidden(core_path("plain")));
    EXPECT_TRUE(fs::exists(root_ / "plain"));
}

TEST_F(FilesTest, DirectoryWritableTriesTheFolderItself) {
    fs::create_directory(root_ / "folder");
    std::ofstream(root_ / "plain") << "x";
    EXPECT_TRUE(directory_writable(root_.string()));
    EXPECT_TRUE(directory_writable(core_path("folder\\")));
    EXPECT_TRUE(fs::is_empty(root_ / "folder"));
    EXPECT_FALSE(directory_writable(core_path("missing")));
    EXPECT_FALSE(directory_writable(core_path("plain")));
    // Not even root may create files here.
    EXPECT_FALSE(directory_writable("/proc"));
    EXPECT_FALSE(write_file("/proc\\qingyu-test.ini", "x"));

    if (geteuid() != 0) {
        fs::create_directory(root_ / "locked");
        fs::permissions(root_ / "locked", fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_FALSE(directory_writable(core_path("locked")));
        EXPECT_FALSE(write_file(core_path("locked\\a.ini"), "x"));
    }
}

TEST_F(FilesTest, TempFolderIsPrivateAndEndsWithASeparator) {
    const ScopedEnv runtime("XDG_RUNTIME_DIR", root_.string());
    const std::string expected = root_.string() + "/qingyu/";

    EXPECT_EQ(temp_folder(), expected);
    EXPECT_EQ(mode_of(root_ / "qingyu"), 0700u);

    // A folder left too open is closed again.
    fs::permissions(root_ / "qingyu", fs::perms::all);
    EXPECT_EQ(temp_folder(), expected);
    EXPECT_EQ(mode_of(root_ / "qingyu"), 0700u);
    ASSERT_TRUE(write_file(temp_folder() + "lyb.html", "<p>"));
    EXPECT_EQ(slurp(root_ / "qingyu" / "lyb.html"), "<p>");
}

TEST_F(FilesTest, TempFolderRefusesALinkOrAStrangersFolder) {
    const ScopedEnv runtime("XDG_RUNTIME_DIR", root_.string());
    const ScopedEnv tmpdir("TMPDIR", root_.string());
    fs::create_directory(root_ / "elsewhere");
    fs::permissions(root_ / "elsewhere", fs::perms::all);
    fs::create_directory_symlink(root_ / "elsewhere", root_ / "qingyu");
    const fs::path usual = root_ / ("qingyu-" + std::to_string(geteuid()));
    if (geteuid() == 0) {
        // Root can also be shown a stranger's folder under the usual fallback name.
        fs::create_directory(usual);
        ASSERT_EQ(chown(usual.c_str(), 65534, 65534), 0);
    }

    const std::string folder = temp_folder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_EQ(folder.rfind(root_.string() + "/qingyu-", 0), 0u) << folder;
    if (geteuid() == 0) {
        EXPECT_NE(folder, usual.string() + "/");
    }
    EXPECT_EQ(mode_of(folder), 0700u);
    EXPECT_EQ(mode_of(root_ / "elsewhere"), 0777u);
    EXPECT_EQ(temp_folder(), folder);
}

TEST_F(FilesTest, RunDirectoryIsTheProgramsFolderUnlessOverridden) {
    const fs::path program = fs::read_symlink("/proc/self/exe");
    EXPECT_EQ(run_directory(), program.parent_path().string());

    // Trailing separators go, but not the trail byte of a double-byte character.
    const std::string with_5c = root_.string() + "\\" + std::string(gbk_trail_5c);
    set_run_directory(with_5c + "\\");
    EXPECT_EQ(run_directory(), with_5c);
    set_run_directory(with_5c);
    EXPECT_EQ(run_directory(), with_5c);
    set_run_directory("");
    EXPECT_EQ(run_directory(), program.parent_path().string());
}

TEST_F(FilesTest, ConfigDirectoryIsCreatedUnderTheConfigHome) {
    {
        const ScopedEnv config("XDG_CONFIG_HOME", (root_ / "config").string());
        EXPECT_EQ(config_directory(), (root_ / "config" / "qingyu").string());
        EXPECT_TRUE(fs::is_directory(root_ / "config" / "qingyu"));
    }
    const ScopedEnv no_config("XDG_CONFIG_HOME", "");
    const ScopedEnv home("HOME", (root_ / "home").string());
    EXPECT_EQ(config_directory(), (root_ / "home" / ".config" / "qingyu").string());
    EXPECT_TRUE(fs::is_directory(root_ / "home" / ".config" / "qingyu"));
}

}  // namespace
}  // namespace qingyu::platform
