#pragma once
// Rewrites a pattern of the scripting regex language into Boost.Regex's Perl syntax, so that
// Boost matches the way the scripting component does where the two languages part:
//   "."                 anything but a line feed (Boost's own flag would keep CR, U+2028, U+2029
//   out)
//   "^", "$" multiline  after / before LF, CR, U+2028, U+2029, also between CR and LF
//   \w \W \b \B         ASCII word characters only, so Chinese characters are not word characters
//   \uXXXX, \v          a UTF-16 code unit, the vertical tab
//   "[]", "[^]"         the class that matches nothing, the class that matches anything
//   other escapes       the character itself (\< \> \' \` \Q \A ... have no special meaning)
// Without multiline, "^" and "$" need no rewriting: the caller compiles with no_mod_m.

#include <string>
#include <string_view>

namespace qingyu::platform {

std::wstring script_pattern_to_boost(std::wstring_view pattern, bool multiline);

}  // namespace qingyu::platform
