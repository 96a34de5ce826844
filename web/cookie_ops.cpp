#include "web/cookie_ops.h"

#include "web/text_ops.h"

namespace qingyu {

std::string cookie_name(std::string_view entry) {
    const int equals = find_text(entry, "=");
    if (equals == -1) return trim_spaces(entry);
    return trim_spaces(entry.substr(0, static_cast<std::size_t>(equals - 1)));
}

bool has_cookie_named(const std::vector<std::string>& entries, std::string_view name) {
    for (const auto& entry : entries) {
        if (cookie_name(entry) == name) return true;
    }
    return false;
}

std::string merge_cookies(std::string& sent, std::string& received) {
    sent = remove_spaces(sent);
    received = remove_spaces(received);
    std::vector<std::string> merged = split_text(received, ";");
    for (auto& entry : split_text(sent, ";")) {
        if (!has_cookie_named(merged, cookie_name(entry))) merged.push_back(std::move(entry));
    }
    std::vector<std::string> kept;
    for (auto& entry : merged) {
        if (!entry.ends_with("=deleted")) kept.push_back(std::move(entry));
    }
    sent = join_unique(join_texts(kept, "; "), "; ");
    return sent;
}

}  // namespace qingyu
