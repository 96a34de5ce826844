// The HTTP transport on libcurl. Every request gets its own easy handle; the cookie store is one
// share handle for the whole process, so cookies set on one thread are sent from any other.

#include "platform/http_transport.h"

#include <curl/curl.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <memory>
#include <mutex>
#include <vector>

namespace qingyu::platform {
namespace {

using Clock = std::chrono::steady_clock;

// Bounds that keep a hostile server from exhausting memory.
constexpr std::size_t max_body_bytes = std::size_t{64} << 20;
constexpr std::size_t max_header_bytes = std::size_t{1} << 20;

constexpr const char* simple_get_agent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

std::mutex timeouts_mutex;
HttpTimeouts current_timeouts;

// libcurl's global state and the shared cookie store. Never destroyed: workers that nothing
// waits for may still be inside a request while the process exits.
class CurlContext {
  public:
    static CurlContext& instance() {
        static CurlContext* context = new CurlContext;
        return *context;
    }
    CURLSH* cookie_share() const { return share_; }

  private:
    CurlContext() {
        curl_global_init(CURL_GLOBAL_DEFAULT);
        share_ = curl_share_init();
        curl_share_setopt(share_, CURLSHOPT_LOCKFUNC, &CurlContext::lock);
        curl_share_setopt(share_, CURLSHOPT_UNLOCKFUNC, &CurlContext::unlock);
        curl_share_setopt(share_, CURLSHOPT_USERDATA, this);
        curl_share_setopt(share_, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
    }
    static void lock(CURL*, curl_lock_data data, curl_lock_access, void* self) {
        static_cast<CurlContext*>(self)->locks_[data].lock();
    }
    static void unlock(CURL*, curl_lock_data data, void* self) {
        static_cast<CurlContext*>(self)->locks_[data].unlock();
    }

    CURLSH* share_ = nullptr;
    std::array<std::mutex, CURL_LOCK_DATA_LAST> locks_;
};

// What one transfer sends, whoever asked for it.
struct TransferPlan {
    std::string url;
    long http_version = CURL_HTTP_VERSION_1_1;
    std::string verb = "GET";
    const std::string* body = nullptr;
    std::string user_agent;
    std::vector<std::string> header_lines;
    bool use_cookie_store = true;
    bool follow_redirects = true;
    std::string proxy;  // "" goes direct, whatever the environment says
};

struct TransferState {
    std::string body;
    std::string headers;
    std::size_t header_bytes_seen = 0;
    long idle_ms = 0;
    curl_off_t last_progress = -1;
    Clock::time_point last_progress_time = Clock::now();
    bool idle_expired = false;
};

std::size_t on_body(char* data, std::size_t size, std::size_t count, void* user) {
    auto& state = *static_cast<TransferState*>(user);
    const std::size_t bytes = size * count;
    if (bytes > max_body_bytes - state.body.size()) return 0;
    state.body.append(data, bytes);
    return bytes;
}

// Keeps the header block of the last response only: a new status line (a redirect's target,
// or the real answer after "100 Continue") starts the text again.
std::size_t on_header(char* data, std::size_t size, std::size_t count, void* user) {
    auto& state = *static_cast<TransferState*>(user);
    const std::size_t bytes = size * count;
    state.header_bytes_seen += bytes;
    if (state.header_bytes_seen > max_header_bytes) return 0;
    std::string_view line(data, bytes);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
    if (line.starts_with("HTTP/")) state.headers.clear();
    if (!line.empty()) {
        state.headers.append(line);
        state.headers.append("\r\n");
    }
    return bytes;
}

// Ends a transfer that has moved no byte in either direction for the idle time-out. libcurl calls
// this about once a second while nothing moves, which sets the time-out's resolution.
int on_progress(void* user, curl_off_t, curl_off_t received, curl_off_t, curl_off_t sent) {
    auto& state = *static_cast<TransferState*>(user);
    const auto now = Clock::now();
    if (received + sent != state.last_progress) {
        state.last_progress = received + sent;
        state.last_progress_time = now;
        return 0;
    }
    if (now - state.last_progress_time > std::chrono::milliseconds(state.idle_ms)) {
        state.idle_expired = true;
        return 1;
    }
    return 0;
}

// A line with an empty value is written "Name;" so that libcurl sends it instead of reading it
// as "drop this header".
std::string curl_header_line(std::string_view line) {
    const auto colon = line.find(':');
    if (colon == std::string_view::npos || colon == 0) return std::string(line);
    if (line.find_first_not_of(" \t", colon + 1) != std::string_view::npos) {
        return std::string(line);
    }
    return std::string(line.substr(0, colon)) + ";";
}

// Header lines of a block; any CR or LF ends a line, so no line can smuggle in another.
std::vector<std::string> header_lines(std::string_view block) {
    std::vector<std::string> lines;
    std::size_t begin = 0;
    while (begin <= block.size()) {
        std::size_t end = block.find_first_of("\r\n", begin);
        if (end == std::string_view::npos) end = block.size();
        if (end > begin) lines.push_back(curl_header_line(block.substr(begin, end - begin)));
        begin = end + 1;
    }
    return lines;
}

std::string escape_spaces(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        if (c == ' ') {
            escaped += "%20";
        } else {
            escaped += c;
        }
    }
    return escaped;
}

bool valid_host(std::string_view host) {
    return !host.empty() && std::all_of(host.begin(), host.end(), [](unsigned char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '-' || c == '.' || c == '_';
    });
}

struct EasyDeleter {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct ListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

WireResponse perform(const TransferPlan& plan) {
    CurlContext& context = CurlContext::instance();
    const HttpTimeouts timeouts = http_timeouts();
    WireResponse response;

    std::unique_ptr<CURL, EasyDeleter> handle(curl_easy_init());
    if (!handle) return response;
    CURL* easy = handle.get();

    // libcurl adds Accept, Content-Type and Expect of its own unless the block names them; an
    // empty "Name:" at the end of the list stops that without sending anything.
    std::unique_ptr<curl_slist, ListDeleter> headers;
    auto append = [&headers](const std::string& line) {
        curl_slist* grown = curl_slist_append(headers.get(), line.c_str());
        if (grown != nullptr) {
            headers.release();
            headers.reset(grown);
        }
    };
    for (const std::string& line : plan.header_lines) append(line);
    for (const char* line : {"Accept:", "Content-Type:", "Expect:"}) append(line);
    std::unique_ptr<curl_slist, ListDeleter> proxy_headers(
        curl_slist_append(nullptr, "Proxy-Connection:"));

    std::string user_agent = plan.user_agent.substr(0, plan.user_agent.find_first_of("\r\n"));

    TransferState state;
    state.idle_ms = timeouts.idle_ms;

    curl_easy_setopt(easy, CURLOPT_URL, plan.url.c_str());
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_DEFAULT_PROTOCOL, "http");
    curl_easy_setopt(easy, CURLOPT_PATH_AS_IS, 1L);
    curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, plan.http_version);
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_USERAGENT, user_agent.c_str());
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(easy, CURLOPT_PROXYHEADER, proxy_headers.get());
    curl_easy_setopt(easy, CURLOPT_PROXY, plan.proxy.c_str());

