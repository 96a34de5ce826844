// The skin engine built without a window toolkit: the skin is checked, nothing is dressed.

#include "skin_engine/apply.h"

namespace qingyu::skin {

bool apply_skin(const Skin&) {
    return true;
}

}  // namespace qingyu::skin
