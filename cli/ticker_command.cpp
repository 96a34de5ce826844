// The news ticker from a terminal: the same start-up fetch as the window's, run on the in-memory
// window, with each article printed instead of scrolled.

#include "cli/ticker_command.h"

#include "app/app_state.h"
#include "app/control_names.h"
#include "app/form.h"
#include "app/services.h"
#include "cli/terminal_text.h"
#include "platform/headless/headless_engine.h"
#include "ticker/ticker.h"
#include "ticker/ticker_text.h"

namespace qingyu::cli {
namespace {

int run_ticker(std::span<const std::string_view> arguments, std::ostream& out, std::ostream& err) {
    std::string services_file;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--services" && i + 1 < arguments.size()) {
            services_file = arguments[++i];
        } else {
            return usage_error(err, "ticker",
                               "unexpected argument \"" + std::string(arguments[i]) + "\"");
        }
    }
    const ServicesResult services = load_services(services_file);
    if (!services.services) {
        err << services.error << '\n';
        return exit_usage;
    }

    platform::headless::HeadlessEngine window;
    window.create(main_form(*services.services), [](const platform::Event&) {});
    AppState state;
    load_ticker(window, state,
                TickerSites{services.services->maker_site + "/", services.services->ping_host});
    if (state.ticker_articles.empty()) {
        err << to_terminal(window.text(controls::ticker_label)) << '\n';
        return exit_failed;
    }
    for (const TickerArticle& article : state.ticker_articles) {
        out << to_terminal(ticker_caption(article)) << '\t' << to_terminal(article.link) << '\n';
    }
    return exit_ok;
}

}  // namespace

const Command ticker_command{
    "ticker",
    "print the maker's latest articles as the window's ticker shows them",
    "usage: qingyu-cli ticker [--services FILE]\n"
    "\n"
    "Checks that the network is there, fetches the maker's home page and prints one line per\n"
    "article: the ticker's caption, a tab and the article's address. The addresses come from\n"
    "the services file (see the README).\n"
    "\n"
    "Exit status: 0 articles found, 1 not connected or nothing found (the ticker's caption on\n"
    "standard error), 2 usage error or a bad services file.\n",
    run_ticker,
};

}  // namespace qingyu::cli
