// Selecting a range of a list box's entries in one step leaves the list as
// setting each entry's selection in turn leaves it: the same entries
// selected, the same caret, anchor and first entry in view, no click.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rt/forms.h"
#include "rt/services.h"
#include "test_support.h"

namespace {

using namespace rt::test;

constexpr int kEntries = 200;

// Two lists alike side by side, one set entry by entry, one by range.
class TwinListsForm : public rt::Form {
  public:
    explicit TwinListsForm(int multiSelect) {
        Caption("  Twin Lists");
        ClientSize(7000, 4000);
        for (rt::ListBox* list : {&ByEntry, &ByRange}) {
            list->MultiSelect(multiSelect);
            list->Click = [this, list] { ++(list == &ByEntry ? entryClicks : rangeClicks); };
        }
        ByEntry.Move(120, 120, 3000, 3000);
        ByRange.Move(3600, 120, 3000, 3000);
    }
    rt::ListBox ByEntry{*this};
    rt::ListBox ByRange{*this};
    int entryClicks = 0, rangeClicks = 0;
};

struct Step {
    int first, last;
    bool select;
};

// From the same start (a line clicked by the user, then the view scrolled),
// each step done on both lists, the two compared after every step.
void ExpectTwinsAlike(int multiSelect, int clicked, int top, const std::vector<Step>& steps) {
    TwinListsForm form(multiSelect);
    form.Show();
    rt::DoEvents();
    for (rt::ListBox* list : {&form.ByEntry, &form.ByRange}) {
        for (int i = 0; i < kEntries; ++i) list->AddItem("Entry " + std::to_string(1000 + i));
        rt::DoEvents();
        RECT r{};
        SendMessageW(list->hWnd(), LB_GETITEMRECT, static_cast<WPARAM>(clicked), reinterpret_cast<LPARAM>(&r));
        const LPARAM at = MAKELPARAM(r.left + 5, (r.top + r.bottom) / 2);
        SendMessageW(list->hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(list->hWnd(), WM_LBUTTONUP, 0, at);
        SendMessageW(list->hWnd(), LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
    }
    const int clicks = form.rangeClicks;
    for (const Step& step : steps) {
        SCOPED_TRACE(::testing::Message() << "MultiSelect " << multiSelect << ", entries " << step.first
                                          << " to " << step.last << (step.select ? " selected" : " cleared"));
        for (int i = step.first; i <= step.last; ++i) form.ByEntry.Selected(i, step.select);
        form.ByRange.SelectRange(step.first, step.last, step.select);
        rt::DoEvents();
        EXPECT_EQ(SelectionOf(form.ByRange.hWnd()), SelectionOf(form.ByEntry.hWnd()));
        EXPECT_EQ(form.ByRange.ListIndex(), form.ByEntry.ListIndex());
    }
    EXPECT_EQ(form.rangeClicks, clicks);
    EXPECT_EQ(form.rangeClicks, form.entryClicks);
    form.Unload();
}

TEST(ListBoxRange, EveryEntrySelectedAndClearedAsEntryByEntry) {
    for (int multiSelect : {2, 1, 0}) {
        // From the top, and from a view scrolled to the middle.
        ExpectTwinsAlike(multiSelect, 3, 0, {{0, kEntries - 1, true}, {0, kEntries - 1, false}});
        ExpectTwinsAlike(multiSelect, 5, 90, {{0, kEntries - 1, true}, {0, kEntries - 1, false}});
    }
}

TEST(ListBoxRange, PartsOfTheListDownToOneOrTwoEntries) {
    const std::vector<Step> steps{{50, 120, true},  {60, 61, false}, {70, 70, false}, {80, 81, true},
                                  {150, 150, true}, {2, 4, true},    {0, 60, false},  {119, 199, false}};
    for (int multiSelect : {2, 1, 0}) ExpectTwinsAlike(multiSelect, 10, 30, steps);
}

TEST(ListBoxRange, IndexesOutsideTheListRaiseAnEmptyRangeDoesNothing) {
    TwinListsForm form(2);
    form.Show();
    rt::DoEvents();
    for (int i = 0; i < 5; ++i) form.ByRange.AddItem("x");
    EXPECT_EQ(ErrorOf([&] { form.ByRange.SelectRange(0, 5, true); }), 381);
    EXPECT_EQ(ErrorOf([&] { form.ByRange.SelectRange(-1, 2, true); }), 381);
    form.ByRange.SelectRange(3, 2, true);
    EXPECT_EQ(SelectionOf(form.ByRange.hWnd()).selected, std::vector<int>{});
    form.Unload();
}

} // namespace
