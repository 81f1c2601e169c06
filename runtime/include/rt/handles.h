// Small owners of Win32 handles, each released at the end of the scope that
// acquired it: GDI objects and device contexts, registry keys, files and
// global memory blocks.
#pragma once

#include <windows.h>

namespace rt {

// A handle released by `Free` when its owner goes; null owns nothing.
template <class H, void (*Free)(H)> class Owned {
  public:
    explicit Owned(H h = nullptr) : h_(h) {}
    ~Owned() { Reset(); }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    operator H() const { return h_; }
    H Get() const { return h_; }
    // The handle itself, for a call that hands back another one to own.
    H& Handle() { return h_; }
    // Gives the handle away (to the system or another owner): no longer freed here.
    H Release() {
        H h = h_;
        h_ = nullptr;
        return h;
    }
    // Frees the handle held now and owns `h` instead.
    void Reset(H h = nullptr) {
        if (h_ && h_ != h) Free(h_);
        h_ = h;
    }

  private:
    H h_;
};

namespace handles {
template <class H> void DeleteGdiObject(H h) { DeleteObject(h); }
inline void DeleteCreatedDC(HDC dc) { DeleteDC(dc); }
inline void CloseKey(HKEY key) { RegCloseKey(key); }
inline void CloseKernelHandle(HANDLE h) { CloseHandle(h); }
inline void FreeGlobal(HGLOBAL mem) { GlobalFree(mem); }
} // namespace handles

// A GDI object (pen, brush, font, bitmap) created in a scope.
template <class H> using GdiObject = Owned<H, &handles::DeleteGdiObject<H>>;
// A DC created in a scope (for a printer, or in memory).
using CreatedDC = Owned<HDC, &handles::DeleteCreatedDC>;
// An open registry key (RegOpenKeyEx, RegCreateKeyEx: pass &key.Handle()).
using RegKey = Owned<HKEY, &handles::CloseKey>;
// A global memory block (GlobalAlloc); Release() when the system takes it,
// as the clipboard does.
using GlobalMemory = Owned<HGLOBAL, &handles::FreeGlobal>;

// A kernel handle from CreateFile and its kin. Both null and
// INVALID_HANDLE_VALUE mean "nothing", whichever the call reports failure with.
class FileHandle : public Owned<HANDLE, &handles::CloseKernelHandle> {
  public:
    explicit FileHandle(HANDLE h = nullptr) : Owned(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
    bool Valid() const { return Get() != nullptr; }
};

// A memory DC compatible with the screen.
class MemoryDC : public CreatedDC {
  public:
    MemoryDC() : CreatedDC(CreateCompatibleDC(nullptr)) {}
};

// A window's DC (the screen's for no window) for the length of a scope: its
// client area, or with `whole` the whole window, frame and title bar included.
class WindowDC {
  public:
    explicit WindowDC(HWND hwnd, bool whole = false)
        : hwnd_(hwnd), dc_(whole ? GetWindowDC(hwnd) : GetDC(hwnd)) {}
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

// A global memory block locked for the length of a scope; null when the lock failed.
template <class T> class GlobalLocked {
  public:
    explicit GlobalLocked(HGLOBAL mem) : mem_(mem), p_(static_cast<T*>(GlobalLock(mem))) {}
    ~GlobalLocked() {
        if (p_) GlobalUnlock(mem_);
    }
    GlobalLocked(const GlobalLocked&) = delete;
    GlobalLocked& operator=(const GlobalLocked&) = delete;
    T* get() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

  private:
    HGLOBAL mem_;
    T* p_;
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

} // namespace rt
