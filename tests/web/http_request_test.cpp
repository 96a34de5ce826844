// The request engine on the wire, against loopback servers: the request it builds, what it makes
// of the response (header text, Location, cookies, the 301 follow-up, the charset), and how it
// ends when the server fails it.

#include "web/http_request.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "loopback_server.h"
#include "platform/http_transport.h"

namespace qingyu {
namespace {

using test::http_response;
using test::LoopbackServer;
using Lines = std::vector<std::string>;

constexpr std::string_view form_type = "Content-Type: application/x-www-form-urlencoded";
const std::string unreadable_headers(5000, ' ');

// "中文" in UTF-8 and in GBK.
constexpr std::string_view chinese_utf8 = "\xE4\xB8\xAD\xE6\x96\x87";
constexpr std::string_view chinese_gbk = "\xD6\xD0\xCE\xC4";

std::string ok(std::string_view body) {
    return http_response("HTTP/1.1 200 OK\r\n", body);
}

Lines split_lines(std::string_view block) {
    Lines lines;
    while (!block.empty()) {
        const auto end = block.find("\r\n");
        lines.emplace_back(block.substr(0, end));
        if (end == std::string_view::npos) break;
        block.remove_prefix(end + 2);
    }
    return lines;
}

std::string with_url(std::string_view text, std::string_view url) {
    std::string result(text);
    for (auto at = result.find("{url}"); at != std::string::npos; at = result.find("{url}")) {
        result.replace(at, 5, url);
    }
    return result;
}

class HttpRequestTest : public ::testing::Test {
  protected:
    void SetUp() override { platform::set_http_timeouts({.connect_ms = 2000, .idle_ms = 2000}); }
    void TearDown() override { platform::set_http_timeouts({}); }
};

TEST_F(HttpRequestTest, OnlyAnAddressSendsTheDefaultBlockAndAgent) {
    LoopbackServer server({http_response("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n", "hi")});
    const std::string url = server.url("/page?x=1");
    HttpRequestArgs args;
    EXPECT_EQ(http_request(url, args), "hi");

    const auto sent = server.request(0);
    EXPECT_EQ(sent.request_line, "GET /page?x=1 HTTP/1.1");
    EXPECT_EQ(sent.header_lines,
              (Lines{"Host: " + server.host_port(),
                     "User-Agent: " + std::string(default_user_agent), "Referer: " + url,
                     "Accept: */*", "Accept-Language: zh-cn", std::string(form_type)}));
    EXPECT_EQ(args.headers, "Referer: " + url + "\r\nAccept: */*\r\nAccept-Language: zh-cn\r\n" +
                                std::string(form_type));
    EXPECT_EQ(args.response_headers,
              "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: 2\r\n"
              "Connection: close\r\n");
    EXPECT_EQ(args.location, args.response_headers);
    EXPECT_EQ(args.returned_cookies, "");

    EXPECT_EQ(http_request(url), "hi");
    EXPECT_EQ(http_request_text(url), "hi");
    EXPECT_EQ(server.request(2).header_lines, sent.header_lines);
}

TEST_F(HttpRequestTest, AddressFormsReachThePathAndKeepTheRefererAsGiven) {
    struct Case {
        std::string_view before_host;
        std::string_view after_host;
        std::string_view request_line;
    };
    constexpr std::array cases = {
        Case{"http://", "/a/b?c=1&d=2", "GET /a/b?c=1&d=2 HTTP/1.1"},
        Case{"", "/no-scheme?q=1", "GET /no-scheme?q=1 HTTP/1.1"},
        Case{"HTTP://", "/Upper/Case", "GET /Upper/Case HTTP/1.1"},
        Case{"http://", "/with space?q=a b", "GET /with%20space?q=a%20b HTTP/1.1"},
        Case{"http://", "", "GET / HTTP/1.1"},
    };
    LoopbackServer server({ok("reached")});
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const auto& c = cases[i];
        const std::string url =
            std::string(c.before_host) + server.host_port() + std::string(c.after_host);
        EXPECT_EQ(http_request(url), "reached") << url;
        EXPECT_EQ(server.request(i).request_line, c.request_line);
        EXPECT_EQ(server.request(i).header("Referer"), url);
    }
}

TEST_F(HttpRequestTest, HttpsInCapitalsGoesOverTls) {
    LoopbackServer server({ok("plain")});
    HttpRequestArgs args;
    EXPECT_EQ(http_request("HTTPS://" + server.host_port() + "/secure", args), "");
    ASSERT_FALSE(server.request(0).raw.empty());
    EXPECT_EQ(server.request(0).raw[0], '\x16');  // a TLS handshake record
    EXPECT_EQ(args.response_headers, unreadable_headers);
}

TEST_F(HttpRequestTest, MethodDecidesVerbAndBody) {
    struct Case {
        int method;
        std::string_view post_text;
        std::string_view post_bytes;
        std::string_view request_line;
        std::string_view length;  // empty: no body at all
        std::string_view body_sent;
    };
    constexpr std::array cases = {
        Case{0, "ignored", "", "GET /form HTTP/1.1", "", ""},
        Case{1, "a=1&b=2", "", "POST /form HTTP/1.1", "7", "a=1&b=2"},
        Case{2, "q=1", "", "GET /form HTTP/1.1", "3", "q=1"},
        Case{1, "", "", "POST /form HTTP/1.1", "0", ""},
        Case{1, "text", std::string_view("by\0tes", 6), "POST /form HTTP/1.1", "6",
             std::string_view("by\0tes", 6)},
    };
    LoopbackServer server({ok("")});
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const auto& c = cases[i];
        HttpRequestArgs args;
        args.method = c.method;
        args.post_text = c.post_text;
        args.post_bytes = c.post_bytes;
        http_request(server.url("/form"), args);
        const auto sent = server.request(i);
        EXPECT_EQ(sent.request_line, c.request_line) << i;
        EXPECT_EQ(sent.header("Content-Length"), c.length) << i;
        EXPECT_EQ(sent.body, c.body_sent) << i;
        EXPECT_EQ(sent.header("Content-Type"), "application/x-www-form-urlencoded");
        EXPECT_EQ(args.post_bytes, c.body_sent) << i;
    }
}

