#pragma once
// The ticker's texts: the article blocks of the maker's home page, the caption of one article and
// the width its label needs.

#include <string>
#include <string_view>
#include <vector>

#include "ticker/ticker_article.h"

namespace qingyu {

// Every article block of the home page, in page order.
std::vector<TickerArticle> find_ticker_articles(std::string_view page);

// title + " 点击：" + views + " 评论：" + comments
std::string ticker_caption(const TickerArticle& article);

// The caption's length in bytes times 6.08, truncated toward zero. Computed in whole numbers:
// 6.08 has no exact binary form, and 50 * 6.08 in floating point truncates to 303.
int ticker_caption_width(std::string_view caption);

}  // namespace qingyu
