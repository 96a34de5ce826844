#include "web/text_ops.h"

namespace qingyu {
namespace {

constexpr std::string_view quote_placeholder = "#\xd2\xfd\xba\xc5";  // "#引号"
constexpr std::string_view full_width_space = "\xa1\xa1";

bool is_lead_byte(unsigned char byte) {
    return byte >= 0x81 && byte <= 0xFE;
}

char fold(char c, bool case_sensitive) {
    if (!case_sensitive && c >= 'A' && c <= 'Z') return static_cast<char>(c - 'A' + 'a');
    return c;
}

// `at` is a character boundary of `text`. Case folding applies to single-byte characters only:
// the trail byte of a double-byte character may be an ASCII letter ("\x81\x41") and must be
// compared exactly, or two different characters would compare equal.
bool matches_at(std::string_view text, std::size_t at, std::string_view needle,
                bool case_sensitive) {
    if (text.size() - at < needle.size()) return false;
    for (std::size_t i = 0; i < needle.size(); ++i) {
        if (is_lead_byte(static_cast<unsigned char>(needle[i]))) {
            if (text[at + i] != needle[i]) return false;
            if (++i < needle.size() && text[at + i] != needle[i]) return false;
        } else if (fold(text[at + i], case_sensitive) != fold(needle[i], case_sensitive)) {
            return false;
        }
    }
    return true;
}

// The length of the character that starts at `at`: 2 for a GBK double-byte character.
std::size_t char_length(std::string_view text, std::size_t at) {
    return is_lead_byte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
}

// The first match at or after the character boundary `boundary` (0-based), or npos.
std::size_t find_from_boundary(std::string_view text, std::string_view needle, std::size_t boundary,
                               bool case_sensitive) {
    for (std::size_t at = boundary; at < text.size(); at += char_length(text, at)) {
        if (matches_at(text, at, needle, case_sensitive)) return at;
    }
    return std::string_view::npos;
}

// The first character boundary at or after `from`, walking from the boundary `boundary`.
std::size_t next_boundary(std::string_view text, std::size_t boundary, std::size_t from) {
    while (boundary < from && boundary < text.size()) boundary += char_length(text, boundary);
    return boundary;
}

}  // namespace

int find_text(std::string_view text, std::string_view needle, int start, bool case_sensitive) {
    if (start < 1) start = 1;
    const auto from = static_cast<std::size_t>(start - 1);
    if (from >= text.size()) return -1;
    // Walk whole characters from the beginning so that a match never starts at a trail byte.
    const std::size_t found =
        find_from_boundary(text, needle, next_boundary(text, 0, from), case_sensitive);
    return found == std::string_view::npos ? -1 : static_cast<int>(found) + 1;
}

bool contains_text(std::string_view text, std::string_view needle, bool case_sensitive) {
    return find_text(text, needle, 1, case_sensitive) != -1;
}

std::string to_lower_ascii(std::string_view text) {
    std::string lower(text);
    for (std::size_t at = 0; at < lower.size(); at += char_length(lower, at)) {
        lower[at] = fold(lower[at], false);
    }
    return lower;
}

std::string trim_spaces(std::string_view text) {
    // Walk whole characters, so that an A1 A1 pair is a full-width space only where it is one.
    std::size_t begin = text.size();
    std::size_t end = 0;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = char_length(text, at);
        const std::string_view piece = text.substr(at, length);
        if (piece != " " && piece != full_width_space) {
            if (begin == text.size()) begin = at;
            end = at + length;
        }
        at += length;
    }
    if (begin == text.size()) return {};
    return std::string(text.substr(begin, end - begin));
}

std::string remove_spaces(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = char_length(text, at);
        const std::string_view piece = text.substr(at, length);
        if (piece != " " && piece != full_width_space) result.append(piece);
        at += length;
    }
    return result;
}

std::string replace_all(std::string_view text, std::string_view from, std::string_view to) {
    if (from.empty()) return std::string(text);
    std::string result;
    std::size_t copied = 0;
    // Each search goes on from the boundary after the last match: linear in the text's length.
    for (std::size_t at = find_from_boundary(text, from, 0, true); at != std::string_view::npos;
         at = find_from_boundary(text, from, next_boundary(text, at, copied), true)) {
        result.append(text.substr(copied, at - copied)).append(to);
        copied = at + from.size();
    }
    if (copied < text.size()) result.append(text.substr(copied));
    return result;
}

std::vector<std::string> split_text(std::string_view text, std::string_view separator) {
    std::vector<std::string> pieces;
    if (text.empty()) return pieces;
    if (separator.empty()) {
        pieces.emplace_back(text);
        return pieces;
    }
    std::size_t begin = 0;
    for (std::size_t at = find_from_boundary(text, separator, 0, true);
         at != std::string_view::npos;
         at = find_from_boundary(text, separator, next_boundary(text, at, begin), true)) {
        pieces.emplace_back(text.substr(begin, at - begin));
        begin = at + separator.size();
    }
    if (begin < text.size()) pieces.emplace_back(text.substr(begin));
    return pieces;
}

std::string join_texts(const std::vector<std::string>& pieces, std::string_view separator) {
    std::string joined;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0) joined.append(separator);
        joined.append(pieces[i]);
    }
    return joined;
}

std::string text_between(std::string_view text, std::string_view start_marker,
                         std::string_view end_marker, int start, bool case_sensitive) {
    const std::string opening = replace_all(start_marker, quote_placeholder, "\"");
    const std::string closing = replace_all(end_marker, quote_placeholder, "\"");
    if (closing.empty()) return {};
    const int found = find_text(text, opening, start, case_sensitive);
    if (found == -1) return {};
    const int content = found + static_cast<int>(opening.size());
    const int end = find_text(text, closing, content, case_sensitive);
    if (end == -1) return {};
    return std::string(text.substr(static_cast<std::size_t>(content - 1),
                                   static_cast<std::size_t>(end - content)));
}

std::string header_value(std::string_view line) {
    const int colon = find_text(line, ":");
    if (colon == -1) return {};
    return trim_spaces(line.substr(static_cast<std::size_t>(colon)));
}

int find_item(const std::vector<std::string>& list, std::string_view item) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i] == item) return static_cast<int>(i) + 1;
    }
    return -1;
}

std::string join_unique(std::string_view text, std::string_view separator) {
    std::vector<std::string> kept;
    for (auto& piece : split_text(text, separator)) {
        if (find_item(kept, piece) == -1) kept.push_back(std::move(piece));
    }
    return join_texts(kept, separator);
}

}  // namespace qingyu