TEST_F(HttpRequestTest, CallerHeaderLinesAreCompletedAndChooseTheAgent) {
    struct Case {
        std::string_view caller;
        std::string_view agent_line;  // the agent the transport adds, when the block has none
        std::string_view block;       // the block as sent and handed back
    };
    constexpr std::array cases = {
        Case{"accept: text/html\r\nuser-agent: Mine/1.0", "",
             "accept: text/html\r\nuser-agent: Mine/1.0\r\nReferer: {url}\r\nAccept: */*\r\n"
             "Accept-Language: zh-cn\r\nContent-Type: application/x-www-form-urlencoded"},
        Case{"User-Agent: Solo/2.0", "",
             "User-Agent: Solo/2.0\r\nReferer: {url}\r\nAccept: */*\r\nAccept-Language: zh-cn\r\n"
             "Content-Type: application/x-www-form-urlencoded"},
        // The agent rule finds "User-Agent:" inside another name; the transport sends that agent.
        Case{"X-User-Agent: Inner/3.0", "User-Agent: Inner/3.0",
             "X-User-Agent: Inner/3.0\r\nReferer: {url}\r\nAccept: */*\r\n"
             "Accept-Language: zh-cn\r\nContent-Type: application/x-www-form-urlencoded"},
        Case{"Referer: http://elsewhere/\r\nContent-Type: text/plain\r\nAccept-Language: en",
             "User-Agent: Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1; TRIVO; .NET CLR "
             "2.0.50727; .NET CLR 3.0.04506.648; .NET CLR 3.5.21022)",
             "Referer: http://elsewhere/\r\nContent-Type: text/plain\r\nAccept-Language: en\r\n"
             "Accept: */*"},
    };
    LoopbackServer server({ok("")});
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const auto& c = cases[i];
        const std::string url = server.url("/headers");
        HttpRequestArgs args;
        args.headers = c.caller;
        http_request(url, args);
        const std::string block = with_url(c.block, url);
        EXPECT_EQ(args.headers, block);

        Lines expected{"Host: " + server.host_port()};
        if (!c.agent_line.empty()) expected.emplace_back(c.agent_line);
        for (auto& line : split_lines(block)) expected.push_back(line);
        EXPECT_EQ(server.request(i).header_lines, expected) << c.caller;
    }
}

