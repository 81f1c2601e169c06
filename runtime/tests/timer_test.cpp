// The timer on a real form: ticks while the program yields and while a modal
// box or form waits, never inside its own running handler, and only while it
// is enabled, has an interval and its form is loaded.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "rt/error.h"
#include "rt/forms.h"
#include "rt/services.h"
#include "test_support.h"

namespace {

using namespace rt::test;

class TimerForm : public rt::Form {
  public:
    TimerForm() {
        Caption("  Timers");
        ClientSize(3000, 1500);
        Timer1.Interval(20);
        Timer1.Tick = [this] { ++ticks; };
    }
    rt::Timer Timer1{*this};
    int ticks = 0;
};

// Yields for about `ms` milliseconds.
void YieldFor(DWORD ms) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        rt::DoEvents();
        Sleep(5);
    }
}

TEST(Timer, TicksOnlyWhileEnabledWithAnIntervalAndLoaded) {
    TimerForm form;
    YieldFor(100);
    EXPECT_EQ(form.ticks, 0); // not loaded yet

    form.Show();
    EXPECT_TRUE(WaitFor([&] { return form.ticks >= 3; }, 5000));

    form.Timer1.Enabled(false);
    YieldFor(50); // ticks already queued are let through
    int stopped = form.ticks;
    YieldFor(150);
    EXPECT_EQ(form.ticks, stopped);

    form.Timer1.Enabled(true);
    EXPECT_TRUE(WaitFor([&] { return form.ticks > stopped; }, 5000));
    form.Timer1.Interval(0); // no interval: no ticks, though enabled
    YieldFor(50);
    stopped = form.ticks;
    YieldFor(150);
    EXPECT_EQ(form.ticks, stopped);
    EXPECT_TRUE(form.Timer1.Enabled());

    EXPECT_EQ(ErrorOf([&] { form.Timer1.Interval(-1); }), 380);
    EXPECT_EQ(ErrorOf([&] { form.Timer1.Interval(65536); }), 380);
    EXPECT_EQ(form.Timer1.Interval(), 0);

    form.Timer1.Interval(20);
    EXPECT_TRUE(WaitFor([&] { return form.ticks > stopped; }, 5000));
    form.Unload();
    YieldFor(50);
    stopped = form.ticks;
    YieldFor(150);
    EXPECT_EQ(form.ticks, stopped);
}

// A handler that yields for longer than the interval: the ticks that come
// meanwhile do not run it again inside itself, and it keeps ticking after.
TEST(Timer, HandlerThatYieldsIsNotReentered) {
    TimerForm form;
    int depth = 0, deepest = 0, runs = 0;
    form.Timer1.Tick = [&] {
        ++runs;
        deepest = std::max(deepest, ++depth);
        if (runs == 1) YieldFor(200);
        --depth;
    };
    form.Show();
    EXPECT_TRUE(WaitFor([&] { return runs >= 3; }, 5000));
    EXPECT_EQ(deepest, 1);
    form.Unload();
}

// Ticks keep coming while a handler waits for a real message box or a modal
// form (their own message loops run them).
TEST(Timer, TicksDuringModalBoxesAndForms) {
    RealUser real;
    TimerForm form;
    form.Show();

    int atClose = -1;
    {
        int before = form.ticks;
        WhileModal answer([&] {
            HWND box = FindShownDialog();
            if (!box || form.ticks < before + 3) return false;
            atClose = form.ticks;
            PressButton(box, IDOK);
            return true;
        });
        rt::MsgBox("Waiting", rt::vbOKOnly, "  Timers");
    }
    EXPECT_GE(atClose, 3);

    TimerForm dialog;
    dialog.Timer1.Enabled(false);
    int before = form.ticks;
    {
        WhileModal close([&] {
            if (!dialog.Visible() || form.ticks < before + 3) return false;
            dialog.Unload();
            return true;
        });
        dialog.Show(rt::vbModal);
    }
    EXPECT_GE(form.ticks, before + 3);
    form.Unload();
}

} // namespace
