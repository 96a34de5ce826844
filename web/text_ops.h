#pragma once
// The system's text rules over GBK bytes. Positions are 1-based byte positions and a search that
// finds nothing gives -1; a match never begins at the second byte of a double-byte character;
// case folding touches ASCII letters only; trimming removes ASCII and full-width (A1 A1) spaces.

#include <string>
#include <string_view>
#include <vector>

namespace qingyu {

// 1-based position of `needle` in `text` at or after `start` (below 1 counts as 1), or -1.
// An empty needle is found at `start` when that lies inside a non-empty text.
int find_text(std::string_view text, std::string_view needle, int start = 1,
              bool case_sensitive = true);
bool contains_text(std::string_view text, std::string_view needle, bool case_sensitive = true);

std::string to_lower_ascii(std::string_view text);
std::string trim_spaces(std::string_view text);
std::string remove_spaces(std::string_view text);
// Every occurrence, left to right, exact bytes (double-byte aware).
std::string replace_all(std::string_view text, std::string_view from, std::string_view to);

// Pieces between separators in order; adjacent separators give an empty piece; the remainder
// after the last separator counts only when it is not empty; an empty text gives no pieces.
std::vector<std::string> split_text(std::string_view text, std::string_view separator);
std::string join_texts(const std::vector<std::string>& pieces, std::string_view separator);

// The text between the first start marker (from `start`) and the next end marker; empty when
// either is missing. "#引号" in a marker stands for a double quote.
std::string text_between(std::string_view text, std::string_view start_marker,
                         std::string_view end_marker, int start = 1, bool case_sensitive = false);

// The text after the line's first ":", trimmed; empty without a colon.
std::string header_value(std::string_view line);

// 1-based index of the first element equal to `item`, or -1.
int find_item(const std::vector<std::string>& list, std::string_view item);
// Pieces not seen before, in order, joined again with the separator.
std::string join_unique(std::string_view text, std::string_view separator);

}  // namespace qingyu
