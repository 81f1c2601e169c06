// Every text of the main window shows whole in the fonts the screen gives it.
#include <rt.h>
#include <rt/scripted_user.h>

#include "captions.h"
#include "frmMain.h"
#include "test_support.h"

namespace faultbook {
namespace {

TEST(FaultbookCaptions, EveryTextOfTheWindowShowsWhole) {
    rt::App().Title = "Faultbook";
    rt::DeleteSetting("Faultbook");
    rt::ScriptedUser user;
    user.Type("100");
    frmMain& form = frmMain::Get();
    form.Show();
    rt::DoEvents();
    EXPECT_EQ(rt::test::CutCaptions(form.hWnd()), std::vector<std::string>{});
    for (rt::Form* f : rt::Forms()) f->Unload();
    rt::DoEvents();
    rt::DeleteSetting("Faultbook");
}

} // namespace
} // namespace faultbook
