#pragma once
// Percent-encoding for the query string of the search address.

#include <string>
#include <string_view>

namespace qingyu {

// keep_safe: "-", ".", digits and ASCII letters stay as they are; every other byte becomes "%XX"
// (upper-case hex). to_utf8: encode the UTF-8 form of the GBK text instead of its own bytes.
std::string url_encode(std::string_view text, bool keep_safe = false, bool to_utf8 = false);

}  // namespace qingyu
