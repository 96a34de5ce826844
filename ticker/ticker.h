#pragma once
// The news ticker: the maker's latest articles scrolling in the label 滚动条 at the top of the
// window, driven by the timer 广告时钟; a click opens the article on show.

#include <string>
#include <string_view>

#include "app/app_state.h"
#include "platform/window.h"

namespace qingyu {

struct TickerSites {
    std::string home_page;  // the maker's home page with the article blocks
    std::string ping_host;  // the host whose answer tells that the network is there
};

inline constexpr int ticker_period_ms = 20;
inline constexpr int reachability_timeout_ms = 2000;

// True when the ping host answers within the time-out.
bool network_reachable(platform::WindowEngine& window, std::string_view ping_host);

// On a worker: fetches the articles once and starts the timer, or shows why it could not.
void load_ticker(platform::WindowEngine& window, AppState& state, const TickerSites& sites);

// Window thread: the article `ticker_index` into the label (wrapping past the last one).
void show_ticker_article(platform::WindowEngine& window, AppState& state);

// Window thread, each tick: one pixel to the left; once the label has left the window, the next
// article enters at the right edge.
void scroll_ticker(platform::WindowEngine& window, AppState& state);

// Window thread: opens the article on show; does nothing before an article is loaded.
void open_ticker_article(AppState& state);

}  // namespace qingyu
