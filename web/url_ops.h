#pragma once
// Splitting an address into host, port and path, the way the request engine connects.

#include <string>
#include <string_view>

namespace qingyu {

std::string url_host(std::string_view address, bool keep_port = false);
int url_port(std::string_view address);
std::string url_path(std::string_view address);

}  // namespace qingyu
