#pragma once
// The window's skin: the skin engine's library written next to the executable, and one of the
// built-in skins attached through it. Every failure leaves the window unskinned and start-up
// goes on.

#include <string>

namespace qingyu {

inline constexpr int skin_count = 33;  // built-in skins, numbered from 1

// run_directory + "\SkinH_EL.dll".
std::string skin_library_path();

// Writes the library (hidden) when no file is at its path; an existing file, whatever its
// content, is used as it is.
void ensure_skin_library();

// Attaches skin `number` (1 to skin_count; any other number attaches no skin data). True when
// the skin engine took it; callers go on either way.
bool attach_skin(int number);

}  // namespace qingyu
