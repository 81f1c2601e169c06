// The display-mode band: what start-up reads of the screen (on screens of 8,
// 16 and 24 bits per pixel), the requests the mode buttons make, the boxes,
// one real switch and back, and restarts answered without restarting.
#include <windows.h>

#include <algorithm>
#include <map>

#include <rt.h>
#include <rt/scripted_user.h>

#include "displaymode.h"
#include "fixture.h"
#include "frmMain.h"
#include "test_support.h"
#include "wallpaper.h"

namespace decorum {
namespace {

// ---- On screens of each depth (run again by the test script on 8 and 16 bits)

class DepthTest : public testing::MainWindowTest {};

// Start-up shows the screen's size and depth; with no depth chosen a mode
// button asks for the screen's own depth.
TEST_F(DepthTest, StartUpShowsTheScreenAndNoDepthChosenKeepsItsDepth) {
    std::vector<DEVMODEA> asked;
    DisplaySystem().ChangeDisplaySettings = [&](DEVMODEA& mode, DWORD flags) {
        if (flags == CDS_TEST) asked.push_back(mode);
        return LONG{DISP_CHANGE_BADMODE};
    };
    frmMain& form = Start();
    EXPECT_EQ(form.txtCurrentScreenRes.Text(), "  1024x768");
    const std::map<int, std::string> entries{
        {8, "256 Colors"}, {16, "16-Bit Color"}, {32, "32-Bit Color"}};
    ASSERT_EQ(entries.count(testing::WindowsDepth()), 1u);
    EXPECT_EQ(form.txtCurrentScreenDepth.Text(), entries.at(testing::WindowsDepth()));
    EXPECT_EQ(form.txtCurrentScreenDepth.ItemData(form.txtCurrentScreenDepth.ListIndex()),
              testing::WindowsDepth());

    form.txtCurrentScreenDepth.ListIndex(-1);
    form.cmd800x600.Press();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].dmBitsPerPel, static_cast<DWORD>(testing::WindowsDepth()));
}

// ---- The requests and the boxes

class DisplayTest : public testing::MainWindowTest {
  protected:
    // The system answers the test call with `test` and the change with `made`.
    void Answer(LONG test, LONG made = DISP_CHANGE_SUCCESSFUL) {
        DisplaySystem().ChangeDisplaySettings = [=, this](DEVMODEA& mode, DWORD flags) {
            calls.push_back({mode, flags});
            return flags == CDS_TEST ? test : made;
        };
        DisplaySystem().Restart = [this] {
            calls.push_back({DEVMODEA{}, 0xFFFFFFFF}); // the restart, in order
            return true;
        };
    }
    struct Call {
        DEVMODEA mode;
        DWORD flags;
    };
    std::vector<Call> calls;
    const DWORD kRestart = 0xFFFFFFFF;
};

// Each button asks the system's own test for its mode at the chosen depth:
// the real system accepts the first three and refuses 1280 x 1024.
TEST_F(DisplayTest, EachButtonTestsItsModeAtTheChosenDepth) {
    std::vector<LONG> answers;
    DisplaySystem().ChangeDisplaySettings = [&](DEVMODEA& mode, DWORD flags) {
        calls.push_back({mode, flags});
        answers.push_back(ChangeDisplaySettingsA(&mode, CDS_TEST));
        return LONG{DISP_CHANGE_BADMODE};
    };
    frmMain& form = Start();
    form.txtCurrentScreenDepth.ListIndex(2); // "16-Bit Color"
    for (rt::CommandButton* b :
         {&form.cmd640x480, &form.cmd800x600, &form.cmd1024x768, &form.cmd1280x1024})
        b->Press();
    const std::pair<DWORD, DWORD> sizes[] = {{640, 480}, {800, 600}, {1024, 768}, {1280, 1024}};
    ASSERT_EQ(calls.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(calls[i].flags, static_cast<DWORD>(CDS_TEST));
        EXPECT_EQ(calls[i].mode.dmFields, static_cast<DWORD>(0x1C0000));
        EXPECT_EQ(calls[i].mode.dmPelsWidth, sizes[i].first);
        EXPECT_EQ(calls[i].mode.dmPelsHeight, sizes[i].second);
        EXPECT_EQ(calls[i].mode.dmBitsPerPel, 16u);
    }
    EXPECT_EQ(answers, (std::vector<LONG>{DISP_CHANGE_SUCCESSFUL, DISP_CHANGE_SUCCESSFUL,
                                          DISP_CHANGE_SUCCESSFUL, DISP_CHANGE_BADMODE}));
    // A depth outside the five is asked for as 16 bits.
    long depth = 15;
    form.ChangeDisplayMode(800, 600, depth);
    EXPECT_EQ(depth, 16);
    EXPECT_EQ(calls.back().mode.dmBitsPerPel, 16u);
}

// A refused mode (the real system: 1280 x 1024 does not fit this desktop) and
// a change that fails after its test both say so and move nothing.
TEST_F(DisplayTest, ARefusedOrFailedModeSaysSoAndMovesNothing) {
    frmMain& form = Start();
    const long left = form.Left(), top = form.Top();
    const std::string wallpaper = WallpaperInForce();
    form.cmd1280x1024.Press();
    Answer(DISP_CHANGE_SUCCESSFUL, DISP_CHANGE_FAILED);
    form.cmd800x600.Press();
    ASSERT_EQ(user.MessageBoxes().size(), 2u);
    for (const auto& box : user.MessageBoxes()) {
        EXPECT_EQ(box.Prompt, "Screen Resolution not supported");
        EXPECT_EQ(box.Title, "  Decorum");
        EXPECT_EQ(box.Style, 4144);
    }
    EXPECT_EQ(form.txtCurrentScreenRes.Text(), "  1024x768");
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
    EXPECT_EQ(form.Left(), left);
    EXPECT_EQ(form.Top(), top);
    EXPECT_EQ(WallpaperInForce(), wallpaper);
}

