#pragma once
// A raw HTTP server on 127.0.0.1 for tests and benchmarks. It records every request byte for byte
// and answers from a script or a callback, one connection at a time, closing each connection
// after its answer.

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace qingyu::test {

struct RecordedRequest {
    std::string raw;                        // every byte read from the connection
    std::string request_line;               // without CR LF
    std::vector<std::string> header_lines;  // in the order sent, without CR LF
    std::string body;                       // read by Content-Length

    // The value of the first header line with this name (any case), trimmed; empty when none.
    std::string header(std::string_view name) const;
};

// The raw bytes to answer with; no value: accept, and never answer until the server stops.
using Responder = std::function<std::optional<std::string>(const RecordedRequest&)>;

class LoopbackServer {
  public:
    // The n-th request gets the n-th response; the last one answers every later request.
    explicit LoopbackServer(std::vector<std::string> script);
    explicit LoopbackServer(Responder responder);
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    static Responder never_answer();

    int port() const { return port_; }
    std::string host_port() const;                 // "127.0.0.1:port"
    std::string url(std::string_view path) const;  // "http://127.0.0.1:port" + path
    std::vector<RecordedRequest> requests() const;
    RecordedRequest request(std::size_t index) const;  // empty when there is no such request
    int connections() const { return connections_; }

  private:
    void serve();
    void handle(int connection);

    Responder responder_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::atomic<int> connections_{0};
    mutable std::mutex mutex_;
    std::vector<RecordedRequest> requests_;
    std::vector<int> held_;  // connections that were never answered
    std::thread thread_;
};

// A response with the given status line and header lines (each ended by CR LF), a Content-Length
// and the body.
std::string http_response(std::string_view status_and_headers, std::string_view body);

// A loopback port that nothing listens on.
int unused_port();

// Checks `condition` until it holds or `timeout` has passed; returns its last value.
bool wait_for(const std::function<bool()>& condition, std::chrono::milliseconds timeout);

}  // namespace qingyu::test
