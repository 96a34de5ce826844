// The in-memory window engine: the controls it builds from a form, the property rules, the user's
// actions and the events they raise, workers writing while the test reads, closing, and the loop.

#include "platform/headless/headless_engine.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/events.h"

namespace qingyu::platform::headless {
namespace {

using Strings = std::vector<std::string>;

FormSpec test_form() {
    using K = ControlKind;
    using E = EventKind;
    FormSpec form;
    form.caption = "\xB4\xB0\xBF\xDA";  // "窗口"
    form.outer = {50, 50, 614, 481};
    const auto add = [&](std::string name, ControlKind kind, std::vector<EventKind> events = {}) {
        ControlSpec& design = form.controls.emplace_back();
        design.name = std::move(name);
        design.kind = kind;
        design.events = std::move(events);
        return &design;
    };
    add("go", K::button, {E::clicked})->text = "Go";
    add("off", K::button)->enabled = false;
    add("hidden", K::button)->visible = false;
    add("box", K::text_box, {E::key_pressed, E::focus_lost})->text = "start";
    add("plain", K::text_box);
    ControlSpec* notes = add("notes", K::text_box);
    notes->text = "read only";
    notes->multiline = notes->read_only = true;
    add("strip", K::label, {E::left_button_down})->rect = {576, 0, 208, 16};
    ControlSpec* combo = add("combo", K::combo_box);
    combo->items = {"10", "20", "50", "100"};
    combo->selected_index = 1;
    add("list", K::report_list, {E::item_right_clicked, E::double_clicked})->columns = {
        {"Name", 200}, {"Size", 60}};
    add("tabs", K::tab_control)->items = {"One", "Two"};
    add("browser", K::browser)->page = 2;
    add("picture", K::picture_box)->page = 2;
    add("clock", K::timer);
    ControlSpec* links = add("links", K::hyper_label);
    links->text = "|";
    links->links = {{"Site", "http://127.0.0.1/site"}, {"Space", "http://127.0.0.1/space"}};
    form.menus = {{"menu", {{"download", "Download"}, {}, {"open", "Open"}}}};
    return form;
}

std::string describe(const Event& event) {
    static constexpr std::array<const char*, 12> names{
        "created",          "destroying",         "clicked",        "key_pressed",   "focus_lost",
        "left_button_down", "item_right_clicked", "double_clicked", "item_selected", "timer_tick",
        "link_clicked",     "menu_command"};
    std::string text = names.at(static_cast<std::size_t>(event.kind));
    if (!event.control.empty()) text += " " + event.control;
    if (event.key != 0) text += " key=" + std::to_string(event.key);
    if (event.index != -1) text += " index=" + std::to_string(event.index);
    if (!event.detail.empty()) text += " " + event.detail;
    return text;
}

// An engine with the test form and a handler that records every event and the thread it came on;
// `react` lets a test answer an event from inside the handler.
class HeadlessEngineTest : public ::testing::Test {
  protected:
    void create() {
        engine_.create(test_form(), [this](const Event& event) {
            {
                std::lock_guard lock(mutex_);
                events_.push_back(describe(event));
                if (std::this_thread::get_id() != window_thread_) foreign_thread_ = true;
            }
            if (react_) react_(event);
        });
    }
    Strings events() {
        std::lock_guard lock(mutex_);
        return events_;
    }
    void forget_events() {
        std::lock_guard lock(mutex_);
        events_.clear();
    }

