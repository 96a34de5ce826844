#pragma once
// One article of the maker's web site, as its home page writes it (GBK texts).

#include <string>

namespace qingyu {

struct TickerArticle {
    std::string views;
    std::string link;
    std::string title;
    std::string comments;
};

}  // namespace qingyu
