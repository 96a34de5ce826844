#pragma once
// Files and folders. Paths are GBK texts as the core builds them, with "\" as the separator;
// the Linux implementation turns them into UTF-8 file names with "/".

#include <optional>
#include <string>
#include <string_view>

namespace qingyu::platform {

// The executable's folder, without a trailing separator.
std::string run_directory();
// A private per-user temporary folder (mode 0700 on Linux), with a trailing separator.
std::string temp_folder();
// The user's configuration folder for this program, created when missing, no trailing separator.
std::string config_directory();

bool file_exists(std::string_view path);
std::optional<std::string> read_file(std::string_view path);
bool write_file(std::string_view path, std::string_view bytes);  // whole file, replaced atomically
bool set_hidden(std::string_view path);
bool directory_writable(std::string_view path);

// For tests and the headless program: overrides run_directory() (empty restores it).
void set_run_directory(std::string_view path);

}  // namespace qingyu::platform
