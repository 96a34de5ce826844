#pragma once
// The program-wide state: one instance from before the window is created until the last worker
// holding it ends. The window's thread and the workers share it; each folder keeps the overlaps
// of its own fields apart (one search fetch at a time, the board's disabled buttons, the ticker's
// timer started only after its list is filled).

#include <mutex>
#include <string>
#include <vector>

#include "board/board_types.h"
#include "search/search_hit.h"
#include "ticker/ticker_article.h"

namespace qingyu {

struct AppState {
    bool use_qq_identity = false;
    std::vector<SearchHit> search_results;  // in the order of the result list's rows
    std::vector<std::string> board_pages;   // HTML body of each board page
    BoardMailbox board_mailbox;
    BoardSettings board_settings;
    std::string board_text;                    // body of the board mailbox's newest mail
    std::vector<BoardMessage> board_messages;  // newest first
    int board_current_page = 0;                // 1-based; 0 before the first page is shown
    int search_page = 0;                       // 1-based; 0 before the first search
    std::string result_page_text;
    bool submit_allowed = false;  // false during the pause after a post
    std::vector<TickerArticle> ticker_articles;
    int ticker_index = 0;     // 1-based number of the article on show
    std::mutex ticker_mutex;  // the ticker worker fills the list while a click may read it
};

}  // namespace qingyu
