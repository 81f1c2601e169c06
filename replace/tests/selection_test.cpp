// Select All and Select None over a list longer than the window shows, with
// the list's caret, anchor and scroll position as the user meets them after.
#include <functional>
#include <string>
#include <vector>

#include "fixture.h"

namespace sweeper::testing {
namespace {

using rt::test::WriteBytes;

// Real mouse input: a left click at a point of a window's client area, the
// window's program then let run until `done` holds.
void ClickAt(HWND w, int x, int y, const std::function<bool()>& done) {
    const HWND top = GetAncestor(w, GA_ROOT);
    SetForegroundWindow(top);
    rt::test::WaitFor([&] { return GetForegroundWindow() == top; }, 3000);
    POINT p{x, y};
    ClientToScreen(w, &p);
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input[3]{};
    for (INPUT& i : input) {
        i.type = INPUT_MOUSE;
        i.mi.dx = static_cast<LONG>((p.x * 65536L + width - 1) / width);
        i.mi.dy = static_cast<LONG>((p.y * 65536L + height - 1) / height);
    }
    input[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    input[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(3, input, sizeof(INPUT));
    EXPECT_TRUE(rt::test::WaitFor(done, 3000));
    rt::DoEvents();
}

void ClickLine(HWND list, int line) {
    RECT r{};
    SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&r));
    ClickAt(list, r.left + 20, (r.top + r.bottom) / 2, [&] {
        return SendMessageW(list, LB_GETCARETINDEX, 0, 0) == line &&
               SendMessageW(list, LB_GETSEL, static_cast<WPARAM>(line), 0) > 0;
    });
}

// A click on a button; it is pressed when the button holds the focus and
// is up again.
void ClickButton(rt::CommandButton& button) {
    RECT r{};
    GetClientRect(button.hWnd(), &r);
    const HWND w = button.hWnd();
    ClickAt(w, r.right / 2, r.bottom / 2, [w] {
        return GetFocus() == w && !(SendMessageW(w, BM_GETSTATE, 0, 0) & BST_PUSHED) &&
               !(GetAsyncKeyState(VK_LBUTTON) & 0x8000);
    });
}

struct ListState {
    int top, caret, anchor;
    std::vector<int> selected;
};

ListState StateOf(HWND list) {
    ListState s{};
    s.top = static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0));
    s.caret = static_cast<int>(SendMessageW(list, LB_GETCARETINDEX, 0, 0));
    s.anchor = static_cast<int>(SendMessageW(list, LB_GETANCHORINDEX, 0, 0));
    const auto count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        if (SendMessageW(list, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0) s.selected.push_back(i);
    return s;
}

// The lines the list shows at once.
int Page(HWND list) {
    RECT r{};
    GetClientRect(list, &r);
    return static_cast<int>(r.bottom / SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
}

std::vector<int> Upto(int count) {
    std::vector<int> all;
    for (int i = 0; i < count; ++i) all.push_back(i);
    return all;
}

TEST_F(SweeperTest, SelectAllAndNoneOverALongListLeaveTheViewAtItsEnd) {
    const int files = 300;
    for (int i = 0; i < files; ++i) WriteBytes(dir / ("file" + std::to_string(1000 + i) + ".txt"), "x");
    frmMain& form = Open(dir.Path());
    const HWND list = form.ctlFile.hWnd();
    const int page = Page(list);
    ASSERT_LT(page, files);

    // The user picks one file, then clicks Select All: every file, the caret
    // and the anchor of a Shift+click on the last, which is in view at the bottom.
    ClickLine(list, 3);
    EXPECT_EQ(StateOf(list).selected, std::vector<int>{3});
    ClickButton(form.cmdSelectAll);
    ListState s = StateOf(list);
    EXPECT_EQ(s.selected, Upto(files));
    EXPECT_EQ(s.caret, files - 1);
    EXPECT_EQ(s.anchor, files - 1);
    EXPECT_EQ(s.top, files - page);
    EXPECT_EQ(GetFocus(), form.cmdSelectAll.hWnd());

    // Select None clears them and moves nothing.
    ClickButton(form.cmdSelectNone);
    s = StateOf(list);
    EXPECT_EQ(s.selected, std::vector<int>{});
    EXPECT_EQ(s.caret, files - 1);
    EXPECT_EQ(s.anchor, files - 1);
    EXPECT_EQ(s.top, files - page);

    // From a file picked at the top with the focus left in the list (Alt+A):
    // the same, and a Shift+click then selects from the last file up.
    SendMessageW(list, WM_VSCROLL, SB_TOP, 0);
    ClickLine(list, 5);
    form.cmdSelectAll.Press();
    s = StateOf(list);
    EXPECT_EQ(s.selected, Upto(files));
    EXPECT_EQ(s.caret, files - 1);
    EXPECT_EQ(s.top, files - page);
    EXPECT_EQ(GetFocus(), list);
    ClickButton(form.cmdSelectNone);
    const int shiftClicked = files - page + 2;
    RECT r{};
    SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(shiftClicked), reinterpret_cast<LPARAM>(&r));
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(r.left + 20, r.top + 2));
    SendMessageW(list, WM_LBUTTONUP, MK_SHIFT, MAKELPARAM(r.left + 20, r.top + 2));
    s = StateOf(list);
    EXPECT_EQ(s.selected.front(), shiftClicked);
    EXPECT_EQ(s.selected.back(), files - 1);
    EXPECT_EQ(s.selected.size(), static_cast<size_t>(files - shiftClicked));
}

TEST_F(SweeperTest, SelectAllOnAnEmptyListDoesNothing) {
    frmMain& form = Open(dir.Path());
    ASSERT_EQ(form.ctlFile.ListCount(), 0);
    ClickButton(form.cmdSelectAll);
    ClickButton(form.cmdSelectNone);
    EXPECT_TRUE(user.MessageBoxes().empty());
}

} // namespace
} // namespace sweeper::testing
