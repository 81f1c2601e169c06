// Picks that went wrong before: the swatch under the pointer, a click before
// any move, and a capture that failed.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "modHuepick.h"
#include "picking.h"

namespace huepick::test {
namespace {

using PickFaults = PickingFixture;

// The swatch sits 20 pixels right of and above the pointer, 15 pixels square.
POINT OnSwatch(POINT pointer) { return {pointer.x + 27, pointer.y - 13}; }

// A pointer that lands where the swatch is: the swatch shows the colour of the
// captured screen there, not its own, and lets the mouse through, so that a
// click there is the pick of that point.
TEST_F(PickFaults, ThePointerOnTheSwatch) {
    const POINT p = OnSwatch(blocks.Centre(0)); // on white, the swatch red
    COLORREF swatch = CLR_INVALID;
    AsUser([&] {
        StartPick(form.hWnd(), form.cmdHuepick.hWnd());
        if (!AwaitCapture()) return ADD_FAILURE() << "no capture window", void();
        MoveTo(blocks.Centre(0));
        MoveTo(p);
        Sleep(200);
        swatch = ScreenPixel(OnSwatch(p));
        Click();
        EXPECT_TRUE(AwaitCaptureGone());
    });
    EXPECT_EQ(swatch, 0xFFFFFFu) << "the swatch shows another colour";
    EXPECT_EQ(Shown(), Expected(p, 0xFFFFFF));
}

// A click with no move over the capture window takes the point under the
// pointer and its colour, not those of the pick before.
TEST_F(PickFaults, AClickWithoutMovingTakesThePointUnderThePointer) {
    PickAt(blocks.Centre(0));
    ASSERT_EQ(Shown(), Expected(blocks.Centre(0), Want(0)));
    const POINT p = blocks.Centre(5);
    AsUser([&] {
        MoveTo(p);
        SetForegroundWindow(form.hWnd());
        PressKey(VK_RETURN); // the default button starts the pick
        if (!AwaitCapture()) return ADD_FAILURE() << "no capture window", void();
        Click();
        EXPECT_TRUE(AwaitCaptureGone());
    });
    EXPECT_EQ(Shown(), Expected(p, Want(5)));
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
