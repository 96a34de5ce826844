#include "app/program.h"

#include <cstdio>
#include <memory>
#include <utility>

#include "app/form.h"
#include "app/main_window.h"
#include "app/services.h"

namespace qingyu {

int run_program(platform::WindowEngine& engine, const ProgramOptions& options) {
    ServicesResult loaded = load_services(options.services_file);
    if (!loaded.services) {
        std::fprintf(stderr, "qingyu: %s\n", loaded.error.c_str());
        return 2;
    }

    AppContext context;
    context.window = &engine;
    context.state = std::make_shared<AppState>();
    context.services = std::make_shared<const Services>(std::move(*loaded.services));
    const platform::FormSpec form = main_form(*context.services);

    // The engine may keep its handler after the loop; it reaches the window only while this call
    // holds it. Workers keep the state alive through their own copies of the context.
    auto window = std::make_shared<MainWindow>(std::move(context));
    const std::weak_ptr<MainWindow> handler_target = window;
    engine.create(form, [handler_target](const platform::Event& event) {
        if (const auto target = handler_target.lock()) target->handle(event);
    });
    engine.run();
    return 0;
}

}  // namespace qingyu
