// The picture box as a container: controls inside it drawn over what was
// drawn, transparent labels showing the drawing and the controls beneath,
// clicks on lightweight controls inside, nested boxes, the back colour
// refilling the surface, and a surface that cannot be made.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rt/error.h"
#include "rt/forms.h"
#include "rt/services.h"
#include "test_support.h"

namespace {

using namespace rt::test;

// A small sample window: a desktop picture box holding a title bar (a picture
// box with a gradient drawn on it and a transparent caption), a menu strip (an
// opaque label with a transparent text over it) and a click area (an image).
class DesktopSample : public rt::Form {
  public:
    DesktopSample() {
        Caption("  Desktop Sample");
        ClientSize(6000, 3600);
        Desktop.Move(120, 120, 5775, 2610);
        Desktop.BorderStyle(0);
        Desktop.BackColor(0x00808000);
        TitleBar.Move(240, 240, 4245, 265);
        TitleBar.BorderStyle(0);
        TitleBar.BackColor(0x00800000);
        TitleText.Move(45, 0, 2000, 265);
        TitleText.Caption("Active Window");
        TitleText.BackStyle(0);
        TitleText.ForeColor(0x00FFFFFF);
        Gradient.Move(2940, 0, 1305, 265);
        MenuText.Move(300, 1065, 1000, 255);
        MenuText.Caption(" Normal");
        MenuText.BackStyle(0);
        Menu.Move(240, 1050, 3495, 255);
        Menu.BackColor(0x00C0C0C0);
        Edge.BorderColor = 0x000000FF;
        Desktop.Click = [this] { clicks.push_back("Desktop"); };
        TitleBar.Click = [this] { clicks.push_back("TitleBar"); };
        TitleText.Click = [this] { clicks.push_back("TitleText"); };
        Gradient.Click = [this] { clicks.push_back("Gradient"); };
        Menu.Click = [this] { clicks.push_back("Menu"); };
        ScrollBar.Move(5000, 1350, 255, 615);
        ScrollBar.Change = [this] { clicks.push_back("ScrollBar " + std::to_string(ScrollBar.Value())); };
    }
    rt::PictureBox Desktop{*this};
    rt::PictureBox TitleBar{Desktop};
    rt::Label TitleText{TitleBar};
    rt::Image Gradient{TitleBar};
    rt::Label MenuText{Desktop}; // made before the strip: in front of it
    rt::Label Menu{Desktop};
    rt::Line Edge{Desktop, 0, 2000, 5775, 2000};
    rt::VScrollBar ScrollBar{Desktop};
    std::vector<std::string> clicks;
};

using PictureContainer = FormFixture<DesktopSample>;

// Whether any pixel of a window's client area has this colour.
bool ShowsColour(HWND w, COLORREF colour) {
    RECT r;
    GetClientRect(w, &r);
    HDC dc = GetDC(w);
    bool found = false;
    for (int y = 0; y < r.bottom && !found; ++y)
        for (int x = 0; x < r.right && !found; ++x) found = GetPixel(dc, x, y) == colour;
    ReleaseDC(w, dc);
    return found;
}

void Settle() {
    rt::DoEvents();
    RedrawWindow(nullptr, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    rt::DoEvents();
}

TEST_F(PictureContainer, ControlsInsideAreChildWindowsOverTheDrawing) {
    ASSERT_NE(form.TitleBar.hWnd(), nullptr);
    EXPECT_EQ(GetParent(form.TitleBar.hWnd()), form.Desktop.hWnd());
    EXPECT_EQ(GetParent(form.TitleText.hWnd()), form.TitleBar.hWnd());
    EXPECT_EQ(GetParent(form.Menu.hWnd()), form.Desktop.hWnd());

    // A gradient drawn on the title bar shows through the transparent caption.
    rt::PictureBox& bar = form.TitleBar;
    bar.AutoRedraw(true);
    for (int px = 0; px < 283; ++px)
        bar.Line(px * 15, 0, px * 15, 265, RGB(0, 0, px % 256), false);
    bar.Refresh();
    Settle();
    HWND caption = form.TitleText.hWnd();
    RECT cr;
    GetClientRect(caption, &cr);
    int y = cr.bottom - 1; // under the text's baseline
    EXPECT_EQ(ShownPixel(caption, 10, y), RGB(0, 0, 3 + 10)); // the label's left is 3 pixels in
    EXPECT_EQ(ShownPixel(caption, 100, y), RGB(0, 0, 3 + 100));
    EXPECT_TRUE(ShowsColour(caption, RGB(255, 255, 255))); // and the white text over it

    // New drawing under the caption shows through at once.
    bar.Line(0, 0, 4245, 265, 0x0000FF00, true, true);
    bar.Refresh();
    Settle();
    EXPECT_EQ(ShownPixel(caption, 10, y), RGB(0, 255, 0));

    // The transparent text over the opaque strip shows the strip, not the desktop.
    HWND text = form.MenuText.hWnd();
    GetClientRect(text, &cr);
    EXPECT_EQ(ShownPixel(text, cr.right - 2, cr.bottom - 2), RGB(192, 192, 192));
    // And a line drawn by the desktop under a transparent label shows in it.
    form.MenuText.Move(300, 1900, 1000, 255);
    Settle();
    GetClientRect(text, &cr);
    EXPECT_EQ(ShownPixel(text, cr.right - 3, 133 - 127), RGB(255, 0, 0)) << "the line at y 2000";
}

TEST_F(PictureContainer, ClicksReachTheControlUnderThePointer) {
    auto click = [&](rt::Control& c, int x, int y) {
        HWND w = c.hWnd();
        PostMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        PostMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        rt::DoEvents();
    };
    click(form.TitleBar, 10, 8);                             // its left part
    click(form.TitleBar, (2940 + 300) / 15, 8);              // the image over its right part
    click(form.TitleText, 2, 2);                             // the transparent caption
    click(form.Desktop, 5, 150);                             // the desktop itself
    click(form.Menu, 150, 5);                                // the strip
    RECT bar;
    GetClientRect(form.ScrollBar.hWnd(), &bar);
    click(form.ScrollBar, bar.right / 2, bar.bottom - 3);    // the scroll bar's down arrow
    EXPECT_EQ(form.clicks, (std::vector<std::string>{"TitleBar", "Gradient", "TitleText",
                                                      "Desktop", "Menu", "ScrollBar 1"}));
    // A hidden image takes no click: its box does.
    form.clicks.clear();
    form.Gradient.Visible(false);
    click(form.TitleBar, (2940 + 300) / 15, 8);
    EXPECT_EQ(form.clicks, (std::vector<std::string>{"TitleBar"}));
}

TEST_F(PictureContainer, BackColorRefillsTheSurfaceAndKeepsTheControls) {
    rt::PictureBox& desk = form.Desktop;
    desk.AutoRedraw(true);
    desk.Line(0, 0, 600, 600, 0x000000FF, true, true);
    desk.BackColor(0x00FFFFFF);
    Settle();
    EXPECT_EQ(GetPixel(desk.SurfaceDC(), 5, 5), RGB(255, 255, 255)); // the drawing went
    EXPECT_EQ(ShownPixel(desk.hWnd(), 5, 5), RGB(255, 255, 255));
    EXPECT_EQ(ShownPixel(desk.hWnd(), 2, 133), RGB(255, 0, 0)); // the line control stays
    EXPECT_TRUE(IsWindowVisible(form.TitleBar.hWnd()));
    EXPECT_EQ(desk.BackColor(), 0x00FFFFFF);
    // The strip's transparent text follows the new surface where it shows it.
    form.MenuText.Move(300, 1500, 1000, 255);
    Settle();
    EXPECT_EQ(ShownPixel(form.MenuText.hWnd(), 1, 1), RGB(255, 255, 255));
}

TEST_F(PictureContainer, ASurfaceTooLargeFailsInTheProgramNotInTheWindowProcedure) {
    rt::PictureBox& bar = form.TitleBar;
    bar.AutoRedraw(true);
    bar.Line(0, 0, 300, 150, 0x000000FF, true, true);
    HWND h = bar.hWnd();
    // Grown far beyond any memory by the window manager: the sizing and the
    // paint that follow raise nothing through Win32.
    EXPECT_EQ(ErrorOf([&] {
                  SetWindowPos(h, nullptr, 0, 0, 60000, 60000, SWP_NOZORDER | SWP_NOMOVE);
              }),
              0);
    RECT r;
    GetClientRect(h, &r);
    ASSERT_GT(4LL * r.right * r.bottom, 1LL << 31) << "not grown";
    EXPECT_EQ(ErrorOf([&] {
                  InvalidateRect(h, nullptr, FALSE);
                  UpdateWindow(h);
                  SendMessageW(h, WM_SIZE, SIZE_RESTORED, MAKELPARAM(60000, 60000));
              }),
              0);
    // The program hears of it at its next drawing call, as an error it can handle.
    EXPECT_EQ(ErrorOf([&] { bar.Line(0, 0, 150, 150, 0, true, true); }), 7);
    EXPECT_EQ(ErrorOf([&] { bar.Move(240, 240, 1000000, 1000000); }), 7);
    // Back to a size that fits: the drawing is still there.
    bar.Move(240, 240, 4245, 265);
    EXPECT_EQ(GetPixel(bar.SurfaceDC(), 5, 5), RGB(255, 0, 0));
    bar.Line(0, 0, 150, 150, 0x0000FF00, true, true);
    EXPECT_EQ(GetPixel(bar.SurfaceDC(), 5, 5), RGB(0, 255, 0));
}

} // namespace
