// The desktop's "open" action on Linux: xdg-open, started without a shell and never waited for by
// the caller. A detached thread reaps it so that no zombie stays behind.

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>
#include <utility>

#include "platform/codepage.h"
#include "platform/shell.h"

extern char** environ;

namespace qingyu::platform {
namespace {

std::mutex handler_mutex;
std::function<void(const std::string&)>& handler_slot() {
    static auto* handler = new std::function<void(const std::string&)>;
    return *handler;
}

void reap(pid_t child) {
    try {
        std::thread([child] {
            while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
            }
        }).detach();
    } catch (const std::system_error&) {
        // Without a thread the child stays a zombie until the program ends; that is harmless.
    }
}

}  // namespace

void open_url(std::string_view text) {
    std::function<void(const std::string&)> handler;
    {
        std::lock_guard lock(handler_mutex);
        handler = handler_slot();
    }
    if (handler) {
        handler(std::string(text));
        return;
    }
    // A NUL would cut the argument short and open something other than what was asked for.
    if (text.empty() || text.find('\0') != std::string_view::npos) return;

    std::string program = "xdg-open";
    std::string argument = gbk_to_utf8(text);
    char* argv[] = {program.data(), argument.data(), nullptr};
    pid_t child = 0;
    if (posix_spawnp(&child, program.c_str(), nullptr, nullptr, argv, environ) == 0) reap(child);
}

void set_open_url_handler(std::function<void(const std::string&)> handler) {
    std::lock_guard lock(handler_mutex);
    handler_slot() = std::move(handler);
}

}  // namespace qingyu::platform
