#include "platform/headless/headless_engine.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

#include "platform/events.h"
#include "platform/headless/headless_control.h"

namespace qingyu::platform::headless {

namespace {

using Clock = std::chrono::steady_clock;

// blank: before create(); open; closing: `destroying` is being raised, properties still work;
// gone: after close().
enum class Phase { blank, open, closing, gone };

// Longest sleep of the loop with no timer running; a wake-up finds nothing to do.
constexpr auto idle_wait = std::chrono::seconds(1);

}  // namespace

struct HeadlessEngine::State {
    mutable std::mutex mutex;
    std::condition_variable wake;
    Phase phase = Phase::blank;
    std::thread::id window_thread;
    EventHandler handler;  // set once, by create()
    std::string caption;
    int window_width = 0;
    std::map<std::string, HeadlessControl, std::less<>> controls;
    std::map<std::string, MenuSpec, std::less<>> menus;
    std::string focused;
    std::string open_menu;
    std::string last_menu;
    std::vector<std::string> boxes;
    std::function<void(const std::string&)> box_listener;
    std::deque<std::function<void()>> tasks;
    bool close_requested = false;
    bool looping = false;

    // The members below that take no lock expect the caller to hold `mutex`.

    bool live() const { return phase == Phase::open || phase == Phase::closing; }

    bool on_window_thread() const {
        return phase != Phase::blank && std::this_thread::get_id() == window_thread;
    }

    HeadlessControl* find(std::string_view name) {
        const auto found = controls.find(name);
        return found == controls.end() ? nullptr : &found->second;
    }

    const HeadlessControl* find(std::string_view name) const {
        const auto found = controls.find(name);
        return found == controls.end() ? nullptr : &found->second;
    }

    // The control a user's action reaches: the window is open and the control is on show and
    // enabled. Any action of the user closes a popped-up menu.
    HeadlessControl* reachable(std::string_view name) {
        if (phase != Phase::open) return nullptr;
        open_menu.clear();
        HeadlessControl* control = find(name);
        if (control == nullptr || !control_visible(*control) || !control_enabled(*control)) {
            return nullptr;
        }
        return control;
    }

    void move_focus(std::string_view name, std::vector<Event>& events) {
        if (focused == name) return;
        const std::string previous = std::exchange(focused, std::string(name));
        const HeadlessControl* control = find(previous);
        if (control != nullptr && raises(*control, EventKind::focus_lost)) {
            events.push_back(Event{EventKind::focus_lost, previous, 0, -1, {}});
        }
    }

    void drop_focus(std::string_view name) {
        if (focused == name) focused.clear();
    }

    Clock::time_point next_tick(Clock::time_point now) const {
        Clock::time_point next = now + idle_wait;
        for (const auto& [name, control] : controls) {
            if (control.timer_period > 0) next = std::min(next, control.next_tick);
        }
        return next;
    }

    std::vector<std::string> take_due_timers(Clock::time_point now) {
        std::vector<std::string> due;
        for (auto& [name, control] : controls) {
            if (control.timer_period > 0 && control.next_tick <= now) {
                due.push_back(name);
                control.next_tick = now + std::chrono::milliseconds(control.timer_period);
            }
        }
        return due;
    }

    template <class R, class F>
    R read(std::string_view name, R none, F f) const {
        std::lock_guard lock(mutex);
        const HeadlessControl* control = live() ? find(name) : nullptr;
        return control != nullptr ? f(*control) : none;
    }

    template <class F>
    void write(std::string_view name, F f) {
        std::lock_guard lock(mutex);
        if (HeadlessControl* control = live() ? find(name) : nullptr) f(*control);
    }

    // Runs a user's action: `prepare` checks and changes the controls under the lock and lists
    // the events to raise; they are raised after the lock is released.
    template <class F>
    bool act(F prepare) {
        std::vector<Event> events;
        bool taken = false;
        {
            std::lock_guard lock(mutex);
            taken = prepare(events);
        }
        for (const auto& event : events) raise(event);
        return taken;
    }

    // Takes no lock on entry; calls the handler without it.
    void raise(const Event& event) {
        {
            std::lock_guard lock(mutex);
            const bool allowed = phase == Phase::open ||
                                 (phase == Phase::closing && event.kind == EventKind::destroying);
            if (!allowed || !handler) return;
        }
        handler(event);
    }

