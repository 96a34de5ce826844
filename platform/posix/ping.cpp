// Reachability by a TCP connection: the host "answers" when it accepts a connection on the port
// within the time-out. Name resolution counts against the same time-out; getaddrinfo has no
// time-out of its own, so it runs on a helper thread that is left behind when it takes too long.

#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "platform/ping.h"

namespace qingyu::platform {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int default_port = 80;

struct Target {
    std::string host;
    std::string port;
};

// "host", "host:port", "[v6]" or "[v6]:port"; a bare IPv6 address has more than one colon.
std::optional<Target> parse_target(std::string_view text) {
    Target target;
    std::optional<std::string_view> port;
    if (!text.empty() && text.front() == '[') {
        const auto close = text.find(']');
        if (close == std::string_view::npos) return std::nullopt;
        target.host = std::string(text.substr(1, close - 1));
        const std::string_view rest = text.substr(close + 1);
        if (!rest.empty()) {
            if (rest.front() != ':') return std::nullopt;
            port = rest.substr(1);
        }
    } else if (const auto colon = text.find(':');
               colon != std::string_view::npos &&
               text.find(':', colon + 1) == std::string_view::npos) {
        target.host = std::string(text.substr(0, colon));
        port = text.substr(colon + 1);
    } else {
        target.host = std::string(text);
    }
    if (target.host.empty() || target.host.find('\0') != std::string::npos) return std::nullopt;
    if (!port) {
        target.port = std::to_string(default_port);
        return target;
    }
    const bool digits =
        !port->empty() && port->size() <= 5 &&
        std::all_of(port->begin(), port->end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!digits) return std::nullopt;
    const int number = std::stoi(std::string(*port));
    if (number < 1 || number > 65535) return std::nullopt;
    target.port = std::to_string(number);
    return target;
}

struct AddressList {
    std::vector<sockaddr_storage> addresses;
    std::vector<socklen_t> lengths;
};

AddressList resolve_now(const Target& target, int flags) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = flags | AI_NUMERICSERV;
    addrinfo* found = nullptr;
    AddressList list;
    if (getaddrinfo(target.host.c_str(), target.port.c_str(), &hints, &found) != 0) return list;
    for (const addrinfo* entry = found; entry != nullptr; entry = entry->ai_next) {
        if (entry->ai_addrlen > sizeof(sockaddr_storage)) continue;
        sockaddr_storage address{};
        std::memcpy(&address, entry->ai_addr, entry->ai_addrlen);
        list.addresses.push_back(address);
        list.lengths.push_back(entry->ai_addrlen);
    }
    freeaddrinfo(found);
    return list;
}

// Resolves a name on a helper thread and waits for it until `deadline`.
AddressList resolve(const Target& target, Clock::time_point deadline) {
    AddressList numeric = resolve_now(target, AI_NUMERICHOST);
    if (!numeric.addresses.empty()) return numeric;

    struct Lookup {
        std::mutex mutex;
        std::condition_variable done_signal;
        bool done = false;
        AddressList result;
    };
    auto lookup = std::make_shared<Lookup>();
    try {
        std::thread([lookup, target] {
            AddressList result = resolve_now(target, 0);
            std::lock_guard lock(lookup->mutex);
            lookup->result = std::move(result);
            lookup->done = true;
            lookup->done_signal.notify_all();
        }).detach();
    } catch (const std::system_error&) {
        return {};
    }
    std::unique_lock lock(lookup->mutex);
    if (!lookup->done_signal.wait_until(lock, deadline, [&] { return lookup->done; })) return {};
    return std::move(lookup->result);
}

int remaining_ms(Clock::time_point deadline) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    return static_cast<int>(std::max<long long>(0, left.count()));
}

// Connects without blocking past `deadline`; true when the connection was accepted.
bool connects(const sockaddr_storage& address, socklen_t length, Clock::time_point deadline) {
    const int fd = socket(address.ss_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    bool accepted = false;
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0) {
        accepted = true;
    } else if (errno == EINPROGRESS) {
        pollfd waiting{fd, POLLOUT, 0};
        for (;;) {
            const int ready = poll(&waiting, 1, remaining_ms(deadline));
            if (ready < 0 && errno == EINTR) continue;
            if (ready == 1) {
                int error = 0;
                socklen_t size = sizeof error;
                accepted = getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
            }
            break;
        }
    }
    close(fd);
    return accepted;
}

}  // namespace

int ping(std::string_view host, int timeout_ms) {
    if (timeout_ms <= 0) return 0;
    const std::optional<Target> target = parse_target(host);
    if (!target) return 0;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
    const AddressList list = resolve(*target, deadline);
    for (std::size_t i = 0; i < list.addresses.size(); ++i) {
        if (Clock::now() >= deadline) break;
        const auto start = Clock::now();
        if (connects(list.addresses[i], list.lengths[i], deadline)) {
            // A reply faster than a millisecond still counts as a reply.
            const auto taken = std::chrono::ceil<std::chrono::milliseconds>(Clock::now() - start);
            return static_cast<int>(std::clamp<long long>(taken.count(), 1, timeout_ms));
        }
    }
    return 0;
}

}  // namespace qingyu::platform
