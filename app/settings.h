#pragma once
// The three settings kept between runs (keyword, blocked words, page size), straight between
// the settings file and their controls: the controls are the live store, nothing else holds a
// copy.
//
// The file is "晴屿配置.ini" in the run directory. Where that folder is not writable (an
// installed program) it goes to the user's configuration folder instead, and reading then
// prefers the copy there, so that settings are never silently lost.

#include <string>
#include <string_view>

#include "platform/window.h"

namespace qingyu {

// The file the settings are read from and the one they are written to; built afresh each time.
std::string settings_read_path();
std::string settings_write_path();

// The page-size setting as a number: decimal text, a fraction cut toward zero, anything that is
// not a number 0.
int settings_number(std::string_view text);

// Fills 编辑框1, 编辑框2 and the selection of 组合框1 from the file, with the defaults for what
// is missing or empty.
void load_settings(platform::WindowEngine& window);

// Writes the three controls' values to the file.
void save_settings(platform::WindowEngine& window);

}  // namespace qingyu
