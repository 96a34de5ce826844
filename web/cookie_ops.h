#pragma once
// Cookie sets: "name=value" entries joined by "; ".

#include <string>
#include <string_view>
#include <vector>

namespace qingyu {

std::string cookie_name(std::string_view entry);
bool has_cookie_named(const std::vector<std::string>& entries, std::string_view name);
// Received entries first, then the sent entries whose names were not received; "=deleted"
// entries dropped. Both arguments lose their spaces; `sent` receives the result too.
std::string merge_cookies(std::string& sent, std::string& received);

}  // namespace qingyu
