#pragma once
// The HTTP transport under the request engine, and the platform's simple GET.
// The engine in web/ decides every byte of the request; the transport only puts it on the wire.

#include <optional>
#include <string>
#include <string_view>

namespace qingyu::platform {

// One request exactly as the engine built it.
struct WireRequest {
    bool secure = false;            // TLS (https) or plain HTTP
    std::string host;               // lower-case host name, no port
    int port = 80;
    std::string path;               // from the first "/" after the host, query included
    std::string verb = "GET";       // "GET" or "POST"
    std::string user_agent;         // sent unless `headers` has a User-Agent line of its own
    std::string headers;            // header lines joined by CR LF, no CR LF after the last
    std::optional<std::string> body;  // a body is sent whenever this holds a value (even empty)
    bool use_cookie_store = true;   // false: neither send stored cookies nor store received ones
    bool follow_redirects = true;   // the transport follows redirects itself (bounded)
    std::optional<std::string> proxy;  // "host:port"; serves plain-HTTP requests only
};

enum class WireOutcome {
    completed,  // a response arrived; `raw_headers` holds its header block
    failed,     // no response: unreachable, refused, send or read failed
    timed_out,  // the connection or the transfer stalled past its time-out
};

struct WireResponse {
    WireOutcome outcome = WireOutcome::failed;
    std::string body;         // the bytes read, also what arrived before a failure
    std::string raw_headers;  // final response only: status line and header lines, each ended by CR LF
};

// Puts one request on the wire with HTTP/1.1. Never throws; blocks at most for the time-outs.
WireResponse http_transfer(const WireRequest& request);

// The platform's simple GET: cut at the first "#", HTTP/1.0, only "Accept: */*", the MSIE 6.0
// user agent, no cache, redirects followed, the shared cookie store. Empty on failure; an error
// page's body is returned like any other.
std::string plain_http_get(std::string_view url);

// Time-outs of every transfer, in milliseconds. Connecting and a transfer that receives nothing
// for `idle_ms` both end the request.
struct HttpTimeouts {
    long connect_ms = 10000;
    long idle_ms = 20000;
    int max_redirects = 10;
};
void set_http_timeouts(const HttpTimeouts& timeouts);
HttpTimeouts http_timeouts();

}  // namespace qingyu::platform
