// Shapes drawn by their container under its windowed controls: border and
// fill in plain and system colours, and clicks that pass through to what lies
// under them.
#include <windows.h>

#include <gtest/gtest.h>

#include "rt/forms.h"
#include "test_support.h"

namespace {

using namespace rt::test;

class SampleForm : public rt::Form {
  public:
    SampleForm() {
        Caption("  Sample");
        ClientSize(4000, 3000);
        BackColor(0x00FFFFFF);
        imgUnder.Move(0, 0, 4000, 3000);
        imgUnder.Click = [this] { ++clicks; };
        ActiveBorder.Move(300, 300, 1500, 1500); // 20 x 20 pixels from (20, 20)
        ActiveBorder.BorderColor = 0x8000000A;   // active border
        ActiveBorder.BorderWidth = 3;
        ActiveBorder.FillStyle = rt::vbFSSolid;
        ActiveBorder.FillColor = 0x00FF0000;
        Outline.Move(2100, 300, 1500, 1500);
        Outline.BorderColor = 0x000000FF;
        lblOver.Move(600, 600, 300, 300);
        lblOver.BackColor(0x0000FF00);
    }
    rt::Shape ActiveBorder{*this};
    rt::Shape Outline{*this};
    rt::Image imgUnder{*this}; // an empty image under the whole form
    rt::Label lblOver{*this};
    int clicks = 0;
};

using Shapes = FormFixture<SampleForm>;

TEST_F(Shapes, BorderAndFillUnderTheControls) {
    HWND h = form.hWnd();
    const COLORREF border = GetSysColor(COLOR_ACTIVEBORDER);
    EXPECT_EQ(ShownPixel(h, 20, 30), border); // the three border pixels
    EXPECT_EQ(ShownPixel(h, 22, 30), border);
    EXPECT_EQ(ShownPixel(h, 30, 119), border);
    EXPECT_EQ(ShownPixel(h, 23, 30), RGB(0, 0, 0xFF)); // the fill
    EXPECT_EQ(ShownPixel(h, 60, 100), RGB(0, 0, 0xFF));
    EXPECT_EQ(ShownPixel(h, 45, 45), RGB(0, 0xFF, 0)); // the label stands over it
    EXPECT_EQ(ShownPixel(h, 19, 30), RGB(0xFF, 0xFF, 0xFF));
    EXPECT_EQ(ShownPixel(h, 120, 30), RGB(0xFF, 0xFF, 0xFF));

    // Transparent inside: an outline in a plain colour.
    EXPECT_EQ(ShownPixel(h, 140, 30), RGB(0xFF, 0, 0));
    EXPECT_EQ(ShownPixel(h, 141, 30), RGB(0xFF, 0xFF, 0xFF));
    EXPECT_EQ(ShownPixel(h, 160, 60), RGB(0xFF, 0xFF, 0xFF));

    // Hidden, the shape leaves the background.
    form.ActiveBorder.Visible(false);
    EXPECT_EQ(ShownPixel(h, 60, 100), RGB(0xFF, 0xFF, 0xFF));
}

TEST_F(Shapes, ClicksPassThroughToWhatIsUnder) {
    HWND h = form.hWnd();
    for (int x : {60, 140, 250}) {
        SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 60));
        SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(x, 60));
    }
    EXPECT_EQ(form.clicks, 3);
}

// The window borders of a drawn sample: shapes inside a picture box, under
// its labels, over its back colour.
TEST(ShapeInPictureBox, DrawnOverTheBackColour) {
    SampleForm form;
    rt::PictureBox DesktopBackground{form};
    DesktopBackground.Move(0, 1950, 1500, 900);
    DesktopBackground.BorderStyle(0);
    DesktopBackground.BackColor(0x80000001); // the desktop
    rt::Shape InactiveBorder{DesktopBackground};
    InactiveBorder.Move(150, 150, 600, 450); // 40 x 30 pixels from (10, 10)
    InactiveBorder.BorderColor = 0x8000000B;
    InactiveBorder.BorderWidth = 2;
    form.Show();
    HWND h = DesktopBackground.hWnd();
    EXPECT_EQ(ShownPixel(h, 5, 5), GetSysColor(COLOR_DESKTOP));
    EXPECT_EQ(ShownPixel(h, 11, 20), GetSysColor(COLOR_INACTIVEBORDER));
    EXPECT_EQ(ShownPixel(h, 30, 38), GetSysColor(COLOR_INACTIVEBORDER));
    EXPECT_EQ(ShownPixel(h, 30, 20), GetSysColor(COLOR_DESKTOP));
    form.Unload();
}

} // namespace
