// Choosing the target by pointing: Paneherd hides and takes the window the
// next press of the primary button brings in front. The presses and keys are
// real input, sent from a helper thread while the pick holds the test's own.
#include <atomic>
#include <thread>

#include "fixture.h"

namespace paneherd::testing {
namespace {

using Pick = PaneherdTest;

// No test puts a window there.
POINT EmptyDesktopSpot() { return {GetSystemMetrics(SM_CXSCREEN) - 12, 12}; }

// Presses the pick button and, once Paneherd has hidden, does what the user does.
void PickWith(frmMain& main, const std::function<void()>& user) {
    std::thread helper([w = main.hWnd(), &user] {
        for (int i = 0; i < 500 && IsWindowVisible(w); ++i) Sleep(10);
        if (!IsWindowVisible(w)) user();
        // Should the pick still wait, a press on the desktop ends it and the
        // test fails on the box that follows rather than waiting for ever.
        for (int i = 0; i < 300 && !IsWindowVisible(w); ++i) Sleep(10);
        if (!IsWindowVisible(w)) ClickAt(EmptyDesktopSpot());
    });
    main.cmdFindWindow.Press();
    helper.join();
}

ULONGLONG ThreadCpuMs() {
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    auto ms = [](FILETIME f) { return ((ULONGLONG(f.dwHighDateTime) << 32) | f.dwLowDateTime) / 10000; };
    return ms(kernel) + ms(user);
}

// Esc ends the wait and the target stays; the wait sleeps between its looks
// at the buttons rather than keeping the processor busy. A press on the
// desktop finds no window: the box shows and the target stays too.
TEST_F(Pick, EscOrTheDesktopKeepTheTargetAndTheWaitLeavesTheProcessorAlone) {
    TargetProgram before("Kept target", 560, 420);
    frmMain& main = Start(&before);
    const ULONGLONG cpuBefore = ThreadCpuMs();
    const DWORD start = GetTickCount();
    PickWith(main, [] {
        Sleep(1500);
        rt::test::TapKey(VK_ESCAPE);
    });
    const double busy = double(ThreadCpuMs() - cpuBefore) / double(GetTickCount() - start);
    EXPECT_LT(busy, 0.3) << "the wait kept the processor busy";
    EXPECT_TRUE(IsWindowVisible(main.hWnd()));
    EXPECT_EQ(main.TargetWindow, before.hWnd());
    EXPECT_EQ(main.txtTitlebar.Text(), "Kept target");
    EXPECT_TRUE(Boxes().empty());

    PickWith(main, [] { ClickAt(EmptyDesktopSpot()); });
    EXPECT_EQ(Boxes(), std::vector<std::string>{"  Titlebar Text Not Found|Couldn't find the "
                                                "titlebar text of the selected window|48"});
    EXPECT_TRUE(IsWindowVisible(main.hWnd()));
    EXPECT_EQ(main.TargetWindow, before.hWnd());
}

// With the buttons swapped the primary button is the right one.
TEST_F(Pick, SwappedButtonsWaitForThePrimaryButton) {
    struct Swapped {
        Swapped() { SwapMouseButton(TRUE); }
        ~Swapped() { SwapMouseButton(FALSE); }
    } swapped;
    TargetProgram target("Swapped target", 60, 60);
    frmMain& main = Start();
    std::atomic<bool> waitedAfterLeft{false};
    PickWith(main, [&] {
        ClickAt(Centre(target.hWnd()), false);
        Sleep(600);
        waitedAfterLeft = !IsWindowVisible(main.hWnd());
        ClickAt(Centre(target.hWnd()), true);
    });
    EXPECT_TRUE(waitedAfterLeft) << "the left button ended the pick";
    EXPECT_EQ(main.TargetWindow, target.hWnd());
    EXPECT_EQ(main.txtClass.Text(), "PaneherdTarget");
}

} // namespace
} // namespace paneherd::testing
