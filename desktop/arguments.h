#pragma once
// The desktop program's command line.

#include <string>

namespace qingyu::desktop {

struct Arguments {
    std::string services_file;    // --services FILE
    std::string screenshot_file;  // --screenshot FILE: save the window as a PNG and exit
    int page = 1;                 // --tab N: the page on show in the screenshot, 1 to 4
    bool help = false;
    std::string error;  // one line when the command line is wrong
};

Arguments parse_arguments(int argc, char** argv);

inline constexpr const char* usage_line =
    "usage: qingyu [--services FILE] [--screenshot FILE [--tab N]]";

}  // namespace qingyu::desktop
