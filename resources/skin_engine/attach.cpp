// The skin engine's entry point. The program writes this library next to itself, loads it and
// calls SkinH_AttachRes once with a skin: the skin's colours then dress every window of the
// process.

#include "skin_engine/apply.h"
#include "skin_engine/skin_format.h"

extern "C" __attribute__((visibility("default"))) int SkinH_AttachRes(
    const unsigned char* skin_data, int length, const char* password, int hue, int saturation,
    int brightness) {
    (void)password;  // our skins are not encrypted
    if (!skin_data || length <= 0) return 1;
    const auto skin = qingyu::skin::decode_skin(skin_data, static_cast<std::size_t>(length));
    if (!skin) return 2;
    return qingyu::skin::apply_skin(qingyu::skin::adjust_skin(*skin, hue, saturation, brightness))
               ? 0
               : 3;
}
