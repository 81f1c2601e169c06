// Combo boxes as real windows: entries, the typed text and the chosen entry
// as the user and the code change them, and the drop-down list's choices.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rt/error.h"
#include "rt/forms.h"
#include "rt/services.h"
#include "test_support.h"

namespace {

using namespace rt::test;

class ComboForm : public rt::Form {
  public:
    ComboForm() {
        Caption("  Combos");
        ClientSize(7000, 3000);
        cboClass.Move(105, 315, 3060, 315);
        cboClass.Sorted(true);
        cboClass.ToolTipText("Select / type the window's class name to locate it");
        cboDepth.Move(3600, 315, 1275, 315);
        cboDepth.Style(rt::vbComboDropdownList);
        cmdOK.Move(105, 2000, 1200, 400);
        cmdOK.Caption("OK");
        cboClass.Change = [this] { changes.push_back(cboClass.Text()); };
        cboClass.Click = [this] { clicks.push_back(cboClass.Text()); };
        cboDepth.Click = [this] { depthClicks.push_back(cboDepth.Text()); };
    }
    rt::ComboBox cboClass{*this};
    rt::ComboBox cboDepth{*this};
    rt::CommandButton cmdOK{*this};
    std::vector<std::string> changes, clicks, depthClicks;
};

using Combos = FormFixture<ComboForm>;

std::string EditText(const rt::ComboBox& c) {
    return WindowText(GetWindow(c.hWnd(), GW_CHILD));
}

TEST_F(Combos, EntriesSortedWithItemDataAndIndexChecks) {
    rt::ComboBox& c = form.cboClass;
    for (const char* name : {"Shell_TrayWnd", "Button", "progman", "Edit"}) c.AddItem(name);
    ASSERT_EQ(c.ListCount(), 4);
    EXPECT_EQ(c.List(0), "Button");
    EXPECT_EQ(c.List(1), "Edit");
    EXPECT_EQ(c.List(2), "progman"); // case is ignored in the order
    EXPECT_EQ(c.List(3), "Shell_TrayWnd");
    EXPECT_EQ(c.List(-1), "");
    EXPECT_EQ(ErrorOf([&] { c.List(4); }), 381);
    EXPECT_EQ(ErrorOf([&] { c.List(-2); }), 381);
    c.ItemData(2, 77);
    EXPECT_EQ(c.ItemData(2), 77);
    EXPECT_EQ(ErrorOf([&] { c.ListIndex(4); }), 380);
    EXPECT_EQ(c.ListIndex(), -1);

    // An unsorted list keeps the order of adding and honours the index.
    rt::ComboBox& d = form.cboDepth;
    d.AddItem("16-Bit Color");
    d.AddItem("16 Colors", 0);
    EXPECT_EQ(d.List(0), "16 Colors");
    EXPECT_EQ(ErrorOf([&] { d.AddItem("x", 5); }), 5);
    d.RemoveItem(0);
    EXPECT_EQ(d.List(0), "16-Bit Color");
    c.Clear();
    EXPECT_EQ(c.ListCount(), 0);
}

TEST_F(Combos, TextFromCodeAndTypingRaisesChangeOnly) {
    rt::ComboBox& c = form.cboClass;
    c.AddItem("Button");
    c.Text("Shell_TrayWnd");
    EXPECT_EQ(c.Text(), "Shell_TrayWnd");
    EXPECT_EQ(form.changes, std::vector<std::string>{"Shell_TrayWnd"});

    // The user types into the edit field: a change per keystroke.
    form.changes.clear();
    c.Text("");
    form.changes.clear();
    c.SetFocus();
    rt::SendKeys("Ed");
    EXPECT_EQ(form.changes, (std::vector<std::string>{"E", "Ed"}));
    EXPECT_EQ(EditText(c), "Ed");
    EXPECT_TRUE(form.clicks.empty());

    // A handler that writes the text again re-enters once.
    form.changes.clear();
    c.Change = [&] {
        form.changes.push_back(c.Text());
        if (c.Text() != "fixed") c.Text("fixed");
    };
    c.Text("x");
    EXPECT_EQ(form.changes, (std::vector<std::string>{"x", "fixed"}));
}

TEST_F(Combos, ChoosingAnEntryClicksWithItsTextAlreadyShown) {
    rt::ComboBox& c = form.cboClass;
    for (const char* name : {"Alpha", "Beta", "Gamma"}) c.AddItem(name);
    c.Text("typed");
    form.changes.clear();

    // The user opens the list and moves down to the second entry.
    c.SetFocus();
    rt::SendKeys("{F4}");
    ASSERT_TRUE(SendMessageW(c.hWnd(), CB_GETDROPPEDSTATE, 0, 0));
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(c.hWnd(), &info));
    RECT open;
    GetWindowRect(info.hwndList, &open);
    int itemHeight = static_cast<int>(SendMessageW(c.hWnd(), CB_GETITEMHEIGHT, 0, 0));
    EXPECT_GE(open.bottom - open.top, 3 * itemHeight); // the open list shows every entry
    rt::SendKeys("{DOWN}{DOWN}{ENTER}");
    rt::DoEvents();
    EXPECT_FALSE(SendMessageW(c.hWnd(), CB_GETDROPPEDSTATE, 0, 0));
    ASSERT_FALSE(form.clicks.empty());
    EXPECT_EQ(form.clicks.back(), "Beta"); // read inside the handler
    EXPECT_EQ(c.Text(), "Beta");
    EXPECT_EQ(c.ListIndex(), 1);
    EXPECT_TRUE(form.changes.empty()); // choosing is no typing

