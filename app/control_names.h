#pragma once
// The form names of the main window's controls and menu, as GBK text. Every folder addresses the
// window through these names; the identifiers follow the form names (按钮N is buttonN, 编辑框N is
// edit_boxN, and the board's controls, named 岚舟留言系统..., carry the prefix board_).

#include <string_view>

namespace qingyu::controls {

// Window level, outside the tab control.
inline constexpr std::string_view ad_strip = "\xb9\xe3\xb8\xe6\xcc\xf5";      // 广告条
inline constexpr std::string_view ticker_label = "\xb9\xf6\xb6\xaf\xcc\xf5";  // 滚动条
// 高级选择夹1
inline constexpr std::string_view tab_control1 =
    "\xb8\xdf\xbc\xb6\xd1\xa1\xd4\xf1\xbc\xd0"
    "1";
inline constexpr std::string_view label4 =
    "\xb1\xea\xc7\xa9"
    "4";  // 标签4
inline constexpr std::string_view edit_box5 =
    "\xb1\xe0\xbc\xad\xbf\xf2"
    "5";  // 编辑框5
inline constexpr std::string_view button9 =
    "\xb0\xb4\xc5\xa5"
    "9";  // 按钮9
inline constexpr std::string_view button10 =
    "\xb0\xb4\xc5\xa5"
    "10";  // 按钮10
inline constexpr std::string_view button11 =
    "\xb0\xb4\xc5\xa5"
    "11";  // 按钮11
// 简单超文本框2
inline constexpr std::string_view hyper_label2 =
    "\xbc\xf2\xb5\xa5\xb3\xac\xce\xc4\xb1\xbe\xbf\xf2"
    "2";

// Page 1, file search.
inline constexpr std::string_view label1 =
    "\xb1\xea\xc7\xa9"
    "1";  // 标签1
inline constexpr std::string_view edit_box1 =
    "\xb1\xe0\xbc\xad\xbf\xf2"
    "1";  // 编辑框1
inline constexpr std::string_view button1 =
    "\xb0\xb4\xc5\xa5"
    "1";  // 按钮1
inline constexpr std::string_view button8 =
    "\xb0\xb4\xc5\xa5"
    "8";  // 按钮8
inline constexpr std::string_view edit_box2 =
    "\xb1\xe0\xbc\xad\xbf\xf2"
    "2";  // 编辑框2
inline constexpr std::string_view label2 =
    "\xb1\xea\xc7\xa9"
    "2";  // 标签2
inline constexpr std::string_view combo_box1 =
    "\xd7\xe9\xba\xcf\xbf\xf2"
    "1";  // 组合框1
inline constexpr std::string_view label3 =
    "\xb1\xea\xc7\xa9"
    "3";  // 标签3
// 超级列表框1
inline constexpr std::string_view report_list1 =
    "\xb3\xac\xbc\xb6\xc1\xd0\xb1\xed\xbf\xf2"
    "1";
inline constexpr std::string_view button4 =
    "\xb0\xb4\xc5\xa5"
    "4";  // 按钮4
inline constexpr std::string_view button5 =
    "\xb0\xb4\xc5\xa5"
    "5";  // 按钮5
inline constexpr std::string_view button6 =
    "\xb0\xb4\xc5\xa5"
    "6";  // 按钮6
inline constexpr std::string_view button7 =
    "\xb0\xb4\xc5\xa5"
    "7";  // 按钮7
inline constexpr std::string_view label5 =
    "\xb1\xea\xc7\xa9"
    "5";  // 标签5
inline constexpr std::string_view button3 =
    "\xb0\xb4\xc5\xa5"
    "3";  // 按钮3
inline constexpr std::string_view button2 =
    "\xb0\xb4\xc5\xa5"
    "2";                                                                          // 按钮2
inline constexpr std::string_view ad_timer = "\xb9\xe3\xb8\xe6\xca\xb1\xd6\xd3";  // 广告时钟

// Page 2, the feedback board.
// 岚舟留言系统超文本浏览框1
inline constexpr std::string_view board_browser1 =
    "\xe1\xb0\xd6\xdb\xc1\xf4\xd1\xd4\xcf\xb5\xcd\xb3\xb3\xac\xce\xc4\xb1\xbe\xe4\xaf\xc0\xc0\xbf"
    "\xf2"
    "1";
// 岚舟留言系统按钮14
inline constexpr std::string_view board_button14 =
    "\xe1\xb0\xd6\xdb\xc1\xf4\xd1\xd4\xcf\xb5\xcd\xb3\xb0\xb4\xc5\xa5"
    "14";
// 岚舟留言系统标签21
inline constexpr std::string_view board_label21 =
    "\xe1\xb0\xd6\xdb\xc1\xf4\xd1\xd4\xcf\xb5\xcd\xb3\xb1\xea\xc7\xa9"
    "21";
// 岚舟留言系统按钮15
inline constexpr std::string_view board_button15 =
    "\xe1\xb0\xd6\xdb\xc1\xf4\xd1\xd4\xcf\xb5\xcd\xb3\xb0\xb4\xc5\xa5"
    "15";
// 岚舟留言系统按钮16
inline constexpr std::string_view board_button16 =
    "\xe1\xb0\xd6\xdb\xc1\xf4\xd1\xd4\xcf\xb5\xcd\xb3\xb0\xb4\xc5\xa5"
    "16";
// 岚舟留言系统编辑框16
inline constexpr std::string_view board_edit_box16 =
    "\xe1\xb0\xd6\xdb\xc1\xf4\xd1\xd4\xcf\xb5\xcd\xb3\xb1\xe0\xbc\xad\xbf\xf2"
    "16";
// 岚舟留言系统按钮17
inline constexpr std::string_view board_button17 =
    "\xe1\xb0\xd6\xdb\xc1\xf4\xd1\xd4\xcf\xb5\xcd\xb3\xb0\xb4\xc5\xa5"
    "17";
// 岚舟留言系统图片框1
inline constexpr std::string_view board_picture_box1 =
    "\xe1\xb0\xd6\xdb\xc1\xf4\xd1\xd4\xcf\xb5\xcd\xb3\xcd\xbc\xc6\xac\xbf\xf2"
    "1";
// 岚舟留言系统标签19
inline constexpr std::string_view board_label19 =
    "\xe1\xb0\xd6\xdb\xc1\xf4\xd1\xd4\xcf\xb5\xcd\xb3\xb1\xea\xc7\xa9"
    "19";
// 岚舟留言系统组合框1
inline constexpr std::string_view board_combo_box1 =
    "\xe1\xb0\xd6\xdb\xc1\xf4\xd1\xd4\xcf\xb5\xcd\xb3\xd7\xe9\xba\xcf\xbf\xf2"
    "1";
// 岚舟留言系统编辑框14
inline constexpr std::string_view board_edit_box14 =
    "\xe1\xb0\xd6\xdb\xc1\xf4\xd1\xd4\xcf\xb5\xcd\xb3\xb1\xe0\xbc\xad\xbf\xf2"
    "14";
// 岚舟留言系统标签20
inline constexpr std::string_view board_label20 =
    "\xe1\xb0\xd6\xdb\xc1\xf4\xd1\xd4\xcf\xb5\xcd\xb3\xb1\xea\xc7\xa9"
    "20";
// 岚舟留言系统编辑框15
inline constexpr std::string_view board_edit_box15 =
    "\xe1\xb0\xd6\xdb\xc1\xf4\xd1\xd4\xcf\xb5\xcd\xb3\xb1\xe0\xbc\xad\xbf\xf2"
    "15";
// 岚舟留言系统按钮13
inline constexpr std::string_view board_button13 =
    "\xe1\xb0\xd6\xdb\xc1\xf4\xd1\xd4\xcf\xb5\xcd\xb3\xb0\xb4\xc5\xa5"
    "13";
// 岚舟留言系统时钟1
inline constexpr std::string_view board_timer1 =
    "\xe1\xb0\xd6\xdb\xc1\xf4\xd1\xd4\xcf\xb5\xcd\xb3\xca\xb1\xd6\xd3"
    "1";

// Page 3, the usage guide, and page 4, the update notes.
inline constexpr std::string_view edit_box3 =
    "\xb1\xe0\xbc\xad\xbf\xf2"
    "3";  // 编辑框3
inline constexpr std::string_view edit_box4 =
    "\xb1\xe0\xbc\xad\xbf\xf2"
    "4";  // 编辑框4

// The result list's pop-up menu and the ids of its commands (the `detail` of a menu_command).
inline constexpr std::string_view result_menu = "\xd3\xd2\xbc\xfc";  // 右键
namespace menu_item {
inline constexpr std::string_view download_selected = "download_selected";
inline constexpr std::string_view thunder = "thunder";
inline constexpr std::string_view flashget = "flashget";
inline constexpr std::string_view xuanfeng = "xuanfeng";
inline constexpr std::string_view browse_share_page = "browse_share_page";
}  // namespace menu_item

}  // namespace qingyu::controls
