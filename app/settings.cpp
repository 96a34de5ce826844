#include "app/settings.h"

#include <limits>

#include "app/control_names.h"
#include "app/ini_file.h"
#include "platform/files.h"

namespace qingyu {
namespace {

constexpr std::string_view file_name = "\\\xc7\xe7\xd3\xec\xc5\xe4\xd6\xc3.ini";  // \晴屿配置.ini
constexpr std::string_view section = "\xc5\xe4\xd6\xc3";                          // 配置
constexpr std::string_view keyword_key = "\xb9\xd8\xbc\xfc\xb4\xca";              // 关键词
constexpr std::string_view blocked_words_key = "\xc6\xc1\xb1\xce\xb4\xca";        // 屏蔽词
constexpr std::string_view page_size_key = "\xc3\xbf\xd2\xb3\xcc\xf5\xca\xfd";    // 每页条数

// Nine words, each followed by one space.
// 淫 骚 妞 嫩 騒 荡 粿 裸 色
constexpr std::string_view default_blocked_words =
    "\xd2\xf9 \xc9\xa7 \xe6\xa4 \xc4\xdb \xf2\x58 \xb5\xb4 \xbc\x40 \xc2\xe3 \xc9\xab ";
constexpr int default_page_size_index = 3;  // the item "100"
constexpr int page_size_items = 4;          // "10", "20", "50", "100"

std::string run_directory_file() {
    return platform::run_directory() + std::string(file_name);
}

// The configuration folder's file, or empty when the run directory is writable (or there is
// no configuration folder to be had).
std::string fallback_file() {
    if (platform::directory_writable(platform::run_directory())) return {};
    const std::string folder = platform::config_directory();
    return folder.empty() ? std::string() : folder + std::string(file_name);
}

std::string read_setting(std::string_view key) {
    return read_ini_value(settings_read_path(), section, key);
}

void write_setting(std::string_view key, std::string_view value) {
    write_ini_value(settings_write_path(), section, key, value);
}

// An index outside the list leaves the list without a selection.
void select_page_size(platform::WindowEngine& window, int index) {
    window.set_selected_index(controls::combo_box1,
                              index >= 0 && index < page_size_items ? index : -1);
}

}  // namespace

std::string settings_read_path() {
    const std::string fallback = fallback_file();
    if (!fallback.empty() && platform::file_exists(fallback)) return fallback;
    return run_directory_file();
}

std::string settings_write_path() {
    const std::string fallback = fallback_file();
    return fallback.empty() ? run_directory_file() : fallback;
}

int settings_number(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > std::numeric_limits<int>::max()) return -1;  // far outside the list
    }
    return static_cast<int>(negative ? -value : value);
}

void load_settings(platform::WindowEngine& window) {
    window.set_text(controls::edit_box1, read_setting(keyword_key));
    window.set_text(controls::edit_box2, read_setting(blocked_words_key));
    select_page_size(window, settings_number(read_setting(page_size_key)));

    const std::string blocked_words = read_setting(blocked_words_key);
    window.set_text(controls::edit_box2, blocked_words.empty() ? default_blocked_words
                                                               : std::string_view(blocked_words));
    const std::string page_size = read_setting(page_size_key);
    select_page_size(window,
                     page_size.empty() ? default_page_size_index : settings_number(page_size));
}

void save_settings(platform::WindowEngine& window) {
    write_setting(keyword_key, window.text(controls::edit_box1));
    write_setting(blocked_words_key, window.text(controls::edit_box2));
    write_setting(page_size_key, std::to_string(window.selected_index(controls::combo_box1)));
}

}  // namespace qingyu
