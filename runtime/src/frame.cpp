// The frame: its own window class, drawing its border and caption.
#include <windows.h>

#include "rt/convert.h"

#include "forms_internal.h"

namespace rt {

using namespace detail;

// ---------------------------------------------------------------------------
// Frame

namespace detail {

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* frame = OwnControl<Frame>(hwnd, msg, lp);
    if (!frame) return DefWindowProcW(hwnd, msg, wp, lp);
    LRESULT routed = 0;
    if (RouteContainerMessage(*frame, hwnd, msg, wp, lp, routed)) return routed;
    switch (msg) {
    case WM_ERASEBKGND: {
        RECT r;
        GetClientRect(hwnd, &r);
        GdiObject<HBRUSH> brush(CreateSolidBrush(ResolveColor(frame->BackColor())));
        FillRect(reinterpret_cast<HDC>(wp), &r, brush);
        return 1;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT r;
        GetClientRect(hwnd, &r);
        Selected font(dc, frame->FontHandle());
        TEXTMETRICW tm;
        GetTextMetricsW(dc, &tm);
        RECT border = r;
        border.top += tm.tmHeight / 2;
        DrawEdge(dc, &border, EDGE_ETCHED, BF_RECT);
        std::wstring text = Wide(frame->Caption());
        if (!text.empty()) {
            SetBkColor(dc, ResolveColor(frame->BackColor()));
            SetBkMode(dc, OPAQUE);
            SetTextColor(dc, ResolveColor(frame->ForeColor()));
            RECT tr{8, 0, r.right - 8, tm.tmHeight};
            DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &tr,
                      DT_SINGLELINE | DT_LEFT | DT_TOP);
        }
        PaintContainer(*frame, dc);
        EndPaint(hwnd, &ps);
        return 0;
    }
    default: break;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

} // namespace detail

void Frame::Caption(const std::string& text) {
    caption_ = text;
    if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void Frame::Create() {
    CreateWindowFor(kFrameClass, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, Wide(caption_));
    CreateControls();
}

void Frame::Destroy() {
    DestroyControls();
    Control::Destroy();
}

} // namespace rt
