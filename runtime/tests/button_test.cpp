// Graphical command buttons as a user sees and presses them (back colour,
// picture, the default and focus frames, Enter, Esc, space, quick double
// clicks), and pictures as values shared by several controls and released once.
#include <windows.h>

#include <gtest/gtest.h>

#include "rt/error.h"
#include "rt/forms.h"
#include "test_support.h"

namespace {

using namespace rt::test;

constexpr long kLightGreen = 0x00C0FFC0, kLightRed = 0x00C0C0FF;

// A bitmap of 16 x 16 pixels in one colour, made by the program.
HBITMAP Swatch(COLORREF color) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
    HDC mem = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(mem, bitmap);
    RECT r{0, 0, 16, 16};
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(mem, &r, brush);
    DeleteObject(brush);
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

class ButtonForm : public rt::Form {
  public:
    ButtonForm() {
        Caption("  Buttons");
        ClientSize(6000, 2400);
        rt::Font bold;
        bold.Bold = true;
        Text1.Move(120, 120, 2000, 300);
        cmdStart.Move(120, 600, 1170, 435);
        cmdStart.Caption("&Start");
        cmdStart.Style(rt::vbButtonGraphical);
        cmdStart.BackColor(kLightGreen);
        cmdStart.Font(bold);
        cmdStart.Default(true);
        cmdStop.Move(1380, 600, 1170, 435);
        cmdStop.Caption("S&top");
        cmdStop.Style(rt::vbButtonGraphical);
        cmdStop.BackColor(kLightRed);
        cmdStop.Cancel(true);
        cmdPlain.Move(2640, 600, 1170, 435);
        cmdPlain.Caption("Plain");
        cmdPlain.BackColor(kLightRed); // a standard button keeps its face
        cmdPlay.Move(120, 1200, 450, 450);
        cmdPlay.Style(rt::vbButtonGraphical);
        cmdPause.Move(660, 1200, 450, 450);
        cmdPause.Style(rt::vbButtonGraphical);
        imgNormal.Move(4000, 1200, 240, 240);
        imgNormal.Visible(false);
        imgPaused.Move(4000, 1500, 240, 240);
        imgPaused.Visible(false);
        cmdStart.Click = [this] { ++starts; };
        cmdStop.Click = [this] { ++stops; };
        cmdPlain.Click = [this] { ++plains; };
    }
    rt::TextBox Text1{*this};
    rt::CommandButton cmdStart{*this};
    rt::CommandButton cmdStop{*this};
    rt::CommandButton cmdPlain{*this};
    rt::CommandButton cmdPlay{*this};
    rt::CommandButton cmdPause{*this};
    rt::Image imgNormal{*this};
    rt::Image imgPaused{*this};
    int starts = 0, stops = 0, plains = 0;
};

using Buttons = FormFixture<ButtonForm>;

int HeightOf(HWND w) {
    RECT r;
    GetClientRect(w, &r);
    return r.bottom;
}

TEST_F(Buttons, GraphicalButtonsShowTheirBackColourStandardOnesTheirFace) {
    HWND start = form.cmdStart.hWnd(), plain = form.cmdPlain.hWnd();
    int mid = HeightOf(start) / 2;
    EXPECT_EQ(ShownPixel(start, 6, mid), RGB(0xC0, 0xFF, 0xC0));
    EXPECT_EQ(ShownPixel(form.cmdStop.hWnd(), 6, mid), RGB(0xFF, 0xC0, 0xC0));
    EXPECT_EQ(ShownPixel(plain, 6, mid), GetSysColor(COLOR_BTNFACE));

    // The caption is drawn on it: some pixel of the middle row is text.
    bool inked = false;
    RECT r;
    GetClientRect(start, &r);
    for (int x = 4; x < r.right - 4 && !inked; ++x)
        for (int y = mid - 4; y <= mid + 4 && !inked; ++y)
            inked = ShownPixel(start, x, y) == RGB(0, 0, 0);
    EXPECT_TRUE(inked);

    // A new back colour shows at once; the style can change too.
    form.cmdStart.BackColor(kLightRed);
    EXPECT_EQ(ShownPixel(start, 6, mid), RGB(0xFF, 0xC0, 0xC0));
    form.cmdPlain.Style(rt::vbButtonGraphical);
    EXPECT_EQ(ShownPixel(plain, 6, mid), RGB(0xFF, 0xC0, 0xC0));
    EXPECT_EQ(ErrorOf([&] { form.cmdPlain.Style(2); }), 380);
}

// The dark frame marks the button Enter presses: the default one while the
// focus is elsewhere than on a button, the focused button otherwise.
TEST_F(Buttons, DefaultAndFocusFramesFollowTheFocus) {
    HWND start = form.cmdStart.hWnd(), stop = form.cmdStop.hWnd();
    const COLORREF frame = GetSysColor(COLOR_WINDOWFRAME);
    form.Text1.SetFocus();
    rt::DoEvents();
    EXPECT_EQ(ShownPixel(start, 0, 5), frame);
    EXPECT_NE(ShownPixel(stop, 0, 5), frame);

    form.cmdStop.SetFocus();
    rt::DoEvents();
    EXPECT_NE(ShownPixel(start, 0, 5), frame);
    EXPECT_EQ(ShownPixel(stop, 0, 5), frame);
    // The focused button shows its dotted focus rectangle.
    int mid = HeightOf(stop) / 2;
    bool dotted = false;
    for (int y = mid - 3; y <= mid + 3 && !dotted; ++y)
        dotted = ShownPixel(stop, 5, y) != RGB(0xFF, 0xC0, 0xC0);
    EXPECT_TRUE(dotted);

    form.cmdPlain.SetFocus();
    rt::DoEvents();
    EXPECT_NE(ShownPixel(start, 0, 5), frame);
    EXPECT_NE(ShownPixel(stop, 0, 5), frame);
    form.Text1.SetFocus();
    rt::DoEvents();
    EXPECT_EQ(ShownPixel(start, 0, 5), frame);
}

TEST_F(Buttons, GraphicalButtonsArePressedByMouseAndKeys) {
    HWND start = form.cmdStart.hWnd();
    SendMessageW(start, BM_CLICK, 0, 0);
    EXPECT_EQ(form.starts, 1);

    // A quick double click is two clicks.
    SendMessageW(start, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(start, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    SendMessageW(start, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(start, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(form.starts, 3);

    // Enter presses the default button, Esc the cancel button.
    form.Text1.SetFocus();
    PostKey(form.Text1.hWnd(), VK_RETURN);
    PostKey(form.Text1.hWnd(), VK_ESCAPE);
    rt::DoEvents();
    EXPECT_EQ(form.starts, 4);
    EXPECT_EQ(form.stops, 1);

    // With the focus on another button, space and Enter press that one.
    form.cmdPlain.SetFocus();
    PostKey(form.cmdPlain.hWnd(), VK_SPACE);
    PostKey(form.cmdPlain.hWnd(), VK_RETURN);
    rt::DoEvents();
    form.cmdStop.SetFocus();
    PostKey(form.cmdStop.hWnd(), VK_SPACE);
    PostKey(form.cmdStop.hWnd(), VK_RETURN);
    rt::DoEvents();
    EXPECT_EQ(form.plains, 2);
    EXPECT_EQ(form.stops, 3);
    EXPECT_EQ(form.starts, 4);
}

TEST_F(Buttons, OnePictureShownByManyControlsIsReleasedOnce) {
    HBITMAP green = Swatch(RGB(0, 0xFF, 0)), blue = Swatch(RGB(0, 0, 0xFF));
    {
        rt::Picture normal = rt::Picture::FromBitmap(green);
        form.imgNormal.Picture(normal);
        form.imgPaused.Picture(rt::Picture::FromBitmap(blue));
    }
    // An image takes its picture's size.
    EXPECT_EQ(form.imgNormal.Width(), 16 * 15);
    EXPECT_EQ(form.imgNormal.Height(), 16 * 15);

    form.cmdPlay.Picture(form.imgNormal.Picture());
    form.cmdPause.Picture(form.imgNormal.Picture());
    EXPECT_EQ(form.cmdPause.Picture(), form.imgNormal.Picture());
    HWND pause = form.cmdPause.hWnd();
    RECT r;
    GetClientRect(pause, &r);
    EXPECT_EQ(ShownPixel(form.cmdPlay.hWnd(), r.right / 2, r.bottom / 2), RGB(0, 0xFF, 0));
    EXPECT_EQ(ShownPixel(pause, r.right / 2, r.bottom / 2), RGB(0, 0xFF, 0));

    form.cmdPause.Picture(form.imgPaused.Picture());
    EXPECT_EQ(ShownPixel(pause, r.right / 2, r.bottom / 2), RGB(0, 0, 0xFF));
    form.cmdPause.Picture(form.imgNormal.Picture());
    EXPECT_EQ(ShownPixel(pause, r.right / 2, r.bottom / 2), RGB(0, 0xFF, 0));

    // The bitmap lives while any control shows it and goes with the last.
    form.imgNormal.Picture(rt::Picture());
    form.cmdPlay.Picture(rt::Picture());
    EXPECT_EQ(GetObjectType(green), static_cast<DWORD>(OBJ_BITMAP));
    EXPECT_EQ(ShownPixel(pause, r.right / 2, r.bottom / 2), RGB(0, 0xFF, 0));
    form.cmdPause.Picture(rt::Picture());
    EXPECT_EQ(GetObjectType(green), 0u);
    EXPECT_EQ(GetObjectType(blue), static_cast<DWORD>(OBJ_BITMAP));
    form.Unload(); // the controls' own copies go with the form object only
    EXPECT_EQ(GetObjectType(blue), static_cast<DWORD>(OBJ_BITMAP));
}

TEST(Pictures, SharedIconsAreNeverDestroyedOwnedOnesOnce) {
    ButtonForm form;
    form.Show();
    HICON shared = LoadIconW(nullptr, IDI_APPLICATION);
    HICON owned = CopyIcon(shared);
    ICONINFO info{};
    form.cmdPlay.Picture(rt::Picture::SharedIcon(shared));
    form.imgNormal.Picture(rt::Picture::FromIcon(owned));
    form.cmdPause.Picture(form.imgNormal.Picture());
    EXPECT_EQ(form.imgNormal.Picture().Type(), rt::vbPicTypeIcon);
    form.cmdPlay.Picture(rt::Picture());
    form.imgNormal.Picture(rt::Picture());
    ASSERT_TRUE(GetIconInfo(owned, &info)); // still shown by cmdPause
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    form.Unload();
    form.cmdPause.Picture(rt::Picture());
    EXPECT_FALSE(GetIconInfo(owned, &info));
    ASSERT_TRUE(GetIconInfo(shared, &info));
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
}

TEST(Pictures, PictureBoxShowsAndSizesToItsPicture) {
    ButtonForm form;
    rt::PictureBox pic{form};
    pic.Move(3000, 1200, 600, 600);
    pic.BorderStyle(0);
    pic.AutoSize(true);
    form.Show();
    pic.Picture(rt::Picture::FromBitmap(Swatch(RGB(0xFF, 0, 0))));
    EXPECT_EQ(pic.Width(), 16 * 15);
    EXPECT_EQ(GetPixel(pic.SurfaceDC(), 8, 8), RGB(0xFF, 0, 0));
    pic.Line(0, 0, 60, 60, 0x00FFFFFF, true, true); // drawing goes over the picture
    EXPECT_EQ(GetPixel(pic.SurfaceDC(), 2, 2), RGB(0xFF, 0xFF, 0xFF));
    pic.Picture(rt::Picture()); // the empty picture clears it to the back colour
    EXPECT_EQ(GetPixel(pic.SurfaceDC(), 8, 8), GetSysColor(COLOR_BTNFACE));
    form.Unload();
}

} // namespace
