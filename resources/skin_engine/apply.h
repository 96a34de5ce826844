#pragma once

#include "skin_engine/skin_format.h"

namespace qingyu::skin {

// Dresses the program's windows in the skin. True also where the program has no windows to dress.
bool apply_skin(const Skin& skin);

}  // namespace qingyu::skin
