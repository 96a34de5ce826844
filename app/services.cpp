#include "app/services.h"

#include <array>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/codepage.h"
#include "platform/files.h"

namespace qingyu {
namespace {

constexpr std::size_t max_file_bytes = 1 << 20;

enum class ValueKind {
    host,           // host name, optionally ":port"
    address,        // scheme and host
    entry_address,  // scheme and host written into board entries
    port,
    secret,  // account or password: anything, empty included
};

struct Key {
    std::string_view name;
    ValueKind kind;
    std::string Services::*text = nullptr;
    int Services::*number = nullptr;
};

constexpr std::array keys{
    Key{"search_host", ValueKind::host, &Services::search_host},
    Key{"storage_host", ValueKind::host, &Services::storage_host},
    Key{"maker_site", ValueKind::address, &Services::maker_site},
    Key{"maker_space", ValueKind::address, &Services::maker_space},
    Key{"qq_avatar_service", ValueKind::address, &Services::qq_avatar_service},
    Key{"qq_portrait_service", ValueKind::address, &Services::qq_portrait_service},
    Key{"qq_thumbnail_service", ValueKind::entry_address, &Services::qq_thumbnail_service},
    Key{"qq_chat_service", ValueKind::entry_address, &Services::qq_chat_service},
    Key{"qq_time_service", ValueKind::entry_address, &Services::qq_time_service},
    Key{"pinned_icon_host", ValueKind::address, &Services::pinned_icon_host},
    Key{"ping_host", ValueKind::host, &Services::ping_host},
    Key{"pop3_host", ValueKind::host, &Services::pop3_host},
    Key{"pop3_port", ValueKind::port, nullptr, &Services::pop3_port},
    Key{"smtp_host", ValueKind::host, &Services::smtp_host},
    Key{"smtp_port", ValueKind::port, nullptr, &Services::smtp_port},
    Key{"mail_account", ValueKind::secret, &Services::mail_account},
    Key{"mail_password", ValueKind::secret, &Services::mail_password},
};

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// The part after "http://" or "https://"; empty when the value has neither scheme.
std::string_view after_scheme(std::string_view value) {
    for (const std::string_view scheme : {"http://", "https://"}) {
        if (value.starts_with(scheme)) return value.substr(scheme.size());
    }
    return {};
}

std::string_view without_trailing_slashes(std::string_view address) {
    while (address.ends_with('/') && after_scheme(address).size() > 1) address.remove_suffix(1);
    return address;
}

// Checks a value of the given kind; the reason when it is not acceptable, else empty.
std::string problem(const Key& key, std::string_view value) {
    const std::string name = "'" + std::string(key.name) + "'";
    switch (key.kind) {
        case ValueKind::secret:
            return {};
        case ValueKind::port: {
            int port = 0;
            const auto [end, error] =
                std::from_chars(value.data(), value.data() + value.size(), port);
            if (value.empty() || error != std::errc() || end != value.data() + value.size() ||
                port < 1 || port > 65535) {
                return "bad port '" + std::string(value) + "' for " + name + " (1 to 65535)";
            }
            return {};
        }
        case ValueKind::host:
        case ValueKind::address:
        case ValueKind::entry_address:
            break;
    }
    if (value.empty()) return "empty value for " + name;
    if (value.find_first_of(" \t") != std::string_view::npos) return "blank inside " + name;
    if (key.kind == ValueKind::host && value.find('/') != std::string_view::npos) {
        return name + " takes a host name without scheme or path";
    }
    if (key.kind != ValueKind::host &&
        (after_scheme(value).empty() || after_scheme(value).front() == '/')) {
        return name + " takes an address beginning with http:// or https:// and a host";
    }
    if (key.kind == ValueKind::entry_address &&
        value.find_first_of("-\\|") != std::string_view::npos) {
        return name + " may not contain '-', '\\' or '|'";
    }
    return {};
}

std::string to_core_text(std::string_view utf8) {
    for (const char c : utf8) {
        if (static_cast<unsigned char>(c) >= 0x80) return platform::utf8_to_gbk(utf8);
    }
    return std::string(utf8);
}

ServicesResult failure(std::string_view file_name, std::size_t line, const std::string& reason) {
    ServicesResult result;
    result.error = std::string(file_name) + ":" + std::to_string(line) + ": " + reason;
    return result;
}

ServicesResult file_failure(std::string_view file_name, std::string_view reason) {
    ServicesResult result;
    result.error = std::string(file_name) + ": " + std::string(reason);
    return result;
}

ServicesResult read_named_file(std::string_view utf8_name) {
    const std::u8string name(utf8_name.begin(), utf8_name.end());
    std::error_code error;
    const std::filesystem::path path(name);
    if (!std::filesystem::is_regular_file(path, error)) {
        return file_failure(utf8_name, "cannot read the services file (no such file)");
    }
    const auto size = std::filesystem::file_size(path, error);
    if (error || size > max_file_bytes) {
        return file_failure(utf8_name, "cannot read the services file (unreadable or too large)");
    }
    std::ifstream in(path, std::ios::binary);
    std::string text(static_cast<std::size_t>(size), '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (!in || in.gcount() != static_cast<std::streamsize>(text.size())) {
        return file_failure(utf8_name, "cannot read the services file");
    }
    return parse_services(text, utf8_name);
}

}  // namespace

ServicesResult parse_services(std::string_view text, std::string_view file_name) {
    Services services;
    std::array<bool, keys.size()> seen{};
    std::size_t line_number = 0;
    while (!text.empty()) {
        ++line_number;
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);
        line = trimmed(line);
        if (line.empty() || line.front() == '#') continue;

        const auto equals = line.find('=');
        if (equals == std::string_view::npos) {
            return failure(file_name, line_number, "expected 'key = value'");
        }
        const std::string_view name = trimmed(line.substr(0, equals));
        std::string_view value = trimmed(line.substr(equals + 1));
        std::size_t index = 0;
        while (index < keys.size() && keys[index].name != name) ++index;
        if (index == keys.size()) {
            return failure(file_name, line_number, "unknown key '" + std::string(name) + "'");
        }
        const Key& key = keys[index];
        if (seen[index]) {
            return failure(file_name, line_number, "'" + std::string(name) + "' given twice");
        }
        seen[index] = true;
        if (key.kind == ValueKind::address || key.kind == ValueKind::entry_address) {
            value = without_trailing_slashes(value);
        }
        if (const std::string reason = problem(key, value); !reason.empty()) {
            return failure(file_name, line_number, reason);
        }
        if (key.number != nullptr) {
            std::from_chars(value.data(), value.data() + value.size(), services.*key.number);
        } else {
            services.*key.text = to_core_text(value);
        }
    }
    return ServicesResult{std::move(services), {}};
}

ServicesResult load_services(std::string_view named_file) {
    if (!named_file.empty()) return read_named_file(named_file);
    const std::string path = platform::run_directory() + "\\" + std::string(services_file_name);
    if (!platform::file_exists(path)) return ServicesResult{Services{}, {}};
    const std::optional<std::string> text = platform::read_file(path);
    const std::string shown = platform::native_path(path);
    if (!text || text->size() > max_file_bytes) {
        return file_failure(shown, "cannot read the services file (unreadable or too large)");
    }
    return parse_services(*text, shown);
}

}  // namespace qingyu
