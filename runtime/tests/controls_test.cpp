// Controls as real child windows: list boxes, text boxes, labels, buttons
// pressed by Enter and Esc, frames, the picture box's drawing and refresh,
// the rich-text box and key strings sent to the focused control.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "rt/error.h"
#include "rt/forms.h"
#include "rt/services.h"
#include "test_support.h"

namespace {

using namespace rt::test;

class ControlsForm : public rt::Form {
  public:
    ControlsForm() {
        Caption("  Controls");
        ClientSize(9000, 6000);
        Display.Move(120, 120, 4500, 3000);
        Text1.Move(4800, 120, 2000, 300);
        Memo.Move(4800, 600, 2000, 900);
        Memo.MultiLine(true);
        lblInfo.Move(120, 3300, 600, 255);
        cmdOK.Move(4800, 1700, 1200, 400);
        cmdOK.Caption("&OK");
        cmdOK.Default(true);
        cmdCancel.Move(6200, 1700, 1200, 400);
        cmdCancel.Caption("Cancel");
        cmdCancel.Cancel(true);
        Frame1.Move(4800, 2300, 3000, 1500);
        Frame1.Caption("Group");
        cmdInFrame.Move(150, 400, 1200, 400);
        Progress.Move(120, 4000, 4740, 285);
        Progress.BorderStyle(0);
        Display.Click = [this] { ++clicks; };
        Display.DblClick = [this] { ++dblClicks; };
        Display.MouseDown = [this](int b, int s, float x, float y) {
            lastButton = b, lastShift = s, lastX = x, lastY = y;
        };
        cmdOK.Click = [this] { ++okClicks; };
        cmdCancel.Click = [this] { ++cancelClicks; };
        cmdInFrame.Click = [this] { ++frameClicks; };
    }
    rt::ListBox Display{*this};
    rt::TextBox Text1{*this};
    rt::TextBox Memo{*this};
    rt::Label lblInfo{*this};
    rt::CommandButton cmdOK{*this};
    rt::CommandButton cmdCancel{*this};
    rt::Frame Frame1{*this};
    rt::CommandButton cmdInFrame{Frame1};
    rt::PictureBox Progress{*this};
    int clicks = 0, dblClicks = 0, okClicks = 0, cancelClicks = 0, frameClicks = 0;
    int lastButton = 0, lastShift = -1;
    float lastX = 0, lastY = 0;
};

using Controls = FormFixture<ControlsForm>;

TEST_F(Controls, ListBoxItemsIndexAndErrors) {
    rt::ListBox& l = form.Display;
    EXPECT_EQ(l.ListIndex(), -1);
    EXPECT_EQ(l.Text(), "");
    l.AddItem("alpha");
    l.AddItem("gamma");
    l.AddItem("beta", 1);
    l.AddItem(std::string("nul\0hidden", 10));
    ASSERT_EQ(l.ListCount(), 4);
    rt::DoEvents(); // entries added in a burst are drawn once the program yields
    EXPECT_TRUE(IsWindowVisible(l.hWnd()));
    EXPECT_EQ(l.List(1), "beta");
    EXPECT_EQ(l.List(3), "nul"); // the entry shows up to the NUL
    EXPECT_EQ(ErrorOf([&] { l.List(4); }), 381);
    EXPECT_EQ(l.List(-1), ""); // no entry selected reads as empty

    l.ListIndex(2);
    EXPECT_EQ(form.clicks, 1); // set by code, reported as a click
    EXPECT_EQ(l.Text(), "gamma");
    EXPECT_TRUE(l.Selected(2));
    EXPECT_FALSE(l.Selected(0));

    l.RemoveItem(0);
    EXPECT_EQ(l.ListCount(), 3);
    EXPECT_EQ(l.List(0), "beta");
    l.Clear();
    EXPECT_EQ(l.ListCount(), 0);
    EXPECT_EQ(l.ListIndex(), -1);

    // Notifications from the list box reach the slots.
    HWND h = l.hWnd();
    SendMessageW(form.hWnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(h));
    EXPECT_EQ(form.dblClicks, 1);
    SendMessageW(form.hWnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(h));
    EXPECT_EQ(form.clicks, 2);
}

TEST_F(Controls, ListBoxMouseDownGivesButtonShiftAndTwips) {
    form.Display.AddItem("one");
    SendMessageW(form.Display.hWnd(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 4));
    SendMessageW(form.Display.hWnd(), WM_RBUTTONUP, 0, MAKELPARAM(10, 4));
    EXPECT_EQ(form.lastButton, rt::vbRightButton);
    EXPECT_EQ(form.lastShift, 0);
    EXPECT_FLOAT_EQ(form.lastX, 150.0f);
    EXPECT_FLOAT_EQ(form.lastY, 60.0f);
    EXPECT_EQ(form.Display.ListIndex(), -1); // the right button does not select
}

TEST_F(Controls, ListBoxColumnsKeepItemsAndWidth) {
    for (int i = 0; i < 40; ++i) form.Display.AddItem("item " + std::to_string(i));
    form.Display.ListIndex(5);
    form.Display.Columns(3);
    HWND h = form.Display.hWnd();
    EXPECT_TRUE(GetWindowLongW(h, GWL_STYLE) & LBS_MULTICOLUMN);
    EXPECT_EQ(form.Display.ListCount(), 40);
    EXPECT_EQ(form.Display.List(39), "item 39");
    EXPECT_EQ(form.Display.ListIndex(), 5);
    auto expectThirds = [h] {
        RECT client, item;
        GetClientRect(h, &client);
        SendMessageW(h, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(item.right - item.left, client.right / 3);
    };
    expectThirds();
    form.Display.Width(6000); // the column width follows the new size
    expectThirds();

    form.Display.Columns(0);
    EXPECT_FALSE(GetWindowLongW(form.Display.hWnd(), GWL_STYLE) & LBS_MULTICOLUMN);
    EXPECT_EQ(form.Display.ListCount(), 40);
}

TEST(ListBoxDesign, ItemsAddedBeforeLoadAppear) {
    ControlsForm f;
    f.Display.AddItem("first");
    f.Display.AddItem("second");
    f.Display.ItemData(1, 7);
    EXPECT_EQ(f.Display.ListCount(), 2);
    f.Load();
    EXPECT_EQ(f.Display.ListCount(), 2);
    EXPECT_EQ(f.Display.List(1), "second");
    EXPECT_EQ(f.Display.ItemData(1), 7);
    f.Unload();
}

TEST_F(Controls, TextBoxChangeOnTypingAndOnCode) {
    int changes = 0;
    form.Text1.Change = [&] { ++changes; };
    form.Text1.Text("abc");
    EXPECT_EQ(changes, 1);
    form.Text1.SetFocus();
    SendMessageW(form.Text1.hWnd(), EM_SETSEL, 3, 3);
    SendMessageW(form.Text1.hWnd(), WM_CHAR, L'd', 1);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(form.Text1.Text(), "abcd");

    // A handler that sets the text again re-enters once and stops.
    form.Text1.Change = [&] {
        ++changes;
        if (form.Text1.Text() != "fixed") form.Text1.Text("fixed");
    };
    changes = 0;
    form.Text1.Text("x\xc3\xa9");
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(form.Text1.Text(), "fixed");

    form.Text1.Change = nullptr;
    form.Text1.MaxLength(3);
    SendMessageW(form.Text1.hWnd(), EM_SETSEL, 0, -1);
    for (wchar_t c : std::wstring(L"12345")) SendMessageW(form.Text1.hWnd(), WM_CHAR, c, 1);
    EXPECT_EQ(form.Text1.Text(), "123");
    form.Text1.Locked(true);
    EXPECT_TRUE(GetWindowLongW(form.Text1.hWnd(), GWL_STYLE) & ES_READONLY);
}

// The pixels the screen shows for a window, row by row.
std::vector<COLORREF> Shown(HWND w) {
    RECT r;
    GetClientRect(w, &r);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < r.bottom; ++y)
        for (int x = 0; x < r.right; ++x) pixels.push_back(ShownPixel(w, x, y));
    return pixels;
}

// An auto-sized label fits its text and shows each new caption whole at once,
// longer or shorter (the counters of a long run that yields).
TEST_F(Controls, LabelAutoSizeFitsTheTextAndShowsItWhole) {
    form.lblInfo.AutoSize(true);
    form.lblInfo.Caption("A short text");
    long shortWidth = form.lblInfo.Width();
    form.lblInfo.Caption("A much longer text than the first one");
    EXPECT_GT(form.lblInfo.Width(), shortWidth);
    RECT r;
    GetWindowRect(form.lblInfo.hWnd(), &r);
    EXPECT_EQ((r.right - r.left) * 15, form.lblInfo.Width());
    long oneLine = form.lblInfo.Height();
    for (const char* caption : {"Lines In File = 1143902", "Lines In File = 8", "Lines In File = 77"}) {
        form.lblInfo.Caption(caption);
        rt::DoEvents();
        const std::vector<COLORREF> shown = Shown(form.lblInfo.hWnd());
        RedrawWindow(form.lblInfo.hWnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        EXPECT_TRUE(shown == Shown(form.lblInfo.hWnd())) << caption << ": not drawn whole";
    }

    rt::Label wrapped{form};
    wrapped.Move(120, 3600, 1500, 255);
    wrapped.WordWrap(true);
    wrapped.Caption("Several words that cannot fit on one line of this label");
    wrapped.Create();
    wrapped.AutoSize(true);
    EXPECT_EQ(wrapped.Width(), 1500);
    EXPECT_GT(wrapped.Height(), oneLine * 2);
}

TEST_F(Controls, ButtonsPressedByEnterEscAndInAFrame) {
    HWND inFrame = form.cmdInFrame.hWnd();
    ASSERT_NE(inFrame, nullptr);
    EXPECT_EQ(GetParent(inFrame), form.Frame1.hWnd());
    SendMessageW(inFrame, BM_CLICK, 0, 0);
    EXPECT_EQ(form.frameClicks, 1);

    form.Text1.SetFocus();
    PressKey(form.Text1.hWnd(), VK_RETURN);
    EXPECT_EQ(form.okClicks, 1);
    PressKey(form.Text1.hWnd(), VK_ESCAPE);
    EXPECT_EQ(form.cancelClicks, 1);

    // In a multi-line text box too; Ctrl+Enter is its new line.
    form.Memo.SetFocus();
    PressKey(form.Memo.hWnd(), VK_RETURN);
    PressKey(form.Memo.hWnd(), VK_RETURN, true);
    EXPECT_EQ(form.okClicks, 2);
    EXPECT_EQ(form.Memo.Text(), "\r\n");

    // The same through a key string.
    form.Text1.SetFocus();
    rt::SendKeys("{ENTER}");
    EXPECT_EQ(form.okClicks, 3);
    rt::SendKeys("{ESC}");
    EXPECT_EQ(form.cancelClicks, 2);
    rt::SendKeys("ab+c");
    EXPECT_EQ(form.Text1.Text(), "abC");
}

TEST_F(Controls, ToolTipsFollowTheText) {
    HWND tip = form.ToolTip();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 0);
    for (auto [text, tools] : {std::pair{"Double-Click to copy", 1}, {"Double-Click to display", 1},
                               {"", 0}}) {
        form.Display.ToolTipText(text);
        EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), tools) << text;
    }
}

