#pragma once
// Base64 as the download-manager links carry it: the standard encoding (RFC 4648, section 4)
// and a tolerant decoder that skips spaces and CR LF pairs, accepts missing padding and never
// fails.

#include <string>
#include <string_view>

namespace qingyu {

// The standard alphabet with "=" padding, on a single line. No bytes give the empty text.
std::string base64_encode(std::string_view bytes);

// Decodes after removing ASCII and full-width spaces, then CR LF pairs. The text is read in groups
// of four characters; a place past the end counts as "A", and a character outside the alphabet
// (including "=", a tab or a lone CR or LF) ends its group's reading. Every group gives three
// bytes, of which the final group keeps only those that its leading alphabet characters cover in
// full. Lets the window handle its pending events once per group.
std::string base64_decode(std::string_view text);

}  // namespace qingyu
