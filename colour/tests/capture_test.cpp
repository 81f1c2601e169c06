// The copy of the screen: its size, its pixels, its palette on a 256-colour
// display, and what it frees when it goes.
#include <gtest/gtest.h>

#include <cstdlib>

#include "modHuepick.h"
#include "modScreenCapture.h"
#include "picking.h"

namespace huepick::test {
namespace {

class Capture : public ::testing::Test {
  protected:
    void SetUp() override {
        ParkPointer();
        blocks.Show();
        rt::test::WaitFor([&] { return ScreenPixel(blocks.Centre(0)) == 0x0000FF; }, 5000);
    }
    void TearDown() override { blocks.Unload(); }
    Blocks blocks{kColours, {40, 600}};
};

TEST_F(Capture, CopiesTheWholeScreenAsItIsShown) {
    const rt::Picture picture = CaptureDesktop();
    ASSERT_EQ(picture.Type(), rt::vbPicTypeBitmap);
    const SIZE size = picture.Pixels();
    EXPECT_EQ(size.cx, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(size.cy, GetSystemMetrics(SM_CYSCREEN));

    // Corners and blocks pixel for pixel as the screen shows them; nothing outside.
    std::vector<POINT> points{{0, 0}, {size.cx - 1, size.cy - 1}};
    for (size_t i = 0; i < blocks.Count(); ++i) {
        points.push_back(blocks.Centre(i));
        EXPECT_EQ(ScreenPixel(blocks.Centre(i)), static_cast<COLORREF>(Want(blocks, i))) << i;
    }
    for (POINT p : points) EXPECT_EQ(PictureColor(picture, p.x, p.y), ScreenPixel(p)) << p.x << "," << p.y;
    for (POINT p : {POINT{-1, 0}, POINT{0, -1}, POINT{size.cx, 0}, POINT{0, size.cy}})
        EXPECT_EQ(PictureColor(picture, p.x, p.y), CLR_INVALID) << p.x << "," << p.y;
}

TEST_F(Capture, CarriesTheSystemPaletteOnlyOnA256ColourDisplay) {
    if (const char* asked = std::getenv("BENCHWARE_DEPTH")) { // a run on a screen asked for
        EXPECT_EQ(ScreenDepth() <= 8, std::atoi(asked) <= 8) << "asked for " << asked;
    }
    const rt::Picture picture = CaptureDesktop();
    ASSERT_TRUE(picture);
    if (ScreenDepth() > 8) {
        EXPECT_EQ(picture.Palette(), nullptr);
        return;
    }
    ASSERT_NE(picture.Palette(), nullptr);
    PALETTEENTRY carried[256], system[256];
    EXPECT_EQ(GetPaletteEntries(picture.Palette(), 0, 256, carried), 256u);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetSystemPaletteEntries(screen, 0, 256, system), 256u);
    ReleaseDC(nullptr, screen);
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(RGB(carried[i].peRed, carried[i].peGreen, carried[i].peBlue),
                  RGB(system[i].peRed, system[i].peGreen, system[i].peBlue)) << i;
    }
}

TEST_F(Capture, TheLastCopyOfThePictureFreesBitmapAndPalette) {
    rt::Picture picture = CaptureDesktop();
    const HBITMAP bitmap = picture.Bitmap();
    const HPALETTE palette = picture.Palette();
    rt::Picture copy = picture;
    picture = rt::Picture();
    EXPECT_EQ(GetObjectType(bitmap), static_cast<DWORD>(OBJ_BITMAP));
    copy = rt::Picture();
    EXPECT_EQ(GetObjectType(bitmap), 0u);
    if (palette) {
        EXPECT_EQ(GetObjectType(palette), 0u);
    }
}

} // namespace
} // namespace huepick::test