    void raise_tick(const std::string& timer) {
        {
            std::lock_guard lock(mutex);
            const HeadlessControl* control = find(timer);
            if (control == nullptr || control->timer_period <= 0) return;
        }
        raise(Event{EventKind::timer_tick, timer, 0, -1, {}});
    }

    void finish_close() {
        {
            std::lock_guard lock(mutex);
            if (phase != Phase::open) return;
            phase = Phase::closing;
            close_requested = false;
            open_menu.clear();
        }
        raise(Event{EventKind::destroying, {}, 0, -1, {}});
        std::deque<std::function<void()>> dropped;
        {
            std::lock_guard lock(mutex);
            phase = Phase::gone;
            controls.clear();
            menus.clear();
            focused.clear();
            dropped.swap(tasks);
        }
        wake.notify_all();
    }

    // Window's thread only: posted tasks, then due timers, then a close asked for elsewhere.
    void pump(bool with_timers) {
        std::deque<std::function<void()>> due_tasks;
        std::vector<std::string> due_timers;
        bool close_now = false;
        {
            std::lock_guard lock(mutex);
            if (phase != Phase::open || !on_window_thread()) return;
            due_tasks.swap(tasks);
            if (with_timers) due_timers = take_due_timers(Clock::now());
            close_now = close_requested;
        }
        for (auto& task : due_tasks) task();
        for (const auto& timer : due_timers) raise_tick(timer);
        if (close_now) finish_close();
    }

