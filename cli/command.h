#pragma once
// One qingyu-cli command: its name, what it does, how it is called and the code that runs it.

#include <ostream>
#include <span>
#include <string>
#include <string_view>

namespace qingyu::cli {

// Exit codes of every command.
inline constexpr int exit_ok = 0;
inline constexpr int exit_failed = 1;
inline constexpr int exit_usage = 2;

// The arguments after the command's name, as the terminal gave them (UTF-8); "--help" is handled
// before the handler runs. The handler writes its results to `out` and its complaints to `err`.
using CommandHandler = int (*)(std::span<const std::string_view> arguments, std::ostream& out,
                               std::ostream& err);

struct Command {
    std::string_view name;
    std::string_view summary;  // one line for the command list
    std::string_view usage;    // the full help text, ending with a line break
    CommandHandler run;
};

// Every command, in the order the command list shows them.
std::span<const Command* const> commands();

// Writes "qingyu-cli COMMAND: REASON (see qingyu-cli COMMAND --help)" as one line, control
// characters of the reason shown as "?", and returns exit_usage. An empty command stands for the
// program itself.
int usage_error(std::ostream& err, std::string_view command, std::string_view reason);

}  // namespace qingyu::cli
