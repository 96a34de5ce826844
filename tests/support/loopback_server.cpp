#include "loopback_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>

namespace qingyu::test {
namespace {

constexpr int poll_ms = 20;
constexpr std::size_t max_request_bytes = std::size_t{256} << 20;

bool same_name(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

int listen_on_loopback(int& port) {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(fd, 64) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        close(fd);
        return -1;
    }
    port = ntohs(address.sin_port);
    return fd;
}

bool send_all(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t sent = send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

// Splits the head at CR LF into the request line and the header lines.
void parse_head(std::string_view head, RecordedRequest& request) {
    bool first = true;
    while (!head.empty()) {
        const auto end = head.find("\r\n");
        const std::string_view line = head.substr(0, end);
        if (first) {
            request.request_line = line;
            first = false;
        } else {
            request.header_lines.emplace_back(line);
        }
        if (end == std::string_view::npos) break;
        head.remove_prefix(end + 2);
    }
}

}  // namespace

std::string RecordedRequest::header(std::string_view name) const {
    for (const std::string& line : header_lines) {
        const auto colon = line.find(':');
        if (colon != std::string::npos && same_name(trimmed(line.substr(0, colon)), name)) {
            return std::string(trimmed(std::string_view(line).substr(colon + 1)));
        }
    }
    return {};
}

LoopbackServer::LoopbackServer(std::vector<std::string> script)
    : LoopbackServer(Responder([this, script = std::move(script)](const RecordedRequest&) {
          std::lock_guard lock(mutex_);
          if (script.empty()) return std::optional<std::string>();
          const std::size_t index = std::min(requests_.size(), script.size()) - 1;
          return std::optional<std::string>(script[index]);
      })) {}

LoopbackServer::LoopbackServer(Responder responder) : responder_(std::move(responder)) {
    listener_ = listen_on_loopback(port_);
    if (listener_ < 0) std::abort();
    thread_ = std::thread([this] { serve(); });
}

LoopbackServer::~LoopbackServer() {
    stopping_ = true;
    thread_.join();
    for (int fd : held_) close(fd);
    close(listener_);
}

Responder LoopbackServer::never_answer() {
    return [](const RecordedRequest&) { return std::nullopt; };
}

std::string LoopbackServer::host_port() const {
    return "127.0.0.1:" + std::to_string(port_);
}

std::string LoopbackServer::url(std::string_view path) const {
    return "http://" + host_port() + std::string(path);
}

std::vector<RecordedRequest> LoopbackServer::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

RecordedRequest LoopbackServer::request(std::size_t index) const {
    std::lock_guard lock(mutex_);
    return index < requests_.size() ? requests_[index] : RecordedRequest{};
}

void LoopbackServer::serve() {
    while (!stopping_) {
        pollfd ready{listener_, POLLIN, 0};
        if (poll(&ready, 1, poll_ms) <= 0) continue;
        const int connection = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0) continue;
        ++connections_;
        handle(connection);
    }
}

// Reads one request: the head up to the blank line, then Content-Length bytes of body. A
// connection that does not start with a letter (a TLS handshake, say) is recorded as it came.
void LoopbackServer::handle(int connection) {
    RecordedRequest request;
    std::size_t head_end = std::string::npos;
    std::size_t wanted = std::string::npos;
    while (!stopping_ && request.raw.size() < max_request_bytes) {
        if (head_end != std::string::npos && request.raw.size() >= wanted) break;
        pollfd ready{connection, POLLIN, 0};
        if (poll(&ready, 1, poll_ms) <= 0) continue;
        char buffer[16384];
        const ssize_t got = recv(connection, buffer, sizeof buffer, 0);
        if (got <= 0) break;
        request.raw.append(buffer, static_cast<std::size_t>(got));
        if (!std::isalpha(static_cast<unsigned char>(request.raw.front()))) break;
        if (head_end == std::string::npos) {
            head_end = request.raw.find("\r\n\r\n");
            if (head_end != std::string::npos) {
                parse_head(std::string_view(request.raw).substr(0, head_end), request);
                const std::string length = request.header("Content-Length");
                wanted = head_end + 4 + std::strtoull(length.c_str(), nullptr, 10);
            }
        }
    }
    if (head_end != std::string::npos) {
        request.body = request.raw.substr(head_end + 4, wanted - head_end - 4);
    }
    {
        std::lock_guard lock(mutex_);
        requests_.push_back(request);
    }
    std::optional<std::string> answer;
    if (head_end != std::string::npos) {
        answer = responder_(request);
        if (!answer) {
            held_.push_back(connection);
            return;
        }
        send_all(connection, *answer);
    }
    shutdown(connection, SHUT_WR);
    close(connection);
}

std::string http_response(std::string_view status_and_headers, std::string_view body) {
    std::string response(status_and_headers);
    response += "Content-Length: " + std::to_string(body.size()) + "\r\n";
    response += "Connection: close\r\n\r\n";
    response += body;
    return response;
}

int unused_port() {
    int port = 0;
    const int fd = listen_on_loopback(port);
    if (fd >= 0) close(fd);
    return port;
}

bool wait_for(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) return condition();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

}  // namespace qingyu::test
