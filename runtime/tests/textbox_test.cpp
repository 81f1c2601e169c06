// The text box as an editor: the selected text read and replaced, no length
// limit of its own, the mouse-down event, and Enter and Esc in a multi-line
// box struck on the keyboard.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rt/forms.h"
#include "rt/services.h"
#include "test_support.h"

namespace {

using namespace rt::test;

class EditForm : public rt::Form {
  public:
    EditForm() {
        Caption("  Edit");
        ClientSize(6000, 4000);
        Memo.MultiLine(true);
        Memo.ScrollBars(3);
        Memo.Move(120, 120, 5700, 3700);
        Memo.Change = [this] { changes.push_back(Memo.Text()); };
        Memo.MouseDown = [this](int b, int s, float x, float y) {
            downs.push_back({b, s, x, y});
            if (b == rt::vbRightButton) PopupMenu(mnuPop);
        };
        mnuPop.Add({&mnuPopItem});
        mnuPop.Visible(false);
        Menus({&mnuPop});
    }
    rt::TextBox Memo{*this};
    rt::MenuItem mnuPop{"Pop"};
    rt::MenuItem mnuPopItem{"Item"};
    struct Down {
        int button, shift;
        float x, y;
    };
    std::vector<std::string> changes;
    std::vector<Down> downs;
};

using TextBoxEditor = FormFixture<EditForm>;

TEST_F(TextBoxEditor, SelTextReadsAndReplacesTheSelectionAsOneChange) {
    rt::TextBox& t = form.Memo;
    t.Text("one two\r\nthree");
    form.changes.clear();
    EXPECT_EQ(t.SelText(), "");
    t.SelStart(4);
    t.SelLength(3);
    EXPECT_EQ(t.SelText(), "two");
    t.SelText("2\r\n\xC3\xA9");
    EXPECT_EQ(t.Text(), "one 2\r\n\xC3\xA9\r\nthree");
    EXPECT_EQ(form.changes, (std::vector<std::string>{"one 2\r\n\xC3\xA9\r\nthree"}));
    t.SelStart(0);
    t.SelLength(1000); // past the end: up to the end
    EXPECT_EQ(t.SelText(), t.Text());
}

TEST_F(TextBoxEditor, NothingPastedOrTypedIsCutAt32767Characters) {
    rt::TextBox& t = form.Memo;
    std::string big;
    for (int i = 0; big.size() < 100000; ++i) big += "line " + std::to_string(i) + "\r\n";
    rt::Clipboard::SetText(big);
    SendMessageW(t.hWnd(), WM_PASTE, 0, 0);
    EXPECT_EQ(t.Text().size(), big.size());
    t.SelStart(static_cast<int>(big.size()));
    SendMessageW(t.hWnd(), WM_CHAR, L'x', 1);
    EXPECT_EQ(t.Text(), big + "x");
    t.SelText(big);
    EXPECT_EQ(t.Text().size(), 2 * big.size() + 1);
    // A limit set by the program still holds.
    t.Text("");
    t.MaxLength(4);
    SendMessageW(t.hWnd(), WM_PASTE, 0, 0);
    EXPECT_EQ(t.Text(), "line");
}

TEST_F(TextBoxEditor, MouseDownTellsTheButtonAndPositionAndTheProgramsMenuOpens) {
    rt::TextBox& t = form.Memo;
    t.Text("some text");
    SetForegroundWindow(form.hWnd());
    RECT r;
    GetWindowRect(t.hWnd(), &r);
    SetCursorPos(r.left + 30, r.top + 12);
    int menus = 0;
    {
        // Every pop-up menu that opens is counted and closed.
        WhileModal watch([&] {
            HWND popup = FindWindowW(L"#32768", nullptr);
            if (popup && IsWindowVisible(popup)) ++menus, EndMenu();
            return false;
        });
        for (DWORD down : {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_RIGHTDOWN}) {
            INPUT click[2] = {};
            click[0].type = click[1].type = INPUT_MOUSE;
            click[0].mi.dwFlags = down;
            click[1].mi.dwFlags = down << 1; // the matching button-up
            SendInput(2, click, sizeof(INPUT));
            WaitFor([&] { return false; }, 1500);
        }
    }
    ASSERT_EQ(form.downs.size(), 2u);
    EXPECT_EQ(form.downs[0].button, rt::vbLeftButton);
    EXPECT_EQ(form.downs[1].button, rt::vbRightButton);
    EXPECT_NEAR(form.downs[0].x, 30.0f * rt::Screen::TwipsPerPixelX(), 3 * rt::Screen::TwipsPerPixelX());
    EXPECT_EQ(menus, 1) << "the program's menu, and not the control's own after it";
}

// A multi-line box beside a one-line box, with an OK and a Cancel button.
class KeysForm : public rt::Form {
  public:
    KeysForm() {
        Caption("  Keys");
        ClientSize(6000, 3000);
        Memo.MultiLine(true);
        Memo.Move(120, 120, 3000, 1500);
        Line1.Move(120, 1800, 3000, 300);
        cmdOK.Move(3300, 120, 1200, 400);
        cmdOK.Caption("OK");
        cmdOK.Default(true);
        cmdOK.Click = [this] { ++okClicks; };
        cmdCancel.Move(3300, 600, 1200, 400);
        cmdCancel.Caption("Cancel");
        cmdCancel.Cancel(true);
        cmdCancel.Click = [this] { ++cancelClicks; };
    }
    rt::TextBox Memo{*this};
    rt::TextBox Line1{*this};
    rt::CommandButton cmdOK{*this};
    rt::CommandButton cmdCancel{*this};
    int okClicks = 0, cancelClicks = 0;
};

using MultiLineKeys = FormFixture<KeysForm>;

TEST_F(MultiLineKeys, EnterAndEscGoToTheDefaultAndCancelButtonsAndCtrlEnterIsANewLine) {
    form.Memo.Text("abc");
    form.Memo.SetFocus();
    form.Memo.SelStart(3);
    StrikeKey(form.hWnd(), VK_RETURN);
    EXPECT_EQ(form.okClicks, 1);
    EXPECT_EQ(form.Memo.Text(), "abc");
    StrikeKey(form.hWnd(), VK_RETURN, true);
    EXPECT_EQ(form.Memo.Text(), "abc\r\n");
    EXPECT_EQ(form.okClicks, 1);
    StrikeKey(form.hWnd(), VK_ESCAPE);
    EXPECT_EQ(form.cancelClicks, 1);
    EXPECT_EQ(form.Memo.Text(), "abc\r\n");

    // A one-line box: the same two buttons.
    form.Line1.SetFocus();
    StrikeKey(form.hWnd(), VK_ESCAPE);
    StrikeKey(form.hWnd(), VK_RETURN);
    EXPECT_EQ(form.cancelClicks, 2);
    EXPECT_EQ(form.okClicks, 2);

    // A key string sent to the program's own window follows the same rule.
    form.Memo.SetFocus();
    rt::SendKeys("{ENTER}{ESC}");
    EXPECT_EQ(form.okClicks, 3);
    EXPECT_EQ(form.cancelClicks, 3);
    EXPECT_EQ(form.Memo.Text(), "abc\r\n");
}

TEST_F(MultiLineKeys, WithoutThoseButtonsEnterIsANewLineAndEscDoesNothing) {
    form.cmdOK.Default(false);
    form.cmdCancel.Cancel(false);
    form.Memo.SetFocus();
    StrikeKey(form.hWnd(), VK_RETURN);
    StrikeKey(form.hWnd(), VK_RETURN, true);
    EXPECT_EQ(form.Memo.Text(), "\r\n\r\n");
    for (int i = 0; i < 2; ++i) StrikeKey(form.hWnd(), VK_ESCAPE);
    rt::SendKeys("{ESC}");
    // Esc given to the box itself, after it was asked for its keys as a
    // dialog box asks.
    MSG esc{form.Memo.hWnd(), WM_KEYDOWN, VK_ESCAPE, 1, 0, {}};
    SendMessageW(form.Memo.hWnd(), WM_GETDLGCODE, VK_ESCAPE, reinterpret_cast<LPARAM>(&esc));
    SendMessageW(form.Memo.hWnd(), WM_KEYDOWN, VK_ESCAPE, 1);
    WaitFor([] { return false; }, 200);
    ASSERT_NE(form.hWnd(), nullptr) << "the form was closed";
    EXPECT_TRUE(IsWindowVisible(form.hWnd()));
    EXPECT_EQ(form.Memo.Text(), "\r\n\r\n");
    EXPECT_EQ(form.okClicks + form.cancelClicks, 0);
}

TEST_F(MultiLineKeys, ALineBreakThatWouldPassTheLengthLimitIsNotTypedInPart) {
    form.cmdOK.Default(false);
    form.Memo.MaxLength(6);
    form.Memo.Text("A");
    form.Memo.SetFocus();
    form.Memo.SelStart(1);
    for (int i = 0; i < 3; ++i) StrikeKey(form.hWnd(), VK_RETURN);
    EXPECT_EQ(form.Memo.Text(), "A\r\n\r\n");
    StrikeKey(form.hWnd(), VK_RETURN, true);
    EXPECT_EQ(form.Memo.Text(), "A\r\n\r\n");
    // Over a selection it fits.
    form.Memo.SelStart(0);
    form.Memo.SelLength(1);
    StrikeKey(form.hWnd(), VK_RETURN, true);
    EXPECT_EQ(form.Memo.Text(), "\r\n\r\n\r\n");
}

} // namespace
