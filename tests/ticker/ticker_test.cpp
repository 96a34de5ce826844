// The news ticker on the headless window against a loopback home page.

#include "ticker/ticker.h"

#include <gtest/gtest.h>

#include <array>

#include "app/control_names.h"
#include "loopback_server.h"
#include "platform/headless/headless_engine.h"
#include "platform/shell.h"
#include "ticker/ticker_text.h"

namespace qingyu {
namespace {

using platform::headless::HeadlessEngine;

constexpr std::string_view not_connected = "\xce\xb4\xc1\xac\xbd\xd3\xb5\xbd\xcd\xf8\xc2\xe7";
constexpr std::string_view fetch_failed = "\xbb\xf1\xc8\xa1\xca\xa7\xb0\xdc";

// One article block of the home page, in the site's own layout (GBK).
std::string article_block(std::string_view views, std::string_view link, std::string_view title,
                          std::string_view comments, std::string_view line_end = "\n") {
    std::string block = "<li class=\"meta-views\">";
    block.append(line_end).append("\t\t\t\t\t").append(views).append(" views");
    block.append(line_end).append("\t\t\t\t</li>");
    block.append(line_end).append("\t\t\t\t<li class=\"meta-comments\">");
    block.append(line_end).append("\t\t\t\t\t<a href=\"").append(link).append("#comments\"");
    block.append(line_end).append("\t\t\t\t\t\ttitle=\"").append(title);
    block.append(" \xc9\xcf\xb5\xc4\xc6\xc0\xc2\xdb\">").append(comments);
    block.append(" \xcc\xf5\xc6\xc0\xc2\xdb</a>\n");
    return block;
}

platform::FormSpec ticker_form() {
    platform::FormSpec form;
    form.outer = {50, 50, 614, 481};
    platform::ControlSpec label;
    label.name = std::string(controls::ticker_label);
    label.kind = platform::ControlKind::label;
    label.rect = {576, 0, 208, 16};
    label.events = {platform::EventKind::left_button_down};
    platform::ControlSpec timer;
    timer.name = std::string(controls::ad_timer);
    timer.kind = platform::ControlKind::timer;
    timer.events = {platform::EventKind::timer_tick};
    form.controls = {label, timer};
    return form;
}

class TickerTest : public testing::Test {
  protected:
    void SetUp() override {
        window.create(ticker_form(), [this](const platform::Event& event) {
            if (event.kind == platform::EventKind::timer_tick) scroll_ticker(window, state);
            if (event.kind == platform::EventKind::left_button_down) open_ticker_article(state);
        });
        platform::set_open_url_handler([this](const std::string& url) { opened.push_back(url); });
    }
    void TearDown() override { platform::set_open_url_handler({}); }

    // The site answers every request with `page`; the ping reaches the same loopback server.
    void load_from(test::LoopbackServer& site) {
        load_ticker(window, state, TickerSites{site.url("/"), site.host_port()});
    }

    std::string caption() const { return window.text(controls::ticker_label); }

    HeadlessEngine window;
    AppState state;
    std::vector<std::string> opened;
};

TEST_F(TickerTest, CyclesThroughThreeArticlesEnteringAtTheRightEdge) {
    const std::string page = "<html>" + article_block("12", "http://site/a1", "One", "3") +
                             article_block("7", "http://site/a2", "Two", "0") +
                             article_block("1,024", "http://site/a3", "Three", "15") + "</html>";
    test::LoopbackServer site({test::http_response("HTTP/1.1 200 OK\r\n", page)});
    load_from(site);

    const std::string first =
        "One \xb5\xe3\xbb\xf7\xa3\xba"
        "12 \xc6\xc0\xc2\xdb\xa3\xba"
        "3";
    EXPECT_EQ(caption(), first);
    EXPECT_EQ(window.width(controls::ticker_label), ticker_caption_width(first));
    EXPECT_EQ(window.left(controls::ticker_label), 576);
    EXPECT_EQ(window.timer_period(controls::ad_timer), 20);

    // Each article scrolls out at the left edge, and the next enters at the window's width.
    for (const std::string_view title : {"Two", "Three", "One", "Two"}) {
        const int steps =
            window.left(controls::ticker_label) + window.width(controls::ticker_label) + 1;
        for (int step = 0; step < steps; ++step) ASSERT_TRUE(window.fire_timer(controls::ad_timer));
        EXPECT_TRUE(caption().starts_with(title)) << caption();
        EXPECT_EQ(window.left(controls::ticker_label), 614);
    }

    // A click opens the article on show, even while it scrolls.
    window.fire_timer(controls::ad_timer);
    window.mouse_down(controls::ticker_label);
    EXPECT_EQ(opened, std::vector<std::string>{"http://site/a2"});
}

TEST_F(TickerTest, FailuresShowTheirCaptionAndNeverMove) {
    // A page whose blocks end their lines with CR LF does not match.
    test::LoopbackServer site({test::http_response(
        "HTTP/1.1 200 OK\r\n", article_block("1", "http://site/x", "X", "2", "\r\n"))});
    load_from(site);
    EXPECT_EQ(caption(), fetch_failed);
    EXPECT_EQ(window.timer_period(controls::ad_timer), 0);

    load_ticker(window, state,
                TickerSites{site.url("/"), "127.0.0.1:" + std::to_string(test::unused_port())});
    EXPECT_EQ(caption(), not_connected);
    EXPECT_EQ(window.timer_period(controls::ad_timer), 0);

    // Nothing is loaded: a click has nothing to open.
    window.mouse_down(controls::ticker_label);
    EXPECT_TRUE(opened.empty());
}

TEST(TickerText, WidthIsBytesTimesSixPointZeroEightTruncated) {
    constexpr std::array<std::pair<std::size_t, int>, 4> cases{
        {{50, 304}, {33, 200}, {0, 0}, {1, 6}}};
    for (const auto& [length, width] : cases) {
        EXPECT_EQ(ticker_caption_width(std::string(length, 'x')), width) << length;
    }
}

}  // namespace
}  // namespace qingyu
