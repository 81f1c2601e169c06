// Check boxes and option buttons as real controls: ticks and selections made
// by clicks, keys and code, the Click events each raises, option groups per
// container, and a Click handler that changes its own box.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "rt/error.h"
#include "rt/forms.h"
#include "rt/scripted_user.h"
#include "test_support.h"

namespace {

using namespace rt::test;

class ChoiceForm : public rt::Form {
  public:
    ChoiceForm() {
        Caption("  Choices");
        ClientSize(6000, 3600);
        chkCase.Move(120, 120, 1800, 255);
        chkCase.Caption("&Ignore case");
        chkCase.Value(rt::vbChecked); // ticked at design time: no event, no window yet
        Text1.Move(120, 500, 1800, 300);
        optTile.Move(120, 1000, 1800, 255);
        optTile.Caption("&Tile");
        optCenter.Move(120, 1300, 1800, 255);
        optCenter.Caption("&Center");
        optCenter.Value(true);
        Frame1.Move(2400, 120, 3000, 1500);
        Frame1.Caption(" Window State ");
        optNormal.Move(150, 300, 2500, 255);
        optNormal.Caption(" Normal");
        optNormal.Value(true);
        optMaximized.Move(150, 600, 2500, 255);
        optMaximized.Caption(" Maximized");
        optMinimized.Move(150, 900, 2500, 255);
        optMinimized.Caption(" Minimized");
        for (auto* o : {&optTile, &optCenter, &optNormal, &optMaximized, &optMinimized})
            o->Click = [this, o] { clicks.push_back(o->Caption() + "=" + (o->Value() ? "1" : "0")); };
        chkCase.Click = [this] { clicks.push_back("case=" + std::to_string(chkCase.Value())); };
    }
    rt::CheckBox chkCase{*this};
    rt::TextBox Text1{*this};
    rt::OptionButton optTile{*this};
    rt::OptionButton optCenter{*this};
    rt::Frame Frame1{*this};
    rt::OptionButton optNormal{Frame1};
    rt::OptionButton optMaximized{Frame1};
    rt::OptionButton optMinimized{Frame1};
    std::vector<std::string> clicks;
};

using Choices = FormFixture<ChoiceForm>;
using Strings = std::vector<std::string>;

bool Checked(const rt::Control& c) { return SendMessageW(c.hWnd(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

TEST_F(Choices, CheckBoxFlipsOnClicksKeysAndCodeWithOneClickEach) {
    rt::CheckBox& chk = form.chkCase;
    EXPECT_EQ(chk.Value(), 1); // the design value reached the window
    EXPECT_TRUE(Checked(chk));
    EXPECT_TRUE(form.clicks.empty());

    SendMessageW(chk.hWnd(), BM_CLICK, 0, 0); // a mouse click
    EXPECT_EQ(chk.Value(), 0);
    EXPECT_EQ(form.clicks, Strings{"case=0"}); // the handler sees the new tick

    chk.SetFocus();
    PostKey(chk.hWnd(), VK_SPACE);
    rt::DoEvents();
    EXPECT_EQ(chk.Value(), 1);

    // The access key, from another control, through the form's dialog keys.
    form.Text1.SetFocus();
    PostMessageW(form.Text1.hWnd(), WM_SYSCHAR, L'i', static_cast<LPARAM>(1) << 29);
    rt::DoEvents();
    EXPECT_EQ(chk.Value(), 0);
    EXPECT_EQ(form.clicks, (Strings{"case=0", "case=1", "case=0"}));

    // Code: Click for a change only; anything but 0 and 1 is refused.
    form.clicks.clear();
    chk.Value(1);
    chk.Value(1);
    EXPECT_TRUE(Checked(chk));
    EXPECT_EQ(ErrorOf([&] { chk.Value(2); }), 380);
    EXPECT_EQ(ErrorOf([&] { chk.Value(-1); }), 380);
    EXPECT_EQ(chk.Value(), 1);
    EXPECT_EQ(form.clicks, Strings{"case=1"});
}

// A handler that clears its own tick when it cannot act: the clearing runs the
// handler again inside itself, and the guard keeps that inner run from acting.
TEST_F(Choices, ClickHandlerThatClearsItsOwnTickActsOnce) {
    rt::ScriptedUser user;
    rt::CheckBox& chk = form.chkCase;
    chk.Value(0);
    int runs = 0;
    chk.Click = [&] {
        ++runs;
        if (chk.Reentered()) return;
        chk.Value(0);
        rt::MsgBox("There is currently no Desktop Wallpaper selected to stretch.", 48,
                   "  No Wallpaper Selected");
    };
    SendMessageW(chk.hWnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(runs, 2); // the user's click, then the clearing
    EXPECT_EQ(user.MessageBoxes().size(), 1u);
    EXPECT_EQ(chk.Value(), 0);
    EXPECT_FALSE(Checked(chk));
    EXPECT_FALSE(chk.Reentered());
}

TEST_F(Choices, OptionGroupsAreTheirContainers) {
    EXPECT_TRUE(form.optCenter.Value());
    EXPECT_TRUE(Checked(form.optCenter));
    EXPECT_TRUE(Checked(form.optNormal));

    // A click in the frame changes the frame's group only.
    SendMessageW(form.optMaximized.hWnd(), BM_CLICK, 0, 0);
    EXPECT_TRUE(form.optMaximized.Value());
    EXPECT_FALSE(form.optNormal.Value());
    EXPECT_FALSE(Checked(form.optNormal));
    EXPECT_TRUE(form.optCenter.Value());
    EXPECT_TRUE(Checked(form.optCenter));
    // Clicking the selected option again raises nothing.
    SendMessageW(form.optMaximized.hWnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(form.clicks, Strings{" Maximized=1"});

    // A click on the form's own group leaves the frame's alone.
    SendMessageW(form.optTile.hWnd(), BM_CLICK, 0, 0);
    EXPECT_TRUE(form.optTile.Value());
    EXPECT_FALSE(form.optCenter.Value());
    EXPECT_FALSE(Checked(form.optCenter));
    EXPECT_TRUE(form.optMaximized.Value());
    EXPECT_TRUE(Checked(form.optMaximized));
    EXPECT_EQ(form.clicks, (Strings{" Maximized=1", "&Tile=1"}));

    // Tab reaches a group at its selected option only.
    auto tabStop = [](rt::Control& c) { return (GetWindowLongW(c.hWnd(), GWL_STYLE) & WS_TABSTOP) != 0; };
    EXPECT_TRUE(tabStop(form.optTile));
    EXPECT_FALSE(tabStop(form.optCenter));
    EXPECT_TRUE(tabStop(form.optMaximized));
    EXPECT_FALSE(tabStop(form.optNormal));
}

// An arrow key as the keyboard gives it: down while its message is handled.
void Arrow(HWND target, WORD vk) {
    BYTE saved[256], state[256];
    GetKeyboardState(saved);
    memcpy(state, saved, sizeof state);
    state[vk] = 0x80;
    SetKeyboardState(state);
    PostMessageW(target, WM_KEYDOWN, vk, 1);
    rt::DoEvents();
    SetKeyboardState(saved);
    PostMessageW(target, WM_KEYUP, vk, static_cast<LPARAM>(static_cast<DWORD>(0xC0000001u)));
    rt::DoEvents();
}

TEST_F(Choices, ArrowKeysMoveTheSelectionWithinTheGroup) {
    form.optNormal.SetFocus();
    Arrow(form.optNormal.hWnd(), VK_DOWN);
    EXPECT_TRUE(form.optMaximized.Value());
    EXPECT_FALSE(form.optNormal.Value());
    EXPECT_EQ(GetFocus(), form.optMaximized.hWnd());
    EXPECT_TRUE(Checked(form.optMaximized));
    EXPECT_TRUE(Checked(form.optCenter)); // the other group is untouched
    Arrow(form.optMaximized.hWnd(), VK_DOWN);
    Arrow(form.optMinimized.hWnd(), VK_UP);
    EXPECT_EQ(GetFocus(), form.optMaximized.hWnd());
    EXPECT_TRUE(Checked(form.optMaximized));
    EXPECT_FALSE(Checked(form.optMinimized));
    EXPECT_FALSE(Checked(form.optNormal));
    EXPECT_EQ(form.clicks, (Strings{" Maximized=1", " Minimized=1", " Maximized=1"}));
    EXPECT_TRUE(Checked(form.optCenter));

    // Tab and focus set by code select nothing.
    form.optMinimized.SetFocus();
    EXPECT_FALSE(form.optMinimized.Value());
}

// An option that clears itself and shows a real box: when the box closes, the
// form gives the focus back to the option, which does not select it again.
TEST_F(Choices, OptionThatClearsItselfIsNotSelectedAgainByTheFocus) {
    RealUser real;
    int boxes = 0;
    form.optTile.Click = [&] {
        form.clicks.push_back("tile");
        form.optTile.Value(false);
        if (boxes < 3) rt::MsgBox("There is currently no Desktop Wallpaper selected to tile.", 48);
    };
    WhileModal answer([&] {
        if (HWND box = FindShownDialog()) {
            ++boxes;
            PressButton(box, IDOK);
        }
        return false;
    });
    SendMessageW(form.optTile.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(form.optTile.hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    for (int i = 0; i < 10; ++i) {
        rt::DoEvents();
        Sleep(60);
    }
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(form.clicks, Strings{"tile"});
    EXPECT_FALSE(Checked(form.optTile));
}

TEST_F(Choices, OptionValueFromCode) {
    // True raises Click and clears the others of the group without events.
    form.optMinimized.Value(true);
    EXPECT_TRUE(Checked(form.optMinimized));
    EXPECT_FALSE(form.optNormal.Value());
    EXPECT_FALSE(Checked(form.optNormal));
    EXPECT_EQ(form.clicks, Strings{" Minimized=1"});

    // Selecting the selected one again raises nothing; deselecting and
    // selecting again raises Click once (a way to re-run its handler).
    form.clicks.clear();
    form.optCenter.Value(true);
    EXPECT_TRUE(form.clicks.empty());
    form.optCenter.Value(false);
    EXPECT_FALSE(Checked(form.optCenter));
    EXPECT_FALSE(form.optTile.Value()); // nothing selected in that group now
    form.optCenter.Value(true);
    EXPECT_EQ(form.clicks, Strings{"&Center=1"});
}

} // namespace
