// Forms as real windows: geometry in twips, modal showing with the scripted
// user, unloading and its cancel, single instances, menus and shortcut keys.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rt/error.h"
#include "rt/forms.h"
#include "rt/scripted_user.h"
#include "rt/services.h"
#include "test_support.h"

namespace {

using namespace rt::test;

// Where a window is on the screen, in pixels: "left,top widthxheight",
// less the given origin.
std::string ScreenBox(HWND h, POINT origin = {0, 0}) {
    RECT r{};
    GetWindowRect(h, &r);
    return std::to_string(r.left - origin.x) + "," + std::to_string(r.top - origin.y) + " " +
           std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
}

class PlainForm : public rt::Form {
  public:
    explicit PlainForm(const std::string& caption = "  Plain Form") {
        Caption(caption);
        ClientSize(6000, 3000);
    }
    rt::CommandButton cmdOK{*this};
    int loads = 0, resizes = 0, unloads = 0;
    int cancelQuery = 0, cancelUnload = 0;
    std::vector<int> queryModes;

  protected:
    void Form_Load() override { ++loads; }
    void Form_Resize() override { ++resizes; }
    void Form_QueryUnload(int& Cancel, int UnloadMode) override {
        queryModes.push_back(UnloadMode);
        Cancel = cancelQuery;
    }
    void Form_Unload(int& Cancel) override {
        ++unloads;
        Cancel = cancelUnload;
    }
};

TEST(FormGeometry, CentredStartOuterAndInnerSizesInTwipsAndResizes) {
    PlainForm f;
    f.StartUpPosition(rt::vbStartUpScreen);
    rt::MenuItem file{"&File"}, fileExit{"E&xit"};
    file.Add({&fileExit});
    f.Menus({&file});
    f.ClientSize(6000, 3000); // the menu bar makes the outer size taller
    long designW = f.Width(), designH = f.Height();
    EXPECT_GT(designW, 6000);
    EXPECT_GT(designH, 3000);

    f.Show();
    rt::DoEvents();
    EXPECT_EQ(f.ScaleWidth(), 6000);
    EXPECT_EQ(f.ScaleHeight(), 3000);
    EXPECT_EQ(f.Width(), designW);
    EXPECT_EQ(f.Height(), designH);
    RECT r{};
    GetWindowRect(f.hWnd(), &r);
    EXPECT_NEAR((r.left + r.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((r.top + r.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
    EXPECT_EQ(f.loads, 1);
    EXPECT_GE(f.resizes, 1);
    const int resizes = f.resizes;

    f.Move(1500, 750, 7500, 4500);
    EXPECT_GT(f.resizes, resizes);
    EXPECT_EQ(ScreenBox(f.hWnd()), "100,50 500x300");
    EXPECT_EQ(f.Width(), 7500);
    EXPECT_LT(f.ScaleHeight(), 4500);

    // Setting the inner size again on the live window keeps the round trip.
    f.ClientSize(4500, 1500);
    EXPECT_EQ(f.ScaleWidth(), 4500);
    EXPECT_EQ(f.ScaleHeight(), 1500);

    // Controls are placed in twips relative to the form's client area.
    f.cmdOK.Move(300, 150, 1500, 450);
    POINT origin{0, 0};
    ClientToScreen(f.hWnd(), &origin);
    EXPECT_EQ(ScreenBox(f.cmdOK.hWnd(), origin), "20,10 100x30");

    EXPECT_EQ(ErrorOf([&] { f.cmdOK.Width(-1); }), 380);
    EXPECT_EQ(f.cmdOK.Width(), 1500);
    f.Unload();
}

// A form that notes the size its resize handler lays out from.
class LayingOutForm : public PlainForm {
  public:
    std::string laidOut;

  protected:
    void Form_Resize() override {
        laidOut = std::to_string(Width()) + "x" + std::to_string(Height());
    }
};

TEST(FormGeometry, MaximisedTheFormGivesItsRealPlaceMinimisedItsRestoredOne) {
    LayingOutForm f;
    f.Show();
    f.Move(1500, 750, 7500, 4500);
    rt::DoEvents();
    const long tppX = rt::Screen::TwipsPerPixelX(), tppY = rt::Screen::TwipsPerPixelY();
    const auto place = [&] {
        return std::to_string(f.Left()) + "," + std::to_string(f.Top()) + " " +
               std::to_string(f.Width()) + "x" + std::to_string(f.Height());
    };
    const auto real = [&] {
        RECT r{};
        GetWindowRect(f.hWnd(), &r);
        return std::to_string(r.left * tppX) + "," + std::to_string(r.top * tppY) + " " +
               std::to_string((r.right - r.left) * tppX) + "x" +
               std::to_string((r.bottom - r.top) * tppY);
    };
    const std::string normal = place();
    const rt::FormPlace kept{1500, 750, 7500, 4500};
    EXPECT_EQ(normal, "1500,750 7500x4500");
    EXPECT_EQ(f.RestoredPlace(), kept);
    // By the title bar's buttons, as the user does, and by code.
    for (bool byCode : {false, true}) {
        SCOPED_TRACE(byCode ? "by code" : "by the title bar");
        if (byCode)
            f.WindowState(rt::vbMaximized);
        else
            SendMessageW(f.hWnd(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
        rt::DoEvents();
        EXPECT_EQ(f.WindowState(), rt::vbMaximized);
        EXPECT_EQ(place(), real());
        EXPECT_GT(f.Width(), 7500);
        EXPECT_EQ(f.laidOut, std::to_string(f.Width()) + "x" + std::to_string(f.Height()));
        EXPECT_EQ(f.RestoredPlace(), kept);
        // Code that sets the size of the maximised window is refused; the
        // window stays as it is.
        const std::string maximised = place();
        EXPECT_EQ(rt::test::ErrorOf([&] { f.Height(3000); }), 384);
        EXPECT_EQ(place(), maximised);
        f.WindowState(rt::vbNormal_);
        rt::DoEvents();
        EXPECT_EQ(place(), normal);
        EXPECT_EQ(f.laidOut, "7500x4500");
    }
    SendMessageW(f.hWnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    rt::DoEvents();
    EXPECT_EQ(f.WindowState(), rt::vbMinimized);
    EXPECT_EQ(place(), normal);
    EXPECT_EQ(f.RestoredPlace(), kept);
    f.WindowState(rt::vbNormal_);
    f.WindowState(rt::vbMinimized);
    f.Hide(); // as a program that goes to the notification area
    EXPECT_EQ(place(), normal);
    f.WindowState(rt::vbNormal_);
    f.Show();
    rt::DoEvents();
    EXPECT_EQ(ScreenBox(f.hWnd()), "100,50 500x300");
    f.Unload();
}

// The kept places themselves are tried through the programs; here, a size
// of zero that code replaced before the place is checked is no longer asked
// for, while the other one still is, though the window got its smallest size.
TEST(FormGeometry, PlaceOnScreenGivesTheDesignSizeOnlyForASizeOfZeroStillAskedFor) {
    PlainForm f;
    f.Load();
    const long designH = f.Height();
    f.Move(1500, 1200, 0, 0);
    f.Width(9000);
    f.Left(1500); // passes on the height the window has now
    f.PlaceOnScreen();
    EXPECT_EQ(f.Width(), 9000);
    EXPECT_EQ(f.Height(), designH);
    f.Unload();
}

TEST(FormLifecycle, UnloadCancelKeepsTheFormAndCloseBoxGivesMode0) {
    PlainForm f, other("  Other");
    other.Load();
    f.Show();
    EXPECT_EQ(rt::Forms(), (std::vector<rt::Form*>{&other, &f})); // in load order
    f.cancelUnload = 1;
    EXPECT_FALSE(f.Unload());
    EXPECT_TRUE(f.Loaded());
    EXPECT_TRUE(IsWindow(f.hWnd()));

    f.cancelUnload = 0;
    f.cancelQuery = 1;
    SendMessageW(f.hWnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(f.Loaded());
    ASSERT_EQ(f.queryModes.size(), 2u);
    EXPECT_EQ(f.queryModes[0], 1); // from code
    EXPECT_EQ(f.queryModes[1], 0); // the title bar's close

    f.cancelQuery = 0;
    HWND old = f.hWnd();
    SendMessageW(old, WM_CLOSE, 0, 0);
    EXPECT_FALSE(f.Loaded());
    EXPECT_FALSE(IsWindow(old));
    EXPECT_EQ(f.cmdOK.hWnd(), nullptr);
    EXPECT_EQ(rt::Forms(), std::vector<rt::Form*>{&other});

    // Loading again builds a fresh window and runs Form_Load again.
    f.Show();
    EXPECT_TRUE(f.Loaded());
    EXPECT_NE(f.cmdOK.hWnd(), nullptr);
    EXPECT_EQ(f.loads, 2);
    f.Unload();
    other.Unload();
    EXPECT_TRUE(rt::Forms().empty());
}

TEST(ModalForm, RunsWithTheOwnerDisabledAndIsUnloadedAfter) {
    rt::ScriptedUser user;
    PlainForm owner("  Owner"), dialog("  Dialog");
    owner.Show();
    bool ownerEnabledDuring = true, dialogVisible = false;
    user.OnModal([&](rt::Form& f) {
        ownerEnabledDuring = IsWindowEnabled(owner.hWnd()) != FALSE;
        dialogVisible = f.Visible() && &f == &dialog;
    });
    dialog.Show(rt::vbModal);
    EXPECT_TRUE(dialogVisible);
    EXPECT_FALSE(ownerEnabledDuring);
    EXPECT_TRUE(IsWindowEnabled(owner.hWnd()));
    EXPECT_FALSE(dialog.Loaded());

    // A handler that closes the form itself; then none queued at all.
    user.OnModal([](rt::Form& f) { f.Unload(); });
    dialog.Show(rt::vbModal);
    dialog.Show(rt::vbModal);
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_EQ(dialog.unloads, 3);
    EXPECT_EQ(user.Unanswered, 1);
    ASSERT_EQ(user.Boxes.size(), 3u);
    EXPECT_EQ(user.Boxes[0].What, rt::ScriptedUser::Kind::ModalForm);
    EXPECT_EQ(user.Boxes[0].Prompt, "  Dialog");

    // A modal form that refuses to unload and is hidden ends its loop too.
    dialog.cancelQuery = 1;
    user.OnModal([](rt::Form& f) { f.Hide(); });
    dialog.Show(rt::vbModal);
    EXPECT_TRUE(dialog.Loaded());
    EXPECT_FALSE(dialog.Visible());
    EXPECT_TRUE(IsWindowEnabled(owner.hWnd()));
    dialog.cancelQuery = 0;
    dialog.Unload();
    owner.Unload();
}

class frmSingle : public rt::Form, public rt::FormOf<frmSingle> {
  public:
    frmSingle() {
        Caption("  Single");
        ++alive;
        cmdClose.Click = [this] {
            Unload();
            rt::DoEvents(); // still inside the handler: the form must live on
            survivedOwnHandler = alive > 0 && Caption() == "  Changed";
        };
    }
    ~frmSingle() override { --alive; }
    rt::CommandButton cmdClose{*this};
    static inline int alive = 0;
    static inline bool survivedOwnHandler = false;
};

TEST(SingleInstance, RecreatedWithItsDesignStateAfterUnload) {
    frmSingle& first = frmSingle::Get();
    EXPECT_EQ(&frmSingle::Get(), &first);
    first.Show();
    first.Caption("  Changed");
    EXPECT_TRUE(frmSingle::Exists());

    // Unloaded by its own button: deleted only once no handler of it runs.
    SendMessageW(first.hWnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(first.cmdClose.hWnd()), BN_CLICKED),
                 reinterpret_cast<LPARAM>(first.cmdClose.hWnd()));
    EXPECT_TRUE(frmSingle::survivedOwnHandler);
    EXPECT_FALSE(frmSingle::Exists());
    rt::DoEvents();
    EXPECT_EQ(frmSingle::alive, 0);

    frmSingle& second = frmSingle::Get();
    EXPECT_EQ(second.Caption(), "  Single");
    EXPECT_FALSE(second.Loaded());
    second.Load();
    second.Unload();
    rt::DoEvents();
    EXPECT_EQ(frmSingle::alive, 0);
}

// ---------------------------------------------------------------------------
// Menus

class MenuForm : public rt::Form {
  public:
    MenuForm() {
        Caption("  Menus");
        mnuFile.Add({&mnuFileList, &mnuFileBlank, &mnuFileExit});
        mnuOptions.Add({&mnuOptionsCopy, &mnuOptionsDel});
        mnuPop.Add({&mnuPopCopy});
        mnuPop.Visible(false);
        Menus({&mnuFile, &mnuOptions, &mnuPop});
        mnuFileList.Click = [this] { ++listClicks; };
        mnuOptionsCopy.Click = [this] { ++copyClicks; };
        mnuOptionsDel.Click = [this] { ++delClicks; };
    }
    rt::MenuItem mnuFile{"&File"}, mnuFileList{"&List", rt::ShortcutCtrl('L')},
        mnuFileBlank{"-"}, mnuFileExit{"E&xit"};
    rt::MenuItem mnuOptions{"&Options"}, mnuOptionsCopy{"&Copy", rt::ShortcutF(2), true},
        mnuOptionsDel{"Remove", rt::kShortcutDel};
    rt::MenuItem mnuPop{"mnuPop"}, mnuPopCopy{"&Copy"};
    int listClicks = 0, copyClicks = 0, delClicks = 0;
};

std::wstring MenuString(HMENU menu, UINT id, UINT flag = MF_BYCOMMAND) {
    wchar_t buf[128] = {};
    GetMenuStringW(menu, id, buf, 128, flag);
    return buf;
}

using Menus = FormFixture<MenuForm>;

TEST_F(Menus, StateIsKeptOnTheRealMenu) {
    EXPECT_EQ(rt::ShortcutText(rt::ShortcutCtrl('A')), "Ctrl+A");
    EXPECT_EQ(rt::ShortcutText(rt::ShortcutF(12)), "F12");
    EXPECT_EQ(rt::ShortcutText(rt::kShortcutDel), "Del");

    MenuForm& f = form;
    HMENU bar = GetMenu(f.hWnd());
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(GetMenuItemCount(bar), 2); // the hidden pop-up is not on the bar
    EXPECT_EQ(MenuString(bar, 0, MF_BYPOSITION), L"&File");
    EXPECT_EQ(MenuString(bar, f.mnuFileList.Id()), L"&List\tCtrl+L");
    HMENU fileMenu = GetSubMenu(bar, 0);
    EXPECT_TRUE(GetMenuState(fileMenu, 1, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_TRUE(GetMenuState(bar, f.mnuOptionsCopy.Id(), MF_BYCOMMAND) & MF_CHECKED);

    f.mnuOptionsCopy.Checked(false);
    f.mnuFileList.Enabled(false);
    f.mnuFileExit.Caption("&Quit");
    EXPECT_FALSE(GetMenuState(bar, f.mnuOptionsCopy.Id(), MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(GetMenuState(bar, f.mnuFileList.Id(), MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_EQ(MenuString(bar, f.mnuFileExit.Id()), L"&Quit");

    // Hiding a bar menu rebuilds the bar without it; showing it brings it back
    // with the state it had.
    f.mnuFile.Visible(false);
    bar = GetMenu(f.hWnd());
    EXPECT_EQ(GetMenuItemCount(bar), 1);
    EXPECT_EQ(MenuString(bar, 0, MF_BYPOSITION), L"&Options");
    f.mnuFile.Visible(true);
    bar = GetMenu(f.hWnd());
    EXPECT_EQ(GetMenuItemCount(bar), 2);
    EXPECT_TRUE(GetMenuState(bar, f.mnuFileList.Id(), MF_BYCOMMAND) & MF_GRAYED);
    f.mnuFileExit.Visible(false);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(GetMenu(f.hWnd()), 0)), 2);
}

TEST_F(Menus, ShortcutKeysRunTheItemsClick) {
    MenuForm& f = form;
    PressKey(f.hWnd(), 'L', true);
    EXPECT_EQ(f.listClicks, 1);
    PressKey(f.hWnd(), 'L'); // without Ctrl it is no shortcut
    EXPECT_EQ(f.listClicks, 1);
    PressKey(f.hWnd(), VK_F2);
    EXPECT_EQ(f.copyClicks, 1);
    PressKey(f.hWnd(), VK_DELETE);
    EXPECT_EQ(f.delClicks, 1);

    f.mnuFileList.Enabled(false);
    PressKey(f.hWnd(), 'L', true);
    EXPECT_EQ(f.listClicks, 1);
    f.mnuOptions.Visible(false); // hidden menu: its shortcuts are gone
    PressKey(f.hWnd(), VK_F2);
    EXPECT_EQ(f.copyClicks, 1);
}

TEST_F(Menus, PopupMenuRunsTheChosenItem) {
    MenuForm& f = form;
    int popClicks = 0;
    f.mnuPopCopy.Click = [&] { ++popClicks; };
    // The menu's own loop picks up the keys: the first entry, chosen.
    WhileModal keys([&] {
        PostMessageW(f.hWnd(), WM_KEYDOWN, VK_DOWN, 1);
        PostMessageW(f.hWnd(), WM_KEYDOWN, VK_RETURN, 1);
        return true;
    });
    f.PopupMenu(f.mnuPop);
    EXPECT_EQ(popClicks, 1);
}

} // namespace
