// The copy of the screen: its size, its pixels, its palette on a 256-colour
// display, and what it frees when it goes.
#include <gtest/gtest.h>

#include <cstdlib>

#include "modHuepick.h"
#include "modScreenCapture.h"
#include "picking.h"

namespace huepick::test {
namespace {

const std::vector<long> kColours = {0x0000FF, 0xFFFFFF, 0x000000, 0x336699, 0x00FF00, 0xFF0000};

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
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture.Type(), rt::vbPicTypeBitmap);
    const SIZE size = picture.Pixels();
    EXPECT_EQ(size.cx, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(size.cy, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(size.cx, rt::Screen::Width() / rt::Screen::TwipsPerPixelX());

    // Corners and the blocks, pixel for pixel as the screen shows them.
    for (POINT p : {POINT{0, 0}, POINT{size.cx - 1, size.cy - 1}})
        EXPECT_EQ(PictureColor(picture, p.x, p.y), ScreenPixel(p)) << p.x << "," << p.y;
    for (size_t i = 0; i < blocks.Count(); ++i) {
        const COLORREF shown = ScreenPixel(blocks.Centre(i));
        EXPECT_EQ(PictureColor(picture, blocks.Centre(i).x, blocks.Centre(i).y), shown) << i;
        if (ScreenDepth() > 8 || FixedColour(blocks.Colour(i))) {
            EXPECT_EQ(shown, static_cast<COLORREF>(blocks.Colour(i))) << i;
        }
    }
    // Outside the copy there is no colour.
    for (POINT p : {POINT{-1, 0}, POINT{0, -1}, POINT{size.cx, 0}, POINT{0, size.cy}})
        EXPECT_EQ(PictureColor(picture, p.x, p.y), CLR_INVALID) << p.x << "," << p.y;
    EXPECT_EQ(PictureColor(rt::Picture(), 0, 0), CLR_INVALID);
}

TEST_F(Capture, CarriesTheSystemPaletteOnlyOnA256ColourDisplay) {
    // The run on a screen of a depth asked for runs on one.
    if (const char* asked = std::getenv("BENCHWARE_DEPTH")) {
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
        EXPECT_EQ(carried[i].peRed, system[i].peRed) << i;
        EXPECT_EQ(carried[i].peGreen, system[i].peGreen) << i;
        EXPECT_EQ(carried[i].peBlue, system[i].peBlue) << i;
    }
}

TEST_F(Capture, TheLastCopyOfThePictureFreesBitmapAndPalette) {
    HBITMAP bitmap = nullptr;
    HPALETTE palette = nullptr;
    {
        rt::Picture picture = CaptureDesktop();
        ASSERT_TRUE(picture);
        rt::Picture copy = picture;
        bitmap = picture.Bitmap();
        palette = picture.Palette();
        picture = rt::Picture();
        EXPECT_EQ(GetObjectType(copy.Bitmap()), static_cast<DWORD>(OBJ_BITMAP));
    }
    EXPECT_EQ(GetObjectType(bitmap), 0u);
    if (palette) {
        EXPECT_EQ(GetObjectType(palette), 0u);
    }
}

TEST_F(Capture, FailsEmptyWhenTheSystemHasNoHandleLeft) {
    rt::Picture picture;
    {
        GdiExhausted exhausted;
        ASSERT_GT(exhausted.Taken(), 1000u);
        picture = CaptureDesktop();
    }
    EXPECT_FALSE(picture);
    EXPECT_TRUE(CaptureDesktop()); // and works again once there are
}

} // namespace
} // namespace huepick::test
