#pragma once
// The terminal speaks UTF-8 and the core GBK; these convert at that edge.

#include <string>
#include <string_view>

namespace qingyu::cli {

// A terminal argument as GBK; characters GBK cannot hold become "?".
std::string from_terminal(std::string_view utf8);

// GBK text as UTF-8 for the terminal. Control characters (a decoded link may hold any byte) are
// written as %XX, so that they can neither break the line nor drive the terminal.
std::string to_terminal(std::string_view gbk);

}  // namespace qingyu::cli
