// The libcurl transport and the simple GET, on the wire against loopback servers: the exact
// request bytes, the final response's header text, redirects, the cookie store, proxies and
// time-outs.

#include "platform/http_transport.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "loopback_server.h"

namespace qingyu::platform {
namespace {

using test::http_response;
using test::LoopbackServer;
using Lines = std::vector<std::string>;

constexpr std::string_view simple_agent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

class HttpTransportTest : public ::testing::Test {
  protected:
    void SetUp() override { set_http_timeouts({.connect_ms = 2000, .idle_ms = 2000}); }
    void TearDown() override { set_http_timeouts({}); }

    static WireRequest request_to(const LoopbackServer& server, std::string path) {
        WireRequest request;
        request.host = "127.0.0.1";
        request.port = server.port();
        request.path = std::move(path);
        request.user_agent = "Agent/1.0";
        request.headers = "Accept: */*";
        return request;
    }
    static std::string ok(std::string_view body) {
        return http_response("HTTP/1.1 200 OK\r\n", body);
    }
};

TEST_F(HttpTransportTest, SimpleGetSendsOnlyItsOwnHeadersWithHttp10AndCutsTheFragment) {
    LoopbackServer server({ok("simple body")});
    EXPECT_EQ(plain_http_get(server.url("/path/page?x=1&y=2#part")), "simple body");

    const auto sent = server.request(0);
    EXPECT_EQ(sent.request_line, "GET /path/page?x=1&y=2 HTTP/1.0");
    EXPECT_EQ(sent.header_lines,
              (Lines{"Host: " + server.host_port(), "User-Agent: " + std::string(simple_agent),
                     "Accept: */*"}));
}

TEST_F(HttpTransportTest, SimpleGetGivesAnyBodyThatArrivedAndNothingOtherwise) {
    LoopbackServer server({http_response("HTTP/1.1 404 Not Found\r\n", "missing page")});
    EXPECT_EQ(plain_http_get(server.url("/gone")), "missing page");
    EXPECT_EQ(plain_http_get(server.host_port() + "/no-scheme"), "missing page");
    EXPECT_EQ(server.request(1).request_line, "GET /no-scheme HTTP/1.0");

    EXPECT_EQ(plain_http_get("http://127.0.0.1:" + std::to_string(test::unused_port()) + "/"), "");
    EXPECT_EQ(plain_http_get("file:///etc/hostname"), "");
    EXPECT_EQ(plain_http_get(""), "");
}

TEST_F(HttpTransportTest, SimpleGetFollowsRedirectsAndKeepsCookies) {
    LoopbackServer server({
        http_response("HTTP/1.1 302 Found\r\nLocation: /simple/next\r\n"
                      "Set-Cookie: simple=1; Path=/simple\r\n",
                      ""),
        ok("after redirect"),
    });
    EXPECT_EQ(plain_http_get(server.url("/simple/start")), "after redirect");
    EXPECT_EQ(server.request(1).request_line, "GET /simple/next HTTP/1.0");
    EXPECT_EQ(server.request(1).header("Cookie"), "simple=1");
}

TEST_F(HttpTransportTest, SendsTheHeaderBlockAsBuiltAndNothingOfItsOwnButHost) {
    struct Case {
        std::string_view block;
        Lines sent;  // after Host
    };
    const std::array cases = {
        // Without a User-Agent line the transport's agent goes first; no Accept of curl's own.
        Case{"X-One: 1\r\nX-Two: 2", {"User-Agent: Agent/1.0", "X-One: 1", "X-Two: 2"}},
        // The block's own agent, whatever its case, replaces the transport's.
        Case{"user-agent: Own/2.0\r\nAccept: text/html",
             {"user-agent: Own/2.0", "Accept: text/html"}},
        // An empty value is sent, not taken as "drop this header".
        Case{"X-Empty:\r\nAccept: */*", {"User-Agent: Agent/1.0", "X-Empty:", "Accept: */*"}},
        // A stray line break cannot hide a second header inside a line.
        Case{"X-A: 1\nX-B: 2\r\rX-C: 3", {"User-Agent: Agent/1.0", "X-A: 1", "X-B: 2", "X-C: 3"}},
    };
    LoopbackServer server({ok("")});
    for (std::size_t i = 0; i < cases.size(); ++i) {
        WireRequest request = request_to(server, "/block");
        request.headers = cases[i].block;
        ASSERT_EQ(http_transfer(request).outcome, WireOutcome::completed);
        Lines expected = {"Host: " + server.host_port()};
        expected.insert(expected.end(), cases[i].sent.begin(), cases[i].sent.end());
        EXPECT_EQ(server.request(i).header_lines, expected) << cases[i].block;
    }
}

TEST_F(HttpTransportTest, BodiesGoWithTheirVerbAndLength) {
    struct Case {
        std::string_view verb;
        std::optional<std::string> body;
        std::string_view request_line;
        std::string_view length;
    };
    const std::array cases = {
        Case{"GET", std::nullopt, "GET /verb HTTP/1.1", ""},
        Case{"GET", "q=1", "GET /verb HTTP/1.1", "3"},
        Case{"POST", "", "POST /verb HTTP/1.1", "0"},
        Case{"POST", std::string(2 << 20, 'b'), "POST /verb HTTP/1.1", "2097152"},
    };
    LoopbackServer server({ok("")});
    for (std::size_t i = 0; i < cases.size(); ++i) {
        WireRequest request = request_to(server, "/verb");
        request.verb = cases[i].verb;
        request.body = cases[i].body;
        ASSERT_EQ(http_transfer(request).outcome, WireOutcome::completed);
        const auto sent = server.request(i);
        EXPECT_EQ(sent.request_line, cases[i].request_line);
        EXPECT_EQ(sent.header("Content-Length"), cases[i].length);
        EXPECT_EQ(sent.body, cases[i].body.value_or(""));
        EXPECT_EQ(sent.header("Expect"), "");
        EXPECT_EQ(sent.header("Content-Type"), "");
    }
}

TEST_F(HttpTransportTest, EscapesOnlySpacesInThePath) {
    LoopbackServer server({ok("")});
    http_transfer(request_to(server, "/a b/c%41?q=x y&r=\xD6\xD0"));
    EXPECT_EQ(server.request(0).request_line, "GET /a%20b/c%41?q=x%20y&r=\xD6\xD0 HTTP/1.1");
}

TEST_F(HttpTransportTest, HeaderTextIsThatOfTheFinalResponseOnly) {
    LoopbackServer server({
        http_response("HTTP/1.1 302 Found\r\nLocation: /final\r\nX-First: 1\r\n", "moved"),
        "HTTP/1.1 100 Continue\r\nX-Interim: 1\r\n\r\n"
        "HTTP/1.1 200 OK\nX-Final: yes\nContent-Length: 4\n\nbody",
    });
    const WireResponse response = http_transfer(request_to(server, "/first"));
    EXPECT_EQ(response.outcome, WireOutcome::completed);
    EXPECT_EQ(response.body, "body");
    EXPECT_EQ(response.raw_headers, "HTTP/1.1 200 OK\r\nX-Final: yes\r\nContent-Length: 4\r\n");
    EXPECT_EQ(server.request(1).request_line, "GET /final HTTP/1.1");
}

TEST_F(HttpTransportTest, RedirectsAreBoundedOrLeftToTheCaller) {
    LoopbackServer server({http_response("HTTP/1.1 302 Found\r\nLocation: /again\r\n", "loop")});
    set_http_timeouts({.connect_ms = 2000, .idle_ms = 2000, .max_redirects = 3});
    EXPECT_EQ(http_transfer(request_to(server, "/again")).outcome, WireOutcome::failed);
    EXPECT_EQ(server.connections(), 4);

    WireRequest request = request_to(server, "/again");
    request.follow_redirects = false;
    const WireResponse response = http_transfer(request);
    EXPECT_EQ(response.outcome, WireOutcome::completed);
    EXPECT_TRUE(response.raw_headers.starts_with("HTTP/1.1 302 Found\r\n"));
    EXPECT_EQ(response.body, "loop");
    EXPECT_EQ(server.connections(), 5);
}

TEST_F(HttpTransportTest, RequestWithoutTheStoreNeitherSendsNorKeepsCookies) {
    LoopbackServer server({
        http_response("HTTP/1.1 200 OK\r\nSet-Cookie: kept=1; Path=/store\r\n", ""),
        http_response("HTTP/1.1 200 OK\r\nSet-Cookie: private=2; Path=/store\r\n", ""),
        ok(""),
    });
    http_transfer(request_to(server, "/store/set"));
    WireRequest own_cookies = request_to(server, "/store/own");
    own_cookies.use_cookie_store = false;
    own_cookies.headers = "Cookie: mine=3";
    http_transfer(own_cookies);
    http_transfer(request_to(server, "/store/check"));

    EXPECT_EQ(server.request(1).header_lines,
              (Lines{"Host: " + server.host_port(), "User-Agent: Agent/1.0", "Cookie: mine=3"}));
    EXPECT_EQ(server.request(2).header("Cookie"), "kept=1");
}

TEST_F(HttpTransportTest, GivenProxyServesPlainHttpOnlyAndTheEnvironmentIsIgnored) {
    LoopbackServer proxy({ok("from proxy")});
    LoopbackServer target({ok("direct")});

    WireRequest plain;
    plain.host = "example.invalid";
    plain.path = "/via?q=1";
    plain.headers = "Accept: */*";
    plain.proxy = proxy.host_port();
    EXPECT_EQ(http_transfer(plain).body, "from proxy");
    const auto sent = proxy.request(0);
    EXPECT_EQ(sent.request_line, "GET http://example.invalid/via?q=1 HTTP/1.1");
    EXPECT_EQ(sent.header("Host"), "example.invalid");
    EXPECT_EQ(sent.header("Proxy-Connection"), "");

    WireRequest secure = request_to(target, "/tls");
    secure.secure = true;
    secure.proxy = proxy.host_port();
    EXPECT_NE(http_transfer(secure).outcome, WireOutcome::completed);
    ASSERT_FALSE(target.request(0).raw.empty());
    EXPECT_EQ(target.request(0).raw[0], '\x16');  // a TLS handshake record, sent direct

    setenv("http_proxy", proxy.url("/").c_str(), 1);
    EXPECT_EQ(http_transfer(request_to(target, "/env")).body, "direct");
    EXPECT_EQ(plain_http_get(target.url("/env")), "direct");
    unsetenv("http_proxy");
    EXPECT_EQ(proxy.connections(), 1);
}

TEST_F(HttpTransportTest, StalledAndRefusedTransfersEnd) {
    LoopbackServer silent(LoopbackServer::never_answer());
    set_http_timeouts({.connect_ms = 2000, .idle_ms = 300});
    EXPECT_EQ(http_transfer(request_to(silent, "/wait")).outcome, WireOutcome::timed_out);
    EXPECT_EQ(plain_http_get(silent.url("/wait")), "");

    WireRequest refused;
    refused.host = "127.0.0.1";
    refused.port = test::unused_port();
    refused.path = "/";
    EXPECT_EQ(http_transfer(refused).outcome, WireOutcome::failed);
}

TEST_F(HttpTransportTest, BodyBeyondTheBoundIsNotKept) {
    const std::size_t huge = (std::size_t{64} << 20) + 1;
    LoopbackServer server({http_response("HTTP/1.1 200 OK\r\n", std::string(huge, 'x'))});
    const WireResponse response = http_transfer(request_to(server, "/huge"));
    EXPECT_EQ(response.outcome, WireOutcome::failed);
    EXPECT_LT(response.body.size(), huge);
}

}  // namespace
}  // namespace qingyu::platform
