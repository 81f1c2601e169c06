// The gradient fill on a real picture box, read back pixel by pixel.
#include <windows.h>

#include <rt.h>

#include "modGradObj.h"
#include "test_support.h"

namespace decorum {
namespace {

class Canvas : public rt::Form {
  public:
    Canvas() {
        BorderStyle(rt::vbFixedSingle);
        ClientSize(3000, 1500);
        Bar.BorderStyle(0);
        Bar.Move(0, 0, 1500, 600);
        Bar.BackColor(0x00FFFFFF);
    }
    rt::PictureBox Bar{*this};
};

class GradientTest : public rt::test::FormFixture<Canvas> {
  protected:
    COLORREF At(int x, int y) { return GetPixel(form.Bar.SurfaceDC(), x, y); }
    int Px(long twips) const { return static_cast<int>(twips / rt::Screen::TwipsPerPixelX()); }
    // The colour of every pixel column along the top row.
    std::vector<COLORREF> Columns() {
        std::vector<COLORREF> row;
        for (int x = 0; x < Px(form.Bar.Width()); ++x) row.push_back(At(x, 0));
        return row;
    }
};

TEST_F(GradientTest, LeftToRightEndsOnTheSecondColour) {
    ASSERT_EQ(rt::Screen::TwipsPerPixelX(), 15);
    DrawGradient(form.Bar, 0x000000, 0x0000FF, LeftToRight, 1); // black to red, 100 lines
    EXPECT_TRUE(form.Bar.AutoRedraw());
    const auto row = Columns();
    ASSERT_EQ(row.size(), 100u);
    EXPECT_EQ(row.front(), RGB(3, 0, 0)); // one step (2.55) past the start already
    EXPECT_EQ(row.back(), RGB(255, 0, 0));
    for (size_t x = 1; x < row.size(); ++x) EXPECT_GE(GetRValue(row[x]), GetRValue(row[x - 1]));
    // Each line runs the whole height.
    EXPECT_EQ(At(50, 0), At(50, Px(form.Bar.Height()) - 2));

    DrawGradient(form.Bar, 0x00406080, 0x00406080, LeftToRight, 1); // equal colours
    for (COLORREF c : Columns()) EXPECT_EQ(c, RGB(0x80, 0x60, 0x40));
    // A blue byte below 16 still starts the blue channel.
    DrawGradient(form.Bar, 0x0A8000, 0x0A8000 + 0x640000, LeftToRight, 1);
    EXPECT_EQ(Columns().back(), RGB(0, 0x80, 0x6E));
    EXPECT_EQ(GetBValue(Columns().front()), 0x0A + 1);
}

TEST_F(GradientTest, TheOtherDirections) {
    DrawGradient(form.Bar, 0x000000, 0x00FF00, RightToLeft, 1);
    EXPECT_EQ(Columns().front(), RGB(0, 255, 0)); // the last line drawn, at the left
    EXPECT_EQ(Columns().back(), RGB(0, 5, 0)); // the first line lies just past the edge
    DrawGradient(form.Bar, 0x000000, 0xFF0000, TopToBottom, 1);
    const int bottom = static_cast<int>(form.Bar.Height() / rt::Screen::TwipsPerPixelY()) - 1;
    EXPECT_EQ(At(10, 0), RGB(0, 0, 6));
    EXPECT_EQ(At(10, bottom), RGB(0, 0, 255));
    DrawGradient(form.Bar, 0x000000, 0xFF0000, BottomToTop, 1);
    EXPECT_EQ(At(10, 0), RGB(0, 0, 255));
    EXPECT_EQ(At(10, bottom), RGB(0, 0, 13));
    // Any other direction runs downwards a fifteenth of the way only.
    DrawGradient(form.Bar, 0x000000, 0x0000FF, 7, 1);
    EXPECT_EQ(At(10, bottom), RGB(17, 0, 0));
}

TEST_F(GradientTest, BadArgumentsDrawNothingAndColoursStayInRange) {
    form.Bar.AutoRedraw(false);
    const auto before = Columns();
    DrawGradient(form.Bar, -1, 0x0000FF, LeftToRight, 1); // an untranslated colour
    DrawGradient(form.Bar, 0x0000FF, -1, LeftToRight, 1);
    EXPECT_FALSE(form.Bar.AutoRedraw());
    // A step that would never move on returns at once.
    DrawGradient(form.Bar, 0x000000, 0x0000FF, LeftToRight, 0);
    DrawGradient(form.Bar, 0x000000, 0x0000FF, TopToBottom, -3);
    EXPECT_EQ(Columns(), before);

    // 1515 twips: 101 lines for a hundred steps' worth of colour, so the last
    // one would pass white; it stays white instead of spilling into green.
    form.Bar.Width(1515);
    DrawGradient(form.Bar, 0x000000, 0x0000FF, LeftToRight, 1);
    const auto row = Columns();
    EXPECT_EQ(row.back(), RGB(255, 0, 0));
    for (COLORREF c : row) EXPECT_EQ(GetGValue(c) + GetBValue(c), 0);
    DrawGradient(form.Bar, 0x0000FF, 0x000000, LeftToRight, 1);
    EXPECT_EQ(Columns().back(), RGB(0, 0, 0));
}

} // namespace
} // namespace decorum
