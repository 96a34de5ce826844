// Byte-level regular expressions on Boost.Regex. GBK bytes are single-byte characters here, so a
// Chinese character is two characters to the pattern.

#include "platform/regex_search.h"

#include <boost/regex.hpp>

#include <exception>
#include <locale>

namespace qingyu::platform {

struct RegexSearch::Impl {
    boost::regex regex;
    bool valid = false;
};

namespace {

// Perl syntax; "." matches line breaks too; "^" and "$" only at the ends of the whole text.
constexpr auto syntax = boost::regex::perl | boost::regex::mod_s | boost::regex::no_mod_m;

using Iterator = std::string_view::const_iterator;

RegexMatch to_match(const boost::match_results<Iterator>& found, Iterator begin) {
    RegexMatch match;
    match.position = static_cast<std::size_t>(found[0].first - begin);
    match.text = found[0].str();
    for (std::size_t n = 1; n < found.size(); ++n) {
        match.groups.push_back(found[n].matched ? found[n].str() : std::string());
    }
    return match;
}

}  // namespace

std::string RegexMatch::group(int n) const {
    if (n == 0) return text;
    if (n < 0 || static_cast<std::size_t>(n) > groups.size()) return {};
    return groups[static_cast<std::size_t>(n) - 1];
}

RegexSearch::RegexSearch() : impl_(std::make_unique<Impl>()) {}
RegexSearch::~RegexSearch() = default;
RegexSearch::RegexSearch(RegexSearch&&) noexcept = default;
RegexSearch& RegexSearch::operator=(RegexSearch&&) noexcept = default;

bool RegexSearch::compile(std::string_view pattern) {
    if (!impl_) impl_ = std::make_unique<Impl>();
    impl_->valid = false;
    try {
        // The classic locale keeps the byte classes (\w, \s) fixed whatever the program's locale.
        impl_->regex.imbue(std::locale::classic());
        impl_->regex.assign(pattern.begin(), pattern.end(), syntax);
        impl_->valid = true;
    } catch (const std::exception&) {
        // boost::regex_error for a refused pattern; nothing else is expected.
    }
    return impl_->valid;
}

bool RegexSearch::valid() const {
    return impl_ && impl_->valid;
}

std::vector<RegexMatch> RegexSearch::search_all(std::string_view text) const {
    std::vector<RegexMatch> matches;
    if (!valid()) return matches;
    try {
        boost::regex_iterator<Iterator> it(text.begin(), text.end(), impl_->regex);
        for (; it != boost::regex_iterator<Iterator>(); ++it) {
            matches.push_back(to_match(*it, text.begin()));
        }
    } catch (const std::exception&) {
        // The engine gives up on a pattern whose matching grows out of bounds; that is no match.
        matches.clear();
    }
    return matches;
}

std::optional<RegexMatch> RegexSearch::search_from(std::string_view text, std::size_t from) const {
    if (!valid() || from > text.size()) return std::nullopt;
    try {
        boost::match_results<Iterator> found;
        // The whole text stays the buffer, so "^" and "\b" see what lies before `from`.
        const auto flags = from > 0 ? boost::match_prev_avail : boost::match_default;
        const auto start = text.begin() + static_cast<std::ptrdiff_t>(from);
        if (boost::regex_search(start, text.end(), found, impl_->regex, flags, text.begin())) {
            return to_match(found, text.begin());
        }
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

}  // namespace qingyu::platform
