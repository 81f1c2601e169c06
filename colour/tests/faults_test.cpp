// Picks that went wrong before: a covered point, a click before any move, a
// capture that failed, and a pointer that lands on the swatch.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "frmMain.h"
#include "modHuepick.h"
#include "picking.h"

namespace huepick::test {
namespace {

using PickFaults = PickingFixture;

// Points that something covers once the capture window is shown are read
// from the capture: under the swatch the colour of the screen, not the
// swatch's own; under another program's topmost window the colour the
// screen showed there, and the program goes on.
TEST_F(PickFaults, CoveredPointsAreReadFromTheCapture) {
    const POINT covered = blocks.Centre(0), open = blocks.Centre(3);
    // The swatch is 15 pixels square, 20 pixels right of and above the pointer.
    auto swatchAt = [](POINT pointer) { return POINT{pointer.x + 27, pointer.y - 13}; };
    const POINT onSwatch = swatchAt(covered);
    COLORREF swatchThere = CLR_INVALID;
    std::unique_ptr<ForeignBlock> cover;
    AsUser([&] {
        StartPick(form.hWnd(), form.cmdHuepick.hWnd());
        if (!AwaitCapture()) return ADD_FAILURE() << "no capture window", void();
        MoveTo(covered);
        MoveTo(onSwatch); // where the swatch was a moment ago
        Sleep(200);
        swatchThere = ScreenPixel(swatchAt(onSwatch));
        cover = std::make_unique<ForeignBlock>(
            "cover", RECT{covered.x - 15, covered.y - 15, covered.x + 15, covered.y + 15}, 0x00FF00);
        // Pressed on the capture window, dragged under the cover, released there.
        MoveTo(open);
        ButtonDown();
        MoveTo(covered);
        ButtonUp();
        EXPECT_TRUE(AwaitCaptureGone());
    });
    EXPECT_EQ(swatchThere, ScreenPixel(onSwatch)) << "the swatch shows another colour";
    ASSERT_TRUE(cover && cover->Shown());
    EXPECT_EQ(Shown(), Expected(covered, Want(0)));
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

// When the screen cannot be copied no capture window shows, nothing is
// reported as picked, and the main window, hidden for the pick, comes back.
TEST_F(PickFaults, AFailedCaptureIsNoPick) {
    PickAt(blocks.Centre(0));
    const Fields before = Shown();
    ASSERT_EQ(before, Expected(blocks.Centre(0), Want(0)));
    const long colourBefore = form.picCurrentColor.BackColor();

    form.chkHide.Value(rt::vbChecked);
    std::atomic<bool> stop{false}, sawCapture{false};
    std::thread user([&] {
        while (!stop) {
            if (ShownCaptureWindow()) { // what a blank capture window would be
                sawCapture = true;
                MoveTo(blocks.Centre(1));
                Click();
            }
            Sleep(50);
        }
    });
    {
        GdiExhausted exhausted;
        EXPECT_GT(exhausted.Taken(), 1000u);
        form.cmdHuepick.Press();
    }
    stop = true;
    user.join();
    EXPECT_FALSE(sawCapture);
    EXPECT_EQ(Shown(), before);
    EXPECT_EQ(form.picCurrentColor.BackColor(), colourBefore);
    EXPECT_TRUE(form.Visible());

    // And the next pick works.
    PickAt(blocks.Centre(1));
    EXPECT_EQ(Shown(), Expected(blocks.Centre(1), Want(1)));
}

// The swatch beside the pointer shows the colour under the hot spot; a
// pointer that lands on it still moves over and clicks on the capture.
TEST_F(PickFaults, ThePointerPassesThroughTheSwatch) {
    const POINT p = blocks.Centre(0);
    // The swatch is 15 pixels square, 20 pixels right of and above the pointer.
    const POINT onSwatch{p.x + 27, p.y - 13};
    COLORREF swatch = CLR_INVALID;
    AsUser([&] {
        StartPick(form.hWnd(), form.cmdHuepick.hWnd());
        if (!AwaitCapture()) return ADD_FAILURE() << "no capture window", void();
        MoveTo(p);
        Sleep(200);
        swatch = ScreenPixel(onSwatch);
        MoveTo(onSwatch);
        Click();
        EXPECT_TRUE(AwaitCaptureGone());
    });
    EXPECT_EQ(swatch, static_cast<COLORREF>(Want(0)));
    EXPECT_EQ(Shown(), Expected(onSwatch, static_cast<long>(ScreenPixel(onSwatch))));
    EXPECT_EQ(Shown().Hex, "FFFFFF") << "the block under the swatch, not the swatch";
}

} // namespace
} // namespace huepick::test