TEST_F(Controls, SendKeysDownSelectsTheFirstEntryOfAFreshList) {
    for (const char* s : {"first", "second", "third"}) form.Display.AddItem(s);
    form.Display.SetFocus();
    rt::SendKeys("{DOWN}");
    EXPECT_EQ(form.Display.ListIndex(), 0);
    EXPECT_EQ(form.clicks, 1);
    rt::SendKeys("{DOWN 2}");
    EXPECT_EQ(form.Display.ListIndex(), 2);
    rt::SendKeys("{UP}");
    EXPECT_EQ(form.Display.ListIndex(), 1);
    EXPECT_EQ(ErrorOf([] { rt::SendKeys("{NOSUCHKEY}"); }), 5);
}

TEST_F(Controls, AppActivateFindsOwnWindowByCaption) {
    ControlsForm other;
    other.Caption("  Another Window Here");
    other.Show();
    rt::AppActivate("  Another Window");
    EXPECT_EQ(GetActiveWindow(), other.hWnd());
    rt::AppActivate("  Controls");
    EXPECT_EQ(GetActiveWindow(), form.hWnd());
    EXPECT_EQ(ErrorOf([] { rt::AppActivate("No window has this caption 12345"); }), 5);
    other.Unload();
}

// ---------------------------------------------------------------------------
// Picture box

