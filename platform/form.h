#pragma once
// The window as data: every control with its name, kind, place, size, initial text, items,
// columns, font and events. Window engines build the window from this table; handlers address
// controls by their form names. All texts are GBK.

#include <string>
#include <vector>

namespace qingyu::platform {

enum class ControlKind {
    button,
    text_box,
    label,
    combo_box,    // drop-down list
    picture_box,
    report_list,  // rows and columns with headers
    tab_control,  // `items` are the page captions
    browser,      // embedded web browser
    timer,        // invisible
    hyper_label,  // text with links
};

enum class EventKind {
    created,             // the window: once, after every control exists, before the loop
    destroying,          // the window: once, when it is about to be destroyed
    clicked,             // button
    key_pressed,         // text box: `key` holds the key code (13 for Enter)
    focus_lost,          // text box
    left_button_down,    // label
    item_right_clicked,  // report list: `index` holds the row
    double_clicked,      // report list: `index` holds the row
    item_selected,       // combo box: `index` holds the entry
    timer_tick,          // timer
    link_clicked,        // hyper label: `detail` holds the link's address
    menu_command,        // pop-up menu: `control` is the menu, `detail` the item's id
};

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct ColumnSpec {
    std::string caption;
    int width = 0;
};

struct FontSpec {
    std::string family;  // empty: the engine's default
    int point_size = 9;
    bool bold = false;
};

struct LinkSpec {
    std::string caption;
    std::string address;
};

struct ControlSpec {
    std::string name;
    ControlKind kind = ControlKind::label;
    int page = 0;  // 0: the window itself; 1 to 4: that page of the tab control
    Rect rect;     // relative to the client area, or to the page for controls on a page
    std::string text;
    std::vector<std::string> items;     // combo entries, tab page captions
    std::vector<ColumnSpec> columns;    // report list
    std::vector<LinkSpec> links;        // hyper label, shown separated by `text` (e.g. "|")
    FontSpec font;
    bool multiline = false;
    bool read_only = false;
    bool visible = true;
    bool enabled = true;
    int selected_index = -1;
    int timer_period_ms = 0;            // 0: not running
    std::vector<EventKind> events;      // the events this control raises
};

struct MenuItemSpec {
    std::string id;       // empty for a separator
    std::string caption;  // empty for a separator
    bool separator() const { return id.empty(); }
};

struct MenuSpec {
    std::string name;
    std::vector<MenuItemSpec> items;
};

struct FormSpec {
    std::string caption;
    Rect outer;  // place and outer size of the window
    std::vector<ControlSpec> controls;
    std::vector<MenuSpec> menus;
};

}  // namespace qingyu::platform
