// The shape, drawn by its container.
#include <windows.h>

#include <algorithm>

#include "forms_internal.h"

namespace rt {

using namespace detail;

void Shape::Paint(HDC dc) {
    RECT r = PixelRect();
    if (FillStyle == vbFSSolid) {
        GdiObject<HBRUSH> fill(CreateSolidBrush(ResolveColor(FillColor)));
        FillRect(dc, &r, fill);
    }
    if (BorderWidth <= 0) return;
    GdiObject<HBRUSH> border(CreateSolidBrush(ResolveColor(BorderColor)));
    int w = std::min<int>(BorderWidth, (std::min(r.right - r.left, r.bottom - r.top) + 1) / 2);
    for (int i = 0; i < w; ++i) {
        RECT ring{r.left + i, r.top + i, r.right - i, r.bottom - i};
        FrameRect(dc, &ring, border);
    }
}

} // namespace rt