COLORREF BufferPixel(rt::PictureBox& p, int x, int y) { return GetPixel(p.SurfaceDC(), x, y); }

struct Pixel {
    int x, y;
    COLORREF color;
};
void ExpectPixels(rt::PictureBox& p, std::initializer_list<Pixel> pixels) {
    for (const Pixel& px : pixels)
        EXPECT_EQ(BufferPixel(p, px.x, px.y), px.color) << px.x << "," << px.y;
}

TEST_F(Controls, PictureBoxFilledBoxesAreInclusiveAndClip) {
    rt::PictureBox& p = form.Progress;
    EXPECT_DOUBLE_EQ(p.ScaleWidth(), 4740);
    EXPECT_DOUBLE_EQ(p.ScaleHeight(), 285);
    p.BackColor(0x00FFFFFF);
    p.Cls();
    const COLORREF blue = RGB(0, 0, 255), green = RGB(0, 255, 0), red = RGB(255, 0, 0),
                   white = RGB(255, 255, 255), black = RGB(0, 0, 0);

    p.Line(150, 150, 300, 300, 0x00FF0000, true, true); // pixels 10..20
    ExpectPixels(p, {{10, 10, blue}, {20, 18, blue}, {21, 15, white}, {9, 15, white}});
    EXPECT_DOUBLE_EQ(p.CurrentX(), 300);
    EXPECT_DOUBLE_EQ(p.CurrentY(), 300);

    // Corners the other way round, and a box reaching left of the origin.
    p.Line(900, 0, 600, 285, 0x0000FF00, true, true);
    p.Line(-3000, 0, 0, 285, 0x000000FF, true, true);
    ExpectPixels(p, {{40, 0, green}, {60, 18, green}, {61, 5, white}, {0, 5, red}, {1, 5, white}});
    p.Line(0, 0, 1e12, 285, 0x00FF0000, true, true); // far out of range: the whole box
    ExpectPixels(p, {{315, 18, blue}});

    // An outline box leaves its inside alone.
    p.Cls();
    p.Line(0, 0, 300, 150, 0x00000000, true, false);
    ExpectPixels(p, {{0, 0, black}, {20, 10, black}, {10, 5, white}});
}

