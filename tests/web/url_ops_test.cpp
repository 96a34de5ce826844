#include "web/url_ops.h"

#include <gtest/gtest.h>

#include <array>

namespace qingyu {
namespace {

TEST(UrlOps, HostPortPath) {
    struct Case {
        std::string_view address, host, host_port;
        int port;
        std::string_view path;
    };
    constexpr std::array cases{
        Case{"http://Www.Example.COM/A/b?q=1", "www.example.com", "www.example.com", 80,
             "/A/b?q=1"},
        Case{"HTTPS://host.cn/x", "host.cn", "host.cn", 443, "/x"},
        Case{"https://host.cn:8443/x#f", "host.cn", "host.cn:8443", 8443, "/x#f"},
        Case{"host.cn:8080/p", "host.cn", "host.cn:8080", 8080, "/p"},
        Case{"http://host.cn:abc/", "host.cn", "host.cn:abc", 0, "/"},
        Case{"http://host.cn:81x/", "host.cn", "host.cn:81x", 81, "/"},
        Case{"http://host.cn:99999999999999/", "host.cn", "host.cn:99999999999999", 999999999,
             "/"},  // bounded, never an overflow
        Case{"host.cn", "host.cn", "host.cn", 80, "/"},
        Case{"host.cn?q=1", "host.cn?q=1", "host.cn?q=1", 80, "/"},  // the query is lost
        Case{"a.cn/go?to=http://b.cn/x", "b.cn", "b.cn", 80, "/x"},
        Case{"", "", "", 80, "/"},
    };
    for (const auto& [address, host, host_port, port, path] : cases) {
        EXPECT_EQ(url_host(address), host) << address;
        EXPECT_EQ(url_host(address, true), host_port) << address;
        EXPECT_EQ(url_port(address), port) << address;
        EXPECT_EQ(url_path(address), path) << address;
    }
}

}  // namespace
}  // namespace qingyu
