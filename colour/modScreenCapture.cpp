#include "modScreenCapture.h"

#include <olectl.h>

#include <rt/handles.h>
#include <rt/services.h>

namespace huepick {

namespace {

// A logical palette of 256 entries.
struct Palette256 {
    WORD palVersion = 0x300;
    WORD palNumEntries = 256;
    PALETTEENTRY palPalEntry[256]{};
};

// The system palette as a palette of our own, on a display that works with a
// 256-entry palette; null on any other.
HPALETTE SystemPalette(HDC source) {
    if (!(GetDeviceCaps(source, RASTERCAPS) & RC_PALETTE) ||
        GetDeviceCaps(source, SIZEPALETTE) != 256)
        return nullptr;
    Palette256 entries;
    if (GetSystemPaletteEntries(source, 0, 256, entries.palPalEntry) != 256) return nullptr;
    return CreatePalette(reinterpret_cast<LOGPALETTE*>(&entries));
}

} // namespace

rt::Picture CaptureDesktop() {
    const long width = rt::Screen::Width() / rt::Screen::TwipsPerPixelX();
    const long height = rt::Screen::Height() / rt::Screen::TwipsPerPixelY();
    return CaptureWindowArea(GetDesktopWindow(), false, 0, 0, width, height);
}

rt::Picture CaptureWindowArea(HWND window, bool client, long left, long top, long width,
                              long height) {
    rt::WindowDC source(window, !client);
    if (!source) return {};
    rt::CreatedDC memory(CreateCompatibleDC(source));
    rt::GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(source, width, height));
    if (!memory || !bitmap) return {};
    rt::GdiObject<HPALETTE> palette(SystemPalette(source));
    BOOL copied;
    {
        rt::Selected selected(memory, bitmap);
        HPALETTE before = nullptr;
        if (palette) {
            before = SelectPalette(memory, palette, FALSE);
            RealizePalette(memory);
        }
        copied = BitBlt(memory, 0, 0, width, height, source, left, top, SRCCOPY);
        if (palette) SelectPalette(memory, before, FALSE);
    }
    if (!copied) return {};
    return BitmapToPicture(bitmap.Release(), palette.Release());
}

rt::Picture BitmapToPicture(HBITMAP bitmap, HPALETTE palette) {
    PICTDESC description{};
    description.cbSizeofstruct = sizeof description;
    description.picType = PICTYPE_BITMAP;
    description.bmp.hbitmap = bitmap;
    description.bmp.hpal = palette;
    IPicture* object = nullptr;
    if (FAILED(OleCreatePictureIndirect(&description, IID_IPicture, TRUE,
                                        reinterpret_cast<void**>(&object))) ||
        !object) {
        if (bitmap) DeleteObject(bitmap);
        if (palette) DeleteObject(palette);
        return {};
    }
    return rt::Picture::FromObject(object);
}

} // namespace huepick
