#include "regex/regex_object.h"

#include <algorithm>
#include <vector>

#include "platform/codepage.h"
#include "platform/regex_engine.h"
#include "web/text_ops.h"

namespace qingyu {
namespace {

constexpr std::string_view quote_placeholder_text = "#\xd2\xfd\xba\xc5";  // "#引号"

}  // namespace

struct RegexObject::Compiled {
    platform::WideRegex regex;
    std::string pattern;
};

struct RegexObject::Matches {
    std::vector<platform::WideMatch> items;
    std::u16string text;  // the subject as the engine saw it
};

RegexObject::RegexObject() = default;
RegexObject::~RegexObject() = default;
RegexObject::RegexObject(const RegexObject&) = default;
RegexObject& RegexObject::operator=(const RegexObject&) = default;
RegexObject::RegexObject(RegexObject&&) noexcept = default;
RegexObject& RegexObject::operator=(RegexObject&&) noexcept = default;

bool RegexObject::create(std::string_view pattern, std::string_view text,
                         std::optional<bool> case_sensitive, std::optional<bool> multiline,
                         std::optional<bool> global, std::optional<bool> quote_placeholder) {
    const platform::WideRegexOptions options{
        .ignore_case = !case_sensitive.value_or(false),
        .multiline = multiline.value_or(true),
        .global = global.value_or(true),
    };
    destroy();

    auto compiled = std::make_shared<Compiled>();
    compiled->pattern = quote_placeholder.value_or(false)
                            ? replace_all(pattern, quote_placeholder_text, "\"")
                            : std::string(pattern);
    compiled->regex.compile(platform::gbk_to_utf16(compiled->pattern), options);
    regexp_ = compiled;

    auto matches = std::make_shared<Matches>();
    matches->text = platform::gbk_to_utf16(text);
    subject_ = std::string(text);
    auto found = compiled->regex.execute(matches->text);
    if (!found) return false;
    matches->items = std::move(*found);
    matches_ = std::move(matches);
    return true;
}

void RegexObject::destroy() {
    regexp_.reset();
    matches_.reset();
    subject_.clear();
}

RegexObject RegexObject::copy() const {
    return *this;
}

std::string RegexObject::pattern() const {
    return regexp_ ? regexp_->pattern : std::string();
}

std::string RegexObject::replace(std::string_view replacement) const {
    if (!regexp_) return {};
    const auto replaced = regexp_->regex.replace(platform::gbk_to_utf16(subject_),
                                                 platform::gbk_to_utf16(replacement));
    return replaced ? platform::utf16_to_gbk(*replaced) : std::string();
}

int RegexObject::match_count() const {
    return matches_ ? static_cast<int>(matches_->items.size()) : 0;
}

int RegexObject::submatch_count() const {
    if (!matches_ || matches_->items.empty()) return 0;
    return static_cast<int>(matches_->items.front().submatches.size());
}

std::string RegexObject::match_text(int n, int* position) const {
    if (position) *position = -1;
    if (n < 1 || n > match_count()) return {};
    const auto& match = matches_->items[static_cast<std::size_t>(n) - 1];
    std::string text = platform::utf16_to_gbk(match.value);
    if (position) *position = byte_offset(match.first_index, text);
    return text;
}

std::string RegexObject::submatch_text(int n, int m, int* position) const {
    if (position) *position = -1;
    if (n < 1 || n > match_count() || m < 1) return {};
    const auto& groups = matches_->items[static_cast<std::size_t>(n) - 1].submatches;
    if (static_cast<std::size_t>(m) > groups.size()) return {};
    const auto& group = groups[static_cast<std::size_t>(m) - 1];
    if (!group) return {};
    std::string text = platform::utf16_to_gbk(group->value);
    if (position) *position = byte_offset(group->first_index, text);
    return text;
}

// The engine counts characters; the caller wants bytes of the GBK subject. The characters before
// the text, encoded again, give its byte offset. Only when the subject is not clean GBK can the
// two disagree; then the text is looked for in the subject from that character index on.
int RegexObject::byte_offset(std::size_t utf16_index, std::string_view text) const {
    const std::u16string_view decoded = matches_->text;
    const std::size_t offset =
        platform::utf16_to_gbk(decoded.substr(0, std::min(utf16_index, decoded.size()))).size();
    if (offset <= subject_.size() && std::string_view(subject_).substr(offset).starts_with(text)) {
        return static_cast<int>(offset);
    }
    const int found = find_text(subject_, text, static_cast<int>(utf16_index) + 1);
    return found > 0 ? found - 1 : -1;
}

}  // namespace qingyu
