// Every text of the main window shows whole in the fonts the screen gives it.
#include "captions.h"
#include "fixture.h"

namespace sweeper::testing {
namespace {

TEST_F(SweeperTest, EveryTextOfTheWindowShowsWhole) {
    frmMain& form = frmMain::Get();
    form.Show();
    rt::DoEvents();
    EXPECT_EQ(rt::test::CutCaptions(form.hWnd()), std::vector<std::string>{});
}

} // namespace
} // namespace sweeper::testing
