#include "pictures.h"

#include <functional>

#include <rt/handles.h>

namespace paneherd {

namespace {

constexpr int kSize = 16;

using Pen = rt::GdiObject<HPEN>;

// An icon of 16 x 16 pixels, clear where `draw` leaves it alone: `draw` paints
// once in colour and once in black on white for the mask.
rt::Picture DrawnIcon(const std::function<void(HDC, bool mask)>& draw) {
    rt::WindowDC screen(nullptr);
    rt::GdiObject<HBITMAP> colour(CreateCompatibleBitmap(screen, kSize, kSize));
    rt::GdiObject<HBITMAP> mask(CreateBitmap(kSize, kSize, 1, 1, nullptr));
    const RECT all{0, 0, kSize, kSize};
    {
        rt::MemoryDC dc;
        rt::Selected keep(dc, colour);
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        draw(dc, false);
    }
    {
        rt::MemoryDC dc;
        rt::Selected keep(dc, mask);
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        draw(dc, true);
    }
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = colour;
    info.hbmMask = mask;
    return rt::Picture::FromIcon(CreateIconIndirect(&info));
}

} // namespace

rt::Picture FinderPicture() {
    return DrawnIcon([](HDC dc, bool mask) {
        Pen pen(CreatePen(PS_SOLID, 1, mask ? RGB(0, 0, 0) : RGB(0, 0, 160)));
        rt::Selected usePen(dc, pen);
        rt::Selected noFill(dc, GetStockObject(NULL_BRUSH));
        Ellipse(dc, 2, 2, 14, 14);
        MoveToEx(dc, 8, 0, nullptr);
        LineTo(dc, 8, 6);
        MoveToEx(dc, 8, 11, nullptr);
        LineTo(dc, 8, 16);
        MoveToEx(dc, 0, 8, nullptr);
        LineTo(dc, 6, 8);
        MoveToEx(dc, 11, 8, nullptr);
        LineTo(dc, 16, 8);
        SetPixel(dc, 8, 8, mask ? RGB(0, 0, 0) : RGB(192, 0, 0));
    });
}

rt::Picture RefreshPicture() {
    return DrawnIcon([](HDC dc, bool mask) {
        const COLORREF ink = mask ? RGB(0, 0, 0) : RGB(0, 128, 0);
        Pen pen(CreatePen(PS_SOLID, 2, ink));
        rt::Selected usePen(dc, pen);
        rt::Selected noFill(dc, GetStockObject(NULL_BRUSH));
        // Three quarters of a ring, open at the top right, with the arrow's head there.
        Arc(dc, 2, 2, 14, 14, 9, 2, 13, 4);
        rt::GdiObject<HBRUSH> fill(CreateSolidBrush(ink));
        rt::Selected useFill(dc, fill);
        const POINT head[] = {{10, 0}, {15, 5}, {9, 6}};
        Polygon(dc, head, 3);
    });
}

} // namespace paneherd