TEST_F(Controls, PictureBoxPrintMovesToTheNextLine) {
    rt::PictureBox& p = form.Progress;
    p.BackColor(0x00FFFFFF);
    p.Cls();
    double h = p.TextHeight("50%");
    double w = p.TextWidth("50%");
    EXPECT_GT(h, 0);
    EXPECT_GT(w, p.TextWidth("5"));
    p.CurrentX(1000);
    p.CurrentY(15);
    p.ForeColor(0x00000000);
    p.Print("50%");
    EXPECT_DOUBLE_EQ(p.CurrentX(), 0);
    EXPECT_DOUBLE_EQ(p.CurrentY(), 15 + h);
    bool inked = false;
    for (int x = 66; x < 66 + static_cast<int>(w / 15) && !inked; ++x)
        for (int y = 1; y < 18 && !inked; ++y) inked = BufferPixel(p, x, y) == RGB(0, 0, 0);
    EXPECT_TRUE(inked);
}

TEST_F(Controls, PictureBoxRefreshShowsTheBufferAndSkipsWhenUnchanged) {
    rt::PictureBox& p = form.Progress;
    p.AutoRedraw(true);
    p.Line(0, 0, 4740, 285, 0x00FF0000, true, true);
    p.Refresh();
    HDC screen = GetDC(p.hWnd());
    EXPECT_EQ(GetPixel(screen, 5, 5), RGB(0, 0, 255));

    // Paint over the screen behind the box's back: an unchanged buffer is
    // not put on the screen again, a changed one is.
    RECT r{0, 0, 20, 10};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(screen, &r, red);
    DeleteObject(red);
    p.Line(0, 0, 4740, 285, 0x00FF0000, true, true);
    p.Refresh();
    EXPECT_EQ(GetPixel(screen, 5, 5), RGB(255, 0, 0));
    p.Line(0, 0, 150, 150, 0x0000FF00, true, true);
    p.Refresh();
    EXPECT_EQ(GetPixel(screen, 5, 5), RGB(0, 255, 0));
    EXPECT_EQ(GetPixel(screen, 15, 5), RGB(0, 0, 255));
    ReleaseDC(p.hWnd(), screen);

    // A hidden box still draws into its buffer.
    p.Visible(false);
    p.Line(0, 0, 4740, 285, 0x000000FF, true, true);
    p.Refresh();
    EXPECT_EQ(BufferPixel(p, 100, 10), RGB(255, 0, 0));
    p.Visible(true);
}

// Without AutoRedraw and without Refresh, drawing reaches the screen the next
// time the program yields, and again after each later run of drawing calls.
TEST_F(Controls, PictureBoxWithoutAutoRedrawPaintsWhenTheProgramYields) {
    rt::PictureBox& p = form.Progress;
    p.AutoRedraw(false);
    p.Refresh();
    HDC screen = GetDC(p.hWnd());
    for (long color : {0x000000FFL, 0x0000FF00L}) {
        p.Line(0, 0, 4740, 285, color, true, true);
        p.Line(0, 0, 150, 150, color, true, true);
        rt::DoEvents();
        EXPECT_EQ(GetPixel(screen, 100, 10), static_cast<COLORREF>(color));
    }
    ReleaseDC(p.hWnd(), screen);
}

TEST_F(Controls, RichTextStreamsInAndReadsAsPlainText) {
    rt::RichTextBox rich{form};
    rich.Move(120, 4400, 6000, 1400);
    rich.Locked(true);
    rich.TextRTF("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 {\\b Title}\\par "
                 "Caf\\'e9 \\u8364? line\\par}");
    rich.Create();
    std::string text = rich.Text();
    EXPECT_NE(text.find("Title"), std::string::npos);
    EXPECT_NE(text.find("Caf\xc3\xa9 \xe2\x82\xac line"), std::string::npos);
    EXPECT_EQ(text.find("rtf1"), std::string::npos);
    EXPECT_TRUE(GetWindowLongW(rich.hWnd(), GWL_STYLE) & ES_READONLY);
    EXPECT_EQ(rich.SelStart(), 0);
}

} // namespace
