#pragma once
// The system's regular-expression object: one create compiles a pattern of the scripting regex
// language and runs it over a GBK text; the object then answers by 1-based match and group number.
// Matching works on characters (the text is decoded first), results come back as GBK.
// Failures are values: a refused pattern makes create false, and out-of-range numbers give empty.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace qingyu {

class RegexObject {
  public:
    // Copies share the compiled pattern and the matches, and keep their own copy of the subject.
    RegexObject();
    ~RegexObject();
    RegexObject(const RegexObject&);
    RegexObject& operator=(const RegexObject&);
    RegexObject(RegexObject&&) noexcept;
    RegexObject& operator=(RegexObject&&) noexcept;

    // Options left out: case-insensitive, multiline, global, no quote placeholder. With the
    // placeholder set, every "#引号" in the pattern stands for a double quote. True when the
    // pattern was accepted and ran, also when nothing matched.
    bool create(std::string_view pattern, std::string_view text,
                std::optional<bool> case_sensitive = std::nullopt,
                std::optional<bool> multiline = std::nullopt,
                std::optional<bool> global = std::nullopt,
                std::optional<bool> quote_placeholder = std::nullopt);

    // Forgets the pattern, the matches and the subject.
    void destroy();
    RegexObject copy() const;
    void noop() const {}

    // The pattern of the last create (placeholders replaced); empty before any create.
    std::string pattern() const;
    // The subject with every match (global) or the first replaced; $1..$99, $&, $`, $', $$.
    std::string replace(std::string_view replacement) const;

    int match_count() const;
    // Match n, 1-based. `position`, when given, receives the 0-based byte offset of the text
    // within the subject, or -1 when there is no such match.
    std::string match_text(int n, int* position = nullptr) const;
    // Group m of match n, both 1-based; a group that took no part is empty (position -1).
    std::string submatch_text(int n, int m, int* position = nullptr) const;
    // The number of groups of the first match; 0 when nothing matched.
    int submatch_count() const;

  private:
    int byte_offset(std::size_t utf16_index, std::string_view text) const;

    struct Compiled;
    struct Matches;
    std::shared_ptr<const Compiled> regexp_;
    std::shared_ptr<const Matches> matches_;
    std::string subject_;
};

}  // namespace qingyu
