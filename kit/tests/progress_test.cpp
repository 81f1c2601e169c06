// The progress bar as drawn into a real picture box: the fills, the percent
// text, its placement, and the set-up switch.
#include <gtest/gtest.h>

#include <kit/kit.h>
#include <rt/scripted_user.h>

namespace {

constexpr long kWhite = 0xFFFFFF, kBlue = 0xFF0000, kFace = 0x8000000F;

class BarForm : public rt::Form {
  public:
    BarForm() {
        ClientSize(4000, 1200);
        Bar.Move(120, 120, 3000, 375);
        Ref.Move(120, 600, 3000, 375);
        for (rt::PictureBox* p : {&Bar, &Ref}) {
            p->BorderStyle(0);
            p->AutoRedraw(true);
        }
    }
    rt::PictureBox Bar{*this};
    rt::PictureBox Ref{*this};
};

class Progress : public testing::Test {
  protected:
    void SetUp() override {
        form.Show();
        w = static_cast<int>(form.Bar.ScaleWidth() / rt::Screen::TwipsPerPixelX());
        h = static_cast<int>(form.Bar.ScaleHeight() / rt::Screen::TwipsPerPixelY());
    }
    void TearDown() override { form.Unload(); }

    COLORREF At(rt::PictureBox& p, int x, int y) { return GetPixel(p.SurfaceDC(), x, y); }
    bool IsText(int x, int y) {
        COLORREF c = At(form.Bar, x, y);
        return c != rt::ResolveColor(kBlue) && c != rt::ResolveColor(kFace);
    }
    // The box of text pixels: left, top, right, bottom (inclusive), or left -1.
    RECT TextBounds() {
        RECT r{-1, -1, -1, -1};
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (IsText(x, y)) {
                    if (r.left < 0 || x < r.left) r.left = x;
                    if (r.top < 0) r.top = y;
                    if (x > r.right) r.right = x;
                    r.bottom = y;
                }
        return r;
    }
    bool SameImage() {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (At(form.Bar, x, y) != At(form.Ref, x, y)) return false;
        return true;
    }
    // What a bar at `fraction` with `text` centred looks like, drawn by hand.
    void DrawReference(double fraction, const std::string& text) {
        rt::PictureBox& r = form.Ref;
        const double sw = r.ScaleWidth(), sh = r.ScaleHeight();
        r.Line(0, 0, fraction * sw, sh, kBlue, true, true);
        r.Line(fraction * sw, 0, sw, sh, kFace, true, true);
        r.CurrentX(sw / 2 - r.TextWidth(text) / 2);
        r.CurrentY((sh - r.TextHeight(text)) / 2);
        r.ForeColor(kWhite);
        r.Print(text);
        r.Refresh();
    }
    void Draw(long min, long max, long value, bool text, long align = 2, bool skip = true) {
        kit::DrawProgress(&form.Bar, min, max, value, text, kWhite, kBlue, kFace, align, skip);
    }

