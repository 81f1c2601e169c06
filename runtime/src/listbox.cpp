// The list box over the LISTBOX control.
#include <windows.h>

#include <algorithm>

#include "rt/convert.h"

#include "forms_internal.h"

namespace rt {

using namespace detail;

// ---------------------------------------------------------------------------
// ListBox

namespace {

constexpr UINT kResumeRedraw = WM_APP + 0x311;
WNDPROC g_listProc = nullptr; // the list box class's own procedure

LRESULT CallListProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return CallWindowProcW(g_listProc, hwnd, msg, wp, lp);
}

// The list box's procedure replaced for the mouse and key events. A plain
// window-procedure subclass: it costs nothing per message, which matters for
// the tens of thousands of entries added in a table fill.
LRESULT CALLBACK ListSubclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* list = static_cast<ListBox*>(ControlOf(hwnd));
    if (!list || list->hWnd() != hwnd) return CallListProc(hwnd, msg, wp, lp);
    if (msg == kResumeRedraw) {
        list->ResumeRedraw();
        return 0;
    }
    float x = static_cast<float>(static_cast<short>(LOWORD(lp)) * TppX());
    float y = static_cast<float>(static_cast<short>(HIWORD(lp)) * TppY());
    int button = 0;
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP: button = vbLeftButton; break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: button = vbRightButton; break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP: button = vbMiddleButton; break;
    default: break;
    }
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        LRESULT r = CallListProc(hwnd, msg, wp, lp); // the selection moves first
        if (list->MouseDown && list->hWnd() == hwnd) {
            int shift = ShiftState();
            Call([list, button, shift, x, y] { list->MouseDown(button, shift, x, y); });
        }
        return r;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        LRESULT r = CallListProc(hwnd, msg, wp, lp);
        if (list->MouseUp && list->hWnd() == hwnd) {
            int shift = ShiftState();
            Call([list, button, shift, x, y] { list->MouseUp(button, shift, x, y); });
        }
        return r;
    }
    case WM_KEYDOWN:
        if (list->KeyDown) {
            int key = static_cast<int>(wp), shift = ShiftState();
            Call([list, key, shift] { list->KeyDown(key, shift); });
            if (list->hWnd() != hwnd) return 0;
        }
        break;
    default: break;
    }
    return CallListProc(hwnd, msg, wp, lp);
}

} // namespace

ListBox::ListBox(Container& parent) : Control(parent) {
    foreColor_ = 0x80000008;
    backColor_ = 0x80000005;
}

void ListBox::AddItem(const std::string& item, int index) {
    if (index < -1 || index > ListCount()) Raise(errInvalidProcedureCall);
    if (!hwnd_) {
        if (index < 0 || sorted_) {
            design_.emplace_back(item, 0);
            if (sorted_)
                std::stable_sort(design_.begin(), design_.end(),
                                 [](auto& a, auto& b) { return a.first < b.first; });
        } else {
            design_.insert(design_.begin() + index, {item, 0});
        }
        return;
    }
    // A visible list is drawn once the program yields, not once per entry:
    // drawing each of tens of thousands of entries would take minutes.
    if (!redrawHeld_ && IsWindowVisible(hwnd_)) {
        redrawHeld_ = true;
        SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
        PostMessageW(hwnd_, kResumeRedraw, 0, 0);
    }
    std::wstring w = Wide(item);
    LRESULT r = index < 0 || sorted_
                    ? SendMessageW(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(w.c_str()))
                    : SendMessageW(hwnd_, LB_INSERTSTRING, static_cast<WPARAM>(index),
                                   reinterpret_cast<LPARAM>(w.c_str()));
    if (r == LB_ERRSPACE || r == LB_ERR) Raise(errOutOfMemory);
}

