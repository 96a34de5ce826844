#include "platform/worker.h"

#include <memory>
#include <system_error>
#include <thread>
#include <utility>

namespace qingyu::platform {

namespace {
// A worker's failure ends that worker only, never the program.
void run_guarded(const std::function<void()>& task) {
    try {
        task();
    } catch (...) {
    }
}
}  // namespace

void start_worker(std::function<void()> task) {
    if (!task) return;
    auto shared = std::make_shared<std::function<void()>>(std::move(task));
    try {
        std::thread([shared] { run_guarded(*shared); }).detach();
    } catch (const std::system_error&) {
        // No thread to be had (the process is out of threads): the work is done on the calling
        // thread rather than lost.
        run_guarded(*shared);
    }
}

}  // namespace qingyu::platform
