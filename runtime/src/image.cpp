// Images and lines, drawn by their container.
#include <windows.h>

#include <algorithm>
#include <cstdlib>

#include "rt/convert.h"

#include "forms_internal.h"

namespace rt {

using namespace detail;

// ---------------------------------------------------------------------------
// Image and Line

Image::~Image() {
    if (bitmap_) DeleteObject(bitmap_);
    if (icon_) DestroyIcon(icon_);
}

void Image::Picture(HBITMAP bitmap) {
    if (bitmap_ && bitmap_ != bitmap) DeleteObject(bitmap_);
    bitmap_ = bitmap;
    if (bitmap_ && !stretch_) {
        BITMAP bm{};
        GetObjectW(bitmap_, sizeof bm, &bm);
        Move(left_, top_, bm.bmWidth * TppX(), bm.bmHeight * TppY());
    }
    Refresh();
}

void Image::Icon(HICON icon) {
    if (icon_ && icon_ != icon) DestroyIcon(icon_);
    icon_ = icon;
    Refresh();
}

void Image::Paint(HDC dc) {
    RECT r = PixelRect();
    int w = r.right - r.left, h = r.bottom - r.top;
    if (icon_) {
        DrawIconEx(dc, r.left, r.top, icon_, stretch_ ? w : 0, stretch_ ? h : 0, 0, nullptr,
                   DI_NORMAL);
    } else if (bitmap_) {
        BITMAP bm{};
        GetObjectW(bitmap_, sizeof bm, &bm);
        MemoryDC mem;
        Selected sel(mem, bitmap_);
        if (stretch_) {
            SetStretchBltMode(dc, HALFTONE);
            StretchBlt(dc, r.left, r.top, w, h, mem, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
        } else {
            BitBlt(dc, r.left, r.top, bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCCOPY);
        }
    }
}

void Image::LightweightClick() {
    if (Click) Click();
}

Line::Line(Container& parent, long x1, long y1, long x2, long y2)
    : Control(parent), X1(x1), Y1(y1), X2(x2), Y2(y2) {
    left_ = std::min(x1, x2), top_ = std::min(y1, y2);
    width_ = std::abs(x2 - x1), height_ = std::abs(y2 - y1);
}

void Line::Paint(HDC dc) {
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, std::max(1, BorderWidth), ResolveColor(BorderColor)));
    Selected sel(dc, pen);
    MoveToEx(dc, PxX(X1), PxY(Y1), nullptr);
    LineTo(dc, PxX(X2), PxY(Y2));
}

} // namespace rt
