#pragma once
// Files and folders. Paths are GBK texts as the core builds them, with "\" as the separator. The
// Linux implementation turns a path into a UTF-8 file name first and only then turns "\" into
// "/" (the second byte of a GBK character may be 0x5C, the byte of "\"). Folders it gives back
// use "/" as the separator; the core appends "\name" to them and that resolves the same way.
// A character that GBK cannot hold comes back as "?", so such a folder cannot be used by the
// core.

#include <optional>
#include <string>
#include <string_view>

namespace qingyu::platform {

// The executable's folder, without a trailing separator.
std::string run_directory();
// A private per-user temporary folder, with a trailing separator. On Linux
// $XDG_RUNTIME_DIR/qingyu or $TMPDIR (or /tmp)/qingyu-<uid>, mode 0700 and owned by the user; a
// folder there that is not (a link, another owner) is refused and a fresh private one is made
// instead. Empty when no private folder can be had.
std::string temp_folder();
// The user's configuration folder for this program ($XDG_CONFIG_HOME/qingyu or
// ~/.config/qingyu), created when missing, no trailing separator.
std::string config_directory();

bool file_exists(std::string_view path);                      // a file or folder is there
std::optional<std::string> read_file(std::string_view path);  // a regular file of up to 256 MiB
// Writes the whole file through a temporary file in the same folder that then replaces it, so
// that the path holds either the old or the new bytes, never a part. A link at the path is
// followed. False when the folder is missing or not writable.
bool write_file(std::string_view path, std::string_view bytes);
// Linux has no hidden attribute (only the dot-name convention, which would rename the file):
// always false, and the file is left as it is.
bool set_hidden(std::string_view path);
// Whether a file can be created in the folder; tried by creating and removing one, so the answer
// holds for any user, root included, and for read-only mounts.
bool directory_writable(std::string_view path);

// The file name the system gets for a core path: UTF-8 with "/" on Linux.
std::string native_path(std::string_view path);

// For tests and the headless program: overrides run_directory() (empty restores it).
void set_run_directory(std::string_view path);

}  // namespace qingyu::platform