    HeadlessEngine engine_;
    std::function<void(const Event&)> react_;
    std::mutex mutex_;
    Strings events_;
    std::thread::id window_thread_ = std::this_thread::get_id();
    bool foreign_thread_ = false;
};

TEST_F(HeadlessEngineTest, CreatedSeesEveryControlOfTheForm) {
    std::optional<Strings> seen;
    react_ = [&](const Event& event) {
        if (event.kind != EventKind::created) return;
        // Read from inside the handler: the engine holds no lock while it runs.
        seen = Strings{engine_.text(""),
                       engine_.text("go"),
                       engine_.text("box"),
                       engine_.text("combo"),
                       std::to_string(engine_.selected_index("combo")),
                       std::to_string(engine_.items("combo").size()),
                       engine_.text("tabs"),
                       std::to_string(engine_.selected_index("tabs")),
                       std::to_string(engine_.left("strip")),
                       std::to_string(engine_.width("strip")),
                       std::to_string(engine_.visible("hidden")),
                       std::to_string(engine_.enabled("off")),
                       std::to_string(engine_.visible("clock")),
                       std::to_string(engine_.enabled("clock")),
                       std::to_string(engine_.timer_period("clock")),
                       std::to_string(engine_.row_count("list")),
                       std::to_string(engine_.window_width())};
    };
    create();
    EXPECT_EQ(events(), Strings{"created"});
    EXPECT_TRUE(engine_.is_open());
    EXPECT_EQ(seen, (Strings{"\xB4\xB0\xBF\xDA", "Go", "start", "20", "1", "4", "One", "0", "576",
                             "208", "0", "0", "0", "1", "0", "0", "614"}));
}

TEST_F(HeadlessEngineTest, PropertiesFollowTheRulesOfEachKind) {
    create();
    engine_.set_text("combo", "50");
    EXPECT_EQ(engine_.selected_index("combo"), 2);
    engine_.set_text("combo", "7");  // not an entry: the selection stays
    EXPECT_EQ(engine_.text("combo"), "50");
    engine_.set_selected_index("combo", 9);
    EXPECT_EQ(engine_.selected_index("combo"), -1);
    engine_.clear_items("combo");
    engine_.add_item("combo", "first");
    engine_.add_item("combo", "second");
    EXPECT_EQ(engine_.items("combo"), (Strings{"first", "second"}));
    EXPECT_EQ(engine_.text("combo"), "first");

    EXPECT_EQ(engine_.append_row("list"), 0);
    EXPECT_EQ(engine_.append_row("list"), 1);
    engine_.set_cell("list", 1, 1, "2 MB");
    engine_.set_cell("list", 1, 2, "no such column");
    engine_.set_cell("list", 5, 0, "no such row");
    EXPECT_EQ(engine_.cell("list", 1, 1), "2 MB");
    EXPECT_EQ(engine_.cell("list", 0, 0), "");
    engine_.set_selected_index("list", 1);
    EXPECT_EQ(engine_.selected_index("list"), 1);
    engine_.clear_rows("list");
    EXPECT_EQ(engine_.row_count("list"), 0);
    EXPECT_EQ(engine_.selected_index("list"), -1);
    EXPECT_EQ(engine_.append_row("go"), -1);

    const std::string image("\x89PNG\0\x01", 6);
    engine_.set_picture("picture", image);
    engine_.set_picture("strip", image);
    EXPECT_EQ(engine_.picture("picture"), image);
    EXPECT_EQ(engine_.picture("strip"), "");
    engine_.set_address("browser", "/tmp/lyb.html");
    EXPECT_EQ(engine_.text("browser"), "/tmp/lyb.html");
    engine_.set_selected_index("tabs", 1);
    engine_.set_selected_index("tabs", 7);  // no such page: the page on show stays
    EXPECT_EQ(engine_.text("tabs"), "Two");
    engine_.set_left("strip", -3);
    engine_.set_width("strip", 304);
    EXPECT_EQ(engine_.left("strip"), -3);
    EXPECT_EQ(engine_.width("strip"), 304);
    engine_.set_timer_period("clock", 20);
    EXPECT_EQ(engine_.timer_period("clock"), 20);

    engine_.set_text("nothing", "x");
    EXPECT_EQ(engine_.text("nothing"), "");
    EXPECT_EQ(engine_.selected_index("nothing"), -1);
    EXPECT_EQ(events(), Strings{"created"});
}

TEST_F(HeadlessEngineTest, UserActionsRaiseEventsOnlyWhereAUserCouldAct) {
    create();
    forget_events();
    EXPECT_TRUE(engine_.click("go"));
    EXPECT_FALSE(engine_.click("off"));     // disabled
    EXPECT_FALSE(engine_.click("hidden"));  // not on show
    EXPECT_FALSE(engine_.click("box"));     // not a button
    EXPECT_FALSE(engine_.click("nothing"));
    engine_.set_enabled("off", true);
    EXPECT_TRUE(engine_.click("off"));

    EXPECT_TRUE(engine_.type_text("box", "typed"));
    EXPECT_EQ(engine_.text("box"), "typed");
    EXPECT_EQ(engine_.focused(), "box");
    EXPECT_TRUE(engine_.click("go"));  // the box loses the focus first
    EXPECT_TRUE(engine_.key("box", 13));
    EXPECT_FALSE(engine_.key("plain", 13));  // no key event there, but the focus moves
    EXPECT_FALSE(engine_.type_text("notes", "x"));
    EXPECT_EQ(engine_.text("notes"), "read only");

    EXPECT_TRUE(engine_.type_text("box", "again"));
    engine_.set_visible("box", false);  // a hidden box has no focus left to lose
    EXPECT_EQ(engine_.focused(), "");
    EXPECT_FALSE(engine_.type_text("box", "x"));

    EXPECT_TRUE(engine_.select_item("combo", 3));
    EXPECT_EQ(engine_.text("combo"), "100");
    EXPECT_FALSE(engine_.select_item("combo", 4));

    EXPECT_FALSE(engine_.fire_timer("clock"));  // not running
    engine_.set_timer_period("clock", 20);
    EXPECT_TRUE(engine_.fire_timer("clock"));
    EXPECT_TRUE(engine_.mouse_down("strip"));
    EXPECT_FALSE(engine_.mouse_down("go"));
    EXPECT_TRUE(engine_.click_link("links", "http://127.0.0.1/space"));
    EXPECT_FALSE(engine_.click_link("links", "http://127.0.0.1/other"));

    EXPECT_EQ(events(),
              (Strings{"clicked go", "clicked off", "focus_lost box", "clicked go",
                       "key_pressed box key=13", "focus_lost box", "item_selected combo index=3",
                       "timer_tick clock", "left_button_down strip",
                       "link_clicked links http://127.0.0.1/space"}));
    EXPECT_FALSE(foreign_thread_);
}

TEST_F(HeadlessEngineTest, TheMenuTakesAChoiceOnlyWhileItIsUp) {
    react_ = [&](const Event& event) {
        if (event.kind == EventKind::item_right_clicked) engine_.popup_menu("menu");
    };
    create();
    for (const char* name : {"a", "b", "c"})
        engine_.set_cell("list", engine_.append_row("list"), 0, name);
    forget_events();

    EXPECT_FALSE(engine_.choose_menu("menu", "open"));  // not popped up yet
    EXPECT_FALSE(engine_.right_click_row("list", 3));
    EXPECT_TRUE(engine_.right_click_row("list", 1));
    EXPECT_EQ(engine_.selected_index("list"), 1);
    EXPECT_EQ(engine_.open_menu(), "menu");
    EXPECT_EQ(engine_.menu_items("menu").size(), 3u);
    EXPECT_FALSE(engine_.choose_menu("menu", ""));  // a separator
    EXPECT_FALSE(engine_.choose_menu("menu", "nothing"));
    EXPECT_TRUE(engine_.choose_menu("menu", "open"));
    EXPECT_EQ(engine_.open_menu(), "");
    EXPECT_FALSE(engine_.choose_menu("menu", "open"));

    EXPECT_TRUE(engine_.right_click_row("list", 2));
    EXPECT_TRUE(engine_.double_click_row("list", 0));  // any other action closes the menu
    EXPECT_FALSE(engine_.choose_menu("menu", "download"));
    EXPECT_EQ(engine_.last_popup_menu(), "menu");
    EXPECT_EQ(engine_.selected_index("list"), 0);

    EXPECT_EQ(events(),
              (Strings{"item_right_clicked list index=1", "menu_command menu open",
                       "item_right_clicked list index=2", "double_clicked list index=0"}));
}

TEST_F(HeadlessEngineTest, WorkersWriteWhileTheTestReads) {
    create();
    std::atomic<int> heard{0};
    engine_.set_message_box_listener([&](const std::string&) { ++heard; });
    constexpr int workers = 4;
    constexpr int rows_each = 50;
    std::vector<std::thread> threads;
    for (int w = 0; w < workers; ++w) {
        threads.emplace_back([&, w] {
            for (int i = 0; i < rows_each; ++i) {
                const int row = engine_.append_row("list");
                engine_.set_cell("list", row, 0, std::to_string(w));
                engine_.set_text("box", std::to_string(w));
                (void)engine_.row_count("list");
            }
            engine_.message_box("worker " + std::to_string(w));
        });
    }
    for (auto& thread : threads) thread.join();

    EXPECT_EQ(engine_.row_count("list"), workers * rows_each);
    std::array<int, workers> per_worker{};
    for (int row = 0; row < engine_.row_count("list"); ++row) {
        ++per_worker.at(static_cast<std::size_t>(std::stoi(engine_.cell("list", row, 0))));
    }
    for (const int count : per_worker) EXPECT_EQ(count, rows_each);
    EXPECT_EQ(engine_.message_boxes().size(), static_cast<std::size_t>(workers));
    EXPECT_EQ(heard, workers);
}

TEST_F(HeadlessEngineTest, ClosingRaisesDestroyingWithTheControlsStillThereThenEmptiesThem) {
    std::string saved;
    react_ = [&](const Event& event) {
        if (event.kind != EventKind::destroying) return;
        saved = engine_.text("box");
        engine_.message_box("bye");
        engine_.close();  // already closing: nothing more
    };
    create();
    engine_.set_timer_period("clock", 20);
    engine_.close();

    EXPECT_EQ(saved, "start");
    EXPECT_EQ(engine_.message_boxes(), Strings{"bye"});
    EXPECT_FALSE(engine_.is_open());
    // A worker that outlives the window: every call is harmless and reads are empty.
    std::thread late([&] {
        engine_.set_text("box", "late");
        engine_.message_box("late");
        EXPECT_EQ(engine_.append_row("list"), -1);
    });
    late.join();
    EXPECT_EQ(engine_.text("box"), "");
    EXPECT_EQ(engine_.text(""), "");
    EXPECT_FALSE(engine_.visible("go"));
    EXPECT_EQ(engine_.selected_index("combo"), -1);
    EXPECT_TRUE(engine_.items("combo").empty());
    EXPECT_EQ(engine_.timer_period("clock"), 0);
    EXPECT_EQ(engine_.window_width(), 0);
    EXPECT_FALSE(engine_.click("go"));
    EXPECT_FALSE(engine_.fire_timer("clock"));
    EXPECT_EQ(engine_.message_boxes(), Strings{"bye"});
    engine_.close();
    EXPECT_EQ(engine_.run(), 0);
    EXPECT_EQ(events(), (Strings{"created", "destroying"}));
}

TEST_F(HeadlessEngineTest, RunDeliversPostsTimersAndACloseFromElsewhereOnTheWindowThread) {
    int ticks = 0;
    std::optional<std::thread> closer;
    react_ = [&](const Event& event) {
        if (event.kind != EventKind::timer_tick || ++ticks < 3) return;
        engine_.set_timer_period("clock", 0);
        closer.emplace([&] { engine_.close(); });
    };
    create();
    std::thread::id posted_on;
    std::thread worker([&] {
        engine_.post([&] { posted_on = std::this_thread::get_id(); });
        engine_.set_timer_period("clock", 1);
    });

    EXPECT_EQ(engine_.run(), 0);
    worker.join();
    if (closer) closer->join();
    EXPECT_EQ(posted_on, window_thread_);
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(events(), (Strings{"created", "timer_tick clock", "timer_tick clock",
                                 "timer_tick clock", "destroying"}));
    EXPECT_FALSE(foreign_thread_);
}

TEST_F(HeadlessEngineTest, ProcessEventsDoesItsWorkOnlyOnTheWindowThread) {
    create();
    int runs = 0;
    engine_.post([&] { ++runs; });
    std::thread([&] {
        engine_.process_events();
        platform::process_events();
        engine_.close();  // asked for here, done on the window's thread
    }).join();
    EXPECT_EQ(runs, 0);
    EXPECT_TRUE(engine_.is_open());

    platform::process_events();  // the hook the engine installed
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(engine_.is_open());
    EXPECT_EQ(events(), (Strings{"created", "destroying"}));
    EXPECT_FALSE(foreign_thread_);
}

TEST(HeadlessEngineLifetime, TheHookOutlivingTheEngineIsHarmless) {
    {
        HeadlessEngine engine;
        engine.create(test_form(), [](const Event&) {});
    }
    platform::process_events();
    SUCCEED();
}

}  // namespace
}  // namespace qingyu::platform::headless
