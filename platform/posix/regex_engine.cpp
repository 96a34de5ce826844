// The scripting regex language on Boost.Regex over wide characters. Patterns are rewritten first
// (script_pattern.h) where the two languages part; the match loop and the replacement references
// follow the scripting component rather than Perl.

#include "platform/regex_engine.h"

#include <boost/regex.hpp>

#include <exception>
#include <locale>

#include "platform/posix/script_pattern.h"

namespace qingyu::platform {
namespace {

using Iterator = std::wstring::const_iterator;
using Found = boost::match_results<Iterator>;

// A text as wide characters, with the UTF-16 index of each of them (and of the end).
struct WideText {
    std::wstring chars;
    std::vector<std::size_t> utf16_index;
};

bool is_high_surrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool is_low_surrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

WideText to_wide(const std::u16string& text) {
    WideText wide;
    wide.chars.reserve(text.size());
    wide.utf16_index.reserve(text.size() + 1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        wide.utf16_index.push_back(i);
        const char16_t c = text[i];
        if constexpr (sizeof(wchar_t) >= 4) {
            if (is_high_surrogate(c) && i + 1 < text.size() && is_low_surrogate(text[i + 1])) {
                const char32_t code =
                    0x10000 + ((char32_t(c) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00);
                wide.chars += static_cast<wchar_t>(code);
                ++i;
                continue;
            }
        }
        // A lone surrogate stays a character of its own, as the component sees it.
        wide.chars += static_cast<wchar_t>(c);
    }
    wide.utf16_index.push_back(text.size());
    return wide;
}

void append_utf16(std::u16string& out, Iterator first, Iterator last) {
    for (; first != last; ++first) {
        const auto code = static_cast<char32_t>(*first);
        if (code > 0xFFFF && code <= 0x10FFFF) {
            out += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(code);
        }
    }
}

std::u16string to_utf16(Iterator first, Iterator last) {
    std::u16string out;
    append_utf16(out, first, last);
    return out;
}

// Case folding beyond ASCII (full-width letters, Greek, Cyrillic) needs a Unicode locale; the
// classic one folds ASCII only and serves when none is installed.
std::locale matching_locale() {
    static const std::locale locale = [] {
        for (const char* name : {"C.UTF-8", "C.utf8", "en_US.UTF-8"}) {
            try {
                return std::locale(name);
            } catch (const std::exception&) {
            }
        }
        return std::locale::classic();
    }();
    return locale;
}

// "$1".."$99", "$&", "$`", "$'", "$$"; anything else after "$" stays as it is. A two-digit number
// counts only when that group exists; otherwise its first digit alone is tried.
void expand_replacement(std::wstring& out, const std::wstring& replacement, const Found& found,
                        Iterator begin, Iterator end) {
    const std::size_t groups = found.size() - 1;
    const auto digit = [](wchar_t c) { return c >= L'0' && c <= L'9' ? int(c - L'0') : -1; };
    const auto append_group = [&](std::size_t n) {
        if (found[n].matched) out.append(found[n].first, found[n].second);
    };
    for (std::size_t i = 0; i < replacement.size(); ++i) {
        const wchar_t c = replacement[i];
        if (c != L'$' || i + 1 == replacement.size()) {
            out += c;
            continue;
        }
        const wchar_t next = replacement[i + 1];
        if (next == L'$') {
            out += L'$';
            ++i;
        } else if (next == L'&') {
            out.append(found[0].first, found[0].second);
            ++i;
        } else if (next == L'`') {
            out.append(begin, found[0].first);
            ++i;
        } else if (next == L'\'') {
            out.append(found[0].second, end);
            ++i;
        } else if (const int first = digit(next); first >= 0) {
            const int second = i + 2 < replacement.size() ? digit(replacement[i + 2]) : -1;
            const int both = first * 10 + second;
            if (second >= 0 && both >= 1 && std::size_t(both) <= groups) {
                append_group(std::size_t(both));
                i += 2;
            } else if (first >= 1 && std::size_t(first) <= groups) {
                append_group(std::size_t(first));
                i += 1;
            } else {
                out += c;
            }
        } else {
            out += c;
        }
    }
}

}  // namespace

struct WideRegex::Impl {
    boost::wregex regex;
    WideRegexOptions options;
    bool valid = false;

