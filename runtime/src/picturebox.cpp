// The picture box as a drawing surface: a back buffer of the client size that
// lines, boxes and text go to, put on the screen by WM_PAINT and by Refresh.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <new>

#include "forms_internal.h"
#include "rt/convert.h"

namespace rt {

using namespace detail;

namespace {

uint32_t DibColor(long color) {
    COLORREF c = ResolveColor(color);
    return (static_cast<uint32_t>(GetRValue(c)) << 16) | (static_cast<uint32_t>(GetGValue(c)) << 8) |
           GetBValue(c);
}

} // namespace

namespace detail {

// Nothing here raises an error: a surface that cannot be made (the box grown
// too large for the memory) leaves the old one, or the back colour, on the
// screen, and the program's next drawing call reports it.
LRESULT CALLBACK PictureProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* box = OwnControl<PictureBox>(hwnd, msg, lp);
    if (!box) return DefWindowProcW(hwnd, msg, wp, lp);
    LRESULT routed = 0;
    if (RouteContainerMessage(*box, hwnd, msg, wp, lp, routed)) return routed;
    float x = MouseX(lp), y = MouseY(lp);
    int shift = ShiftState();
    switch (msg) {
    case WM_ERASEBKGND: return 1; // the buffer covers the whole client area
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        box->OnPaint(dc);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_PRINTCLIENT: box->PaintBackground(reinterpret_cast<HDC>(wp)); return 0;
    case WM_SIZE: box->MakeSurface(); return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        int button = msg == WM_LBUTTONDOWN ? vbLeftButton
                     : msg == WM_RBUTTONDOWN ? vbRightButton
                                             : vbMiddleButton;
        if (box->MouseDown) Call([=] { box->MouseDown(button, shift, x, y); });
        return 0;
    }
    case WM_MOUSEMOVE: {
        int buttons = ButtonsOf(wp);
        if (box->MouseMove) Call([=] { box->MouseMove(buttons, shift, x, y); });
        return 0;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        int button = msg == WM_LBUTTONUP ? vbLeftButton
                     : msg == WM_RBUTTONUP ? vbRightButton
                                           : vbMiddleButton;
        if (box->MouseUp) Call([=] { box->MouseUp(button, shift, x, y); });
        if (msg == WM_LBUTTONUP && box->hWnd() == hwnd && box->Click) {
            RECT r;
            GetClientRect(hwnd, &r);
            POINT pt{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
            if (PtInRect(&r, pt)) Call([box] { box->Click(); });
        }
        return 0;
    }
    default: break;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

} // namespace detail

PictureBox::PictureBox(Container& parent) : Control(parent) {}

PictureBox::~PictureBox() { PictureBox::Destroy(); }

void PictureBox::Destroy() {
    DestroyControls();
    if (memDC_) {
        SelectObject(memDC_, oldBitmap_);
        DeleteDC(memDC_);
        memDC_ = nullptr;
    }
    if (surface_) {
        DeleteObject(surface_);
        surface_ = nullptr;
    }
    bits_ = nullptr;
    surfaceW_ = surfaceH_ = 0;
    shown_.clear();
    Control::Destroy();
}

void PictureBox::Create() {
    CreateWindowFor(kPictureClass, WS_CLIPCHILDREN,
                    WS_EX_CONTROLPARENT | (border_ == 1 ? WS_EX_CLIENTEDGE : 0));
    EnsureSurface();
    CreateControls();
}

void PictureBox::AfterMove() { EnsureSurface(); }

// Makes the buffer match the client area; what was drawn is kept where it fits.
bool PictureBox::MakeSurface() {
    int w, h;
    if (hwnd_) {
        RECT r;
        GetClientRect(hwnd_, &r);
        w = r.right, h = r.bottom;
    } else {
        int edge = border_ == 1 ? 2 * GetSystemMetrics(SM_CXEDGE) : 0;
        w = PxX(width_) - edge, h = PxY(height_) - edge;
    }
    w = std::max(w, 1), h = std::max(h, 1);
    if (surface_ && w == surfaceW_ && h == surfaceH_) return true;
    // GDI measures a bitmap's bytes in signed 32 bits: a larger one is out of
    // memory whatever the machine has.
    if (4LL * w * h > 0x7FFFFFFFLL) return false;

    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h; // top-down rows
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP surface = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!surface) return false;
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) {
        DeleteObject(surface);
        return false;
    }
    HGDIOBJ old = SelectObject(dc, surface);
    bool first = !memDC_;
    if (memDC_) {
        std::fill_n(static_cast<uint32_t*>(bits), static_cast<size_t>(w) * h, DibColor(backColor_));
        GdiFlush();
        BitBlt(dc, 0, 0, std::min(w, surfaceW_), std::min(h, surfaceH_), memDC_, 0, 0, SRCCOPY);
        SelectObject(memDC_, oldBitmap_);
        DeleteDC(memDC_);
        DeleteObject(surface_);
    }
    memDC_ = dc, surface_ = surface, oldBitmap_ = static_cast<HBITMAP>(old), bits_ = bits;
    surfaceW_ = w, surfaceH_ = h;
    if (first) Fill();
    shown_.clear();
    Invalidate();
    return true;
}

