#include "ticker/ticker.h"

#include <mutex>
#include <utility>

#include "app/control_names.h"
#include "platform/ping.h"
#include "platform/shell.h"
#include "ticker/ticker_text.h"
#include "web/http_request.h"

namespace qingyu {
namespace {

constexpr std::string_view not_connected =
    "\xce\xb4\xc1\xac\xbd\xd3\xb5\xbd\xcd\xf8\xc2\xe7";                        // 未连接到网络
constexpr std::string_view fetch_failed = "\xbb\xf1\xc8\xa1\xca\xa7\xb0\xdc";  // 获取失败

// A click may arrive on the window's thread while the worker fills the list.
std::unique_lock<std::mutex> lock_ticker(AppState& state) {
    return std::unique_lock(state.ticker_mutex);
}

// With the ticker's lock held.
void show_article_locked(platform::WindowEngine& window, AppState& state) {
    if (state.ticker_articles.empty()) return;
    if (state.ticker_index > static_cast<int>(state.ticker_articles.size()) ||
        state.ticker_index < 1) {
        state.ticker_index = 1;
    }
    const std::string caption =
        ticker_caption(state.ticker_articles[static_cast<std::size_t>(state.ticker_index - 1)]);
    window.set_text(controls::ticker_label, caption);
    window.set_width(controls::ticker_label, ticker_caption_width(caption));
}

}  // namespace

bool network_reachable(platform::WindowEngine& window, std::string_view ping_host) {
    window.process_events();
    return platform::ping(ping_host, reachability_timeout_ms) > 0;
}

void load_ticker(platform::WindowEngine& window, AppState& state, const TickerSites& sites) {
    if (!network_reachable(window, sites.ping_host)) {
        window.set_text(controls::ticker_label, not_connected);
        return;
    }
    std::vector<TickerArticle> articles = find_ticker_articles(http_request(sites.home_page));
    if (articles.empty()) {
        window.set_text(controls::ticker_label, fetch_failed);
        return;
    }
    {
        auto lock = lock_ticker(state);
        state.ticker_articles = std::move(articles);
        state.ticker_index = 1;
        show_article_locked(window, state);
    }
    window.set_timer_period(controls::ad_timer, ticker_period_ms);
}

void show_ticker_article(platform::WindowEngine& window, AppState& state) {
    auto lock = lock_ticker(state);
    show_article_locked(window, state);
}

void scroll_ticker(platform::WindowEngine& window, AppState& state) {
    const int left = window.left(controls::ticker_label) - 1;
    window.set_left(controls::ticker_label, left);
    if (left + window.width(controls::ticker_label) < 0) {
        window.set_left(controls::ticker_label, window.window_width());
        auto lock = lock_ticker(state);
        ++state.ticker_index;
        show_article_locked(window, state);
    }
}

void open_ticker_article(AppState& state) {
    std::string link;
    {
        auto lock = lock_ticker(state);
        const int index = state.ticker_index;
        if (index < 1 || index > static_cast<int>(state.ticker_articles.size())) return;
        link = state.ticker_articles[static_cast<std::size_t>(index - 1)].link;
    }
    platform::open_url(link);
}

}  // namespace qingyu
