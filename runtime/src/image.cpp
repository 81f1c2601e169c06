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

void Image::Picture(const rt::Picture& picture) {
    picture_ = picture;
    if (picture_ && !stretch_) {
        SIZE size = picture_.Pixels();
        Move(left_, top_, size.cx * TppX(), size.cy * TppY());
    }
    Refresh();
}

void Image::Paint(HDC dc) {
    RECT r = PixelRect();
    if (stretch_)
        picture_.Draw(dc, r.left, r.top, r.right - r.left, r.bottom - r.top);
    else
        picture_.Draw(dc, r.left, r.top);
}

bool Image::LightweightClick() {
    if (Click) Click();
    return true;
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
