#pragma once
// Handing a text to the desktop's "open" action (browser, or the program registered for a link
// scheme). Returns at once; the result is not examined.

#include <functional>
#include <string>
#include <string_view>

namespace qingyu::platform {

void open_url(std::string_view text);  // GBK text

// Replaces the desktop action (headless runs and tests record what would be opened);
// an empty function restores it.
void set_open_url_handler(std::function<void(const std::string&)> handler);

}  // namespace qingyu::platform
