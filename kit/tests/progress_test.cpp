// The progress bar as drawn into a real picture box: the fills, the percent
// text, its placement, and the set-up switch.
#include <gtest/gtest.h>

#include <kit/kit.h>
#include <rt/scripted_user.h>

#include <algorithm>

#include "test_support.h"

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

class Progress : public rt::test::FormFixture<BarForm> {
  protected:
    void SetUp() override {
        FormFixture::SetUp();
        w = static_cast<int>(form.Bar.ScaleWidth() / rt::Screen::TwipsPerPixelX());
        h = static_cast<int>(form.Bar.ScaleHeight() / rt::Screen::TwipsPerPixelY());
    }

    COLORREF At(rt::PictureBox& p, int x, int y) { return GetPixel(p.SurfaceDC(), x, y); }
    // The box of text pixels (neither bar nor back colour), inclusive; left -1 for none.
    RECT TextBounds() {
        RECT r{-1, -1, -1, -1};
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const COLORREF c = At(form.Bar, x, y);
                if (c == rt::ResolveColor(kBlue) || c == rt::ResolveColor(kFace)) continue;
                if (r.left < 0 || x < r.left) r.left = x;
                if (r.top < 0) r.top = y;
                r.right = std::max<LONG>(r.right, x);
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
    int w = 0, h = 0;
};

TEST_F(Progress, FillsReachTheFractionAndOutsideValuesAreUsedUnchanged) {
    const COLORREF blue = rt::ResolveColor(kBlue), face = rt::ResolveColor(kFace);
    Draw(0, 3, 1, false);
    EXPECT_EQ(At(form.Bar, w / 3 - 2, h / 2), blue);
    EXPECT_EQ(At(form.Bar, w / 3 + 2, h / 2), face);
    { // and on the screen, after the bar's own refresh
        HDC dc = GetDC(form.Bar.hWnd());
        EXPECT_EQ(GetPixel(dc, 2, h / 2), blue);
        EXPECT_EQ(GetPixel(dc, w - 3, h / 2), face);
        ReleaseDC(form.Bar.hWnd(), dc);
    }
    // Value = Min, = Max, below and above the range: the colour at both ends.
    const struct {
        long min, max, value;
        COLORREF left, right;
    } cases[] = {{10, 20, 10, face, face},
                 {10, 20, 20, blue, blue},
                 {0, 10, -5, face, face},
                 {0, 10, 15, blue, blue}};
    for (const auto& c : cases) {
        Draw(c.min, c.max, c.value, false);
        EXPECT_EQ(At(form.Bar, 0, h / 2), c.left) << c.value;
        EXPECT_EQ(At(form.Bar, w - 1, h / 2), c.right) << c.value;
    }
}

TEST_F(Progress, PercentTextIsTheRoundedWholePercent) {
    const struct {
        long value;
        const char* text;
    } cases[] = {{0, "0%"}, {1, "33%"}, {2, "67%"}, {3, "100%"}};
    for (const auto& c : cases) {
        Draw(0, 3, c.value, true);
        DrawReference(c.value / 3.0, c.text);
        EXPECT_TRUE(SameImage()) << c.text;
        EXPECT_GE(TextBounds().left, 0) << c.text << " printed no text";
    }
    DrawReference(1 / 3.0, "34%"); // the comparison tells neighbouring texts apart
    Draw(0, 3, 1, true);
    EXPECT_FALSE(SameImage());
}

TEST_F(Progress, EmptyRangeKeepsTheOldBarAndSetUpShowsTheBox) {
    Draw(0, 100, 50, false);
    DrawReference(0.5, "");
    ASSERT_TRUE(SameImage());
    Draw(7, 7, 7, true); // nothing can be computed: the old bar stays, no text
    EXPECT_TRUE(SameImage());
    EXPECT_EQ(TextBounds().left, -1);
    Draw(-2147483647 - 1, 2147483647, 0, true); // the range overflows a Long
    EXPECT_TRUE(SameImage());

    form.Bar.Visible(false);
    Draw(0, 10, 5, false, 2, true);
    EXPECT_FALSE(IsWindowVisible(form.Bar.hWnd()));
    Draw(0, 10, 5, false, 2, false);
    EXPECT_TRUE(IsWindowVisible(form.Bar.hWnd()));
    kit::DrawProgress(nullptr, 0, 10, 5, true, kWhite, kBlue, kFace, 2, false); // no box: nothing
}

TEST_F(Progress, TextAlignsLeftRightOrCentreAndIsVerticallyCentred) {
    RECT at[3];
    for (long align : {0, 1, 2}) {
        Draw(0, 100, 50, true, align);
        at[align] = TextBounds();
        ASSERT_GE(at[align].left, 0) << align;
        EXPECT_EQ(at[align].right - at[align].left, at[0].right - at[0].left); // the same text
        EXPECT_EQ(at[align].top, at[0].top);
        EXPECT_EQ(at[align].bottom, at[0].bottom);
    }
    EXPECT_LE(at[0].left, 2);      // one unit from the left edge
    EXPECT_GE(at[1].right, w - 3); // one unit from the right edge
    EXPECT_LE(at[1].right, w - 1);
    EXPECT_NEAR((at[2].left + at[2].right) / 2, w / 2, 2);
    EXPECT_NEAR((at[2].top + at[2].bottom) / 2.0, h / 2.0, 3.0);
}

} // namespace
