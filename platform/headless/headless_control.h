#pragma once
// One control of the in-memory window: its form entry and every property the window engine
// offers, with the rules the desktop engine's widgets follow (which kinds have a text, a
// selection, items, rows, a picture, an address or a period).

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include "platform/form.h"

namespace qingyu::platform::headless {

struct HeadlessControl {
    ControlSpec design;  // name, kind, events, links; `rect` holds the current left and width
    std::string text;
    bool visible = true;
    bool enabled = true;
    int selected = -1;
    std::vector<std::string> items;              // combo entries, tab page captions
    std::vector<std::vector<std::string>> rows;  // report list, one cell per column
    std::string picture;
    std::string address;
    int timer_period = 0;
    std::chrono::steady_clock::time_point next_tick;
};

HeadlessControl make_control(const ControlSpec& design);

bool raises(const HeadlessControl& control, EventKind kind);
// Whether a click or key can give the control the keyboard focus (labels and timers cannot).
bool takes_focus(const HeadlessControl& control);

std::string control_text(const HeadlessControl& control);
void set_control_text(HeadlessControl& control, std::string_view text);
bool control_visible(const HeadlessControl& control);
bool control_enabled(const HeadlessControl& control);
void set_control_selected(HeadlessControl& control, int index);
void clear_control_items(HeadlessControl& control);
void add_control_item(HeadlessControl& control, std::string_view item);
int append_control_row(HeadlessControl& control);  // -1 unless a report list
std::string control_cell(const HeadlessControl& control, int row, int column);
void set_control_cell(HeadlessControl& control, int row, int column, std::string_view text);
void set_control_timer(HeadlessControl& control, int period_ms);

}  // namespace qingyu::platform::headless