    void process_events() {
        bool with_timers = false;
        {
            std::lock_guard lock(mutex);
            with_timers = looping;
        }
        pump(with_timers);
    }
};

HeadlessEngine::HeadlessEngine() : state_(std::make_shared<State>()) {}

HeadlessEngine::~HeadlessEngine() {
    std::deque<std::function<void()>> dropped;
    std::lock_guard lock(state_->mutex);
    state_->phase = Phase::gone;
    state_->controls.clear();
    dropped.swap(state_->tasks);
}

void HeadlessEngine::create(const FormSpec& form, EventHandler handler) {
    State& s = *state_;
    {
        std::lock_guard lock(s.mutex);
        if (s.phase != Phase::blank) return;
        s.caption = form.caption;
        s.window_width = form.outer.width;
        for (const auto& design : form.controls)
            s.controls.emplace(design.name, make_control(design));
        for (const auto& menu : form.menus) s.menus.emplace(menu.name, menu);
        s.handler = std::move(handler);
        s.window_thread = std::this_thread::get_id();
        s.phase = Phase::open;
    }
    // The hook may outlive this engine; it holds the state only while it runs.
    set_process_events_hook([weak = std::weak_ptr<State>(state_)] {
        if (const auto state = weak.lock()) state->process_events();
    });
    s.raise(Event{EventKind::created, {}, 0, -1, {}});
}

int HeadlessEngine::run() {
    State& s = *state_;
    {
        std::lock_guard lock(s.mutex);
        if (s.phase != Phase::open) return 0;
        s.window_thread = std::this_thread::get_id();
        s.looping = true;
    }
    for (;;) {
        s.pump(true);
        std::unique_lock lock(s.mutex);
        if (s.phase != Phase::open) break;
        if (s.close_requested || !s.tasks.empty()) continue;
        // Woken early by a posted task, a close or a timer being set.
        s.wake.wait_until(lock, s.next_tick(Clock::now()));
    }
    std::lock_guard lock(s.mutex);
    s.looping = false;
    return 0;
}

void HeadlessEngine::close() {
    State& s = *state_;
    {
        std::lock_guard lock(s.mutex);
        if (s.phase != Phase::open) return;
        if (!s.on_window_thread()) {
            s.close_requested = true;
            s.wake.notify_all();
            return;
        }
    }
    s.finish_close();
}

std::string HeadlessEngine::text(std::string_view control) const {
    if (control.empty()) {
        std::lock_guard lock(state_->mutex);
        return state_->live() ? state_->caption : std::string();
    }
    return state_->read<std::string>(control, {}, control_text);
}

void HeadlessEngine::set_text(std::string_view control, std::string_view text) {
    if (control.empty()) {
        std::lock_guard lock(state_->mutex);
        if (state_->live()) state_->caption = text;
        return;
    }
    state_->write(control, [&](HeadlessControl& c) { set_control_text(c, text); });
}

bool HeadlessEngine::visible(std::string_view control) const {
    return state_->read(control, false, control_visible);
}

void HeadlessEngine::set_visible(std::string_view control, bool visible) {
    state_->write(control, [&](HeadlessControl& c) {
        if (c.design.kind == ControlKind::timer) return;
        c.visible = visible;
        if (!visible) state_->drop_focus(c.design.name);
    });
}

bool HeadlessEngine::enabled(std::string_view control) const {
    return state_->read(control, false, control_enabled);
}

void HeadlessEngine::set_enabled(std::string_view control, bool enabled) {
    state_->write(control, [&](HeadlessControl& c) {
        c.enabled = enabled;
        if (!enabled) state_->drop_focus(c.design.name);
    });
}

int HeadlessEngine::left(std::string_view control) const {
    return state_->read(control, 0, [](const HeadlessControl& c) { return c.design.rect.x; });
}

void HeadlessEngine::set_left(std::string_view control, int left) {
    state_->write(control, [&](HeadlessControl& c) { c.design.rect.x = left; });
}

int HeadlessEngine::width(std::string_view control) const {
    return state_->read(control, 0, [](const HeadlessControl& c) { return c.design.rect.width; });
}

void HeadlessEngine::set_width(std::string_view control, int width) {
    state_->write(control, [&](HeadlessControl& c) { c.design.rect.width = width; });
}

int HeadlessEngine::selected_index(std::string_view control) const {
    return state_->read(control, -1, [](const HeadlessControl& c) { return c.selected; });
}

void HeadlessEngine::set_selected_index(std::string_view control, int index) {
    state_->write(control, [&](HeadlessControl& c) { set_control_selected(c, index); });
}

std::vector<std::string> HeadlessEngine::items(std::string_view control) const {
    return state_->read<std::vector<std::string>>(control, {},
                                                  [](const HeadlessControl& c) { return c.items; });
}

void HeadlessEngine::clear_items(std::string_view control) {
    state_->write(control, clear_control_items);
}

void HeadlessEngine::add_item(std::string_view control, std::string_view item) {
    state_->write(control, [&](HeadlessControl& c) { add_control_item(c, item); });
}

int HeadlessEngine::row_count(std::string_view control) const {
    return state_->read(control, 0,
                        [](const HeadlessControl& c) { return static_cast<int>(c.rows.size()); });
}

void HeadlessEngine::clear_rows(std::string_view control) {
    state_->write(control, [](HeadlessControl& c) {
        if (c.design.kind != ControlKind::report_list) return;
        c.rows.clear();
        c.selected = -1;
    });
}

int HeadlessEngine::append_row(std::string_view control) {
    int row = -1;
    state_->write(control, [&](HeadlessControl& c) { row = append_control_row(c); });
    return row;
}

std::string HeadlessEngine::cell(std::string_view control, int row, int column) const {
    return state_->read<std::string>(
        control, {}, [&](const HeadlessControl& c) { return control_cell(c, row, column); });
}

void HeadlessEngine::set_cell(std::string_view control, int row, int column,
                              std::string_view text) {
    state_->write(control, [&](HeadlessControl& c) { set_control_cell(c, row, column, text); });
}

void HeadlessEngine::set_picture(std::string_view control, std::string_view bytes) {
    state_->write(control, [&](HeadlessControl& c) {
        if (c.design.kind == ControlKind::picture_box) c.picture = bytes;
    });
}

std::string HeadlessEngine::address(std::string_view control) const {
    return state_->read<std::string>(control, {},
                                     [](const HeadlessControl& c) { return c.address; });
}

void HeadlessEngine::set_address(std::string_view control, std::string_view path) {
    state_->write(control, [&](HeadlessControl& c) {
        if (c.design.kind == ControlKind::browser) c.address = path;
    });
}

int HeadlessEngine::timer_period(std::string_view control) const {
    return state_->read(control, 0, [](const HeadlessControl& c) { return c.timer_period; });
}

void HeadlessEngine::set_timer_period(std::string_view control, int period_ms) {
    state_->write(control, [&](HeadlessControl& c) { set_control_timer(c, period_ms); });
    state_->wake.notify_all();
}

void HeadlessEngine::popup_menu(std::string_view menu) {
    std::lock_guard lock(state_->mutex);
    if (state_->phase != Phase::open || state_->menus.count(menu) == 0) return;
    state_->open_menu = menu;
    state_->last_menu = menu;
}

int HeadlessEngine::window_width() const {
    std::lock_guard lock(state_->mutex);
    return state_->live() ? state_->window_width : 0;
}

void HeadlessEngine::process_events() {
    state_->process_events();
}

void HeadlessEngine::message_box(std::string_view text) {
    std::function<void(const std::string&)> listener;
    {
        std::lock_guard lock(state_->mutex);
        if (!state_->live()) return;
        state_->boxes.emplace_back(text);
        listener = state_->box_listener;
    }
    if (listener) listener(std::string(text));
}

bool HeadlessEngine::click(std::string_view button) {
    return state_->act([&](std::vector<Event>& events) {
        HeadlessControl* c = state_->reachable(button);
        if (c == nullptr || c->design.kind != ControlKind::button) return false;
        state_->move_focus(button, events);
        events.push_back(Event{EventKind::clicked, c->design.name, 0, -1, {}});
        return true;
    });
}

bool HeadlessEngine::key(std::string_view control, int code) {
    return state_->act([&](std::vector<Event>& events) {
        HeadlessControl* c = state_->reachable(control);
        if (c == nullptr || !takes_focus(*c)) return false;
        state_->move_focus(control, events);
        if (!raises(*c, EventKind::key_pressed)) return false;
        events.push_back(Event{EventKind::key_pressed, c->design.name, code, -1, {}});
        return true;
    });
}

bool HeadlessEngine::type_text(std::string_view text_box, std::string_view text) {
    return state_->act([&](std::vector<Event>& events) {
        HeadlessControl* c = state_->reachable(text_box);
        if (c == nullptr || c->design.kind != ControlKind::text_box || c->design.read_only) {
            return false;
        }
        state_->move_focus(text_box, events);
        c->text = text;
        return true;
    });
}

bool HeadlessEngine::focus(std::string_view control) {
    return state_->act([&](std::vector<Event>& events) {
        HeadlessControl* c = state_->reachable(control);
        if (c == nullptr || !takes_focus(*c)) return false;
        state_->move_focus(control, events);
        return true;
    });
}

namespace {
// Chooses a row of a report list, as a click on it does; `kind` is the event to raise, if any.
template <class State>
bool choose_row(State& s, std::string_view list, int row, std::vector<Event>& events,
                std::optional<EventKind> kind) {
    HeadlessControl* c = s.reachable(list);
    if (c == nullptr || c->design.kind != ControlKind::report_list || row < 0 ||
        static_cast<std::size_t>(row) >= c->rows.size()) {
        return false;
    }
    s.move_focus(list, events);
    c->selected = row;
    if (kind) events.push_back(Event{*kind, c->design.name, 0, row, {}});
    return true;
}
}  // namespace

bool HeadlessEngine::select_row(std::string_view list, int row) {
    return state_->act([&](std::vector<Event>& events) {
        return choose_row(*state_, list, row, events, std::nullopt);
    });
}

bool HeadlessEngine::right_click_row(std::string_view list, int row) {
    return state_->act([&](std::vector<Event>& events) {
        return choose_row(*state_, list, row, events, EventKind::item_right_clicked);
    });
}

bool HeadlessEngine::double_click_row(std::string_view list, int row) {
    return state_->act([&](std::vector<Event>& events) {
        return choose_row(*state_, list, row, events, EventKind::double_clicked);
    });
}

bool HeadlessEngine::select_item(std::string_view combo, int index) {
    return state_->act([&](std::vector<Event>& events) {
        HeadlessControl* c = state_->reachable(combo);
        if (c == nullptr || c->design.kind != ControlKind::combo_box || index < 0 ||
            static_cast<std::size_t>(index) >= c->items.size()) {
            return false;
        }
        state_->move_focus(combo, events);
        c->selected = index;
        events.push_back(Event{EventKind::item_selected, c->design.name, 0, index, {}});
        return true;
    });
}

bool HeadlessEngine::fire_timer(std::string_view timer) {
    return state_->act([&](std::vector<Event>& events) {
        if (state_->phase != Phase::open) return false;
        const HeadlessControl* c = state_->find(timer);
        if (c == nullptr || c->design.kind != ControlKind::timer || c->timer_period <= 0) {
            return false;
        }
        events.push_back(Event{EventKind::timer_tick, c->design.name, 0, -1, {}});
        return true;
    });
}

bool HeadlessEngine::mouse_down(std::string_view label) {
    return state_->act([&](std::vector<Event>& events) {
        HeadlessControl* c = state_->reachable(label);
        if (c == nullptr || !raises(*c, EventKind::left_button_down)) return false;
        if (takes_focus(*c)) state_->move_focus(label, events);
        events.push_back(Event{EventKind::left_button_down, c->design.name, 0, -1, {}});
        return true;
    });
}

bool HeadlessEngine::click_link(std::string_view label, std::string_view address) {
    return state_->act([&](std::vector<Event>& events) {
        HeadlessControl* c = state_->reachable(label);
        if (c == nullptr || c->design.kind != ControlKind::hyper_label) return false;
        const auto& links = c->design.links;
        const bool known = std::any_of(links.begin(), links.end(), [&](const LinkSpec& link) {
            return link.address == address;
        });
        if (!known) return false;
        events.push_back(
            Event{EventKind::link_clicked, c->design.name, 0, -1, std::string(address)});
        return true;
    });
}

bool HeadlessEngine::choose_menu(std::string_view menu, std::string_view id) {
    return state_->act([&](std::vector<Event>& events) {
        if (state_->phase != Phase::open || state_->open_menu != menu) return false;
        const auto found = state_->menus.find(menu);
        if (found == state_->menus.end()) return false;
        const auto& items = found->second.items;
        const bool known = std::any_of(items.begin(), items.end(), [&](const MenuItemSpec& item) {
            return !item.separator() && item.id == id;
        });
        if (!known) return false;
        state_->open_menu.clear();
        events.push_back(
            Event{EventKind::menu_command, found->second.name, 0, -1, std::string(id)});
        return true;
    });
}

void HeadlessEngine::dismiss_menu() {
    std::lock_guard lock(state_->mutex);
    state_->open_menu.clear();
}

bool HeadlessEngine::is_open() const {
    std::lock_guard lock(state_->mutex);
    return state_->phase == Phase::open;
}

std::string HeadlessEngine::focused() const {
    std::lock_guard lock(state_->mutex);
    return state_->focused;
}

std::string HeadlessEngine::picture(std::string_view control) const {
    return state_->read<std::string>(control, {},
                                     [](const HeadlessControl& c) { return c.picture; });
}

std::string HeadlessEngine::open_menu() const {
    std::lock_guard lock(state_->mutex);
    return state_->open_menu;
}

std::string HeadlessEngine::last_popup_menu() const {
    std::lock_guard lock(state_->mutex);
    return state_->last_menu;
}

std::vector<MenuItemSpec> HeadlessEngine::menu_items(std::string_view menu) const {
    std::lock_guard lock(state_->mutex);
    const auto found = state_->menus.find(menu);
    return found == state_->menus.end() ? std::vector<MenuItemSpec>() : found->second.items;
}

std::vector<std::string> HeadlessEngine::message_boxes() const {
    std::lock_guard lock(state_->mutex);
    return state_->boxes;
}

void HeadlessEngine::post(std::function<void()> task) {
    if (!task) return;
    {
        std::lock_guard lock(state_->mutex);
        if (state_->phase == Phase::gone) return;
        state_->tasks.push_back(std::move(task));
    }
    state_->wake.notify_all();
}

void HeadlessEngine::set_message_box_listener(std::function<void(const std::string&)> listener) {
    std::lock_guard lock(state_->mutex);
    state_->box_listener = std::move(listener);
}

}  // namespace qingyu::platform::headless
