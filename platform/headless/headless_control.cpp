#include "platform/headless/headless_control.h"

#include <algorithm>

namespace qingyu::platform::headless {

namespace {
bool valid_index(int index, std::size_t count) {
    return index >= 0 && static_cast<std::size_t>(index) < count;
}
}  // namespace

HeadlessControl make_control(const ControlSpec& design) {
    HeadlessControl control;
    control.design = design;
    control.visible = design.visible;
    control.enabled = design.enabled;
    switch (design.kind) {
        case ControlKind::combo_box:
            control.items = design.items;
            control.selected = valid_index(design.selected_index, design.items.size())
                                   ? design.selected_index
                                   : -1;
            break;
        case ControlKind::tab_control:
            // A tab control shows its first page.
            control.items = design.items;
            control.selected = design.items.empty() ? -1 : 0;
            break;
        case ControlKind::browser:
            control.address = design.text;
            break;
        case ControlKind::timer:
            control.visible = false;
            set_control_timer(control, design.timer_period_ms);
            break;
        case ControlKind::picture_box:
        case ControlKind::report_list:
            break;
        default:
            control.text = design.text;
            break;
    }
    return control;
}

bool raises(const HeadlessControl& control, EventKind kind) {
    const auto& events = control.design.events;
    return std::find(events.begin(), events.end(), kind) != events.end();
}

bool takes_focus(const HeadlessControl& control) {
    switch (control.design.kind) {
        case ControlKind::button:
        case ControlKind::text_box:
        case ControlKind::combo_box:
        case ControlKind::report_list:
        case ControlKind::tab_control:
        case ControlKind::browser:
            return true;
        default:
            return false;
    }
}

std::string control_text(const HeadlessControl& control) {
    switch (control.design.kind) {
        case ControlKind::combo_box:
        case ControlKind::tab_control:
            return valid_index(control.selected, control.items.size())
                       ? control.items[static_cast<std::size_t>(control.selected)]
                       : std::string();
        case ControlKind::browser:
            return control.address;
        case ControlKind::picture_box:
        case ControlKind::report_list:
        case ControlKind::timer:
            return {};
        default:
            return control.text;
    }
}

void set_control_text(HeadlessControl& control, std::string_view text) {
    switch (control.design.kind) {
        case ControlKind::combo_box: {
            // A drop-down list only shows its own entries: the text picks the matching one.
            const auto found = std::find(control.items.begin(), control.items.end(), text);
            if (found != control.items.end()) {
                control.selected = static_cast<int>(found - control.items.begin());
            }
            break;
        }
        case ControlKind::browser:
            control.address = std::string(text);
            break;
        case ControlKind::tab_control:
        case ControlKind::picture_box:
        case ControlKind::report_list:
        case ControlKind::timer:
            break;
        default:
            control.text = std::string(text);
            break;
    }
}

bool control_visible(const HeadlessControl& control) {
    return control.design.kind != ControlKind::timer && control.visible;
}

bool control_enabled(const HeadlessControl& control) {
    return control.design.kind == ControlKind::timer || control.enabled;
}

void set_control_selected(HeadlessControl& control, int index) {
    switch (control.design.kind) {
        case ControlKind::combo_box:
            control.selected = valid_index(index, control.items.size()) ? index : -1;
            break;
        case ControlKind::report_list:
            control.selected = valid_index(index, control.rows.size()) ? index : -1;
            break;
        case ControlKind::tab_control:
            if (valid_index(index, control.items.size())) control.selected = index;
            break;
        default:
            break;
    }
}

void clear_control_items(HeadlessControl& control) {
    if (control.design.kind != ControlKind::combo_box) return;
    control.items.clear();
    control.selected = -1;
}

void add_control_item(HeadlessControl& control, std::string_view item) {
    if (control.design.kind != ControlKind::combo_box) return;
    control.items.emplace_back(item);
    // The first entry of an empty list becomes the selected one, as a drop-down list does.
    if (control.items.size() == 1) control.selected = 0;
}

int append_control_row(HeadlessControl& control) {
    if (control.design.kind != ControlKind::report_list) return -1;
    control.rows.emplace_back(control.design.columns.size());
    return static_cast<int>(control.rows.size()) - 1;
}

std::string control_cell(const HeadlessControl& control, int row, int column) {
    if (!valid_index(row, control.rows.size())) return {};
    const auto& cells = control.rows[static_cast<std::size_t>(row)];
    return valid_index(column, cells.size()) ? cells[static_cast<std::size_t>(column)]
                                             : std::string();
}

void set_control_cell(HeadlessControl& control, int row, int column, std::string_view text) {
    if (!valid_index(row, control.rows.size())) return;
    auto& cells = control.rows[static_cast<std::size_t>(row)];
    if (valid_index(column, cells.size())) cells[static_cast<std::size_t>(column)] = text;
}

void set_control_timer(HeadlessControl& control, int period_ms) {
    if (control.design.kind != ControlKind::timer) return;
    control.timer_period = std::max(0, period_ms);
    control.next_tick = std::chrono::steady_clock::now() + std::chrono::milliseconds(period_ms);
}

}  // namespace qingyu::platform::headless
