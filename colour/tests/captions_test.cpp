// Every text of the main window shows whole in the fonts the screen gives it.
#include "captions.h"
#include "picking.h"

namespace huepick::test {
namespace {

using Captions = PickingFixture;

TEST_F(Captions, EveryTextOfTheWindowShowsWhole) {
    EXPECT_EQ(rt::test::CutCaptions(form.hWnd()), std::vector<std::string>{});
}

} // namespace
} // namespace huepick::test
