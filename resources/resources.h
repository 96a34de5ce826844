#pragma once
// What the program carries inside itself: the skin engine's library file and the 33 skins.

#include <span>

namespace qingyu::resources {

inline constexpr int skin_count = 33;

// The bytes of the skin engine library, written out as SkinH_EL.dll.
std::span<const unsigned char> skin_library_bytes();
// Skin `number` (1 to 33) in the skin format; empty for any other number.
std::span<const unsigned char> skin_bytes(int number);

}  // namespace qingyu::resources