    // A click on an entry of the open list.
    form.clicks.clear();
    SendMessageW(c.hWnd(), CB_SHOWDROPDOWN, TRUE, 0);
    RECT item;
    SendMessageW(info.hwndList, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
    LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    SendMessageW(info.hwndList, WM_MOUSEMOVE, 0, at);
    SendMessageW(info.hwndList, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(info.hwndList, WM_LBUTTONUP, 0, at);
    rt::DoEvents();
    ASSERT_FALSE(form.clicks.empty());
    EXPECT_EQ(form.clicks.back(), "Gamma");
    EXPECT_EQ(c.Text(), "Gamma");

    // Code choosing an entry is reported as a click too.
    form.clicks.clear();
    c.ListIndex(0);
    EXPECT_EQ(form.clicks, std::vector<std::string>{"Alpha"});
}

TEST_F(Combos, ToolTipCoversTheEditField) {
    HWND tip = form.ToolTip();
    ASSERT_TRUE(tip);
    HWND edit = GetWindow(form.cboClass.hWnd(), GW_CHILD);
    ASSERT_TRUE(edit);
    for (HWND part : {form.cboClass.hWnd(), edit}) {
        wchar_t text[128] = L"";
        TOOLINFOW info{};
        info.cbSize = TTTOOLINFOW_V2_SIZE;
        info.hwnd = form.hWnd();
        info.uId = reinterpret_cast<UINT_PTR>(part);
        info.lpszText = text;
        EXPECT_TRUE(SendMessageW(tip, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&info)) ||
                    text[0]);
        EXPECT_STREQ(text, L"Select / type the window's class name to locate it");
    }
}

TEST_F(Combos, DropDownListChoosesByTextOrRefuses) {
    rt::ComboBox& d = form.cboDepth;
    const char* names[] = {"16 Colors", "256 Colors", "16-Bit Color", "24-Bit Color", "32-Bit Color"};
    long bits[] = {4, 8, 16, 24, 32};
    for (int i = 0; i < 5; ++i) {
        d.AddItem(names[i]);
        d.ItemData(i, bits[i]);
    }
    d.Text("24-Bit Color");
    EXPECT_EQ(d.ListIndex(), 3);
    EXPECT_EQ(d.ItemData(d.ListIndex()), 24);
    EXPECT_EQ(form.depthClicks, std::vector<std::string>{"24-Bit Color"});
    EXPECT_EQ(ErrorOf([&] { d.Text("12-Bit Color"); }), 383);
    EXPECT_EQ(d.Text(), "24-Bit Color");

    // The user goes up one entry with the list closed.
    d.SetFocus();
    rt::SendKeys("{UP}");
    EXPECT_EQ(form.depthClicks.back(), "16-Bit Color");
    EXPECT_EQ(d.ItemData(d.ListIndex()), 16);
    EXPECT_TRUE(form.changes.empty());
}

TEST(ComboDesign, EntriesAndChoiceMadeBeforeLoadAppear) {
    ComboForm f;
    f.cboDepth.AddItem("16 Colors");
    f.cboDepth.AddItem("256 Colors");
    f.cboDepth.ItemData(1, 8);
    f.cboDepth.ListIndex(1);
    f.cboClass.Text("Edit");
    f.Load();
    EXPECT_EQ(f.cboDepth.ListCount(), 2);
    EXPECT_EQ(f.cboDepth.Text(), "256 Colors");
    EXPECT_EQ(f.cboDepth.ItemData(1), 8);
    EXPECT_EQ(f.cboClass.Text(), "Edit");
    EXPECT_TRUE(f.changes.empty()); // the design text is no change
    EXPECT_EQ(ErrorOf([&] { f.cboDepth.Style(rt::vbComboDropdown); }), 382);
    f.Unload();
}

} // namespace
