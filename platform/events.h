#pragma once
// Letting the window handle its pending events from inside a long-running handler.

#include <functional>

namespace qingyu::platform {

// Handles the window's pending events and returns. A no-op until a window engine installs its hook.
void process_events();

// Installed by the window engine of the running program; an empty function removes the hook.
void set_process_events_hook(std::function<void()> hook);

}  // namespace qingyu::platform
