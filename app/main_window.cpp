#include "app/main_window.h"

#include "app/control_names.h"
#include "app/window_created.h"
#include "platform/shell.h"
#include "ticker/ticker.h"

namespace qingyu {
namespace {

constexpr int enter_key = 13;

// 按钮8 and 编辑框2 share one rectangle: the window shows one of them at a time.
void show_blocked_words_box(platform::WindowEngine& window, bool box_on_show) {
    window.set_visible(controls::button8, !box_on_show);
    window.set_visible(controls::edit_box2, box_on_show);
}

}  // namespace

MainWindow::MainWindow(AppContext context) : context_(std::move(context)) {
    using platform::Event;
    using platform::EventKind;
    platform::WindowEngine& window = *context_.window;

    on({}, EventKind::created, [this](const Event&) { run_window_created(context_); });
    on({}, EventKind::destroying, [this](const Event&) { run_window_destroyed(context_); });

    on(controls::button8, EventKind::clicked,
       [&window](const Event&) { show_blocked_words_box(window, true); });
    on(controls::edit_box2, EventKind::key_pressed, [&window](const Event& event) {
        if (event.key == enter_key) show_blocked_words_box(window, false);
    });
    on(controls::edit_box2, EventKind::focus_lost,
       [&window](const Event&) { show_blocked_words_box(window, false); });

    on(controls::report_list1, EventKind::item_right_clicked,
       [&window](const Event&) { window.popup_menu(controls::result_menu); });
    on(controls::hyper_label2, EventKind::link_clicked,
       [](const Event& event) { platform::open_url(event.detail); });

    AppState& state = *context_.state;
    on(controls::ad_timer, EventKind::timer_tick,
       [&window, &state](const Event&) { scroll_ticker(window, state); });
    on(controls::ticker_label, EventKind::left_button_down,
       [&state](const Event&) { open_ticker_article(state); });

    // Joined with their folders: the search (按钮1, Enter in 编辑框1, paging with 按钮2 and
    // 按钮3), the download actions (按钮4 to 按钮7, 按钮9 to 按钮11, a double click on the
    // result list and the items of the menu 右键), the board's buttons, its account list and
    // its timer.
}

void MainWindow::handle(const platform::Event& event) {
    if (event.kind == platform::EventKind::menu_command) {
        if (event.control != controls::result_menu) return;
        const auto found = menu_handlers_.find(event.detail);
        if (found != menu_handlers_.end()) found->second(event);
        return;
    }
    const auto found = handlers_.find({event.control, event.kind});
    if (found != handlers_.end()) found->second(event);
}

void MainWindow::on(std::string_view control, platform::EventKind kind, Handler handler) {
    handlers_[{std::string(control), kind}] = std::move(handler);
}

void MainWindow::on_menu(std::string_view item, Handler handler) {
    menu_handlers_[std::string(item)] = std::move(handler);
}

}  // namespace qingyu
