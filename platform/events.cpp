#include "platform/events.h"

#include <mutex>
#include <utility>

namespace qingyu::platform {
namespace {
std::mutex hook_mutex;
std::function<void()>& hook_slot() {
    static std::function<void()> hook;
    return hook;
}
}  // namespace

void process_events() {
    std::function<void()> hook;
    {
        std::lock_guard lock(hook_mutex);
        hook = hook_slot();
    }
    if (hook) hook();
}

void set_process_events_hook(std::function<void()> hook) {
    std::lock_guard lock(hook_mutex);
    hook_slot() = std::move(hook);
}

}  // namespace qingyu::platform
