// A label sized to its text shows the whole of a new caption at once, as the
// counters of a long run change while it yields.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rt/forms.h"
#include "rt/services.h"
#include "test_support.h"

namespace {

class CounterForm : public rt::Form {
  public:
    CounterForm() {
        Caption("  Counter");
        ClientSize(5000, 1500);
        lblCount.Move(120, 120, 0, 0);
        lblCount.AutoSize(true);
        lblCount.Caption("Lines In File = 0");
    }
    rt::Label lblCount{*this};
};

// The pixels the screen shows for a window, row by row.
std::vector<COLORREF> Shown(HWND w) {
    RECT r;
    GetClientRect(w, &r);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < r.bottom; ++y)
        for (int x = 0; x < r.right; ++x) pixels.push_back(rt::test::ShownPixel(w, x, y));
    return pixels;
}

TEST(LabelTest, AnAutoSizedLabelShowsItsNewCaptionWhole) {
    CounterForm form;
    form.Show();
    rt::DoEvents();
    for (const char* caption : {"Lines In File = 1143902", "Lines In File = 8", "Lines In File = 77"}) {
        SCOPED_TRACE(caption);
        form.lblCount.Caption(caption);
        rt::DoEvents();
        const std::vector<COLORREF> shown = Shown(form.lblCount.hWnd());
        RedrawWindow(form.lblCount.hWnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        EXPECT_TRUE(shown == Shown(form.lblCount.hWnd())) << "what was shown differs from the caption drawn anew";
    }
    form.Unload();
}

} // namespace