void PictureBox::EnsureSurface() {
    if (!MakeSurface()) Raise(errOutOfMemory);
}

// The back colour, then the picture if there is one.
void PictureBox::Fill() {
    GdiFlush();
    std::fill_n(static_cast<uint32_t*>(bits_), static_cast<size_t>(surfaceW_) * surfaceH_,
                DibColor(backColor_));
    picture_.Draw(memDC_, 0, 0);
    drawn_ = false;
}

void PictureBox::Invalidate() {
    if (hwnd_) RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

HDC PictureBox::SurfaceDC() {
    EnsureSurface();
    return memDC_;
}

void PictureBox::AutoRedraw(bool v) { autoRedraw_ = v; }

double PictureBox::ScaleWidth() const {
    if (hwnd_) {
        RECT r;
        GetClientRect(hwnd_, &r);
        return static_cast<double>(r.right) * TppX();
    }
    int edge = border_ == 1 ? 2 * GetSystemMetrics(SM_CXEDGE) : 0;
    return std::max(0.0, static_cast<double>(width_ - edge * TppX()));
}

double PictureBox::ScaleHeight() const {
    if (hwnd_) {
        RECT r;
        GetClientRect(hwnd_, &r);
        return static_cast<double>(r.bottom) * TppY();
    }
    int edge = border_ == 1 ? 2 * GetSystemMetrics(SM_CYEDGE) : 0;
    return std::max(0.0, static_cast<double>(height_ - edge * TppY()));
}

// Background in the back colour, then the picture if there is one.
void PictureBox::Cls() {
    EnsureSurface();
    Fill();
    curX_ = curY_ = 0;
    Invalidate();
}

void PictureBox::BackColor(long color) {
    Control::BackColor(color);
    if (!memDC_) return;
    Fill();
    Invalidate();
}

void PictureBox::SysColorsChanged() {
    if (!memDC_ || drawn_ || !(static_cast<unsigned long>(backColor_) & 0x80000000UL)) return;
    Fill();
    shown_.clear();
}

void PictureBox::PaintBackground(HDC dc) {
    if (memDC_) {
        GdiFlush();
        BitBlt(dc, 0, 0, surfaceW_, surfaceH_, memDC_, 0, 0, SRCCOPY);
    } else {
        RECT r;
        GetClientRect(hwnd_, &r);
        FillRect(dc, &r, BrushFor(backColor_));
    }
    PaintContainer(*this, dc);
}

void PictureBox::Picture(const rt::Picture& picture) {
    picture_ = picture;
    if (picture_ && autoSize_) {
        SIZE size = picture_.Pixels();
        int edge = border_ == 1 ? 2 * GetSystemMetrics(SM_CXEDGE) : 0;
        Move(left_, top_, (size.cx + edge) * TppX(), (size.cy + edge) * TppY());
    }
    Cls();
}

void PictureBox::Line(double x1, double y1, double x2, double y2, long color, bool box,
                      bool fill) {
    EnsureSurface();
    long tx = TppX(), ty = TppY();
    int px1 = DrawPx(x1, tx), py1 = DrawPx(y1, ty), px2 = DrawPx(x2, tx), py2 = DrawPx(y2, ty);
    curX_ = x2, curY_ = y2;
    drawn_ = true;
    if (box) {
        // Corners inclusive, whichever way round they are given.
        int l = std::min(px1, px2), r = std::max(px1, px2);
        int t = std::min(py1, py2), b = std::max(py1, py2);
        uint32_t c = DibColor(color);
        auto* p = static_cast<uint32_t*>(bits_);
        auto span = [&](int row, int from, int to) {
            if (row < 0 || row >= surfaceH_) return;
            from = std::max(from, 0), to = std::min(to, surfaceW_ - 1);
            if (from > to) return;
            std::fill(p + static_cast<size_t>(row) * surfaceW_ + from,
                      p + static_cast<size_t>(row) * surfaceW_ + to + 1, c);
        };
        GdiFlush();
        if (fill) {
            for (int row = std::max(t, 0); row <= std::min(b, surfaceH_ - 1); ++row)
                span(row, l, r);
        } else {
            span(t, l, r);
            span(b, l, r);
            for (int row = std::max(t + 1, 0); row <= std::min(b - 1, surfaceH_ - 1); ++row) {
                span(row, l, l);
                span(row, r, r);
            }
        }
    } else {
        GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, ResolveColor(color)));
        Selected sel(memDC_, pen);
        MoveToEx(memDC_, px1, py1, nullptr);
        LineTo(memDC_, px2, py2);
    }
    if (!autoRedraw_) InvalidateOnce();
}

