// The skin engine dresses a running Qt program: the application's palette takes the skin's
// colours, also when the skin is attached from a thread other than the GUI thread.

#include <gtest/gtest.h>

#include <QApplication>
#include <QPalette>
#include <cstdlib>
#include <thread>

#include "platform/skin.h"
#include "resources/resources.h"
#include "skin_engine/skin_format.h"

namespace qingyu {
namespace {

QColor window_colour_of(int number) {
    const auto bytes = resources::skin_bytes(number);
    const skin::Rgb rgb = skin::decode_skin(bytes.data(), bytes.size())->colours[skin::window];
    return QColor(rgb.red, rgb.green, rgb.blue);
}

bool attach(int number) {
    const auto bytes = resources::skin_bytes(number);
    return platform::attach_skin_library(SKIN_LIBRARY_FILE, bytes.data(), bytes.size(), "", 0, 0,
                                         0);
}

TEST(SkinOnQt, AttachedSkinBecomesTheApplicationPalette) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int argc = 1;
    char name[] = "test_resources";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    ASSERT_NE(QApplication::palette().color(QPalette::Window), window_colour_of(18));

    ASSERT_TRUE(attach(18));
    EXPECT_EQ(QApplication::palette().color(QPalette::Window), window_colour_of(18));
    EXPECT_FALSE(app.styleSheet().isEmpty());

    // From a worker the skin is carried to the GUI thread and applied there.
    bool attached = false;
    std::thread worker([&attached] { attached = attach(28); });
    worker.join();
    EXPECT_TRUE(attached);
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::palette().color(QPalette::Window), window_colour_of(28));
}

}  // namespace
}  // namespace qingyu
