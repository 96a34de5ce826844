// Workers: the task runs on a thread of its own, the caller does not wait for it, and a task that
// throws ends only itself.

#include "platform/worker.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <stdexcept>
#include <thread>

namespace qingyu::platform {
namespace {

using namespace std::chrono_literals;

TEST(WorkerTest, RunsOnItsOwnThreadWithoutTheCallerWaiting) {
    std::promise<void> go;
    std::promise<std::thread::id> ran_on;
    auto started = go.get_future().share();
    // The task can only finish after start_worker has returned and the test lets it go.
    start_worker([started, &ran_on] {
        started.wait();
        ran_on.set_value(std::this_thread::get_id());
    });
    go.set_value();
    auto result = ran_on.get_future();
    ASSERT_EQ(result.wait_for(10s), std::future_status::ready);
    EXPECT_NE(result.get(), std::this_thread::get_id());
}

TEST(WorkerTest, AThrowingTaskEndsOnlyItself) {
    start_worker([] { throw std::runtime_error("worker failure"); });
    start_worker({});  // nothing to run
    std::promise<void> done;
    start_worker([&done] { done.set_value(); });
    EXPECT_EQ(done.get_future().wait_for(10s), std::future_status::ready);
}

}  // namespace
}  // namespace qingyu::platform
