#pragma once
// The long texts of the window: the usage guide (page 3) and the update notes (page 4), GBK
// with CR LF line breaks.

#include <string>

namespace qingyu {

std::string usage_guide();
std::string update_notes();

}  // namespace qingyu
