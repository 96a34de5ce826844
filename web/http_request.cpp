#include "web/http_request.h"

#include <algorithm>

#include "platform/http_transport.h"
#include "web/charset.h"
#include "web/cookie_ops.h"
#include "web/text_ops.h"
#include "web/url_ops.h"

namespace qingyu {
namespace {

// Each 301 follow-up lengthens the address by the old path; past this many the call gives up.
constexpr int max_follow_ups = 10;
// The raw header text must fit this buffer with its terminating zero.
constexpr std::size_t header_buffer_bytes = 5000;
// "utf-8" in the body counts when it starts at one of the body's first 499 bytes.
constexpr int charset_mark_limit = 500;

std::string user_agent_for(std::string_view headers) {
    if (!contains_text(headers, "User-Agent:", false)) return std::string(default_user_agent);
    std::string agent = trim_spaces(text_between(headers, "User-Agent:", "\r\n"));
    if (agent.empty()) agent = header_value(headers);
    return agent;
}

// Completes the caller's block with the fixed defaults. The searches respect case.
void complete_header_block(std::string& headers, std::string_view url,
                           const std::optional<std::string>& cookies) {
    if (!contains_text(headers, "Referer:")) {
        if (headers.empty()) {
            headers = "Referer: " + std::string(url);
        } else {
            headers += "\r\nReferer: " + std::string(url);
        }
    }
    if (!contains_text(headers, "Accept:")) headers += "\r\nAccept: */*";
    if (!contains_text(headers, "Accept-Language:")) headers += "\r\nAccept-Language: zh-cn";
    if (!contains_text(headers, "Content-Type:")) {
        headers += "\r\nContent-Type: application/x-www-form-urlencoded";
    }
    if (cookies && !cookies->empty()) headers += "\r\nCookie: " + *cookies;
}

// The header text as the engine sees it: the final response's block when it fits the buffer,
// else (and after any failure) the untouched buffer of spaces.
std::string response_header_text(const platform::WireResponse& response) {
    if (response.outcome == platform::WireOutcome::completed &&
        response.raw_headers.size() < header_buffer_bytes) {
        return response.raw_headers;
    }
    return std::string(header_buffer_bytes, ' ');
}

void read_header_lines(HttpRequestArgs& args) {
    args.returned_cookies.clear();
    for (const std::string& line : split_text(args.response_headers, "\r\n")) {
        if (contains_text(line, "Location:")) args.location = header_value(line);
        if (contains_text(line, "Set-Cookie")) {
            args.returned_cookies += trim_spaces(text_between(line, "Set-Cookie:", ";")) + "; ";
        }
    }
    if (args.returned_cookies.size() >= 2) {
        args.returned_cookies.resize(args.returned_cookies.size() - 2);
    }
}

bool marked_as_utf8(std::string_view body, std::string_view header_text) {
    const std::string_view head = body.substr(0, charset_mark_limit + 4);
    const int mark = find_text(head, "utf-8", 1, true);
    if (mark >= 1 && mark < charset_mark_limit) return true;
    return contains_text(header_text, "utf-8", false);
}

std::string run_request(std::string_view address, HttpRequestArgs& args, int follow_ups_left) {
    // A copy: the caller may pass a view of one of the arguments this call rewrites.
    const std::string url(address);
    platform::WireRequest request;
    request.verb = args.method == 1 ? "POST" : "GET";
    request.user_agent = user_agent_for(args.headers);
    request.secure = to_lower_ascii(url.substr(0, 5)) == "https";
    request.host = url_host(url);
    request.port = url_port(url);
    // Port 0 (empty or not a number) means the scheme's default, as the system library reads it.
    if (request.port == 0) request.port = request.secure ? 443 : 80;
    request.path = url_path(url);
    if (request.host.empty() || request.port < 1 || request.port > 65535) return {};

    complete_header_block(args.headers, url, args.cookies);
    request.headers = args.headers;
    if (args.method != 0) {
        if (args.post_bytes.empty()) args.post_bytes = args.post_text;
        request.body = args.post_bytes;
    }
    request.use_cookie_store = !args.cookies.has_value();
    request.follow_redirects = !args.no_redirect;
    request.proxy = args.proxy;

    platform::WireResponse response = platform::http_transfer(request);
    std::string body = std::move(response.body);
    // A stalled transfer gives nothing, not the fragment that arrived before it stalled.
    if (response.outcome == platform::WireOutcome::timed_out) body.clear();
    args.response_headers = response_header_text(response);

    read_header_lines(args);
    if (args.cookies) merge_cookies(*args.cookies, args.returned_cookies);
    if (args.location.empty()) args.location = args.response_headers;

    if (text_between(args.response_headers, "HTTP/1.1 ", " Moved") == "301") {
        if (follow_ups_left == 0) return {};
        const std::string next = args.location + url_path(url);
        args.location.clear();
        return run_request(next, args, follow_ups_left - 1);
    }

    if (marked_as_utf8(body, args.response_headers)) return utf8_to_ansi(body);
    return body;
}

}  // namespace

std::string http_request(std::string_view url, HttpRequestArgs& args) {
    return run_request(url, args, max_follow_ups);
}

std::string http_request(std::string_view url) {
    HttpRequestArgs args;
    return http_request(url, args);
}

std::string http_request_text(std::string_view url, HttpRequestArgs& args) {
    std::string body = run_request(url, args, max_follow_ups);
    body.resize(std::min(body.size(), body.find('\0')));
    return body;
}

std::string http_request_text(std::string_view url) {
    HttpRequestArgs args;
    return http_request_text(url, args);
}

}  // namespace qingyu
