// qingyu: the desktop program.

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>

#include "app/program.h"
#include "desktop/arguments.h"
#include "desktop/first_paint.h"
#include "desktop/screenshot.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/qt/qt_engine.h"
#include "platform/qt/qt_setup.h"

namespace {

bool has_display() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace qingyu;
    const desktop::Arguments arguments = desktop::parse_arguments(argc, argv);
    if (!arguments.error.empty()) {
        std::fprintf(stderr, "qingyu: %s (%s)\n", arguments.error.c_str(), desktop::usage_line);
        return 2;
    }
    if (arguments.help) {
        std::printf("%s\n", desktop::usage_line);
        return 0;
    }
    if (!has_display()) {
        std::fprintf(stderr,
                     "qingyu: no display (DISPLAY and WAYLAND_DISPLAY are unset); "
                     "run it on a virtual one with: xvfb-run -a qingyu\n");
        return 1;
    }
    // Tests run the program from a folder of their own, where it keeps its settings and skin.
    if (const char* folder = std::getenv("QINGYU_RUN_DIRECTORY"); folder != nullptr && *folder) {
        platform::set_run_directory(platform::utf8_to_gbk(folder));
    }

    const bool screenshot = !arguments.screenshot_file.empty();
    platform::qt::prepare_environment(screenshot);
    int qt_argc = 1;
    QApplication app(qt_argc, argv);
    platform::qt::apply_default_font();
    desktop::report_first_paint();

    // Never destroyed: workers the program does not wait for may still call it after the loop.
    auto* engine = new platform::qt::QtEngine();
    std::optional<desktop::Screenshot> shot;
    if (screenshot) {
        shot.emplace(*engine, QString::fromLocal8Bit(arguments.screenshot_file.c_str()),
                     arguments.page);
    }
    const int status = run_program(*engine, ProgramOptions{arguments.services_file});
    if (shot && status == 0 && !shot->saved()) {
        std::fprintf(stderr, "qingyu: could not save the screenshot to %s\n",
                     arguments.screenshot_file.c_str());
        return 1;
    }
    return status;
}