void ListBox::RemoveItem(int index) {
    if (index < 0 || index >= ListCount()) Raise(errInvalidProcedureCall);
    if (!hwnd_)
        design_.erase(design_.begin() + index);
    else
        SendMessageW(hwnd_, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

void ListBox::Clear() {
    design_.clear();
    if (hwnd_) SendMessageW(hwnd_, LB_RESETCONTENT, 0, 0);
}

int ListBox::ListCount() const {
    if (!hwnd_) return static_cast<int>(design_.size());
    return static_cast<int>(SendMessageW(hwnd_, LB_GETCOUNT, 0, 0));
}

std::string ListBox::List(int index) const {
    if (index < 0 || index >= ListCount()) Raise(381);
    if (!hwnd_) return design_[static_cast<size_t>(index)].first;
    LRESULT n = SendMessageW(hwnd_, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (n == LB_ERR) Raise(381);
    std::wstring w(static_cast<size_t>(n) + 1, L'\0');
    n = SendMessageW(hwnd_, LB_GETTEXT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(w.data()));
    w.resize(static_cast<size_t>(std::max<LRESULT>(0, n)));
    return Utf8(w);
}

int ListBox::ListIndex() const {
    if (!hwnd_) return -1;
    if (multiSelect_) return static_cast<int>(SendMessageW(hwnd_, LB_GETCARETINDEX, 0, 0));
    return static_cast<int>(SendMessageW(hwnd_, LB_GETCURSEL, 0, 0));
}

void ListBox::ListIndex(int index) {
    if (index < -1 || index >= ListCount()) Raise(errInvalidPropertyValue);
    if (!hwnd_) return;
    if (multiSelect_) {
        SendMessageW(hwnd_, LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE);
        if (index >= 0) SendMessageW(hwnd_, LB_SETSEL, TRUE, index);
    } else {
        SendMessageW(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
    // Setting the index by code is reported as a click, as the runtime does.
    if (Click) Click();
}

std::string ListBox::Text() const {
    int i = ListIndex();
    return i >= 0 && i < ListCount() ? List(i) : std::string();
}

void ListBox::Columns(int n) {
    if (n < 0) Raise(errInvalidPropertyValue);
    bool modeChange = (n > 0) != (columns_ > 0);
    columns_ = n;
    if (!hwnd_) return;
    if (modeChange) { // the list box's style is fixed at creation: build it afresh
        std::vector<std::pair<std::string, long>> items;
        for (int i = 0, count = ListCount(); i < count; ++i) items.emplace_back(List(i), ItemData(i));
        int sel = ListIndex(), top = TopIndex();
        ResumeRedraw();
        Destroy();
        design_ = std::move(items);
        Create();
        if (sel >= 0) SendMessageW(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(sel), 0);
        SendMessageW(hwnd_, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
    }
    AfterMove();
}

bool ListBox::Selected(int index) const {
    if (index < 0 || index >= ListCount()) Raise(381);
    if (!hwnd_) return false;
    return SendMessageW(hwnd_, LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
}

void ListBox::Selected(int index, bool v) {
    if (index < 0 || index >= ListCount()) Raise(381);
    if (!hwnd_) return;
    if (multiSelect_)
        SendMessageW(hwnd_, LB_SETSEL, v, index);
    else if (v)
        SendMessageW(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    else if (ListIndex() == index)
        SendMessageW(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

long ListBox::ItemData(int index) const {
    if (index < 0 || index >= ListCount()) Raise(381);
    if (!hwnd_) return design_[static_cast<size_t>(index)].second;
    return static_cast<long>(SendMessageW(hwnd_, LB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

void ListBox::ItemData(int index, long v) {
    if (index < 0 || index >= ListCount()) Raise(381);
    if (!hwnd_)
        design_[static_cast<size_t>(index)].second = v;
    else
        SendMessageW(hwnd_, LB_SETITEMDATA, static_cast<WPARAM>(index), v);
}

int ListBox::TopIndex() const {
    if (!hwnd_) return 0;
    return static_cast<int>(SendMessageW(hwnd_, LB_GETTOPINDEX, 0, 0));
}

void ListBox::Create() {
    redrawHeld_ = false;
    DWORD style = WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY;
    if (columns_ > 0) style |= LBS_MULTICOLUMN | WS_HSCROLL;
    if (multiSelect_ == 1) style |= LBS_MULTIPLESEL;
    if (multiSelect_ == 2) style |= LBS_EXTENDEDSEL;
    if (sorted_) style |= LBS_SORT;
    CreateWindowFor(L"LISTBOX", style, WS_EX_CLIENTEDGE);
    auto old = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ListSubclass)));
    if (!g_listProc) g_listProc = old;
    for (auto& [text, data] : design_) {
        std::wstring w = Wide(text);
        LRESULT i = SendMessageW(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(w.c_str()));
        if (i >= 0) SendMessageW(hwnd_, LB_SETITEMDATA, static_cast<WPARAM>(i), data);
    }
    design_.clear();
    AfterMove();
}

void ListBox::AfterMove() {
    if (!hwnd_ || columns_ <= 0) return;
    RECT r;
    GetClientRect(hwnd_, &r);
    int width = std::max(1, static_cast<int>(r.right / columns_));
    SendMessageW(hwnd_, LB_SETCOLUMNWIDTH, static_cast<WPARAM>(width), 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void ListBox::OnCommand(WORD code) {
    if (code == LBN_SELCHANGE && Click) Click();
    if (code == LBN_DBLCLK && DblClick) DblClick();
}

LRESULT ListBox::OnColor(HDC dc) { return Control::OnColor(dc); }

void ListBox::ResumeRedraw() {
    if (!redrawHeld_) return;
    redrawHeld_ = false;
    if (!hwnd_) return;
    SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void ListBox::Refresh() {
    if (!hwnd_) return;
    ResumeRedraw();
    InvalidateRect(hwnd_, nullptr, TRUE);
    UpdateWindow(hwnd_);
}

} // namespace rt
