#include "cli/command.h"

#include <array>
#include <string>

#include "cli/convert_command.h"
#include "cli/ticker_command.h"

namespace qingyu::cli {

std::span<const Command* const> commands() {
    static constexpr std::array<const Command*, 2> table{&convert_command, &ticker_command};
    return table;
}

int usage_error(std::ostream& err, std::string_view command, std::string_view reason) {
    std::string line(reason);
    for (char& c : line) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    }
    const std::string program =
        command.empty() ? "qingyu-cli" : "qingyu-cli " + std::string(command);
    err << program << ": " << line << " (see " << program << " --help)\n";
    return exit_usage;
}

}  // namespace qingyu::cli
