// Every text of the main window shows whole in the fonts the screen gives it.
#include "captions.h"
#include "fixture.h"

namespace paneherd::testing {
namespace {

TEST_F(PaneherdTest, EveryTextOfTheWindowShowsWhole) {
    frmMain& form = Start();
    EXPECT_EQ(rt::test::CutCaptions(form.hWnd()), std::vector<std::string>{});
}

} // namespace
} // namespace paneherd::testing
