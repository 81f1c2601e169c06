// Select All and Select None over a list longer than the window shows, with
// the list's caret, anchor and scroll position as the user meets them after.
#include <string>
#include <vector>

#include "fixture.h"

namespace sweeper::testing {
namespace {

using rt::test::WriteBytes;

// A click on a line; the list has taken it when the line holds the caret
// and is selected.
void ClickLine(HWND list, int line) {
    RECT r{};
    SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&r));
    rt::test::ClickAt(list, r.left + 20, (r.top + r.bottom) / 2);
    EXPECT_TRUE(rt::test::WaitFor([&] {
        return SendMessageW(list, LB_GETCARETINDEX, 0, 0) == line &&
               SendMessageW(list, LB_GETSEL, static_cast<WPARAM>(line), 0) > 0;
    }));
}

// A click on a button; it has been pressed when it holds the focus and is up
// again with the mouse button released.
void ClickButton(rt::CommandButton& button) {
    const HWND w = button.hWnd();
    RECT r{};
    GetClientRect(w, &r);
    rt::test::ClickAt(w, r.right / 2, r.bottom / 2);
    EXPECT_TRUE(rt::test::WaitFor([w] {
        return GetFocus() == w && !(SendMessageW(w, BM_GETSTATE, 0, 0) & BST_PUSHED) &&
               !(GetAsyncKeyState(VK_LBUTTON) & 0x8000);
    }));
    rt::DoEvents();
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

    // The user picks one file, then clicks Select All: every file, with the
    // caret (the focus rectangle once the list has the focus) and the anchor
    // of a Shift+click on the last one, which is in view at the bottom.
    ClickLine(list, 3);
    EXPECT_EQ(rt::test::SelectionOf(list).selected, std::vector<int>{3});
    ClickButton(form.cmdSelectAll);
    rt::test::ListSelection s = rt::test::SelectionOf(list);
    EXPECT_EQ(s.selected, Upto(files));
    EXPECT_EQ(s.caret, files - 1);
    EXPECT_EQ(s.anchor, files - 1);
    EXPECT_EQ(s.top, files - page);
    EXPECT_EQ(GetFocus(), form.cmdSelectAll.hWnd());

    // Select None clears them and moves nothing.
    ClickButton(form.cmdSelectNone);
    s = rt::test::SelectionOf(list);
    EXPECT_EQ(s.selected, std::vector<int>{});
    EXPECT_EQ(s.caret, files - 1);
    EXPECT_EQ(s.anchor, files - 1);
    EXPECT_EQ(s.top, files - page);

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
