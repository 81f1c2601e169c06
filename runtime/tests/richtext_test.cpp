// The rich-text box as an editor: change events from typing, pasting and
// code, the selection, no length limit, the mouse-down event after the caret
// has moved, the back colour and the font of the whole text.
#include <windows.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "rt/error.h"
#include "rt/forms.h"
#include "rt/services.h"
#include "test_support.h"

namespace {

using namespace rt::test;

class EditorForm : public rt::Form {
  public:
    EditorForm() {
        Caption("  Editor");
        ClientSize(8280, 6300);
        txtDisplay.Move(105, 105, 8100, 6105);
        txtDisplay.Font(rt::Font{"Courier New", 9.75});
        txtDisplay.Change = [this] { changes.push_back(txtDisplay.Text()); };
    }
    rt::RichTextBox txtDisplay{*this};
    std::vector<std::string> changes; // the text each Change saw
};

using RichText = FormFixture<EditorForm>;

TEST_F(RichText, ChangeFollowsTypingPastingAndCode) {
    rt::RichTextBox& t = form.txtDisplay;
    t.SetFocus();
    rt::SendKeys("abc");
    EXPECT_EQ(t.Text(), "abc");
    EXPECT_EQ(form.changes, (std::vector<std::string>{"a", "ab", "abc"}));

    form.changes.clear();
    t.Text("one\r\ntwo");
    EXPECT_EQ(form.changes, (std::vector<std::string>{"one\r\ntwo"}));

    // Replacing the selection, from code and by the user's paste.
    form.changes.clear();
    t.SelStart(3);
    t.SelText(" 1");
    rt::Clipboard::Clear();
    rt::Clipboard::SetText("!");
    SendMessageW(t.hWnd(), WM_PASTE, 0, 0);
    EXPECT_EQ(form.changes, (std::vector<std::string>{"one 1\r\ntwo", "one 1!\r\ntwo"}));

    // Formatting is no change of the text.
    form.changes.clear();
    t.Font(rt::Font{"Arial", 12, true});
    t.BackColor(0x00C0C0C0);
    EXPECT_TRUE(form.changes.empty());

    // A handler that sets the text itself sees its own change once more.
    form.changes.clear();
    t.Change = [&] {
        form.changes.push_back(t.Text());
        if (t.Text() == "x") t.Text("y");
    };
    t.Text("x");
    EXPECT_EQ(form.changes, (std::vector<std::string>{"x", "y"}));
}

TEST_F(RichText, SelectionReadsAndReplacesWithLineBreaks) {
    rt::RichTextBox& t = form.txtDisplay;
    t.Text("one\r\ntwo\r\nthree\r\n");
    EXPECT_EQ(t.Text(), "one\r\ntwo\r\nthree\r\n"); // the last line break is kept
    t.SelStart(4); // a line break counts as one character
    t.SelLength(3);
    EXPECT_EQ(t.SelText(), "two");
    t.SelStart(2);
    EXPECT_EQ(t.SelLength(), 0);
    t.SelLength(4);
    EXPECT_EQ(t.SelText(), "e\r\ntw"); // a break in the selection reads as CR LF
    t.SelText("E\r\nT");
    EXPECT_EQ(t.Text(), "onE\r\nTo\r\nthree\r\n");
    EXPECT_EQ(t.SelStart(), 5); // the caret stands after what was put in
    EXPECT_EQ(t.SelLength(), 0);

    // Select all the way the editor does it: start 0, the length of the text.
    t.SelStart(0);
    t.SelLength(static_cast<int>(t.Text().size()));
    EXPECT_EQ(t.SelText(), t.Text());
    t.SelLength(1 << 30); // far past the end selects up to the end
    EXPECT_EQ(t.SelText(), t.Text());

    EXPECT_EQ(ErrorOf([&] { t.SelStart(-1); }), 380);
    EXPECT_EQ(ErrorOf([&] { t.SelLength(-1); }), 380);
    t.SelStart(1000); // past the end: the caret goes to the end
    t.SelText("\xc3\xa9");
    EXPECT_EQ(t.Text(), "onE\r\nTo\r\nthree\r\n\xc3\xa9");
}

TEST_F(RichText, NoPasteOrTextIsCut) {
    rt::RichTextBox& t = form.txtDisplay;
    std::string big(100000, 'x');
    for (size_t i = 80; i < big.size(); i += 81) big[i] = '\n';
    t.Text(big);
    t.SelStart(1 << 30);
    rt::Clipboard::Clear();
    rt::Clipboard::SetText(std::string(50000, 'y'));
    SendMessageW(t.hWnd(), WM_PASTE, 0, 0);
    t.SetFocus();
    rt::SendKeys("z");
    std::string text = t.Text();
    EXPECT_EQ(text.size(), 150001 + std::count(big.begin(), big.end(), '\n'));
    EXPECT_EQ(text.substr(text.size() - 3), "yyz");
}

TEST_F(RichText, MouseDownComesAfterTheCaretMoved) {
    rt::RichTextBox& t = form.txtDisplay;
    t.Text("first line\r\nsecond line");
    t.SelStart(0);
    struct Down {
        int button, shift;
        float x, y;
        int caret;
    };
    std::vector<Down> downs;
    t.MouseDown = [&](int b, int s, float x, float y) { downs.push_back({b, s, x, y, t.SelStart()}); };

    // Where the "s" of "second" stands on the screen.
    POINTL at{};
    SendMessageW(t.hWnd(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at), 12);
    LPARAM where = MAKELPARAM(at.x + 1, at.y + 2);
    PostMessageW(t.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, where);
    PostMessageW(t.hWnd(), WM_LBUTTONUP, 0, where);
    PostMessageW(t.hWnd(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(2, 2));
    PostMessageW(t.hWnd(), WM_RBUTTONUP, 0, MAKELPARAM(2, 2));
    rt::DoEvents();
    ASSERT_EQ(downs.size(), 2u);
    EXPECT_EQ(downs[0].button, rt::vbLeftButton);
    EXPECT_EQ(downs[0].caret, 12); // the caret had moved to the press
    EXPECT_FLOAT_EQ(downs[0].x, static_cast<float>((at.x + 1) * 15));
    EXPECT_FLOAT_EQ(downs[0].y, static_cast<float>((at.y + 2) * 15));
    EXPECT_EQ(downs[1].button, rt::vbRightButton);
    EXPECT_EQ(downs[1].shift, 0);
    EXPECT_EQ(downs[1].caret, 12); // the right button moves no caret
}

TEST_F(RichText, BackColorAndFontCoverTheWholeText) {
    rt::RichTextBox& t = form.txtDisplay;
    t.Text("Private Sub Form_Load()\r\nEnd Sub");
    t.BackColor(0x0000FFFF);
    t.Font(rt::Font{"Courier New", 12, true, true});
    rt::DoEvents();
    UpdateWindow(t.hWnd());
    RECT client;
    GetClientRect(t.hWnd(), &client);
    EXPECT_EQ(ShownPixel(t.hWnd(), client.right - 10, client.bottom - 10), RGB(255, 255, 0));
    EXPECT_EQ(t.BackColor(), 0x0000FFFF);

    t.SelStart(0);
    t.SelLength(1 << 30);
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof cf;
    SendMessageW(t.hWnd(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    EXPECT_STREQ(cf.szFaceName, L"Courier New");
    EXPECT_EQ(cf.yHeight, 240);
    EXPECT_TRUE(cf.dwMask & CFM_BOLD);
    EXPECT_TRUE(cf.dwEffects & CFE_BOLD);
    EXPECT_TRUE(cf.dwEffects & CFE_ITALIC);
    // What is typed next takes the font too.
    t.SelStart(1 << 30);
    t.SetFocus();
    rt::SendKeys("x");
    t.SelStart(1 << 30);
    t.SelStart(t.SelStart() - 1);
    t.SelLength(1);
    EXPECT_EQ(t.SelText(), "x");
    SendMessageW(t.hWnd(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    EXPECT_STREQ(cf.szFaceName, L"Courier New");
    EXPECT_EQ(cf.yHeight, 240);
}

} // namespace
