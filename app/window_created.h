#pragma once
// The window's own two events: the sequence that runs once the window exists, before the
// message loop, and the one that runs when it is about to be destroyed.

#include "app/app_context.h"

namespace qingyu {

inline constexpr int window_skin = 18;

void run_window_created(const AppContext& context);
void run_window_destroyed(const AppContext& context);

}  // namespace qingyu