TEST_F(HttpRequestTest, SetCookieLinesGiveTheReturnedCookies) {
    struct Case {
        std::string_view set_cookie_lines;
        std::string_view returned;
    };
    constexpr std::array cases = {
        Case{"Set-Cookie: a=1; Path=/parse\r\nSet-Cookie: b=2; Path=/parse; HttpOnly\r\n",
             "a=1; b=2"},
        Case{"Set-Cookie: bare=1\r\nSet-Cookie: c=3; Path=/parse\r\n", "; c=3"},
        Case{"X-Other: 1\r\n", ""},
    };
    for (const auto& c : cases) {
        LoopbackServer server(
            {http_response("HTTP/1.1 200 OK\r\n" + std::string(c.set_cookie_lines), "")});
        HttpRequestArgs args;
        args.returned_cookies = "stale=1";
        http_request(server.url("/parse/page"), args);
        EXPECT_EQ(args.returned_cookies, c.returned) << c.set_cookie_lines;
        EXPECT_FALSE(args.cookies.has_value());
    }
}

TEST_F(HttpRequestTest, GivenCookiesAreMergedAndKeepTheStoreOutOfTheRequest) {
    LoopbackServer server({
        http_response("HTTP/1.1 200 OK\r\nSet-Cookie: sid=abc; Path=/jar; HttpOnly\r\n"
                      "Set-Cookie: lang=zh; Path=/jar\r\n",
                      ""),
        http_response("HTTP/1.1 200 OK\r\nSet-Cookie: fresh=2; Path=/jar\r\n"
                      "Set-Cookie: sid=new; Path=/jar\r\n",
                      ""),
        ok(""),
    });
    HttpRequestArgs stored;
    http_request(server.url("/jar/1"), stored);
    EXPECT_EQ(stored.returned_cookies, "sid=abc; lang=zh");

    HttpRequestArgs given;
    given.cookies = "old=1; sid=zzz";
    http_request(server.url("/jar/2"), given);
    const Lines sent = server.request(1).header_lines;
    EXPECT_EQ(std::count_if(sent.begin(), sent.end(),
                            [](const std::string& line) { return line.starts_with("Cookie"); }),
              1);
    EXPECT_EQ(sent.back(), "Cookie: old=1; sid=zzz");
    EXPECT_EQ(given.returned_cookies, "fresh=2;sid=new");
    EXPECT_EQ(given.cookies, "fresh=2; sid=new; old=1");

    http_request(server.url("/jar/3"));
    const std::string later = server.request(2).header("Cookie");
    EXPECT_TRUE(later == "lang=zh; sid=abc" || later == "sid=abc; lang=zh") << later;
}

TEST_F(HttpRequestTest, CookieStoreIsSharedWithTheSimpleGetAcrossThreads) {
    LoopbackServer server({
        http_response("HTTP/1.1 200 OK\r\nSet-Cookie: shared=42; Path=/shared\r\n", "set"),
        ok("used"),
    });
    std::string first;
    std::string second;
    std::thread([&] { first = platform::plain_http_get(server.url("/shared/set")); }).join();
    std::thread([&] { second = http_request(server.url("/shared/use")); }).join();
    EXPECT_EQ(first, "set");
    EXPECT_EQ(second, "used");
    EXPECT_EQ(server.request(1).header("Cookie"), "shared=42");
}

