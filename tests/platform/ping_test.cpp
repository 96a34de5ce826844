// The reachability check against loopback only: a listening port answers, a closed one does not,
// and malformed targets fail at once.

#include "platform/ping.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "loopback_server.h"

namespace qingyu::platform {
namespace {

TEST(PingTest, AListeningPortAnswersWithAtLeastOneMillisecond) {
    test::LoopbackServer server({test::http_response("HTTP/1.1 200 OK\r\n", "")});
    const std::string port = std::to_string(server.port());
    for (const std::string& host :
         {"127.0.0.1:" + port, "[127.0.0.1]:" + port, "localhost:" + port}) {
        EXPECT_GE(ping(host, 2000), 1) << host;
    }
}

TEST(PingTest, AClosedPortOrABadTargetIsUnreachable) {
    const std::string closed = "127.0.0.1:" + std::to_string(test::unused_port());
    EXPECT_LE(ping(closed, 2000), 0);

    static constexpr std::array<std::string_view, 8> malformed{
        "",     ":80",   "127.0.0.1:", "127.0.0.1:0", "127.0.0.1:65536", "127.0.0.1:8o",
        "[::1", "[::1]x"};
    for (const auto target : malformed) EXPECT_LE(ping(target, 2000), 0) << target;
}

// A listener whose accept queue is full drops further handshakes: the connection never completes
// and the time-out ends the wait.
TEST(PingTest, AHandshakeThatNeverCompletesEndsAtTheTimeOut) {
    const int listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    ASSERT_GE(listener, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), length), 0);
    ASSERT_EQ(listen(listener, 0), 0);
    ASSERT_EQ(getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length), 0);
    const std::string target = "127.0.0.1:" + std::to_string(ntohs(address.sin_port));
    // Fill the queue; these handshakes complete but are never accepted.
    std::vector<int> queued;
    for (int i = 0; i < 4; ++i) {
        const int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        connect(fd, reinterpret_cast<sockaddr*>(&address), length);
        queued.push_back(fd);
    }
    EXPECT_LE(ping(target, 300), 0);
    for (const int fd : queued) close(fd);
    close(listener);
}

TEST(PingTest, NoTimeAllowedMeansNoAnswer) {
    test::LoopbackServer server({test::http_response("HTTP/1.1 200 OK\r\n", "")});
    EXPECT_LE(ping(server.host_port(), 0), 0);
    EXPECT_LE(ping(server.host_port(), -5), 0);
}

}  // namespace
}  // namespace qingyu::platform
