// Files and folders on Linux: core paths (GBK, "\") become UTF-8 file names with "/".

#include <fcntl.h>
#include <pwd.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <mutex>
#include <string>

#include "platform/codepage.h"
#include "platform/files.h"

namespace qingyu::platform {
namespace {

constexpr std::size_t max_read_bytes = std::size_t{256} << 20;
constexpr int max_link_hops = 40;

std::mutex state_mutex;
std::string run_directory_override;  // GBK
std::string fallback_temp;           // UTF-8, a folder made by mkdtemp when needed

// Whether the last character of a GBK text is the single byte `c`, not the trail byte of a
// double-byte character.
bool ends_with_single(std::string_view gbk, char c) {
    bool single = false;
    std::size_t i = 0;
    while (i < gbk.size()) {
        const auto byte = static_cast<unsigned char>(gbk[i]);
        single = !(byte >= 0x81 && byte <= 0xFE && i + 1 < gbk.size());
        i += single ? 1 : 2;
    }
    return single && gbk.back() == c;
}

std::string without_trailing_separators(std::string gbk) {
    while (gbk.size() > 1 && (ends_with_single(gbk, '\\') || ends_with_single(gbk, '/'))) {
        gbk.pop_back();
    }
    return gbk;
}

std::string env(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

bool absolute(const std::string& path) {
    return !path.empty() && path.front() == '/';
}

std::string parent_folder(const std::string& native) {
    const auto slash = native.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return native.substr(0, slash);
}

// Makes `native` a private folder of this user, or refuses it: it must be a real folder (not a
// link) owned by us; its mode is set to 0700 if it is anything else.
bool make_private_folder(const std::string& native) {
    if (mkdir(native.c_str(), 0700) != 0 && errno != EEXIST) return false;
    const int fd = open(native.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info {};
    bool ok = fstat(fd, &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == geteuid();
    if (ok && (info.st_mode & 07777) != 0700) ok = fchmod(fd, 0700) == 0;
    close(fd);
    return ok;
}

std::string private_temp_folder() {
    const std::string runtime = env("XDG_RUNTIME_DIR");
    if (absolute(runtime) && make_private_folder(runtime + "/qingyu")) return runtime + "/qingyu";

    std::string base = env("TMPDIR");
    if (!absolute(base)) base = "/tmp";
    while (base.size() > 1 && base.back() == '/') base.pop_back();
    const std::string named = base + "/qingyu-" + std::to_string(geteuid());
    if (make_private_folder(named)) return named;

    // The usual name is taken by something we must not use: one fresh folder for this process.
    std::lock_guard lock(state_mutex);
    if (!fallback_temp.empty() && make_private_folder(fallback_temp)) return fallback_temp;
    std::string pattern = named + "-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) return {};
    fallback_temp = pattern;
    return fallback_temp;
}

std::string home_folder() {
    std::string home = env("HOME");
    if (absolute(home)) return home;
    passwd entry{};
    passwd* found = nullptr;
    char buffer[4096];
    if (getpwuid_r(geteuid(), &entry, buffer, sizeof buffer, &found) != 0 || found == nullptr ||
        found->pw_dir == nullptr) {
        return {};
    }
    return found->pw_dir;
}

// Creates the folder and any missing parents, private to the user where it is new.
void make_folders(const std::string& native) {
    for (std::size_t slash = native.find('/', 1);; slash = native.find('/', slash + 1)) {
        mkdir(native.substr(0, slash).c_str(), 0700);
        if (slash == std::string::npos) break;
    }
}

bool write_all(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// A new file next to `target`, named after it, created exclusively with the usual permissions.
int create_sibling(const std::string& target, std::string& name) {
    static std::atomic<unsigned> counter{0};
    const std::string folder = parent_folder(target);
    const auto slash = target.find_last_of('/');
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = folder + "/." + base + ".tmp-" + std::to_string(getpid()) + "-" +
               std::to_string(counter.fetch_add(1));
        const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

}  // namespace

std::string native_path(std::string_view path) {
    std::string native = gbk_to_utf8(path);
    for (char& c : native) {
        if (c == '\\') c = '/';
    }
    return native;
}

std::string run_directory() {
    {
        std::lock_guard lock(state_mutex);
        if (!run_directory_override.empty()) return run_directory_override;
    }
    char buffer[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer);
    if (length <= 0 || static_cast<std::size_t>(length) >= sizeof buffer) return {};
    return utf8_to_gbk(parent_folder(std::string(buffer, static_cast<std::size_t>(length))));
}

void set_run_directory(std::string_view path) {
    std::lock_guard lock(state_mutex);
    run_directory_override = without_trailing_separators(std::string(path));
}

std::string temp_folder() {
    const std::string folder = private_temp_folder();
    return folder.empty() ? std::string() : utf8_to_gbk(folder) + "/";
}

std::string config_directory() {
    std::string base = env("XDG_CONFIG_HOME");
    if (!absolute(base)) {
        const std::string home = home_folder();
        if (home.empty()) return {};
        base = home + "/.config";
    }
    while (base.size() > 1 && base.back() == '/') base.pop_back();
    const std::string folder = base + "/qingyu";
    make_folders(folder);
    return utf8_to_gbk(folder);
}

bool file_exists(std::string_view path) {
    struct stat info {};
    return !path.empty() && stat(native_path(path).c_str(), &info) == 0;
}

std::optional<std::string> read_file(std::string_view path) {
    const int fd = open(native_path(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat info {};
    std::optional<std::string> bytes;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        bytes.emplace();
        char buffer[65536];
        for (;;) {
            const ssize_t got = read(fd, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR) continue;
            if (got < 0 || bytes->size() + static_cast<std::size_t>(got) > max_read_bytes) {
                bytes.reset();
                break;
            }
            if (got == 0) break;
            bytes->append(buffer, static_cast<std::size_t>(got));
        }
    }
    close(fd);
    return bytes;
}

bool write_file(std::string_view path, std::string_view bytes) {
    std::string target = native_path(path);
    if (target.empty()) return false;
    // Write through a link to the file it names (which may not exist yet), so the link stays.
    struct stat info {};
    for (int hops = 0; lstat(target.c_str(), &info) == 0 && S_ISLNK(info.st_mode); ++hops) {
        char link[PATH_MAX];
        const ssize_t length = readlink(target.c_str(), link, sizeof link);
        if (hops == max_link_hops || length <= 0 ||
            static_cast<std::size_t>(length) >= sizeof link) {
            return false;
        }
        const std::string named(link, static_cast<std::size_t>(length));
        target = named.front() == '/' ? named : parent_folder(target) + "/" + named;
    }
    std::string temporary;
    const int fd = create_sibling(target, temporary);
    if (fd < 0) return false;
    bool ok = write_all(fd, bytes);
    // An existing file keeps its permissions.
    if (ok && stat(target.c_str(), &info) == 0) ok = fchmod(fd, info.st_mode & 07777) == 0;
    ok = ok && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) unlink(temporary.c_str());
    return ok;
}

bool set_hidden(std::string_view) {
    return false;
}

bool directory_writable(std::string_view path) {
    const std::string folder = native_path(without_trailing_separators(std::string(path)));
    struct stat info {};
    if (folder.empty() || stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
    std::string probe;
    const int fd = create_sibling(folder + "/.qingyu-probe", probe);
    if (fd < 0) return false;
    close(fd);
    unlink(probe.c_str());
    return true;
}

}  // namespace qingyu::platform
