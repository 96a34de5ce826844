#include "ticker/ticker_text.h"

#include "platform/regex_search.h"

namespace qingyu {
namespace {

// One article block of the home page (GBK); the groups are views, link, title and comments.
constexpr std::string_view article_pattern =
    "<li class=\"meta-views\">\n\t\t\t\t\t(.+?) views\n\t\t\t\t</li>\n\t\t\t\t"
    "<li class=\"meta-comments\">\n\t\t\t\t\t<a href=\"(.+?)#comments\"\n\t\t\t\t\t\t"
    "title=\"(.+?) \xc9\xcf\xb5\xc4\xc6\xc0\xc2\xdb\">(.+?) \xcc\xf5\xc6\xc0\xc2\xdb</a>";

constexpr std::string_view clicks_label = " \xb5\xe3\xbb\xf7\xa3\xba";    // " 点击："
constexpr std::string_view comments_label = " \xc6\xc0\xc2\xdb\xa3\xba";  // " 评论："

}  // namespace

std::vector<TickerArticle> find_ticker_articles(std::string_view page) {
    platform::RegexSearch pattern;
    std::vector<TickerArticle> articles;
    if (!pattern.compile(article_pattern)) return articles;
    for (const auto& match : pattern.search_all(page)) {
        articles.push_back(TickerArticle{
            .views = match.group(1),
            .link = match.group(2),
            .title = match.group(3),
            .comments = match.group(4),
        });
    }
    return articles;
}

std::string ticker_caption(const TickerArticle& article) {
    std::string caption = article.title;
    caption.append(clicks_label).append(article.views);
    caption.append(comments_label).append(article.comments);
    return caption;
}

int ticker_caption_width(std::string_view caption) {
    return static_cast<int>(static_cast<long long>(caption.size()) * 608 / 100);
}

}  // namespace qingyu