    rt::ScriptedUser user;
    BarForm form;
    int w = 0, h = 0;
};

TEST_F(Progress, FillsReachTheFractionAndOutsideValuesAreUsedUnchanged) {
    const COLORREF blue = rt::ResolveColor(kBlue), face = rt::ResolveColor(kFace);

    Draw(0, 3, 1, false);
    EXPECT_EQ(At(form.Bar, w / 3 - 2, h / 2), blue);
    EXPECT_EQ(At(form.Bar, w / 3 + 2, h / 2), face);
    EXPECT_EQ(At(form.Bar, 0, 0), blue);
    EXPECT_EQ(At(form.Bar, w - 1, h - 1), face);
    { // and on the screen, after the bar's own refresh
        HDC dc = GetDC(form.Bar.hWnd());
        EXPECT_EQ(GetPixel(dc, 2, h / 2), blue);
        EXPECT_EQ(GetPixel(dc, w - 3, h / 2), face);
        ReleaseDC(form.Bar.hWnd(), dc);
    }

    Draw(10, 20, 10, false); // Value = Min: all back colour
    EXPECT_EQ(At(form.Bar, 0, h / 2), face);
    EXPECT_EQ(At(form.Bar, w - 1, h / 2), face);
    Draw(10, 20, 20, false); // Value = Max: all bar colour
    EXPECT_EQ(At(form.Bar, 0, h / 2), blue);
    EXPECT_EQ(At(form.Bar, w - 1, h / 2), blue);
    Draw(0, 10, -5, false); // below the range: the back colour covers the box
    EXPECT_EQ(At(form.Bar, 0, h / 2), face);
    EXPECT_EQ(At(form.Bar, w / 2, h / 2), face);
    Draw(0, 10, 15, false); // above the range: the bar colour covers it
    EXPECT_EQ(At(form.Bar, w / 2, h / 2), blue);
    EXPECT_EQ(At(form.Bar, w - 1, h / 2), blue);
}

TEST_F(Progress, PercentTextIsTheRoundedWholePercent) {
    struct Case {
        long value;
        const char* text;
    } cases[] = {{0, "0%"}, {1, "33%"}, {2, "67%"}, {3, "100%"}};
    for (const Case& c : cases) {
        Draw(0, 3, c.value, true);
        DrawReference(c.value / 3.0, c.text);
        EXPECT_TRUE(SameImage()) << c.text;
        EXPECT_GE(TextBounds().left, 0) << c.text << " printed no text";
    }
    DrawReference(1 / 3.0, "34%"); // the comparison tells neighbouring texts apart
    Draw(0, 3, 1, true);
    EXPECT_FALSE(SameImage());
}

TEST_F(Progress, EmptyRangeSkipsBothFillsAndPrintsNoText) {
    Draw(0, 100, 50, false);
    DrawReference(0.5, "");
    ASSERT_TRUE(SameImage());
    Draw(7, 7, 7, true); // nothing can be computed: the old bar stays, no text
    EXPECT_TRUE(SameImage());
    EXPECT_EQ(TextBounds().left, -1);
    Draw(-2147483647 - 1, 2147483647, 0, true); // the range overflows a Long
    EXPECT_TRUE(SameImage());
}

TEST_F(Progress, SetUpShowsTheBoxUnlessSkipped) {
    form.Bar.Visible(false);
    Draw(0, 10, 5, false, 2, true);
    EXPECT_FALSE(form.Bar.Visible());
    EXPECT_FALSE(IsWindowVisible(form.Bar.hWnd()));
    Draw(0, 10, 5, false, 2, false);
    EXPECT_TRUE(form.Bar.Visible());
    EXPECT_TRUE(form.Bar.AutoRedraw());
    kit::DrawProgress(nullptr, 0, 10, 5, true, kWhite, kBlue, kFace, 2, false); // no box: nothing
}

TEST_F(Progress, TextAlignsLeftRightOrCentreAndIsVerticallyCentred) {
    Draw(0, 100, 50, true, 0);
    RECT left = TextBounds();
    Draw(0, 100, 50, true, 1);
    RECT right = TextBounds();
    Draw(0, 100, 50, true, 2);
    RECT centre = TextBounds();
    ASSERT_GE(left.left, 0);
    ASSERT_GE(right.left, 0);
    ASSERT_GE(centre.left, 0);

    EXPECT_LE(left.left, 2);                // one unit from the left edge
    EXPECT_GE(right.right, w - 3);          // one unit from the right edge
    EXPECT_LE(right.right, w - 1);
    const int mid = (centre.left + centre.right) / 2;
    EXPECT_NEAR(mid, w / 2, 2);
    EXPECT_EQ(right.right - right.left, left.right - left.left); // the same text each time
    for (const RECT& r : {left, right, centre}) {
        EXPECT_EQ(r.top, centre.top);
        EXPECT_EQ(r.bottom, centre.bottom);
        EXPECT_NEAR((r.top + r.bottom) / 2.0, h / 2.0, 3.0);
    }
}

} // namespace
