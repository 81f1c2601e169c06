// Every text of the main window shows whole in the fonts the screen gives it.
#include "captions.h"
#include "fixture.h"

namespace glyphdeck::testing {
namespace {

TEST_F(GlyphdeckTest, EveryTextOfTheWindowShowsWhole) {
    frmMain& main = Start();
    EXPECT_EQ(rt::test::CutCaptions(main.hWnd()), std::vector<std::string>{});
}

} // namespace
} // namespace glyphdeck::testing
