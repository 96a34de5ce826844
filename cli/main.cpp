// qingyu-cli: the system's logic from a terminal, one command per table entry.

#include <algorithm>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command.h"

namespace {

using qingyu::cli::Command;

constexpr std::string_view top_usage = "usage: qingyu-cli COMMAND [ARGUMENTS] | --help\n";

void print_overview(std::ostream& out) {
    out << top_usage << "\nCommands:\n";
    for (const Command* command : qingyu::cli::commands()) {
        std::string name(command->name);
        name.resize(std::max<std::size_t>(name.size() + 2, 12), ' ');
        out << "  " << name << command->summary << '\n';
    }
    out << "\nRun \"qingyu-cli COMMAND --help\" for a command's options.\n";
}

const Command* command_named(std::string_view name) {
    for (const Command* command : qingyu::cli::commands()) {
        if (command->name == name) return command;
    }
    return nullptr;
}

bool asks_for_help(const std::vector<std::string_view>& arguments) {
    for (const std::string_view argument : arguments) {
        if (argument == "--") return false;
        if (argument == "--help" || argument == "-h") return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        return qingyu::cli::usage_error(std::cerr, "", "missing command");
    }
    const std::string_view name = argv[1];
    if (name == "--help" || name == "-h") {
        print_overview(std::cout);
        return qingyu::cli::exit_ok;
    }
    const Command* command = command_named(name);
    if (command == nullptr) {
        return qingyu::cli::usage_error(std::cerr, "", "unknown command " + std::string(name));
    }
    const std::vector<std::string_view> arguments(argv + 2, argv + argc);
    if (asks_for_help(arguments)) {
        std::cout << command->usage;
        return qingyu::cli::exit_ok;
    }
    const int status = command->run(arguments, std::cout, std::cerr);
    std::cout.flush();
    return std::cout ? status : qingyu::cli::exit_failed;
}
