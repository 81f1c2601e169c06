// The vertical scroll bar over the SCROLLBAR control. The control's position
// counts from the top (0) to |Max - Min|, whichever way the bar runs.
#include <windows.h>

#include <algorithm>
#include <cstdlib>

#include "forms_internal.h"

namespace rt {

using namespace detail;

namespace {

void CheckInteger(long v) {
    if (v < -32768 || v > 32767) Raise(errInvalidPropertyValue);
}

} // namespace

int VScrollBar::Clamp(long v) const {
    long lo = std::min(min_, max_), hi = std::max(min_, max_);
    return static_cast<int>(std::clamp(v, lo, hi));
}

void VScrollBar::Min(int v) {
    CheckInteger(v);
    min_ = v;
    ShowRange();
    if (!Set(Clamp(value_))) ShowValue();
}

void VScrollBar::Max(int v) {
    CheckInteger(v);
    max_ = v;
    ShowRange();
    if (!Set(Clamp(value_))) ShowValue();
}

void VScrollBar::Value(int v) {
    if (v != Clamp(v)) Raise(errInvalidPropertyValue);
    Set(v);
}

void VScrollBar::SmallChange(int v) {
    if (v < 1 || v > 32767) Raise(errInvalidPropertyValue);
    small_ = v;
}

void VScrollBar::LargeChange(int v) {
    if (v < 1 || v > 32767) Raise(errInvalidPropertyValue);
    large_ = v;
}

bool VScrollBar::Set(int v) {
    if (v == value_) return false;
    value_ = v;
    ShowValue();
    if (Change) Change();
    return true;
}

void VScrollBar::ShowRange() {
    if (!hwnd_) return;
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL;
    si.nMin = 0;
    si.nMax = std::abs(max_ - min_);
    si.nPage = 0; // a thumb of the standard size, whatever the range
    SetScrollInfo(hwnd_, SB_CTL, &si, TRUE);
}

void VScrollBar::ShowValue() {
    if (!hwnd_) return;
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_POS;
    si.nPos = (value_ - min_) * Direction();
    SetScrollInfo(hwnd_, SB_CTL, &si, TRUE);
}

void VScrollBar::Create() {
    CreateWindowFor(L"SCROLLBAR", WS_TABSTOP | SBS_VERT);
    ShowRange();
    ShowValue();
}

bool VScrollBar::Reflect(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
    if (msg != WM_VSCROLL) return false;
    OnScroll(LOWORD(wp), HIWORD(wp));
    result = 0;
    return true;
}

void VScrollBar::OnScroll(int code, int thumb) {
    int dir = Direction();
    switch (code) {
    case SB_LINEUP: Set(Clamp(static_cast<long>(value_) - small_ * dir)); break;
    case SB_LINEDOWN: Set(Clamp(static_cast<long>(value_) + small_ * dir)); break;
    case SB_PAGEUP: Set(Clamp(static_cast<long>(value_) - large_ * dir)); break;
    case SB_PAGEDOWN: Set(Clamp(static_cast<long>(value_) + large_ * dir)); break;
    case SB_TOP: Set(min_); break;
    case SB_BOTTOM: Set(max_); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        int v = Clamp(static_cast<long>(min_) + static_cast<long>(thumb) * dir);
        if (code == SB_THUMBTRACK) {
            if (!dragging_) dragging_ = true, dragStart_ = value_;
            if (v == value_) break;
            value_ = v; // the thumb is where the user holds it
            if (Scroll) Scroll();
            break;
        }
        // The drag ends: one Change when it moved Value.
        int start = dragging_ ? dragStart_ : value_;
        dragging_ = false;
        value_ = start;
        if (!Set(v)) ShowValue();
        break;
    }
    case SB_ENDSCROLL:
        if (dragging_) { // a drag that ended without a final position
            int v = value_;
            value_ = dragStart_;
            dragging_ = false;
            if (!Set(v)) ShowValue();
        }
        break;
    default: break;
    }
}

} // namespace rt
