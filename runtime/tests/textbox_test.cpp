// The text box as an editor: the selected text read and replaced, no length
// limit of its own, and the mouse-down event.
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

} // namespace