TEST_F(HttpRequestTest, OnlyAHttp11MovedPermanentlyIsFollowedByTheEngine) {
    struct Case {
        std::string_view status_line;
        bool followed;
    };
    constexpr std::array cases = {
        Case{"HTTP/1.1 301 Moved Permanently", true},
        Case{"HTTP/1.0 301 Moved Permanently", false},
        Case{"HTTP/1.1 302 Moved Temporarily", false},
        Case{"HTTP/1.1 301 Redirect", false},
    };
    for (const auto& c : cases) {
        LoopbackServer target({ok("moved here")});
        // The Location names only a scheme and a host: the first path and query go after it.
        LoopbackServer origin({http_response(
            std::string(c.status_line) + "\r\nLocation: http://" + target.host_port() + "\r\n",
            "origin")});
        const std::string url = origin.url("/first/page?q=1");
        HttpRequestArgs args;
        args.no_redirect = true;
        const std::string body = http_request(url, args);
        EXPECT_EQ(target.connections(), c.followed ? 1 : 0) << c.status_line;
        if (c.followed) {
            EXPECT_EQ(body, "moved here");
            EXPECT_EQ(target.request(0).request_line, "GET /first/page?q=1 HTTP/1.1");
            EXPECT_EQ(target.request(0).header("Referer"), url);
            EXPECT_TRUE(args.response_headers.starts_with("HTTP/1.1 200 OK\r\n"));
            EXPECT_EQ(args.location, args.response_headers);
        } else {
            EXPECT_EQ(body, "origin");
            EXPECT_EQ(args.location, "http://" + target.host_port());
        }
    }
}

TEST_F(HttpRequestTest, EndlessMovedPermanentlyEndsEmpty) {
    LoopbackServer server{test::Responder([&server](const test::RecordedRequest&) {
        return http_response(
            "HTTP/1.1 301 Moved Permanently\r\nLocation: http://" + server.host_port() + "\r\n",
            "again");
    })};
    HttpRequestArgs args;
    args.no_redirect = true;
    EXPECT_EQ(http_request(server.url("/loop"), args), "");
    EXPECT_EQ(server.connections(), 11);
}

TEST_F(HttpRequestTest, OtherRedirectsAreFollowedByTheTransportWithTheFinalHeaderText) {
    LoopbackServer server({
        http_response("HTTP/1.1 302 Found\r\nLocation: /final\r\n", "first"),
        http_response("HTTP/1.1 200 OK\r\nX-Final: 1\r\n", "final"),
    });
    const std::string url = server.url("/start");
    HttpRequestArgs args;
    EXPECT_EQ(http_request(url, args), "final");
    EXPECT_EQ(server.request(1).request_line, "GET /final HTTP/1.1");
    EXPECT_EQ(server.request(1).header("Referer"), url);
    EXPECT_EQ(args.response_headers,
              "HTTP/1.1 200 OK\r\nX-Final: 1\r\nContent-Length: 5\r\nConnection: close\r\n");
    EXPECT_EQ(args.location, args.response_headers);
}

TEST_F(HttpRequestTest, BodyMarkedAsUtf8BecomesGbk) {
    const std::string text = std::string(chinese_utf8);
    struct Case {
        std::string content_type;
        std::string body;
        bool converted;
    };
    const std::vector<Case> cases = {
        {"text/html; charset=utf-8", "<p>" + text + "</p>", true},
        {"text/html; charset=UTF-8", "<p>" + text + "</p>", true},
        {"text/html", "<meta charset=\"utf-8\">" + text, true},
        {"text/html", "<meta charset=\"UTF-8\">" + text, false},
        {"text/html", std::string(498, 'a') + "utf-8" + text, true},   // starts at byte 499
        {"text/html", std::string(499, 'a') + "utf-8" + text, false},  // starts at byte 500
    };
    std::vector<std::string> script;
    for (const auto& c : cases) {
        script.push_back(
            http_response("HTTP/1.1 200 OK\r\nContent-Type: " + c.content_type + "\r\n", c.body));
    }
    LoopbackServer server(script);
    for (const auto& c : cases) {
        std::string expected = c.body;
        if (c.converted) expected.replace(expected.find(text), text.size(), chinese_gbk);
        EXPECT_EQ(http_request(server.url("/charset")), expected) << c.body.substr(0, 30);
    }
}

