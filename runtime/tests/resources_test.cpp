// The test program's own resources (runtime_tests.rc) loaded back, and
// pictures saved to files that the system reads again as they were.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "rt/convert.h"
#include "rt/error.h"
#include "rt/handles.h"
#include "rt/resources.h"
#include "test_support.h"

namespace {

using namespace rt::test;

// What an icon or cursor shows at (x, y) when drawn on white (or, asked for
// DI_MASK, its mask: white where it lets the background through).
COLORREF Drawn(HICON icon, int x, int y, int size, UINT part = DI_NORMAL) {
    rt::WindowDC screen(nullptr);
    rt::MemoryDC mem;
    rt::GdiObject<HBITMAP> canvas(CreateCompatibleBitmap(screen, size, size));
    rt::Selected keep(mem, canvas);
    RECT all{0, 0, size, size};
    FillRect(mem, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawIconEx(mem, 0, 0, icon, 0, 0, 0, nullptr, part);
    return GetPixel(mem, x, y);
}

HICON LoadFromFile(const std::string& path, UINT type) {
    return static_cast<HICON>(
        LoadImageW(nullptr, rt::Wide(path).c_str(), type, 0, 0, LR_LOADFROMFILE));
}

TEST(ResourceTest, StringsAndDataComeBackAsStored) {
    EXPECT_EQ(rt::LoadResString(101), "Resource text");
    EXPECT_EQ(rt::LoadResString(102), "Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC");
    std::string description;
    EXPECT_EQ(ErrorOf([] { rt::LoadResString(999); }, &description), rt::errResourceNotFound);
    EXPECT_EQ(description, "Resource with identifier '999' not found");
    EXPECT_EQ(ErrorOf([] { rt::LoadResString(0); }), rt::errInvalidProcedureCall);
    EXPECT_EQ(ErrorOf([] { rt::LoadResString(70000); }), rt::errInvalidProcedureCall);

    std::string expected;
    for (int i = 0; i < 256; ++i) expected += static_cast<char>(i);
    expected += std::string("\0\r\n end", 7);
    EXPECT_EQ(rt::LoadResData(201, "CUSTOM"), expected);
    EXPECT_EQ(rt::LoadResData(202, "CUSTOM"), "Z");
    EXPECT_EQ(ErrorOf([] { rt::LoadResData(201, "OTHER"); }), rt::errResourceNotFound);
    EXPECT_EQ(ErrorOf([] { rt::LoadResData(203, "CUSTOM"); }), rt::errResourceNotFound);
}

TEST(ResourceTest, ABitmapSavedIsTheBitmapStored) {
    TempFolder dir;
    rt::Picture picture = rt::LoadResPicture(101, rt::vbResBitmap);
    ASSERT_EQ(picture.Type(), rt::vbPicTypeBitmap);
    EXPECT_EQ(picture.Pixels().cx, 8);
    EXPECT_EQ(picture.Pixels().cy, 6);
    const std::string file = dir / "saved.bmp";
    rt::SavePicture(picture, file);

    // The file: "BM", then the stored header's size and depth, then the very
    // pixels the resource holds.
    const std::string saved = ReadBytes(file);
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(101), RT_BITMAP);
    ASSERT_NE(found, nullptr);
    const auto* stored = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(nullptr, found)));
    const std::string storedPixels(reinterpret_cast<const char*>(stored + 1),
                                   SizeofResource(nullptr, found) - sizeof *stored);
    ASSERT_GT(saved.size(), sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER));
    EXPECT_EQ(saved.substr(0, 2), "BM");
    BITMAPINFOHEADER header;
    std::memcpy(&header, saved.data() + sizeof(BITMAPFILEHEADER), sizeof header);
    EXPECT_EQ(header.biWidth, stored->biWidth);
    EXPECT_EQ(header.biHeight, stored->biHeight);
    EXPECT_EQ(header.biBitCount, 24);
    EXPECT_EQ(saved.substr(saved.size() - storedPixels.size()), storedPixels);

    // And the system reads it back with the colour of each pixel.
    rt::GdiObject<HBITMAP> back(static_cast<HBITMAP>(
        LoadImageW(nullptr, rt::Wide(file).c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
    ASSERT_TRUE(back);
    rt::MemoryDC mem;
    rt::Selected keep(mem, back);
    EXPECT_EQ(GetPixel(mem, 3, 2), RGB(90, 80, 200));
    EXPECT_EQ(GetPixel(mem, 4, 2), RGB(120, 80, 20));
}

TEST(ResourceTest, IconsAndCursorsSavedAsTheyShow) {
    TempFolder dir;
    rt::Picture icon = rt::LoadResPicture(102, rt::vbResIcon);
    ASSERT_EQ(icon.Type(), rt::vbPicTypeIcon);
    EXPECT_EQ(icon.Pixels().cx, 16);
    rt::SavePicture(icon, dir / "saved.ico");
    HICON back = LoadFromFile(dir / "saved.ico", IMAGE_ICON);
    ASSERT_NE(back, nullptr);
    for (auto [x, y] : {std::pair{8, 8}, {2, 13}, {0, 0}, {15, 7}})
        EXPECT_EQ(Drawn(back, x, y, 16), Drawn(icon.Icon(), x, y, 16)) << x << "," << y;
    EXPECT_EQ(Drawn(back, 8, 8, 16), RGB(255, 0, 0));
    EXPECT_EQ(Drawn(back, 0, 0, 16), RGB(255, 255, 255)) << "the border stays see-through";
    EXPECT_EQ(Drawn(back, 0, 0, 16, DI_MASK), RGB(255, 255, 255)) << "for the mask too";
    EXPECT_EQ(Drawn(back, 8, 8, 16, DI_MASK), RGB(0, 0, 0));
    DestroyIcon(back);

    rt::Picture pointer = rt::LoadResPicture(103, rt::vbResCursor);
    rt::SavePicture(pointer, dir / "saved.cur");
    HICON cursor = LoadFromFile(dir / "saved.cur", IMAGE_CURSOR);
    ASSERT_NE(cursor, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    rt::GdiObject<HBITMAP> mask(info.hbmMask), color(info.hbmColor);
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 5u);
    EXPECT_EQ(info.yHotspot, 7u);
    EXPECT_EQ(Drawn(cursor, 10, 10, 32), RGB(0, 0, 255));
    EXPECT_EQ(Drawn(cursor, 0, 20, 32), RGB(255, 255, 255));
    EXPECT_EQ(Drawn(cursor, 0, 20, 32, DI_MASK), RGB(255, 255, 255));
    DestroyCursor(cursor);
}

TEST(ResourceTest, WhatIsMissingOrEmptyIsRefused) {
    TempFolder dir;
    EXPECT_EQ(ErrorOf([] { rt::LoadResPicture(999, rt::vbResBitmap); }), rt::errResourceNotFound);
    EXPECT_EQ(ErrorOf([] { rt::LoadResPicture(101, rt::vbResIcon); }), rt::errResourceNotFound);
    EXPECT_EQ(ErrorOf([] { rt::LoadResPicture(102, 3); }), rt::errInvalidProcedureCall);
    EXPECT_EQ(ErrorOf([&] { rt::SavePicture(rt::Picture(), dir / "none.bmp"); }),
              rt::errInvalidPropertyValue);
    EXPECT_EQ(ErrorOf([&] { rt::SavePicture(rt::LoadResPicture(101, 0), dir / "no\\x.bmp"); }),
              rt::errPathNotFound);
    EXPECT_FALSE(rt::FileExists(dir / "none.bmp"));
}

} // namespace
