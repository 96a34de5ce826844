#pragma once
// The program's entry sequence, shared by every front end.

#include <string>

#include "platform/window.h"

namespace qingyu {

struct ProgramOptions {
    std::string services_file;  // UTF-8 file name from --services; empty: the default lookup
};

// Creates the program-wide state, builds the window on `engine` (which runs the window-created
// sequence), runs the message loop until the window is destroyed, releases the state and
// returns 0. A services file that cannot be read ends the program with 2 after one error line.
int run_program(platform::WindowEngine& engine, const ProgramOptions& options);

}  // namespace qingyu
