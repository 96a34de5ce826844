#include "web/url_ops.h"

#include "web/text_ops.h"

namespace qingyu {
namespace {

bool is_https(std::string_view address) {
    return to_lower_ascii(address.substr(0, 5)) == "https";
}

}  // namespace

std::string url_host(std::string_view address, bool keep_port) {
    std::string lowered = to_lower_ascii(address);
    if (!lowered.ends_with('/')) lowered.push_back('/');
    std::string_view scheme = "http://";
    if (lowered.starts_with("https://")) {
        scheme = "https://";
    } else if (!contains_text(lowered, "http://")) {
        lowered.insert(0, "http://");
    }
    std::string host = text_between(lowered, scheme, "/");
    if (keep_port) return host;
    const int colon = find_text(host, ":");
    if (colon != -1) host.resize(static_cast<std::size_t>(colon - 1));
    return host;
}

int url_port(std::string_view address) {
    const std::string host = url_host(address, true);
    const auto colon = host.rfind(':');
    if (colon == std::string::npos) return is_https(address) ? 443 : 80;
    long port = 0;
    for (std::size_t i = colon + 1; i < host.size() && host[i] >= '0' && host[i] <= '9'; ++i) {
        port = port * 10 + (host[i] - '0');
        if (port > 0x7FFFFFFF / 10) break;  // stays a valid int whatever the digits
    }
    return static_cast<int>(port);
}

std::string url_path(std::string_view address) {
    const std::string host = url_host(address);
    const int host_at = find_text(address, host, 1, false);
    if (host_at == -1) return "/";
    const int slash = find_text(address, "/", host_at);
    if (slash == -1) return "/";
    return std::string(address.substr(static_cast<std::size_t>(slash - 1)));
}

}  // namespace qingyu
