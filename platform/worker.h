#pragma once
// Workers: one task on a new thread; nothing waits for it.

#include <functional>

namespace qingyu::platform {

void start_worker(std::function<void()> task);

}  // namespace qingyu::platform
