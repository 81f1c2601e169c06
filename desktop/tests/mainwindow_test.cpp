// The main window as a whole: what start-up and Refresh read from the
// system, the gradient title bars, About and the topmost state, the screen
// saver command and closing.
#include <windows.h>

#include <kit/about.h>
#include <rt.h>
#include <rt/scripted_user.h>

#include "fixture.h"
#include "frmMain.h"
#include "modOS_Info.h"
#include "test_support.h"
#include "wallpaper.h"

namespace decorum {
namespace {

// Whether the window was topmost when it was destroyed (-1: not seen).
HWND unloading = nullptr;
int topmostAtDestroy = -1;
LRESULT CALLBACK WatchDestroy(int code, WPARAM wp, LPARAM lp) {
    const auto* m = reinterpret_cast<const CWPSTRUCT*>(lp);
    if (code == HC_ACTION && m->message == WM_DESTROY && m->hwnd == unloading)
        topmostAtDestroy = (GetWindowLongPtrW(m->hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) ? 1 : 0;
    return CallNextHookEx(nullptr, code, wp, lp);
}

class MainTest : public testing::MainWindowTest {
  protected:
    // A pixel of a sample title bar, from its own surface.
    static COLORREF BarPixel(rt::PictureBox& bar, int x) { return GetPixel(bar.SurfaceDC(), x, 5); }
    static int Pixels(long twips) { return static_cast<int>(twips / rt::Screen::TwipsPerPixelX()); }
    static bool Topmost(HWND w) { return (GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
};

// Start-up: centred, the wallpaper from WIN.INI, centring chosen, black
// picked, and title bars that run from the caption colour to the gradient colour.
TEST_F(MainTest, StartUpReadsTheDesktop) {
    testing::WriteWinIniDesktop("Wallpaper", "C:\\Start\\Here.bmp");
    const COLORREF active = RGB(120, 0, 0), gradient = RGB(240, 0, 0);
    const int indexes[] = {COLOR_ACTIVECAPTION, COLOR_GRADIENTACTIVECAPTION};
    const COLORREF values[] = {active, gradient};
    SetSysColors(2, indexes, values);
    frmMain& form = Start();
    EXPECT_EQ(form.Caption(), "  Decorum");
    EXPECT_NEAR(form.Left(), (rt::Screen::Width() - form.Width()) / 2, 15);
    EXPECT_NEAR(form.Top(), (rt::Screen::Height() - form.Height()) / 2, 15);
    EXPECT_FALSE(Topmost(form.hWnd()));
    EXPECT_EQ(gWindowsFolder, testing::WindowsFolder());
    EXPECT_EQ(form.txtWhatToChangeWallpaperTo.Text(), "C:\\Start\\Here.bmp");
    EXPECT_EQ(form.lblPickedColor.BackColor(), 0);
    EXPECT_TRUE(form.optCenter.Value());
    EXPECT_FALSE(form.optTile.Value());
    EXPECT_EQ(form.chkCenter.Value(), rt::vbUnchecked);
    EXPECT_TRUE(form.chkCenter.Enabled());
    EXPECT_TRUE(user.Boxes.empty());

    EXPECT_EQ(GetRValue(BarPixel(form.ActiveTitleBar, 0)), 121); // one step past the start
    EXPECT_EQ(BarPixel(form.ActiveTitleBar, Pixels(form.ActiveTitleBar.Width()) - 1), gradient);
    EXPECT_EQ(form.ActiveTitleBar1.BackColor(), static_cast<long>(gradient));
    EXPECT_TRUE(form.GradientActiveTitleBar.Visible());
    EXPECT_EQ(BarPixel(form.InactiveTitleBar, Pixels(form.InactiveTitleBar.Width()) - 1),
              GetSysColor(COLOR_GRADIENTINACTIVECAPTION));
}

// The window opens on the element list: the first Down chooses the first
// element, the sample's scroll bar stays where it is, and Alt+O (the access
// key of the sample button's label) takes the focus on to a control.
TEST_F(MainTest, TheFocusStartsOnTheElementListAndTheFirstDownChoosesInIt) {
    frmMain& form = Start();
    SetForegroundWindow(form.hWnd());
    ASSERT_TRUE(rt::test::WaitFor([&] { return GetForegroundWindow() == form.hWnd(); }, 3000));
    EXPECT_EQ(GetFocus(), form.cboWhatToChange.hWnd());
    const int bar = form.ActiveScrollBar.Value();
    rt::test::TapKey(VK_DOWN);
    EXPECT_TRUE(rt::test::WaitFor([&] { return form.cboWhatToChange.ListIndex() == 0; }, 3000));
    EXPECT_EQ(form.cboWhatToChange.Text(), "COLOR_3DDKSHADOW");
    EXPECT_EQ(form.lblWhatsSelected.Caption().empty(), false);
    EXPECT_EQ(form.ActiveScrollBar.Value(), bar);
}

TEST_F(MainTest, RefreshReadsEverythingAgainAndKeepsTheChoices) {
    frmMain& form = Start();
    form.cboWhatToChange.ListIndex(3);
    form.optTile.Value(false);
    gPreviousColor = 0x123456;
    gPreviousIndex = 5;
    form.txtWhatToChangeWallpaperTo.Text("typed but not applied");
    testing::WriteWinIniDesktop("Wallpaper", "C:\\Refreshed.bmp");
    const int index = COLOR_ACTIVECAPTION;
    const COLORREF colour = RGB(200, 10, 10);
    SetSysColors(1, &index, &colour);
    form.lblPickedColor.BackColor(0x00FF00);
    form.cmdRefresh.Press();
    EXPECT_EQ(form.txtWhatToChangeWallpaperTo.Text(), "C:\\Refreshed.bmp");
    EXPECT_EQ(gPickedColor, 0x00FF00);
    EXPECT_LT(GetGValue(BarPixel(form.ActiveTitleBar, 0)), 20);
    EXPECT_GT(GetRValue(BarPixel(form.ActiveTitleBar, 0)), 180);
    EXPECT_EQ(form.cboWhatToChange.ListIndex(), 3);
    EXPECT_EQ(gPreviousColor, 0x123456);
    EXPECT_EQ(gPreviousIndex, 5);
}

TEST_F(MainTest, AboutLowersTheWindowWhileOpenAndLeavesItOnTop) {
    kit::About().Title = "Decorum";
    frmMain& form = Start();
    bool topmostWhileOpen = true;
    std::string aboutTitle;
    user.OnModal([&](rt::Form& about) {
        topmostWhileOpen = Topmost(form.hWnd());
        aboutTitle = static_cast<kit::frmAbout&>(about).Label1.Caption();
    });
    form.cmdAbout.Press();
    EXPECT_FALSE(topmostWhileOpen);
    EXPECT_EQ(aboutTitle, "Decorum");
    EXPECT_TRUE(Topmost(form.hWnd()));
    user.OnModal([&](rt::Form&) { topmostWhileOpen = Topmost(form.hWnd()); });
    form.cmdAbout.Press();
    EXPECT_FALSE(topmostWhileOpen);
    EXPECT_TRUE(Topmost(form.hWnd()));

    // Closing takes it out of the topmost state first.
    unloading = form.hWnd();
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, &WatchDestroy, nullptr, GetCurrentThreadId());
    form.cmdClose.Press();
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(topmostAtDestroy, 0);
}

// The system command as the default window procedure starts to carry it out.
int screenSaves = 0;
LRESULT CALLBACK CountScreenSaves(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_SYSCOMMAND && (wp & 0xFFF0) == SC_SCREENSAVE) ++screenSaves;
    return CallNextHookEx(nullptr, code, wp, lp);
}

TEST_F(MainTest, StartScreenSaverHandsTheCommandToTheSystem) {
    frmMain& form = Start();
    screenSaves = 0;
    HHOOK hook = SetWindowsHookExW(WH_CBT, &CountScreenSaves, nullptr, GetCurrentThreadId());
    form.cmdStartScreenSaver.Press();
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(screenSaves, 1);
    EXPECT_TRUE(form.Visible());
    EXPECT_TRUE(user.Boxes.empty());
}

TEST_F(MainTest, CloseAndEscapeUnloadEveryForm) {
    frmMain& form = Start();
    kit::frmAbout::Get().Show();
    ASSERT_EQ(rt::Forms().size(), 2u);
    form.cmdClose.Press();
    EXPECT_TRUE(rt::Forms().empty());

    frmMain& again = Start();
    SetForegroundWindow(again.hWnd());
    again.txtWhatToChangeWallpaperTo.SetFocus();
    rt::test::PressKey(again.txtWhatToChangeWallpaperTo.hWnd(), VK_ESCAPE);
    EXPECT_TRUE(rt::test::WaitFor([] { return rt::Forms().empty(); }, 5000));
}

} // namespace
} // namespace decorum
