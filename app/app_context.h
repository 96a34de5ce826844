#pragma once
// What every handler and worker of the program works with. A worker takes a copy: the state and
// the services stay alive as long as any copy does, so a worker that outlives the window never
// touches freed state. The window engine outlives every worker (its owner never destroys it
// while workers may run), and after the window is gone its calls do nothing.

#include <memory>

#include "app/app_state.h"
#include "app/services.h"
#include "platform/window.h"

namespace qingyu {

struct AppContext {
    platform::WindowEngine* window = nullptr;
    std::shared_ptr<AppState> state;
    std::shared_ptr<const Services> services;
};

}  // namespace qingyu
