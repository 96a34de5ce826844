#pragma once
// Reachability of a host: the reply time in milliseconds, at least 1 for any answer within the
// time-out, and 0 or less on failure.

#include <string_view>

namespace qingyu::platform {

// `host` may carry ":port"; the reply is a TCP connection accepted on that port (80 by default).
int ping(std::string_view host, int timeout_ms);

}  // namespace qingyu::platform
