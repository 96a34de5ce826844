#include "app/form.h"

#include <string_view>
#include <utility>
#include <vector>

#include "app/control_names.h"
#include "app/form_texts.h"

namespace qingyu {
namespace {

using platform::ControlKind;
using platform::ControlSpec;
using platform::EventKind;
using platform::Rect;

constexpr int window_level = 0;
constexpr int search_page = 1;
constexpr int board_page = 2;
constexpr int guide_page = 3;
constexpr int notes_page = 4;

// Appends a control; the reference is good until the next control is added.
ControlSpec& add(platform::FormSpec& form, std::string_view name, ControlKind kind, int page,
                 Rect rect, std::string_view text = {}, std::vector<EventKind> events = {}) {
    ControlSpec design;
    design.name = name;
    design.kind = kind;
    design.page = page;
    design.rect = rect;
    design.text = text;
    design.events = std::move(events);
    form.controls.push_back(std::move(design));
    return form.controls.back();
}

void add_window_level(platform::FormSpec& form, const Services& services) {
    using namespace controls;
    add(form, ad_strip, ControlKind::label, window_level, {0, 0, 608, 16});
    // Over the strip: the ticker's moving line.
    add(form, ticker_label, ControlKind::label, window_level, {576, 0, 208, 16}, {},
        {EventKind::left_button_down});
    add(form, tab_control1, ControlKind::tab_control, window_level, {0, 16, 608, 392});
    // 文件搜索 建议反馈 使用帮助 更新详情
    form.controls.back().items = {
        "\xce\xc4\xbc\xfe\xcb\xd1\xcb\xf7", "\xbd\xa8\xd2\xe9\xb7\xb4\xc0\xa1",
        "\xca\xb9\xd3\xc3\xb0\xef\xd6\xfa", "\xb8\xfc\xd0\xc2\xcf\xea\xc7\xe9"};
    form.controls.back().selected_index = 0;
    // 输入分享地址:
    add(form, label4, ControlKind::label, window_level, {16, 416, 80, 24},
        "\xca\xe4\xc8\xeb\xb7\xd6\xcf\xed\xb5\xd8\xd6\xb7:");
    add(form, edit_box5, ControlKind::text_box, window_level, {104, 416, 144, 24});
    // 迅雷下载
    add(form, button9, ControlKind::button, window_level, {264, 416, 72, 24},
        "\xd1\xb8\xc0\xd7\xcf\xc2\xd4\xd8", {EventKind::clicked});
    // 快车下载
    add(form, button10, ControlKind::button, window_level, {344, 416, 72, 24},
        "\xbf\xec\xb3\xb5\xcf\xc2\xd4\xd8", {EventKind::clicked});
    // 旋风下载
    add(form, button11, ControlKind::button, window_level, {424, 416, 72, 24},
        "\xd0\xfd\xb7\xe7\xcf\xc2\xd4\xd8", {EventKind::clicked});
    ControlSpec& links = add(form, hyper_label2, ControlKind::hyper_label, window_level,
                             {520, 424, 80, 16}, "|", {EventKind::link_clicked});
    // 访问官网 空间
    links.links = {{"\xb7\xc3\xce\xca\xb9\xd9\xcd\xf8", services.maker_site},
                   {"\xbf\xd5\xbc\xe4", services.maker_space}};
}

void add_search_page(platform::FormSpec& form) {
    using namespace controls;
    const int page = search_page;
    // 输入文件名:
    add(form, label1, ControlKind::label, page, {24, 32, 72, 24},
        "\xca\xe4\xc8\xeb\xce\xc4\xbc\xfe\xc3\xfb:");
    add(form, edit_box1, ControlKind::text_box, page, {104, 32, 120, 24}, {},
        {EventKind::key_pressed});
    // 搜索
    add(form, button1, ControlKind::button, page, {232, 32, 48, 24}, "\xcb\xd1\xcb\xf7",
        {EventKind::clicked});
    // 设置屏蔽关键字
    add(form, button8, ControlKind::button, page, {328, 32, 104, 24},
        "\xc9\xe8\xd6\xc3\xc6\xc1\xb1\xce\xb9\xd8\xbc\xfc\xd7\xd6", {EventKind::clicked});
    // The blocked-words box shares the button's rectangle; one of the two is on show at a time.
    ControlSpec& blocked_words =
        add(form, edit_box2, ControlKind::text_box, page, {328, 32, 104, 24}, {},
            {EventKind::key_pressed, EventKind::focus_lost});
    blocked_words.visible = false;
    // 每页显示
    add(form, label2, ControlKind::label, page, {464, 32, 48, 24},
        "\xc3\xbf\xd2\xb3\xcf\xd4\xca\xbe");
    ControlSpec& page_sizes =
        add(form, combo_box1, ControlKind::combo_box, page, {520, 32, 56, 20});
    page_sizes.items = {"10", "20", "50", "100"};
    add(form, label3, ControlKind::label, page, {584, 32, 16, 24}, "\xcc\xf5");  // 条
    ControlSpec& results =
        add(form, report_list1, ControlKind::report_list, page, {8, 64, 592, 288}, {},
            {EventKind::item_right_clicked, EventKind::double_clicked});
    results.columns = {
        {"\xce\xc4\xbc\xfe\xc3\xfb", 238},          // 文件名
        {"\xce\xc4\xbc\xfe\xb4\xf3\xd0\xa1", 60},   // 文件大小
        {"\xb7\xd6\xcf\xed\xd5\xdf", 110},          // 分享者
        {"\xb7\xd6\xcf\xed\xca\xb1\xbc\xe4", 111},  // 分享时间
        {"\xcf\xc2\xd4\xd8\xb4\xce\xca\xfd", 58},   // 下载次数
    };
    // 下载选中
    add(form, button4, ControlKind::button, page, {8, 360, 72, 24},
        "\xcf\xc2\xd4\xd8\xd1\xa1\xd6\xd0", {EventKind::clicked});
    // 迅雷下载
    add(form, button5, ControlKind::button, page, {88, 360, 72, 24},
        "\xd1\xb8\xc0\xd7\xcf\xc2\xd4\xd8", {EventKind::clicked});
    // 快车下载
    add(form, button6, ControlKind::button, page, {168, 360, 72, 24},
        "\xbf\xec\xb3\xb5\xcf\xc2\xd4\xd8", {EventKind::clicked});
    // 旋风下载
    add(form, button7, ControlKind::button, page, {248, 360, 72, 24},
        "\xd0\xfd\xb7\xe7\xcf\xc2\xd4\xd8", {EventKind::clicked});
    add(form, label5, ControlKind::label, page, {344, 360, 88, 24});
    // 上一页
    add(form, button3, ControlKind::button, page, {448, 360, 64, 24}, "\xc9\xcf\xd2\xbb\xd2\xb3",
        {EventKind::clicked});
    // 下一页
    add(form, button2, ControlKind::button, page, {528, 360, 64, 24}, "\xcf\xc2\xd2\xbb\xd2\xb3",
        {EventKind::clicked});
    add(form, ad_timer, ControlKind::timer, page, {}, {}, {EventKind::timer_tick});
}

void add_board_page(platform::FormSpec& form) {
    using namespace controls;
    const int page = board_page;
    add(form, board_browser1, ControlKind::browser, page, {8, 24, 592, 288});
    // 刷新
    add(form, board_button14, ControlKind::button, page, {16, 320, 40, 24}, "\xcb\xa2\xd0\xc2",
        {EventKind::clicked});
    add(form, board_label21, ControlKind::label, page, {176, 320, 72, 24});
    // 上一页
    add(form, board_button15, ControlKind::button, page, {352, 320, 56, 24},
        "\xc9\xcf\xd2\xbb\xd2\xb3", {EventKind::clicked});
    // 下一页
    add(form, board_button16, ControlKind::button, page, {416, 320, 56, 24},
        "\xcf\xc2\xd2\xbb\xd2\xb3", {EventKind::clicked});
    add(form, board_edit_box16, ControlKind::text_box, page, {504, 320, 40, 24});
    // 翻页
    add(form, board_button17, ControlKind::button, page, {552, 320, 40, 24}, "\xb7\xad\xd2\xb3",
        {EventKind::clicked});
    // The QQ identity (avatar and account list) and the typed nickname (label and box) share one
    // area; the window-created sequence shows one pair. The nickname pair is the form's choice.
    ControlSpec& avatar =
        add(form, board_picture_box1, ControlKind::picture_box, page, {16, 352, 30, 30});
    avatar.visible = false;
    // 输入昵称:
    add(form, board_label19, ControlKind::label, page, {16, 352, 56, 24},
        "\xca\xe4\xc8\xeb\xea\xc7\xb3\xc6:");
    ControlSpec& accounts = add(form, board_combo_box1, ControlKind::combo_box, page,
                                {48, 360, 112, 20}, {}, {EventKind::item_selected});
    accounts.items = {"\xb2\xbb\xca\xb9\xd3\xc3QQ\xb5\xc7\xc2\xbc"};  // 不使用QQ登录
    accounts.selected_index = 0;
    accounts.visible = false;
    add(form, board_edit_box14, ControlKind::text_box, page, {72, 352, 112, 24});
    // 留言:
    add(form, board_label20, ControlKind::label, page, {192, 352, 32, 24}, "\xc1\xf4\xd1\xd4:");
    add(form, board_edit_box15, ControlKind::text_box, page, {224, 352, 320, 24});
    // 提交
    add(form, board_button13, ControlKind::button, page, {552, 352, 40, 24}, "\xcc\xe1\xbd\xbb",
        {EventKind::clicked});
    add(form, board_timer1, ControlKind::timer, page, {}, {}, {EventKind::timer_tick});
}

void add_text_page(platform::FormSpec& form, std::string_view name, int page, Rect rect,
                   std::string text) {
    ControlSpec& box = add(form, name, ControlKind::text_box, page, rect, text);
    box.multiline = true;
    box.read_only = true;
}

void add_result_menu(platform::FormSpec& form) {
    using namespace controls::menu_item;
    form.menus.push_back(
        {std::string(controls::result_menu),
         {
             // 下载选中文件
             {std::string(download_selected), "\xcf\xc2\xd4\xd8\xd1\xa1\xd6\xd0\xce\xc4\xbc\xfe"},
             {},
             {std::string(thunder), "\xd1\xb8\xc0\xd7\xcf\xc2\xd4\xd8"},   // 迅雷下载
             {std::string(flashget), "\xbf\xec\xb3\xb5\xcf\xc2\xd4\xd8"},  // 快车下载
             {std::string(xuanfeng), "\xd0\xfd\xb7\xe7\xcf\xc2\xd4\xd8"},  // 旋风下载
             {},
             // 浏览分享页
             {std::string(browse_share_page), "\xe4\xaf\xc0\xc0\xb7\xd6\xcf\xed\xd2\xb3"},
         }});
}

}  // namespace

platform::FormSpec main_form(const Services& services) {
    platform::FormSpec form;
    form.caption = "\xc7\xe7\xd3\xecv3.0";  // 晴屿v3.0
    form.outer = {50, 50, 614, 481};
    add_window_level(form, services);
    add_search_page(form);
    add_board_page(form);
    add_text_page(form, controls::edit_box3, guide_page, {16, 40, 576, 328}, usage_guide());
    add_text_page(form, controls::edit_box4, notes_page, {24, 48, 560, 328}, update_notes());
    add_result_menu(form);
    return form;
}

}  // namespace qingyu
