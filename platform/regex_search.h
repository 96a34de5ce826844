#pragma once
// Byte-level Perl regular expressions: case-sensitive, "." matches line breaks too, and "^" and
// "$" match only at the ends of the whole text.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qingyu::platform {

struct RegexMatch {
    std::size_t position = 0;         // 0-based byte offset of the whole match
    std::string text;                 // the whole match
    std::vector<std::string> groups;  // groups 1..n; a group that did not take part is empty

    // Group n counted from 1; 0 gives the whole match; out of range gives empty.
    std::string group(int n) const;
};

class RegexSearch {
  public:
    RegexSearch();
    ~RegexSearch();
    RegexSearch(RegexSearch&&) noexcept;
    RegexSearch& operator=(RegexSearch&&) noexcept;

    // False when the pattern is refused; the object then finds nothing.
    bool compile(std::string_view pattern);
    bool valid() const;

    // All non-overlapping matches, left to right.
    std::vector<RegexMatch> search_all(std::string_view text) const;
    // The first match at or after the 0-based byte position `from`.
    std::optional<RegexMatch> search_from(std::string_view text, std::size_t from = 0) const;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace qingyu::platform
