#pragma once
// The character-level matching engine behind the system's regular-expression object. It speaks
// the scripting regex language: "." matches anything but a line feed, "^" and "$" also match at
// line breaks when multiline is set, lazy quantifiers, optional case folding. Texts are UTF-16.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qingyu::platform {

struct WideGroup {
    std::size_t first_index = 0;  // 0-based UTF-16 index of the group's text
    std::u16string value;
};

struct WideMatch {
    std::size_t first_index = 0;  // 0-based UTF-16 index of the match
    std::u16string value;
    std::vector<std::optional<WideGroup>> submatches;  // empty optional: group took no part
};

struct WideRegexOptions {
    bool ignore_case = true;
    bool multiline = true;
    bool global = true;
};

class WideRegex {
  public:
    WideRegex();
    ~WideRegex();
    WideRegex(WideRegex&&) noexcept;
    WideRegex& operator=(WideRegex&&) noexcept;

    // False when the pattern is refused.
    bool compile(const std::u16string& pattern, const WideRegexOptions& options);
    bool valid() const;

    // Every match when global is set, else the first only. Empty when nothing is compiled or the
    // engine gave up (a pattern whose matching grows out of bounds); an empty list is no match.
    std::optional<std::vector<WideMatch>> execute(const std::u16string& text) const;

    // Replacement with the component's references ($1..$99, $&, $`, $', $$), every match when
    // global, else the first. Empty when nothing is compiled or the engine gave up.
    std::optional<std::u16string> replace(const std::u16string& text,
                                          const std::u16string& replacement) const;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace qingyu::platform
