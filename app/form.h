#pragma once
// The main window as data: every control of the window and its four pages, the two timers and
// the result list's pop-up menu.

#include "app/services.h"
#include "platform/form.h"

namespace qingyu {

// The links under the tabs point at the maker's site and personal space from `services`.
platform::FormSpec main_form(const Services& services);

}  // namespace qingyu
