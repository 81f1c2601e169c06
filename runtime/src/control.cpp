// Controls as child windows: the shared geometry, colours, fonts and tool tips,
// and the routing of a container's notifications to its controls.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <unordered_map>

#include "fonts.h"
#include "rt/convert.h"
#include "rt/services.h"

#include "forms_internal.h"

namespace rt {

using namespace detail;

namespace detail {

// The controls by window, kept in the process: window properties would cost
// a trip to the window server for every message routed.
static std::unordered_map<HWND, Control*>& ControlMap() {
    static std::unordered_map<HWND, Control*> map;
    return map;
}

Control* ControlOf(HWND hwnd) {
    if (!hwnd) return nullptr;
    auto& map = ControlMap();
    auto it = map.find(hwnd);
    return it == map.end() ? nullptr : it->second;
}

bool ContextMenuFromKeys(HWND hwnd, UINT msg, LPARAM lp) {
    if (msg != WM_CONTEXTMENU || lp != -1) return false;
    Control* control = ControlOf(hwnd);
    if (control && control->hWnd() == hwnd && control->ContextMenuKey)
        Call([control] { control->ContextMenuKey(); });
    return true;
}

void BindControl(HWND hwnd, Control* control) { ControlMap()[hwnd] = control; }
void UnbindControl(HWND hwnd) { ControlMap().erase(hwnd); }

UINT NextControlId() {
    static UINT next = 1000;
    if (++next >= 30000) next = 1001;
    return next;
}

HFONT CreateFontHandle(const rt::Font& font) {
    WindowDC screen(nullptr);
    LOGFONTW lf = LogFontFor(font, screen);
    return CreateFontIndirectW(&lf);
}

void SysColorsChanged(Container& c) {
    for (Control* ctl : c.Controls()) {
        ctl->SysColorsChanged();
        if (auto* inner = dynamic_cast<Container*>(ctl)) SysColorsChanged(*inner);
    }
}

void PaintBeneath(Control& ctl, HDC dc) {
    HWND self = ctl.hWnd(), parent = ctl.Parent().ContainerHwnd();
    if (!self || !parent) return;
    RECT client;
    GetClientRect(self, &client);
    POINT origin{0, 0};
    MapWindowPoints(self, parent, &origin, 1);
    RECT mine = client;
    OffsetRect(&mine, origin.x, origin.y);
    // The siblings under it that it overlaps, the lowest first.
    std::vector<HWND> below;
    for (HWND w = GetWindow(self, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT)) {
        RECT r, both;
        GetWindowRect(w, &r);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
        if (IsWindowVisible(w) && IntersectRect(&both, &r, &mine)) below.insert(below.begin(), w);
    }
    int saved = SaveDC(dc);
    IntersectClipRect(dc, 0, 0, client.right, client.bottom);
    OffsetViewportOrgEx(dc, -origin.x, -origin.y, nullptr);
    ctl.Parent().PaintBackground(dc);
    for (HWND w : below) {
        POINT at{0, 0};
        MapWindowPoints(w, parent, &at, 1);
        RECT wc;
        GetClientRect(w, &wc);
        int one = SaveDC(dc);
        OffsetViewportOrgEx(dc, at.x, at.y, nullptr);
        IntersectClipRect(dc, 0, 0, wc.right, wc.bottom);
        SendMessageW(w, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
        RestoreDC(dc, one);
    }
    RestoreDC(dc, saved);
}

void PaintContainer(Container& c, HDC dc) {
    for (Control* ctl : c.Controls())
        if (ctl->Lightweight() && ctl->Visible()) ctl->Paint(dc);
}

bool RouteContainerMessage(Container& c, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp,
                           LRESULT& result) {
    (void)hwnd;
    switch (msg) {
    case WM_COMMAND:
        if (lp != 0) {
            Control* ctl = ControlOf(reinterpret_cast<HWND>(lp));
            if (!ctl) return false;
            Call([ctl, wp] { ctl->OnCommand(HIWORD(wp)); });
            result = 0;
            return true;
        }
        return false;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN: {
        Control* ctl = ControlOf(reinterpret_cast<HWND>(lp));
        if (!ctl) return false;
        result = ctl->OnColor(reinterpret_cast<HDC>(wp));
        return result != 0;
    }
    case WM_SETCURSOR: {
        if (rt::Screen::MousePointer() == 11) { // the program is busy: everywhere
            SetCursor(LoadCursorW(nullptr, IDC_WAIT));
            result = TRUE;
            return true;
        }
        if (LOWORD(lp) != HTCLIENT) return false;
        Control* ctl = ControlOf(reinterpret_cast<HWND>(wp));
        if (ctl && ctl->MousePointer() == 99) {
            SetCursor(LoadCursorW(nullptr, IDC_HAND));
            result = TRUE;
            return true;
        }
        return false;
    }
    case WM_LBUTTONUP: {
        POINT pt{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
        for (Control* ctl : c.Controls()) {
            if (!ctl->Lightweight() || !ctl->Visible() || !ctl->Enabled()) continue;
            RECT r{PxX(ctl->Left()), PxY(ctl->Top()), PxX(ctl->Left() + ctl->Width()),
                   PxY(ctl->Top() + ctl->Height())};
            if (!PtInRect(&r, pt)) continue;
            bool taken = false;
            Call([ctl, &taken] { taken = ctl->LightweightClick(); });
            if (!taken) continue;
            result = 0;
            return true;
        }
        return false;
    }
    case WM_DRAWITEM:
    case WM_VSCROLL: {
        HWND child = msg == WM_DRAWITEM ? reinterpret_cast<DRAWITEMSTRUCT*>(lp)->hwndItem
                                        : reinterpret_cast<HWND>(lp);
        Control* ctl = ControlOf(child);
        if (!ctl) return false;
        bool handled = false;
        Call([&] { handled = ctl->Reflect(msg, wp, lp, result); });
        return handled;
    }
    default: return false;
    }
}

} // namespace detail

// ---------------------------------------------------------------------------
// Containers

void Container::RemoveControl(Control* control) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
}

void Container::CreateControls() {
    for (Control* c : controls_) c->Create();
}

void Container::DestroyControls() {
    for (Control* c : controls_) c->Destroy();
}

void Container::PaintLightweight(HDC dc) { PaintContainer(*this, dc); }

void Container::PaintBackground(HDC dc) {
    RECT r;
    GetClientRect(ContainerHwnd(), &r);
    GdiObject<HBRUSH> brush(CreateSolidBrush(ResolveColor(AmbientBackColor())));
    FillRect(dc, &r, brush);
    PaintLightweight(dc);
}

// ---------------------------------------------------------------------------
// Control

Control::Control(Container& parent) : parent_(parent) { parent_.AddControl(this); }

Control::~Control() {
    Control::Destroy();
    parent_.RemoveControl(this);
}

void Control::Destroy() {
    if (hwnd_) {
        HWND h = hwnd_;
        hwnd_ = nullptr;
        UnbindControl(h);
        DestroyWindow(h);
    }
    if (hfont_) {
        DeleteObject(hfont_);
        hfont_ = nullptr;
    }
    if (brush_) {
        DeleteObject(brush_);
        brush_ = nullptr;
    }
}

RECT Control::PixelRect() const {
    return RECT{PxX(left_), PxY(top_), PxX(left_) + PxX(width_), PxY(top_) + PxY(height_)};
}

void Control::Width(long v) {
    if (v < 0) Raise(errInvalidPropertyValue);
    Move(left_, top_, v, height_);
}
void Control::Height(long v) {
    if (v < 0) Raise(errInvalidPropertyValue);
    Move(left_, top_, width_, v);
}

void Control::Move(long left, long top, long width, long height) {
    if (width < 0 || height < 0) Raise(errInvalidPropertyValue);
    if (Lightweight() && parent_.ContainerHwnd()) {
        RECT old = PixelRect();
        InvalidateRect(parent_.ContainerHwnd(), &old, TRUE);
    }
    left_ = left, top_ = top, width_ = width, height_ = height;
    if (hwnd_) {
        RECT r = PixelRect();
        SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (Lightweight() && parent_.ContainerHwnd()) {
        RECT r = PixelRect();
        InvalidateRect(parent_.ContainerHwnd(), &r, TRUE);
    }
    AfterMove();
}

void Control::Visible(bool v) {
    visible_ = v;
    if (hwnd_) ShowWindow(hwnd_, v ? SW_SHOWNA : SW_HIDE);
    if (Lightweight() && parent_.ContainerHwnd()) {
        RECT r = PixelRect();
        InvalidateRect(parent_.ContainerHwnd(), &r, TRUE);
    }
}

void Control::Enabled(bool v) {
    enabled_ = v;
    if (hwnd_) EnableWindow(hwnd_, v);
}

void Control::TabStop(bool v) {
    tabStop_ = v;
    if (!hwnd_) return;
    const LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_STYLE);
    SetWindowLongPtrW(hwnd_, GWL_STYLE,
                      v ? style | WS_TABSTOP : style & ~static_cast<LONG_PTR>(WS_TABSTOP));
}

// The tip shows over the control and over the windows it is made of (the
// edit field of a combo box).
static void SetTip(HWND tooltip, HWND owner, HWND control, const std::string& text) {
    if (!tooltip || !control) return;
    std::wstring wide = Wide(text);
    for (HWND part = control; part;
         part = part == control ? GetWindow(control, GW_CHILD) : GetWindow(part, GW_HWNDNEXT)) {
        TOOLINFOW info{};
        info.cbSize = TTTOOLINFOW_V2_SIZE;
        info.uFlags = TTF_IDISHWND; // the message loop relays the mouse messages
        info.hwnd = owner;
        info.uId = reinterpret_cast<UINT_PTR>(part);
        SendMessageW(tooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
        if (text.empty()) continue;
        info.lpszText = wide.data();
        SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
}

void Control::ToolTipText(const std::string& text) {
    toolTip_ = text;
    if (hwnd_) SetTip(parent_.OwnerForm().ToolTip(), parent_.ContainerHwnd(), hwnd_, text);
}

void Control::ForeColor(long color) {
    foreColor_ = color;
    if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void Control::BackColor(long color) {
    backColor_ = color;
    if (brush_) {
        DeleteObject(brush_);
        brush_ = nullptr;
    }
    if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void Control::Font(const rt::Font& font) {
    font_ = font;
    fontSet_ = true;
    if (hfont_) {
        if (hwnd_) SendMessageW(hwnd_, WM_SETFONT, 0, FALSE);
        DeleteObject(hfont_);
        hfont_ = nullptr;
    }
    if (hwnd_) ApplyFont();
}

HFONT Control::FontHandle() {
    if (!hfont_) hfont_ = CreateFontHandle(Font());
    return hfont_;
}

void Control::ApplyFont() {
    if (hwnd_) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), TRUE);
}

void Control::MousePointer(int pointer) { mousePointer_ = pointer; }

void Control::SetFocus() {
    if (!hwnd_ || !IsWindowVisible(hwnd_) || !IsWindowEnabled(hwnd_))
        Raise(errInvalidProcedureCall);
    ::SetFocus(hwnd_);
}

void Control::Refresh() {
    if (hwnd_) {
        InvalidateRect(hwnd_, nullptr, TRUE);
        UpdateWindow(hwnd_);
    } else if (Lightweight() && parent_.ContainerHwnd()) {
        RECT r = PixelRect();
        InvalidateRect(parent_.ContainerHwnd(), &r, TRUE);
        UpdateWindow(parent_.ContainerHwnd());
    }
}

HBRUSH Control::BrushFor(long color) {
    COLORREF rgb = ResolveColor(color);
    if (brush_ && (brushColor_ != color || brushRgb_ != rgb)) {
        DeleteObject(brush_);
        brush_ = nullptr;
    }
    if (!brush_) {
        brush_ = CreateSolidBrush(rgb);
        brushColor_ = color;
        brushRgb_ = rgb;
    }
    return brush_;
}

void Control::ZOrder(int position) {
    if (hwnd_)
        SetWindowPos(hwnd_, position == 0 ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

LRESULT Control::OnColor(HDC dc) {
    SetTextColor(dc, ResolveColor(foreColor_));
    SetBkColor(dc, ResolveColor(backColor_));
    return reinterpret_cast<LRESULT>(BrushFor(backColor_));
}

void Control::CreateWindowFor(const wchar_t* cls, DWORD style, DWORD exStyle,
                              const std::wstring& text) {
    HWND parent = parent_.ContainerHwnd();
    if (hwnd_ || !parent) return;
    style |= WS_CHILD | WS_CLIPSIBLINGS;
    if (!tabStop_) style &= ~static_cast<DWORD>(WS_TABSTOP);
    if (visible_) style |= WS_VISIBLE;
    if (!enabled_) style |= WS_DISABLED;
    RECT r = PixelRect();
    HWND h = CreateWindowExW(exStyle, cls, text.c_str(), style, r.left, r.top, r.right - r.left,
                             r.bottom - r.top, parent,
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(NextControlId())),
                             Instance(), this);
    if (!h) Raise(errOutOfMemory, {}, "The control could not be created.");
    BindControl(h, this);
    hwnd_ = h;
    ApplyFont();
    if (!toolTip_.empty()) SetTip(parent_.OwnerForm().ToolTip(), parent, h, toolTip_);
}

} // namespace rt