TEST_F(HttpRequestTest, HeaderTextMustFitFiveThousandBytes) {
    struct Case {
        std::size_t pad;
        bool fits;
    };
    // "HTTP/1.1 200 OK\r\n" and "X-Pad: " + pad + "\r\n": 26 bytes besides the pad.
    constexpr std::array cases = {Case{4973, true}, Case{4974, false}};
    for (const auto& c : cases) {
        LoopbackServer server(
            {"HTTP/1.1 200 OK\r\nX-Pad: " + std::string(c.pad, 'p') + "\r\n\r\nbody"});
        HttpRequestArgs args;
        EXPECT_EQ(http_request(server.url("/big"), args), "body");
        if (c.fits) {
            EXPECT_EQ(args.response_headers.size(), 4999u);
            EXPECT_TRUE(args.response_headers.starts_with("HTTP/1.1 200 OK\r\nX-Pad: ppp"));
        } else {
            EXPECT_EQ(args.response_headers, unreadable_headers);
        }
        EXPECT_EQ(args.location, args.response_headers);
    }
}

TEST_F(HttpRequestTest, TextFormStopsAtTheFirstZeroByte) {
    const std::string body("ab\0cd", 5);
    LoopbackServer server({ok(body)});
    EXPECT_EQ(http_request(server.url("/zero")), body);
    EXPECT_EQ(http_request_text(server.url("/zero")), "ab");
}

TEST_F(HttpRequestTest, SilentOrRefusedServerGivesEmptyResult) {
    LoopbackServer silent(LoopbackServer::never_answer());
    platform::set_http_timeouts({.connect_ms = 2000, .idle_ms = 300});
    const std::array urls = {
        silent.url("/wait"),
        "http://127.0.0.1:" + std::to_string(test::unused_port()) + "/refused",
    };
    for (const std::string& url : urls) {
        HttpRequestArgs args;
        args.method = 1;
        args.post_text = "a=1";
        EXPECT_EQ(http_request_text(url, args), "") << url;
        EXPECT_EQ(args.response_headers, unreadable_headers);
        EXPECT_EQ(args.location, unreadable_headers);
        EXPECT_EQ(args.returned_cookies, "");
        EXPECT_TRUE(args.headers.starts_with("Referer: " + url));
        EXPECT_EQ(args.post_bytes, "a=1");
    }
    EXPECT_EQ(silent.connections(), 1);
}

TEST_F(HttpRequestTest, PlainHttpGoesThroughAGivenProxy) {
    LoopbackServer proxy({ok("via proxy")});
    LoopbackServer target({ok("direct")});
    const std::string url = "http://example.invalid/path?q=1";
    HttpRequestArgs args;
    args.proxy = proxy.host_port();
    EXPECT_EQ(http_request(url, args), "via proxy");
    const auto sent = proxy.request(0);
    EXPECT_EQ(sent.request_line, "GET http://example.invalid/path?q=1 HTTP/1.1");
    EXPECT_EQ(sent.header("Host"), "example.invalid");
    EXPECT_EQ(sent.header("Referer"), url);

    HttpRequestArgs empty_proxy;
    empty_proxy.proxy = "";
    EXPECT_EQ(http_request(target.url("/"), empty_proxy), "direct");
    EXPECT_EQ(proxy.connections(), 1);
}

}  // namespace
}  // namespace qingyu
