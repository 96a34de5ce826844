#include "cli/convert_command.h"

#include <array>
#include <optional>
#include <utility>

#include "cli/terminal_text.h"
#include "links/link_codec.h"

namespace qingyu::cli {
namespace {

struct Form {
    std::string_view name;
    int target;
};
constexpr std::array<Form, 4> forms{{
    {"url", link_plain_url},
    {"thunder", link_thunder},
    {"flashget", link_flashget},
    {"qqdl", link_qqdl},
}};

std::optional<int> target_named(std::string_view name) {
    for (const auto& [form_name, target] : forms) {
        if (form_name == name) return target;
    }
    return std::nullopt;
}

int run_convert(std::span<const std::string_view> arguments, std::ostream& out, std::ostream& err) {
    std::optional<std::string_view> link;
    std::optional<int> target;
    bool options_done = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (!options_done && argument == "--") {
            options_done = true;
            continue;
        }
        if (!options_done && argument.size() > 1 && argument.starts_with('-')) {
            std::string_view value;
            if (argument == "--to") {
                if (i + 1 >= arguments.size()) {
                    return usage_error(err, "convert", "--to needs a value");
                }
                value = arguments[++i];
            } else if (argument.starts_with("--to=")) {
                value = argument.substr(5);
            } else {
                return usage_error(err, "convert", "unknown option " + std::string(argument));
            }
            target = target_named(value);
            if (!target) {
                return usage_error(err, "convert",
                                   "--to takes url, thunder, flashget or qqdl, not \"" +
                                       std::string(value) + "\"");
            }
            continue;
        }
        if (link) return usage_error(err, "convert", "one LINK only");
        link = argument;
    }
    if (!link) return usage_error(err, "convert", "missing LINK");

    const std::string gbk_link = from_terminal(*link);
    if (target) {
        const std::string converted = convert_link(gbk_link, *target);
        out << to_terminal(converted) << '\n';
        return converted == convert_link_failure ? exit_failed : exit_ok;
    }
    // A link fails for every target alike, so one failure text stands for all four.
    for (const auto& [name, form_target] : forms) {
        const std::string converted = convert_link(gbk_link, form_target);
        if (converted == convert_link_failure) {
            out << to_terminal(converted) << '\n';
            return exit_failed;
        }
        out << name << ": " << to_terminal(converted) << '\n';
    }
    return exit_ok;
}

}  // namespace

const Command convert_command{
    "convert",
    "convert a link between plain URL, Thunder, FlashGet and QQ Xuanfeng forms",
    "usage: qingyu-cli convert LINK [--to url|thunder|flashget|qqdl]\n"
    "\n"
    "Converts LINK, a plain URL or a thunder://, Flashget:// or qqdl:// link, into the form\n"
    "named by --to and prints it on one line. Without --to it prints all four forms, one\n"
    "labelled line each. Options may stand before or after LINK; \"--\" ends the options.\n"
    "Links are taken and shown as UTF-8 and converted as GBK; control characters in a\n"
    "decoded link are shown as %XX.\n"
    "\n"
    "Exit status: 0 converted, 1 the link cannot be converted (prints \xE8\xBD\xAC\xE6\x8D\xA2"
    "\xE5\xA4\xB1\xE8\xB4\xA5), 2 usage error.\n",
    &run_convert,
};

}  // namespace qingyu::cli
