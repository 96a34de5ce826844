// The main window through the headless engine: the window-created sequence, the blocked-words
// toggle, the result list's menu, the links under the tabs, and a worker that outlives the
// window.

#include "app/main_window.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <future>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "app/control_names.h"
#include "app/form.h"
#include "app_fixture.h"
#include "platform/shell.h"
#include "platform/worker.h"

namespace qingyu {
namespace {

using test::HeadlessEngine;
using namespace std::chrono_literals;

// Waits for `condition` up to a generous limit; whether it came true is the result.
template <class Condition>
bool wait_for(Condition condition) {
    const auto limit = std::chrono::steady_clock::now() + 30s;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > limit) return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

// The window as the program builds it, with the state at hand.
std::shared_ptr<MainWindow> open_window(HeadlessEngine& engine, Services services = {}) {
    test::use_loopback_ticker(services);
    AppContext context{&engine, std::make_shared<AppState>(),
                       std::make_shared<const Services>(std::move(services))};
    const platform::FormSpec form = main_form(*context.services);
    auto window = std::make_shared<MainWindow>(std::move(context));
    engine.create(form, [target = std::weak_ptr<MainWindow>(window)](const platform::Event& event) {
        if (const auto window = target.lock()) window->handle(event);
    });
    return window;
}

class MainWindowTest : public test::TempFolderTest {};

TEST_F(MainWindowTest, AfterStartUpOnlySearchingAndTypedAddressesAreUsable) {
    const int status = run_session([](HeadlessEngine& engine) {
        EXPECT_EQ(engine.text(""), "\xc7\xe7\xd3\xecv3.0");  // 晴屿v3.0
        EXPECT_EQ(engine.selected_index(controls::tab_control1), 0);
        struct Expected {
            std::string_view name;
            bool visible, enabled;
        };
        using namespace controls;
        constexpr std::array expected{
            Expected{button1, true, true},           Expected{button8, true, true},
            Expected{edit_box2, false, true},        Expected{button2, true, false},
            Expected{button3, true, false},          Expected{button4, true, false},
            Expected{button5, true, false},          Expected{button6, true, false},
            Expected{button7, true, false},          Expected{button9, true, true},
            Expected{button10, true, true},          Expected{button11, true, true},
            Expected{board_edit_box14, true, true},  Expected{board_label19, true, true},
            Expected{board_combo_box1, false, true}, Expected{board_picture_box1, false, true},
        };
        for (const auto& [name, visible, enabled] : expected) {
            SCOPED_TRACE(std::string(name));
            EXPECT_EQ(engine.visible(name), visible);
            EXPECT_EQ(engine.enabled(name), enabled);
        }
        EXPECT_EQ(engine.row_count(report_list1), 0);
        EXPECT_EQ(engine.text(label5), "");
        EXPECT_EQ(engine.items(combo_box1), (std::vector<std::string>{"10", "20", "50", "100"}));
        EXPECT_EQ(engine.timer_period(ad_timer), 0);
        EXPECT_EQ(engine.timer_period(board_timer1), 0);
        // 【免责声明】
        EXPECT_NE(engine.text(edit_box3).find("\xa1\xbe\xc3\xe2\xd4\xf0\xc9\xf9\xc3\xf7\xa1\xbf"),
                  std::string::npos);
        EXPECT_NE(engine.text(edit_box4).find("\r\n2014.05.12"), std::string::npos);
        EXPECT_TRUE(engine.message_boxes().empty());
    });
    EXPECT_EQ(status, 0);
}

TEST_F(MainWindowTest, StartUpSetsTheBoardMailboxAndTheTypedNicknameIdentity) {
    HeadlessEngine& engine = test::kept_engine();
    Services services;
    services.pop3_host = "127.0.0.1";
    services.pop3_port = 1110;
    services.mail_account = "board@example.com";
    services.mail_password = "secret";
    const auto window = open_window(engine, services);
    const AppState& state = *window->context().state;
    EXPECT_TRUE(state.submit_allowed);
    EXPECT_FALSE(state.use_qq_identity);
    EXPECT_EQ(state.board_mailbox.pop3_server, "127.0.0.1");
    EXPECT_EQ(state.board_mailbox.pop3_port, 1110);
    EXPECT_EQ(state.board_mailbox.smtp_server, services.smtp_host);
    EXPECT_EQ(state.board_mailbox.account, "board@example.com");
    EXPECT_EQ(state.board_mailbox.password, "secret");
    EXPECT_EQ(state.search_page, 0);
    engine.close();
}

TEST_F(MainWindowTest, BlockedWordsBoxTakesTheButtonsPlaceUntilEnterOrFocusLeaves) {
    run_session([](HeadlessEngine& engine) {
        using namespace controls;
        const auto button_on_show = [&] {
            return engine.visible(button8) && !engine.visible(edit_box2);
        };
        const auto box_on_show = [&] {
            return !engine.visible(button8) && engine.visible(edit_box2);
        };
        ASSERT_TRUE(button_on_show());
        ASSERT_TRUE(engine.click(button8));
        EXPECT_TRUE(box_on_show());
        EXPECT_TRUE(engine.type_text(edit_box2, "a b "));
        EXPECT_TRUE(engine.key(edit_box2, 'A'));
        EXPECT_TRUE(box_on_show());
        EXPECT_TRUE(engine.key(edit_box2, 13));
        EXPECT_TRUE(button_on_show());

        ASSERT_TRUE(engine.click(button8));
        EXPECT_TRUE(engine.focus(edit_box2));
        EXPECT_TRUE(engine.focus(edit_box1));
        EXPECT_TRUE(button_on_show());
        EXPECT_EQ(engine.text(edit_box2), "a b ");
    });
}

TEST_F(MainWindowTest, RightClickOnAResultPopsUpTheMenuWithItsSevenEntries) {
    run_session([](HeadlessEngine& engine) {
        using namespace controls;
        EXPECT_FALSE(engine.right_click_row(report_list1, 0));  // no rows yet
        EXPECT_EQ(engine.last_popup_menu(), "");

        const int row = engine.append_row(report_list1);
        ASSERT_TRUE(engine.right_click_row(report_list1, row));
        EXPECT_EQ(engine.open_menu(), result_menu);

        struct Entry {
            std::string_view id, caption;
        };
        constexpr std::array expected{
            // 下载选中文件
            Entry{menu_item::download_selected, "\xcf\xc2\xd4\xd8\xd1\xa1\xd6\xd0\xce\xc4\xbc\xfe"},
            Entry{"", ""},
            Entry{menu_item::thunder, "\xd1\xb8\xc0\xd7\xcf\xc2\xd4\xd8"},   // 迅雷下载
            Entry{menu_item::flashget, "\xbf\xec\xb3\xb5\xcf\xc2\xd4\xd8"},  // 快车下载
            Entry{menu_item::xuanfeng, "\xd0\xfd\xb7\xe7\xcf\xc2\xd4\xd8"},  // 旋风下载
            Entry{"", ""},
            // 浏览分享页
            Entry{menu_item::browse_share_page, "\xe4\xaf\xc0\xc0\xb7\xd6\xcf\xed\xd2\xb3"},
        };
        const std::vector<platform::MenuItemSpec> items = engine.menu_items(result_menu);
        ASSERT_EQ(items.size(), expected.size());
        for (std::size_t i = 0; i < items.size(); ++i) {
            EXPECT_EQ(items[i].id, expected[i].id);
            EXPECT_EQ(items[i].caption, expected[i].caption);
        }
        // Every entry can be chosen; what the commands do comes with the download actions.
        for (const auto& [id, caption] : expected) {
            if (id.empty()) continue;
            ASSERT_TRUE(engine.right_click_row(report_list1, row));
            EXPECT_TRUE(engine.choose_menu(result_menu, id)) << caption;
        }
        EXPECT_TRUE(engine.is_open());
    });
}

TEST_F(MainWindowTest, TheLinksOpenTheMakersSiteAndSpace) {
    test::write_bytes(run_directory / "qingyu-services.conf",
                      "maker_site = http://127.0.0.1:8080\n"
                      "maker_space = http://127.0.0.1:8081/space\n");
    std::vector<std::string> opened;
    platform::set_open_url_handler([&](const std::string& text) { opened.push_back(text); });
    run_session([](HeadlessEngine& engine) {
        EXPECT_TRUE(engine.click_link(controls::hyper_label2, "http://127.0.0.1:8080"));
        EXPECT_TRUE(engine.click_link(controls::hyper_label2, "http://127.0.0.1:8081/space"));
    });
    platform::set_open_url_handler({});
    EXPECT_EQ(opened,
              (std::vector<std::string>{"http://127.0.0.1:8080", "http://127.0.0.1:8081/space"}));
}

TEST_F(MainWindowTest, AWorkerThatOutlivesTheWindowKeepsTheStateAlive) {
    HeadlessEngine& engine = test::kept_engine();  // outlives every worker
    std::promise<void> release;
    auto finished = std::make_shared<std::promise<void>>();
    std::future<void> worker_done = finished->get_future();
    std::weak_ptr<AppState> watched;
    {
        const auto window = open_window(engine);
        watched = window->context().state;
        platform::start_worker(
            [context = window->context(), gate = release.get_future().share(), finished] {
                gate.wait();
                context.state->search_results.emplace_back();
                context.state->search_page = 1;
                context.window->set_text(controls::label5, "late");
                context.window->append_row(controls::report_list1);
                EXPECT_EQ(context.window->text(controls::label5), "");
                finished->set_value();
            });
        engine.close();
        EXPECT_FALSE(engine.is_open());
    }
    EXPECT_TRUE(std::filesystem::exists(settings_file()));
    EXPECT_FALSE(watched.expired());
    release.set_value();
    ASSERT_EQ(worker_done.wait_for(30s), std::future_status::ready);
    EXPECT_TRUE(wait_for([&] { return watched.expired(); }));
}

}  // namespace
}  // namespace qingyu
