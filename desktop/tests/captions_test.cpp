// Every text of the main window and of its About box shows whole in the fonts
// the screen gives them.
#include <windows.h>

#include <kit/about.h>
#include <rt.h>

#include "captions.h"
#include "fixture.h"
#include "frmMain.h"

namespace decorum {
namespace {

using Captions = testing::MainWindowTest;
using rt::test::CutCaptions;

TEST_F(Captions, EveryTextOfTheWindowAndItsAboutBoxShowsWhole) {
    frmMain& form = Start();
    EXPECT_EQ(CutCaptions(form.hWnd()), std::vector<std::string>{});

    std::vector<std::string> about{"not shown"};
    user.OnModal([&](rt::Form& box) {
        if (IsWindowVisible(box.hWnd())) about = CutCaptions(box.hWnd());
    });
    form.cmdAbout.Press();
    EXPECT_EQ(about, std::vector<std::string>{});
}

} // namespace
} // namespace decorum