    if (plan.body != nullptr) {
        curl_easy_setopt(easy, CURLOPT_POST, 1L);
        curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE,
                         static_cast<curl_off_t>(plan.body->size()));
        curl_easy_setopt(easy, CURLOPT_POSTFIELDS, plan.body->data());
        if (plan.verb != "POST") curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, plan.verb.c_str());
    } else {
        curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
        if (plan.verb != "GET") curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, plan.verb.c_str());
    }

    if (plan.follow_redirects) {
        curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(easy, CURLOPT_MAXREDIRS, static_cast<long>(timeouts.max_redirects));
    }
    if (plan.use_cookie_store) {
        curl_easy_setopt(easy, CURLOPT_SHARE, context.cookie_share());
        curl_easy_setopt(easy, CURLOPT_COOKIEFILE, "");
    }

    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, timeouts.connect_ms);
    curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, &on_progress);
    curl_easy_setopt(easy, CURLOPT_XFERINFODATA, &state);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &on_body);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &state);
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &on_header);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, &state);

    const CURLcode result = curl_easy_perform(easy);
    if (result == CURLE_OK) {
        response.outcome = WireOutcome::completed;
    } else if (result == CURLE_OPERATION_TIMEDOUT ||
               (result == CURLE_ABORTED_BY_CALLBACK && state.idle_expired)) {
        response.outcome = WireOutcome::timed_out;
    } else {
        response.outcome = WireOutcome::failed;
    }
    response.body = std::move(state.body);
    response.raw_headers = std::move(state.headers);
    return response;
}

}  // namespace

WireResponse http_transfer(const WireRequest& request) {
    if (!valid_host(request.host) || request.port < 1 || request.port > 65535) return {};
    TransferPlan plan;
    plan.url = request.secure ? "https://" : "http://";
    plan.url += request.host;
    if (request.port != (request.secure ? 443 : 80)) {
        plan.url += ':';
        plan.url += std::to_string(request.port);
    }
    if (!request.path.starts_with('/')) plan.url += '/';
    plan.url += escape_spaces(request.path);
    plan.verb = request.verb;
    if (request.body) plan.body = &*request.body;
    plan.user_agent = request.user_agent;
    plan.header_lines = header_lines(request.headers);
    plan.use_cookie_store = request.use_cookie_store;
    plan.follow_redirects = request.follow_redirects;
    if (request.proxy && !request.proxy->empty() && !request.secure) {
        plan.proxy = "http://" + *request.proxy;
    }
    return perform(plan);
}

std::string plain_http_get(std::string_view url) {
    TransferPlan plan;
    plan.url = escape_spaces(url.substr(0, url.find('#')));
    plan.http_version = CURL_HTTP_VERSION_1_0;
    plan.user_agent = simple_get_agent;
    plan.header_lines = {"Accept: */*"};
    WireResponse response = perform(plan);
    if (response.outcome != WireOutcome::completed) return {};
    return std::move(response.body);
}

void set_http_timeouts(const HttpTimeouts& timeouts) {
    std::lock_guard lock(timeouts_mutex);
    current_timeouts.connect_ms = std::max(timeouts.connect_ms, 1L);
    current_timeouts.idle_ms = std::max(timeouts.idle_ms, 1L);
    current_timeouts.max_redirects = std::max(timeouts.max_redirects, 0);
}

HttpTimeouts http_timeouts() {
    std::lock_guard lock(timeouts_mutex);
    return current_timeouts;
}

}  // namespace qingyu::platform
