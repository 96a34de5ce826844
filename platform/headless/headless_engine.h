#pragma once
// The window engine in memory: no display, every property readable, and a user's actions
// (clicks, keys, typing, selections, timer ticks, menu choices) made by calls. Tests drive the
// program with it, and it runs the program without a display.
//
// Threads: the thread that calls create() is the window's thread. Property calls may come from
// any thread; they are applied at once under one lock, so a test reads what a worker wrote. Events
// reach the handler only on the thread that makes the user's action (the window's thread), and
// never while the lock is held, so a handler may call the engine freely. After close() the window
// is gone: property calls do nothing and reads give empty values, so a worker that outlives the
// window is harmless.
//
// Time: timers tick by themselves only while run() is looping (and in process_events() called
// from a handler then); a test that never calls run() ticks them with fire_timer().

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/window.h"

namespace qingyu::platform::headless {

class HeadlessEngine final : public WindowEngine {
  public:
    HeadlessEngine();
    ~HeadlessEngine() override;
    HeadlessEngine(const HeadlessEngine&) = delete;
    HeadlessEngine& operator=(const HeadlessEngine&) = delete;

    // Builds the controls and raises `created` on the calling thread. Once only.
    void create(const FormSpec& form, EventHandler handler) override;
    // Runs posted tasks and ticking timers until the window is closed; returns 0 at once when
    // the window was never created or is already gone.
    int run() override;
    // On the window's thread: raises `destroying`, then the window is gone. From any other
    // thread: asks the running loop (or the next process_events()) to do that.
    void close() override;

    // An empty control name stands for the window itself: its caption.
    std::string text(std::string_view control) const override;
    void set_text(std::string_view control, std::string_view text) override;
    bool visible(std::string_view control) const override;
    void set_visible(std::string_view control, bool visible) override;
    bool enabled(std::string_view control) const override;
    void set_enabled(std::string_view control, bool enabled) override;
    int left(std::string_view control) const override;
    void set_left(std::string_view control, int left) override;
    int width(std::string_view control) const override;
    void set_width(std::string_view control, int width) override;
    int selected_index(std::string_view control) const override;
    void set_selected_index(std::string_view control, int index) override;
    std::vector<std::string> items(std::string_view control) const override;
    void clear_items(std::string_view control) override;
    void add_item(std::string_view control, std::string_view item) override;
    int row_count(std::string_view control) const override;
    void clear_rows(std::string_view control) override;
    int append_row(std::string_view control) override;
    std::string cell(std::string_view control, int row, int column) const override;
    void set_cell(std::string_view control, int row, int column, std::string_view text) override;
    void set_picture(std::string_view control, std::string_view bytes) override;
    std::string address(std::string_view control) const override;
    void set_address(std::string_view control, std::string_view path) override;
    int timer_period(std::string_view control) const override;
    void set_timer_period(std::string_view control, int period_ms) override;
    // The menu stays popped up until choose_menu(), dismiss_menu() or any other user action.
    void popup_menu(std::string_view menu) override;
    int window_width() const override;  // the form's outer width
    // On the window's thread: runs posted tasks, a close asked for from another thread, and
    // (while run() loops) the timers that are due. Elsewhere a no-op.
    void process_events() override;
    // Records the text and returns at once; see message_boxes().
    void message_box(std::string_view text) override;

    // The user's actions, made on the calling thread. Each acts only on a control of the right
    // kind that is visible and enabled, while the window is open, and returns whether the event
    // was raised (or, for focus, type_text and select_row, whether the action was taken). Clicks,
    // keys, typing and row or entry choices move the keyboard focus to the control first; the
    // control losing it raises `focus_lost` when it has that event.
    bool click(std::string_view button);
    bool key(std::string_view control, int code);  // `key_pressed` when the control has it
    bool type_text(std::string_view text_box, std::string_view text);  // replaces the content
    bool focus(std::string_view control);
    bool select_row(std::string_view list, int row);  // no event
    bool right_click_row(std::string_view list, int row);
    bool double_click_row(std::string_view list, int row);
    bool select_item(std::string_view combo, int index);  // `item_selected`
    bool fire_timer(std::string_view timer);              // only while its period is above 0
    bool mouse_down(std::string_view label);              // `left_button_down`
    bool click_link(std::string_view label, std::string_view address);
    bool choose_menu(std::string_view menu, std::string_view id);  // only while popped up
    void dismiss_menu();

    // What the window shows.
    bool is_open() const;  // created and not yet gone
    std::string focused() const;
    std::string picture(std::string_view control) const;
    std::string open_menu() const;        // the menu popped up now; empty for none
    std::string last_popup_menu() const;  // the menu popped up last; empty for none yet
    std::vector<MenuItemSpec> menu_items(std::string_view menu) const;
    std::vector<std::string> message_boxes() const;  // every text shown, in order

    // Runs `task` on the window's thread, from the running loop or the next process_events().
    // Lets another thread (a terminal front end) make the user's actions.
    void post(std::function<void()> task);
    // Called with each message box's text as it is shown, on the thread that shows it.
    void set_message_box_listener(std::function<void(const std::string&)> listener);

  private:
    struct State;
    std::shared_ptr<State> state_;
};

}  // namespace qingyu::platform::headless