void PictureBox::Print(const std::string& text) {
    EnsureSurface();
    drawn_ = true;
    std::wstring w = Wide(text);
    {
        Selected font(memDC_, FontHandle());
        SetTextColor(memDC_, ResolveColor(foreColor_));
        SetBkMode(memDC_, TRANSPARENT);
        TextOutW(memDC_, DrawPx(curX_, TppX()), DrawPx(curY_, TppY()), w.c_str(),
                 static_cast<int>(w.size()));
    }
    curY_ += TextHeight(text);
    curX_ = 0;
    if (!autoRedraw_) InvalidateOnce();
}

double PictureBox::TextWidth(const std::string& text) {
    EnsureSurface();
    std::wstring w = Wide(text);
    Selected font(memDC_, FontHandle());
    SIZE size{};
    GetTextExtentPoint32W(memDC_, w.c_str(), static_cast<int>(w.size()), &size);
    return static_cast<double>(size.cx) * TppX();
}

double PictureBox::TextHeight(const std::string& text) {
    EnsureSurface();
    std::wstring w = Wide(text.empty() ? std::string("A") : text);
    Selected font(memDC_, FontHandle());
    SIZE size{};
    GetTextExtentPoint32W(memDC_, w.c_str(), static_cast<int>(w.size()), &size);
    return static_cast<double>(size.cy) * TppY();
}

// Drawing without AutoRedraw asks for a paint; one request stands until the
// paint or a Refresh, so a run of drawing calls costs one request, not one each.
void PictureBox::InvalidateOnce() {
    if (!hwnd_ || paintPending_) return;
    Invalidate();
    paintPending_ = true;
}

void PictureBox::OnPaint(HDC dc) {
    paintPending_ = false;
    RECT clip, client;
    GetClipBox(dc, &clip);
    GetClientRect(hwnd_, &client);
    bool whole = MakeSurface() && clip.left <= 0 && clip.top <= 0 && clip.right >= client.right &&
                 clip.bottom >= client.bottom;
    if (memDC_ && (surfaceW_ < client.right || surfaceH_ < client.bottom))
        FillRect(dc, &client, BrushFor(backColor_)); // the old surface does not cover it all
    PaintBackground(dc);
    // Only a paint of the whole area makes the screen equal the buffer.
    shown_.clear();
    if (whole && !Controls().empty()) whole = false; // lightweight controls are on it too
    if (whole) {
        auto* p = static_cast<const unsigned char*>(bits_);
        try {
            shown_.assign(p, p + static_cast<size_t>(surfaceW_) * surfaceH_ * 4);
        } catch (const std::bad_alloc&) {
            shown_.clear(); // the next Refresh paints again
        }
    }
}

// Puts the buffer on the screen now, unless the screen already shows it.
void PictureBox::Refresh() {
    if (!hwnd_ || !IsWindowVisible(hwnd_)) return;
    EnsureSurface();
    if (!Controls().empty()) { // the controls inside are painted again over it
        RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        paintPending_ = false;
        return;
    }
    GdiFlush();
    size_t n = static_cast<size_t>(surfaceW_) * surfaceH_ * 4;
    auto* p = static_cast<const unsigned char*>(bits_);
    if (shown_.size() == n && std::memcmp(shown_.data(), p, n) == 0) return;
    shown_.assign(p, p + n);
    WindowDC dc(hwnd_);
    BitBlt(dc, 0, 0, surfaceW_, surfaceH_, memDC_, 0, 0, SRCCOPY);
    ValidateRect(hwnd_, nullptr);
    paintPending_ = false;
}

} // namespace rt
