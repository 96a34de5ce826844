#pragma once
// The window engine: builds the one window from its form, reads and writes control properties by
// form name, raises events on the window's thread and runs the message loop.
//
// Threads: events reach the handler on the window's thread only. Every property call may come
// from any thread; an engine hands a worker's call to the window's thread and keeps the order of
// one thread's calls. After the window is gone, calls do nothing and reads give empty values, so
// a worker that outlives the window never touches freed state.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/form.h"

namespace qingyu::platform {

struct Event {
    EventKind kind = EventKind::created;
    std::string control;  // form name of the control (empty for the window's own events)
    int key = 0;          // key code of key_pressed
    int index = -1;       // row or entry of list events
    std::string detail;   // link address or menu item id
};

using EventHandler = std::function<void(const Event&)>;

class WindowEngine {
public:
    virtual ~WindowEngine() = default;

    // Builds the window from the form, shows it and raises `created` on the calling thread, which
    // becomes the window's thread.
    virtual void create(const FormSpec& form, EventHandler handler) = 0;
    // Runs the message loop until the window has been destroyed; raises `destroying` first.
    virtual int run() = 0;
    // Closes the window as the user would.
    virtual void close() = 0;

    virtual std::string text(std::string_view control) const = 0;
    virtual void set_text(std::string_view control, std::string_view text) = 0;
    virtual bool visible(std::string_view control) const = 0;
    virtual void set_visible(std::string_view control, bool visible) = 0;
    virtual bool enabled(std::string_view control) const = 0;
    virtual void set_enabled(std::string_view control, bool enabled) = 0;
    virtual int left(std::string_view control) const = 0;
    virtual void set_left(std::string_view control, int left) = 0;
    virtual int width(std::string_view control) const = 0;
    virtual void set_width(std::string_view control, int width) = 0;

    // Combo box entry, report-list row or tab page, counted from 0; -1 for none.
    virtual int selected_index(std::string_view control) const = 0;
    virtual void set_selected_index(std::string_view control, int index) = 0;

    // Combo box entries.
    virtual std::vector<std::string> items(std::string_view control) const = 0;
    virtual void clear_items(std::string_view control) = 0;
    virtual void add_item(std::string_view control, std::string_view item) = 0;

    // Report list rows, counted from 0.
    virtual int row_count(std::string_view control) const = 0;
    virtual void clear_rows(std::string_view control) = 0;
    virtual int append_row(std::string_view control) = 0;  // returns the new row's index
    virtual std::string cell(std::string_view control, int row, int column) const = 0;
    virtual void set_cell(std::string_view control, int row, int column, std::string_view text) = 0;

    // Picture box: image file bytes in any common format; empty clears the picture.
    virtual void set_picture(std::string_view control, std::string_view bytes) = 0;

    // Browser: shows the local file at `path` (GBK text, no charset of its own).
    virtual std::string address(std::string_view control) const = 0;
    virtual void set_address(std::string_view control, std::string_view path) = 0;

    // Timer period in milliseconds; 0 stops the timer.
    virtual int timer_period(std::string_view control) const = 0;
    virtual void set_timer_period(std::string_view control, int period_ms) = 0;

    // Pops the named menu up at the mouse position; a chosen item raises `menu_command`.
    virtual void popup_menu(std::string_view menu) = 0;

    // The window's outer width in pixels.
    virtual int window_width() const = 0;

    // Handles pending events and returns (window thread only; a no-op elsewhere).
    virtual void process_events() = 0;

    // A modal box with an OK button and the caption "信息：", modal to every window of the
    // program; callable from any thread, returns when dismissed.
    virtual void message_box(std::string_view text) = 0;
};

}  // namespace qingyu::platform
