// The engine tests need one QApplication for the whole run, on the offscreen platform, with the
// web engine's files kept in a temporary home that is removed at the end.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <filesystem>
#include <string>

#include "platform/qt/qt_setup.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    std::string home = (std::filesystem::temp_directory_path() / "qingyu-test-XXXXXX").string();
    if (mkdtemp(home.data()) == nullptr) return 1;
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_RUNTIME_DIR", home.c_str(), 1);
    setenv("XDG_CACHE_HOME", (home + "/cache").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qingyu::platform::qt::prepare_environment(true);
    int status = 0;
    {
        QApplication app(argc, argv);
        qingyu::platform::qt::apply_default_font();
        status = RUN_ALL_TESTS();
    }
    std::error_code ignored;
    std::filesystem::remove_all(home, ignored);
    return status;
}