TEST_F(DisplayTest, ARestartIsAskedForAndTheModeStoredBeforeIt) {
    const std::string question = "You must now reboot your computer.\r\rReboot Now ?";
    Answer(DISP_CHANGE_RESTART, DISP_CHANGE_RESTART);
    frmMain& form = Start();

    user.Answer(rt::vbNo);
    form.cmd800x600.Press();
    ASSERT_EQ(user.MessageBoxes().size(), 1u);
    EXPECT_EQ(user.MessageBoxes()[0].Prompt, question);
    EXPECT_EQ(user.MessageBoxes()[0].Title, "  Decorum");
    EXPECT_EQ(user.MessageBoxes()[0].Style, 4132);
    ASSERT_EQ(calls.size(), 1u); // the test alone: nothing stored, no restart
    EXPECT_TRUE(form.Visible());

    calls.clear();
    user.Answer(rt::vbYes);
    form.cmd800x600.Press();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].flags, static_cast<DWORD>(CDS_TEST));
    EXPECT_EQ(calls[1].flags, static_cast<DWORD>(CDS_UPDATEREGISTRY));
    EXPECT_EQ(calls[1].mode.dmPelsWidth, 800u);
    EXPECT_EQ(calls[2].flags, kRestart);

    // A change that needs a restart after a test that did not: stored once.
    calls.clear();
    Answer(DISP_CHANGE_SUCCESSFUL, DISP_CHANGE_RESTART);
    user.Answer(rt::vbYes);
    form.cmd640x480.Press();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[1].flags, static_cast<DWORD>(CDS_UPDATEREGISTRY));
    EXPECT_EQ(calls[2].flags, kRestart);
    EXPECT_EQ(user.MessageBoxes().back().Prompt, question);
}

TEST_F(DisplayTest, ARealSwitchAndBackRecentresAndReappliesTheWallpaperInForce) {
    rt::test::TempFolder folder;
    const std::string applied = folder / "Applied.bmp", typed = folder / "Typed.bmp";
    testing::WriteBitmap(applied, 8, 8, RGB(10, 20, 30));
    testing::WriteBitmap(typed, 8, 8, RGB(30, 20, 10));
    frmMain& form = Start();
    form.txtWhatToChangeWallpaperTo.Text(applied);
    form.cmdChangeWallpaper.Press();
    form.txtWhatToChangeWallpaperTo.Text(typed); // typed, never applied

    form.cmd800x600.Press();
    ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 800);
    EXPECT_EQ(form.txtCurrentScreenRes.Text(), "  800x600");
    EXPECT_NEAR(form.Left(), (rt::Screen::Width() - form.Width()) / 2, 15);
    EXPECT_NEAR(form.Top(), (rt::Screen::Height() - form.Height()) / 2, 15);
    ASSERT_FALSE(user.MessageBoxes().empty());
    EXPECT_EQ(user.MessageBoxes().back().Prompt, "Screen Resolution changes sucessfully");
    EXPECT_EQ(user.MessageBoxes().back().Style, 4160);
    // Centred again: the wallpaper that was in force, not the typed one.
    EXPECT_EQ(WallpaperInForce(), applied);
    EXPECT_EQ(testing::WinIniDesktop("Wallpaper"), applied);
    EXPECT_EQ(testing::WinIniDesktop("TileWallpaper"), "0");
    EXPECT_EQ(form.txtWhatToChangeWallpaperTo.Text(), typed);

    form.cmd1024x768.Press();
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
    EXPECT_EQ(form.txtCurrentScreenRes.Text(), "  1024x768");
    EXPECT_EQ(user.MessageBoxes().size(), 2u);

    // With Tile chosen the wallpaper is left as it is.
    form.txtWhatToChangeWallpaperTo.Text(applied);
    form.optTile.Value(true);
    const size_t boxes = user.Boxes.size();
    testing::WriteWinIniDesktop("TileWallpaper", "marker");
    form.cmd1024x768.Press();
    EXPECT_EQ(testing::WinIniDesktop("TileWallpaper"), "marker");
    EXPECT_EQ(user.Boxes.size(), boxes + 1);
}

// The resolution box only shows: Tab passes it by, from the controls before it
// to the depth list after it, and round the whole window.
TEST_F(DisplayTest, TabPassesTheResolutionBoxBy) {
    frmMain& form = Start();
    SetForegroundWindow(form.hWnd());
    ASSERT_TRUE(rt::test::WaitFor([&] { return GetForegroundWindow() == form.hWnd(); }, 3000));
    form.cmdPickColor.SetFocus();
    std::vector<HWND> reached;
    for (int i = 0; i < 40; ++i) {
        rt::test::PressKey(GetFocus(), VK_TAB);
        reached.push_back(GetFocus());
    }
    auto reachedIt = [&](const rt::Control& c) {
        return std::count(reached.begin(), reached.end(), c.hWnd()) > 0;
    };
    EXPECT_FALSE(reachedIt(form.txtCurrentScreenRes));
    EXPECT_TRUE(reachedIt(form.txtWhatToChangeWallpaperTo));
    EXPECT_TRUE(reachedIt(form.txtCurrentScreenDepth));
    EXPECT_TRUE(reachedIt(form.cmdPickColor)) << "Tab comes round again";
}

} // namespace
} // namespace decorum
