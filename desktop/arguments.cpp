#include "desktop/arguments.h"

#include <charconv>
#include <string_view>

namespace qingyu::desktop {

Arguments parse_arguments(int argc, char** argv) {
    Arguments arguments;
    bool page_given = false;
    for (int i = 1; i < argc && arguments.error.empty(); ++i) {
        const std::string_view option = argv[i];
        if (option == "-h" || option == "--help") {
            arguments.help = true;
            continue;
        }
        if (option != "--services" && option != "--screenshot" && option != "--tab") {
            arguments.error = "unknown option " + std::string(option);
            break;
        }
        if (i + 1 >= argc || std::string_view(argv[i + 1]).empty()) {
            arguments.error = std::string(option) + " needs a value";
            break;
        }
        const std::string_view value = argv[++i];
        if (option == "--services") {
            arguments.services_file = value;
        } else if (option == "--screenshot") {
            arguments.screenshot_file = value;
        } else {
            int page = 0;
            const auto [end, status] =
                std::from_chars(value.data(), value.data() + value.size(), page);
            if (status != std::errc() || end != value.data() + value.size() || page < 1 ||
                page > 4) {
                arguments.error = "--tab takes a page number from 1 to 4";
            }
            arguments.page = page;
            page_given = true;
        }
    }
    if (arguments.error.empty() && page_given && arguments.screenshot_file.empty()) {
        arguments.error = "--tab goes with --screenshot";
    }
    return arguments;
}

}  // namespace qingyu::desktop
