// The skin engine's library next to the program: written once, never replaced, and start-up
// going on without it.

#include "app/skin.h"

#include <gtest/gtest.h>

#include "app/control_names.h"
#include "app_fixture.h"

#if defined(QINGYU_HAVE_RESOURCES)
#include "resources/resources.h"
#endif

namespace qingyu {
namespace {

using test::HeadlessEngine;

class SkinTest : public test::TempFolderTest {
  protected:
    std::filesystem::path library() const { return run_directory / "SkinH_EL.dll"; }

    // Start-up went on: the steps after the skin have run.
    static void expect_started(HeadlessEngine& engine) {
        EXPECT_FALSE(engine.enabled(controls::button2));
        EXPECT_EQ(engine.selected_index(controls::combo_box1), 3);
    }
};

TEST_F(SkinTest, TheFirstRunWritesTheLibrary) {
#if defined(QINGYU_HAVE_RESOURCES)
    EXPECT_EQ(run_session(expect_started), 0);
    const auto bytes = resources::skin_library_bytes();
    EXPECT_EQ(test::read_bytes(library()),
              std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
#else
    GTEST_SKIP() << "built without the skin resources";
#endif
}

TEST_F(SkinTest, AnExistingLibraryIsUsedUnchanged) {
    test::write_bytes(library(), "not a library");
    EXPECT_EQ(run_session(expect_started), 0);
    EXPECT_EQ(test::read_bytes(library()), "not a library");
}

TEST_F(SkinTest, AnUnwritableFolderLeavesTheWindowUnskinned) {
    use_unwritable_run_directory();
    EXPECT_EQ(run_session(expect_started), 0);
    EXPECT_FALSE(std::filesystem::exists(library()));
}

}  // namespace
}  // namespace qingyu
