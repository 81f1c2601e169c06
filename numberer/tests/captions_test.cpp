// Every text of the editor window, the settings dialog, the sample window and
// the About box shows whole in the fonts the screen gives them.
#include "about.h"
#include "captions.h"
#include "fixture.h"
#include "frmSample.h"
#include "frmSettings.h"

namespace tallyman {
namespace {

using test::EditorTest;
using rt::test::CutCaptions;
using Cut = std::vector<std::string>;

TEST_F(EditorTest, EveryTextOfTheWindowAndItsDialogsShowsWhole) {
    frmMain& form = Start("Private Sub A()\r\nEnd Sub");
    EXPECT_EQ(CutCaptions(form.hWnd()), Cut{});

    // The dialogs, each as its command opens it.
    Cut settings{"not shown"}, about{"not shown"}, sample{"not shown"};
    auto check = [](Cut& cut) {
        return [&cut](rt::Form& f) {
            if (IsWindowVisible(f.hWnd())) cut = CutCaptions(f.hWnd());
        };
    };
    user.OnModal(check(settings));
    rt::test::PressKey(form.txtDisplay.hWnd(), VK_F4);
    user.OnModal(check(about));
    rt::test::PressKey(form.txtDisplay.hWnd(), VK_F1);
    user.OnModal(check(sample));
    form.mnuTallymanSample_Click();
    EXPECT_EQ(settings, Cut{});
    EXPECT_EQ(about, Cut{});
    EXPECT_EQ(sample, Cut{});
}

} // namespace
} // namespace tallyman
