// Small owners of Win32 handles, each released at the end of the scope that
// acquired it.
#pragma once

#include <windows.h>

namespace rt::detail {

// A handle released by `Free` when its owner goes; null owns nothing.
template <class H, void (*Free)(H)> class Owned {
  public:
    explicit Owned(H h = nullptr) : h_(h) {}
    ~Owned() {
        if (h_) Free(h_);
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    operator H() const { return h_; }
    // The handle itself, for a call that hands back another one to own.
    H& Handle() { return h_; }

  private:
    H h_;
};

template <class H> void DeleteGdiObject(H h) { DeleteObject(h); }
inline void DeleteCreatedDC(HDC dc) { DeleteDC(dc); }

// A GDI object (pen, brush, font, bitmap) created in a scope.
template <class H> using GdiObject = Owned<H, &DeleteGdiObject<H>>;
// A DC created in a scope (for a printer, or in memory).
using CreatedDC = Owned<HDC, &DeleteCreatedDC>;

// A memory DC compatible with the screen.
class MemoryDC : public CreatedDC {
  public:
    MemoryDC() : CreatedDC(CreateCompatibleDC(nullptr)) {}
};

// A window's DC (the screen's for no window) for the length of a scope.
class WindowDC {
  public:
    explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    ~WindowDC() {
        if (dc_) ReleaseDC(hwnd_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    operator HDC() const { return dc_; }

  private:
    HWND hwnd_;
    HDC dc_;
};

// An object selected into a DC for the length of a scope.
class Selected {
  public:
    Selected(HDC dc, HGDIOBJ obj) : dc_(dc), old_(obj ? SelectObject(dc, obj) : nullptr) {}
    ~Selected() {
        if (old_) SelectObject(dc_, old_);
    }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

  private:
    HDC dc_;
    HGDIOBJ old_;
};

} // namespace rt::detail