    // Calls `visit` for each match, left to right, the way the component walks a text: after an
    // empty match the next search starts one character further. Throws when the engine gives up.
    template <typename Visit>
    void for_each_match(const std::wstring& text, Visit visit) const {
        const Iterator begin = text.begin();
        std::size_t from = 0;
        while (from <= text.size()) {
            Found found;
            const auto flags = from > 0 ? boost::match_prev_avail : boost::match_default;
            const Iterator start = begin + static_cast<std::ptrdiff_t>(from);
            if (!boost::regex_search(start, text.end(), found, regex, flags, begin)) return;
            visit(found);
            if (!options.global) return;
            const auto end = static_cast<std::size_t>(found[0].second - begin);
            from = found[0].length() == 0 ? end + 1 : end;
        }
    }
};

WideRegex::WideRegex() : impl_(std::make_unique<Impl>()) {}
WideRegex::~WideRegex() = default;
WideRegex::WideRegex(WideRegex&&) noexcept = default;
WideRegex& WideRegex::operator=(WideRegex&&) noexcept = default;

bool WideRegex::compile(const std::u16string& pattern, const WideRegexOptions& options) {
    if (!impl_) impl_ = std::make_unique<Impl>();
    impl_->valid = false;
    impl_->options = options;
    auto syntax = boost::regex::perl | boost::regex::no_mod_m;
    if (options.ignore_case) syntax |= boost::regex::icase;
    try {
        const std::wstring translated =
            script_pattern_to_boost(to_wide(pattern).chars, options.multiline);
        impl_->regex.imbue(matching_locale());
        impl_->regex.assign(translated, syntax);
        impl_->valid = true;
    } catch (const std::exception&) {
        // boost::regex_error: the pattern is refused.
    }
    return impl_->valid;
}

bool WideRegex::valid() const {
    return impl_ && impl_->valid;
}

std::optional<std::vector<WideMatch>> WideRegex::execute(const std::u16string& text) const {
    if (!valid()) return std::nullopt;
    const WideText wide = to_wide(text);
    const Iterator begin = wide.chars.begin();
    const auto index_of = [&](Iterator at) {
        return wide.utf16_index[static_cast<std::size_t>(at - begin)];
    };
    std::vector<WideMatch> matches;
    try {
        impl_->for_each_match(wide.chars, [&](const Found& found) {
            WideMatch match;
            match.first_index = index_of(found[0].first);
            match.value = to_utf16(found[0].first, found[0].second);
            for (std::size_t n = 1; n < found.size(); ++n) {
                if (!found[n].matched) {
                    match.submatches.emplace_back();
                    continue;
                }
                match.submatches.push_back(WideGroup{
                    .first_index = index_of(found[n].first),
                    .value = to_utf16(found[n].first, found[n].second),
                });
            }
            matches.push_back(std::move(match));
        });
    } catch (const std::exception&) {
        // Matching grew out of bounds (boost::regex throws rather than run for ever).
        return std::nullopt;
    }
    return matches;
}

std::optional<std::u16string> WideRegex::replace(const std::u16string& text,
                                                 const std::u16string& replacement) const {
    if (!valid()) return std::nullopt;
    const std::wstring chars = to_wide(text).chars;
    const std::wstring wide_replacement = to_wide(replacement).chars;
    std::wstring out;
    Iterator copied = chars.begin();
    try {
        impl_->for_each_match(chars, [&](const Found& found) {
            out.append(copied, found[0].first);
            expand_replacement(out, wide_replacement, found, chars.begin(), chars.end());
            copied = found[0].second;
        });
    } catch (const std::exception&) {
        return std::nullopt;
    }
    out.append(copied, chars.cend());
    return to_utf16(out.begin(), out.end());
}

}  // namespace qingyu::platform
