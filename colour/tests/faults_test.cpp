// Picks that went wrong before: the swatch under the pointer, a click before
// any move, and a capture that failed.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <atomic>
#include <thread>

#include "modHuepick.h"
#include "picking.h"

namespace huepick::test {
namespace {

using PickFaults = PickingFixture;

// The swatch sits 20 pixels right of and above the pointer, 15 pixels square.
POINT OnSwatch(POINT pointer) { return {pointer.x + 27, pointer.y - 13}; }

// Whether the capture window shows its swatch beside the pointer at `pointer`.
bool SwatchBeside(HWND capture, POINT pointer) {
    RECT r{};
    HWND swatch = FindWindowExW(capture, nullptr, nullptr, nullptr);
    return swatch && GetWindowRect(swatch, &r) && r.left == pointer.x + 20 && r.top == pointer.y - 20;
}

// A pointer that lands where the swatch is: the swatch shows the colour of the
// captured screen there, not its own, and lets the mouse through, so that a
// click there is the pick of that point.
TEST_F(PickFaults, ThePointerOnTheSwatch) {
    const POINT p = OnSwatch(blocks.Centre(0)); // on white, the swatch red
    COLORREF swatch = CLR_INVALID;
    AsUser([&] {
        StartPick(form.hWnd(), form.cmdHuepick.hWnd());
        HWND capture = AwaitCapture();
        if (!capture) return ADD_FAILURE() << "no capture window", void();
        MoveTo(blocks.Centre(0));
        if (!rt::test::WaitFor([&] { return SwatchBeside(capture, blocks.Centre(0)); }, 5000))
            return ADD_FAILURE() << "the swatch never came beside the pointer", void();
        MoveTo(p);
        rt::test::WaitFor([&] { return SwatchBeside(capture, p); }, 2000);
        swatch = ScreenPixel(OnSwatch(p));
        Click();
        EXPECT_TRUE(AwaitCaptureGone());
    });
    EXPECT_EQ(swatch, 0xFFFFFFu) << "the swatch shows another colour";
    EXPECT_EQ(Shown(), Expected(p, 0xFFFFFF));
}

// Two events: the thread that got WM_APP is held; it may go on.
struct Hold {
    HANDLE held = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    HANDLE release = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    ~Hold() {
        CloseHandle(held);
        CloseHandle(release);
    }
};

// A window's thread held in WM_APP until released, so that what happens
// meanwhile waits in its queue.
LRESULT CALLBACK Holding(HWND w, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
    if (msg != WM_APP) return DefSubclassProc(w, msg, wp, lp);
    auto* hold = reinterpret_cast<Hold*>(data);
    SetEvent(hold->held);
    WaitForSingleObject(hold->release, 10000);
    return 0;
}

// A click that reaches the capture window with no move before it takes the
// point under the pointer and its colour, not those read at the last move.
// The system reports a move whenever the pointer moves or a window appears
// under it, so such a click is staged: the program's thread held while the
// pointer moves and the click is posted, which then comes before the move.
TEST_F(PickFaults, AClickWithoutAMoveTakesThePointUnderThePointer) {
    const POINT q = blocks.Centre(5), p = blocks.Centre(1);
    Hold hold;
    SetWindowSubclass(blocks.hWnd(), Holding, 0, reinterpret_cast<DWORD_PTR>(&hold));
    AsUser([&] {
        MoveTo(q);
        SetForegroundWindow(form.hWnd());
        PressKey(VK_RETURN); // the default button starts the pick
        HWND capture = AwaitCapture();
        if (!capture) return ADD_FAILURE() << "no capture window", void();
        SendNotifyMessageW(blocks.hWnd(), WM_APP, 0, 0);
        if (WaitForSingleObject(hold.held, 10000) != WAIT_OBJECT_0)
            return ADD_FAILURE() << "the program's thread was never held", void();
        MoveTo(p);
        PostMessageW(capture, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        PostMessageW(capture, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
        SetEvent(hold.release);
        EXPECT_TRUE(AwaitCaptureGone());
    });
    RemoveWindowSubclass(blocks.hWnd(), Holding, 0);
    EXPECT_EQ(Shown(), Expected(p, Want(1)));
}

// When the screen cannot be copied, here because the program has no GDI
// handle left, no capture window shows, nothing is reported as picked, and
// the main window, hidden for the pick, comes back.
TEST_F(PickFaults, AFailedCaptureIsNoPick) {
    PickAt(blocks.Centre(0));
    const Fields before = Shown();
    ASSERT_EQ(before, Expected(blocks.Centre(0), Want(0)));
    form.chkHide.Value(rt::vbChecked);
    std::atomic<bool> stop{false}, sawCapture{false};
    std::thread user([&] {
        for (; !stop; Sleep(50)) {
            if (ShownCaptureWindow()) { // a blank one, to be clicked away
                sawCapture = true;
                MoveTo(blocks.Centre(1));
                Click();
            }
        }
    });
    {
        std::vector<HBRUSH> taken;
        for (HBRUSH b; taken.size() < 500000 && (b = CreateSolidBrush(RGB(1, 2, 3)));) taken.push_back(b);
        form.cmdHuepick.Press();
        for (HBRUSH b : taken) DeleteObject(b);
    }
    stop = true;
    user.join();
    EXPECT_FALSE(sawCapture);
    EXPECT_EQ(Shown(), before);
    EXPECT_EQ(form.picCurrentColor.BackColor(), Want(0));
    EXPECT_TRUE(form.Visible());
    PickAt(blocks.Centre(1)); // and the next pick works
    EXPECT_EQ(Shown(), Expected(blocks.Centre(1), Want(1)));
}

} // namespace
} // namespace huepick::test
