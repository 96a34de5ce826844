#pragma once
// The controls of the window: building each kind from its form entry, wiring its events, and
// reading and writing its properties. GUI thread only.

#include <QPointer>
#include <QRect>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/form.h"
#include "platform/window.h"

namespace qingyu::platform::qt {

using RaiseEvent = std::function<void(const Event&)>;

struct Control {
    ControlSpec design;        // as built; `design.rect` follows set_left and set_width
    QPointer<QWidget> widget;  // none for timers
    QPointer<QTimer> timer;    // timers only
};

// Builds the control as a child of `parent` (the window's client area or a tab page); the caller
// places it. A timer is parented to `parent` as well.
Control build_control(const ControlSpec& design, QWidget* parent, const RaiseEvent& raise);

// The key code the window system would report for a Qt key: 13 for Enter, letters and digits as
// their upper-case ASCII codes, 0 for keys without one.
int windows_key_code(int qt_key);

std::string control_text(const Control& control);
void set_control_text(Control& control, std::string_view text);
bool control_visible(const Control& control);
bool control_enabled(const Control& control);
void set_control_enabled(Control& control, bool enabled);
int control_selected_index(const Control& control);
void set_control_selected_index(Control& control, int index);
std::vector<std::string> control_items(const Control& control);
void clear_control_items(Control& control);
void add_control_item(Control& control, std::string_view item);
void set_control_picture(Control& control, std::string_view bytes);
int control_timer_period(const Control& control);
void set_control_timer_period(Control& control, int period_ms);

}  // namespace qingyu::platform::qt
