// The vertical scroll bar inside a frame, as the user moves it (arrows, the
// track, keys, dragging the thumb) and as code sets it: its range rules, the
// error for values outside them, and the Change and Scroll events.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "rt/error.h"
#include "rt/forms.h"
#include "test_support.h"

namespace {

using namespace rt::test;

class VolumeForm : public rt::Form {
  public:
    VolumeForm() {
        Caption("  Volume");
        ClientSize(3000, 5000);
        Frame1.Move(120, 120, 930, 4585);
        vsVolume.Move(330, 330, 255, 4080);
        vsVolume.Change = [this] { events.push_back("change " + std::to_string(vsVolume.Value())); };
        vsVolume.Scroll = [this] { events.push_back("scroll " + std::to_string(vsVolume.Value())); };
    }
    rt::Frame Frame1{*this};
    rt::VScrollBar vsVolume{Frame1};
    std::vector<std::string> events;
};

using Volume = FormFixture<VolumeForm>;
using Strings = std::vector<std::string>;

int Thumb(const rt::VScrollBar& bar) { return GetScrollPos(bar.hWnd(), SB_CTL); }

TEST_F(Volume, RangeRulesAndChangesFromCode) {
    rt::VScrollBar& vs = form.vsVolume;
    EXPECT_EQ(vs.Min(), 0);
    EXPECT_EQ(vs.Max(), 32767);
    EXPECT_EQ(vs.Value(), 0);
    EXPECT_EQ(vs.SmallChange(), 1);
    EXPECT_EQ(vs.LargeChange(), 1);

    vs.Max(32767);
    vs.Value(16384);
    vs.Value(16384); // the same value is no change
    vs.SmallChange(1638);
    vs.LargeChange(3277);
    EXPECT_EQ(form.events, Strings{"change 16384"});
    EXPECT_EQ(Thumb(vs), 16384);

    // Out of range: error 380 and nothing changes.
    for (auto set : std::vector<std::function<void()>>{
             [&] { vs.Value(32768); }, [&] { vs.Value(-1); }, [&] { vs.Min(-32769); },
             [&] { vs.Max(40000); }, [&] { vs.SmallChange(0); }, [&] { vs.LargeChange(32768); }})
        EXPECT_EQ(ErrorOf(set), 380);
    EXPECT_EQ(vs.Value(), 16384);
    EXPECT_EQ(vs.SmallChange(), 1638);
    EXPECT_EQ(vs.LargeChange(), 3277);

    // A new bound that leaves Value outside moves it there, with a Change.
    vs.Max(100);
    EXPECT_EQ(vs.Value(), 100);
    EXPECT_EQ(Thumb(vs), 100);
    vs.Min(50);
    EXPECT_EQ(Thumb(vs), 50); // the thumb counts from the new top
    EXPECT_EQ(form.events, (Strings{"change 16384", "change 100"}));

    // Max below Min: the bar runs backwards, Min still at the top.
    vs.Min(200);
    EXPECT_EQ(vs.Value(), 100);
    vs.Value(150);
    EXPECT_EQ(Thumb(vs), 50);
    EXPECT_EQ(ErrorOf([&] { vs.Value(99); }), 380);
    EXPECT_EQ(ErrorOf([&] { vs.Value(201); }), 380);
}

// What the bar sends its container for the user's arrows, track and keys.
TEST_F(Volume, ArrowsTrackAndKeysStepByTheChanges) {
    rt::VScrollBar& vs = form.vsVolume;
    vs.Max(1000);
    vs.SmallChange(10);
    vs.LargeChange(100);
    HWND h = vs.hWnd();
    RECT r;
    GetClientRect(h, &r);
    auto click = [&](int y) {
        PostMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right / 2, y));
        PostMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(r.right / 2, y));
        rt::DoEvents();
    };
    click(r.bottom - 3); // the down arrow
    EXPECT_EQ(vs.Value(), 10);
    click(r.bottom - GetSystemMetrics(SM_CYVSCROLL) - 5); // the track under the thumb
    EXPECT_EQ(vs.Value(), 110);
    click(3); // the up arrow
    EXPECT_EQ(vs.Value(), 100);
    EXPECT_EQ(form.events, (Strings{"change 10", "change 110", "change 100"}));

    form.events.clear();
    vs.SetFocus();
    for (WORD key : {VK_DOWN, VK_NEXT, VK_END, VK_DOWN, VK_HOME, VK_UP}) PostKey(h, key);
    rt::DoEvents();
    EXPECT_EQ(form.events, (Strings{"change 110", "change 210", "change 1000", "change 0"}));
    EXPECT_EQ(Thumb(vs), 0);

    // Backwards: down still moves towards Max.
    form.events.clear();
    vs.Min(500);
    vs.Max(0);
    click(r.bottom - 3);
    EXPECT_EQ(vs.Value(), 490);
    EXPECT_EQ(Thumb(vs), 10);
    EXPECT_EQ(form.events, (Strings{"change 500", "change 490"}));
}

// Dragging the thumb: Scroll for every move, one Change when it is let go.
TEST_F(Volume, DraggingTheThumbScrollsThenChangesOnce) {
    rt::VScrollBar& vs = form.vsVolume;
    vs.Max(1000);
    HWND h = vs.hWnd();
    RECT r;
    GetClientRect(h, &r);
    int x = r.right / 2, arrow = GetSystemMetrics(SM_CYVSCROLL);
    int y = arrow + 4; // on the thumb, at the top
    PostMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y + 60));
    PostMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y + 120));
    PostMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(x, y + 120));
    rt::DoEvents();
    ASSERT_EQ(form.events.size(), 3u);
    EXPECT_EQ(form.events[0].rfind("scroll ", 0), 0u);
    EXPECT_EQ(form.events[1].rfind("scroll ", 0), 0u);
    EXPECT_NE(form.events[0], form.events[1]);
    EXPECT_EQ(form.events[2], "change " + std::to_string(vs.Value()));
    EXPECT_EQ("scroll " + std::to_string(vs.Value()), form.events[1]);
    EXPECT_GT(vs.Value(), 0);
    EXPECT_EQ(Thumb(vs), vs.Value());
}

} // namespace
