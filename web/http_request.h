#pragma once
// The system's general HTTP operation: one GET or POST with the fixed default header block, the
// cookie handling, the 301 follow-up and the UTF-8 to GBK body conversion.

#include <optional>
#include <string>
#include <string_view>

namespace qingyu {

// Every argument after the address. In/out members are changed in place by the call; `cookies`
// and `proxy` tell an omitted argument (no value) from an empty one.
struct HttpRequestArgs {
    int method = 0;                      // 1: POST; any other: GET. A body goes with every non-zero value
    std::string post_text;               // body as text, used when `post_bytes` is empty
    std::optional<std::string> cookies;  // in/out: cookies to send; given: the cookie store is not used
    std::string returned_cookies;        // out: cookies set by the response
    std::string headers;                 // in/out: extra header lines; out: the block as sent
    std::string location;                // out: the Location value, else the whole header text
    bool no_redirect = false;            // the transport follows no redirect itself
    std::string post_bytes;              // in/out: body bytes
    std::optional<std::string> proxy;    // "host:port" for plain-HTTP requests
    std::string response_headers;        // out: raw header text of the final response
};

// The body bytes; empty when the request could not be made.
std::string http_request(std::string_view url, HttpRequestArgs& args);
std::string http_request(std::string_view url);
// The body as text: cut at its first zero byte.
std::string http_request_text(std::string_view url, HttpRequestArgs& args);
std::string http_request_text(std::string_view url);

// The user agent sent when the caller's header block has none.
inline constexpr std::string_view default_user_agent =
    "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1; TRIVO; .NET CLR 2.0.50727; .NET CLR "
    "3.0.04506.648; .NET CLR 3.5.21022)";

}  // namespace qingyu
