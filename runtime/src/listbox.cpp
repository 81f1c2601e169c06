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
    float x = MouseX(lp), y = MouseY(lp);
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
    case WM_CONTEXTMENU:
        if (ContextMenuFromKeys(hwnd, msg, lp)) return 0;
        break;
    case WM_KEYDOWN:
        if (list->KeyDown) {
            int key = static_cast<int>(wp), shift = ShiftState();
            Call([list, key, shift] { list->KeyDown(key, shift); });
            if (list->hWnd() != hwnd) return 0;
        }
        break;
    case WM_GETDLGCODE: {
        // Enter struck in the list is the list's key (its key-down event
        // included) unless the form has a default button for it to press.
        LRESULT code = CallListProc(hwnd, msg, wp, lp);
        const auto* key = reinterpret_cast<const MSG*>(lp);
        if (key && key->message == WM_KEYDOWN && key->wParam == VK_RETURN) {
            Form* form = FormFromHwnd(GetAncestor(hwnd, GA_ROOT));
            if (form && !EnterPressesDefault(*form)) code |= DLGC_WANTMESSAGE;
        }
        return code;
    }
    case WM_KILLFOCUS: {
        LRESULT r = CallListProc(hwnd, msg, wp, lp);
        if (list->LostFocus && list->hWnd() == hwnd) Call([list] { list->LostFocus(); });
        return r;
    }
    case WM_KEYUP: {
        // The list moved its selection on the key's press; the handler sees
        // the entry the key led to.
        LRESULT r = CallListProc(hwnd, msg, wp, lp);
        if (list->KeyUp && list->hWnd() == hwnd) {
            int key = static_cast<int>(wp), shift = ShiftState();
            Call([list, key, shift] { list->KeyUp(key, shift); });
        }
        return r;
    }
    default: break;
    }
    return CallListProc(hwnd, msg, wp, lp);
}

const ListControl::Messages kListMessages{LB_ADDSTRING,   LB_INSERTSTRING, LB_DELETESTRING,
                                          LB_RESETCONTENT, LB_GETCOUNT,     LB_GETTEXT,
                                          LB_GETTEXTLEN,  LB_GETITEMDATA,  LB_SETITEMDATA};

} // namespace

ListBox::ListBox(Container& parent) : ListControl(parent, kListMessages) {}

// A visible list is drawn once the program yields, not once per entry:
// drawing each of tens of thousands of entries would take minutes.
void ListBox::BeforeAdd() {
    if (!redrawHeld_ && IsWindowVisible(hwnd_)) {
        redrawHeld_ = true;
        SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
        PostMessageW(hwnd_, kResumeRedraw, 0, 0);
    }
}

void ListBox::Fill(const std::vector<std::wstring>& lines) {
    design_.clear();
    if (!hwnd_) {
        for (const std::wstring& line : lines) design_.emplace_back(Utf8(line), 0);
        return;
    }
    SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(hwnd_, LB_RESETCONTENT, 0, 0);
    size_t chars = 0;
    for (const std::wstring& line : lines) chars += line.size() + 1;
    SendMessageW(hwnd_, LB_INITSTORAGE, lines.size(), chars * sizeof(wchar_t));
    for (const std::wstring& line : lines)
        if (SendMessageW(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str())) < 0)
            break; // out of room: the list shows what it could take
    if (!redrawHeld_) {
        SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
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
    CheckIndex(index);
    if (!hwnd_) return false;
    return SendMessageW(hwnd_, LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
}

void ListBox::Selected(int index, bool v) {
    CheckIndex(index);
    if (!hwnd_) return;
    if (multiSelect_)
        SendMessageW(hwnd_, LB_SETSEL, v, index);
    else if (v)
        SendMessageW(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    else if (ListIndex() == index)
        SendMessageW(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

void ListBox::SelectRange(int first, int last, bool v) {
    if (first > last) return;
    CheckIndex(first);
    CheckIndex(last);
    if (!hwnd_) return;
    if (!multiSelect_) {
        // One selected entry at most: the last one, or none.
        if (v) {
            Selected(first, true);
            Selected(last, true);
        } else if (int at = ListIndex(); at >= first && at <= last) {
            Selected(at, false);
        }
        return;
    }
    // The two ends as Selected sets them, so that the caret, the anchor and
    // the view end where entry by entry leaves them; the entries between in
    // one message, which moves none of them.
    Selected(first, v);
    const int from = first + 1, to = last - 1;
    if (to > from)
        SendMessageW(hwnd_, LB_SELITEMRANGEEX, static_cast<WPARAM>(v ? from : to),
                     static_cast<LPARAM>(v ? to : from));
    else if (to == from)
        Selected(from, v);
    if (last > first) Selected(last, v);
}

int ListBox::TopIndex() const {
    if (!hwnd_) return 0;
    return static_cast<int>(SendMessageW(hwnd_, LB_GETTOPINDEX, 0, 0));
}

void ListBox::Create() {
    redrawHeld_ = false;
    // The list keeps the height it is given. Left to round itself down to
    // whole rows, it would lose a row each time its height is set while a
    // horizontal scroll bar shows, and end up a single row tall.
    DWORD style = WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | extraStyle_;
    if (columns_ > 0) style |= LBS_MULTICOLUMN | WS_HSCROLL;
    if (multiSelect_ == 1) style |= LBS_MULTIPLESEL;
    if (multiSelect_ == 2) style |= LBS_EXTENDEDSEL;
    if (sorted_) style |= LBS_SORT;
    CreateWindowFor(L"LISTBOX", style, WS_EX_CLIENTEDGE);
    auto old = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ListSubclass)));
    if (!g_listProc) g_listProc = old;
    AddDesignEntries();
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
