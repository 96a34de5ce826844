#include "app/ini_file.h"

#include <optional>
#include <vector>

#include "platform/files.h"

namespace qingyu {
namespace {

bool lead_byte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x81 && byte <= 0xFE;
}

char ascii_lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Names match byte for byte, ASCII letters without case; the trail byte of a double-byte
// character is never folded.
bool same_name(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lead_byte(a[i]) && i + 1 < a.size()) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
            ++i;
        } else if (ascii_lower(a[i]) != ascii_lower(b[i])) {
            return false;
        }
    }
    return true;
}

// Position of the single-byte character `c`, never a trail byte; npos when absent.
std::size_t find_single(std::string_view text, char c) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == c) return i;
        if (lead_byte(text[i])) ++i;
    }
    return std::string_view::npos;
}

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// At most `limit` bytes, never ending on the first byte of a double-byte character.
std::string_view cut(std::string_view text, std::size_t limit) {
    if (text.size() <= limit) return text;
    std::size_t end = 0;
    while (end < limit) {
        const std::size_t step = lead_byte(text[end]) ? 2 : 1;
        if (end + step > limit) break;
        end += step;
    }
    return text.substr(0, end);
}

struct Line {
    std::string_view text;        // without its line break
    std::string_view line_break;  // "\r\n", "\n" or empty for a last line without one
};

std::vector<Line> split_lines(std::string_view content) {
    std::vector<Line> lines;
    while (!content.empty()) {
        const auto end = content.find('\n');
        Line line;
        if (end == std::string_view::npos) {
            line.text = content;
            content = {};
        } else {
            line.text = content.substr(0, end);
            line.line_break = content.substr(end, 1);
            content.remove_prefix(end + 1);
        }
        if (line.text.ends_with('\r')) {
            line.text.remove_suffix(1);
            line.line_break = line.line_break.empty() ? "\r" : "\r\n";
        }
        lines.push_back(line);
    }
    return lines;
}

// The section name of a "[name]" line.
std::optional<std::string_view> section_name(std::string_view line) {
    line = trimmed(line);
    if (!line.starts_with('[')) return std::nullopt;
    line.remove_prefix(1);
    return trimmed(line.substr(0, find_single(line, ']')));
}

// The key of a "key=value" line.
std::optional<std::string_view> key_name(std::string_view line) {
    const auto equals = find_single(line, '=');
    if (equals == std::string_view::npos) return std::nullopt;
    return trimmed(line.substr(0, equals));
}

std::string_view line_value(std::string_view line) {
    std::string_view value = trimmed(line.substr(find_single(line, '=') + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return value;
}

// Where the key's line is in the section, or where a new key line belongs.
struct Place {
    std::optional<std::size_t> section;  // the section's header line
    std::optional<std::size_t> key;      // the key's line
    std::size_t last_in_section = 0;     // the section's last line that is not blank
};

Place find_place(const std::vector<Line>& lines, std::string_view section, std::string_view key) {
    Place place;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (const auto name = section_name(lines[i].text)) {
            if (place.section) break;
            if (same_name(*name, section)) place.section = place.last_in_section = i;
            continue;
        }
        if (!place.section) continue;
        if (!trimmed(lines[i].text).empty()) place.last_in_section = i;
        if (const auto name = key_name(lines[i].text); name && same_name(*name, key)) {
            place.key = i;
            break;
        }
    }
    return place;
}

}  // namespace

std::string ini_value(std::string_view content, std::string_view section, std::string_view key) {
    const std::vector<Line> lines = split_lines(content);
    const Place place = find_place(lines, section, key);
    if (!place.key) return {};
    return std::string(cut(line_value(lines[*place.key].text), ini_value_limit));
}

std::string ini_with_value(std::string_view content, std::string_view section, std::string_view key,
                           std::string_view value) {
    std::string key_line = std::string(key) + "=" + std::string(value);
    for (char& c : key_line) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    const std::vector<Line> lines = split_lines(content);
    const Place place = find_place(lines, section, key);

    std::string result;
    result.reserve(content.size() + key_line.size() + section.size() + 8);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (place.key && i == *place.key) {
            result += key_line;
        } else {
            result += lines[i].text;
        }
        std::string_view line_break = lines[i].line_break;
        if (line_break.empty() && ((place.section && !place.key && i == place.last_in_section) ||
                                   (!place.section && i + 1 == lines.size()))) {
            line_break = "\r\n";  // the added lines begin on a line of their own
        }
        result += line_break;
        if (place.section && !place.key && i == place.last_in_section) {
            result += key_line + "\r\n";
        }
    }
    if (!place.section) {
        result += "[" + std::string(section) + "]\r\n" + key_line + "\r\n";
    }
    return result;
}

std::string read_ini_value(std::string_view path, std::string_view section, std::string_view key) {
    const std::optional<std::string> content = platform::read_file(path);
    return content ? ini_value(*content, section, key) : std::string();
}

bool write_ini_value(std::string_view path, std::string_view section, std::string_view key,
                     std::string_view value) {
    std::string content;
    if (platform::file_exists(path)) {
        std::optional<std::string> existing = platform::read_file(path);
        if (!existing) return false;
        content = std::move(*existing);
    }
    return platform::write_file(path, ini_with_value(content, section, key, value));
}

}  // namespace qingyu
